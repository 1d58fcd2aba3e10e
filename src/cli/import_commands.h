#pragma once
// trackpack commands that bring tracks in and pictures out: import from
// another pack or from ".lev" files, export of one track as ".lev", and the
// level pictures of a whole pack. Each returns the process's exit status.

#include <QStringList>

namespace korvo::cli {

// import PACK OUT --from SOURCE.mrg [--pick N,N,...]  |  import PACK OUT --lev FILE.lev...
int importCommand(const QStringList& args);
// export-lev PACK N OUT.lev
int exportLevCommand(const QStringList& args);
// pictures PACK OUTDIR [--ratio Q]
int picturesCommand(const QStringList& args);

} // namespace korvo::cli
