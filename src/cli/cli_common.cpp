#include "cli_common.h"

#include "settings/options.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

using namespace korvo;

std::string korvo::cli::usageText() {
    QString text = activeLang()[kLineCliUsage];
    return text.replace("\r\n", "\n").toStdString() + "\n";
}

int korvo::cli::usageError(const std::string& why) {
    std::fprintf(stderr, "trackpack: %s\n%s", why.c_str(), usageText().c_str());
    return 2;
}

std::string korvo::cli::said(const Message& why) {
    return activeLang().sayStd(why);
}

int korvo::cli::fail(const Message& why) {
    return fail(said(why));
}

int korvo::cli::fail(const std::string& why) {
    std::fprintf(stderr, "trackpack: %s\n", why.c_str());
    return 1;
}

int korvo::cli::helperMain(int argc, char** argv, const char* command,
                           int (*run)(const QStringList& args)) {
    QCoreApplication app(argc, argv);
    setActiveLang(languageOfBase(QDir::currentPath()));
    QStringList args = app.arguments().mid(1);
    const QString cmd = args.isEmpty() ? QString() : args.takeFirst();
    if (cmd == command) return run(args);
    return usageError(activeText(kLineCliUnknownCommand, cmd));
}
