// Mouse gestures on the canvas: drawing a new track, dragging, inserting,
// deleting, tail moves, correction, panning and the rider wheel.
#include "editor/node_editor.h"
#include "editor/open_track.h"
#include "editor_test_util.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace korvo;
using korvo::test::levelNodes;
using korvo::test::setTrack;

namespace {

struct Gestures : ::testing::Test {
    TrackTable tracks;
    OpenTrack track{tracks};
    EditorState& state = track.state();
    TrackSession& session = track.session();
    NodeEditor& editor = track.nodes();
    GestureState& g = session.Gesture;

    GestureOutcome down(int x, int y, Qt::MouseButton b = Qt::LeftButton,
                        Qt::KeyboardModifiers m = {}) {
        return editor.mousePress(b, m, {x, y});
    }
    GestureOutcome move(int x, int y, Qt::KeyboardModifiers m = {}) {
        return editor.mouseMove(m, {x, y});
    }
    GestureOutcome up(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
        return editor.mouseRelease(b, {}, {x, y});
    }
    GestureOutcome click(int x, int y, Qt::MouseButton b = Qt::LeftButton,
                         Qt::KeyboardModifiers m = {}) {
        GestureOutcome out = down(x, y, b, m);
        up(x, y, b);
        return out;
    }
    // Opens a track with the given nodes; YOffset becomes |min y| + 100.
    void open(const std::vector<QPoint>& nodes, int t = 1) {
        const int j = tracks.createTrack("t");
        setTrack(tracks[j], nodes, t);
        ASSERT_TRUE(session.openSelectedTrack(j, 554).ok());
    }
    // Canvas point of track point (x, y).
    QPoint at(int x, int y) const { return {x, y + state.YOffset}; }
    void startNewTrack(int x = 10, int y = 300) {
        ASSERT_TRUE(session.startNewTrack("new", 554).ok());
        click(x, y);
    }
    std::vector<QPoint> nodes() const {
        std::vector<QPoint> n;
        for (int i = 1; i <= state.NodeCount; ++i) n.push_back(state.node(i));
        return n;
    }
};

// ---- drawing a new track ---------------------------------------------------

// The first click sets the zero line; each next one is clamped to 1..127
// right of the last node and 127 up or down.
TEST_F(Gestures, ClicksAreClampedToTheSegmentLimits) {
    startNewTrack(10, 300);
    EXPECT_EQ(state.YOffset, 300);
    EXPECT_EQ(state.node(1), QPoint(10, 0));
    EXPECT_EQ(g.NextNode, 2);
    click(5, 300); // left of the last node
    EXPECT_EQ(state.node(2), QPoint(11, 0));
    click(11 + 300, 300); // 300 px right
    EXPECT_EQ(state.node(3), QPoint(11 + 127, 0));
    click(200, 300 + 128); // one past the limit below
    EXPECT_EQ(state.node(4), QPoint(200, 127));
    click(250, 300 + 127 - 128); // one past the limit above
    EXPECT_EQ(state.node(5), QPoint(250, 0));
    EXPECT_EQ(state.NodeCount, 5);
    EXPECT_EQ(session.record().Lines, 4);
}

TEST_F(Gestures, RubberBandFollowsThePointerWithinTheLimits) {
    startNewTrack(10, 300);
    move(400, 0);
    EXPECT_EQ(g.RubberFrom, QPoint(10, 0));
    EXPECT_EQ(g.RubberTo, QPoint(137, -127));
    CanvasOverlay o = editor.overlay();
    EXPECT_TRUE(o.rubberBand);
    move(400, 0, Qt::ShiftModifier);
    EXPECT_TRUE(g.FreeLength);
    EXPECT_EQ(g.RubberTo, QPoint(400, -300)) << "Shift lifts the clamps";
    const GestureOutcome out = move(3, 300);
    EXPECT_EQ(g.RubberTo, QPoint(11, 0)) << "never left of the last node";
    EXPECT_TRUE(out.repaint.contains(QRect(QPoint(10, 0), QPoint(400, 300))))
        << "the old band is repainted away";
}

// With Shift a far click is reached in pieces within the limits, the last
// one ending on the click; one split per Shift move.
TEST_F(Gestures, ShiftReachesAFarTargetInPiecesWithinTheLimits) {
    const struct {
        QPoint target;
        std::vector<QPoint> nodes;
    } cases[] = {
        {{310, 300}, {{10, 0}, {137, 0}, {264, 0}, {310, 0}}},
        {{110, 700}, {{10, 0}, {42, 127}, {74, 254}, {105, 381}, {110, 400}}},
        {{11, 900}, {{10, 0}, {11, 127}}}, // one pixel right: no zero-width pieces
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target.y());
        session.closeWithoutStoring();
        startNewTrack(10, 300);
        move(100, 300, Qt::ShiftModifier);
        click(c.target.x(), c.target.y());
        EXPECT_EQ(nodes(), c.nodes);
    }
    EXPECT_FALSE(g.FreeLength);
    click(11 + 300, 300);
    EXPECT_EQ(state.node(3), QPoint(11 + 127, 0)) << "clamped again";
}

