#include "toolbar_icons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>

namespace korvo {

namespace {

const QColor kInk(40, 40, 40);
const QColor kGreen(30, 140, 50);
const QColor kRed(200, 40, 40);
const QColor kBlue(40, 90, 190);

void arrow(QPainter& p, bool up) {
    QPolygonF head{{8, 1.5}, {14.5, 8}, {10.5, 8}, {10.5, 14.5}, {5.5, 14.5}, {5.5, 8}, {1.5, 8}};
    if (!up)
        for (QPointF& pt : head) pt.setY(16 - pt.y());
    p.setPen(QPen(kGreen.darker(140), 1));
    p.setBrush(kGreen);
    p.drawPolygon(head);
}

void page(QPainter& p, QRectF r, QColor fill) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(fill);
    p.drawRect(r);
    p.setPen(QPen(kBlue, 1));
    p.drawLine(QPointF(r.left() + 2, r.top() + 3.5), QPointF(r.right() - 2, r.top() + 3.5));
    p.drawLine(QPointF(r.left() + 2, r.top() + 6.5), QPointF(r.right() - 3, r.top() + 6.5));
}

// A short track: a polyline over the lower half, with nodes.
void trackLine(QPainter& p, bool dots) {
    const QPointF pts[] = {{1.5, 12.5}, {5.5, 9.5}, {9.5, 11.5}, {14.5, 5.5}};
    p.setPen(QPen(kInk, 1.4));
    p.drawPolyline(pts, 4);
    if (!dots) return;
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    for (const QPointF& pt : pts) p.drawEllipse(pt, 1.6, 1.6);
}

void sign(QPainter& p, bool plus, QColor c) {
    p.setPen(QPen(c, 2));
    p.drawLine(QPointF(9, 3.5), QPointF(15, 3.5));
    if (plus) p.drawLine(QPointF(12, 0.5), QPointF(12, 6.5));
}

void bike(QPainter& p, double s) {
    p.scale(s, s);
    p.setPen(QPen(kInk, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4, 11.5), 2.8, 2.8);
    p.drawEllipse(QPointF(12, 11.5), 2.8, 2.8);
    p.setPen(QPen(kRed, 1.6));
    p.drawLine(QPointF(4, 11.5), QPointF(7.5, 7.5));
    p.drawLine(QPointF(7.5, 7.5), QPointF(12, 11.5));
    p.drawLine(QPointF(7.5, 7.5), QPointF(11, 6));
    p.setPen(QPen(kBlue, 1.6));
    p.drawLine(QPointF(7, 7), QPointF(8.5, 3.5)); // rider
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(9, 2.5), 1.4, 1.4);
}

// A curved arrow turning back to the left (undo) or on to the right (redo).
void turnArrow(QPainter& p, bool back) {
    if (!back) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    QPainterPath bend;
    bend.moveTo(4.5, 6.5);
    bend.cubicTo(9, 3.5, 15, 5.5, 13.5, 11);
    bend.cubicTo(13, 13, 11, 14.5, 8.5, 14.5);
    p.setPen(QPen(kBlue, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bend);
    p.setPen(QPen(kBlue.darker(130), 1));
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF{{0.5, 7}, {6.5, 2}, {6.5, 11}});
}

