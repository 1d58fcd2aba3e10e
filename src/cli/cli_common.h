#pragma once
// What every trackpack command shares: the usage text and the two ways a
// command ends badly.

#include "text/message.h"

#include <QStringList>
#include <string>

namespace korvo::cli {

// The usage text in the active language, ending in a line break.
std::string usageText();

// Prints the reason and the usage to standard error; returns exit status 2.
int usageError(const std::string& why);
// Prints "trackpack: <why>" to standard error; returns exit status 1.
int fail(const std::string& why);
int fail(const Message& why);
// The message in the language of the base folder.
std::string said(const Message& why);

} // namespace korvo::cli

namespace korvo::cli {

// The main() of a helper program of trackpack (pictures, mail): trackpack
// runs it with its own command line, whose first word is `command`.
int helperMain(int argc, char** argv, const char* command, int (*run)(const QStringList& args));

} // namespace korvo::cli
