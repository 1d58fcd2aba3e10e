// The canvas of the real main window: node drags through QTest and the bytes
// they store, the correction window opened by Ctrl + click, the tool buttons,
// the rider and the wheel, panning, the picture, and the previews.
#include "../core/settings_files.h"
#include "app/image_box.h"
#include "draw/map_draw.h"
#include "editor_window_util.h"
#include "render/rider_pictures.h"
#include "render/rotate_bitmap.h"
#include <QApplication>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QUndoStack>

using namespace korvo;
using namespace korvo::test;

namespace {

const std::vector<QPoint> kFlat = {{0, 0}, {100, 0}, {200, 0}, {300, 0}};
// Start x 102 ends segment 1, finish x 597 ends segment 6 (preset 1).
const std::vector<QPoint> kMarked = {{0, 0},     {102, -10}, {200, -10}, {300, -10},
                                     {400, -10}, {500, -10}, {597, -10}, {650, 0}};

// A window on a pack whose first track has the given nodes, that track open.
struct OpenedTrack {
    explicit OpenedTrack(const std::vector<QPoint>& nodes) : base({}) {
        writeTrackPack(base.path("levels.mrg"),
                       {{{"t", nodes, 1}, {"b", levelNodes(400, 100), 1}}, {}, {}});
        s = std::make_unique<Started>();
        openRow(*s, 1);
        EXPECT_TRUE(ctl<TrackPropertiesPanel>(w(), "Panel1")->isVisible());
    }
    MainWindow& w() { return s->window; }
    QWidget* canvas() { return ctl<TrackCanvas>(w(), "MapImg"); }
    QImage picture() {
        return ctl<TrackCanvas>(w(), "MapImg")
            ->grab(QRect(QPoint(0, 0), ctl<TrackCanvas>(w(), "MapImg")->size()))
            .toImage();
    }

    BaseFolder base;
    std::unique_ptr<Started> s;
};

QSpinBox* spin(CorrectionWindow* wnd, const char* name) {
    return wnd->findChild<QSpinBox*>(name);
}

} // namespace

TEST(TrackCanvas, ARealDragMovesNodesWithinTheLimitsAndIsStored) {
    OpenedTrack t(kFlat);
    MainWindow& w = t.w();
    const int y0 = w.editor().state().YOffset; // the zero line
    ASSERT_EQ(y0, 112 + 52) << "room above for the bike at -112 on a flat track";

    drag(t.canvas(), canvasPoint(w, 3), QPoint(180, y0 - 40));
    EXPECT_EQ(canvasPoint(w, 3), QPoint(180, y0 - 40));
    EXPECT_EQ(w.statusText(0), "X = 180;  Y = 40");
    EXPECT_TRUE(w.editor().track().modified());
    EXPECT_TRUE(panel(w)->SaveTProp->isEnabled());
    drag(t.canvas(), canvasPoint(w, 4), QPoint(500, y0));
    EXPECT_EQ(canvasPoint(w, 4), QPoint(307, y0)) << "127 right of its neighbour at most";
    drag(t.canvas(), canvasPoint(w, 1), QPoint(50, y0 - 50));
    EXPECT_EQ(canvasPoint(w, 1), QPoint(0, y0)) << "node 1 never moves";

    QTest::mouseClick(panel(w)->SaveTProp, Qt::LeftButton);
    ctl<QAction>(w, "N6")->trigger();
    EXPECT_EQ(storedBlock(t.base.path("levels.mrg"), 0),
              editorBlock(1, {{100, 0}, {80, 40}, {127, 215}}, templateAnchorY(1), 0));
}

