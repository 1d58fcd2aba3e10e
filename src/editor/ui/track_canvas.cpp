#include "editor/ui/track_canvas.h"

#include "editor/node_editor.h"
#include "editor/open_track.h"
#include "render/rider_pictures.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace korvo {

TrackCanvas::TrackCanvas(OpenTrack& track, const CanvasStyle& style, QWidget* parent)
    : QWidget(parent), track_(track), editor_(track.nodes()), style_(style), motoV_(moto_v()) {
    setObjectName("MapImg");
    // Every exposed pixel is painted; nothing behind the canvas shows through.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true); // moves without a button: pointer text, rubber band, cross, rider
    setFocusPolicy(Qt::StrongFocus); // Tab selects nodes, the arrows move them
    editor_.setRiderSize(sprite_.picture().size());
    // A press and release that moves less than this is a click on the node.
    editor_.setDragDistance(QApplication::startDragDistance());
    // The rider picture comes fresh and unturned with the rider tool, and
    // goes with it.
    connect(&track_, &OpenTrack::toolChanged, this, [this](Tool tool) {
        if (tool == Tool::Rider)
            sprite_.activate();
        else
            removeSprite();
    });
    connect(&track_, &OpenTrack::fieldChanged, this, [this](QSize size) {
        setField(size);
        emit fieldChanged();
    });
}

void TrackCanvas::setField(QSize size) {
    field_ = size.expandedTo(QSize(0, 0));
    fitRoom();
    update();
}

void TrackCanvas::fitRoom() {
    const QSize scaled(int(std::ceil(field_.width() * zoom_)),
                       int(std::ceil(field_.height() * zoom_)));
    CanvasScene scene = editor_.scene(style_);
    scene.zoom = zoom_;
    if (style_.VMoto == 1) scene.motoV = motoV_;
    const QRect marks = marksRect(scene);
    const QPoint before = origin();
    room_ = marks.isEmpty() ? QMargins()
                            : QMargins(std::max(0, -marks.left()), std::max(0, -marks.top()),
                                       std::max(0, marks.right() + 1 - scaled.width()),
                                       std::max(0, marks.bottom() + 1 - scaled.height()));
    const QSize whole = scaled.grownBy(room_);
    // A field smaller than the view may lie anywhere in it (where a zoom
    // left it); one larger than the view scrolls.
    QSize view = whole;
    if (scrollBox_) {
        view = scrollBox_->maximumViewportSize();
        const int bar = scrollBox_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        if (whole.width() > view.width()) view.rheight() -= bar;
        if (whole.height() > view.height()) view.rwidth() -= bar;
    }
    place_ = QPoint(std::clamp(place_.x(), 0, std::max(0, view.width() - whole.width())),
                    std::clamp(place_.y(), 0, std::max(0, view.height() - whole.height())));
    setFixedSize(whole + QSize(place_.x(), place_.y()));
    // What was in view stays there when the room above or to the left changes.
    if (scrollBox_ && origin() != before) {
        QScrollBar* h = scrollBox_->horizontalScrollBar();
        QScrollBar* v = scrollBox_->verticalScrollBar();
        h->setValue(h->value() + origin().x() - before.x());
        v->setValue(v->value() + origin().y() - before.y());
    }
}

void TrackCanvas::placeAtTopLeft() {
    place_ = QPoint();
    fitRoom();
}

QPoint TrackCanvas::toCanvas(QPointF p) const {
    return QPoint(int(std::floor((p.x() - origin().x()) / zoom_)),
                  int(std::floor((p.y() - origin().y()) / zoom_)));
}

QPoint TrackCanvas::fromCanvas(QPoint p) const {
    return QPoint(int(std::lround(p.x() * zoom_)) + origin().x(),
                  int(std::lround(p.y() * zoom_)) + origin().y());
}

void TrackCanvas::setZoom(double zoom, QPoint anchor) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (zoom == zoom_) return;
    // The anchor's place in the viewport, and the track point under it.
    const QPoint inView = scrollBox_ ? anchor - QPoint(scrollBox_->horizontalScrollBar()->value(),
                                                       scrollBox_->verticalScrollBar()->value())
                                     : anchor;
    const QPointF track((anchor.x() - origin().x()) / zoom_, (anchor.y() - origin().y()) / zoom_);
    zoom_ = zoom;
    // Nodes stay 5 x 5 screen pixels to hit.
    editor_.session().state().HitRadius = std::max(1, int(std::ceil(3 / zoom_)));
    // Where the track point would lie in the view with the field at the left
    // and top: a field smaller than the view moves there by the difference
    // (fitRoom keeps it inside the view), a larger one scrolls.
    place_ = QPoint();
    setField(field_);
    const QPoint at(int(std::lround(track.x() * zoom_)) + origin().x(),
                    int(std::lround(track.y() * zoom_)) + origin().y());
    place_ = inView - at;
    fitRoom();
    if (scrollBox_) {
        scrollBox_->horizontalScrollBar()->setValue(at.x() + place_.x() - inView.x());
        scrollBox_->verticalScrollBar()->setValue(at.y() + place_.y() - inView.y());
    }
    emit zoomChanged(zoom_);
}

