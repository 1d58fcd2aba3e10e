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

// The limits of node k, each at its exact edge: every value inside keeps both
// segments within 1..127 across and 127 up or down, the first value outside
// does not. Node 1, a node out of range and a node that cannot be placed
// between its neighbours are held where they are.
TEST(CorrLimits, EveryNodeGetsExactlyTheRoomItsSegmentsAllow) {
    const Track hill{{0, 0}, {100, -20}, {200, 30}, {260, 150}};
    const struct {
        Track t;
        int k, xMin, xMax, yMin, yMax;
    } cases[] = {
        {hill, 2, 73, 127, -127, 97},
        {hill, 3, 133, 227, -107, -23},
        {{{0, -100}, {10, 0}, {20, 100}}, 2, 1, 19, -27, 27},
        {{{0, 0}, {50, 0}, {100, -100}}, 2, 1, 99, -27, 127}, // the right one sets the floor
        {{{0, 0}, {125, 0}, {250, 0}}, 2, 123, 127, -127, 127},
        {{{0, 0}, {50, -40}, {120, 10}}, 3, 51, 177, 40 - 127, 40 + 127},
        {{{0, 5}, {30, 5}}, 2, 1, 127, -132, 122},
        {{{0, -20}, {1, 0}, {1, 300}}, 2, 1, 1, 0, 0}, // no room: stays put
        {{{0, -20}, {100, 0}}, 1, 0, 0, 20, 20},
        {hill, 0, 0, 0, 0, 0},
        {hill, 5, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "node " << c.k << " of " << c.t.count());
        const CorrLimits l = c.t.limits(c.k);
        EXPECT_EQ((std::vector<int>{l.xMin, l.xMax, l.yMin, l.yMax}),
                  (std::vector<int>{c.xMin, c.xMax, c.yMin, c.yMax}));
        if (c.k > 1 && c.k <= c.t.count() && c.xMin < c.xMax) expectExactLimits(c.t, c.k);
    }
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