// A click on a node, anywhere in its square and at any zoom, changes nothing
// and records nothing, nor does a press and release that moved less than the
// desktop's drag distance (a hand that wobbles); from that distance on the
// node follows the pointer the whole way it went, in track pixels.
TEST(TrackCanvas, APressMovedLessThanTheDragDistanceIsAClickAtEveryZoom) {
    OpenedTrack t(kHill);
    MainWindow& w = t.w();
    auto* canvas = ctl<TrackCanvas>(w, "MapImg");
    const QByteArray pack = fileBytes(t.base.path("levels.mrg"));
    const QUndoStack& steps = w.editor().track().history().stack();
    const int d = QApplication::startDragDistance();
    ASSERT_GE(d, 2);
    for (const double zoom : {TrackCanvas::kMinZoom, 0.5, TrackCanvas::kMaxZoom}) {
        canvas->setZoom(zoom);
        for (const QPoint off : {QPoint(0, 0), QPoint(1, 1), QPoint(-1, 0)}) {
            QTest::mousePress(canvas, Qt::LeftButton, {}, canvasPoint(w, 2) + off);
            QTest::mouseRelease(canvas, Qt::LeftButton, {}, canvasPoint(w, 2) + off);
        }
        // The wobble: one pixel short of the distance, along either axis or both.
        for (const QPoint wobble :
             {QPoint(0, 1 - d), QPoint(d - 1, 0), QPoint(d / 2, d / 2 - d + 1)})
            drag(canvas, canvasPoint(w, 2), canvasPoint(w, 2) + wobble);
        EXPECT_EQ(w.editor().state().node(2), QPoint(100, -20)) << zoom;
        EXPECT_EQ(steps.count(), 0) << zoom;
        EXPECT_FALSE(w.editor().track().modified()) << zoom;
    }
    for (const double zoom : {TrackCanvas::kMaxZoom, TrackCanvas::kMinZoom}) {
        canvas->setZoom(zoom);
        const QPoint at = canvasPoint(w, 2);
        const int before = w.editor().state().node(2).y();
        const int up =
            canvas->toCanvas(QPointF(at)).y() - canvas->toCanvas(QPointF(at - QPoint(0, d))).y();
        EXPECT_NEAR(up, d / zoom, 1) << zoom;
        drag(canvas, at, at - QPoint(0, d)); // exactly the distance: a drag
        // Up by as far as the pointer went, or to 127 above node 3 at y 30.
        EXPECT_EQ(w.editor().state().node(2), QPoint(100, std::max(before - up, -97))) << zoom;
    }
    EXPECT_EQ(steps.count(), 2);

    ctl<QAction>(w, "EditUndo")->trigger();
    ctl<QAction>(w, "EditUndo")->trigger();
    QTest::mouseClick(panel(w)->SaveTProp, Qt::LeftButton);
    ctl<QAction>(w, "N6")->trigger();
    EXPECT_EQ(fileBytes(t.base.path("levels.mrg")), pack);
}

// A node dragged so high that the field grows above the track: on release
// the drawing moves down by the growth, and the view with it, so the node
// stays under the pointer at every zoom where the field is taller than the
// view (4x moves four screen pixels a track pixel). A field that fits the view
// is seen whole, and there is nothing to scroll.
TEST(TrackCanvas, ANodeDraggedAboveTheFieldStaysUnderThePointerWhenTheFieldGrows) {
    for (const double zoom : {TrackCanvas::kMaxZoom, 2.0, 1.0}) {
        OpenedTrack t(kHill);
        MainWindow& w = t.w();
        auto* canvas = ctl<TrackCanvas>(w, "MapImg");
        auto* box = ctl<QScrollArea>(w, "ScrollBox1");
        canvas->setZoom(zoom);
        const int offset = w.editor().state().YOffset;
        auto scroll = [&] {
            return QPoint(box->horizontalScrollBar()->value(), box->verticalScrollBar()->value());
        };
        box->ensureVisible(canvasPoint(w, 2).x(), canvasPoint(w, 2).y());
        const QPoint from = canvasPoint(w, 2);
        const QPoint to = canvas->fromCanvas(QPoint(100, offset - 95)); // node 2 to y -95
        const QPoint inView = to - scroll();
        drag(canvas, from, to);
        ASSERT_NEAR(w.editor().state().node(2).y(), -95, 1 / zoom)
            << zoom; // where the pointer went
        ASSERT_GT(w.editor().state().YOffset, offset) << "the field grew above the track";
        const QPoint seen = canvasPoint(w, 2) - scroll();
        EXPECT_NEAR(seen.y(), inView.y(), std::max(1.0, zoom)) << zoom;
        EXPECT_NEAR(seen.x(), inView.x(), std::max(1.0, zoom)) << zoom;
    }
}

