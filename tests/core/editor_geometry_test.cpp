// Node codec, segment limits, hit tests, marks and canvas extent.
#include "draw/map_draw.h"
#include "editor/editor_state.h"
#include "editor_test_util.h"
#include "pack/sample_pack.h"

#include <gtest/gtest.h>

#include <random>

using namespace korvo;
using korvo::test::setTrack;

namespace {

EditorState stateWith(const std::vector<QPoint>& nodes) {
    EditorState st;
    st.NodeCount = int(nodes.size());
    for (size_t i = 0; i < nodes.size(); ++i) st.setNode(int(i + 1), nodes[i].x(), nodes[i].y());
    return st;
}

TEST(NodeCodec, StepBytesFollowTheStoredForm) {
    // +5 (down) -> 250, -5 (up) -> 5, +127 -> 128, -127 -> 127, 0 -> 0.
    EditorState st = stateWith({{0, 0}, {10, 5}, {20, 0}, {147, 127}, {274, 0}, {275, 0}});
    TTrackInfo r;
    ASSERT_TRUE(st.encode(r));
    EXPECT_EQ(r.PointsLen, 10);
    const uint8_t expected[] = {10, 250, 10, 5, 127, 128, 127, 127, 1, 0};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(r.Points[size_t(i)], expected[i]) << "byte " << i;
}

TEST(NodeCodec, DecodeStartsAtStartYAndReadsOnesComplement) {
    TTrackInfo r;
    r.StartY = -40;
    r.StartX = 7;
    const uint8_t bytes[] = {255, 255, 3, 254, 4, 1, 2, 128};
    std::copy(std::begin(bytes), std::end(bytes), r.Points.begin());
    r.PointsLen = 8;
    EditorState st;
    st.NodeX[9] = 99; // stale entries are cleared
    st.decode(r);
    ASSERT_EQ(st.NodeCount, 5);
    EXPECT_EQ(st.node(1), QPoint(0, -40));
    EXPECT_EQ(st.node(2), QPoint(0, -40)) << "dx 255 and dy 255 both move 0";
    EXPECT_EQ(st.node(3), QPoint(3, -39)) << "254 is down 1";
    EXPECT_EQ(st.node(4), QPoint(7, -40)) << "1 is up 1";
    EXPECT_EQ(st.node(5), QPoint(9, 87)) << "128 is down 127";
    EXPECT_EQ(st.NodeX[9], 0);
    st.decode(r, r.StartX);
    EXPECT_EQ(st.node(1), QPoint(7, -40)) << "previews start at StartX";
}

TEST(NodeCodec, RoundTripWithinLimits) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> dx(1, 127), dy(-127, 127);
    for (int trial = 0; trial < 50; ++trial) {
        EditorState st;
        st.NodeCount = 1 + int(rng() % kMaxSegments) + 1;
        st.setNode(1, 0, int(rng() % 200) - 100);
        for (int i = 2; i <= st.NodeCount; ++i)
            st.setNode(i, st.NodeX[size_t(i - 1)] + dx(rng), st.NodeY[size_t(i - 1)] + dy(rng));
        TTrackInfo r;
        r.StartY = st.NodeY[1];
        ASSERT_TRUE(st.encode(r));
        EditorState back;
        back.decode(r);
        ASSERT_EQ(back.NodeCount, st.NodeCount);
        for (int i = 1; i <= st.NodeCount; ++i) ASSERT_EQ(back.node(i), st.node(i)) << "node " << i;
    }
}

TEST(NodeCodec, NeverBeyondTheRecordCapacity) {
    // A block with 999 point bytes holds 500 pairs counting the trailing byte;
    // only 499 of them fit a record that can be stored again.
    TTrackInfo r;
    r.PointsLen = 999;
    std::fill(r.Points.begin(), r.Points.end(), uint8_t(1));
    EditorState st;
    st.decode(r);
    EXPECT_EQ(st.NodeCount, kMaxNodes);

    st.NodeCount = kMaxNodes + 1;
    TTrackInfo untouched;
    untouched.PointsLen = 12;
    EXPECT_FALSE(st.encode(untouched));
    EXPECT_EQ(untouched.PointsLen, 12);

    EditorState empty;
    TTrackInfo r2;
    r2.Points[0] = 42;
    ASSERT_TRUE(empty.encode(r2));
    EXPECT_EQ(r2.PointsLen, 0) << "a list without nodes is one node, not -2 bytes";
    EXPECT_EQ(r2.Points[0], 42) << "bytes after the pairs stay";
}

TEST(HitTests, NodeSquareIsExclusiveAtThree) {
    EditorState st = stateWith({{0, 0}, {50, -10}});
    st.YOffset = 100; // node 2 at canvas (50, 90)
    for (const QPoint in : {QPoint(50, 90), QPoint(52, 88), QPoint(48, 92)})
        EXPECT_TRUE(st.nodeHit(2, in)) << in.x() << "," << in.y();
    for (const QPoint out : {QPoint(53, 90), QPoint(47, 90), QPoint(50, 93), QPoint(50, 87)})
        EXPECT_FALSE(st.nodeHit(2, out)) << out.x() << "," << out.y();
}

