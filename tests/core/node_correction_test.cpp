// Limits and clamping of the node coordinate correction window, and where the
// window goes on the screen.
#include "editor/node_correction.h"

#include <gtest/gtest.h>

#include <vector>

using namespace korvo;

namespace {

// Node arrays indexed from 1, as the editor holds them.
struct Track {
    std::vector<int> x{0}, y{0};
    Track(std::initializer_list<std::pair<int, int>> nodes) {
        for (auto [nx, ny] : nodes) x.push_back(nx), y.push_back(ny);
    }
    int count() const { return int(x.size()) - 1; }
    CorrLimits limits(int k) const { return corrLimits(x.data(), y.data(), count(), k); }
};

bool segmentOk(int x1, int y1, int x2, int y2) {
    const int dx = x2 - x1, dy = y2 - y1;
    return dx >= 1 && dx <= 127 && dy >= -127 && dy <= 127;
}

// Node k at shown (sx, sy) keeps both of its segments within the limits.
bool fits(const Track& t, int k, int sx, int sy) {
    const int ty = trackY(sy);
    bool ok = segmentOk(t.x[k - 1], t.y[k - 1], sx, ty);
    if (k < t.count()) ok = ok && segmentOk(sx, ty, t.x[k + 1], t.y[k + 1]);
    return ok;
}

// Every value inside the limits fits, and the first value outside each does not.
void expectExactLimits(const Track& t, int k) {
    const CorrLimits l = t.limits(k);
    ASSERT_LE(l.xMin, l.xMax);
    ASSERT_LE(l.yMin, l.yMax);
    for (int sx = l.xMin; sx <= l.xMax; ++sx)
        for (int sy = l.yMin; sy <= l.yMax; ++sy)
            ASSERT_TRUE(fits(t, k, sx, sy)) << sx << "," << sy;
    const int midY = (l.yMin + l.yMax) / 2, midX = (l.xMin + l.xMax) / 2;
    EXPECT_FALSE(fits(t, k, l.xMin - 1, midY));
    EXPECT_FALSE(fits(t, k, l.xMax + 1, midY));
    EXPECT_FALSE(fits(t, k, midX, l.yMin - 1));
    EXPECT_FALSE(fits(t, k, midX, l.yMax + 1));
}

} // namespace

TEST(CorrLimits, MiddleNodeKeepsBothSegmentsWithinTheLimits) {
    const Track t{{0, 0}, {100, -20}, {200, 30}, {260, 150}};
    EXPECT_EQ(t.limits(2).xMin, 73);  // 200 - 127
    EXPECT_EQ(t.limits(2).xMax, 127); // 0 + 127
    EXPECT_EQ(t.limits(2).yMax, 97);  // 127 - the larger neighbour y (30)
    EXPECT_EQ(t.limits(2).yMin, -127);
    expectExactLimits(t, 2);
    expectExactLimits(t, 3);
}

TEST(CorrLimits, CloseNeighboursGiveTheGapBetweenThem) {
    const Track t{{0, -100}, {10, 0}, {20, 100}};
    const CorrLimits l = t.limits(2);
    EXPECT_EQ(l.xMin, 1);
    EXPECT_EQ(l.xMax, 19);
    EXPECT_EQ(l.yMin, -27); // within 127 of both neighbours: track y from -27 to 27
    EXPECT_EQ(l.yMax, 27);
    expectExactLimits(t, 2);
}

TEST(CorrLimits, WideNeighboursNeverAllowASegmentLongerThan127) {
    const Track t{{0, 0}, {125, 0}, {250, 0}};
    const CorrLimits l = t.limits(2);
    EXPECT_EQ(l.xMin, 123);
    EXPECT_EQ(l.xMax, 127);
    expectExactLimits(t, 2);
}

TEST(CorrLimits, LastNodeIsLimitedByItsLeftNeighbourAlone) {
    const Track t{{0, 0}, {50, -40}, {120, 10}};
    const CorrLimits l = t.limits(3);
    EXPECT_EQ(l.xMin, 51);
    EXPECT_EQ(l.xMax, 177);
    EXPECT_EQ(l.yMin, 40 - 127);
    EXPECT_EQ(l.yMax, 40 + 127);
    expectExactLimits(t, 3);
    // A two-node track: the second node is the last.
    expectExactLimits(Track{{0, 5}, {30, 5}}, 2);
}

TEST(CorrLimits, NodeOneAndBrokenTracksHoldTheNodeWhereItIs) {
    const Track t{{0, -20}, {100, 0}, {100, 300}};
    const CorrLimits first = t.limits(1);
    EXPECT_EQ(first.clampX(55), 0);
    EXPECT_EQ(first.clampY(-3), 20);
    // Nodes 1 and 3 are 1 apart in x and 320 apart in y: node 2 cannot be
    // placed within the limits of both segments, so it stays put.
    const Track broken{{0, -20}, {1, 0}, {1, 300}};
    const CorrLimits l = broken.limits(2);
    EXPECT_EQ(l.xMin, 1);
    EXPECT_EQ(l.xMax, 1);
    EXPECT_EQ(l.yMin, 0);
    EXPECT_EQ(l.yMax, 0);
    EXPECT_EQ(t.limits(0).xMax, 0); // out of range: no limits at all
    EXPECT_EQ(t.limits(4).xMax, 0);
}

TEST(CorrLimits, ClampingAndShownCoordinates) {
    const CorrLimits l{10, 20, -5, 5};
    EXPECT_EQ(l.clampX(9), 10);
    EXPECT_EQ(l.clampX(21), 20);
    EXPECT_EQ(l.clampX(15), 15);
    EXPECT_EQ(l.clampY(-100), -5);
    EXPECT_EQ(l.clampY(6), 5);
    EXPECT_EQ(l.clampY(0), 0);
    EXPECT_EQ(shownY(-20), 20); // 20 pixels above the zero line shows y = 20
    EXPECT_EQ(trackY(20), -20);
}

TEST(CorrWindowPos, BesideTheNodeNeverOverItAndOnTheScreen) {
    const QRect screen(0, 0, 1000, 800);
    const QSize window(150, 100);
    const struct {
        QPoint node, pos;
    } cases[] = {
        {{100, 100}, {130, 130}}, {{820, 100}, {850, 130}}, // the right edge just reached
        {{821, 100}, {641, 130}},                           // one more: to the left
        {{100, 670}, {130, 700}}, {{100, 671}, {130, 541}}, // above
        {{990, 790}, {810, 660}},                           // the corner: left and above
    };
    for (const auto& c : cases) {
        const QPoint pos = corrWindowPos(c.node, window, screen);
        EXPECT_EQ(pos, c.pos) << c.node.x() << "," << c.node.y();
        EXPECT_FALSE(QRect(pos, window).adjusted(-1, -1, 1, 1).contains(c.node));
        EXPECT_TRUE(screen.contains(QRect(pos, window)));
    }
}