// Tab from the panel's last button reaches the canvas; there Tab and Shift+Tab
// choose nodes, the arrows move them (Shift: by ten), Delete and Enter act on
// them, and Shift+Tab past the first node goes back to the buttons.
TEST(TrackCanvas, ANodeIsMovedAndTheTrackStoredWithTheKeyboardOnly) {
    OpenedTrack t(kHill); // (0, 0) (100, -20) (200, 30) (300, 0)
    MainWindow& w = t.w();
    TrackPropertiesPanel* p = panel(w);
    QWidget* canvas = t.canvas();
    const OpenTrack& track = w.editor().track();
    const QUndoStack& steps = w.editor().track().history().stack();
    const EditorState& st = w.editor().state();
    auto key = [](int k, Qt::KeyboardModifiers mods = {}, int times = 1) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), mods);
    };

    p->TrackProp->setFocus();
    QStringList order;
    for (int i = 0; i < 11 && !canvas->hasFocus(); ++i) {
        QWidget* f = QApplication::focusWidget();
        while (f && (f->objectName().isEmpty() || f->objectName().startsWith("qt_")))
            f = f->parentWidget();
        order << (f ? f->objectName() : QString());
        key(Qt::Key_Tab);
    }
    QStringList expected;
    for (QWidget* c : std::initializer_list<QWidget*>{
             p->TrackProp, p->fieldSizeTable, p->UpdateTInfo, p->ListLenT, p->PlyrUp, p->PlyrDown,
             p->playerStep, p->pntnd, p->SaveTProp, p->CloseProp})
        if (c->isEnabled()) expected << c->objectName();
    EXPECT_EQ(order, expected) << "the panel in reading order";
    ASSERT_TRUE(canvas->hasFocus()) << "then the canvas";

    key(Qt::Key_Tab);
    EXPECT_EQ(track.selectedNode(), 2);
    const QImage framed = t.picture(); // the chosen node shows among the dots
    for (const QPoint side : {QPoint(5, 0), QPoint(5, -5), QPoint(-5, 3), QPoint(2, 5)}) {
        EXPECT_EQ(framed.pixelColor(canvasPoint(w, 2) + side), QColor(Qt::black)) << side.y();
        EXPECT_EQ(framed.pixelColor(canvasPoint(w, 3) + side), QColor(Qt::white)) << side.y();
    }
    key(Qt::Key_Right);
    key(Qt::Key_Right, Qt::ShiftModifier);
    key(Qt::Key_Up);
    EXPECT_EQ(st.node(2), QPoint(111, -21));
    EXPECT_EQ(steps.count(), 1) << "one step for the run of presses";
    key(Qt::Key_Tab);
    key(Qt::Key_Down, Qt::ShiftModifier, 13);
    EXPECT_EQ(st.node(3), QPoint(200, 106)) << "127 below node 2 at most";
    EXPECT_EQ(steps.count(), 2);
    ctl<QAction>(w, "EditUndo")->trigger();
    EXPECT_EQ(st.node(3), QPoint(200, 30)) << "the whole run goes back";
    ctl<QAction>(w, "EditRedo")->trigger();
    canvas->setFocus();

    key(Qt::Key_Delete); // node 2 to node 4 would be 189 wide
    EXPECT_EQ(st.NodeCount, 4);
    EXPECT_EQ(t.s->prompts->shown.size(), 1) << "the refusal is told";
    key(Qt::Key_Tab);
    key(Qt::Key_Delete); // the last node goes with its segment
    EXPECT_EQ(st.NodeCount, 3);
    EXPECT_EQ(track.selectedNode(), 3);
    key(Qt::Key_Return);
    auto* wnd = ctl<CorrectionWindow>(w, "corrxywnd");
    ASSERT_TRUE(wnd->isVisible());
    EXPECT_EQ(wnd->node(), 3);
    // Opened by Enter, it has the keys: X is ready for typing, Tab goes to Y,
    // and the status read-out follows the value typed there.
    QTRY_VERIFY(QApplication::focusWidget() == wnd->findChild<QSpinBox*>("x_"));
    key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), wnd->findChild<QSpinBox*>("y_"));
    QTest::keyClicks(QApplication::focusWidget(), "-100"); // 100 down: 121 below node 2
    key(Qt::Key_Return);
    EXPECT_EQ(st.node(3), QPoint(200, 100));
    EXPECT_EQ(w.statusText(0), "X = 200;  Y = -100");
    key(Qt::Key_Escape);
    EXPECT_FALSE(wnd->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w)) << "the keys go back to the main window";
    EXPECT_TRUE(canvas->hasFocus());
    QTest::keySequence(&w, QKeySequence::Undo); // the correction back
    QTest::keySequence(&w, QKeySequence::Undo); // the last node back
    ASSERT_EQ(st.NodeCount, 4);
    EXPECT_EQ(st.node(3), QPoint(200, 106));

    key(Qt::Key_Backtab); // node 2
    key(Qt::Key_Backtab); // past the first: back to the buttons
    EXPECT_TRUE(p->CloseProp->hasFocus());
    key(Qt::Key_Backtab);
    ASSERT_TRUE(p->SaveTProp->hasFocus());
    key(Qt::Key_Space);
    EXPECT_FALSE(track.isOpen());
    ctl<QAction>(w, "N6")->trigger();
    EXPECT_EQ(storedBlock(t.base.path("levels.mrg"), 0),
              editorBlock(1, {{111, 21}, {89, 128}, {100, 106}}, templateAnchorY(1), 0));
}

