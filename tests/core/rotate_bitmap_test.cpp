// Turning 24-bit pictures: which angles take the exact path, what the free
// path and its trim do, and the rounding they rely on.
#include "render/rider_pictures.h"
#include "render/rotate_bitmap.h"

#include <gtest/gtest.h>

using namespace korvo;

namespace {

QImage whitePicture(int w, int h) {
    QImage img(w, h, QImage::Format_RGB888);
    img.fill(Qt::white);
    return img;
}

bool allWhite(const QImage& img) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255)) return false;
    return true;
}

// The box of the non-white pixels: x, y of its top-left corner, width, height.
QRect inkBox(const QImage& img) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255)) box = box.united(QRect(x, y, 1, 1));
    return box;
}

// The non-white content of two pictures is the same up to a shift.
void expectSameInk(const QImage& a, const QImage& b) {
    const QRect ba = inkBox(a), bb = inkBox(b);
    ASSERT_EQ(ba.size(), bb.size());
    for (int y = 0; y < ba.height(); ++y)
        for (int x = 0; x < ba.width(); ++x)
            ASSERT_EQ(a.pixel(ba.x() + x, ba.y() + y), b.pixel(bb.x() + x, bb.y() + y))
                << "at " << x << "," << y;
}

// A 5 x 3 picture whose corners have distinct colours.
const QRgb kTL = qRgb(255, 0, 0), kTR = qRgb(0, 255, 0), kBL = qRgb(0, 0, 255);
QImage cornerPicture() {
    QImage img = whitePicture(5, 3);
    img.setPixel(0, 0, kTL);
    img.setPixel(4, 0, kTR);
    img.setPixel(0, 2, kBL);
    return img;
}

} // namespace

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, int> cases[] = {{0.5, 0},    {1.5, 2},    {2.5, 2},      {3.5, 4},
                                            {-0.5, 0},   {-1.5, -2},  {-2.5, -2},    {-3.5, -4},
                                            {2.4999, 2}, {2.5001, 3}, {-2.5001, -3}, {7.0, 7}};
    for (const auto& [value, rounded] : cases) EXPECT_EQ(roundHalfEven(value), rounded) << value;
}

TEST(RotateBitmap, WholeQuarterTurnsAreExactAndClockwise) {
    const QImage s = cornerPicture();

    const QImage r90 = RotateBitmap_ads(s, 90);
    ASSERT_EQ(r90.size(), QSize(3, 5)); // transposed, not trimmed
    EXPECT_EQ(r90.format(), QImage::Format_RGB888);
    EXPECT_EQ(r90.pixel(2, 0), kTL); // top-left goes to top-right
    EXPECT_EQ(r90.pixel(2, 4), kTR); // top-right goes to bottom-right
    EXPECT_EQ(r90.pixel(0, 0), kBL); // bottom-left goes to top-left

    const QImage r180 = RotateBitmap_ads(s, 180);
    ASSERT_EQ(r180.size(), QSize(5, 3));
    EXPECT_EQ(r180.pixel(4, 2), kTL);
    EXPECT_EQ(r180.pixel(0, 2), kTR);
    EXPECT_EQ(r180.pixel(4, 0), kBL);

    const QImage r270 = RotateBitmap_ads(s, 270);
    ASSERT_EQ(r270.size(), QSize(3, 5));
    EXPECT_EQ(r270.pixel(0, 4), kTL); // top-left goes to bottom-left
    EXPECT_EQ(r270.pixel(0, 0), kTR);
    EXPECT_EQ(r270.pixel(2, 4), kBL);
}

TEST(RotateBitmap, AngleZeroKeepsTheSizeAndRecentresTheInk) {
    QImage s = whitePicture(52, 52);
    for (int y = 3; y <= 8; ++y)
        for (int x = 2; x <= 11; ++x) s.setPixel(x, y, qRgb(10, 20, 30));

    const QImage r = RotateBitmap_ads(s, 0);
    ASSERT_EQ(r.size(), QSize(52, 52));
    // The box of ink and picture centre (26, 26) runs from column 2 to 26 and
    // row 3 to 26; it is widened to 52 by 14 on each side, which moves the
    // block 12 columns right and 11 rows down.
    EXPECT_EQ(inkBox(r), QRect(14, 14, 10, 6));
    EXPECT_EQ(r.pixel(14, 14), qRgb(10, 20, 30));
}

// Negative and fractional angles take the free path, trimmed to the old
// size; pure white comes back all white.
TEST(RotateBitmap, TheFreePathKeepsTheSizeAndPureWhiteStaysWhite) {
    for (double a : {-90.0, -270.0, 90.5, 89.9, 450.0})
        EXPECT_EQ(RotateBitmap_ads(cornerPicture(), a).size(), QSize(5, 3)) << a;
    const QImage s = whitePicture(52, 52);
    for (double a : {0.0, 10.0, 45.0, -90.0, 90.0, 135.5, -350.0}) {
        const QImage r = RotateBitmap_ads(s, a);
        EXPECT_EQ(r.size(), QSize(52, 52)) << a;
        EXPECT_TRUE(allWhite(r)) << a;
    }
}

TEST(RotateBitmap, FreeHalfAndQuarterTurnsMatchTheExactOnes) {
    // The sprite has a white margin, so nothing is lost at the picture's edge
    // and the free path must give the exact picture, only shifted by the trim.
    const QImage sprite = motobmp1();
    expectSameInk(RotateBitmap_ads(sprite, -90), RotateBitmap_ads(sprite, 270));
    expectSameInk(RotateBitmap_ads(sprite, -270), RotateBitmap_ads(sprite, 90));
    expectSameInk(RotateBitmap_ads(sprite, -180), RotateBitmap_ads(sprite, 180));
    expectSameInk(RotateBitmap_ads(sprite, 0), sprite);
}

TEST(RotateBitmap, FreeTurnKeepsTheAmountOfInk) {
    // A 20 x 8 bar with a knob near the centre: turned by any angle it still
    // fits in 52 x 52, so the trim cuts nothing off.
    QImage s = whitePicture(52, 52);
    for (int y = 22; y < 30; ++y)
        for (int x = 16; x < 36; ++x) s.setPixel(x, y, qRgb(200, 0, 0));
    for (int y = 18; y < 22; ++y)
        for (int x = 30; x < 34; ++x) s.setPixel(x, y, qRgb(0, 0, 200));
    const auto ink = [](const QImage& img) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) != qRgb(255, 255, 255);
        return n;
    };
    for (double a : {10.0, 30.0, 45.0, -60.0, 123.4}) {
        const QImage r = RotateBitmap_ads(s, a);
        EXPECT_NEAR(ink(r), ink(s), ink(s) / 10) << a; // nearest neighbour: no smear, no holes
        EXPECT_LE(inkBox(r).width(), 30) << a;
    }
}

TEST(RotateBitmap, OtherFormatsAreTurnedAs24Bit) {
    QImage s(4, 4, QImage::Format_ARGB32);
    s.fill(Qt::white);
    s.setPixel(0, 0, qRgb(1, 2, 3));
    const QImage r = RotateBitmap_ads(s, 90);
    EXPECT_EQ(r.format(), QImage::Format_RGB888);
    EXPECT_EQ(r.pixel(3, 0), qRgb(1, 2, 3));
}
