#pragma once
// The mouse rules of the canvas as a state machine. The canvas widget feeds it
// presses, moves, releases, wheel turns and the tool buttons; it changes the
// node list and the gesture flags and answers with what the window must do.
// The picture itself is always painted from state (overlay(), scene()).

#include "map_renderer.h"
#include "track_session.h"

#include <Qt>

namespace korvo {

struct GestureOutcome {
    EditorMessage message = EditorMessage::None; // show as a warning box
    int openCorrection = 0;                      // open the correction window for this node
    QRect repaint;                               // canvas rectangle to repaint
    bool repaintAll = false;                     // repaint the whole visible canvas
    QString pointer;                             // status panel 0, when not empty
    QPoint scrollBy;                             // panning: subtract from the scroll positions
    int grewAbove = 0;         // track pixels the field grew above the track: the view follows them
    bool rotateSprite = false; // turn the rider picture to Gesture.RiderAngle
    bool passFocus = false;    // Tab went past the last (or first) node: the focus moves on

    bool needsRepaint() const { return repaintAll || !repaint.isEmpty(); }
};

class TrackHistory;
enum class TrackStep;

class NodeEditor {
public:
    explicit NodeEditor(TrackSession& session) : s_(session) {}

    TrackSession& session() { return s_; }
    const TrackSession& session() const { return s_; }

    // The open track's history: each gesture from press to release becomes one step.
    void setHistory(TrackHistory* history) { history_ = history; }

    // How far (screen pixels, along either axis) the pointer must go with the
    // button down before a node or the tail follows it; less is a click,
    // which changes nothing. 0: it follows at once.
    void setDragDistance(int pixels) { dragDistance_ = pixels; }

    // Size of the rider picture, for the areas it covers (52 x 52 by default).
    void setRiderSize(QSize size) { riderSize_ = size; }

    // mousePress/Move/Up: canvas pixels; `screen` is the pointer's screen
    // position, used for panning.
    GestureOutcome mousePress(Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint pos,
                              QPoint screen = {});
    GestureOutcome mouseMove(Qt::KeyboardModifiers mods, QPoint pos, QPoint screen = {});
    GestureOutcome mouseRelease(Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint pos);
    // Wheel over the canvas: turns the rider picture while the rider tool is on.
    GestureOutcome wheel(int delta);
    GestureOutcome pointerEntered();
    GestureOutcome pointerLeft();

    // The four tool buttons "Добавить новый узел", "Удалить узел",
    // "Переместить узел с треком", "Мотоциклист".
    GestureOutcome toggleAddNode();
    GestureOutcome toggleDeleteNode();
    GestureOutcome toggleMoveTail();
    GestureOutcome toggleRider();

    // The correction window: moves node SelNode to (x, shown y) while it is
    // open (the window keeps the values within its limits), and its closing.
    GestureOutcome correctNode(int x, int shownY);
    // Node k (2..NodeCount) taken for the correction window, as a Ctrl +
    // click on it does.
    GestureOutcome chooseForCorrection(int k);
    GestureOutcome correctionClosed();

    // The keyboard on the canvas. Tab and Shift+Tab select the next and the
    // previous node (2..NodeCount; past either end nothing is selected and
    // the focus moves on); the arrows move the selected node by (dx, dy)
    // track pixels within the segment limits, each run of presses one step
    // (`continuesRun` for every press after the first); Delete deletes it
    // where the delete tool may; Enter opens the correction window on it.
    GestureOutcome selectNext(int step);
    GestureOutcome nudgeSelected(int dx, int dy, bool continuesRun);
    GestureOutcome deleteSelected();
    GestureOutcome correctSelected();
    // The node the keys act on (0: none).
    int keySelection() const;

    CanvasOverlay overlay() const;
    // Everything the canvas needs to paint itself now.
    CanvasScene scene(const CanvasStyle& style) const;

private:
    TrackStep stepFor(Qt::MouseButton button) const;
    void endDrawing(GestureOutcome& out);
    void rightButton(GestureOutcome& out);
    void deleteAt(QPoint pos, GestureOutcome& out);
    void grabTail(QPoint pos, GestureOutcome& out);
    // True once the pointer went the drag distance from the press.
    bool pastDragDistance(QPoint screen);
    void openCorrection(QPoint pos, GestureOutcome& out);
    void startDrag(QPoint pos, GestureOutcome& out);
    void insertAt(QPoint pos, GestureOutcome& out);
    void placeNode(QPoint pos, GestureOutcome& out);
    void moveRider(QPoint pos, GestureOutcome& out);
    void dragTo(QPoint pos, GestureOutcome& out);
    void moveCross(QPoint pos, GestureOutcome& out);
    void moveRubberBand(QPoint pos, GestureOutcome& out);
    void leaveRider(GestureOutcome& out);
    void dropCorrection(GestureOutcome& out);
    void shapeChanged(GestureOutcome& out);
    bool toolsUsable() const;

    // Canvas rectangle around nodes from..to (clamped to the track), dots included.
    QRect nodesRect(int from, int to) const;
    QRect riderRect() const;
    QRect bandRect() const;

    TrackSession& s_;
    QSize riderSize_{52, 52};
    int dragDistance_ = 0;
    TrackHistory* history_ = nullptr;
};

} // namespace korvo
