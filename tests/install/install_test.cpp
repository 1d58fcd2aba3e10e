// The installed program: `cmake --install` into a temporary prefix puts every
// file where the desktop looks for it, and the installed editor starts as the
// menu entry, a double click on a pack and a terminal start it. The editor is
// run offscreen with the hidden --quit-after-start, which ends it once its
// window is up and its start-up pack read.
#include "../core/settings_files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using korvo::test::fileBytes;

const QStringList kIconSizes = {"16", "22", "24", "32", "48", "64", "128", "256"};

// Files and empty folders below `root`, as paths relative to it.
QStringList tree(const QString& root) {
    QStringList found;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        if (entry.isDir() && !QDir(entry.filePath()).isEmpty()) continue;
        found << QDir(root).relativeFilePath(entry.filePath()) + (entry.isDir() ? "/" : "");
    }
    found.sort();
    return found;
}

struct Ended {
    int exitCode = -1;
    QByteArray out, err;
};

class Installed : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        prefix = dir_.filePath("prefix");
        home = dir_.filePath("home");
        start = dir_.filePath("start"); // the current folder of each start, kept empty
        ASSERT_TRUE(QDir().mkpath(home) && QDir().mkpath(start));
        QProcess install;
        install.start(CMAKE_EXE, {"--install", BUILD_DIR, "--prefix", prefix});
        ASSERT_TRUE(install.waitForFinished(120000));
        ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
        data = prefix + "/" DATA_DIR;
        bin = prefix + "/" BIN_DIR;
    }

    // The installed program `program` with `arguments`, found on PATH as the
    // desktop finds it, with the home folder and data folder of a fresh user.
    Ended run(const QString& program, const QStringList& arguments, bool display = true) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PATH", bin + ":" + env.value("PATH"));
        env.insert("HOME", home);
        env.insert("XDG_DATA_HOME", home + "/.local/share");
        env.insert("XDG_CONFIG_HOME", home + "/.config");
        env.insert("XDG_CACHE_HOME", home + "/.cache");
        if (display) {
            env.insert("QT_QPA_PLATFORM", "offscreen");
        } else {
            for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
                env.remove(name);
        }
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(start);
        p.start(QStandardPaths::findExecutable(program, {bin}), arguments);
        Ended r;
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            ADD_FAILURE() << program.toStdString() << " did not end by itself";
            return r;
        }
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }

    // The Exec line of the installed desktop entry, %f replaced by `file`
    // (nothing: started from the menu).
    Ended runDesktopEntry(const QString& file) {
        QString exec;
        for (const QByteArray& line : fileBytes(data + "/applications/korvote.desktop").split('\n'))
            if (line.startsWith("Exec=")) exec = QString::fromUtf8(line.mid(5));
        QStringList words = exec.split(' ', Qt::SkipEmptyParts);
        if (words.size() < 2) {
            ADD_FAILURE() << "no Exec line";
            return {};
        }
        const QString program = words.takeFirst();
        QStringList arguments;
        for (const QString& w : words)
            if (w != "%f")
                arguments << w;
            else if (!file.isEmpty())
                arguments << file;
        return run(program, arguments << "--quit-after-start");
    }

    QTemporaryDir dir_;
    QString prefix, home, start, data, bin;
};

TEST_F(Installed, EveryFileGoesWhereTheDesktopLooksForIt) {
    QStringList expected = {"bin/jarpacker",
                            "bin/jarpacker-window",
                            "bin/korvote",
                            "bin/trackpack",
                            DATA_DIR "/applications/korvote.desktop",
                            DATA_DIR "/icons/hicolor/scalable/apps/korvote.svg",
                            DATA_DIR "/korvote/images/",
                            DATA_DIR "/korvote/lang/english.lng",
                            DATA_DIR "/korvote/lang/russian.lng",
                            DATA_DIR "/korvote/tomail/",
                            DATA_DIR "/mime/packages/korvote.xml",
                            LIBEXEC_DIR "/korvote/trackpack-mail",
                            LIBEXEC_DIR "/korvote/trackpack-pictures"};
    for (const QString& size : kIconSizes)
        expected << DATA_DIR "/icons/hicolor/" + size + "x" + size + "/apps/korvote.png";
    expected.sort();
    // What the desktop's tools make of them is checked below.
    QStringList ours = tree(prefix);
    ours.removeIf([](const QString& path) {
        return (path.startsWith(DATA_DIR "/mime/") &&
                !path.startsWith(DATA_DIR "/mime/packages/")) ||
               path == DATA_DIR "/applications/mimeinfo.cache";
    });
    EXPECT_EQ(ours.join('\n').toStdString(), expected.join('\n').toStdString());

    for (const QString name : {"korvote", "trackpack", "jarpacker", "jarpacker-window"})
        EXPECT_TRUE(QFileInfo(bin + "/" + name).isExecutable()) << name.toStdString();
    for (const QString name : {"english.lng", "russian.lng"})
        EXPECT_EQ(fileBytes(data + "/korvote/lang/" + name), fileBytes(BASE_DIR "/lang/" + name));
    for (const QString& size : kIconSizes) {
        const QImage icon(data + "/icons/hicolor/" + size + "x" + size + "/apps/korvote.png");
        EXPECT_EQ(icon.size(), QSize(size.toInt(), size.toInt())) << size.toStdString();
        EXPECT_TRUE(icon.hasAlphaChannel()); // the rounded tile leaves the corners clear
    }

    const QByteArray entry = fileBytes(data + "/applications/korvote.desktop");
    EXPECT_TRUE(entry.contains("\nExec=korvote --user %f\n"));
    EXPECT_TRUE(entry.contains("\nIcon=korvote\n"));
    EXPECT_TRUE(entry.contains("\nMimeType=application/x-korvo-levels;\n"));
    // The databases were updated: "*.mrg" is a level pack, which the editor opens.
    if (!QStandardPaths::findExecutable("update-mime-database").isEmpty()) {
        EXPECT_TRUE(
            fileBytes(data + "/mime/globs2").contains(":application/x-korvo-levels:*.mrg\n"));
    }
    if (!QStandardPaths::findExecutable("update-desktop-database").isEmpty()) {
        EXPECT_TRUE(fileBytes(data + "/applications/mimeinfo.cache")
                        .contains("\napplication/x-korvo-levels=korvote.desktop;"));
    }
}

