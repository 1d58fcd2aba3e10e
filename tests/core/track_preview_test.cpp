// Scaled previews: the worked scales, pixels of lines, zero line and marks,
// the floating preview's shape and the window ratio.
#include "draw/map_draw.h"
#include "editor_test_util.h"
#include "render/track_preview.h"

#include <gtest/gtest.h>

using namespace korvo;
using korvo::test::levelNodes;
using korvo::test::setTrack;

namespace {

const QColor kBg(100, 250, 100); // InvColor: (255, 0, 255)
const QColor kLine(200, 0, 200);

struct Preview : ::testing::Test {
    TrackTable tracks;
    EditorState state;
    PreviewColors colors{kBg, kLine};

    int add(const std::vector<QPoint>& nodes, int t) {
        const int j = tracks.createTrack("p");
        setTrack(tracks[j], nodes, t);
        return j;
    }
    static int count(const QImage& img, const QColor& c) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixelColor(x, y) == c) ++n;
        return n;
    }
};

TEST_F(Preview, WorkedScaleOfALargeTrack) {
    // 1000 wide, y from -50 to 80, in 300 x 200: H = 330, scale 3.33..., zero line at 45.
    std::vector<QPoint> nodes = levelNodes(1000, 100);
    nodes[1].setY(-50);
    nodes[3].setY(80);
    const int j = add(nodes, -1);
    QImage img(300, 200, QImage::Format_RGB32);
    const double scale = drawPreview(tracks, j, state, img, colors, PreviewTarget::List);
    EXPECT_NEAR(scale, 1000.0 / 300.0, 1e-12);
    EXPECT_EQ(state.YOffset, 150);
    EXPECT_EQ(img.pixelColor(150, 45), InvColor(kBg)) << "zero line, drawn over the track";
    EXPECT_EQ(img.pixelColor(299, 45), InvColor(kBg)) << "zero line beyond the track's drawing";
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::black)) << "frame";
    EXPECT_EQ(img.pixelColor(299, 199), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(150, 150), kBg);
    EXPECT_EQ(img.pixelColor(90, 69), kLine) << "node (300, 80) at (90, 69)";
}

TEST_F(Preview, SmallTrackIsDrawnUnscaled) {
    const int j = add({{0, 0}, {100, 50}, {200, 0}}, -1);
    QImage img(794, 567, QImage::Format_RGB32);
    EXPECT_EQ(drawPreview(tracks, j, state, img, colors, PreviewTarget::List), 1.0);
    EXPECT_EQ(img.pixelColor(100, 150), kLine);
    EXPECT_EQ(img.pixelColor(150, 125), kLine) << "the last segment too";
    EXPECT_EQ(img.pixelColor(400, 100), InvColor(kBg));
    EXPECT_EQ(PreviewScale(200, 250, 794, 567), 1.0);
}

TEST_F(Preview, FlagsAndRiderPointHalvesToEven) {
    // Scale 2; the rider point (97, -112 + 119 + 100) lands on (48.5, 53.5) -> (48, 54).
    const int j = add(levelNodes(600, 100), 1);
    writeBE32(tracks[j].Header.data() + 23, uint32_t(templateAnchorY(1) + 119));
    QImage img(300, 200, QImage::Format_RGB32);
    ASSERT_EQ(drawPreview(tracks, j, state, img, colors, PreviewTarget::List), 2.0);
    EXPECT_EQ(state.TrackYShift, 119);
    EXPECT_EQ(img.pixelColor(48, 54), kLine);
    EXPECT_NE(img.pixelColor(49, 54), kLine);
    EXPECT_NE(img.pixelColor(48, 53), kLine);
    // Start on node 200 -> x 100; finish on node 600 -> x 300 lies outside, flag cut.
    EXPECT_EQ(img.pixelColor(100, 42), QColor(0, 128, 0));
    EXPECT_EQ(img.pixelColor(100, 46), InvColor(kBg)) << "pole";
}

