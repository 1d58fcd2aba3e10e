#include "cli_common.h"

#include "settings/options.h"
#include "text/lang_added.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

using namespace korvo;

// The folder of the installed language files, seen from the program's own
// folder (KORVO_SHIPPED_FROM_PROGRAM, set for each program by CMake).
korvo::cli::Cli::Cli()
    : lang_(languageOfCommandLine(QDir::currentPath(), besideProgram(KORVO_SHIPPED_FROM_PROGRAM))) {
}

std::string korvo::cli::Cli::usageText() const {
    QString text = lang_[kLineCliUsage] + "\r\n" + lang_[kLineCliRideUsage] + "\r\n" +
                   lang_[kLineCliSolveUsage] + "\r\n\r\n" + lang_[kLineCliOptionsAndExit];
    return text.replace("\r\n", "\n").toStdString() + "\n";
}

int korvo::cli::Cli::usageError(const Message& why) const {
    std::fprintf(stderr, "trackpack: %s\n%s", said(why).c_str(), usageText().c_str());
    return 2;
}

int korvo::cli::Cli::inputError(const Message& why) const {
    std::fprintf(stderr, "trackpack: %s\n", said(why).c_str());
    return 2;
}

int korvo::cli::Cli::fail(const Message& why) const {
    std::fprintf(stderr, "trackpack: %s\n", said(why).c_str());
    return 1;
}

int korvo::cli::helperMain(int argc, char** argv, const char* command, Command run) {
    QCoreApplication app(argc, argv);
    const Cli cli;
    QStringList args = app.arguments().mid(1);
    const QString cmd = args.isEmpty() ? QString() : args.takeFirst();
    if (cmd == command) return run(cli, args);
    return cli.usageError(Message::line(kLineCliUnknownCommand, cmd));
}
