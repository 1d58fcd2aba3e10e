// The installed program: `cmake --install` into a temporary prefix puts every
// file where the desktop looks for it, and the installed editor starts as the
// menu entry, a double click on a pack and a terminal start it. The editor is
// run offscreen with the hidden --quit-after-start, which ends it once its
// window is up and its start-up pack read.
#include "../core/settings_files.h"
#include "installed_files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace korvo::test;

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
    // desktop finds it, with the home folder and data folder of a fresh user,
    // and `locale` ("NAME=value" of LC_ALL, LC_MESSAGES and LANG, the others
    // unset; none: as the tests run).
    Ended run(const QString& program, const QStringList& arguments, bool display = true,
              const QStringList& locale = {}, const QString& folder = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!locale.isEmpty())
            for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) env.remove(name);
        for (const QString& setting : locale)
            env.insert(setting.section('=', 0, 0), setting.section('=', 1));
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
        p.setWorkingDirectory(folder.isEmpty() ? start : folder);
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
    const QStringList expected = installedFiles("");
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
    EXPECT_TRUE(r.out.startsWith("Usage: korvote [--base DIR | --user] [--recover | PACK]\n"))
        << r.out.toStdString();
    for (const char* word : {"--base <DIR>", "--user", "PACK", "levels.mrg"})
        EXPECT_TRUE(r.out.contains(word)) << word;
    EXPECT_FALSE(r.out.contains("quit-after-start"));
    // No "opt.ini" where it runs: the locale's language.
    r = run("trackpack", {"--help"}, false, {"LANG=ru_RU.UTF-8"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith("использование: trackpack КОМАНДА")) << r.out.toStdString();
    r = run("trackpack", {"--help"}, false, {"LANG=en_US.UTF-8"});
    EXPECT_TRUE(r.out.startsWith("usage: trackpack COMMAND")) << r.out.toStdString();
}

// Each program answers --version with the project's version, and the manual
// pages and the AppStream metadata carry the same number.
TEST_F(Installed, EveryProgramTellsTheVersionOfTheProject) {
    for (const QString name : {"korvote", "trackpack", "jarpacker"}) {
        const Ended r = run(name, {"--version"}, false);
        EXPECT_EQ(r.exitCode, 0) << name.toStdString();
        EXPECT_EQ(r.out.toStdString(), (name + " " KORVO_VERSION "\n").toStdString());
        EXPECT_EQ(r.err, "");
        const QString page = manualPageText(prefix + "/" MAN_DIR "/man1/" + name + ".1.gz");
        EXPECT_TRUE(page.contains("Korvo Track Editor " KORVO_VERSION " ")) << name.toStdString();
    }
    EXPECT_TRUE(fileBytes(data + "/metainfo/" APPSTREAM_ID ".metainfo.xml")
                    .contains("<release version=\"" KORVO_VERSION "\""));
}

// trackpack's commands as its help lists them, each with the options its
// entry names (the command's lines up to the next command); a blank line
// ends the list.
QMap<QString, QSet<QString>> commandsInHelp(const QString& help) {
    static const QRegularExpression entry("^  ([a-z][a-z-]*)(?: |$)");
    QMap<QString, QSet<QString>> commands;
    QString current;
    for (const QString& line : help.split('\n')) {
        if (!line.startsWith(' ')) current.clear();
        if (const QRegularExpressionMatch m = entry.match(line); m.hasMatch())
            current = m.captured(1);
        if (!current.isEmpty()) commands[current].unite(optionsIn(line));
    }
    return commands;
}

// The same of a manual page's COMMANDS section: an entry starts at the
// section's indent, its text lies deeper.
QMap<QString, QSet<QString>> commandsInPage(const QString& section) {
    static const QRegularExpression entry("^ {7}([a-z][a-z-]*)(?: |$)");
    QMap<QString, QSet<QString>> commands;
    QString current;
    for (const QString& line : section.split('\n')) {
        if (const QRegularExpressionMatch m = entry.match(line); m.hasMatch())
            current = m.captured(1);
        if (!current.isEmpty()) commands[current].unite(optionsIn(line));
    }
    return commands;
}

// The names in order, one line, as a failure shows them.
std::string listed(const QStringList& names) {
    QStringList list = names;
    list.sort();
    return list.join(' ').toStdString();
}
std::string listed(const QSet<QString>& names) {
    return listed(QStringList(names.begin(), names.end()));
}

// Every command and option --help prints is in the program's manual page,
// and the page names none that --help does not.
TEST_F(Installed, ManualPagesNameEveryCommandAndOptionTheHelpPrints) {
    for (const QString name : {"korvote", "trackpack", "jarpacker"}) {
        SCOPED_TRACE(name.toStdString());
        const Ended help = run(name, {"--help"}, false, {"LANG=en_US.UTF-8"});
        ASSERT_EQ(help.exitCode, 0);
        const QString page = manualPageText(prefix + "/" MAN_DIR "/man1/" + name + ".1.gz");
        ASSERT_TRUE(page.contains("\nNAME\n")) << page.toStdString();
        const QSet<QString> options = optionsIn(QString::fromUtf8(help.out));
        EXPECT_TRUE(options.contains("--help") && options.contains("--version"));
        EXPECT_EQ(listed(optionsIn(page)), listed(options));
        if (name != "trackpack") continue;
        const auto inHelp = commandsInHelp(QString::fromUtf8(help.out));
        const auto inPage = commandsInPage(manualSection(page, "COMMANDS"));
        EXPECT_EQ(inHelp.keys().size(), 10);
        EXPECT_EQ(listed(inPage.keys()), listed(inHelp.keys()));
        for (const QString& command : inHelp.keys())
            EXPECT_EQ(listed(inPage.value(command)), listed(inHelp[command]))
                << command.toStdString();
    }
    // jarpacker-window's page is jarpacker's.
    EXPECT_EQ(QFileInfo(prefix + "/" MAN_DIR "/man1/jarpacker-window.1.gz").symLinkTarget(),
              prefix + "/" MAN_DIR "/man1/jarpacker.1.gz");
}

