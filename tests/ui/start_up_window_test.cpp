// Starts from a command line: a pack named on it opens instead of the base
// folder's "levels.mrg" (a missing or refused one is told once the window is
// up, and the start goes on without it), and --base names the folder the
// window reads and writes its files in.
#include "../core/settings_files.h"
#include "settings/base_folder.h"
#include "settings/command_line.h"
#include "window_test_util.h"

#include <QAction>
#include <QFileInfo>

using namespace korvo;
using namespace korvo::test;

namespace {

const Groups kBasePack = {{"a", "b", "c"}, {"d", "e"}, {"f"}};

// The window as main() makes it from `arguments`.
WindowStart startOf(const QStringList& arguments) {
    const CommandLine line = readCommandLine(arguments);
    EXPECT_EQ(line.error, "");
    const BaseChoice base = chooseBaseFolder(line, BASE_DIR, QString());
    EXPECT_EQ(base.error, "");
    return {base.folder, line.pack, base.problems};
}

QString title(const QString& path) {
    return "Korvo Track Editor 3 - " + QDir::toNativeSeparators(path);
}

} // namespace

TEST(StartUp, PackOnTheCommandLineOpensInsteadOfTheBaseFolders) {
    BaseFolder base(kBasePack);
    QDir().mkpath("packs");
    writeNamedPack(base.path("packs/mine.mrg"), {{"x", "y"}, {"z"}, {}});
    {
        Started s(kListView, startOf({"korvote", "packs/mine.mrg"}));
        EXPECT_EQ(s.prompts->shown, QStringList());
        EXPECT_EQ(s.window.document().fileName(), base.path("packs/mine.mrg"));
        EXPECT_EQ(s.window.windowTitle(), title(base.path("packs/mine.mrg")));
        EXPECT_EQ(s.window.statusText(4), "[2/1/0]");
        EXPECT_EQ(s.caption(1), "1/x");
        EXPECT_FALSE(s.window.document().modified());
        // Recorded like a pack opened with File > Open.
        EXPECT_EQ(s.window.packCommands().LastFilesList(),
                  QStringList({base.path("packs/mine.mrg")}));
        ctl<QAction>(s.window, "N4")->trigger(); // New: the new pack lies in the base folder
        EXPECT_EQ(s.window.document().fileName(), base.path("levels.new.mrg"));
    }

    putFile(base.path("bad.mrg"), "not a pack");
    for (const QString& refused : {base.path("missing.mrg"), base.path("bad.mrg")}) {
        Started s(kListView, startOf({"korvote", refused}));
        QTest::qWait(1);
        ASSERT_EQ(s.prompts->shown.size(), 1) << refused.toStdString();
        EXPECT_TRUE(
            s.prompts->shown[0].startsWith("The pack named at start-up was not opened:\n\n" +
                                           QDir::toNativeSeparators(refused) + ": "))
            << s.prompts->shown[0].toStdString();
        // The start goes on as without it.
        EXPECT_EQ(s.window.document().fileName(), base.path("levels.mrg"));
        EXPECT_EQ(s.window.windowTitle(), title(base.path("levels.mrg")));
        EXPECT_EQ(s.window.statusText(4), "[3/2/1]");
        EXPECT_FALSE(s.window.packCommands().LastFilesList().contains(refused));
        EXPECT_FALSE(QFileInfo::exists(base.path("missing.mrg")));
    }
}

TEST(StartUp, BaseFolderOnTheCommandLineHoldsTheWindowsFiles) {
    BaseFolder current(kBasePack, false);
    QTemporaryDir other;
    writeNamedPack(other.filePath("levels.mrg"), {{"p"}, {"q"}, {"r", "s"}});
    QDir(other.path()).mkpath("lang");
    QFile::copy(BASE_DIR "/lang/english.lng", other.filePath("lang/english.lng"));

    Started s(kListView, startOf({"korvote", "--base", other.path()}));
    EXPECT_EQ(s.window.app().BaseFolder, other.path());
    EXPECT_EQ(s.window.document().fileName(), other.filePath("levels.mrg"));
    EXPECT_EQ(s.window.statusText(4), "[1/1/2]");
    EXPECT_EQ(QFileInfo(other.filePath("opt.ini")).size(), 224);
    EXPECT_FALSE(QFileInfo::exists(current.path("opt.ini")));
    // The language file comes from there too (the current folder has none).
    EXPECT_EQ(ctl<QMenu>(s.window, "N1")->title(), "&File");
    EXPECT_EQ(s.prompts->shown, QStringList());

    s.prompts->answers = {true};
    ctl<QAction>(s.window, "N16")->trigger(); // Open: the dialog starts there (and is cancelled)
    EXPECT_EQ(s.prompts->lastFolder, other.path());
    ctl<QAction>(s.window, "N4")->trigger(); // New
    EXPECT_EQ(s.window.document().fileName(), other.filePath("levels.new.mrg"));
}