// Escape or Ctrl+Tab leaves the canvas for the next control at one press,
// however many nodes the track has; Ctrl+Shift+Tab for the one before.
TEST(TrackCanvas, EscapeOrCtrlTabLeavesTheCanvasAtOnePress) {
    OpenedTrack t(levelNodes(6000, 100)); // 60 segments
    MainWindow& w = t.w();
    QWidget* canvas = t.canvas();
    for (const QKeySequence keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_Tab)}) {
        canvas->setFocus();
        QTest::keyClick(canvas, Qt::Key_Tab); // a node selected: the arrows would move it
        ASSERT_GE(w.editor().track().selectedNode(), 2);
        QTest::keySequence(canvas, keys);
        EXPECT_FALSE(canvas->hasFocus()) << keys.toString().toStdString();
        EXPECT_TRUE(w.editor().isOpen());
        EXPECT_FALSE(w.editor().track().modified());
    }
    canvas->setFocus();
    QTest::keyClick(canvas, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(panel(w)->CloseProp->hasFocus()) << "back to the panel's last button";
}

TEST(TrackCanvas, CtrlClickOpensTheCorrectionWindowBesideTheNode) {
    OpenedTrack t(kHill);
    MainWindow& w = t.w();
    QTest::mouseClick(t.canvas(), Qt::LeftButton, Qt::ControlModifier, canvasPoint(w, 2));
    CorrectionWindow* wnd = ctl<CorrectionWindow>(w, "corrxywnd");
    ASSERT_TRUE(wnd->isVisible());
    EXPECT_EQ(wnd->node(), 2);
    EXPECT_EQ(spin(wnd, "x_")->value(), 100);
    EXPECT_EQ(spin(wnd, "y_")->value(), 20) << "shown y is up";
    const QPoint node = t.canvas()->mapToGlobal(canvasPoint(w, 2));
    EXPECT_FALSE(wnd->frameGeometry().contains(node)) << "beside the node, not over it";
    EXPECT_TRUE(wnd->screen()->availableGeometry().contains(wnd->frameGeometry()));
    EXPECT_LE((wnd->frameGeometry().center() - node).manhattanLength(),
              wnd->frameGeometry().width() + wnd->frameGeometry().height())
        << "next to it";
    EXPECT_EQ(canvasPoint(w, 2), QPoint(100, w.editor().state().YOffset - 20))
        << "opening moves nothing";

    spin(wnd, "x_")->setValue(120);
    EXPECT_EQ(canvasPoint(w, 2).x(), 120);
    EXPECT_TRUE(w.editor().track().modified());
    spin(wnd, "y_")->setValue(200);
    EXPECT_EQ(spin(wnd, "y_")->value(), 97) << "127 above the higher neighbour";
    EXPECT_EQ(w.editor().state().NodeY[2], -97);

    QTest::mouseClick(t.canvas(), Qt::LeftButton, Qt::ControlModifier, canvasPoint(w, 3));
    EXPECT_EQ(wnd->node(), 3) << "another node takes the window";
    EXPECT_EQ(spin(wnd, "x_")->value(), 200);
    wnd->close();
    EXPECT_FALSE(w.editor().session().Gesture.CorrOpen);
    drag(t.canvas(), canvasPoint(w, 3), canvasPoint(w, 3) + QPoint(0, -10));
    EXPECT_EQ(w.editor().state().NodeY[3], 20) << "dragging works again once it is closed";

    QTest::mouseClick(t.canvas(), Qt::LeftButton, Qt::ControlModifier, canvasPoint(w, 3));
    ASSERT_TRUE(wnd->isVisible());
    t.s->prompts->answers = {true}; // yes, drop the drag
    QTest::mouseClick(panel(w)->CloseProp, Qt::LeftButton);
    EXPECT_FALSE(wnd->isVisible()) << "closing the track hides it";
    EXPECT_EQ(w.document().Tracks[1].PointsLen, 6);
}

