#include "render/rider_sprite.h"

#include "render/rider_pictures.h"
#include "render/rotate_bitmap.h"

#include <QPainter>

namespace korvo {

RiderSprite::RiderSprite(const QImage& picture)
    : picture_(picture.convertToFormat(QImage::Format_RGB888)) {}

RiderSprite::RiderSprite() : RiderSprite(motobmp1()) {}

void RiderSprite::activate() {
    setImage(picture_);
}

void RiderSprite::RotateBitmap_ads(double angle) {
    setImage(korvo::RotateBitmap_ads(picture_, angle));
}

void RiderSprite::setImage(const QImage& image) {
    image_ = image;
    overlay_ = whiteAsTransparent(image_);
}

QRect RiderSprite::rectAt(QPoint c) const {
    const int hw = image_.width() / 2, hh = image_.height() / 2;
    return QRect(c.x() - hw, c.y() - hh, image_.width(), image_.height());
}

QRect RiderSprite::rect() const {
    return shown_ ? rectAt(centre_) : QRect();
}

QRect RiderSprite::drawmoto(int x, int y) {
    if (image_.isNull()) return QRect(); // the tool is not on: nothing to draw
    const QRect old = rect();
    centre_ = QPoint(x, y);
    shown_ = true;
    return old.united(rect());
}

QRect RiderSprite::clearmotopic() {
    const QRect old = rect();
    shown_ = false;
    image_ = QImage();
    overlay_ = QImage();
    return old;
}

void RiderSprite::paint(QPainter& painter) const {
    if (shown_) painter.drawImage(rect().topLeft(), overlay_);
}

} // namespace korvo
