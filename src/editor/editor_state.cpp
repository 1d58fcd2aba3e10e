#include "editor_state.h"

#include "pack/templates.h"

#include <algorithm>
#include <cstdlib>

namespace korvo {

EditorState::EditorState() : SavedX(kNodeCapacity + 1), SavedY(kNodeCapacity + 1) {}

void EditorState::clearSaved() {
    std::fill(SavedX.begin(), SavedX.end(), 0);
    std::fill(SavedY.begin(), SavedY.end(), 0);
}

int EditorState::trackHeight() const {
    const auto [minY, maxY] = yRange(1);
    return (std::max(0, maxY) + 100) + (std::abs(minY) + 100);
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

int EditorState::nearestNodeHit(int from, int to, QPoint p, bool preferLast) const {
    int best = 0;
    int64_t bestDistance = 0;
    for (int i = std::max(from, 1); i <= std::min(to, NodeCount); ++i) {
        if (!nodeHit(i, p)) continue;
        const int64_t dx = NodeX[size_t(i)] - p.x(), dy = NodeY[size_t(i)] + YOffset - p.y();
        const int64_t distance = dx * dx + dy * dy;
        if (!best || distance < bestDistance || (preferLast && distance == bestDistance)) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
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