// What bash's completion for trackpack offers after `words` (the last one
// being completed), in `folder`.
QStringList completions(const QString& script, const QString& folder, const QStringList& words) {
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start("bash", QStringList{"-c",
                                "source \"$0\" && COMP_WORDS=(\"$@\") && COMP_CWORD=$(($# - 1)) && "
                                "_trackpack; printf '%s\\n' \"${COMPREPLY[@]}\"",
                                script} +
                        words);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        ADD_FAILURE() << words.join(' ').toStdString() << ": "
                      << p.readAllStandardError().toStdString();
        return {};
    }
    QStringList offered = QString::fromUtf8(p.readAllStandardOutput()).split('\n');
    offered.removeAll(QString());
    return offered;
}

// bash completes trackpack's commands and each command's options as --help
// lists them, packs where a pack goes, track files where a track file goes,
// folders for pictures, and leaves track numbers and option values alone.
TEST_F(Installed, CompletionOffersWhatEachPlaceOfTheCommandLineTakes) {
    const QString script = data + "/bash-completion/completions/trackpack";
    const QString work = dir_.filePath("work");
    ASSERT_TRUE(QDir().mkpath(work + "/sub"));
    for (const char* name : {"a.mrg", "B.MRG", "c.lev", "d.txt", "mrg"})
        putFile(work + "/" + name, "x");

    const Ended help = run("trackpack", {"--help"}, false, {"LANG=en_US.UTF-8"});
    const auto commands = commandsInHelp(QString::fromUtf8(help.out));
    ASSERT_EQ(commands.size(), 10);
    EXPECT_EQ(listed(completions(script, work, {"trackpack", ""})),
              listed(commands.keys() << "--help"
                                     << "--version"));
    for (const QString& command : commands.keys())
        EXPECT_EQ(listed(completions(script, work, {"trackpack", command, "-"})),
                  listed(commands[command]))
            << command.toStdString();

    const QStringList packs = {"B.MRG", "a.mrg", "sub"}, tracks = {"c.lev", "sub"};
    struct Case {
        QStringList words;
        QStringList offered;
    };
    for (const Case& c :
         {Case{{"info", ""}, packs}, Case{{"resave", "a.mrg", ""}, packs},
          Case{{"import", "a.mrg", "out.mrg", "--from", ""}, packs},
          Case{{"import", "a.mrg", "out.mrg", "--lev", "x.lev", ""}, tracks},
          Case{{"export-lev", "a.mrg", ""}, {}}, Case{{"export-lev", "a.mrg", "2", ""}, tracks},
          Case{{"ride", "a.mrg", ""}, {}}, Case{{"sample", "out.mrg", "--tracks", ""}, {}},
          Case{{"import", "a.mrg", "out.mrg", "--pick", ""}, {}},
          Case{{"pictures", "a.mrg", ""}, {"sub"}},
          Case{{"pictures", "a.mrg", "sub", "--ratio", ""}, {}}}) {
        EXPECT_EQ(listed(completions(script, work, QStringList{"trackpack"} + c.words)),
                  listed(c.offered))
            << c.words.join(' ').toStdString();
    }
}

// Without "opt.ini" the command lines read the installed language file of
// the locale (the helper programs in libexec too), unless the folder they
// run in has its own.
TEST_F(Installed, CommandLinesReadTheInstalledLanguageFiles) {
    const QString installed = data + "/korvote/lang/english.lng";
    QByteArray english = fileBytes(installed);
    english.replace("file ends inside the directory (group %1 count)", "installed: group %1 cut");
    english.replace("three files are needed", "installed: three files");
    putFile(installed, english);
    const QString work = dir_.filePath("work");
    ASSERT_TRUE(QDir().mkpath(work));
    putFile(work + "/bad.mrg", QByteArray("\0\0\0\0", 4));

    const QStringList inEnglish = {"LANG=en_US.UTF-8"};
    Ended r = run("trackpack", {"count", "bad.mrg"}, false, inEnglish, work);
    EXPECT_TRUE(r.err.contains("installed: group 2 cut")) << r.err.toStdString();
    r = run("trackpack", {"pictures", "bad.mrg", "out"}, false, inEnglish, work);
    EXPECT_TRUE(r.err.contains("installed: group 2 cut")) << r.err.toStdString();
    r = run("jarpacker", {"bad.mrg"}, false, inEnglish, work);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.startsWith("jarpacker: installed: three files\n")) << r.err.toStdString();
    r = run("trackpack", {"count", "bad.mrg"}, false, {"LANG=ru_RU.UTF-8"}, work);
    EXPECT_TRUE(r.err.contains("файл кончается внутри оглавления")) << r.err.toStdString();

    ASSERT_TRUE(QDir().mkpath(work + "/lang"));
    ASSERT_TRUE(QFile::copy(BASE_DIR "/lang/english.lng", work + "/lang/english.lng"));
    r = run("trackpack", {"count", "bad.mrg"}, false, inEnglish, work);
    EXPECT_TRUE(r.err.contains("file ends inside the directory (group 2 count)"))
        << r.err.toStdString();
}

} // namespace
