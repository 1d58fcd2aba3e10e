#pragma once
// What every trackpack command shares: the usage text and the two ways a
// command ends badly.

#include <string>

namespace korvo::cli {

// The usage text in the active language, ending in a line break.
std::string usageText();

// Prints the reason and the usage to standard error; returns exit status 2.
int usageError(const std::string& why);
// Prints "trackpack: <why>" to standard error; returns exit status 1.
int fail(const std::string& why);

} // namespace korvo::cli
