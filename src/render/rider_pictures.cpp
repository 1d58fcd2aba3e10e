#include "render/rider_pictures.h"

#include <QPainter>
#include <QPolygon>

namespace korvo {

namespace {

// Colours of the artwork; none of them is pure white, which means "transparent".
const QColor kTyre(25, 25, 25);
const QColor kRim(140, 140, 150);
const QColor kMetal(70, 70, 80);
const QColor kBody(220, 60, 20);
const QColor kSeat(35, 35, 35);
const QColor kSuit(30, 70, 190);
const QColor kHelmet(230, 180, 0);
const QColor kVisor(20, 30, 60);
const QColor kBoot(20, 20, 20);

void thickLine(QPainter& p, const QColor& c, int width, QPoint a, QPoint b) {
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(a, b);
}

void filledPolygon(QPainter& p, const QColor& c, const QPolygon& poly) {
    p.setPen(QPen(c, 1));
    p.setBrush(c);
    p.drawPolygon(poly);
}

void wheel(QPainter& p, QPoint centre) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kTyre, 3));
    p.drawEllipse(centre, 8, 8);
    p.setPen(QPen(kRim, 1));
    p.drawEllipse(centre, 5, 5);
    p.setBrush(kMetal);
    p.setPen(QPen(kMetal, 1));
    p.drawEllipse(centre, 2, 2);
}

// The bike, facing right, in a 52 x 52 design grid; the wheels touch row 48.
void bike(QPainter& p) {
    const QPoint rearAxle(12, 39), frontAxle(41, 39);
    thickLine(p, kMetal, 3, rearAxle, QPoint(24, 35));                            // swing arm
    thickLine(p, kMetal, 3, frontAxle, QPoint(35, 22));                           // fork
    thickLine(p, kMetal, 2, QPoint(33, 20), QPoint(37, 19));                      // handlebar
    filledPolygon(p, kMetal, QPolygon({{21, 31}, {30, 31}, {31, 38}, {22, 38}})); // engine
    filledPolygon(p, kBody, QPolygon({{22, 26}, {33, 23}, {36, 27}, {31, 31}, {22, 31}})); // tank
    filledPolygon(p, kBody, QPolygon({{4, 27}, {14, 27}, {12, 31}, {6, 31}}));             // tail
    filledPolygon(p, kSeat, QPolygon({{10, 25}, {23, 25}, {22, 28}, {11, 28}}));
    thickLine(p, kBody, 2, QPoint(36, 28), QPoint(45, 29)); // front mudguard
    wheel(p, rearAxle);
    wheel(p, frontAxle);
}

// The rider leaning forward over the tank, hands on the bar, foot on the peg.
void rider(QPainter& p) {
    const QPoint hip(19, 24), shoulder(26, 15), knee(29, 27);
    thickLine(p, kSuit, 6, hip, shoulder);                  // torso
    thickLine(p, kSuit, 3, shoulder, QPoint(34, 19));       // arm to the bar
    thickLine(p, kSuit, 5, hip, knee);                      // thigh
    thickLine(p, kSuit, 3, knee, QPoint(26, 34));           // shin
    thickLine(p, kBoot, 3, QPoint(25, 35), QPoint(29, 35)); // boot on the peg
    p.setPen(QPen(kHelmet, 1));
    p.setBrush(kHelmet);
    p.drawEllipse(QPoint(28, 9), 4, 4);
    filledPolygon(p, kVisor, QPolygon({{29, 7}, {32, 7}, {32, 10}, {30, 10}}));
}

// `drop` moves the drawing down by whole pixels of the picture.
QImage drawPicture(int size, int drop) {
    QImage img(size, size, QImage::Format_RGB888);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false); // no blended, near-white edge pixels
    p.translate(0, drop);
    p.scale(size / 52.0, size / 52.0);
    bike(p);
    rider(p);
    return img;
}

} // namespace

QImage motobmp1() {
    return drawPicture(52, 0);
}

// The marker stands on the player point, so its wheels touch the bottom row.
QImage moto_v() {
    return drawPicture(42, 2);
}

QImage whiteAsTransparent(const QImage& picture) {
    QImage out = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((row[x] & 0xffffffu) == 0xffffffu) row[x] = 0;
    }
    return out;
}

QRect bikeMarkerRect(QPoint foot, QSize size) {
    const int hw = size.width() / 2;
    return QRect(foot.x() - hw, foot.y() - size.height(), size.width(), size.height());
}

} // namespace korvo