TEST(TrackCanvas, ToolButtonsAreOneGroupTheWheelTurnsOnlyTheRiderTheMiddleButtonPans) {
    OpenedTrack t(levelNodes(2000, 100));
    MainWindow& w = t.w();
    panel(w)->setField("2000", "2000");
    QTest::mouseClick(panel(w)->UpdateTInfo, Qt::LeftButton);
    const QPoint over(300, 200);
    const RiderSprite& sprite = ctl<TrackCanvas>(w, "MapImg")->sprite();

    ctl<QAction>(w, "AddPoint")->trigger();
    EXPECT_TRUE(ctl<QAction>(w, "AddPoint")->isChecked());
    EXPECT_TRUE(w.editor().session().Gesture.holds(Tool::AddNode));
    EXPECT_TRUE(w.statusText(2).endsWith(w.app().Lang[50]));
    hover(t.canvas(), QPoint(250, 150));
    EXPECT_EQ(w.editor().nodes().overlay().crossAt, QPoint(250, 150 - w.editor().state().YOffset));
    EXPECT_TRUE(w.editor().nodes().overlay().cross);

    ctl<QAction>(w, "motopic")->trigger();
    EXPECT_FALSE(ctl<QAction>(w, "AddPoint")->isChecked());
    EXPECT_TRUE(ctl<QAction>(w, "motopic")->isChecked());
    EXPECT_FALSE(w.editor().session().Gesture.holds(Tool::AddNode));
    EXPECT_FALSE(sprite.RiderImage().isNull());
    hover(t.canvas(), over);
    EXPECT_TRUE(sprite.RiderShown());
    EXPECT_EQ(sprite.centre(), over);

    EXPECT_TRUE(wheelOver(t.canvas(), over, 120)) << "the turn does not scroll";
    EXPECT_EQ(w.editor().session().Gesture.RiderAngle, 10);
    EXPECT_EQ(sprite.RiderImage(), RotateBitmap_ads(sprite.picture(), 10));

    QTest::mouseClick(t.canvas(), Qt::RightButton, {}, over);
    EXPECT_FALSE(ctl<QAction>(w, "motopic")->isChecked()) << "the right click leaves the tool";
    EXPECT_FALSE(sprite.RiderShown());
    EXPECT_FALSE(wheelOver(t.canvas(), over, -120)) << "without the rider the box scrolls";
    EXPECT_EQ(w.editor().session().Gesture.RiderAngle, 10);
    ctl<QAction>(w, "motopic")->trigger();
    EXPECT_EQ(sprite.RiderImage(), sprite.picture()) << "taken again: unturned, the angle kept";
    hover(t.canvas(), over);
    EXPECT_TRUE(wheelOver(t.canvas(), over, 120));
    EXPECT_EQ(sprite.RiderImage(), RotateBitmap_ads(sprite.picture(), 20));
    ctl<QAction>(w, "motopic")->trigger();

    ctl<QAction>(w, "DelPoint")->trigger();
    ctl<QAction>(w, "DelPoint")->trigger();
    EXPECT_FALSE(ctl<QAction>(w, "DelPoint")->isChecked());
    EXPECT_FALSE(w.editor().session().Gesture.holds(Tool::DeleteNode));
    EXPECT_EQ(w.statusText(2), w.app().Lang[47] + w.app().Lang[48]);

    // The middle button pans the view and drags nothing.
    QScrollBar* horizontal = ctl<QScrollArea>(w, "ScrollBox1")->horizontalScrollBar();
    const QPoint at(400, 100);
    QTest::mousePress(t.canvas(), Qt::MiddleButton, {}, at);
    QTest::mouseMove(t.canvas(), at - QPoint(150, 0));
    QTest::mouseRelease(t.canvas(), Qt::MiddleButton, {}, at - QPoint(150, 0));
    EXPECT_EQ(horizontal->value(), 150) << "the work area follows the hand";
    EXPECT_FALSE(w.editor().session().Gesture.Panning);
    EXPECT_EQ(w.editor().state().NodeX[5], 400) << "nothing was dragged";
}

