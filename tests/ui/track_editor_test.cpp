// The track properties panel through the real main window: opening a track,
// changing it with the panel's controls, storing it and saving the pack, and
// starting, drawing and storing a new track.
#include "draw/map_draw.h"
#include "editor_window_util.h"
#include "pack/templates.h"
#include "render/track_preview.h"
#include "settings/ui/lang_apply.h"
#include "text/lang_added.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableWidget>

using namespace korvo;
using namespace korvo::test;

namespace {

std::vector<QAction*> sixMenuCommands(MainWindow& w) {
    return {ctl<QAction>(w, "N6"),     ctl<QAction>(w, "N9"),
            ctl<QAction>(w, "levv11"), ctl<QMenu>(w, "N11")->menuAction(),
            ctl<QAction>(w, "mrg1"),   ctl<QAction>(w, "N16")};
}

std::vector<QAction*> editorTools(MainWindow& w) {
    return {ctl<QAction>(w, "AddPoint"), ctl<QAction>(w, "DelPoint"), ctl<QAction>(w, "movemap"),
            ctl<QAction>(w, "motopic"), ctl<QAction>(w, "preimg")};
}

QString cell(QTableWidget* t, int row) {
    return t->item(row, 1)->text();
}

} // namespace

TEST(TrackEditor, AnOpenedTrackIsChangedByThePanelStoredAndSaved) {
    BaseFolder base({});
    writeHillPack(base);
    const QString path = base.path("levels.mrg");
    const std::string otherTrack = storedBlock(path, 1);
    Started s;
    MainWindow& w = s.window;
    std::vector<bool> menusBefore;
    for (QAction* a : sixMenuCommands(w)) menusBefore.push_back(a->isEnabled());

    openRow(s, 1);
    ASSERT_TRUE(panel(w)->isVisible());
    EXPECT_FALSE(ctl<QWidget>(w, "Panel2")->isVisible());
    EXPECT_TRUE(ctl<QWidget>(w, "Panel5")->isVisible());
    EXPECT_FALSE(ctl<QWidget>(w, "Panel7")->isVisible());
    EXPECT_TRUE(panel(w)->helpedit->isVisible());
    EXPECT_FALSE(panel(w)->helpnew->isVisible());
    EXPECT_FALSE(panel(w)->newTrackHelp->isVisible());
    EXPECT_EQ(cell(panel(w)->TrackProp, 0), "Hill");
    EXPECT_EQ(cell(panel(w)->TrackProp, 1), "3");
    EXPECT_EQ(ctl<TrackCanvas>(w, "MapImg")->width(), 300) << "the canvas ends at the last node";
    EXPECT_EQ(cell(panel(w)->fieldSizeTable, 0), "300");
    EXPECT_EQ(cell(panel(w)->fieldSizeTable, 1),
              QString::number(ctl<TrackCanvas>(w, "MapImg")->height()));
    EXPECT_EQ(panel(w)->ListLenT->currentIndex(), 0);
    EXPECT_FALSE(panel(w)->SaveTProp->isEnabled());
    for (QAction* a : editorTools(w)) EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    for (QAction* a : sixMenuCommands(w)) EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    EXPECT_EQ(w.statusText(2), w.app().Lang[47] + w.app().Lang[48]);

    panel(w)->TrackProp->item(0, 1)->setText("New hill"); // typed into the name cell
    EXPECT_TRUE(w.editor().track().modified());
    EXPECT_TRUE(panel(w)->SaveTProp->isEnabled());
    QTest::keyClick(panel(w)->ListLenT, Qt::Key_Down);
    QTest::keyClick(panel(w)->ListLenT, Qt::Key_Down);
    EXPECT_EQ(w.editor().session().record().Templ, 3);
    panel(w)->playerStep->setText("5");
    QTest::mouseClick(panel(w)->PlyrUp, Qt::LeftButton);
    EXPECT_EQ(w.editor().state().PlayerYOffset, -5);
    QTest::mouseClick(panel(w)->SaveTProp, Qt::LeftButton);

    EXPECT_TRUE(ctl<QWidget>(w, "Panel2")->isVisible());
    EXPECT_FALSE(panel(w)->isVisible());
    EXPECT_TRUE(ctl<QWidget>(w, "Panel7")->isVisible());
    EXPECT_EQ(s.caption(1), "1/New_hill");
    for (QAction* a : editorTools(w)) EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    const std::vector<QAction*> six = sixMenuCommands(w);
    for (size_t i = 0; i < six.size(); ++i)
        EXPECT_EQ(six[i]->isEnabled(), menusBefore[i]) << six[i]->text().toStdString();
    EXPECT_TRUE(w.document().modified());
    EXPECT_EQ(w.statusText(3), w.app().Lang[54]);

    ctl<QAction>(w, "N6")->trigger(); // File > Save
    EXPECT_FALSE(w.document().modified());
    EXPECT_EQ(storedName(path, 0), "New_hill");
    // Preset 3's header with 4 nodes and the player 5 pixels higher; the
    // steps up 20, down 50, up 30; the trailing byte kept.
    EXPECT_EQ(storedBlock(path, 0),
              editorBlock(3, {{100, 20}, {100, 205}, {100, 30}}, templateAnchorY(1) - 5, 0));
    EXPECT_EQ(storedBlock(path, 1), otherTrack);
}