TEST_F(Preview, NoTemplateNoMarksAndTemplateZeroBecomesOne) {
    const int j = add(levelNodes(700, 100), -1);
    QImage img(794, 567, QImage::Format_RGB32);
    drawPreview(tracks, j, state, img, colors, PreviewTarget::List);
    EXPECT_EQ(count(img, QColor(0, 128, 0)), 0);
    EXPECT_EQ(count(img, QColor(255, 0, 0)), 0);

    tracks[j].Templ = 0;
    const TTrackInfo before = tracks[j];
    drawPreview(tracks, j, state, img, colors, PreviewTarget::List);
    EXPECT_TRUE(tracks[j] == before) << "drawing never changes a record";
    EXPECT_GT(count(img, QColor(0, 128, 0)), 0);
    EXPECT_GT(count(img, QColor(255, 0, 0)), 0);
}

TEST_F(Preview, EmptyPointsDrawBackgroundFrameZeroLineAndMarks) {
    const int j = add({{0, 0}}, 1);
    writeBE32(tracks[j].Header.data() + 23, uint32_t(templateAnchorY(1) + 100));
    QImage img(200, 150, QImage::Format_RGB32);
    drawPreview(tracks, j, state, img, colors, PreviewTarget::List);
    EXPECT_EQ(count(img, kLine), 1) << "only the rider point";
    EXPECT_GT(count(img, kStartFlagColor), 0) << "the start on node 1";
    EXPECT_EQ(count(img, kFinishFlagColor), 0) << "no finish where none lies right of the start";

    // Floating, a track of no width keeps the window's height.
    state.decode(tracks[j]);
    QImage floating(252, 126, QImage::Format_RGB32);
    drawPreview(tracks, j, state, floating, colors, PreviewTarget::Floating);
    EXPECT_EQ(floating.height(), 126);
    EXPECT_EQ(floating.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(count(floating, InvColor(kBg)), 0) << "no zero line";
    EXPECT_EQ(floatingPreviewHeight(1, 100000, 252), kMaxFloatingHeight) << "bounded";
}

TEST_F(Preview, FloatingPreviewTakesTheTracksAspect) {
    const int j = add(levelNodes(1000, 100), 1);
    state.decode(tracks[j]);
    state.NodeY[5] = -50; // an edit in the editor, not in the record
    QImage img(252, 126, QImage::Format_RGB32);
    const double scale = drawPreview(tracks, j, state, img, colors, PreviewTarget::Floating);
    EXPECT_EQ(img.width(), 252);
    EXPECT_EQ(img.height(), roundHalfEven(252.0 * 250 / 1000)) << "H = 100 + 150";
    EXPECT_NEAR(scale, 1000.0 / 252, 1e-12);
    EXPECT_EQ(state.NodeY[5], -50) << "the open track is not decoded again";
    EXPECT_EQ(img.pixelColor(roundHalfEven(400 / scale), roundHalfEven(100 / scale)), kLine);
}

TEST_F(Preview, DialogPreviewColours) {
    TrackTable imports;
    const int d = imports.createTrack("i");
    setTrack(imports[d], levelNodes(700, 100, -20), 1);
    QImage img(350, 200, QImage::Format_RGB32);
    EXPECT_EQ(drawImportPreview(imports, d, state, img), 2.0);
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::white)) << "no frame, white background";
    EXPECT_EQ(img.pixelColor(25, 50), QColor(0, 170, 0)) << "(50, -20 + o 120) halved";
    EXPECT_EQ(img.pixelColor(340, 60), QColor(0, 0, 0)) << "zero line";
    EXPECT_GT(count(img, QColor(255, 0, 0)), 0);

    imports[d].Templ = 0;
    QImage plain(350, 200, QImage::Format_RGB32);
    drawImportPreview(imports, d, state, plain);
    EXPECT_EQ(imports[d].Templ, 0) << "left as it is";
    EXPECT_EQ(count(plain, QColor(0, 128, 0)), 0);
}

TEST(PreviewWindow, RatioAndWidthFollowTheHeight) {
    const PreviewWindowFit fit = fitPreviewWindow(252, 63, 18);
    EXPECT_EQ(fit.windowHeight, 18 + 63 + 9);
    EXPECT_DOUBLE_EQ(fit.PreviewRatio, 262.0 / 90.0);
    EXPECT_EQ(previewWindowWidth(fit.windowHeight, fit.PreviewRatio), 262);
    EXPECT_EQ(previewWindowWidth(180, fit.PreviewRatio), 524);
    EXPECT_EQ(previewWindowWidth(5, 0.5), 2) << "2.5 to the even neighbour";
}

} // namespace
