#include "submit_command.h"

#include "cli_common.h"
#include "dist/level_submission.h"
#include "text/lang_added.h"

#include <QCoreApplication>
#include <QDir>
#include <QTime>
#include <cstdio>

namespace korvo::cli {

namespace {

void printLine(const QString& line) {
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    std::fflush(stderr);
}

// Reads the options after PACK; false with the reason on a usage error.
bool readOptions(const QStringList& args, SubmissionRequest& r, Message& why) {
    bool nick = false, email = false, level = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == "--save-only") {
            r.mail = false;
            continue;
        }
        QString* target = a == "--nick"    ? &r.nick
                          : a == "--email" ? &r.email
                          : a == "--level" ? &r.levelName
                          : a == "--note"  ? &r.note
                                           : nullptr;
        if (!target) {
            why = Message::line(kLineCliUnknownOption, a);
            return false;
        }
        if (i + 1 >= args.size()) {
            why = Message::line(kLineCliNeedsValue, a);
            return false;
        }
        *target = args[++i];
        nick |= a == "--nick";
        email |= a == "--email";
        level |= a == "--level";
    }
    if (!nick || !email || !level) {
        why = Message::line(kLineCliSubmitFields);
        return false;
    }
    return true;
}

} // namespace

int submit(const Cli& cli, const QStringList& args) {
    if (args.isEmpty() || args[0].startsWith("--"))
        return cli.usageError(Message::line(kLineCliSubmitPack));
    SubmissionRequest request;
    request.packPath = QDir::current().absoluteFilePath(args[0]);
    Message why;
    if (!readOptions(args, request, why)) return cli.usageError(why);

    LevelSubmission run(QDir::currentPath(), cli.lang());
    bool ok = false;
    QObject::connect(&run, &LevelSubmission::message,
                     [](const QString& text) { printLine("trackpack: " + text); });
    QObject::connect(&run, &LevelSubmission::logLine, [](const QString& text, LogColour) {
        printLine(logTimeText(QTime::currentTime()) + " " + text);
    });
    QObject::connect(&run, &LevelSubmission::finished, [&ok](bool done) {
        ok = done;
        QCoreApplication::exit(0);
    });
    run.start(request);
    if (run.running()) QCoreApplication::exec();
    return ok ? 0 : 1;
}

} // namespace korvo::cli
