#pragma once
// trackpack submit: the level submission of the editor's window, run in a
// base folder from the command line.

#include <QStringList>

namespace korvo::cli {

// submit PACK --nick N --email E --level L [--note T] [--save-only]
// Log lines go to standard error. Exit status 0 when the archive was kept or
// the mail accepted, 1 when the run was refused or failed, 2 usage error.
int submit(const QStringList& args);

} // namespace korvo::cli