// Editing without a selected track, and typed numbers that are none, are
// told and change nothing.
TEST(TrackEditor, NoSelectionAndFieldTextThatIsNoNumberChangeNothing) {
    BaseFolder base({});
    writeHillPack(base);
    Started s;
    MainWindow& w = s.window;
    s.view()->clearSelection();
    w.editor().openSelectedTrack();
    ASSERT_EQ(s.prompts->shown, QStringList{w.app().Lang[41]});
    EXPECT_TRUE(ctl<QWidget>(w, "Panel2")->isVisible()); // the list stays, no panel over it
    EXPECT_FALSE(ctl<QAction>(w, "EditTrackBtn")->isEnabled());

    openRow(s, 1);
    const QSize field = ctl<TrackCanvas>(w, "MapImg")->size();
    panel(w)->setField("500", "7x0");
    QTest::mouseClick(panel(w)->UpdateTInfo, Qt::LeftButton);
    ASSERT_EQ(s.prompts->shown.size(), 2);
    EXPECT_TRUE(s.prompts->shown.back().contains("7x0"));
    EXPECT_EQ(ctl<TrackCanvas>(w, "MapImg")->size(), field) << "a valid width alone is not applied";

    panel(w)->playerStep->setText("ten");
    QTest::mouseClick(panel(w)->PlyrDown, Qt::LeftButton);
    EXPECT_EQ(s.prompts->shown.size(), 3);
    EXPECT_EQ(w.editor().state().PlayerYOffset, 0);

    panel(w)->setField("500", "700");
    QTest::mouseClick(panel(w)->UpdateTInfo, Qt::LeftButton);
    EXPECT_EQ(ctl<TrackCanvas>(w, "MapImg")->size(), QSize(500, 700));
    EXPECT_EQ(s.prompts->shown.size(), 3);
}

