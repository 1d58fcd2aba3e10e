#pragma once
// The track a ride runs on, as a small value of its own: the nodes in track
// units (x grows right, y grows down) and the start, finish and player marks.

#include <QPoint>

#include <vector>

namespace korvo {

class DecodedTrack;
struct TTrackInfo;

struct RideTrack {
    std::vector<QPoint> nodes;
    bool hasMarks = false; // a template placed the marks below
    QPoint start, finish, player;

    // Where the bike is set down and where the ride is won: the player
    // marker's x and the finish mark's x. Without marks, or with a finish
    // that does not lie right of the start, the ride runs from just past the
    // first node to the last node.
    int startX() const;
    int finishX() const;
    // Whether a ride can be won: there are segments and the finish lies right
    // of the start. A track that ends left of its start cannot be finished.
    bool finishable() const { return nodes.size() >= 2 && finishX() > startX(); }
    // The track's y under x (the first node's left of it, the last one's right).
    double groundY(double x) const;
    // The steepness under x as dy/dx (positive: the track falls).
    double slopeAt(double x) const;
};

// The one place that reads the editor's working copy of a track: its nodes
// and, when `hasMarks`, the marks FindSFM placed.
RideTrack rideTrackOf(const DecodedTrack& state, bool hasMarks);

// A pack record decoded as the editor opens it, marks from its template.
RideTrack rideTrackOf(const TTrackInfo& record);

} // namespace korvo
