#include "editor/ui/track_canvas.h"

#include "editor/node_editor.h"
#include "render/rider_pictures.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

namespace korvo {

TrackCanvas::TrackCanvas(NodeEditor& editor, const CanvasStyle& style, QWidget* parent)
    : QWidget(parent), editor_(editor), style_(style), motoV_(moto_v()) {
    setObjectName("MapImg");
    // Every exposed pixel is painted; nothing behind the canvas shows through.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true); // moves without a button: pointer text, rubber band, cross, rider
    editor_.setRiderSize(sprite_.picture().size());
}

void TrackCanvas::setField(QSize size) {
    setFixedSize(size.expandedTo(QSize(0, 0)));
    update();
}

void TrackCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    CanvasScene scene = editor_.scene(style_);
    if (style_.VMoto == 1) scene.motoV = motoV_;
    scene.riderImage = sprite_.RiderImage();
    MapImgPaint(painter, event->rect(), scene);
}

// ---- gestures --------------------------------------------------------------

void TrackCanvas::carryOut(const GestureOutcome& out) {
    if (out.loadSprite) sprite_.activate();
    if (out.removeSprite) update(sprite_.clearmotopic());
    if (out.rotateSprite) {
        sprite_.RotateBitmap_ads(editor_.session().Gesture.RiderAngle);
        followRider();
    }
    if (out.fieldChanged) {
        setField(editor_.session().canvasSize);
        emit fieldChanged();
    }
    if (out.repaintAll)
        update();
    else if (!out.repaint.isEmpty())
        update(out.repaint);
    if (!out.scrollBy.isNull()) panBy(out.scrollBy);
    if (!out.pointer.isEmpty()) emit pointerMoved(out.pointer);
    if (out.linesChanged) emit linesChanged();
    if (out.modeChanged) emit modeChanged();
    if (out.closeCorrection) emit correctionDismissed();
    if (out.openCorrection > 0) emit correctionAsked(out.openCorrection);
    if (out.previewDirty) emit trackEdited();
    // The message comes last: its box runs an event loop of its own.
    if (out.message != EditorMessage::None) emit messageAsked(out.message);
}

void TrackCanvas::removeSprite() {
    update(sprite_.clearmotopic());
}

// The sprite stands where the pointer was last seen on the canvas.
void TrackCanvas::followRider() {
    const GestureState& g = editor_.session().Gesture;
    if (g.ToolRider && g.RiderShown) update(sprite_.drawmoto(g.RiderPos));
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
    carryOut(editor_.MapImgMouseDown(event->button(), event->modifiers(),
                                     event->position().toPoint(),
                                     event->globalPosition().toPoint()));
}

void TrackCanvas::mouseMoveEvent(QMouseEvent* event) {
    const GestureOutcome out = editor_.MapImgMouseMove(
        event->modifiers(), event->position().toPoint(), event->globalPosition().toPoint());
    carryOut(out);
    followRider();
    const GestureState& g = editor_.session().Gesture;
    if (g.IsDragging || g.TailGrabbed) emit trackEdited();
}

void TrackCanvas::mouseReleaseEvent(QMouseEvent* event) {
    carryOut(
        editor_.MapImgMouseUp(event->button(), event->modifiers(), event->position().toPoint()));
}

// The wheel turns the rider while the rider tool is on and the pointer is over
// the canvas; otherwise it scrolls the scroll box as usual.
void TrackCanvas::wheelEvent(QWheelEvent* event) {
    const GestureState& g = editor_.session().Gesture;
    const int delta = event->angleDelta().y();
    if (!RiderSprite::wheelTurns(g.ToolRider, g.OverCanvas) || delta == 0) {
        event->ignore();
        return;
    }
    carryOut(editor_.wheel(delta));
    event->accept();
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
