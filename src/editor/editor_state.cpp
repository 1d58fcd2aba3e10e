#include "editor_state.h"

#include "pack/templates.h"

#include <algorithm>
#include <cstdlib>

namespace korvo {

EditorState::EditorState()
    : NodeX(kNodeCapacity + 1), NodeY(kNodeCapacity + 1), SavedX(kNodeCapacity + 1),
      SavedY(kNodeCapacity + 1) {}

void EditorState::clearNodes() {
    std::fill(NodeX.begin(), NodeX.end(), 0);
    std::fill(NodeY.begin(), NodeY.end(), 0);
    NodeCount = 0;
}

void EditorState::clearSaved() {
    std::fill(SavedX.begin(), SavedX.end(), 0);
    std::fill(SavedY.begin(), SavedY.end(), 0);
}

void EditorState::clearMarks() {
    StartPt = FinishPt = PlayerPt = QPoint(0, 0);
}

void EditorState::decode(const TTrackInfo& r, int32_t startX) {
    clearNodes();
    int32_t x = startX;
    int32_t y = r.StartY;
    int n = 1;
    setNode(1, x, y);
    for (int i = 0; i < r.PointsLen && n < kMaxNodes; i += 2) {
        const uint8_t dx = r.Points[size_t(i)];
        const uint8_t dy = r.Points[size_t(i + 1)];
        x += dx == 255 ? 0 : dx;
        y += dy > 127 ? 255 - dy : -int32_t(dy);
        setNode(++n, x, y);
    }
    NodeCount = n;
}

bool EditorState::encode(TTrackInfo& r) const {
    if (NodeCount > kMaxNodes) return false;
    for (int i = 1; i < NodeCount; ++i) {
        int d = NodeY[size_t(i)] - NodeY[size_t(i + 1)];
        if (d < 0) d += 255;
        r.Points[size_t(2 * i - 2)] = uint8_t(NodeX[size_t(i + 1)] - NodeX[size_t(i)]);
        r.Points[size_t(2 * i - 1)] = uint8_t(d);
    }
    r.PointsLen = NodeCount > 1 ? 2 * NodeCount - 2 : 0;
    return true;
}

void EditorState::FindSFM(int t, int32_t originX) {
    if (t < 1 || t > kTemplateCount) return;
    const TTemplSF& row = templateRow(t);
    const int32_t startX = row.StartX + originX, finishX = row.FinishX + originX;
    int s = 1, f = 1;
    for (int k = 1; k < NodeCount; ++k) {
        const int32_t a = NodeX[size_t(k)], b = NodeX[size_t(k + 1)];
        if (a < startX && startX <= b) s = k + 1;
        if (a < finishX && finishX <= b) f = k + 1;
    }
    StartPt = node(s);
    FinishPt = node(f);
    PlayerPt = QPoint(row.PlayerX + originX, row.PlayerY + TrackYShift);
}

std::pair<int32_t, int32_t> EditorState::yRange(int from) const {
    if (NodeCount < from || NodeCount < 1) return {0, 0};
    const auto first = NodeY.begin() + from, last = NodeY.begin() + NodeCount + 1;
    const auto [lo, hi] = std::minmax_element(first, last);
    return {*lo, *hi};
}

QSize EditorState::canvasExtent(int viewHeight) {
    const auto [minY, maxYNodes] = yRange(1);
    const int32_t maxY = std::max(0, maxYNodes);
    YOffset = std::abs(minY) + 100;
    const int width = NodeCount >= 1 ? NodeX[size_t(NodeCount)] : 0;
    const int height = std::max(viewHeight - 21, (std::abs(maxY) + 100) + (std::abs(minY) + 100));
    return {width, height};
}

bool EditorState::nodeHit(int i, QPoint p) const {
    const int32_t x = NodeX[size_t(i)], y = NodeY[size_t(i)];
    const int py = p.y() - YOffset;
    const int r = HitRadius;
    return x - r < p.x() && p.x() < x + r && y - r < py && py < y + r;
}

int EditorState::firstNodeHit(int from, int to, QPoint p) const {
    for (int i = std::max(from, 1); i <= std::min(to, NodeCount); ++i)
        if (nodeHit(i, p)) return i;
    return 0;
}

int EditorState::lastNodeHit(int from, int to, QPoint p) const {
    for (int i = std::min(to, NodeCount); i >= std::max(from, 1); --i)
        if (nodeHit(i, p)) return i;
    return 0;
}

int EditorState::segmentHit(int x) const {
    for (int k = 2; k <= NodeCount - 1; ++k)
        if (NodeX[size_t(k - 1)] <= x && x <= NodeX[size_t(k)]) return k;
    return 0;
}

std::pair<int, int> EditorState::segmentsInColumns(int left, int right) const {
    if (NodeCount < 2) return {1, 0};
    // First segment whose right end reaches `left`.
    const auto ends = NodeX.begin() + 2, stop = NodeX.begin() + NodeCount + 1;
    const int first = int(std::lower_bound(ends, stop, left) - NodeX.begin()) - 1;
    // Last segment whose left end lies at or before `right`.
    const auto starts = NodeX.begin() + 1, startsEnd = NodeX.begin() + NodeCount;
    const int last = int(std::upper_bound(starts, startsEnd, right) - NodeX.begin()) - 1;
    return {first, last};
}

} // namespace korvo
