#pragma once
// trackpack submit: the level submission of the editor's window, run in a
// base folder from the command line.

#include "cli_common.h"

#include <QStringList>

namespace korvo::cli {

// submit PACK --nick N --email E --level L [--note T] [--save-only]
// Log lines go to standard error. Exit status 0 when the archive was kept or
// the mail accepted, 1 when the run was refused or failed, 2 usage error.
int submit(const Cli& cli, const QStringList& args);

} // namespace korvo::cli