// Ctrl + click while drawing opens the correction of the node it lands on
// and places the next node too; a right click ends drawing without a node.
TEST_F(Gestures, RightClickEndsDrawingWithoutANode) {
    startNewTrack(10, 300);
    click(100, 300);
    EXPECT_EQ(click(100, 300, Qt::LeftButton, Qt::ControlModifier).openCorrection, 2);
    EXPECT_EQ(state.NodeCount, 3);
    click(200, 300, Qt::RightButton);
    EXPECT_EQ(state.NodeCount, 3);
    EXPECT_FALSE(session.isEditing());
    EXPECT_TRUE(session.isNewTrack());
    EXPECT_TRUE(session.SaveEnabled);
    click(150, 300);
    click(180, 250);
    EXPECT_EQ(state.NodeCount, 3) << "left clicks do nothing after the right click";
    EXPECT_FALSE(editor.overlay().rubberBand);
}

TEST_F(Gestures, DrawingStopsAt499Segments) {
    startNewTrack(0, 300);
    for (int i = 1; i <= kMaxSegments; ++i)
        ASSERT_EQ(click(i * 2, 300).message, EditorMessage::None);
    EXPECT_EQ(state.NodeCount, kMaxNodes);
    const GestureOutcome refused = click(2000, 300);
    EXPECT_EQ(refused.message, EditorMessage::SegmentCapacity);
    EXPECT_EQ(state.NodeCount, kMaxNodes);
    EXPECT_EQ(state.NodeX[size_t(kMaxNodes + 1)], 0) << "nothing written past the last node";
    move(0, 0, Qt::ShiftModifier);
    EXPECT_EQ(click(3000, 300).message, EditorMessage::SegmentCapacity);
    EXPECT_EQ(state.NodeCount, kMaxNodes);
}

TEST_F(Gestures, SplitStopsWhenTheTrackFills) {
    startNewTrack(0, 300);
    for (int i = 1; i <= kMaxSegments - 2; ++i) click(i, 300);
    move(0, 0, Qt::ShiftModifier);
    EXPECT_EQ(click(2000, 300).message, EditorMessage::SegmentCapacity);
    EXPECT_EQ(state.NodeCount, kMaxNodes);
    EXPECT_EQ(state.NodeX[size_t(kMaxNodes + 1)], 0);
}

// ---- dragging --------------------------------------------------------------