TEST(TrackEditor, ANewTrackIsDrawnStoredAtTheHeadAndSaved) {
    BaseFolder base({{"a", "b", "c"}, {"d", "e"}, {"f"}});
    Started s;
    MainWindow& w = s.window;
    const int j = w.document().Tracks.TrackCount + 1;

    QTest::keyClicks(ctl<QLineEdit>(w, "NameNewTrack"), "my first track");
    QTest::mouseClick(ctl<QPushButton>(w, "NewTrack"), Qt::LeftButton);
    ASSERT_TRUE(panel(w)->isVisible());
    EXPECT_TRUE(panel(w)->newTrackHelp->isVisible());
    EXPECT_TRUE(panel(w)->helpnew->isVisible());
    EXPECT_FALSE(panel(w)->helpedit->isVisible());
    EXPECT_EQ(cell(panel(w)->TrackProp, 0), "my_first_track");
    EXPECT_EQ(cell(panel(w)->TrackProp, 1), "0");
    EXPECT_TRUE(ctl<QLineEdit>(w, "NameNewTrack")->text().isEmpty());
    EXPECT_EQ(cell(panel(w)->fieldSizeTable, 0), "1800");
    EXPECT_EQ(cell(panel(w)->fieldSizeTable, 1), "1800");
    EXPECT_EQ(ctl<TrackCanvas>(w, "MapImg")->width(), 1800);
    EXPECT_FALSE(panel(w)->SaveTProp->isEnabled());
    for (QAction* a : editorTools(w)) EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_EQ(w.document().Tracks.TrackCount, j - 1) << "no record until it is stored";
    EXPECT_EQ(w.document().Rows.size(), 9) << "no row until it is stored";

    QWidget* canvas = ctl<TrackCanvas>(w, "MapImg");
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(50, 300)); // node 1, on the zero line
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(100, 280));
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(500, 300)); // 127 to the right at most
    EXPECT_EQ(canvasPoint(w, 3), QPoint(227, 300));
    hover(canvas, QPoint(260, 500));
    EXPECT_EQ(w.editor().session().Gesture.RubberTo, QPoint(260, 127))
        << "the band goes 127 lower at most";
    EXPECT_EQ(w.statusText(0), "X = 260;  Y = -200");
    QTest::mouseClick(canvas, Qt::RightButton, {}, QPoint(260, 500));
    EXPECT_EQ(w.editor().state().NodeCount, 3) << "the right click adds no node";
    EXPECT_EQ(cell(panel(w)->TrackProp, 1), "2");
    EXPECT_TRUE(panel(w)->SaveTProp->isEnabled());
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(w.editor().state().NodeCount, 3) << "drawing has ended";
    // A preset picked keeps what the panel shows: the lines and a typed field.
    TrackPropertiesPanel* p = panel(w);
    p->setField("1800", "900");
    QTest::keyClick(p->ListLenT, Qt::Key_Down);
    EXPECT_EQ(cell(p->TrackProp, 1), "2");
    EXPECT_EQ(cell(p->fieldSizeTable, 1), "900");
    QTest::keyClick(p->ListLenT, Qt::Key_Up);
    // A value cell taking the focus never scrolls its label out of sight.
    for (QTableWidget* table : {p->TrackProp, p->fieldSizeTable}) {
        table->setFocus();
        table->setCurrentCell(1, 1);
        table->scrollTo(table->model()->index(1, 1), QAbstractItemView::PositionAtCenter);
        EXPECT_EQ(table->horizontalScrollBar()->value(), 0) << table->objectName().toStdString();
    }

    // Too short for any length: the finish would lie left of the start, and
    // the store asks first.
    s.prompts->answers = {true};
    QTest::mouseClick(panel(w)->SaveTProp, Qt::LeftButton);
    ASSERT_EQ(s.prompts->asked.back(), w.app().Lang[kLineNoLengthFits]);
    EXPECT_EQ(s.caption(1), std::to_string(j) + "/my_first_track");
    EXPECT_EQ(w.statusText(0), "") << "no canvas position is left with the list";
    EXPECT_EQ(w.list().selectedRow(), 1);
    EXPECT_EQ(w.statusText(4), "[4/2/1]");
    EXPECT_TRUE(ctl<QWidget>(w, "Panel7")->isVisible());

    ctl<QAction>(w, "N6")->trigger();
    const QString path = base.path("levels.mrg");
    EXPECT_EQ(storedName(path, 0), "my_first_track");
    // No preset chosen: preset 1. Up 20, then 127 right and down 20.
    EXPECT_EQ(storedBlock(path, 0), editorBlock(1, {{50, 20}, {127, 235}}, templateAnchorY(1), 0));
}

TEST(TrackEditor, NewTracksFollowNewLevelAndLeaveNoRowWhenDropped) {
    BaseFolder base({{"a", "b"}, {"c"}, {"d"}});
    Started s;
    MainWindow& w = s.window;
    w.app().NewLevel = 1;

    QTest::mouseClick(ctl<QPushButton>(w, "NewTrack"), Qt::LeftButton);
    ASSERT_EQ(s.prompts->shown.size(), 1);
    EXPECT_EQ(s.prompts->shown.front(), w.app().Lang[40]);
    EXPECT_TRUE(ctl<QWidget>(w, "Panel2")->isVisible()); // the list stays, no panel over it
    EXPECT_EQ(QApplication::focusWidget(), ctl<QLineEdit>(w, "NameNewTrack"));

    drawNewTrack(w, "at the end", {{20, 200}, {80, 180}});
    s.prompts->answers = {true}; // yes, store it though it is short
    QTest::mouseClick(panel(w)->SaveTProp, Qt::LeftButton);
    const int last = w.document().Rows.size() - 1;
    EXPECT_EQ(s.caption(last), std::to_string(w.document().Tracks.TrackCount) + "/at_the_end");
    EXPECT_EQ(w.statusText(4), "[2/1/2]");

    const int records = w.document().Tracks.TrackCount;
    const int rows = w.document().Rows.size();
    drawNewTrack(w, "dropped", {{20, 200}, {80, 180}});
    s.prompts->answers = {true}; // yes, drop the drawing
    QTest::mouseClick(panel(w)->CloseProp, Qt::LeftButton);
    EXPECT_EQ(s.prompts->asked.back(), w.app().Lang[kLineCloseUnsavedTrack]);
    EXPECT_EQ(w.document().Rows.size(), rows);
    EXPECT_EQ(w.document().Tracks.TrackCount, records) << "the dropped track took no record";
    EXPECT_TRUE(ctl<QWidget>(w, "Panel2")->isVisible());
    EXPECT_TRUE(ctl<QAction>(w, "N6")->isEnabled());

    ctl<QAction>(w, "N6")->trigger();
    EXPECT_EQ(packLayout(base.path("levels.mrg")), "E: a b | M: c | H: d at_the_end");
}

