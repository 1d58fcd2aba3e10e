// Flows through the real main window: start-up, selection, moves, clone,
// delete, drops, the pack file commands and the close rules.
#include "../core/settings_files.h"
#include "app/image_box.h"
#include "list/ui/levels_list_view.h"
#include "list/ui/levels_tree_view.h"
#include "settings/ui/mnemonics.h"
#include "window_test_util.h"

#include <QAction>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

using namespace korvo;
using namespace korvo::test;

TEST(MainWindow, StartsOnThePackOfTheBaseFolderInItsLayout) {
    BaseFolder base(kSixTracks);
    Started s;
    const QString path = base.path("levels.mrg");
    EXPECT_EQ(s.window.windowTitle(), "Korvo Track Editor 3 - " + QDir::toNativeSeparators(path));
    EXPECT_EQ(s.window.document().fileName(), path);
    EXPECT_FALSE(s.window.app().Flags.FirstActivate);
    EXPECT_FALSE(s.window.app().Flags.PackWasMissing);
    EXPECT_EQ(s.window.statusText(4), "[3/2/1]");
    EXPECT_EQ(s.window.statusText(2), s.window.app().Lang[53]);
    EXPECT_EQ(s.window.statusText(3), s.window.app().Lang[55]);
    EXPECT_TRUE(ctl<LevelsListView>(s.window, "LevelsList")->isVisible());
    EXPECT_FALSE(ctl<LevelsTreeView>(s.window, "LevelsTree")->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), s.view()) << "the keys start in the list";
    ASSERT_EQ(s.view()->model()->rowCount(), 9);
    EXPECT_EQ(s.view()->model()->index(0, 0).data().toString(), "---===  Easy  ===---");
    EXPECT_EQ(s.view()->model()->index(4, 0).data().toString(), "---===  Medium  ===---");
    EXPECT_EQ(s.view()->model()->index(5, 0).data().toString(), "4/d");
    EXPECT_EQ(s.window.list().selectedRow(), 1); // the first track row is selected...
    for (const char* on : {"DownItem", "CopyItem", "DelItem", "EditTrackBtn"})
        EXPECT_TRUE(ctl<QAction>(s.window, on)->isEnabled()) << on; // ...and its commands are on
    auto ink = [](const QImage& img) {
        qint64 alpha = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) alpha += qAlpha(img.pixel(x, y));
        return alpha;
    };
    for (const char* off : {"UpItem", "preimg", "AddPoint", "DelPoint", "movemap", "motopic"}) {
        const QAction* a = ctl<QAction>(s.window, off);
        EXPECT_FALSE(a->isEnabled()) << off;
        // A command that is off looks off: its picture is faint.
        const QImage on = a->icon().pixmap(16, QIcon::Normal).toImage();
        const QImage shown = a->icon().pixmap(16, QIcon::Disabled).toImage();
        EXPECT_LT(ink(shown), ink(on) / 2) << off;
    }
    EXPECT_FALSE(ctl<QAction>(s.window, "N2")->isEnabled());
    EXPECT_FALSE(ctl<QAction>(s.window, "N5")->isVisible());

    // The layout: sizes, panels, menus and the tool bar's order.
    EXPECT_EQ(s.window.width(), 988);
    EXPECT_EQ(s.window.height() - s.window.menuBar()->height(), 659);
    EXPECT_EQ(ctl<QWidget>(s.window, "Panel2")->parentWidget()->width(), 188);
    EXPECT_EQ(ctl<QToolBar>(s.window, "ToolBar1")->height(), 31);
    EXPECT_EQ(s.window.statusBar()->height(), 20);
    const int widths[] = {110, 0, 400, 100};
    auto* pointer = ctl<QLabel>(s.window, "StatusPanel0");
    EXPECT_GE(pointer->width(), 110);
    EXPECT_GE(pointer->contentsRect().width(),
              pointer->fontMetrics().horizontalAdvance("X = 63373;  Y = -1270"))
        << "the widest track's coordinates fit";
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(ctl<QLabel>(s.window, qPrintable("StatusPanel" + QString::number(i)))->width(),
                  widths[i]);
    EXPECT_GE(ctl<QLabel>(s.window, "StatusPanel4")->width(), 50);
    EXPECT_TRUE(ctl<QWidget>(s.window, "Panel7")->isVisible());
    EXPECT_FALSE(ctl<QWidget>(s.window, "Panel5")->isVisible());
    const auto* panel = s.window.findChild<QWidget*>("Panel1"); // built as a track first opens
    EXPECT_TRUE(!panel || !panel->isVisible());
    EXPECT_EQ(ctl<TrackCanvas>(s.window, "MapImg")->size(), QSize(820, 554));
    // Alt and the marked letter open each menu.
    for (auto [key, menu] :
         {std::pair{Qt::Key_F, "N1"}, {Qt::Key_E, "EditMenu"}, {Qt::Key_H, "N3"}}) {
        QTest::keyClick(&s.window, key, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return ctl<QMenu>(s.window, menu)->isVisible(); }, 1000))
            << menu;
        ctl<QMenu>(s.window, menu)->close();
    }
    QStringList tools;
    for (QAction* a : ctl<QToolBar>(s.window, "ToolBar1")->actions())
        if (!a->isSeparator()) tools << a->objectName();
    EXPECT_EQ(tools.join(' '), "UpItem DownItem CopyItem DelItem EditTrackBtn EditUndo EditRedo "
                               "preimg AddPoint DelPoint movemap motopic ZoomFit RideBtn");
    QStringList file;
    for (QAction* a : ctl<QMenu>(s.window, "N1")->actions()) file << withoutMnemonic(a->text());
    EXPECT_EQ(file.first(), "New *.mrg"); // English, the language of a first start
    EXPECT_EQ(file.last(), "Exit");
    QStringList popup;
    for (QAction* a : ctl<QMenu>(s.window, "PopupMenu1")->actions()) popup << a->objectName();
    EXPECT_EQ(popup.join(' '), "N10 N22 N23 N24 N25 SaveLev");
}

