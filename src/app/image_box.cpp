#include "image_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace korvo {

ImageBox::ImageBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageBox::setImage(const QImage& image) {
    image_ = image;
    update();
}

void ImageBox::clear(const QColor& colour) {
    fill_ = colour;
    image_ = QImage(size(), QImage::Format_RGB32);
    image_.fill(colour);
    update();
}

void ImageBox::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(event->rect(), fill_);
    if (!image_.isNull()) p.drawImage(0, 0, image_);
}

void ImageBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit doubleClicked();
}

} // namespace korvo