TEST(TrackCanvas, PictureShowsLinesDotsFlagsInTheWindowsStyle) {
    OpenedTrack t(kMarked);
    MainWindow& w = t.w();
    const int zero = w.editor().state().YOffset; // 110
    QImage img = t.picture();
    EXPECT_EQ(img.pixelColor(200, 10), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(200, zero - 10), QColor(Qt::red)) << "track line";
    EXPECT_EQ(img.pixelColor(620, zero), QColor(Qt::black)) << "zero line";
    EXPECT_EQ(img.pixelColor(300, zero - 10 + 2), QColor(Qt::red)) << "node dot";
    EXPECT_EQ(img.pixelColor(102, zero - 10 - 15), kStartFlagColor);
    EXPECT_EQ(img.pixelColor(597, zero - 10 - 15), kFinishFlagColor);

    panel(w)->pntnd->setChecked(false);
    w.app().Style.BG[2] = QColor(0, 0, 128);
    w.editor().styleChanged();
    img = t.picture();
    EXPECT_EQ(img.pixelColor(200, 10), QColor(0, 0, 128));
    EXPECT_EQ(img.pixelColor(620, zero), QColor(255, 255, 0)) << "the zero line stays visible";
    EXPECT_EQ(img.pixelColor(300, zero - 10 + 2), QColor(0, 0, 128)) << "no node dots";
}

// The flags and the bike marker keep their size in pixels: far out of zoom
// they stand out of the field, and the canvas makes room to show them whole.
// The rider picture is drawn at the zoom, to be held against the track.
TEST(TrackCanvas, MarksStayWholeAtEveryZoomAndTheRiderTakesTheZoom) {
    OpenedTrack t(kMarked);
    MainWindow& w = t.w();
    auto* canvas = ctl<TrackCanvas>(w, "MapImg");
    const EditorState& st = w.editor().state();
    // Every non-white pixel of `sprite` at `topLeft` of `img`, each `scale` x `scale`.
    auto shows = [](const QImage& img, const QImage& sprite, QPoint topLeft, int scale) {
        for (int y = 0; y < sprite.height() * scale; ++y)
            for (int x = 0; x < sprite.width() * scale; ++x) {
                const QColor c = sprite.pixelColor(x / scale, y / scale);
                if (c == QColor(Qt::white)) continue;
                if (!img.rect().contains(topLeft + QPoint(x, y)) ||
                    img.pixelColor(topLeft + QPoint(x, y)) != c)
                    return false;
            }
        return true;
    };
    for (const double zoom : {TrackCanvas::kMinZoom, 1.0}) {
        canvas->setZoom(zoom);
        w.app().Style.VMoto = 0; // the dot leaves the start flag in sight
        w.editor().styleChanged();
        QImage img = t.picture();
        for (const auto& [mark, colour] :
             {std::pair{st.StartPt, kStartFlagColor}, std::pair{st.FinishPt, kFinishFlagColor}}) {
            const QPoint base = canvas->fromCanvas(mark + QPoint(0, st.YOffset));
            EXPECT_EQ(img.pixelColor(base - QPoint(0, 20)), colour) << zoom << " top of the flag";
            EXPECT_EQ(img.pixelColor(base - QPoint(5, 15)), colour) << zoom << " its left edge";
        }
        w.app().Style.VMoto = 1;
        w.editor().styleChanged();
        img = t.picture();
        const QPoint feet = canvas->fromCanvas(st.PlayerPt + QPoint(0, st.YOffset));
        EXPECT_TRUE(shows(img, moto_v(), feet - QPoint(21, 42), 1)) << zoom << " the bike whole";
    }

    canvas->setZoom(4);
    ctl<QAction>(w, "motopic")->trigger();
    const QPoint over = canvasPoint(w, 4) + QPoint(2, -300);
    hover(canvas, over);
    const QImage& rider = canvas->sprite().RiderImage();
    const QPoint centre = canvas->toCanvas(over);
    EXPECT_TRUE(shows(t.picture(), rider,
                      canvas->fromCanvas(centre - QPoint(rider.width() / 2, rider.height() / 2)),
                      4))
        << "each pixel of the rider four by four";
}