TEST(MainWindow, ClickingRowsSelectsTracksAndSetsTheButtons) {
    BaseFolder base(kSixTracks);
    Started s;
    s.click(5); // d, the first Medium track
    EXPECT_EQ(s.window.list().current().Row, 5);
    EXPECT_EQ(s.window.list().current().Track, 4);
    EXPECT_EQ(s.window.list().current().Caption, "4/d");
    EXPECT_TRUE(ctl<QAction>(s.window, "UpItem")->isEnabled());
    EXPECT_TRUE(ctl<QAction>(s.window, "DownItem")->isEnabled());
    EXPECT_TRUE(ctl<QAction>(s.window, "EditTrackBtn")->isEnabled());

    s.click(4); // the Medium header: buttons off, selection state kept
    EXPECT_FALSE(ctl<QAction>(s.window, "UpItem")->isEnabled() ||
                 ctl<QAction>(s.window, "DelItem")->isEnabled() ||
                 ctl<QAction>(s.window, "EditTrackBtn")->isEnabled());
    EXPECT_EQ(s.window.list().current().Track, 4);

    s.click(1);
    EXPECT_FALSE(ctl<QAction>(s.window, "UpItem")->isEnabled());
    // Ctrl-click further rows: the state describes the topmost selected row.
    s.click(8, Qt::ControlModifier);
    EXPECT_EQ(s.window.list().current().Row, 1);
    EXPECT_EQ(s.window.list().currentRows(), (std::vector<int>{1, 8}));

    // The Down arrow moves on; onto a header row it changes nothing: the
    // commands and the selection state keep the last track's.
    s.click(3);
    QTest::keyClick(s.view(), Qt::Key_Down);
    EXPECT_EQ(s.window.list().selectedRow(), 4);
    EXPECT_EQ(s.window.list().current().Row, 3);
    for (const char* on : {"UpItem", "DownItem", "CopyItem", "DelItem", "EditTrackBtn"})
        EXPECT_TRUE(ctl<QAction>(s.window, on)->isEnabled()) << on;
    QTest::keyClick(s.view(), Qt::Key_Down);
    EXPECT_EQ(s.window.list().current().Row, 5);
    // End and the page keys select like the arrows: the commands then act on
    // the row shown selected, not on one scrolled out of sight.
    QTest::keyClick(s.view(), Qt::Key_End);
    EXPECT_EQ(s.window.list().current().Row, 8);
    EXPECT_EQ(s.window.list().current().Caption, "6/f");
    EXPECT_FALSE(ctl<QAction>(s.window, "DownItem")->isEnabled());
    s.click(1);
    QTest::keyClick(s.view(), Qt::Key_PageDown);
    EXPECT_EQ(s.window.list().current().Row, s.window.list().selectedRow());
    EXPECT_GT(s.window.list().current().Row, 1);
    // Typing the start of a caption jumps there and selects like a click.
    s.click(1);
    QTest::keyClick(s.view(), Qt::Key_5);
    EXPECT_EQ(s.window.list().current().Caption, "5/e");
    // The right-click menu's items run only while their button is on.
    s.click(1);
    ctl<QAction>(s.window, "N10")->trigger();
    EXPECT_EQ(s.caption(1), "1/a");
    ctl<QAction>(s.window, "N22")->trigger();
    EXPECT_EQ(s.caption(2), "1/a");
}

