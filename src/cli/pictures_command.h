#pragma once
// trackpack pictures: the level pictures of a whole pack. Run by the helper
// program that draws, so the other commands never load the drawing libraries.

#include "cli_common.h"

#include <QStringList>

namespace korvo::cli {

// pictures PACK OUTDIR [--ratio Q]
int picturesCommand(const Cli& cli, const QStringList& args);

} // namespace korvo::cli