// A dragged node stops one pixel before its right neighbour, 127 across
// from its left one and 127 up or down; the last node has only its left
// neighbour. It stays selected for the keys until a press beside every node.
TEST_F(Gestures, DragsStopAtTheSegmentLimits) {
    open({{0, 0}, {50, 0}, {100, 0}, {200, 0}});
    const struct {
        QPoint grab, to, stops;
    } cases[] = {
        {{50, 0}, {160, 0}, {99, 0}},       {{50, 0}, {50, -200}, {50, -127}},
        {{100, 0}, {300, 200}, {177, 127}}, {{200, 0}, {500, 300}, {227, 127}},
        {{200, 0}, {10, 0}, {101, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.to.x());
        down(at(c.grab.x(), c.grab.y()).x(), at(c.grab.x(), c.grab.y()).y());
        EXPECT_TRUE(g.IsDragging);
        move(at(c.to.x(), c.to.y()).x(), at(c.to.x(), c.to.y()).y());
        EXPECT_EQ(state.node(g.SelNode), c.stops);
        EXPECT_EQ(editor.overlay().highlightNode, g.SelNode);
        move(at(c.grab.x(), c.grab.y()).x(), at(c.grab.x(), c.grab.y()).y());
        up(0, 0);
        EXPECT_FALSE(g.IsDragging);
    }
    EXPECT_EQ(g.SelNode, 4);
    EXPECT_EQ(editor.overlay().highlightNode, 4) << "it stays selected for the keys";
    down(at(150, 50).x(), at(150, 50).y()); // a press beside every node
    EXPECT_EQ(editor.overlay().highlightNode, 0);
}

TEST_F(Gestures, NodeOneNeverMoves) {
    open({{0, 0}, {100, 0}, {200, 0}});
    down(at(0, 0).x(), at(0, 0).y());
    EXPECT_FALSE(g.IsDragging);
    move(50, 50);
    EXPECT_EQ(state.node(1), QPoint(0, 0));
    up(50, 50);
    editor.toggleDeleteNode();
    EXPECT_EQ(click(at(0, 0).x(), at(0, 0).y()).message, EditorMessage::None);
    EXPECT_EQ(state.NodeCount, 3);
    editor.toggleDeleteNode();
    EXPECT_EQ(click(at(0, 0).x(), at(0, 0).y(), Qt::LeftButton, Qt::ControlModifier).openCorrection,
              0);
}

TEST_F(Gestures, DragEndRefreshesTheMarks) {
    open(levelNodes(700, 100)); // template 1: start over x 102 -> node at 200
    ASSERT_EQ(state.StartPt, QPoint(200, 0));
    down(at(200, 0).x(), at(200, 0).y());
    move(at(200, -40).x(), at(200, -40).y());
    const GestureOutcome out = up(0, 0);
    EXPECT_EQ(state.StartPt, QPoint(200, -40)) << "the flag stays on its node";
    EXPECT_TRUE(out.repaintAll);
}

// ---- insert and delete -----------------------------------------------------

TEST_F(Gestures, InsertLimitsTheHeightAndNeverTheLastSegment) {
    open({{0, 0}, {100, 0}, {200, 100}, {300, 100}});
    editor.toggleAddNode();
    EXPECT_TRUE(g.holds(Tool::AddNode));
    move(at(50, 0).x(), at(50, 0).y());
    EXPECT_TRUE(editor.overlay().cross);
    click(at(50, -300).x(), at(50, -300).y());
    EXPECT_EQ(state.NodeCount, 5);
    EXPECT_EQ(state.node(2), QPoint(50, -127));
    EXPECT_EQ(session.record().Lines, 4);
    click(at(150, 400).x(), at(150, 400).y());
    EXPECT_EQ(state.node(4), QPoint(150, 127)) << "limited against the left neighbour";
    click(at(250, 100).x(), at(250, 100).y());
    EXPECT_EQ(state.NodeCount, 6) << "the last segment is not searched";
}

TEST_F(Gestures, InsertRulesAtSegmentEnds) {
    open({{0, 0}, {10, 0}, {11, 0}, {40, 0}, {300, 0}});
    editor.toggleAddNode();
    GestureOutcome out = click(at(10, 0).x(), at(10, 0).y());
    EXPECT_EQ(out.message, EditorMessage::None);
    EXPECT_EQ(state.node(2), QPoint(9, 0)) << "on the end of segment 1: one pixel left";
    EXPECT_EQ(state.node(3), QPoint(10, 0));
    out = click(at(10, 0).x(), at(10, 0).y()); // now the segment 9..10 is hit
    EXPECT_EQ(out.message, EditorMessage::SegmentLimits) << "no room in a one-pixel segment";
    EXPECT_EQ(state.NodeCount, 6);
    for (int i = 1; i < state.NodeCount; ++i)
        EXPECT_LT(state.NodeX[size_t(i)], state.NodeX[size_t(i + 1)]);
}

TEST_F(Gestures, InsertRefusedOnAFullTrack) {
    open(levelNodes(kMaxSegments * 2, 2));
    ASSERT_EQ(state.NodeCount, kMaxNodes);
    editor.toggleAddNode();
    EXPECT_EQ(click(at(5, 0).x(), at(5, 0).y()).message, EditorMessage::SegmentCapacity);
    EXPECT_EQ(state.NodeCount, kMaxNodes);
}

TEST_F(Gestures, DeleteRefusesWhenTheNeighboursWouldBreakTheLimits) {
    open({{0, 0}, {100, 0}, {200, 0}, {250, 0}, {300, -120}, {350, 0}});
    editor.toggleDeleteNode();
    GestureOutcome out = click(at(100, 0).x(), at(100, 0).y());
    EXPECT_EQ(out.message, EditorMessage::SegmentLimits);
    EXPECT_EQ(messageLangLine(out.message), 39);
    EXPECT_EQ(state.NodeCount, 6);
    out = click(at(250, 0).x(), at(250, 0).y());
    EXPECT_EQ(out.message, EditorMessage::None);
    EXPECT_EQ(state.NodeCount, 5);
    EXPECT_EQ(state.node(4), QPoint(300, -120));
    EXPECT_EQ(session.record().Lines, 4);
    out = click(at(300, -120).x(), at(300, -120).y());
    EXPECT_EQ(out.message, EditorMessage::SegmentLimits) << "neighbours 150 apart";
    EXPECT_EQ(state.NodeCount, 5);
}

// The last node may go while a segment stays; node 1 and a lone segment stay.
TEST_F(Gestures, DeleteTakesTheLastNodeWhileASegmentStays) {
    open({{0, 0}, {50, 0}, {100, 0}});
    editor.toggleDeleteNode();
    click(at(100, 0).x(), at(100, 0).y());
    EXPECT_EQ(state.NodeCount, 2);
    EXPECT_EQ(state.node(2), QPoint(50, 0));
    click(at(50, 0).x(), at(50, 0).y());
    click(at(0, 0).x(), at(0, 0).y());
    EXPECT_EQ(state.NodeCount, 2) << "one segment stays";
}

// ---- tail move -------------------------------------------------------------

TEST_F(Gestures, TailMoveKeepsTheTailsShape) {
    open({{0, 0}, {100, 0}, {200, 30}, {300, -20}, {400, 0}});
    editor.toggleMoveTail();
    down(at(200, 30).x(), at(200, 30).y());
    EXPECT_TRUE(g.TailGrabbed);
    EXPECT_EQ(g.SelNode, 3);
    move(at(220, 10).x(), at(220, 10).y());
    EXPECT_EQ(nodes(), (std::vector<QPoint>{{0, 0}, {100, 0}, {220, 10}, {320, -40}, {420, -20}}));
    move(at(400, 300).x(), at(400, 300).y());
    EXPECT_EQ(state.node(3), QPoint(227, 127)) << "the grabbed segment keeps the limits";
    EXPECT_EQ(state.node(5), QPoint(427, 97));
    move(at(-300, -300).x(), at(-300, -300).y());
    EXPECT_EQ(state.node(3), QPoint(101, -127)) << "one pixel right of its neighbour at least";
    EXPECT_EQ(state.node(5), QPoint(301, -157));
    up(0, 0);
    EXPECT_FALSE(g.TailGrabbed);
    EXPECT_TRUE(g.holds(Tool::MoveTail));
}

TEST_F(Gestures, TailGrabTakesTheLastHitNode) {
    open({{0, 0}, {100, 0}, {102, 0}, {300, 0}});
    editor.toggleMoveTail();
    down(at(101, 0).x(), at(101, 0).y());
    EXPECT_EQ(g.SelNode, 3);
}

// A track drawn new starts where the first click fell but is stored from x 0:
// while it is drawn, its flags and player stand where the stored track has them.
TEST_F(Gestures, MarksOfADrawnTrackLieWhereTheStoredTrackHasThem) {
    startNewTrack(300, 300);
    for (int x = 400; x <= 1000; x += 100) click(x, 300);
    click(0, 0, Qt::RightButton);
    session.choosePreset(1);
    EXPECT_EQ(state.StartPt, QPoint(500, 0)) << "the node ending the segment over 300 + 102";
    EXPECT_EQ(state.FinishPt, QPoint(900, 0)) << "over 300 + 597";
    EXPECT_EQ(state.PlayerPt.x(), 300 + 97);

    const int j = state.CurTrack;
    ASSERT_TRUE(session.storeTrack("drawn").ok());
    ASSERT_TRUE(session.openSelectedTrack(j, 554).ok());
    EXPECT_EQ(state.StartPt, QPoint(200, 0));
    EXPECT_EQ(state.FinishPt, QPoint(600, 0));
    EXPECT_EQ(state.PlayerPt.x(), 97);
}

// The field ends at the last node when a track opens; a node moved past that
// edge widens it, so the end of the track stays on the canvas and in reach.
TEST_F(Gestures, TheFieldGrowsToHoldTheLastNode) {
    open(levelNodes(400, 100));
    ASSERT_EQ(session.canvasSize.width(), 400);
    editor.toggleMoveTail();
    down(at(300, 0).x(), at(300, 0).y());
    move(at(320, 0).x(), at(320, 0).y());
    GestureOutcome out = up(0, 0);
    EXPECT_EQ(state.node(5), QPoint(420, 0)) << "the tail moved 20 right";
    EXPECT_EQ(session.canvasSize.width(), 420);
    editor.toggleMoveTail();

    down(at(420, 0).x(), at(420, 0).y());
    move(at(400, 0).x(), at(400, 0).y());
    out = up(0, 0);
    EXPECT_EQ(session.canvasSize.width(), 420) << "the field never shrinks by itself";

    down(at(400, 0).x(), at(400, 0).y());
    move(at(600, 0).x(), at(600, 0).y());
    out = up(0, 0);
    EXPECT_EQ(state.node(5), QPoint(320 + 127, 0));
    EXPECT_EQ(session.canvasSize.width(), 320 + 127);
}

// A node dragged above the top edge or below the bottom: the field grows
// there too, everything moves down as far as the room above grew and the
// view scrolls by as much, so the node stays under the pointer and can be
// taken again.
TEST_F(Gestures, TheFieldFollowsANodeDraggedPastTheTopOrBottom) {
    open({{0, 0}, {100, -120}, {200, -240}, {300, -300}});
    const int y0 = state.YOffset, height = session.canvasSize.height();
    const QPoint top = at(300, -300);
    ASSERT_EQ(top.y(), 100) << "100 above the highest node";
    down(top.x(), top.y());
    move(top.x(), top.y() - 67); // 33 pixels from the canvas top
    const GestureOutcome out = up(top.x(), top.y() - 67);
    EXPECT_EQ(state.node(4), QPoint(300, -367));
    EXPECT_EQ(state.YOffset, y0 + 67);
    EXPECT_EQ(out.grewAbove, 67) << "the view follows";
    EXPECT_EQ(session.canvasSize.height(), height + 67);
    EXPECT_EQ(at(300, -367).y(), 100) << "the node lies 100 inside the top again";
    down(at(300, -367).x(), at(300, -367).y());
    EXPECT_TRUE(g.IsDragging) << "and can be taken again";
    move(at(300, -330).x(), at(300, -330).y());
    up(0, 0);
    EXPECT_EQ(state.YOffset, y0 + 67) << "the room never shrinks while the track is open";
}

// ---- tools, correction, panning, wheel -------------------------------------

TEST_F(Gestures, ToolsNeedATrackAreExclusiveAndTheRightButtonLeavesThem) {
    editor.toggleAddNode();
    EXPECT_FALSE(g.holds(Tool::AddNode)) << "no track open";
    open(levelNodes(400, 100));
    editor.toggleAddNode();
    GestureOutcome out = editor.toggleRider();
    EXPECT_TRUE(g.holds(Tool::Rider));
    EXPECT_FALSE(g.holds(Tool::AddNode));
    move(30, 40);
    EXPECT_TRUE(editor.overlay().rider);
    out = editor.toggleDeleteNode();
    EXPECT_FALSE(g.holds(Tool::Rider));
    EXPECT_TRUE(g.holds(Tool::DeleteNode));
    out = click(5, 5, Qt::RightButton);
    EXPECT_FALSE(g.anyTool());
    editor.toggleAddNode();
    editor.toggleAddNode();
    EXPECT_FALSE(g.anyTool()) << "a second press raises the button";
    session.closeWithoutStoring();
    ASSERT_TRUE(session.startNewTrack("n", 554).ok());
    editor.toggleDeleteNode();
    EXPECT_FALSE(g.holds(Tool::DeleteNode)) << "nor while a new track is drawn";
}

// Every gesture and tool click ends with the open track telling what changed,
// once each: the tool buttons, the rider picture, the panel's line count and
// field, the floating preview and the correction window follow these signals.
TEST_F(Gestures, TheOpenTrackTellsWhatEachGestureChanged) {
    const int j = tracks.createTrack("t");
    setTrack(tracks[j], levelNodes(500, 50), 1);
    ASSERT_TRUE(track.open(j, 554).ok());
    QSignalSpy tool(&track, &OpenTrack::toolChanged), lines(&track, &OpenTrack::linesChanged),
        shape(&track, &OpenTrack::shapeChanged), dropped(&track, &OpenTrack::correctionDropped),
        field(&track, &OpenTrack::fieldChanged), modified(&track, &OpenTrack::modifiedChanged),
        mode(&track, &OpenTrack::modeChanged);
    const auto told = [&] {
        track.settle();
        return std::vector<qsizetype>{tool.count(),    lines.count(), shape.count(),
                                      dropped.count(), field.count(), modified.count(),
                                      mode.count()};
    };
    using Counts = std::vector<qsizetype>;

    click(at(300, 0).x(), at(300, 0).y(), Qt::LeftButton, Qt::ControlModifier);
    ASSERT_TRUE(g.CorrOpen);
    EXPECT_EQ(told(), (Counts{0, 0, 0, 0, 0, 0, 0})) << "opening the correction changes nothing";
    editor.toggleDeleteNode();
    EXPECT_EQ(told(), (Counts{1, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(tool.last()[0].value<Tool>(), Tool::DeleteNode);
    click(at(200, 0).x(), at(200, 0).y());
    EXPECT_EQ(told(), (Counts{1, 1, 1, 1, 0, 1, 2})) << "a node deleted";
    EXPECT_EQ(lines.last()[0].toInt(), 9);
    EXPECT_TRUE(modified.last()[0].toBool());
    move(at(250, 30).x(), at(250, 30).y());
    EXPECT_EQ(told(), (Counts{1, 1, 1, 1, 0, 1, 2})) << "hovering tells nothing";

    click(0, 0, Qt::RightButton);
    EXPECT_EQ(told(), (Counts{2, 1, 1, 1, 0, 1, 3})) << "the right button left the tool";
    editor.toggleMoveTail();
    down(at(500, 0).x(), at(500, 0).y());
    move(at(600, 0).x(), at(600, 0).y());
    up(0, 0);
    EXPECT_EQ(told(), (Counts{3, 1, 2, 1, 1, 1, 4})) << "the tail moved past the field's end";
    EXPECT_EQ(field.last()[0].toSize().width(), state.NodeX[size_t(state.NodeCount)]);
}

TEST_F(Gestures, CtrlClickOpensTheCorrectionWindowInsteadOfADrag) {
    open(levelNodes(400, 100, -10));
    GestureOutcome out =
        click(at(200, -10).x(), at(200, -10).y(), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(out.openCorrection, 3);
    EXPECT_TRUE(g.CorrOpen);
    EXPECT_FALSE(g.IsDragging);
    down(at(100, -10).x(), at(100, -10).y());
    EXPECT_FALSE(g.IsDragging) << "no drags while the window is open";
    up(0, 0);
    out = editor.correctNode(210, 25);
    EXPECT_EQ(state.node(3), QPoint(210, -25));
    out = editor.correctionClosed();
    EXPECT_FALSE(g.CorrOpen);
    EXPECT_EQ(state.StartPt, QPoint(210, -25));
    out = editor.correctNode(1, 1);
    EXPECT_EQ(state.node(3), QPoint(210, -25)) << "closed: no more changes";
}

TEST_F(Gestures, CtrlClickOnNothingHidesAnOpenCorrectionWindow) {
    open(levelNodes(400, 100));
    click(at(200, 0).x(), at(200, 0).y(), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_TRUE(session.closeWithoutStoring().closeCorrection) << "closing the panel hides it too";
    session.openSelectedTrack(state.CurTrack, 554);
    click(at(200, 0).x(), at(200, 0).y(), Qt::LeftButton, Qt::ControlModifier);
    click(at(150, 50).x(), at(150, 50).y(), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_FALSE(g.CorrOpen);
}

// Deleting, inserting or tail-moving renumbers or moves the nodes around the
// corrected one: the window closes instead of moving another node by limits
// that no longer hold. A tool click that changes nothing keeps it.
TEST_F(Gestures, NodeToolsCloseAnOpenCorrectionWindow) {
    open(levelNodes(500, 50));
    auto correct = [&](int x) {
        click(at(x, 0).x(), at(x, 0).y(), Qt::LeftButton, Qt::ControlModifier);
        ASSERT_TRUE(g.CorrOpen);
    };
    correct(300);
    editor.toggleDeleteNode();
    GestureOutcome out = click(at(250, 60).x(), at(250, 60).y());
    EXPECT_TRUE(g.CorrOpen) << "a click beside every node keeps it";
    out = click(at(200, 0).x(), at(200, 0).y());
    EXPECT_EQ(state.NodeCount, 10);
    EXPECT_FALSE(g.CorrOpen);
    editor.correctNode(250, 0);
    EXPECT_EQ(state.node(7), QPoint(350, 0)) << "the node now at the old index stays";

    click(0, 0, Qt::RightButton);
    correct(300);
    editor.toggleAddNode();
    out = click(at(175, 0).x(), at(175, 0).y());
    EXPECT_EQ(state.NodeCount, 11);
    EXPECT_FALSE(g.CorrOpen);

    click(0, 0, Qt::RightButton);
    correct(300);
    editor.toggleMoveTail();
    out = down(at(400, 0).x(), at(400, 0).y());
    EXPECT_FALSE(g.CorrOpen);
    up(0, 0);
}

TEST_F(Gestures, MiddleButtonPansUntilReleasedOrLeft) {
    open(levelNodes(400, 100));
    editor.mousePress(Qt::MiddleButton, {}, {50, 50}, {500, 400});
    EXPECT_TRUE(g.Panning);
    EXPECT_FALSE(g.IsDragging);
    GestureOutcome out = editor.mouseMove({}, {60, 45}, {510, 395});
    EXPECT_EQ(out.scrollBy, QPoint(10, -5));
    out = editor.mouseMove({}, {61, 45}, {511, 395});
    EXPECT_EQ(out.scrollBy, QPoint(1, 0));
    editor.pointerLeft();
    EXPECT_FALSE(g.Panning);
    out = editor.mouseMove({}, {70, 45}, {520, 395});
    EXPECT_EQ(out.scrollBy, QPoint(0, 0));
}

TEST_F(Gestures, PointerReadOutInShownCoordinates) {
    open({{0, -20}, {100, 0}});
    const int y0 = state.YOffset;
    EXPECT_EQ(move(37, y0 - 20).pointer, "X = 37;  Y = 20");
    EXPECT_EQ(move(0, y0 + 10).pointer, "X = 0;  Y = -10");
}

TEST_F(Gestures, WheelTurnsTheRiderOnlyOverTheCanvas) {
    open(levelNodes(400, 100));
    EXPECT_FALSE(editor.wheel(120).rotateSprite) << "tool off";
    editor.toggleRider();
    editor.pointerLeft();
    EXPECT_FALSE(editor.wheel(120).rotateSprite) << "pointer outside";
    editor.pointerEntered();
    g.RiderAngle = 350;
    EXPECT_TRUE(editor.wheel(120).rotateSprite);
    EXPECT_EQ(g.RiderAngle, 0);
    g.RiderAngle = -350;
    editor.wheel(-120);
    EXPECT_EQ(g.RiderAngle, 0);
    editor.wheel(-120);
    EXPECT_EQ(g.RiderAngle, -10);
    editor.toggleRider();
    editor.toggleRider();
    EXPECT_EQ(g.RiderAngle, -10) << "the angle survives the tool";
}

} // namespace