void draw(QPainter& p, ToolIcon which) {
    switch (which) {
    case ToolIcon::MoveUp:
        arrow(p, true);
        break;
    case ToolIcon::MoveDown:
        arrow(p, false);
        break;
    case ToolIcon::Clone:
        page(p, QRectF(1.5, 1.5, 9, 10), QColor(230, 230, 230));
        page(p, QRectF(5.5, 4.5, 9, 10), Qt::white);
        break;
    case ToolIcon::Delete:
        p.setPen(QPen(kRed, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    case ToolIcon::EditTrack:
        trackLine(p, false);
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(240, 190, 40));
        p.drawPolygon(QPolygonF{{6.5, 9.5}, {13, 3}, {15, 5}, {8.5, 11.5}, {5.5, 12.5}});
        break;
    case ToolIcon::Preview:
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(225, 240, 255));
        p.drawRect(QRectF(0.5, 1.5, 15, 13));
        trackLine(p, false);
        break;
    case ToolIcon::AddNode:
        trackLine(p, true);
        sign(p, true, kGreen);
        break;
    case ToolIcon::DeleteNode:
        trackLine(p, true);
        sign(p, false, kRed);
        break;
    case ToolIcon::MoveWithTrack: {
        p.setPen(QPen(kBlue, 1.4));
        p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
        p.setBrush(kBlue);
        p.drawPolygon(QPolygonF{{8, 0.5}, {10.5, 3.5}, {5.5, 3.5}});
        p.drawPolygon(QPolygonF{{8, 15.5}, {10.5, 12.5}, {5.5, 12.5}});
        p.drawPolygon(QPolygonF{{0.5, 8}, {3.5, 5.5}, {3.5, 10.5}});
        p.drawPolygon(QPolygonF{{15.5, 8}, {12.5, 5.5}, {12.5, 10.5}});
        break;
    }
    case ToolIcon::Rider:
        bike(p, 1.0);
        break;
    case ToolIcon::Jar:
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(200, 140, 70));
        p.drawRoundedRect(QRectF(2.5, 4.5, 11, 10.5), 2, 2);
        p.setBrush(QColor(120, 80, 40));
        p.drawRect(QRectF(4.5, 1.5, 7, 3));
        break;
    case ToolIcon::Program:
        p.fillRect(QRectF(0, 0, 16, 16), QColor(255, 250, 220));
        bike(p, 1.0);
        break;
    case ToolIcon::Undo:
    case ToolIcon::Redo:
        turnArrow(p, which == ToolIcon::Undo);
        break;
    case ToolIcon::ZoomFit: // a track inside a frame of four corners
        trackLine(p, false);
        p.setPen(QPen(kBlue, 1.4));
        for (QPointF c : {QPointF(1, 1), QPointF(15, 1), QPointF(1, 15), QPointF(15, 15)}) {
            const double dx = c.x() < 8 ? 4 : -4, dy = c.y() < 8 ? 4 : -4;
            p.drawLine(c, c + QPointF(dx, 0));
            p.drawLine(c, c + QPointF(0, dy));
        }
        break;
    }
}

QPixmap render(ToolIcon which, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    draw(p, which);
    return pm;
}

// The picture of a command that is off: faint, so it reads as off even
// where the picture is grey already.
QPixmap faded(const QPixmap& on) {
    QPixmap off(on.size());
    off.setDevicePixelRatio(on.devicePixelRatio());
    off.fill(Qt::transparent);
    QPainter p(&off);
    p.setOpacity(0.3);
    p.drawPixmap(0, 0, on);
    return off;
}

// Draws its pictures when first asked for one, at the size asked for: the
// icons of menus and windows not shown yet cost nothing at start-up, and the
// large pictures are drawn only for screens that show them.
class DrawnWhenShown : public QIconEngine {
public:
    explicit DrawnWhenShown(ToolIcon which) : which_(which) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return drawn(size).pixmap(size, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        drawn(rect.size() * painter->device()->devicePixelRatio())
            .paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return drawn(size).actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return drawn(QSize(kLarge, kLarge)).availableSizes(mode, state);
    }
    QIconEngine* clone() const override {
        auto* copy = new DrawnWhenShown(which_);
        copy->icon_ = icon_;
        copy->drawnSizes_ = drawnSizes_;
        return copy;
    }
    QString key() const override { return QStringLiteral("DrawnWhenShown"); }
    bool isNull() override { return false; }

private:
    static constexpr int kSmall = 16, kLarge = 32; // the two pictures of each command

    // The picture for a request of `size` pixels, and each smaller one.
    const QIcon& drawn(const QSize& size) {
        for (const int edge : {kSmall, kLarge}) {
            if (!drawnSizes_.contains(edge)) {
                const QPixmap on = render(which_, edge);
                icon_.addPixmap(on);
                icon_.addPixmap(faded(on), QIcon::Disabled);
                drawnSizes_ << edge;
            }
            if (std::max(size.width(), size.height()) <= edge) break;
        }
        return icon_;
    }

    ToolIcon which_;
    QIcon icon_;
    QList<int> drawnSizes_;
};

} // namespace

QIcon toolIcon(ToolIcon which) {
    return QIcon(new DrawnWhenShown(which));
}

} // namespace korvo
