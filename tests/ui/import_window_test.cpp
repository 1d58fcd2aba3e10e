// Tracks in and pictures out through the main window: another pack's tracks
// and ".lev" files land at the ends of their groups in one undoable step,
// dropped files do the same, a track goes out as ".lev", pictures come out.
#include "../core/settings_files.h"
#include "editor_window_util.h"
#include "list/ui/copy_dialog.h"
#include "pack/track_import.h"
#include "text/lang_added.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QStatusBar>
#include <QTableView>
#include <QUrl>

using namespace korvo;
using namespace korvo::test;

namespace {

// The user ticks the given dialog rows (with the mouse and Enter) and copies.
std::function<bool(CopyTracksDialog&)> tick(std::vector<int> rows) {
    return [rows](CopyTracksDialog& dialog) {
        QItemSelection picked;
        for (int r : rows) {
            const QModelIndex i = dialog.copyto->model()->index(r, 0);
            picked.select(i, i);
        }
        dialog.copyto->selectionModel()->select(picked, QItemSelectionModel::ClearAndSelect);
        dialog.listKeyPressed(Qt::Key_Return);
        return true;
    };
}

// Drags the files over the window and drops them there when it takes them;
// whether it took them.
bool dropOnto(MainWindow& w, const QStringList& files) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& f : files) urls << QUrl::fromLocalFile(f);
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(&w, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &drop);
    return true;
}

} // namespace

TEST(ImportWindow, TracksOfAnotherPackAndLevFilesGoToTheEndsOfTheirGroups) {
    BaseFolder base({{"a"}, {"b"}, {"c"}});
    const QByteArray original = fileBytes(base.path("levels.mrg"));
    writeNamedPack(base.path("other.mrg"), {{"e1"}, {"m1", "m2"}, {}});
    putFile(base.path("hill.lev"), QByteArray(40, '\x05'));
    Started s;
    MainWindow& w = s.window;

    // Rows of the other pack: 0 Easy, 1 e1, 2 Medium, 3 m1, 4 m2, 5 Hard.
    s.prompts->paths = {base.path("other.mrg")};
    s.prompts->copyDialog = tick({1, 4});
    ctl<QAction>(w, "N9")->trigger();
    EXPECT_EQ(w.statusText(4), "[2/2/1]");
    s.prompts->fileLists = {base.path("hill.lev")};
    s.prompts->copyDialog = tick({0});
    ctl<QAction>(w, "levv11")->trigger();
    EXPECT_EQ(w.statusText(4), "[3/2/1]");
    EXPECT_EQ(s.prompts->lastFilter, "Level (*.lev)");
    ctl<QAction>(w, "N6")->trigger();
    EXPECT_EQ(packLayout(base.path("levels.mrg")), "E: a e1 hill | M: b m2 | H: c");

    // A dropped .lev file opens the dialog too; Escape there copies nothing.
    s.prompts->copyDialog = [](CopyTracksDialog& dialog) {
        dialog.listKeyPressed(Qt::Key_Escape);
        return false;
    };
    EXPECT_TRUE(dropOnto(w, {base.path("hill.lev")}));
    EXPECT_EQ(w.statusText(4), "[3/2/1]");
    // A drag the window refuses tells why in the status bar.
    EXPECT_FALSE(dropOnto(w, {base.path("other.mrg"), base.path("hill.lev")}));
    EXPECT_EQ(w.statusBar()->currentMessage(), w.app().Lang[kLineDropMixed]);

    // Both imports are steps: taken back, the pack is the file it was.
    auto* undo = ctl<QAction>(w, "EditUndo");
    EXPECT_EQ(undo->text(), "Undo import tracks");
    undo->trigger();
    undo->trigger();
    ctl<QAction>(w, "N6")->trigger();
    EXPECT_EQ(fileBytes(base.path("levels.mrg")), original);

    openRow(s, 1);
    EXPECT_FALSE(dropOnto(w, {base.path("hill.lev")}));
    EXPECT_EQ(w.statusBar()->currentMessage(), w.app().Lang[kLineDropWhileEditing]);
}

TEST(ImportWindow, ATrackGoesOutAsLevAndThePicturesComeOut) {
    BaseFolder base({{"A/B:C.d", "b"}, {"c"}, {}});
    Started s;
    MainWindow& w = s.window;
    s.click(1);
    ctl<QAction>(w, "SaveLev")->trigger(); // cancelled
    EXPECT_EQ(s.prompts->lastFolder, base.path("A_B_C_d.lev"))
        << "what a file name cannot hold is offered as _";
    s.click(2); // b
    s.prompts->paths = {base.path("b.lev")};
    ctl<QAction>(w, "SaveLev")->trigger();
    TrackTable tracks;
    Rows rows;
    ASSERT_EQ(loadPackFile(base.path("levels.mrg"), tracks, rows), "");
    EXPECT_EQ(fileBytes(base.path("b.lev")).toStdString(), std::string(levBytes(tracks[2])));

    ctl<QAction>(w, "N13")->trigger(); // "images" is missing: the message names it
    ASSERT_EQ(s.prompts->shown.size(), 1);
    EXPECT_TRUE(s.prompts->shown[0].contains(QDir::toNativeSeparators(base.path("images"))));
    QDir(base.path("")).mkdir("images");
    ctl<QAction>(w, "N13")->trigger();
    ASSERT_EQ(s.prompts->shown.size(), 2);
    EXPECT_EQ(s.prompts->shown[1], w.app().Lang[37] + "\n\n3 pictures written.")
        << "the run ends telling where the pictures are and how many";
    EXPECT_FALSE(s.prompts->errors[1]);
    EXPECT_EQ(QDir(base.path("images")).entryList({"*.gif"}, QDir::Files),
              (QStringList{"11-A_B_C_d.gif", "12-b.gif", "21-c.gif"}));
    EXPECT_EQ(fileBytes(base.path("images/bdpic.dat")),
              "1|A/B:C.d|11-A_B_C_d.gif\r\n1|b|12-b.gif\r\n2|c|21-c.gif\r\n");
    QFile::remove(base.path("images/12-b.gif"));
    ctl<QAction>(w, "N12")->trigger(); // the selected track again, alone
    EXPECT_TRUE(fileBytes(base.path("images/12-b.gif")).startsWith("GIF89a"));
    ASSERT_EQ(s.prompts->shown.size(), 3);
    EXPECT_EQ(s.prompts->shown[2], w.app().Lang[37]);
    // A group's header clicked after a track: the track selected last.
    QFile::remove(base.path("images/12-b.gif"));
    s.click(0);
    ctl<QAction>(w, "N12")->trigger();
    ASSERT_EQ(s.prompts->shown.size(), 4);
    EXPECT_EQ(s.prompts->shown[3], w.app().Lang[37]);
    EXPECT_TRUE(fileBytes(base.path("images/12-b.gif")).startsWith("GIF89a"));
    s.view()->clearSelection(); // nothing selected: nothing to picture
    ctl<QAction>(w, "N12")->trigger();
    ASSERT_EQ(s.prompts->shown.size(), 5);
    EXPECT_EQ(s.prompts->shown[4], w.app().Lang[38]);
    EXPECT_TRUE(s.prompts->errors[4]);
}