TEST(HitTests, TheNearestHitNodeWinsAndSegmentSearch) {
    EditorState st = stateWith({{0, 0}, {10, 0}, {12, 0}, {14, 0}, {100, 0}});
    EXPECT_EQ(st.nearestNodeHit(2, 5, {12, 0}), 3);
    EXPECT_EQ(st.nearestNodeHit(2, 5, {13, 0}), 3) << "a tie takes the lower number";
    EXPECT_EQ(st.nearestNodeHit(2, 5, {13, 0}, true), 4) << "or the higher one";
    EXPECT_EQ(st.nearestNodeHit(2, 5, {14, 1}), 4);
    EXPECT_EQ(st.nearestNodeHit(2, 5, {11, 0}), 2);
    EXPECT_EQ(st.nearestNodeHit(2, 5, {1, 0}), 0) << "node 1 lies outside the searched range";
    EXPECT_EQ(st.segmentHit(5), 2);
    EXPECT_EQ(st.segmentHit(10), 2) << "first segment whose ends include x";
    EXPECT_EQ(st.segmentHit(13), 4);
    EXPECT_EQ(st.segmentHit(50), 0) << "the last segment is not searched";
    EXPECT_EQ(st.segmentHit(-1), 0);
}

TEST(HitTests, VisibleSegmentsMatchALinearScan) {
    TrackTable table;
    SampleOptions opt;
    opt.tracks = 1;
    opt.segments = kMaxSegments;
    makeSamplePack(table, opt);
    EditorState st;
    st.decode(table[1]);
    for (int left : {-50, 0, 1, 333, 5000, 20000, st.NodeX[size_t(st.NodeCount)] - 3, 90000}) {
        const int right = left + 819;
        const auto [first, last] = st.segmentsInColumns(left, right);
        int wantFirst = 0, wantLast = -1;
        for (int i = 1; i < st.NodeCount; ++i) {
            if (st.NodeX[size_t(i + 1)] >= left && st.NodeX[size_t(i)] <= right) {
                if (!wantFirst) wantFirst = i;
                wantLast = i;
            }
        }
        if (wantFirst) {
            EXPECT_EQ(first, wantFirst) << "left " << left;
            EXPECT_EQ(last, wantLast) << "left " << left;
        } else {
            EXPECT_GT(first, last) << "left " << left;
        }
    }
}

TEST(FindSFM, MarksOnSegmentEndsWithNodeOneFallback) {
    // Template 1: start x 102, finish x 597, player (97, -112).
    EditorState st = stateWith({{0, 0}, {100, -5}, {200, -10}, {300, 0}});
    st.TrackYShift = 7;
    st.FindSFM(1);
    EXPECT_EQ(st.StartPt, QPoint(200, -10));
    EXPECT_EQ(st.FinishPt, QPoint(0, 0)) << "track ends left of the finish x";
    EXPECT_EQ(st.PlayerPt, QPoint(97, -105));

    EditorState one = stateWith({{0, 3}});
    one.FindSFM(1);
    EXPECT_EQ(one.StartPt, QPoint(0, 3));
    EXPECT_EQ(one.FinishPt, QPoint(0, 3));

    EditorState exact = stateWith({{0, 0}, {102, 1}, {597, 2}, {600, 3}});
    exact.FindSFM(1);
    EXPECT_EQ(exact.StartPt, QPoint(102, 1)) << "x equal to the start x belongs to that segment";
    EXPECT_EQ(exact.FinishPt, QPoint(597, 2));

    exact.clearMarks();
    exact.FindSFM(-1);
    EXPECT_EQ(exact.StartPt, QPoint(0, 0)) << "no template: marks stay cleared";
}

TEST(TemplateLookups, GetCurSFAndTrackYShift) {
    TrackTable table;
    const int j = table.createTrack("a");
    setTrack(table[j], korvo::test::levelNodes(500, 100), 5);
    EXPECT_EQ(GetCurSF(table, j), 5);
    setTrack(table[j], korvo::test::levelNodes(500, 100), -1);
    EXPECT_EQ(GetCurSF(table, j), -1);

    TTrackInfo& r = table[j];
    setTrack(r, korvo::test::levelNodes(500, 100), 3);
    r.AnchorY = headerAnchorY(r) - 5;
    EXPECT_EQ(trackYShiftOf(r), -5);

    // A 36-byte header matched to a 27-byte template: the template's own last
    // four bytes are compared, never bytes past its header.
    r.HeaderLen = 36;
    r.AnchorY = templateAnchorY(3) + 9;
    EXPECT_EQ(trackYShiftOf(r), 9);
    r.Templ = -1;
    EXPECT_EQ(trackYShiftOf(r), 0);
}

TEST(CanvasExtent, OffsetAndSizeFromTheNodes) {
    EditorState st = stateWith({{0, 0}, {100, -60}, {227, 40}, {300, 10}});
    const QSize size = st.canvasExtent(400);
    EXPECT_EQ(st.YOffset, 160);
    EXPECT_EQ(size, QSize(300, 400 - 21));
    const QSize tall = st.canvasExtent(100);
    EXPECT_EQ(tall.height(), (40 + 100) + (60 + 100));
}

TEST(InvColor, ChannelsFlipAt128) {
    EXPECT_EQ(InvColor(QColor(255, 255, 255)), QColor(0, 0, 0));
    EXPECT_EQ(InvColor(QColor(0, 0, 0)), QColor(255, 255, 255));
    EXPECT_EQ(InvColor(QColor(128, 127, 0)), QColor(0, 255, 255));
}

} // namespace
