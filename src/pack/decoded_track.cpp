#include "decoded_track.h"

#include "templates.h"

#include <algorithm>

namespace korvo {

DecodedTrack::DecodedTrack() : NodeX(kNodeCapacity + 1), NodeY(kNodeCapacity + 1) {}

void DecodedTrack::clearNodes() {
    std::fill(NodeX.begin(), NodeX.end(), 0);
    std::fill(NodeY.begin(), NodeY.end(), 0);
    NodeCount = 0;
}

void DecodedTrack::clearMarks() {
    StartPt = FinishPt = PlayerPt = QPoint(0, 0);
}

void DecodedTrack::decode(const TTrackInfo& r, int32_t startX) {
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

bool DecodedTrack::encode(TTrackInfo& r) const {
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

void DecodedTrack::FindSFM(int t, int32_t originX) {
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

std::pair<int32_t, int32_t> DecodedTrack::yRange(int from) const {
    if (NodeCount < from || NodeCount < 1) return {0, 0};
    const auto first = NodeY.begin() + from, last = NodeY.begin() + NodeCount + 1;
    const auto [lo, hi] = std::minmax_element(first, last);
    return {*lo, *hi};
}

} // namespace korvo
