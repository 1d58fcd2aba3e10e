// The canvas picture at known pixels: background, lines, node dots, zero
// line, flags, player marker and the gesture overlay; and that painting any
// exposed rectangle gives the same pixels as painting everything.
#include "draw/map_draw.h"
#include "editor/map_renderer.h"
#include "editor/node_editor.h"
#include "editor/open_track.h"
#include "editor_test_util.h"
#include "pack/sample_pack.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace korvo;
using korvo::test::levelNodes;
using korvo::test::setTrack;

namespace {

const QColor kBg(230, 240, 255);
const QColor kLine(0, 100, 0);
const QColor kNode(0, 0, 255);

struct Canvas : ::testing::Test {
    TrackTable tracks;
    OpenTrack track{tracks};
    EditorState& state = track.state();
    TrackSession& session = track.session();
    NodeEditor& editor = track.nodes();
    CanvasStyle style;

    Canvas() {
        style.BG[2] = style.BG[3] = kBg;
        style.Line[2] = style.Line[3] = kLine;
        style.Node1 = kNode;
    }
    void open(const std::vector<QPoint>& nodes, int t) {
        const int j = tracks.createTrack("t");
        setTrack(tracks[j], nodes, t);
        ASSERT_TRUE(session.openSelectedTrack(j, 300).ok());
    }
    QImage paint(const QRect& area, const CanvasScene& scene) const {
        QImage img(area.size(), QImage::Format_RGB32);
        img.fill(Qt::magenta);
        QPainter p(&img);
        p.translate(-area.topLeft());
        MapImgPaint(p, area, scene);
        return img;
    }
    QImage paint(const QRect& area) const { return paint(area, editor.scene(style)); }
    static int count(const QImage& img, const QColor& c, const QRect& where) {
        int n = 0;
        for (int y = where.top(); y <= where.bottom(); ++y)
            for (int x = where.left(); x <= where.right(); ++x)
                if (img.pixelColor(x, y) == c) ++n;
        return n;
    }
};

TEST_F(Canvas, TrackLinesDotsAndZeroLine) {
    open({{0, -50}, {100, -50}, {200, -100}, {300, -50}}, -1);
    ASSERT_EQ(state.YOffset, 200);
    const QImage img = paint(QRect(0, 0, 320, 260));
    EXPECT_EQ(img.pixelColor(310, 10), kBg) << "background fills the whole exposed area";
    EXPECT_EQ(img.pixelColor(50, 150), kLine);
    EXPECT_EQ(img.pixelColor(250, 125), kLine);
    EXPECT_EQ(img.pixelColor(100, 150), kNode);
    EXPECT_EQ(img.pixelColor(0, 150), kNode) << "node 1 has a dot";
    EXPECT_EQ(img.pixelColor(200, 100), kNode);
    EXPECT_EQ(count(img, kNode, QRect(294, 144, 13, 13)), 0) << "the last node has none";
    EXPECT_GE(count(img, kNode, QRect(96, 146, 9, 9)), 16) << "a dot of radius 3";
    EXPECT_EQ(img.pixelColor(150, 200), QColor(0, 0, 0)) << "zero line in InvColor(background)";
    EXPECT_EQ(img.pixelColor(300, 200), QColor(0, 0, 0));
    EXPECT_EQ(img.pixelColor(305, 200), kBg) << "the zero line ends at the canvas width";
    EXPECT_EQ(count(img, QColor(0, 128, 0), img.rect()), 0) << "no template, no flags";

    style.pntnd = false;
    editor.mousePress(Qt::LeftButton, {}, {100, 150}); // node 2 taken: highlighted
    editor.mouseRelease(Qt::LeftButton, {}, {100, 150});
    EXPECT_EQ(count(paint(img.rect()), kNode, img.rect()), 0) << "node dots unchecked";
    style.pntnd = true;
    session.closeWithoutStoring();
    session.startNewTrack("n", 300);
    editor.mousePress(Qt::LeftButton, {}, {10, 150});
    editor.mousePress(Qt::LeftButton, {}, {110, 170});
    editor.mousePress(Qt::LeftButton, {}, {210, 170});
    const QImage drawn = paint(img.rect());
    EXPECT_EQ(drawn.pixelColor(60, 160), kLine);
    EXPECT_EQ(count(drawn, kNode, QRect(105, 165, 11, 11)), 0) << "no dots on a track being drawn";
    EXPECT_GT(count(drawn, kNode, QRect(5, 145, 11, 11)), 0) << "only where drawing began";
}

TEST_F(Canvas, FlagsAndPlayerDotOrBikeMarker) {
    open(levelNodes(700, 100, -50), 1); // start over x 102 -> node 200, finish 597 -> 600
    const int y0 = state.YOffset;
    ASSERT_EQ(y0, 112 + 52) << "the bike marker at -112 has room above";
    const QImage img = paint(QRect(0, 0, 720, 300));
    EXPECT_EQ(img.pixelColor(200, y0 - 65), QColor(0, 128, 0));
    EXPECT_EQ(img.pixelColor(600, y0 - 65), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(200, y0 - 57), InvColor(kBg)) << "flag pole";
    EXPECT_EQ(img.pixelColor(97, y0 - 112), kLine) << "player dot at (97, -112)";
    state.PlayerYOffset = -10;
    const QImage moved = paint(QRect(0, 0, 720, 300));
    EXPECT_EQ(moved.pixelColor(97, y0 - 122), kLine);
    EXPECT_EQ(moved.pixelColor(97, y0 - 112), kBg);
    state.PlayerYOffset = 0;

    // The bike marker instead of the dot: its bottom centre on the player
    // point, white left out.
    style.VMoto = 1;
    CanvasScene scene = editor.scene(style);
    QImage moto(42, 42, QImage::Format_RGB32);
    moto.fill(Qt::white);
    for (int y = 32; y < 42; ++y)
        for (int x = 16; x < 26; ++x) moto.setPixelColor(x, y, Qt::black);
    scene.motoV = moto;
    const QImage bike = paint(QRect(0, 0, 720, 300), scene);
    const int px = 97, py = -112 + state.YOffset; // bottom centre
    EXPECT_GE(py - 42, 0) << "the whole marker lies on the canvas";
    EXPECT_EQ(bike.pixelColor(px, py - 1), QColor(Qt::black));
    EXPECT_EQ(bike.pixelColor(px - 5, py - 10), QColor(Qt::black));
    EXPECT_EQ(bike.pixelColor(px, py), kBg) << "the picture ends above the point";
    EXPECT_EQ(bike.pixelColor(px - 20, py - 30), kBg) << "white is transparent";
    EXPECT_EQ(playerMarkerRect(scene), QRect(px - 21, py - 42, 42, 42));
    style.VMoto = 0;

    session.closeWithoutStoring();
    open(levelNodes(400, 100, -50), 1); // ends before the finish x: finish on node 1
    const QImage shortTrack = paint(QRect(0, 0, 420, 300));
    EXPECT_GT(count(shortTrack, QColor(0, 128, 0), shortTrack.rect()), 0);
    EXPECT_EQ(count(shortTrack, QColor(255, 0, 0), shortTrack.rect()), 0) << "no finish flag";
    session.closeWithoutStoring();
    open({{0, 0}}, 1); // start and finish both on node 1: the start flag alone
    EXPECT_EQ(state.FinishPt, state.StartPt);
    EXPECT_EQ(count(paint(QRect(0, 0, 100, 300)), QColor(255, 0, 0), QRect(0, 0, 100, 300)), 0);
}

TEST_F(Canvas, OverlayRubberBandCrossAndRider) {
    session.startNewTrack("n", 300);
    const QRect whole(0, 0, 320, 260);
    EXPECT_EQ(count(paint(whole), kBg, whole), whole.width() * whole.height())
        << "before its first node a new track has no zero line either";
    editor.mousePress(Qt::LeftButton, {}, {10, 150});
    editor.mouseMove({}, {110, 150});
    QImage img = paint(QRect(0, 0, 320, 260));
    EXPECT_EQ(img.pixelColor(60, 150), kLine) << "rubber band";
    editor.mousePress(Qt::RightButton, {}, {110, 150});
    img = paint(QRect(0, 0, 320, 260));
    EXPECT_EQ(img.pixelColor(60, 150), InvColor(kBg)) << "band gone; the zero line shows";

    session.closeWithoutStoring();
    open(levelNodes(300, 100, -50), -1);
    editor.toggleAddNode();
    EXPECT_EQ(count(paint(QRect(0, 0, 320, 260)), kLine, QRect(0, 0, 20, 20)), 0)
        << "no cross before the pointer moved";
    editor.mouseMove({}, {150, 40});
    img = paint(QRect(0, 0, 320, 260));
    EXPECT_EQ(img.pixelColor(150, 40), kLine);
    EXPECT_EQ(img.pixelColor(146, 36), kLine);
    EXPECT_EQ(img.pixelColor(154, 36), kLine);
    EXPECT_EQ(img.pixelColor(150, 36), kBg);

    editor.toggleRider();
    editor.mouseMove({}, {60, 60});
    CanvasScene scene = editor.scene(style);
    QImage rider(52, 52, QImage::Format_RGB32);
    rider.fill(Qt::white);
    rider.setPixelColor(26, 26, Qt::black);
    scene.riderImage = rider;
    img = paint(QRect(0, 0, 320, 260), scene);
    EXPECT_EQ(img.pixelColor(60, 60), QColor(Qt::black)) << "sprite centred on the pointer";
    EXPECT_EQ(img.pixelColor(40, 40), kBg);
}

// A node's dot (6 pixels across) shows only with a pixel at least between it
// and every other node's: where nodes lie closer, at a small zoom or on short
// segments, the line shows without their dots rather than a string of beads.
TEST_F(Canvas, NodeDotsShowOnlyClearOfEachOther) {
    open({{0, -50},    // 1: 7 right of it lies node 2
          {7, -50},    // 2
          {14, -50},   // 3: 7 from node 2 but 6 from node 4: no dot
          {20, -50},   // 4: no dot
          {100, -50},  // 5: 6 across and 6 up from node 6: neither has a dot
          {106, -44},  // 6
          {200, -50},  // 7: 7 across and 7 down to node 8: both have dots
          {207, -57},  // 8
          {330, -50},  // 9 to 11: 127 apart, 8 pixels at 1/16
          {457, -50},  // 10
          {584, -50},  // 11
          {711, -50}}, // 12: the last node has no dot in any case
         -1);
    auto dotAt = [&](const QImage& img, int k, double zoom) {
        const QPoint at(int(std::lround(state.NodeX[size_t(k)] * zoom)),
                        int(std::lround((state.NodeY[size_t(k)] + state.YOffset) * zoom)));
        return img.pixelColor(at) == kNode;
    };
    const QImage actual = paint(QRect(0, 0, 720, 300));
    std::vector<int> dots;
    for (int k = 1; k <= 12; ++k)
        if (dotAt(actual, k, 1.0)) dots.push_back(k);
    EXPECT_EQ(dots, (std::vector<int>{1, 2, 7, 8, 9, 10, 11}));
    EXPECT_EQ(actual.pixelColor(state.NodeX[4], state.NodeY[4] + state.YOffset), kLine)
        << "the line where a dot is left out";

    CanvasScene small = editor.scene(style);
    small.zoom = 1.0 / 16;
    const QImage far = paint(QRect(0, 0, 46, 19), small);
    dots.clear();
    for (int k = 1; k <= 12; ++k)
        if (dotAt(far, k, small.zoom)) dots.push_back(k);
    EXPECT_EQ(dots, (std::vector<int>{9, 10, 11}));
    EXPECT_EQ(count(far, kNode, QRect(0, 0, 17, 19)), 0) << "no beads where nodes crowd";
}

// At every zoom: any exposed part painted alone equals that part of the
// whole picture (no seams between repainted strips), and the track lies
// where the zoom puts it.
TEST_F(Canvas, AnyExposedRectangleMatchesTheWholePictureAtEveryZoom) {
    const int j = tracks.createTrack("s");
    makeSampleTrack(tracks[j], 60, 11);
    ASSERT_TRUE(session.openSelectedTrack(j, 400).ok());
    std::mt19937 rng(3);
    for (double zoom : {1.0, 0.25, 1.0 / 16, 3.0}) {
        CanvasScene scene = editor.scene(style);
        scene.zoom = zoom;
        const QRect whole(0, 0, int(std::ceil(session.canvasSize.width() * zoom)),
                          int(std::ceil(session.canvasSize.height() * zoom)));
        const QImage full = paint(whole, scene);
        const QPoint node2(int(std::lround(state.NodeX[2] * zoom)),
                           int(std::lround((state.NodeY[2] + state.YOffset) * zoom)));
        EXPECT_NE(full.pixelColor(node2), kBg) << "node 2 at zoom " << zoom;
        for (int i = 0; i < 12; ++i) {
            const int w = 1 + int(rng() % uint32_t(std::min(300, whole.width() - 1)));
            const int h = 1 + int(rng() % uint32_t(std::min(200, whole.height() - 1)));
            const QRect area(int(rng() % uint32_t(whole.width() - w + 1)),
                             int(rng() % uint32_t(whole.height() - h + 1)), w, h);
            const QImage part = paint(area, scene);
            const QImage want = full.copy(area);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    ASSERT_EQ(part.pixel(x, y), want.pixel(x, y))
                        << "zoom " << zoom << ", pixel " << area.x() + x << "," << area.y() + y;
        }
    }
}

} // namespace

