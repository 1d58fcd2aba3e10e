#pragma once
// trackpack check and trackpack ride: the pack check and a ride without a window.

#include "cli_common.h"

#include <QStringList>

namespace korvo::cli {

int checkCommand(const Cli& cli, const QStringList& args);
int rideCommand(const Cli& cli, const QStringList& args);

} // namespace korvo::cli
