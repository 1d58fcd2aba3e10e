#pragma once
// The rider sprite of the rider tool: a picture of a rider on a bike that
// follows the pointer over the canvas and turns in steps of 10 degrees with
// the mouse wheel. The class holds what is to be shown; the canvas paints it
// from this state (paint) and repaints the rectangles the operations return,
// so what lay under the sprite comes back from the canvas's own drawing.

#include <QImage>
#include <QPoint>
#include <QRect>

class QPainter;

namespace korvo {

class RiderSprite {
public:
    // `picture` is the unturned sprite, white meaning transparent.
    explicit RiderSprite(const QImage& picture);
    RiderSprite(); // with the built-in motobmp1

    // The rider tool was switched on: a fresh, unturned copy of the picture.
    void activate();

    // RiderImage := the picture turned by `angle` degrees (RotateBitmap_ads).
    void RotateBitmap_ads(double angle);

    // Shows the sprite centred on canvas point (x, y). Returns the canvas
    // rectangle to repaint: the old place (if shown) and the new one.
    QRect drawmoto(int x, int y);
    QRect drawmoto(QPoint p) { return drawmoto(p.x(), p.y()); }

    // Removes the sprite and discards RiderImage (the tool was left). Returns
    // the rectangle to repaint; empty when nothing was shown.
    QRect clearmotopic();

    // Whether the wheel turns the sprite: only while the rider tool is on and
    // the pointer is over the canvas.
    static bool wheelTurns(bool ToolRider, bool OverCanvas) { return ToolRider && OverCanvas; }

    // Paints the shown sprite, white left out; nothing when hidden.
    void paint(QPainter& painter) const;

    bool RiderShown() const { return shown_; }
    QPoint centre() const { return centre_; } // last drawn centre
    QRect rect() const;                       // canvas rectangle of the shown sprite
    const QImage& RiderImage() const { return image_; }
    const QImage& overlay() const { return overlay_; } // RiderImage with white transparent
    const QImage& picture() const { return picture_; } // motobmp1

private:
    void setImage(const QImage& image);
    QRect rectAt(QPoint c) const;

    QImage picture_;
    QImage image_;
    QImage overlay_;
    bool shown_ = false;
    QPoint centre_;
};

} // namespace korvo