void TrackCanvas::zoomAtPointer(double zoom) {
    // The pointer stands where it was last seen on the screen; the canvas
    // may have been scrolled or zoomed under it since.
    const QPoint pointer = mapFromGlobal(pointer_);
    if (editor_.session().Gesture.OverCanvas && rect().contains(pointer))
        setZoom(zoom, pointer);
    else
        setZoom(zoom);
}

double TrackCanvas::openingZoom(int height) const {
    if (!scrollBox_ || height <= 0) return 1.0;
    // A track wider than the view shows a scroll bar along the bottom.
    const int room = scrollBox_->maximumViewportSize().height() -
                     scrollBox_->horizontalScrollBar()->sizeHint().height() - 2;
    return std::clamp(double(room) / height, kMinZoom, 1.0);
}

void TrackCanvas::setZoom(double zoom) {
    QPoint middle = rect().center();
    if (scrollBox_) {
        const QWidget* view = scrollBox_->viewport();
        middle = QPoint(scrollBox_->horizontalScrollBar()->value() + view->width() / 2,
                        scrollBox_->verticalScrollBar()->value() + view->height() / 2);
    }
    setZoom(zoom, middle);
}

double TrackCanvas::fitZoom() const {
    if (!scrollBox_ || field_.isEmpty()) return 1.0;
    const QSize view = scrollBox_->maximumViewportSize();
    const double z = std::min(double(view.width() - 2) / std::max(1, field_.width()),
                              double(view.height() - 2) / std::max(1, field_.height()));
    return std::clamp(z, kMinZoom, kMaxZoom);
}

// A rectangle of canvas (track) pixels, repainted where it lies on the widget.
void TrackCanvas::updateCanvas(const QRect& r) {
    if (zoom_ == 1.0) {
        update(r.translated(origin()));
        return;
    }
    if (zoom_ < 1.0) { // the sprites keep their size: all of the (cheap) view
        update();
        return;
    }
    const int margin = 8; // dots, flags and the cross keep their size in pixels
    update(QRect(fromCanvas(r.topLeft()), fromCanvas(r.bottomRight() + QPoint(1, 1)))
               .adjusted(-margin, -margin, margin, margin));
}

void TrackCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.translate(origin());
    CanvasScene scene = editor_.scene(style_);
    scene.zoom = zoom_;
    if (style_.VMoto == 1) scene.motoV = motoV_;
    scene.riderImage = sprite_.RiderImage();
    MapImgPaint(painter, event->rect().translated(-origin()), scene);
}

// ---- gestures --------------------------------------------------------------

void TrackCanvas::carryOut(const GestureOutcome& out) {
    track_.settle();
    if (out.rotateSprite) {
        sprite_.RotateBitmap_ads(editor_.session().Gesture.RiderAngle);
        followRider();
    }
    if (out.repaintAll) fitRoom(); // the marks may have moved
    if (out.repaintAll)
        update();
    else if (!out.repaint.isEmpty())
        updateCanvas(out.repaint);
    if (!out.scrollBy.isNull()) panBy(out.scrollBy);
    if (out.grewAbove > 0) followGrowthAbove(out.grewAbove);
    if (!out.pointer.isEmpty()) emit pointerMoved(out.pointer);
    if (out.openCorrection > 0) emit correctionAsked(out.openCorrection, correctionByKeys_);
    // The message comes last: its box runs an event loop of its own.
    if (out.message != EditorMessage::None) emit messageAsked(out.message);
}

void TrackCanvas::removeSprite() {
    updateCanvas(sprite_.clearmotopic());
}

// The sprite stands where the pointer was last seen on the canvas.
void TrackCanvas::followRider() {
    const GestureState& g = editor_.session().Gesture;
    if (g.holds(Tool::Rider) && g.RiderShown) updateCanvas(sprite_.drawmoto(g.RiderPos));
}

// The field grew by `pixels` track pixels above the track: everything moved
// down by as many screen pixels at this zoom, and the view goes with it, so
// what was under the pointer stays there.
void TrackCanvas::followGrowthAbove(int pixels) {
    if (!scrollBox_) return;
    QScrollBar* v = scrollBox_->verticalScrollBar();
    v->setValue(v->value() + int(std::lround(pixels * zoom_)));
}

// The work area follows the hand: dragging right shows what lies to the left.
void TrackCanvas::panBy(QPoint delta) {
    if (!scrollBox_) return;
    QScrollBar* h = scrollBox_->horizontalScrollBar();
    QScrollBar* v = scrollBox_->verticalScrollBar();
    h->setValue(h->value() - delta.x());
    v->setValue(v->value() - delta.y());
}

void TrackCanvas::mousePressEvent(QMouseEvent* event) {
    keyRun_ = false;
    carryOut(editor_.mousePress(event->button(), event->modifiers(), toCanvas(event->position()),
                                event->globalPosition().toPoint()));
}

void TrackCanvas::mouseMoveEvent(QMouseEvent* event) {
    pointer_ = event->globalPosition().toPoint();
    const GestureOutcome out = editor_.mouseMove(event->modifiers(), toCanvas(event->position()),
                                                 event->globalPosition().toPoint());
    carryOut(out);
    followRider();
    const GestureState& g = editor_.session().Gesture;
    if (g.IsDragging || g.TailGrabbed) emit trackEdited();
}

