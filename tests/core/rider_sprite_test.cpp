// The rider sprite: showing and removing it, painting with white left out,
// and the two bike pictures. The wheel and its angle: track_canvas_test.
#include "render/rider_pictures.h"
#include "render/rider_sprite.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace korvo;

namespace {

constexpr QRgb kWhite = 0xffffffff;

int lowestInkRow(const QImage& img) {
    for (int y = img.height() - 1; y >= 0; --y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != kWhite) return y;
    return -1;
}

} // namespace

TEST(RiderPictures, SizesCleanWhiteLeftOutAndTheMarkersPlace) {
    const QImage rider = motobmp1(), marker = moto_v();
    EXPECT_EQ(rider.size(), QSize(52, 52));
    EXPECT_EQ(marker.size(), QSize(42, 42));
    EXPECT_EQ(rider.format(), QImage::Format_RGB888);
    EXPECT_EQ(marker.format(), QImage::Format_RGB888);
    for (const QImage& img : {rider, marker}) {
        EXPECT_EQ(img.pixel(0, 0), kWhite);
        int ink = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c.rgb() == kWhite) continue;
                ++ink;
                // An almost white pixel would show as a light halo on the canvas.
                EXPECT_FALSE(c.red() > 230 && c.green() > 230 && c.blue() > 230) << x << "," << y;
            }
        EXPECT_GT(ink, img.width() * img.height() / 5);
    }
    EXPECT_GE(lowestInkRow(marker), 40); // the marker's wheels stand on its bottom edge

    // White is left out; the marker stands on its point, centred.
    QImage img(2, 1, QImage::Format_RGB888);
    img.setPixel(0, 0, qRgb(255, 255, 255));
    img.setPixel(1, 0, qRgb(254, 255, 255));
    const QImage t = whiteAsTransparent(img);
    EXPECT_EQ(qAlpha(t.pixel(0, 0)), 0);
    EXPECT_EQ(t.pixel(1, 0), qRgb(254, 255, 255));

    EXPECT_EQ(bikeMarkerRect(QPoint(100, 200), QSize(42, 42)), QRect(79, 158, 42, 42));
    EXPECT_EQ(bikeMarkerRect(QPoint(100, 200), QSize(41, 30)), QRect(80, 170, 41, 30));
}

TEST(RiderSprite, DrawAndClear) {
    RiderSprite s;
    EXPECT_TRUE(s.drawmoto(50, 50).isEmpty()); // the tool was never switched on
    EXPECT_FALSE(s.RiderShown());

    s.activate();
    EXPECT_EQ(s.RiderImage(), s.picture());
    EXPECT_EQ(s.drawmoto(100, 80), QRect(74, 54, 52, 52)); // centred on the pointer
    EXPECT_TRUE(s.RiderShown());
    // Moving repaints the old place and the new one.
    EXPECT_EQ(s.drawmoto(110, 80), QRect(74, 54, 62, 52));
    EXPECT_EQ(s.rect(), QRect(84, 54, 52, 52));

    EXPECT_EQ(s.clearmotopic(), QRect(84, 54, 52, 52));
    EXPECT_FALSE(s.RiderShown());
    EXPECT_TRUE(s.RiderImage().isNull());
    EXPECT_TRUE(s.clearmotopic().isEmpty()); // nothing shown: nothing happens
    EXPECT_TRUE(s.drawmoto(10, 10).isEmpty());
}

TEST(RiderSprite, PaintLeavesWhiteOutAndClipsAtTheEdge) {
    const QRgb ground = qRgb(0, 90, 0);
    QImage canvas(200, 150, QImage::Format_RGB32);
    canvas.fill(ground);
    RiderSprite s;
    s.activate();
    {
        QPainter p(&canvas);
        s.paint(p); // not shown yet: nothing
    }
    EXPECT_EQ(canvas.pixel(100, 75), ground);

    for (QPoint at : {QPoint(100, 75), QPoint(5, 140)}) {
        canvas.fill(ground);
        s.drawmoto(at);
        QPainter p(&canvas);
        s.paint(p);
        p.end();
        const QRect r = s.rect();
        int checked = 0;
        for (int y = 0; y < r.height(); ++y)
            for (int x = 0; x < r.width(); ++x) {
                const QPoint c = r.topLeft() + QPoint(x, y);
                if (!canvas.rect().contains(c)) continue;
                const QRgb sprite = s.RiderImage().pixel(x, y);
                EXPECT_EQ(canvas.pixel(c), sprite == kWhite ? ground : sprite);
                ++checked;
            }
        EXPECT_GT(checked, 0);
        EXPECT_EQ(canvas.pixel(199, 0), ground); // outside the sprite: untouched
    }
}
