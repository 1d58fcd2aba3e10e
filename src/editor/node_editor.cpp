#include "node_editor.h"

#include "track_history.h"

#include "node_rules.h"
#include "render/rider_sprite.h"

#include <algorithm>

namespace korvo {

namespace {
constexpr int kDotMargin = 6; // node dot radius 3, the frame of the selected node 5
} // namespace

// ---- areas -----------------------------------------------------------------

QRect NodeEditor::nodesRect(int from, int to) const {
    const EditorState& st = s_.state();
    from = std::max(from, 1);
    to = std::min(to, st.NodeCount);
    if (from > to) return {};
    int left = st.NodeX[size_t(from)], right = left, top = st.NodeY[size_t(from)], bottom = top;
    for (int i = from; i <= to; ++i) {
        left = std::min(left, st.NodeX[size_t(i)]);
        right = std::max(right, st.NodeX[size_t(i)]);
        top = std::min(top, st.NodeY[size_t(i)]);
        bottom = std::max(bottom, st.NodeY[size_t(i)]);
    }
    return QRect(QPoint(left, top + st.YOffset), QPoint(right, bottom + st.YOffset))
        .adjusted(-kDotMargin, -kDotMargin, kDotMargin, kDotMargin);
}

QRect NodeEditor::riderRect() const {
    const GestureState& g = s_.Gesture;
    if (!g.RiderShown) return {};
    const int hw = riderSize_.width() / 2, hh = riderSize_.height() / 2;
    return QRect(g.RiderPos - QPoint(hw + 1, hh + 1), riderSize_ + QSize(2, 2));
}

QRect NodeEditor::bandRect() const {
    const GestureState& g = s_.Gesture;
    const int off = s_.state().YOffset;
    return QRect(g.RubberFrom + QPoint(0, off), g.RubberTo + QPoint(0, off))
        .normalized()
        .adjusted(-kDotMargin, -kDotMargin, kDotMargin, kDotMargin);
}

// ---- press -----------------------------------------------------------------

GestureOutcome NodeEditor::mousePress(Qt::MouseButton button, Qt::KeyboardModifiers mods,
                                      QPoint pos, QPoint screen) {
    GestureOutcome out;
    GestureState& g = s_.Gesture;
    const TrackSession& f = s_;
    const bool left = button == Qt::LeftButton;
    if (g.KeySelected) out.repaintAll = true;
    g.KeySelected = false;
    g.PressScreen = screen;
    g.Moved = false;
    if (history_) history_->begin(stepFor(button));
    if (button == Qt::MiddleButton) {
        g.Panning = true;
        g.PanFrom = screen;
    }
    if (button == Qt::RightButton) rightButton(out);
    if (left && g.holds(Tool::DeleteNode)) deleteAt(pos, out);
    if (left && g.holds(Tool::MoveTail)) grabTail(pos, out);
    if (left && (mods & Qt::ControlModifier) && !g.holds(Tool::AddNode) &&
        !g.holds(Tool::DeleteNode) && !g.holds(Tool::MoveTail))
        openCorrection(pos, out);
    if ((f.isEditing() && !f.isNewTrack()) && !g.anyTool() && !g.CorrOpen && !g.Panning)
        startDrag(pos, out);
    if (left && g.holds(Tool::AddNode)) insertAt(pos, out);
    if (left && f.isDrawing()) placeNode(pos, out);
    // A refusal shows a message box, which takes the release: the step ends here.
    if (history_ && out.message != EditorMessage::None) history_->end();
    return out;
}

TrackStep NodeEditor::stepFor(Qt::MouseButton button) const {
    const GestureState& g = s_.Gesture;
    const TrackSession& f = s_;
    if (button == Qt::RightButton && f.isNewTrack()) return TrackStep::EndDrawing;
    if (g.holds(Tool::DeleteNode)) return TrackStep::DeleteNode;
    if (g.holds(Tool::MoveTail)) return TrackStep::MoveTail;
    if (g.holds(Tool::AddNode)) return TrackStep::AddNode;
    if (f.isDrawing()) return TrackStep::PlaceNode;
    return TrackStep::MoveNode;
}

void NodeEditor::endDrawing(GestureOutcome& out) {
    GestureState& g = s_.Gesture;
    g.FreeLength = false;
    s_.setEditing(false);
    s_.state().NodeCount = g.NextNode - 1;
    s_.SaveEnabled = true;
    shapeChanged(out);
}

void NodeEditor::rightButton(GestureOutcome& out) {
    GestureState& g = s_.Gesture;
    if (s_.isNewTrack()) endDrawing(out);
    if (g.holds(Tool::AddNode)) {
        g.tool = Tool::None;
        g.CrossShown = false;
        out.repaintAll = true;
    }
    if (g.holds(Tool::MoveTail)) {
        g.tool = Tool::None;
        g.TailGrabbed = false;
    }
    if (g.holds(Tool::Rider)) {
        g.TailGrabbed = false;
        leaveRider(out);
    }
    if (g.holds(Tool::DeleteNode)) {
        g.tool = Tool::None;
    }
}

void NodeEditor::deleteAt(QPoint pos, GestureOutcome& out) {
    EditorState& st = s_.state();
    const int k = st.nearestNodeHit(2, st.NodeCount, pos);
    if (!k) return;
    out.message = deleteNode(st, k);
    if (out.message != EditorMessage::None) return;
    dropCorrection(out);
    shapeChanged(out);
}

// Nodes were added, removed or moved as a block: the correction window's node
// and limits no longer hold, so it closes rather than move the wrong node.
void NodeEditor::dropCorrection(GestureOutcome& out) {
    GestureState& g = s_.Gesture;
    if (!g.CorrOpen) return;
    g.CorrOpen = false;
}

void NodeEditor::grabTail(QPoint pos, GestureOutcome& out) {
    EditorState& st = s_.state();
    GestureState& g = s_.Gesture;
    g.GrabPt = QPoint(0, 0);
    for (int k = 2; k <= st.NodeCount; ++k) {
        st.SavedX[size_t(k)] = st.NodeX[size_t(k)];
        st.SavedY[size_t(k)] = st.NodeY[size_t(k)];
    }
    if (const int k = st.nearestNodeHit(2, st.NodeCount, pos, true)) { // the tail's end on a tie
        g.SelNode = k;
        g.TailGrabbed = true;
        g.GrabPt = st.node(k);
        dropCorrection(out);
    }
}

void NodeEditor::openCorrection(QPoint pos, GestureOutcome& out) {
    GestureState& g = s_.Gesture;
    const bool wasOpen = g.CorrOpen;
    g.CorrOpen = false;
    const int k = s_.state().nearestNodeHit(2, s_.state().NodeCount, pos);
    if (!k) {
        if (wasOpen) out.repaintAll = true;
        return;
    }
    if (wasOpen) out.repaint |= nodesRect(g.SelNode, g.SelNode);
    const GestureOutcome chosen = chooseForCorrection(k);
    out.openCorrection = chosen.openCorrection;
    out.repaint |= chosen.repaint;
}

void NodeEditor::startDrag(QPoint pos, GestureOutcome& out) {
    GestureState& g = s_.Gesture;
    g.IsDragging = false;
    const int k = s_.state().nearestNodeHit(2, s_.state().NodeCount, pos);
    if (!k) return;
    g.SelNode = k;
    g.IsDragging = true;
    g.DragFrom = pos;
    g.DragNodeAt = s_.state().node(k);
    g.KeySelected = true; // the keys go on with the node the mouse took
    out.repaint |= nodesRect(k - 1, k + 1);
}

void NodeEditor::insertAt(QPoint pos, GestureOutcome& out) {
    EditorState& st = s_.state();
    s_.Gesture.FreeLength = false;
    const int k = st.segmentHit(pos.x());
    if (!k) return;
    out.message = insertNode(st, k, pos.x(), pos.y() - st.YOffset);
    if (out.message != EditorMessage::None) return;
    dropCorrection(out);
    shapeChanged(out);
}

void NodeEditor::placeNode(QPoint pos, GestureOutcome& out) {
    EditorState& st = s_.state();
    GestureState& g = s_.Gesture;
    if (g.NextNode == 1) {
        st.YOffset = std::abs(pos.y());
        st.setNode(1, pos.x(), pos.y() - st.YOffset);
        g.RubberFrom = g.RubberTo = st.node(1);
        g.NextNode = 2;
    } else {
        const QPoint target(pos.x(), pos.y() - st.YOffset);
        if (g.FreeLength) {
            g.FreeLength = false;
            out.message = appendSplit(st, g.NextNode, clampDrawnNode(g.RubberFrom, target, true));
        } else {
            out.message = appendNode(st, g.NextNode, clampDrawnNode(g.RubberFrom, target, false));
        }
        g.RubberFrom = g.RubberTo = st.node(g.NextNode - 1);
    }
    st.NodeCount = g.NextNode - 1;
    shapeChanged(out);
}

// After nodes were added, removed or moved: line count, marks, repaint.
void NodeEditor::shapeChanged(GestureOutcome& out) {
    const EditorState& st = s_.state();
    ++s_.shapeRevision;
    s_.record().Lines = std::max(st.NodeCount, 1) - 1;
    s_.placeMarks();
    out.repaintAll = true;
    // A node moved past an edge would be out of reach: the field grows, and
    // the view follows what moved down so nothing jumps under the pointer.
    const QSize before = s_.canvasSize;
    const int end = st.NodeCount >= 1 ? st.NodeX[size_t(st.NodeCount)] : 0;
    if (s_.isNewTrack()) { // a track being drawn keeps its zero line where it is
        if (end > before.width()) s_.canvasSize.setWidth(end);
    } else if (const int shift = s_.fitField(); shift > 0) {
        out.grewAbove = shift;
    }
}

// ---- move ------------------------------------------------------------------

GestureOutcome NodeEditor::mouseMove(Qt::KeyboardModifiers mods, QPoint pos, QPoint screen) {
    GestureOutcome out;
    GestureState& g = s_.Gesture;
    const TrackSession& f = s_;
    out.pointer = pointerText(pos.x(), pos.y(), s_.state().YOffset);
    g.OverCanvas = true;
    if (g.holds(Tool::Rider)) moveRider(pos, out);
    if (g.Panning) {
        out.scrollBy = screen - g.PanFrom;
        g.PanFrom = screen;
    }
    const bool grabbed = g.IsDragging || (g.TailGrabbed && g.holds(Tool::MoveTail));
    if (grabbed && !pastDragDistance(screen)) return out; // still a click
    if (g.IsDragging) dragTo(pos, out);
    if (g.TailGrabbed && g.holds(Tool::MoveTail)) {
        const QPoint to(pos.x() - g.GrabPt.x(), pos.y() - s_.state().YOffset - g.GrabPt.y());
        moveTail(s_.state(), g.SelNode, to.x(), to.y());
        out.repaintAll = true;
    }
    if (f.isEditing() && g.holds(Tool::AddNode)) moveCross(pos, out);
    if (f.isNewTrack() && (mods & Qt::ShiftModifier)) g.FreeLength = true;
    if (f.isDrawing() && g.NextNode != 1) moveRubberBand(pos, out);
    return out;
}

bool NodeEditor::pastDragDistance(QPoint screen) {
    GestureState& g = s_.Gesture;
    if (!g.Moved && (screen - g.PressScreen).manhattanLength() >= dragDistance_) g.Moved = true;
    return g.Moved;
}

void NodeEditor::moveRider(QPoint pos, GestureOutcome& out) {
    GestureState& g = s_.Gesture;
    out.repaint |= riderRect();
    g.RiderPos = pos;
    g.RiderShown = true;
    out.repaint |= riderRect();
}

void NodeEditor::dragTo(QPoint pos, GestureOutcome& out) {
    EditorState& st = s_.state();
    const GestureState& g = s_.Gesture;
    const int k = g.SelNode;
    out.repaint |= nodesRect(k - 1, k + 1);
    // The node moves as far as the pointer did, wherever in its square it was taken.
    const QPoint to = g.DragNodeAt + (pos - g.DragFrom);
    st.setNode(k, to.x(), to.y());
    clampDraggedNode(st, k);
    out.repaint |= nodesRect(k - 1, k + 1);
}

void NodeEditor::moveCross(QPoint pos, GestureOutcome& out) {
    GestureState& g = s_.Gesture;
    const int off = s_.state().YOffset;
    if (g.CrossShown) out.repaint |= crossRect(g.RubberTo, off);
    g.RubberTo = QPoint(pos.x(), pos.y() - off);
    g.CrossShown = true;
    out.repaint |= crossRect(g.RubberTo, off);
}

void NodeEditor::moveRubberBand(QPoint pos, GestureOutcome& out) {
    GestureState& g = s_.Gesture;
    out.repaint |= bandRect();
    g.RubberTo =
        clampDrawnNode(g.RubberFrom, QPoint(pos.x(), pos.y() - s_.state().YOffset), g.FreeLength);
    out.repaint |= bandRect();
}

// ---- release, wheel, enter and leave ---------------------------------------

GestureOutcome NodeEditor::mouseRelease(Qt::MouseButton button, Qt::KeyboardModifiers, QPoint) {
    GestureOutcome out;
    GestureState& g = s_.Gesture;
    if (g.IsDragging && g.Moved) shapeChanged(out);
    if (g.IsDragging && !g.Moved) out.repaint |= nodesRect(g.SelNode - 1, g.SelNode + 1);
    g.IsDragging = false;
    if (g.holds(Tool::MoveTail) && button == Qt::LeftButton && g.Moved) shapeChanged(out);
    g.Moved = false;
    if (g.Panning && button == Qt::MiddleButton) g.Panning = false;
    g.TailGrabbed = false;
    g.FreeLength = false;
    if (history_) history_->end();
    return out;
}

GestureOutcome NodeEditor::wheel(int delta) {
    GestureOutcome out;
    GestureState& g = s_.Gesture;
    if (!g.holds(Tool::Rider) || !g.OverCanvas || delta == 0) return out;
    g.RiderAngle += delta > 0 ? RiderSprite::kWheelStep : -RiderSprite::kWheelStep;
    if (g.RiderAngle == 360 || g.RiderAngle == -360) g.RiderAngle = 0;
    out.rotateSprite = true;
    out.repaint |= riderRect();
    return out;
}

GestureOutcome NodeEditor::pointerEntered() {
    s_.Gesture.OverCanvas = true;
    return {};
}

GestureOutcome NodeEditor::pointerLeft() {
    s_.Gesture.OverCanvas = false;
    s_.Gesture.Panning = false;
    return {};
}

// ---- tool buttons ----------------------------------------------------------

bool NodeEditor::toolsUsable() const {
    return s_.isEditing() && !s_.isNewTrack();
}

void NodeEditor::leaveRider(GestureOutcome& out) {
    GestureState& g = s_.Gesture;
    if (!g.holds(Tool::Rider)) return;
    out.repaint |= riderRect();
    g.tool = Tool::None;
    g.RiderShown = false;
}

GestureOutcome NodeEditor::toggleAddNode() {
    GestureOutcome out;
    GestureState& g = s_.Gesture;
    if (!toolsUsable()) return out;
    if (g.holds(Tool::AddNode)) {
        g.tool = Tool::None;
    } else {
        leaveRider(out);
        g.RubberTo = QPoint(0, 0);
        g.tool = Tool::AddNode;
    }
    g.CrossShown = false;
    out.repaintAll = true;
    return out;
}

GestureOutcome NodeEditor::toggleDeleteNode() {
    GestureOutcome out;
    GestureState& g = s_.Gesture;
    if (!toolsUsable()) return out;
    const bool on = !g.holds(Tool::DeleteNode);
    leaveRider(out);
    g.tool = on ? Tool::DeleteNode : Tool::None;
    g.CrossShown = false;
    out.repaintAll = true;
    return out;
}

GestureOutcome NodeEditor::toggleMoveTail() {
    GestureOutcome out;
    GestureState& g = s_.Gesture;
    if (!toolsUsable()) return out;
    if (g.holds(Tool::MoveTail)) {
        g.tool = Tool::None;
    } else {
        leaveRider(out);
        g.tool = Tool::MoveTail;
        g.TailGrabbed = false;
    }
    g.CrossShown = false;
    out.repaintAll = true;
    return out;
}

GestureOutcome NodeEditor::toggleRider() {
    GestureOutcome out;
    GestureState& g = s_.Gesture;
    if (!toolsUsable()) return out;
    if (g.holds(Tool::Rider)) {
        leaveRider(out);
        return out;
    }
    g.tool = Tool::Rider;
    g.RiderShown = false;
    g.TailGrabbed = false;
    g.CrossShown = false;
    out.repaintAll = true;
    return out;
}

// ---- correction window -----------------------------------------------------

GestureOutcome NodeEditor::chooseForCorrection(int k) {
    GestureOutcome out;
    GestureState& g = s_.Gesture;
    if (k < 2 || k > s_.state().NodeCount) return out; // node 1 never moves
    g.SelNode = k;
    g.CorrOpen = true;
    out.openCorrection = k;
    out.repaint = nodesRect(k, k);
    return out;
}

GestureOutcome NodeEditor::correctNode(int x, int shownY) {
    GestureOutcome out;
    GestureState& g = s_.Gesture;
    EditorState& st = s_.state();
    if (!g.CorrOpen || g.SelNode < 2 || g.SelNode > st.NodeCount) return out;
    out.repaint |= nodesRect(g.SelNode - 1, g.SelNode + 1);
    if (history_) history_->begin(TrackStep::CorrectNode);
    st.setNode(g.SelNode, x, -shownY);
    if (history_) history_->end();
    out.repaint |= nodesRect(g.SelNode - 1, g.SelNode + 1);
    return out;
}

GestureOutcome NodeEditor::correctionClosed() {
    GestureOutcome out;
    s_.Gesture.CorrOpen = false;
    if (history_) history_->begin(TrackStep::CorrectNode);
    shapeChanged(out);
    if (history_) history_->end();
    return out;
}

// ---- keyboard --------------------------------------------------------------

int NodeEditor::keySelection() const {
    const GestureState& g = s_.Gesture;
    const bool free = !g.IsDragging && !g.TailGrabbed && !g.Panning;
    return toolsUsable() && free && g.KeySelected && g.SelNode >= 2 &&
                   g.SelNode <= s_.state().NodeCount
               ? g.SelNode
               : 0;
}

GestureOutcome NodeEditor::selectNext(int step) {
    GestureOutcome out;
    GestureState& g = s_.Gesture;
    const int last = s_.state().NodeCount;
    if (!toolsUsable() || g.IsDragging || g.TailGrabbed || last < 2) {
        out.passFocus = true;
        return out;
    }
    int k = keySelection();
    k = k ? k + step : (step > 0 ? 2 : last);
    dropCorrection(out);
    out.repaintAll = true;
    if (k < 2 || k > last) {
        g.KeySelected = false;
        out.passFocus = true;
        return out;
    }
    g.SelNode = k;
    g.KeySelected = true;
    return out;
}

GestureOutcome NodeEditor::nudgeSelected(int dx, int dy, bool continuesRun) {
    GestureOutcome out;
    const int k = keySelection();
    if (!k) return out;
    EditorState& st = s_.state();
    dropCorrection(out);
    if (history_) history_->begin(TrackStep::MoveNode);
    st.setNode(k, st.NodeX[size_t(k)] + dx, st.NodeY[size_t(k)] + dy);
    clampDraggedNode(st, k);
    shapeChanged(out);
    if (history_) history_->end(true, continuesRun);
    out.pointer = pointerText(st.NodeX[size_t(k)], st.NodeY[size_t(k)] + st.YOffset, st.YOffset);
    return out;
}

GestureOutcome NodeEditor::deleteSelected() {
    GestureOutcome out;
    const int k = keySelection();
    if (!k) return out;
    EditorState& st = s_.state();
    if (history_) history_->begin(TrackStep::DeleteNode);
    out.message = deleteNode(st, k);
    if (out.message == EditorMessage::None) {
        dropCorrection(out);
        shapeChanged(out);
        s_.Gesture.SelNode = std::min(k, st.NodeCount);
        s_.Gesture.KeySelected = st.NodeCount >= 2;
    }
    if (history_) history_->end();
    return out;
}

GestureOutcome NodeEditor::correctSelected() {
    GestureOutcome out;
    GestureState& g = s_.Gesture;
    const int k = keySelection();
    if (!k || g.holds(Tool::AddNode) || g.holds(Tool::DeleteNode) || g.holds(Tool::MoveTail))
        return out;
    g.CorrOpen = true;
    out.openCorrection = k;
    out.repaintAll = true;
    return out;
}

// ---- picture ---------------------------------------------------------------

CanvasOverlay NodeEditor::overlay() const {
    const GestureState& g = s_.Gesture;
    const TrackSession& f = s_;
    CanvasOverlay o;
    const bool placing = f.isDrawing();
    o.startDot = placing && g.NextNode > 1;
    o.rubberBand = placing && g.NextNode != 1;
    o.RubberFrom = g.RubberFrom;
    o.RubberTo = g.RubberTo;
    o.cross = f.isEditing() && g.holds(Tool::AddNode) && g.CrossShown;
    o.crossAt = g.RubberTo;
    o.highlightNode = g.IsDragging || g.CorrOpen ? g.SelNode : keySelection();
    o.selectedNode = keySelection();
    o.rider = g.holds(Tool::Rider) && g.RiderShown;
    o.riderCentre = g.RiderPos;
    return o;
}

CanvasScene NodeEditor::scene(const CanvasStyle& style) const {
    const EditorState& st = s_.state();
    const TrackSession& f = s_;
    const bool hasRecord = st.CurTrack >= 1 && st.CurTrack <= kMaxTracks;
    CanvasScene sc(st, style);
    sc.ColorMode = s_.colorMode();
    sc.IsEditing = f.isEditing();
    sc.IsNewTrack = f.isNewTrack();
    sc.Templ = hasRecord ? s_.record().Templ : -1;
    sc.width = s_.canvasSize.width();
    sc.overlay = overlay();
    return sc;
}

} // namespace korvo