TEST(TrackPreviews, ListPreviewAndFloatingPreviewShowTheTrackAndItsFlags) {
    BaseFolder base({});
    writeTrackPack(base.path("levels.mrg"), {{{"t", kMarked, 1}}, {}, {}});
    Started s;
    MainWindow& w = s.window;
    // Unscaled (the track is smaller than the area); the zero line at 110.
    auto checkList = [&] {
        const QImage img = ctl<ImageBox>(w, "previewimg")->image();
        ASSERT_GE(img.width(), 650);
        EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::black)) << "frame";
        EXPECT_EQ(img.pixelColor(400, 300), QColor(Qt::white));
        EXPECT_EQ(img.pixelColor(400, 110), QColor(Qt::black)) << "zero line";
        EXPECT_EQ(img.pixelColor(200, 100), QColor(Qt::red)) << "track line";
        EXPECT_EQ(img.pixelColor(102, 93), QColor(Qt::black)) << "start pole";
        EXPECT_EQ(img.pixelColor(102, 85), kStartFlagColor);
        EXPECT_EQ(img.pixelColor(597, 85), kFinishFlagColor);
    };
    checkList();

    openRow(s, 1);
    ctl<QAction>(w, "preimg")->trigger();
    FloatingPreview* f = ctl<FloatingPreview>(w, "preimg_f");
    ASSERT_TRUE(f->isVisible());
    EXPECT_EQ(f->windowTitle(), "Track preview"); // built now, in the language in force
    EXPECT_TRUE(ctl<QAction>(w, "preimg")->isChecked());
    // 650 x 210 shown 252 wide: 81 high.
    EXPECT_EQ(f->size(), QSize(252, 81));
    EXPECT_EQ(f->image().size(), QSize(252, 81));
    f->resize(f->width(), 162);
    EXPECT_EQ(f->size(), QSize(504, 162)) << "the width follows the height";
    EXPECT_EQ(f->image().width(), 504);

    const QImage before = f->image();
    const double ratio = f->PreviewRatio;
    drag(ctl<TrackCanvas>(w, "MapImg"), canvasPoint(w, 3), canvasPoint(w, 3) + QPoint(0, -60));
    EXPECT_NE(f->image(), before) << "the preview follows the edit";
    // The track grew higher: the window takes its new ratio at the height it had.
    EXPECT_LT(f->PreviewRatio, ratio);
    EXPECT_EQ(f->height(), 162);
    EXPECT_EQ(f->image().size(), f->size()) << "nothing is cut off";

    f->close();
    EXPECT_FALSE(ctl<QAction>(w, "preimg")->isChecked());
    ctl<QAction>(w, "preimg")->trigger();
    ASSERT_TRUE(f->isVisible());
    s.prompts->answers = {true}; // yes, drop the drag
    QTest::mouseClick(panel(w)->CloseProp, Qt::LeftButton);
    EXPECT_FALSE(f->isVisible());
    EXPECT_FALSE(ctl<QAction>(w, "preimg")->isChecked());
    EXPECT_FALSE(ctl<QAction>(w, "preimg")->isEnabled());
    checkList(); // drawn again from the record, the drag dropped
}
