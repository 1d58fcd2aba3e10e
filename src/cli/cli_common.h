#pragma once
// What every trackpack command shares: the language of the base folder, the
// usage text and the two ways a command ends badly.

#include "text/lang_lines.h"
#include "text/message.h"

#include <QStringList>
#include <string>

namespace korvo::cli {

class Cli {
public:
    // Messages come in the language the editor uses in the current folder
    // when it has an "opt.ini", otherwise in the locale's.
    Cli();
    explicit Cli(LangLines lang) : lang_(std::move(lang)) {}

    const LangLines& lang() const { return lang_; }
    // The message in the command's language.
    std::string said(const Message& why) const { return lang_.sayStd(why); }

    // The usage text (the commands, the options, the language, the exit
    // codes), ending in a line break.
    std::string usageText() const;
    // Prints the reason and the usage to standard error; returns exit status 2.
    int usageError(const Message& why) const;
    // Prints "trackpack: <why>" alone, for a file given with a command that
    // is not as the command reads it; returns exit status 2.
    int inputError(const Message& why) const;
    // Prints "trackpack: <why>" to standard error; returns exit status 1.
    int fail(const Message& why) const;

private:
    LangLines lang_;
};

using Command = int (*)(const Cli& cli, const QStringList& args);

// The main() of a helper program of trackpack (pictures, mail): trackpack
// runs it with its own command line, whose first word is `command`.
int helperMain(int argc, char** argv, const char* command, Command run);

} // namespace korvo::cli
