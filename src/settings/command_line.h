#pragma once
// The editor's command line: korvote [--base DIR | --user] [--recover | PACK].
// (--help and --version are answered before the window system is asked for.)
//
// Without --base or --user the current folder is the base folder. --base DIR
// names another folder; --user takes the per-user data folder, which the
// desktop menu uses. PACK is opened at start-up instead of the base folder's
// "levels.mrg". The hidden --quit-after-start ends the program as soon as
// the window is up and the start-up pack is read; the tests that start the
// installed program use it.

#include <QString>
#include <QStringList>

namespace korvo {

struct CommandLine {
    enum class Base { Current, Given, User };
    Base base = Base::Current;
    QString baseDir; // with --base, as given
    QString pack;    // absolute; empty: the base folder's "levels.mrg"
    bool quitAfterStart = false;
    bool listRecovery = false; // --recover: list the recovery files and end
    bool help = false;
    QString error; // a mistake on the command line: the program does not start
};

// Reads the arguments (the program's name first). A relative PACK is taken
// from the current folder.
CommandLine readCommandLine(const QStringList& arguments);
// What --help prints.
QString commandLineHelp();

} // namespace korvo
