// Undo and redo as a user meets them: Ctrl+Z after editing a track, after
// deleting tracks, the Edit menu naming the step, the saved state, Open.
#include "../core/settings_files.h"
#include "editor/ui/track_canvas.h"
#include "editor_window_util.h"
#include "text/lang_added.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

using namespace korvo;
using namespace korvo::test;

namespace {

void press(MainWindow& w, QKeySequence keys) {
    QTest::keySequence(&w, keys);
    QApplication::processEvents();
}

std::vector<QPoint> nodesOf(MainWindow& w) {
    const EditorState& st = w.editor().state();
    std::vector<QPoint> n;
    for (int i = 1; i <= st.NodeCount; ++i) n.push_back(st.node(i));
    return n;
}

} // namespace

// Drag a node, add one, change the preset; three times Ctrl+Z and the track
// is as it was. Store it, delete two tracks, undo both, save: the pack is
// the same file, byte for byte.
TEST(UndoWindow, EditsAndDeletesTakenBackLeaveThePackByteForByte) {
    BaseFolder base({});
    writeTrackPack(base.path("levels.mrg"), {{{"a", {{0, 0}, {100, 0}, {200, 30}, {300, 0}}, 1},
                                              {"b", levelNodes(400, 100), 2}},
                                             {{"c", levelNodes(300, 100), 3}},
                                             {{"d", levelNodes(200, 100), 1}}});
    const QByteArray original = fileBytes(base.path("levels.mrg"));
    Started s;
    MainWindow& w = s.window;
    QAction* undo = ctl<QAction>(w, "EditUndo");
    EXPECT_FALSE(undo->isEnabled());
    openRow(s, 1);
    const std::vector<QPoint> opened = nodesOf(w);
    const int templ = w.document().Tracks[1].Templ;

    auto* canvas = ctl<TrackCanvas>(w, "MapImg");
    drag(canvas, canvasPoint(w, 3), canvasPoint(w, 3) + QPoint(0, -20));
    EXPECT_EQ(undo->text(), "Undo move node");
    ctl<QAction>(w, "AddPoint")->trigger();
    QTest::mouseClick(canvas, Qt::LeftButton, {}, (canvasPoint(w, 1) + canvasPoint(w, 2)) / 2);
    ctl<QAction>(w, "AddPoint")->trigger();
    auto* presets = panel(w)->ListLenT;
    presets->setCurrentIndex(4);
    emit presets->activated(4);
    ASSERT_EQ(w.editor().state().NodeCount, 5);
    EXPECT_EQ(undo->text(), "Undo length preset");
    EXPECT_EQ(w.statusText(3), "Not saved");

    for (int i = 0; i < 3; ++i) press(w, QKeySequence::Undo);
    EXPECT_EQ(nodesOf(w), opened);
    EXPECT_EQ(w.document().Tracks[1].Templ, templ);
    EXPECT_FALSE(w.editor().track().modified());
    EXPECT_FALSE(panel(w)->SaveTProp->isEnabled());
    EXPECT_EQ(w.statusText(3), "Saved");
    press(w, QKeySequence(Qt::CTRL | Qt::Key_Y)); // redo brings the drag back
    EXPECT_NE(nodesOf(w), opened);
    press(w, QKeySequence::Undo);

    w.editor().storeTrack();
    ASSERT_FALSE(w.editor().isOpen());
    s.prompts->answers = {true, true};
    for (int row : {2, 3}) { // "b", then "c" (one row up once "b" is gone)
        s.click(row);
        ctl<QAction>(w, "DelItem")->trigger();
    }
    EXPECT_EQ(w.statusText(4), "[1/0/1]");
    EXPECT_EQ(undo->text(), "Undo delete 1 tracks");
    press(w, QKeySequence::Undo);
    press(w, QKeySequence::Undo);
    EXPECT_EQ(w.statusText(4), "[2/1/1]");
    EXPECT_EQ(s.caption(2), "2/b");
    EXPECT_EQ(s.caption(4), "3/c");
    EXPECT_EQ(w.list().selectedRow(), 2) << "the track that came back is selected";
    s.click(1);
    ctl<QAction>(w, "DownItem")->trigger(); // "a" below "b"
    press(w, QKeySequence::Undo);
    EXPECT_EQ(s.caption(1), "1/a");
    EXPECT_EQ(w.list().selectedRow(), 1) << "on the moved track";
    press(w, QKeySequence::Redo);
    EXPECT_EQ(w.list().selectedRow(), 2);
    EXPECT_EQ(s.caption(2), "1/a");
    press(w, QKeySequence::Undo);

    ctl<QAction>(w, "N6")->trigger();
    EXPECT_EQ(fileBytes(base.path("levels.mrg")), original);
    EXPECT_EQ(w.statusText(3), "Saved");
    press(w, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)); // a redo after saving is unsaved
    EXPECT_EQ(w.statusText(3), "Not saved");
    press(w, QKeySequence::Undo); // and back at the saved state
    EXPECT_EQ(w.statusText(3), "Saved");
    press(w, QKeySequence::Undo); // the store taken back: before the saved state
    EXPECT_EQ(w.statusText(3), "Not saved");

    s.prompts->paths = {base.path("levels.mrg")};
    s.prompts->answers = {true};
    press(w, QKeySequence::Redo);
    press(w, QKeySequence::Redo);
    ctl<QAction>(w, "N16")->trigger(); // Open starts without history
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(ctl<QAction>(w, "EditRedo")->isEnabled());
}