TEST(TrackEditor, TheListCommandsAreOffWhileANewTrackIsDrawn) {
    BaseFolder base({{"a", "b", "c"}, {"d", "e"}, {"f"}});
    Started s;
    MainWindow& w = s.window;
    s.click(5); // a track row: every list command is on
    ASSERT_TRUE(ctl<QAction>(w, "EditTrackBtn")->isEnabled());
    drawNewTrack(w, "mine", {{20, 200}, {80, 180}});
    for (QAction* a :
         {ctl<QAction>(w, "UpItem"), ctl<QAction>(w, "DownItem"), ctl<QAction>(w, "CopyItem"),
          ctl<QAction>(w, "DelItem"), ctl<QAction>(w, "EditTrackBtn")})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    // Neither the key nor the pop-up reaches the hidden list.
    QTest::keyClick(&w, Qt::Key_Up, Qt::AltModifier);
    ctl<QAction>(w, "N25")->trigger();
    EXPECT_TRUE(w.editor().track().isNew());
    EXPECT_EQ(cell(panel(w)->TrackProp, 0), "mine");
    EXPECT_EQ(w.editor().state().NodeCount, 2);
    EXPECT_EQ(s.caption(5), "4/d");

    QTest::mouseClick(panel(w)->SaveTProp, Qt::LeftButton);
    s.click(2);
    EXPECT_TRUE(ctl<QAction>(w, "EditTrackBtn")->isEnabled())
        << "a selected track row brings them back";
}

TEST(TrackEditor, TheTreeShowsAStoredTrackWithAPlusAfterItsNumber) {
    BaseFolder base({});
    writeHillPack(base);
    Started s(kTreeView);
    MainWindow& w = s.window;
    openRow(s, 2);
    ASSERT_TRUE(panel(w)->isVisible());
    EXPECT_EQ(cell(panel(w)->TrackProp, 0), "b");
    QTest::mouseClick(panel(w)->SaveTProp,
                      Qt::LeftButton); // enabled: nothing changed
    EXPECT_TRUE(panel(w)->isVisible());
    panel(w)->TrackProp->item(0, 1)->setText("hill two");
    QTest::mouseClick(panel(w)->SaveTProp, Qt::LeftButton);
    EXPECT_EQ(s.caption(2), "2+/hill_two");
    EXPECT_EQ(w.document().Tracks[2].Name, "hill_two");
}

// After a track is closed, whichever way, its row is selected again, the list
// has the keys and every list command works at once: Alt+Down moves it,
// Enter opens it again, Shift+F10 shows the pop-up menu, Delete asks. In the
// list and in the tree.
TEST(TrackEditor, AfterATrackIsClosedItsRowHasTheKeysAndTheCommands) {
    for (const ListView mode : {kListView, kTreeView}) {
        BaseFolder base({{"a", "b", "c"}, {"d"}, {}});
        Started s(mode);
        MainWindow& w = s.window;
        auto* popup = ctl<QMenu>(w, "PopupMenu1");
        s.click(2); // b
        QTest::keyClick(s.view(), Qt::Key_Return);
        ASSERT_TRUE(w.editor().isOpen()) << "Enter on a track row opens it";
        EXPECT_EQ(w.editor().state().CurTrack, 2);
        EXPECT_EQ(QApplication::focusWidget(), ctl<QWidget>(w, "MapImg")) << "the keys go along";
        drag(ctl<QWidget>(w, "MapImg"), canvasPoint(w, 2), canvasPoint(w, 2) - QPoint(0, 20));
        ASSERT_TRUE(w.editor().track().modified());
        QTest::mouseClick(panel(w)->SaveTProp, Qt::LeftButton);
        ASSERT_FALSE(w.editor().isOpen());
        EXPECT_EQ(QApplication::focusWidget(), s.view()) << int(mode);
        EXPECT_EQ(s.window.list().selectedRow(), 2);
        for (const char* on : {"UpItem", "DownItem", "CopyItem", "DelItem", "EditTrackBtn"})
            EXPECT_TRUE(ctl<QAction>(w, on)->isEnabled()) << on << " " << int(mode);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::AltModifier);
        EXPECT_EQ(s.caption(3), mode == kListView ? "2/b" : "2+/b")
            << "Alt+Down moved it " << int(mode);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter); // the keypad's
        ASSERT_TRUE(w.editor().isOpen());
        QTest::mouseClick(panel(w)->CloseProp, Qt::LeftButton); // nothing changed: no question
        ASSERT_FALSE(w.editor().isOpen());
        EXPECT_EQ(QApplication::focusWidget(), s.view());
        EXPECT_EQ(s.window.list().selectedRow(), 3);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10, Qt::ShiftModifier);
        EXPECT_TRUE(popup->isVisible()) << "Shift+F10 shows the pop-up menu";
        for (QAction* a : popup->actions())
            if (a->objectName() != "SaveLev")
                EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
        popup->close();
        s.prompts->answers = {false};
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        EXPECT_EQ(s.prompts->asked.back(), w.app().Lang.format(63, 1)) << "Delete asks at once";

        // A header row takes no Enter.
        s.click(0);
        QTest::keyClick(s.view(), Qt::Key_Return);
        EXPECT_FALSE(w.editor().isOpen());
    }
}

