#include "command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace korvo {

namespace {

const char* const kUsage = "Usage: korvote [--base DIR | --user] [--recover | PACK]";

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{{"h", "help"}, "Show this help."};
    QCommandLineOption base{"base",
                            "Use DIR as the base folder: its \"opt.ini\", \"lang\", "
                            "\"images\" and \"tomail\".",
                            "DIR"};
    QCommandLineOption user{"user", "Use the per-user data folder as the base folder; it is made "
                                    "and given the language files on first use. The desktop menu "
                                    "starts the editor so."};
    QCommandLineOption version{"version", "Show the version."};
    QCommandLineOption recover{"recover",
                               "List the recovery files of unsaved work that stopped sessions "
                               "left, with their packs and when they were written; the editor "
                               "offers each when its pack is opened."};
    QCommandLineOption quit{"quit-after-start"};

    Parser() {
        parser.setApplicationDescription(
            "Korvo Track Editor: draws, arranges and saves the tracks of a level pack.\n"
            "Without --base or --user the current folder is the base folder.");
        quit.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOptions({help, version, recover, base, user, quit});
        parser.addPositionalArgument(
            "PACK", "The pack to open instead of the base folder's \"levels.mrg\".", "[PACK]");
    }
};

} // namespace

CommandLine readCommandLine(const QStringList& arguments) {
    Parser p;
    CommandLine line;
    const bool parsed = p.parser.parse(arguments);
    line.help = p.parser.isSet(p.help);
    if (!parsed) {
        line.error = p.parser.errorText();
        return line;
    }
    line.quitAfterStart = p.parser.isSet(p.quit);
    line.listRecovery = p.parser.isSet(p.recover);
    const QStringList packs = p.parser.positionalArguments();
    if (p.parser.isSet(p.base) && p.parser.isSet(p.user))
        line.error = "--base and --user name two base folders; give one of them.";
    else if (p.parser.values(p.base).size() > 1)
        line.error = "--base is given more than once.";
    else if (packs.size() > 1)
        line.error = "One pack at a time: " + packs.join(", ");
    else if (p.parser.isSet(p.base) && p.parser.value(p.base).isEmpty())
        line.error = "--base needs a folder.";
    if (!line.error.isEmpty()) return line;
    if (p.parser.isSet(p.base)) {
        line.base = CommandLine::Base::Given;
        line.baseDir = p.parser.value(p.base);
    } else if (p.parser.isSet(p.user)) {
        line.base = CommandLine::Base::User;
    }
    if (!packs.isEmpty()) line.pack = QFileInfo(packs.first()).absoluteFilePath();
    return line;
}

QString commandLineHelp() {
    Parser p;
    const QString text = p.parser.helpText(); // its first line names no program
    return kUsage + QString("\n") + text.mid(text.indexOf('\n'));
}

} // namespace korvo
