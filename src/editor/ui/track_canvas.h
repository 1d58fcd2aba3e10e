#pragma once
// MapImg: the canvas of the track open in the editor. The widget has the size
// of the track's field (a 499-segment track is 63,000 pixels wide) inside the
// scroll box, and paints only the rectangle the scroll box exposes, straight
// from the editor state; no picture of the whole field is ever made.
//
// Mouse presses, moves, releases, the wheel, the pointer entering and
// leaving, and the keys that select and move nodes go to the open track's
// node editor. The canvas does what the answer asks of the view (repainting,
// panning the scroll box, turning the rider) and passes messages, the pointer
// text and the correction window's node on by signals. What changed in the
// track itself (tool, nodes, lines, field) the open track tells everyone.

#include "editor/canvas_style.h"
#include "editor/editor_messages.h"
#include "render/rider_sprite.h"

#include <QImage>
#include <QMargins>
#include <QWidget>

class QScrollArea;

namespace korvo {

class NodeEditor;
class OpenTrack;
struct GestureOutcome;

class TrackCanvas : public QWidget {
    Q_OBJECT
public:
    // `style` is the window's CanvasStyle: colours, player marker, node dots.
    TrackCanvas(OpenTrack& track, const CanvasStyle& style, QWidget* parent = nullptr);

    // The scroll box the canvas lies in; the middle button scrolls it.
    void setScrollBox(QScrollArea* box) { scrollBox_ = box; }
    // The field size: the track's extent, or what "Обновить область" set.
    // Also takes in marks that moved or changed their look.
    void setField(QSize size);
    QSize field() const { return field_; }

    // The view's zoom, 1/16 to 4: the widget is the field times the zoom;
    // the track's values and every rule stay in track pixels. `anchor` (a
    // point of this widget) keeps showing the same part of the track.
    static constexpr double kMinZoom = 1.0 / 16, kMaxZoom = 4.0;
    double zoom() const { return zoom_; }
    void setZoom(double zoom, QPoint anchor);
    void setZoom(double zoom); // around the middle of what is shown
    // The field grew by `pixels` track pixels above the track: the view follows.
    void followGrowthAbove(int pixels);
    // Around the pointer while it is over the canvas, else the middle.
    void zoomAtPointer(double zoom);
    // The zoom that shows the whole field in the scroll box.
    double fitZoom() const;
    // The zoom a track `height` pixels high opens at: 1, or the largest that
    // shows its whole height when 1 does not.
    double openingZoom(int height) const;
    // A widget point as a canvas (track pixel) point.
    QPoint toCanvas(QPointF widgetPoint) const;
    QPoint fromCanvas(QPoint canvasPoint) const;
    // The widget's room around the field: the flags and the player marker
    // keep their size in pixels, so far out of zoom they would stand out of
    // the field; the room shows them whole.
    QMargins room() const { return room_; }
    // A field smaller than the view lies where the last zoom left it, so the
    // point under the pointer stayed; this puts it back at the left and top.
    void placeAtTopLeft();
    // After a gesture or tool click: the open track tells what changed, then
    // the canvas does what the answer asks of the view.
    void carryOut(const GestureOutcome& out);
    // Takes the rider sprite away at once (the track is being closed).
    void removeSprite();

    const RiderSprite& sprite() const { return sprite_; }

signals:
    void messageAsked(korvo::EditorMessage message);
    void pointerMoved(const QString& text); // status panel 0
    // Open the correction window beside node; `byKeys` (Enter) gives it the keys.
    void correctionAsked(int node, bool byKeys);
    void trackEdited();            // a node is being dragged: the floating preview follows
    void fieldChanged();           // the field grew: "Ширина поля" shows it
    void zoomChanged(double zoom); // the view's zoom changed

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void followRider();
    void panBy(QPoint delta);
    void updateCanvas(const QRect& canvasRect);
    // The room the marks take at the zoom, the scroll box keeping its view.
    void fitRoom();
    // Where the field's (0, 0) lies on the widget.
    QPoint origin() const { return QPoint(room_.left(), room_.top()) + place_; }
    void showSelection();
    // The key (with its modifiers) moves, deletes or corrects the selected node.
    bool isNodeKey(const QKeyEvent* event) const;
    bool leavesCanvas(const QKeyEvent* event) const;

    OpenTrack& track_;
    NodeEditor& editor_;
    const CanvasStyle& style_;
    QScrollArea* scrollBox_ = nullptr;
    RiderSprite sprite_;
    QImage motoV_; // the bike-shaped player marker
    QSize field_;
    double zoom_ = 1.0;
    QMargins room_;
    QPoint place_;                  // the field's offset in a view larger than it
    QPoint pointer_;                // where on the screen the pointer was last seen over the canvas
    bool keyRun_ = false;           // arrows pressed one after another: one undo step
    bool correctionByKeys_ = false; // Enter asked for the correction window
};

} // namespace korvo