// A track too short for its length would be stored with its finish left of
// the start, which the game cannot finish: the store says so and offers the
// longest length that fits (an undoable step of the track), or to store it as
// it is, or to go on editing. A track of the pack already so is not asked
// about again; the previews then show no finish flag, as the canvas.
TEST(TrackEditor, AStoreThatWouldLeaveTheFinishLeftOfTheStartAsksFirst) {
    BaseFolder base({{"a", "b"}, {"c"}, {}});
    Started s;
    MainWindow& w = s.window;
    // Nine segments of 100 from x 20: presets 1 (finish at 597) and 2 (845) fit.
    std::vector<QPoint> clicks;
    for (int x = 20; x <= 920; x += 100) clicks.push_back({x, 300});
    drawNewTrack(w, "nine", clicks);
    panel(w)->ListLenT->setCurrentIndex(2); // preset 3: finish at 1106
    emit panel(w)->ListLenT->activated(2);
    const QString asked = w.app().Lang.format(kLineFinishLeftOfStart, presetText(3));
    s.prompts->choices = {2}; // cancel: the track stays open as it was
    QTest::mouseClick(panel(w)->SaveTProp, Qt::LeftButton);
    EXPECT_EQ(s.prompts->asked.back(), asked);
    ASSERT_TRUE(w.editor().isOpen());
    EXPECT_EQ(panel(w)->lengthRow(), 3);

    s.prompts->choices = {0}; // the longest that fits
    QTest::mouseClick(panel(w)->SaveTProp, Qt::LeftButton);
    ASSERT_FALSE(w.editor().isOpen());
    const int j = w.document().Tracks.TrackCount;
    EXPECT_EQ(w.document().Tracks[j].Templ, 2);
    DecodedTrack stored;
    stored.decode(w.document().Tracks[j]);
    stored.FindSFM(2);
    EXPECT_GT(stored.FinishPt.x(), stored.StartPt.x());
    EXPECT_EQ(stored.FinishPt.x(), 900) << "the node ending the segment over x 845";

    // Stored as it is: the pack keeps preset 3, and opening and storing it
    // again asks nothing.
    drawNewTrack(w, "kept", clicks);
    panel(w)->ListLenT->setCurrentIndex(2);
    emit panel(w)->ListLenT->activated(2);
    s.prompts->choices = {1};
    const size_t before = s.prompts->asked.size();
    QTest::mouseClick(panel(w)->SaveTProp, Qt::LeftButton);
    ASSERT_FALSE(w.editor().isOpen());
    EXPECT_EQ(s.prompts->asked.size(), before + 1);
    const int k = w.document().Tracks.TrackCount;
    EXPECT_EQ(w.document().Tracks[k].Templ, 3);
    // The preview shows the start flag only: no finish at the left edge.
    QImage preview(200, 100, QImage::Format_RGB32);
    DecodedTrack shown;
    drawPreview(w.document().Tracks, k, shown, preview, PreviewColors{Qt::white, Qt::black},
                PreviewTarget::List);
    int finishRed = 0;
    for (int y = 0; y < preview.height(); ++y)
        for (int x = 0; x < preview.width(); ++x)
            finishRed += preview.pixelColor(x, y) == kFinishFlagColor;
    EXPECT_EQ(finishRed, 0);
    s.click(w.document().Rows.findTrack(k));
    QTest::keyClick(s.view(), Qt::Key_Return);
    ASSERT_TRUE(w.editor().isOpen());
    drag(ctl<QWidget>(w, "MapImg"), canvasPoint(w, 3), canvasPoint(w, 3) - QPoint(0, 20));
    QTest::mouseClick(panel(w)->SaveTProp, Qt::LeftButton);
    EXPECT_FALSE(w.editor().isOpen());
    EXPECT_EQ(s.prompts->asked.size(), before + 1) << "already so in the pack: not asked again";
}
