#pragma once
// trackpack check and trackpack ride: the pack check and a ride without a window.

#include <QStringList>

namespace korvo::cli {

int checkCommand(const QStringList& args);
int rideCommand(const QStringList& args);

} // namespace korvo::cli