void TrackCanvas::mouseReleaseEvent(QMouseEvent* event) {
    carryOut(
        editor_.mouseRelease(event->button(), event->modifiers(), toCanvas(event->position())));
}

// The wheel turns the rider while the rider tool is on and the pointer is over
// the canvas; otherwise it scrolls the scroll box as usual.
void TrackCanvas::wheelEvent(QWheelEvent* event) {
    const GestureState& g = editor_.session().Gesture;
    const int delta = event->angleDelta().y();
    if ((event->modifiers() & Qt::ControlModifier) && delta != 0) { // zoom around the pointer
        setZoom(delta > 0 ? zoom_ * 2 : zoom_ / 2, event->position().toPoint());
        event->accept();
        return;
    }
    if (!RiderSprite::wheelTurns(g.holds(Tool::Rider), g.OverCanvas) || delta == 0) {
        event->ignore();
        return;
    }
    carryOut(editor_.wheel(delta));
    event->accept();
}

// ---- keys ------------------------------------------------------------------

bool TrackCanvas::isNodeKey(const QKeyEvent* e) const {
    if (!editor_.keySelection()) return false;
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return mods == Qt::NoModifier || mods == Qt::ShiftModifier;
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return mods == Qt::NoModifier;
    default:
        return false;
    }
}

// Escape and Ctrl+Tab (Ctrl+Shift+Tab back) leave the canvas for the next
// control at once, where Tab would step through every node first.
bool TrackCanvas::leavesCanvas(const QKeyEvent* e) const {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    if (e->key() == Qt::Key_Escape) return mods == Qt::NoModifier;
    if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab)
        return mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier);
    return false;
}

// The window's own Delete (delete tracks) and arrow shortcuts give way while
// a node is selected here.
bool TrackCanvas::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride &&
        (isNodeKey(static_cast<QKeyEvent*>(e)) || leavesCanvas(static_cast<QKeyEvent*>(e)))) {
        e->accept();
        return true;
    }
    return QWidget::event(e);
}

bool TrackCanvas::focusNextPrevChild(bool next) {
    const GestureOutcome out = editor_.selectNext(next ? 1 : -1);
    keyRun_ = false;
    carryOut(out);
    if (out.passFocus) return QWidget::focusNextPrevChild(next);
    showSelection();
    return true;
}

void TrackCanvas::showSelection() {
    const int k = editor_.keySelection();
    if (!k || !scrollBox_) return;
    const auto& st = editor_.session().state();
    const QPoint at = fromCanvas(QPoint(st.NodeX[size_t(k)], st.NodeY[size_t(k)] + st.YOffset));
    scrollBox_->ensureVisible(at.x(), at.y(), 40, 40);
}

void TrackCanvas::keyPressEvent(QKeyEvent* e) {
    if (leavesCanvas(e)) {
        keyRun_ = false;
        QWidget::focusNextPrevChild(e->key() != Qt::Key_Backtab &&
                                    !(e->modifiers() & Qt::ShiftModifier));
        e->accept();
        return;
    }
    if (!isNodeKey(e)) {
        // Any other key ends a run of arrows; Shift alone does not (Shift+arrow).
        const int k = e->key();
        if (k != Qt::Key_Shift && k != Qt::Key_Control && k != Qt::Key_Alt && k != Qt::Key_Meta)
            keyRun_ = false;
        QWidget::keyPressEvent(e);
        return;
    }
    const int step = (e->modifiers() & Qt::ShiftModifier) ? 10 : 1;
    switch (e->key()) {
    case Qt::Key_Left:
        carryOut(editor_.nudgeSelected(-step, 0, std::exchange(keyRun_, true)));
        break;
    case Qt::Key_Right:
        carryOut(editor_.nudgeSelected(step, 0, std::exchange(keyRun_, true)));
        break;
    case Qt::Key_Up:
        carryOut(editor_.nudgeSelected(0, -step, std::exchange(keyRun_, true)));
        break;
    case Qt::Key_Down:
        carryOut(editor_.nudgeSelected(0, step, std::exchange(keyRun_, true)));
        break;
    case Qt::Key_Delete:
        keyRun_ = false;
        carryOut(editor_.deleteSelected());
        break;
    default: // Enter: the window opens with the keys in its X field
        keyRun_ = false;
        correctionByKeys_ = true;
        carryOut(editor_.correctSelected());
        correctionByKeys_ = false;
        break;
    }
    showSelection();
    e->accept();
}

void TrackCanvas::focusOutEvent(QFocusEvent* e) {
    keyRun_ = false;
    QWidget::focusOutEvent(e);
}

void TrackCanvas::enterEvent(QEnterEvent* event) {
    carryOut(editor_.pointerEntered());
    QWidget::enterEvent(event);
}

void TrackCanvas::leaveEvent(QEvent* event) {
    carryOut(editor_.pointerLeft());
    QWidget::leaveEvent(event);
}

} // namespace korvo
