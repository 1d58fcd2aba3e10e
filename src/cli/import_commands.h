#pragma once
// trackpack commands that bring tracks in and out: import from another pack or
// from ".lev" files, export of one track as ".lev". Each returns the process's
// exit status.

#include "cli_common.h"

#include <QStringList>

namespace korvo::cli {

// import PACK OUT --from SOURCE.mrg [--pick N,N,...]  |  import PACK OUT --lev FILE.lev...
int importCommand(const Cli& cli, const QStringList& args);
// export-lev PACK N OUT.lev
int exportLevCommand(const Cli& cli, const QStringList& args);

} // namespace korvo::cli