TEST(MainWindow, MoveAndSaveReadsBackInTheNewOrderAndCloseAsksAboutChanges) {
    BaseFolder base(kSixTracks);
    Started s;
    s.click(5); // d
    ctl<QAction>(s.window, "UpItem")->trigger();
    EXPECT_EQ(s.window.statusText(4), "[4/1/1]");
    EXPECT_EQ(s.window.statusText(3), s.window.app().Lang[54]);
    EXPECT_EQ(s.window.list().selectedRow(), 4);
    // Alt+Down moves it back into Medium, then on behind e.
    QTest::keyClick(s.view(), Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(s.view(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(s.window.statusText(4), "[3/2/1]");
    EXPECT_EQ(s.caption(6), "4/d");
    ctl<QAction>(s.window, "N6")->trigger(); // File > Save
    EXPECT_FALSE(s.window.document().modified());
    EXPECT_EQ(s.window.statusText(3), s.window.app().Lang[55]);
    EXPECT_EQ(packLayout(base.path("levels.mrg")), "E: a b c | M: e d | H: f");
    EXPECT_TRUE(QFileInfo::exists(base.path("levels.mrg.old")));
    EXPECT_EQ(packLayout(base.path("levels.mrg.old")), "E: a b c | M: d e | H: f");

    // Closing with a change unsaved asks; No keeps the window, and Exit asks
    // the same; Yes closes.
    s.click(2);
    ctl<QAction>(s.window, "DownItem")->trigger();
    s.prompts->answers = {false};
    s.window.close();
    ASSERT_EQ(s.prompts->asked.size(), 1);
    EXPECT_EQ(s.prompts->asked[0],
              s.window.app().Lang.format(57, QDir::toNativeSeparators(base.path("levels.mrg"))));
    EXPECT_TRUE(s.window.isVisible());
    EXPECT_FALSE(s.window.app().Flags.MayClose);
    s.prompts->answers = {true};
    ctl<QAction>(s.window, "N7")->trigger();
    EXPECT_EQ(s.prompts->asked.size(), 2);
    EXPECT_FALSE(s.window.isVisible());
    EXPECT_TRUE(s.window.app().Flags.MayClose);
}

// The tool bar from the keyboard: Tab goes on from the list to its buttons
// and Space presses one, while a click on one leaves the focus where it was;
// the tip of a command that has a shortcut names it.
TEST(MainWindow, TabReachesTheToolBarAndItsTipsNameTheShortcuts) {
    BaseFolder base(kSixTracks);
    Started s;
    MainWindow& w = s.window;
    s.click(2); // b
    ASSERT_TRUE(s.view()->hasFocus());
    QTest::mouseClick(ctl<QToolButton>(w, "DownItemButton"), Qt::LeftButton);
    EXPECT_EQ(s.caption(3), "2/b");
    EXPECT_TRUE(s.view()->hasFocus()) << "the click left the focus in the list";
    auto* up = ctl<QToolButton>(w, "UpItemButton");
    for (int i = 0; i < 20 && !up->hasFocus(); ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(up->hasFocus());
    QTest::keyClick(up, Qt::Key_Space);
    EXPECT_EQ(s.caption(2), "2/b");

    auto tip = [&w](const char* button) {
        auto* b = ctl<QToolButton>(w, button);
        QHelpEvent show(QEvent::ToolTip, QPoint(4, 4), b->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(b, &show);
        return QToolTip::text();
    };
    EXPECT_EQ(tip("UpItemButton"), "Move up (Alt+Up)");
    EXPECT_EQ(tip("EditUndoButton"), "Undo move track (Ctrl+Z)");
    EXPECT_EQ(tip("RideBtnButton"), "Ride (F5)");
    EXPECT_EQ(tip("CopyItemButton"), "Clone track") << "no shortcut, no keys";
}

TEST(MainWindow, CloneAndDeleteThroughTheButtonsAndKeys) {
    BaseFolder base(kSixTracks);
    Started s;
    s.click(2); // b
    ctl<QAction>(s.window, "CopyItem")->trigger();
    EXPECT_EQ(s.caption(3), "7/_b");
    EXPECT_EQ(s.window.statusText(4), "[4/2/1]");

    // Rows 2 and 6 with the Medium header: asked about the two tracks.
    s.click(2);
    s.click(5, Qt::ControlModifier);
    s.click(6, Qt::ControlModifier);
    s.prompts->answers = {true};
    QTest::keyClick(s.view(), Qt::Key_Delete);
    ASSERT_EQ(s.prompts->asked.size(), 1);
    EXPECT_EQ(s.prompts->asked[0], s.window.app().Lang.format(63, 2));
    EXPECT_EQ(s.window.statusText(4), "[3/1/1]");
    ctl<QAction>(s.window, "N6")->trigger();
    EXPECT_EQ(packLayout(base.path("levels.mrg")), "E: a _b c | M: e | H: f");

    // No keeps the rows.
    s.click(1);
    s.prompts->answers = {false};
    ctl<QAction>(s.window, "DelItem")->trigger();
    EXPECT_EQ(s.window.document().Rows.size(), 8);
    EXPECT_FALSE(s.window.document().modified());

    // A clone into a full table is refused: the rows hold six tracks, the
    // other records belong to deleted tracks.
    s.window.document().Tracks.TrackCount = kMaxTracks;
    ctl<QAction>(s.window, "CopyItem")->trigger();
    ASSERT_EQ(s.prompts->shown.size(), 1);
    EXPECT_TRUE(s.prompts->shown[0].startsWith("All 4095 track records are in use"));
    EXPECT_EQ(s.window.document().Rows.size(), 8);
    EXPECT_FALSE(s.window.document().modified());
}

TEST(MainWindow, DropsInTheList) {
    BaseFolder base(kSixTracks);
    Started s;
    s.click(5);                      // d
    s.click(6, Qt::ControlModifier); // e
    emit ctl<LevelsListView>(s.window, "LevelsList")
        ->events()
        ->rowsDropped(s.pointOfRow(1)); // onto a
    EXPECT_EQ(s.window.statusText(4), "[5/0/1]");
    EXPECT_EQ(s.caption(1), "5/e"); // above the rows: reverse order
    EXPECT_EQ(s.caption(2), "4/d");
    EXPECT_TRUE(s.window.document().modified());
    // Onto the Easy header nothing moves.
    emit ctl<LevelsListView>(s.window, "LevelsList")->events()->rowsDropped(s.pointOfRow(0));
    EXPECT_EQ(s.caption(1), "5/e");
    // Below the last row: they join Hard, in their row order.
    emit ctl<LevelsListView>(s.window, "LevelsList")
        ->events()
        ->rowsDropped(QPoint(5, s.view()->viewport()->height() - 2));
    EXPECT_EQ(s.window.statusText(4), "[3/0/3]");
    ctl<QAction>(s.window, "N6")->trigger();
    EXPECT_EQ(packLayout(base.path("levels.mrg")), "E: a b c | M: | H: f e d");
}

TEST(MainWindow, AfterADropOrADeleteTheCommandsActOnWhatIsSelected) {
    BaseFolder base(kSixTracks);
    Started s;
    MainWindow& w = s.window;
    s.click(5);                      // d
    s.click(6, Qt::ControlModifier); // e
    emit ctl<LevelsListView>(w, "LevelsList")
        ->events()
        ->rowsDropped(s.pointOfRow(1)); // onto a: e, d head Easy
    ASSERT_EQ(s.caption(1), "5/e");
    EXPECT_EQ(w.list().current().Track, 5) << "the topmost selected row, where it stands now";
    EXPECT_FALSE(ctl<QAction>(w, "UpItem")->isEnabled());
    QTest::keyClick(&w, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(s.caption(2), "5/e");
    EXPECT_EQ(s.caption(1), "4/d");

    // Everything deleted: no command is offered for rows that are gone, and
    // the preview of a deleted track goes.
    ctl<LevelsListView>(w, "LevelsList")->selectAll();
    s.prompts->answers = {true};
    ctl<QAction>(w, "DelItem")->trigger();
    ASSERT_EQ(w.document().Rows.size(), 3);
    for (QAction* a :
         {ctl<QAction>(w, "UpItem"), ctl<QAction>(w, "DownItem"), ctl<QAction>(w, "CopyItem"),
          ctl<QAction>(w, "DelItem"), ctl<QAction>(w, "EditTrackBtn")})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    const QImage preview = ctl<ImageBox>(w, "previewimg")->image();
    int marked = 0;
    for (int y = 0; y < preview.height(); ++y)
        for (int x = 0; x < preview.width(); ++x)
            marked += preview.pixel(x, y) != preview.pixel(0, 0);
    EXPECT_EQ(marked, 0);
}

TEST(MainWindow, TreeViewShowsGroupsAndDropsWhereItCan) {
    BaseFolder base(kSixTracks);
    Started s(kTreeView);
    EXPECT_TRUE(ctl<LevelsTreeView>(s.window, "LevelsTree")->isVisible());
    EXPECT_FALSE(ctl<LevelsListView>(s.window, "LevelsList")->isVisible());
    EXPECT_EQ(ctl<LevelsListView>(s.window, "LevelsList")->model(),
              nullptr); // the other view stays empty
    EXPECT_EQ(s.view()->model()->rowCount(), 3);
    s.click(6); // e
    EXPECT_EQ(s.window.list().current().Node, 5);
    ctl<QAction>(s.window, "CopyItem")->trigger(); // the clone shows above e
    EXPECT_EQ(s.caption(6), "7/_e");
    EXPECT_EQ(s.caption(7), "5/e");
    ctl<QAction>(s.window, "UpItem")->trigger(); // e itself moves, wherever its row went
    EXPECT_EQ(s.caption(6), "5/e");

    s.click(1);
    emit ctl<LevelsTreeView>(s.window, "LevelsTree")
        ->events()
        ->rowsDropped(s.pointOfRow(4)); // the Medium header
    EXPECT_EQ(s.caption(1), "1/a");     // refused: Medium has tracks
    emit ctl<LevelsTreeView>(s.window, "LevelsTree")
        ->events()
        ->rowsDropped(QPoint(5, s.view()->viewport()->height() - 2));
    EXPECT_EQ(s.caption(9), "1/a"); // empty space: the end of Hard
    emit ctl<LevelsTreeView>(s.window, "LevelsTree")
        ->events()
        ->rowsDropped(s.pointOfRow(8)); // onto f
    EXPECT_EQ(s.caption(8), "1/a");
    EXPECT_EQ(s.window.statusText(4), "[2/3/2]");
    ctl<QAction>(s.window, "N6")->trigger();
    EXPECT_EQ(packLayout(base.path("levels.mrg")), "E: b c | M: d e _e | H: a f");
}

// No pack in the folder: a new one is started under its name, nothing is
// written before a save, and an empty pack closes without asking.
TEST(MainWindow, StartsANewPackWhenTheFolderHasNone) {
    BaseFolder base({});
    Started s;
    EXPECT_TRUE(s.window.app().Flags.PackWasMissing);
    EXPECT_EQ(s.window.statusText(4), "[0/0/0]");
    EXPECT_EQ(s.window.document().fileName(), base.path("levels.mrg"));
    EXPECT_EQ(s.window.document().Rows.size(), 3);
    EXPECT_FALSE(QFileInfo::exists(base.path("levels.mrg")));
    ctl<QAction>(s.window, "N6")->trigger();
    EXPECT_EQ(packLayout(base.path("levels.mrg")), "E: | M: | H:");
    s.window.document().history().push(new QUndoCommand("changed")); // unsaved
    s.window.close();
    EXPECT_TRUE(s.prompts->asked.isEmpty());
    EXPECT_FALSE(s.window.isVisible());
}

// A "levels.mrg" the reader refuses is kept as it is, told once the window is
// on the screen, and a new pack is started beside it.
TEST(MainWindow, ARefusedPackAtStartUpIsToldOnceTheWindowIsUp) {
    BaseFolder base({});
    putFile(base.path("levels.mrg"), "no pack at all");
    Started s;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !s.prompts->shown.isEmpty(); }, 2000));
    ASSERT_EQ(s.prompts->shown.size(), 1);
    EXPECT_TRUE(s.prompts->shown[0].endsWith("levels.mrg: The file is not a level pack."));
    EXPECT_TRUE(s.prompts->shownOverVisibleWindow[0]) << "not while the window comes up";
    EXPECT_EQ(s.window.document().fileName(), base.path("levels.new.mrg"));
    EXPECT_EQ(fileBytes(base.path("levels.mrg")), "no pack at all");
}

TEST(MainWindow, NewAndOpenAskBeforeUnsavedChangesAreLost) {
    BaseFolder base(kSixTracks);
    writeNamedPack(base.path("other.mrg"), {{"x"}, {}, {"y"}});
    Started s;
    s.click(2);
    ctl<QAction>(s.window, "DownItem")->trigger();
    s.prompts->answers = {false};
    ctl<QAction>(s.window, "N4")->trigger(); // New: No keeps everything
    EXPECT_EQ(s.prompts->asked.size(), 1);
    EXPECT_EQ(s.window.document().Rows.size(), 9);
    s.prompts->answers = {true};
    s.prompts->paths = {base.path("other.mrg")};
    ctl<QAction>(s.window, "N16")->trigger(); // Open
    ASSERT_EQ(s.prompts->asked.size(), 2);
    EXPECT_EQ(s.prompts->asked[1],
              s.window.app().Lang.format(72, QDir::toNativeSeparators(base.path("levels.mrg"))));
    EXPECT_EQ(s.prompts->lastFolder, QDir::currentPath());
    EXPECT_EQ(s.prompts->lastFilter, "Levels (*.mrg);;Quokka Levels (*.lvl)");
    EXPECT_EQ(s.window.document().fileName(), base.path("other.mrg"));
    EXPECT_EQ(s.window.statusText(4), "[1/0/1]");
    EXPECT_FALSE(s.window.document().modified());
    EXPECT_TRUE(s.window.windowTitle().endsWith("other.mrg"));

    // New on a saved pack asks nothing; beside a "levels.mrg" it is "levels.new.mrg".
    ctl<QAction>(s.window, "N4")->trigger();
    EXPECT_EQ(s.prompts->asked.size(), 2);
    EXPECT_EQ(s.window.document().fileName(), base.path("levels.new.mrg"));
    EXPECT_TRUE(s.window.windowTitle().endsWith("levels.new.mrg"));
    EXPECT_EQ(s.window.statusText(4), "[0/0/0]");
    EXPECT_EQ(s.window.document().Tracks.TrackCount, 0);
    EXPECT_EQ(s.view()->model()->rowCount(), 3);
}

TEST(MainWindow, AMalformedPackLeavesTheOpenPackUntouched) {
    BaseFolder base(kSixTracks);
    putFile(base.path("bad.mrg"), QByteArray("\0\0\0\x05\0\0", 6));
    Started s;
    s.click(2);
    ctl<QAction>(s.window, "DownItem")->trigger();
    s.prompts->answers = {true};
    s.prompts->paths = {base.path("bad.mrg")};
    ctl<QAction>(s.window, "N16")->trigger();
    ASSERT_EQ(s.prompts->shown.size(), 1);
    EXPECT_TRUE(s.prompts->shown[0].contains("bad.mrg"));
    EXPECT_TRUE(s.prompts->shown[0].endsWith("The file is not a level pack."));
    EXPECT_EQ(s.window.document().fileName(), base.path("levels.mrg"));
    EXPECT_TRUE(s.window.document().modified());
    EXPECT_EQ(s.caption(3), "2/b");
    EXPECT_EQ(s.window.statusText(4), "[3/2/1]");
}

TEST(MainWindow, OpeningAMissingFileStartsANewPack) {
    BaseFolder base(kSixTracks);
    Started s;
    s.prompts->paths = {base.path("typed.mrg")};
    ctl<QAction>(s.window, "N16")->trigger();
    EXPECT_TRUE(s.prompts->asked.isEmpty()); // nothing unsaved
    EXPECT_TRUE(s.window.app().Flags.PackWasMissing);
    EXPECT_EQ(s.window.document().fileName(), base.path("levels.new.mrg"));
    EXPECT_EQ(s.window.document().Rows.size(), 3);
}

// Save as writes the new file only (a cancelled one: see OpenTrackWindow).
TEST(MainWindow, SaveAsWritesTheNewFileOnly) {
    BaseFolder base(kSixTracks);
    Started s;
    const QByteArray before = fileBytes(base.path("levels.mrg"));
    s.click(1);
    ctl<QAction>(s.window, "DownItem")->trigger();
    s.prompts->paths = {base.path("copy.mrg")};
    ctl<QAction>(s.window, "DownItem")->trigger();
    ctl<QAction>(s.window, "mrg1")->trigger();
    EXPECT_EQ(s.window.document().fileName(), base.path("copy.mrg"));
    EXPECT_TRUE(s.window.windowTitle().endsWith("copy.mrg"));
    EXPECT_EQ(packLayout(base.path("copy.mrg")), "E: b c a | M: d e | H: f");
    EXPECT_EQ(fileBytes(base.path("levels.mrg")), before);
    EXPECT_EQ(s.prompts->lastFilter, "Levels (*.mrg)");

    // A Save as that fails (a folder that is not there) keeps the name, the
    // title and the next Save on the file the pack had.
    const QString title = s.window.windowTitle();
    s.prompts->paths = {base.path("nosuchdir/x.mrg")};
    ctl<QAction>(s.window, "mrg1")->trigger();
    ASSERT_EQ(s.prompts->errors, std::vector<bool>{true}) << "the failure is told";
    EXPECT_EQ(s.window.document().fileName(), base.path("copy.mrg"));
    EXPECT_EQ(s.window.windowTitle(), title);
    s.click(1);
    ctl<QAction>(s.window, "DownItem")->trigger();
    QTest::keySequence(&s.window, QKeySequence::Save);
    EXPECT_EQ(packLayout(base.path("copy.mrg")), "E: c b a | M: d e | H: f");
    EXPECT_FALSE(QFileInfo::exists(base.path("nosuchdir")));
}
