// korvote: the track editor.
//   korvote [--base DIR | --user] [--recover | PACK]
// Without --base or --user the current folder is its base folder, where it
// reads "levels.mrg" or starts a new pack. The installed program finds its
// shipped files (language files, "images", "tomail") beside it in
// KORVO_SHIPPED_FROM_BIN; run from the build folder it takes the source
// tree's "base" (KORVO_SOURCE_BASE).
#include "app/main_window.h"
#include "app/quit_after_first_paint.h"
#include "recovery/recovery_folder.h"
#include "settings/base_folder.h"
#include "text/lang_lines.h"
#include "text/version.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <cstring>

namespace {

void print(std::FILE* to, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), to);
}

// --help and --version need no window system, so they are answered before
// one is asked for.
bool asksFor(int argc, char** argv, const char* option, const char* letter = nullptr) {
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
        if (!std::strcmp(argv[i], option) || (letter && !std::strcmp(argv[i], letter))) return true;
    return false;
}

int refuse(const QString& error) {
    print(stderr, "korvote: " + error + "\nTry \"korvote --help\".\n");
    return 2;
}

// --recover needs no window system either: the recovery files, one a line.
int listRecovery(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("korvote");
    const korvo::CommandLine line = korvo::readCommandLine(QCoreApplication::arguments());
    if (!line.error.isEmpty()) return refuse(line.error);
    const QString shipped = korvo::shippedFilesFolder(
        QCoreApplication::applicationDirPath() + "/" KORVO_SHIPPED_FROM_BIN, KORVO_SOURCE_BASE);
    const korvo::BaseChoice base = korvo::chooseBaseFolder(
        line, shipped, QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    if (!base.error.isEmpty()) return refuse(base.error);
    korvo::LangLines lang;
    lang.load(QDir(shipped).filePath("lang/english.lng"));
    const QString folder = korvo::recoveryFolder(base.folder);
    const QString list = korvo::describeJournals(folder, lang);
    print(stdout, list.isEmpty() ? "No recovery files in " + folder + ".\n" : list);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (asksFor(argc, argv, "--help", "-h")) {
        print(stdout, korvo::commandLineHelp());
        return 0;
    }
    if (asksFor(argc, argv, "--version")) {
        print(stdout, QString("korvote %1\n").arg(korvo::kVersion));
        return 0;
    }
    if (asksFor(argc, argv, "--recover")) return listRecovery(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName("korvote"); // names the per-user folder
    // No display name: the window manager would show every title with
    // " — Korvo Track Editor 3" appended.
    QGuiApplication::setDesktopFileName("korvote");
    const korvo::CommandLine line = korvo::readCommandLine(QApplication::arguments());
    if (!line.error.isEmpty()) return refuse(line.error);
    const QString shipped = korvo::shippedFilesFolder(
        QApplication::applicationDirPath() + "/" KORVO_SHIPPED_FROM_BIN, KORVO_SOURCE_BASE);
    const korvo::BaseChoice base = korvo::chooseBaseFolder(
        line, shipped, QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    if (!base.error.isEmpty()) return refuse(base.error);

    QFont font = QApplication::font(); // the small interface font the layout is made for
    font.setPointSize(8);
    QApplication::setFont(font);
    korvo::QuitAfterFirstPaint quitAfterFirstPaint(app);
    korvo::MainWindow window(std::nullopt, {base.folder, line.pack, base.problems});
    window.show();
    if (line.quitAfterStart) QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