// A 5,000-pixel track seen whole at one step (Ctrl+9), a node dragged there:
// the stored bytes are in track pixels, and the zoom changes none of them.
// The zoom keeps the point under the pointer, and the status bar tells it.
TEST(ZoomWindow, AWholeLongTrackIsEditedAtItsZoom) {
    BaseFolder base({});
    writeTrackPack(base.path("levels.mrg"), {{{"long", levelNodes(5000, 100), 1}}, {}, {}});
    Started s;
    MainWindow& w = s.window;
    openRow(s, 1);
    auto* canvas = ctl<TrackCanvas>(w, "MapImg");
    auto* box = ctl<QScrollArea>(w, "ScrollBox1");
    EXPECT_EQ(canvas->zoom(), 1.0) << "a track as high as the view opens at 1x";
    EXPECT_EQ(ctl<QLabel>(w, "ZoomPanel")->text(), "100%");
    press(w, QKeySequence(Qt::CTRL | Qt::Key_9));
    QApplication::processEvents();
    EXPECT_LT(canvas->zoom(), 1.0);
    EXPECT_LE(canvas->width(), box->viewport()->width()) << "the whole track in view";
    EXPECT_LE(canvas->height(), box->viewport()->height());

    const QPoint node = canvasPoint(w, 26); // x 2500
    const QPoint up(0, QApplication::startDragDistance());
    const int moved =
        canvas->toCanvas(QPointF(node - up)).y() - canvas->toCanvas(QPointF(node)).y();
    drag(canvas, node, node - up);
    const int raised = -w.editor().state().NodeY[26];
    EXPECT_EQ(-raised, moved) << "the pointer's movement in track pixels";
    EXPECT_NEAR(raised, up.y() / canvas->zoom(), 1 / canvas->zoom() + 1);
    EXPECT_EQ(w.editor().state().NodeX[26], 2500) << "a drag straight up keeps x";

    // Ctrl + wheel and the keys zoom around the pointer: the node stays under it.
    auto inView = [&] {
        return canvasPoint(w, 26) -
               QPoint(box->horizontalScrollBar()->value(), box->verticalScrollBar()->value());
    };
    const QPoint under = canvasPoint(w, 26);
    const QPoint seen = inView();
    QWheelEvent wheel(under, canvas->mapToGlobal(under), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    const double before = canvas->zoom();
    QApplication::sendEvent(canvas, &wheel);
    EXPECT_DOUBLE_EQ(canvas->zoom(), before * 2);
    EXPECT_NEAR(inView().x(), seen.x(), 2);
    EXPECT_NEAR(inView().y(), seen.y(), 2) << "the whole height was in view: no scrolling keeps it";
    // From 1x the keys zoom around the pointer too, in both directions.
    press(w, QKeySequence(Qt::CTRL | Qt::Key_0));
    box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum() / 2);
    hover(canvas, canvasPoint(w, 30));
    const QPoint seenAt1 = canvasPoint(w, 30) - QPoint(box->horizontalScrollBar()->value(),
                                                       box->verticalScrollBar()->value());
    press(w, QKeySequence(Qt::CTRL | Qt::Key_Plus));
    EXPECT_EQ(canvas->zoom(), 2.0);
    const QPoint seenAt2 = canvasPoint(w, 30) - QPoint(box->horizontalScrollBar()->value(),
                                                       box->verticalScrollBar()->value());
    EXPECT_NEAR(seenAt2.x(), seenAt1.x(), 2);
    EXPECT_NEAR(seenAt2.y(), seenAt1.y(), 2);
    for (int i = 0; i < 8; ++i) press(w, QKeySequence(Qt::CTRL | Qt::Key_Minus));
    EXPECT_EQ(canvas->zoom(), TrackCanvas::kMinZoom);
    EXPECT_FALSE(ctl<QAction>(w, "ZoomOut")->isEnabled()) << "off at 1/16";
    EXPECT_EQ(ctl<QLabel>(w, "ZoomPanel")->text(), "6.25%");
    for (int i = 0; i < 8; ++i) press(w, QKeySequence(Qt::CTRL | Qt::Key_Plus));
    EXPECT_EQ(canvas->zoom(), TrackCanvas::kMaxZoom);
    EXPECT_FALSE(ctl<QAction>(w, "ZoomIn")->isEnabled()) << "off at 4x";
    EXPECT_TRUE(ctl<QAction>(w, "ZoomOut")->isEnabled());
    EXPECT_EQ(ctl<QLabel>(w, "ZoomPanel")->text(), "400%");
    press(w, QKeySequence(Qt::CTRL | Qt::Key_0));
    EXPECT_EQ(canvas->zoom(), 1.0);
    EXPECT_EQ(canvas->width(), w.editor().session().canvasSize.width());

    QTest::mouseClick(panel(w)->SaveTProp, Qt::LeftButton);
    ctl<QAction>(w, "N6")->trigger();
    std::vector<std::pair<int, int>> pairs(50, {100, 0});
    pairs[24] = {100, raised};       // up by `raised` into node 26
    pairs[25] = {100, 255 - raised}; // and down again: ones' complement in the file
    EXPECT_EQ(storedBlock(base.path("levels.mrg"), 0),
              editorBlock(1, pairs, templateAnchorY(1), 0));
}