// A line cut by any rectangle keeps exactly the pixels of the whole line that
// lie inside it, in every direction, so areas painted apart join without seams.
TEST(LinePixels, AClippedLineIsTheWholeLineInsideTheClip) {
    const QRect everywhere(-1000, -1000, 2001, 2001);
    std::vector<QPoint> whole, clipped;
    for (int x2 = -9; x2 <= 9; ++x2)
        for (int y2 = -9; y2 <= 9; ++y2) {
            whole.clear();
            linePixels(0, 0, x2, y2, everywhere, whole);
            ASSERT_EQ(whole.front(), QPoint(0, 0));
            ASSERT_EQ(whole.back(), QPoint(x2, y2));
            ASSERT_EQ(whole.size(), size_t(std::max(std::abs(x2), std::abs(y2)) + 1));
            for (int l = -10; l <= 10; l += 2)
                for (int t = -10; t <= 10; t += 3)
                    for (const QSize size :
                         {QSize(1, 1), QSize(3, 7), QSize(8, 2), QSize(20, 20)}) {
                        const QRect clip(QPoint(l, t), size);
                        std::vector<QPoint> want;
                        std::copy_if(whole.begin(), whole.end(), std::back_inserter(want),
                                     [&](QPoint at) { return clip.contains(at); });
                        clipped.clear();
                        linePixels(0, 0, x2, y2, clip, clipped);
                        ASSERT_EQ(clipped, want)
                            << "to " << x2 << "," << y2 << " in " << l << "," << t << " "
                            << size.width() << "x" << size.height();
                    }
        }
}
