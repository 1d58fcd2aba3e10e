#include "ride_track.h"

#include "pack/decoded_track.h"
#include "pack/track_geometry.h"

#include <algorithm>
#include <memory>

namespace korvo {

namespace {

constexpr int kStartPastFirstNode = 30;

// Index of the segment whose span holds x (clamped to the first and last).
size_t segmentAt(const std::vector<QPoint>& n, double x) {
    const auto it = std::upper_bound(n.begin(), n.end(), x,
                                     [](double v, const QPoint& p) { return v < p.x(); });
    const size_t i = size_t(it - n.begin());
    return std::clamp<size_t>(i, 1, n.size() - 1) - 1;
}

} // namespace

int RideTrack::startX() const {
    if (nodes.empty()) return 0;
    if (hasMarks && finish.x() > player.x()) return player.x();
    return nodes.front().x() + kStartPastFirstNode;
}

int RideTrack::finishX() const {
    if (nodes.empty()) return 0;
    if (hasMarks && finish.x() > player.x()) return finish.x();
    return nodes.back().x();
}

double RideTrack::groundY(double x) const {
    if (nodes.empty()) return 0;
    if (nodes.size() == 1) return nodes.front().y();
    const size_t i = segmentAt(nodes, x);
    const QPoint a = nodes[i], b = nodes[i + 1];
    if (b.x() == a.x()) return std::min(a.y(), b.y());
    const double t = std::clamp((x - a.x()) / double(b.x() - a.x()), 0.0, 1.0);
    return a.y() + t * (b.y() - a.y());
}

double RideTrack::slopeAt(double x) const {
    if (nodes.size() < 2) return 0;
    const size_t i = segmentAt(nodes, x);
    const QPoint a = nodes[i], b = nodes[i + 1];
    if (b.x() <= a.x()) return b.y() < a.y() ? -1e3 : 1e3;
    return double(b.y() - a.y()) / (b.x() - a.x());
}

RideTrack rideTrackOf(const DecodedTrack& state, bool hasMarks) {
    RideTrack t;
    t.nodes.reserve(size_t(std::max(state.NodeCount, 0)));
    for (int i = 1; i <= state.NodeCount; ++i) t.nodes.push_back(state.node(i));
    t.hasMarks = hasMarks && state.NodeCount > 0;
    t.start = state.StartPt;
    t.finish = state.FinishPt;
    t.player = state.PlayerPt;
    return t;
}

RideTrack rideTrackOf(const TTrackInfo& record) {
    TTrackInfo r = record;
    r.AnchorY = headerAnchorY(r);
    auto state = std::make_unique<DecodedTrack>();
    state->TrackYShift = trackYShiftOf(r);
    state->decode(r);
    const bool marks = r.Templ > 0;
    if (marks) state->FindSFM(r.Templ);
    return rideTrackOf(*state, marks);
}

} // namespace korvo