TEST_F(Installed, MenuEntryAndDoubleClickWorkInThePerUserFolder) {
    // The copy must come from the installed files, not from the source tree.
    const QString installedRussian = data + "/korvote/lang/russian.lng";
    {
        QFile f(installedRussian);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("installed copy\r\n");
    }

    const Ended menu = runDesktopEntry("");
    ASSERT_EQ(menu.exitCode, 0) << menu.err.toStdString();
    const QString user = home + "/.local/share/korvote";
    EXPECT_EQ(QFileInfo(user + "/opt.ini").size(), 224);
    EXPECT_EQ(fileBytes(user + "/lang/english.lng"), fileBytes(BASE_DIR "/lang/english.lng"));
    EXPECT_EQ(fileBytes(user + "/lang/russian.lng"), fileBytes(installedRussian));
    EXPECT_TRUE(QFileInfo(user + "/images").isDir());
    EXPECT_TRUE(QFileInfo(user + "/tomail").isDir());
    EXPECT_EQ(tree(start), QStringList()); // nothing scattered into the current folder
    EXPECT_FALSE(QFileInfo::exists(home + "/opt.ini"));

    // A double click on a pack in the home folder: the same folder, that pack.
    const QString pack = home + "/Downloads/my tracks.mrg";
    ASSERT_TRUE(QDir().mkpath(home + "/Downloads"));
    const Ended sample = run("trackpack", {"sample", pack, "--tracks", "5"});
    ASSERT_EQ(sample.exitCode, 0) << sample.err.toStdString();
    // The installed trackpack finds its installed helper for pictures.
    const Ended pictures = run("trackpack", {"pictures", pack, dir_.filePath("pictures")}, false);
    ASSERT_EQ(pictures.exitCode, 0) << pictures.err.toStdString();
    EXPECT_EQ(QDir(dir_.filePath("pictures")).entryList(QDir::Files).size(), 5 + 1);
    const QByteArray before = fileBytes(pack);
    const Ended click = runDesktopEntry(pack);
    ASSERT_EQ(click.exitCode, 0) << click.err.toStdString();
    EXPECT_TRUE(
        fileBytes(user + "/opt.ini").contains("[LastFiles]\r\n1=" + pack.toUtf8() + "\r\n"));
    EXPECT_EQ(fileBytes(pack), before);
    EXPECT_EQ(tree(start), QStringList());
    EXPECT_EQ(QDir(home + "/Downloads").entryList(QDir::Files), QStringList({"my tracks.mrg"}));
}

TEST_F(Installed, CommandLineNamesTheBaseFolderAndExplainsItself) {
    const QString base = dir_.filePath("base");
    ASSERT_TRUE(QDir().mkpath(base));
    Ended r = run("korvote", {"--base", base, "--quit-after-start"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QFileInfo(base + "/opt.ini").size(), 224);
    EXPECT_EQ(QDir(base).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"opt.ini"})); // a named folder is used as it is
    EXPECT_EQ(tree(start), QStringList());
    EXPECT_FALSE(QFileInfo::exists(home + "/.local/share/korvote"));

    r = run("korvote", {"--base", dir_.filePath("missing"), "--quit-after-start"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(dir_.filePath("missing").toUtf8() + " is not there"))
        << r.err.toStdString();
    r = run("korvote", {"--base", base, "--user", "--quit-after-start"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("--base and --user")) << r.err.toStdString();
    EXPECT_EQ(tree(start), QStringList());

    // --help needs no display.
    r = run("korvote", {"--help"}, false);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith("Usage: korvote [--base DIR | --user] [PACK]\n"))
        << r.out.toStdString();
    for (const char* word : {"--base <DIR>", "--user", "PACK", "levels.mrg"})
        EXPECT_TRUE(r.out.contains(word)) << word;
    EXPECT_FALSE(r.out.contains("quit-after-start"));
    r = run("trackpack", {"--help"}, false);
    EXPECT_EQ(r.exitCode, 0);
    // No language file where it runs: the built-in Russian texts, as the window would.
    EXPECT_TRUE(r.out.startsWith("использование: trackpack КОМАНДА")) << r.out.toStdString();
}

} // namespace
