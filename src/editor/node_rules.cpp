#include "node_rules.h"

#include <algorithm>
#include <cstdlib>

namespace korvo {

QPoint clampDrawnNode(QPoint last, QPoint target, bool free) {
    int tx = std::max(target.x(), last.x() + 1);
    int ty = target.y();
    if (!free) {
        if (tx - last.x() > kMaxStep) tx = last.x() + kMaxStep;
        if (ty >= last.y() + kMaxStep + 1) ty = last.y() + kMaxStep;
        if (ty <= last.y() - kMaxStep - 1) ty = last.y() - kMaxStep;
    }
    return {tx, ty};
}

void clampDraggedNode(EditorState& s, int k) {
    auto& X = s.NodeX;
    auto& Y = s.NodeY;
    const size_t i = size_t(k);
    const bool hasNext = k < s.NodeCount;
    if (hasNext && X[i] >= X[i + 1]) X[i] = X[i + 1] - 1;
    if (X[i] <= X[i - 1]) X[i] = X[i - 1] + 1;
    if (X[i] - X[i - 1] >= kMaxStep) X[i] = X[i - 1] + kMaxStep;
    if (hasNext && X[i + 1] - X[i] >= kMaxStep) X[i] = X[i + 1] - kMaxStep;
    if (Y[i] - Y[i - 1] >= kMaxStep) Y[i] = Y[i - 1] + kMaxStep;
    if (Y[i] - Y[i - 1] <= -kMaxStep) Y[i] = Y[i - 1] - kMaxStep;
    if (hasNext && Y[i + 1] - Y[i] >= kMaxStep) Y[i] = Y[i + 1] - kMaxStep;
    if (hasNext && Y[i + 1] - Y[i] <= -kMaxStep) Y[i] = Y[i + 1] + kMaxStep;
}

EditorMessage deleteNode(EditorState& s, int k) {
    // The last node goes with its segment while one segment stays.
    if (k == s.NodeCount && k >= 3) {
        s.setNode(k, 0, 0);
        --s.NodeCount;
        return EditorMessage::None;
    }
    if (k < 2 || k > s.NodeCount - 1) return EditorMessage::None;
    const int dx = s.NodeX[size_t(k + 1)] - s.NodeX[size_t(k - 1)];
    const int dy = s.NodeY[size_t(k + 1)] - s.NodeY[size_t(k - 1)];
    if (!segmentWithinLimits(dx, dy)) return EditorMessage::SegmentLimits;
    for (int i = k; i < s.NodeCount; ++i)
        s.setNode(i, s.NodeX[size_t(i + 1)], s.NodeY[size_t(i + 1)]);
    s.setNode(s.NodeCount, 0, 0);
    --s.NodeCount;
    return EditorMessage::None;
}

namespace {

// Limits node k's height against node k-1, then against node k+1.
void limitInsertedHeight(EditorState& s, int k) {
    auto& Y = s.NodeY;
    const size_t i = size_t(k);
    if (Y[i - 1] - Y[i] > kMaxStep) Y[i] = Y[i - 1] - kMaxStep;
    if (Y[i - 1] - Y[i] < -kMaxStep) Y[i] = Y[i - 1] + kMaxStep;
    if (Y[i] - Y[i + 1] > kMaxStep) Y[i] = Y[i + 1] + kMaxStep;
    if (Y[i] - Y[i + 1] < -kMaxStep) Y[i] = Y[i + 1] - kMaxStep;
}

} // namespace

EditorMessage insertNode(EditorState& s, int k, int x, int y) {
    if (k < 2 || k > s.NodeCount - 1) return EditorMessage::None;
    if (s.NodeCount >= kMaxNodes) return EditorMessage::SegmentCapacity;
    const int left = s.NodeX[size_t(k - 1)], right = s.NodeX[size_t(k)];
    if (x == left) ++x;
    if (x == right) --x;
    if (x <= left || x >= right) return EditorMessage::SegmentLimits;
    for (int i = s.NodeCount; i >= k; --i) s.setNode(i + 1, s.NodeX[size_t(i)], s.NodeY[size_t(i)]);
    s.setNode(k, x, y);
    limitInsertedHeight(s, k);
    ++s.NodeCount;
    return EditorMessage::None;
}

EditorMessage appendNode(EditorState& s, int& nextNode, QPoint target) {
    if (nextNode > kMaxNodes) return EditorMessage::SegmentCapacity;
    s.setNode(nextNode, target.x(), target.y());
    ++nextNode;
    s.NodeCount = nextNode - 1;
    return EditorMessage::None;
}

namespace {

// The next piece from node p towards (tx, ty): 127 further right on the line,
// or, where that is too steep, 127 higher or lower on it.
QPoint nextPiece(const EditorState& s, int p, int tx, int ty) {
    const int px = s.NodeX[size_t(p)], py = s.NodeY[size_t(p)];
    int nx = px + kMaxStep;
    int ny = roundHalfEven(double(ty - py) * (nx - px) / double(tx - px) + py);
    if (std::abs(ny - py) > kMaxStep) {
        ny = ty < py ? py - kMaxStep : py + kMaxStep;
        nx = roundHalfEven(double(tx - px) * (ny - py) / double(ty - py) + px);
        nx = std::max(nx, px + 1);
    }
    return {nx, ny};
}

} // namespace

EditorMessage appendSplit(EditorState& s, int& nextNode, QPoint target) {
    const int tx = target.x(), ty = target.y();
    int p = nextNode - 1;
    if (p < 1) return EditorMessage::None;
    if (s.NodeX[size_t(p)] >= tx)
        return appendNode(s, nextNode, clampDrawnNode(s.node(p), target, false));
    while (s.NodeX[size_t(p)] < tx) {
        if (nextNode > kMaxNodes) return EditorMessage::SegmentCapacity;
        appendNode(s, nextNode, nextPiece(s, p, tx, ty));
        p = nextNode - 1;
    }
    --nextNode; // the last piece reached or passed the target: the target replaces it
    const QPoint prev = s.node(nextNode - 1);
    QPoint last = target;
    if (!segmentWithinLimits(tx - prev.x(), ty - prev.y()))
        last = clampDrawnNode(prev, target, false);
    return appendNode(s, nextNode, last);
}

void moveTail(EditorState& s, int k, int ox, int oy) {
    if (k < 2 || k > s.NodeCount) return;
    const int px = s.NodeX[size_t(k - 1)], py = s.NodeY[size_t(k - 1)];
    const int sx = s.SavedX[size_t(k)], sy = s.SavedY[size_t(k)];
    ox = std::clamp(ox, px + 1 - sx, px + kMaxStep - sx);
    oy = std::clamp(oy, py - kMaxStep - sy, py + kMaxStep - sy);
    for (int j = k; j <= s.NodeCount; ++j)
        s.setNode(j, s.SavedX[size_t(j)] + ox, s.SavedY[size_t(j)] + oy);
}

} // namespace korvo
