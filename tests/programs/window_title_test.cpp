// The editor's windows as the window manager sees them: the editor started
// on an X server of its own (Xvfb), its windows read with xdotool.
#include "../core/settings_files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace korvo::test;

namespace {

// An X server of its own for one test, ended with it.
class XServer {
public:
    XServer() {
        // -displayfd: the server picks a free display and writes its number once it is ready.
        server_.start(QStandardPaths::findExecutable("Xvfb"),
                      {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        QByteArray out;
        QElapsedTimer clock;
        clock.start();
        while (!out.contains('\n') && clock.elapsed() < 20000 && server_.waitForReadyRead(1000))
            out += server_.readAllStandardOutput();
        if (out.contains('\n')) display_ = ":" + QString::fromLatin1(out.trimmed());
    }
    ~XServer() {
        server_.terminate();
        server_.waitForFinished(5000);
    }
    QString display() const { return display_; }

private:
    QProcess server_;
    QString display_;
};

// xdotool on the display; its output, trimmed.
QString xdotool(const QString& display, const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    p.setProcessEnvironment(env);
    p.start(QStandardPaths::findExecutable("xdotool"), args);
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// The names of the visible windows of process `pid`, waiting up to 20 s
// until one of them is `name`.
QStringList windowsShowing(const QString& display, qint64 pid, const QString& name) {
    QStringList names;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20000) {
        names.clear();
        const QString ids = xdotool(
            display, {"search", "--onlyvisible", "--pid", QString::number(pid), "--name", "."});
        for (const QString& id : ids.split('\n', Qt::SkipEmptyParts))
            names << xdotool(display, {"getwindowname", id});
        if (names.contains(name)) break;
        QThread::msleep(200);
    }
    return names;
}

} // namespace

// Qt adds " — " and the application's display name to every title when one
// is set; the editor's titles stay as it gives them, dialogs' too.
TEST(WindowTitle, TheWindowManagerShowsTheTitlesExactly) {
    for (const char* tool : {"Xvfb", "xdotool"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            GTEST_SKIP() << tool << " is not installed (scripts/install-deps.sh installs it)";
    XServer x;
    ASSERT_FALSE(x.display().isEmpty()) << "Xvfb did not start";
    QTemporaryDir base;
    ASSERT_TRUE(QDir(base.path()).mkpath("lang"));
    for (const char* name : {"english.lng", "russian.lng"})
        ASSERT_TRUE(
            QFile::copy(QString(BASE_DIR) + "/lang/" + name, base.filePath("lang/") + name));
    QProcess sample;
    sample.start(TRACKPACK_EXE, {"sample", base.filePath("levels.mrg"), "--tracks", "3"});
    ASSERT_TRUE(sample.waitForFinished(30000) && sample.exitCode() == 0);

    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", x.display());
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("HOME", base.path());
    env.remove("WAYLAND_DISPLAY");
    editor.setProcessEnvironment(env);
    editor.start(KORVOTE_EXE, {"--base", base.path()});
    ASSERT_TRUE(editor.waitForStarted(10000));

    const QString title = "Korvo Track Editor 3 - " + base.filePath("levels.mrg");
    EXPECT_EQ(windowsShowing(x.display(), editor.processId(), title), QStringList{title});
    // File > Open: its dialog's title is the command, without its Alt marker.
    const QString main = xdotool(x.display(), {"search", "--name", "^Korvo Track Editor 3 - "});
    xdotool(x.display(), {"windowfocus", "--sync", main.section('\n', 0, 0)});
    xdotool(x.display(), {"key", "ctrl+o"});
    const QStringList withDialog = windowsShowing(x.display(), editor.processId(), "Open *.mrg");
    EXPECT_TRUE(withDialog.contains("Open *.mrg")) << withDialog.join(" | ").toStdString();
    EXPECT_TRUE(withDialog.contains(title)) << withDialog.join(" | ").toStdString();
    EXPECT_EQ(withDialog.size(), 2) << withDialog.join(" | ").toStdString();

    editor.kill();
    editor.waitForFinished(5000);
}
