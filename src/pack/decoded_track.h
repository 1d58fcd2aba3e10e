#pragma once
// A track decoded from its record: the node arrays, the start, finish and
// player marks, and the offset between track coordinates (x right, y down)
// and picture pixels (picture y = y + YOffset). Previews and pictures draw
// from it; the editor's working copy extends it.

#include "track_geometry.h"

#include <QPoint>

#include <cstdint>
#include <utility>
#include <vector>

namespace korvo {

struct DecodedTrack {
    DecodedTrack();

    // Node i is (NodeX[i], NodeY[i]) for i = 1..NodeCount; index 0 is unused.
    std::vector<int32_t> NodeX, NodeY;
    int NodeCount = 0;
    int YOffset = 0;
    QPoint StartPt, FinishPt, PlayerPt;
    int32_t TrackYShift = 0;

    int lines() const { return NodeCount - 1; }
    QPoint node(int i) const { return {NodeX[size_t(i)], NodeY[size_t(i)]}; }
    void setNode(int i, int x, int y) {
        NodeX[size_t(i)] = x;
        NodeY[size_t(i)] = y;
    }

    // All entries of NodeX/NodeY to 0 and NodeCount to 0.
    void clearNodes();
    // StartPt, FinishPt and PlayerPt to (0, 0).
    void clearMarks();

    // Record -> nodes: node 1 at (startX, StartY), then one node per delta pair.
    // A record holds at most 499 pairs; bytes beyond them are not read.
    void decode(const TTrackInfo& record, int32_t startX = 0);
    // Nodes -> the record's Points and PointsLen (bytes after the pairs stay as
    // they were). A list without nodes is stored as a single node. Returns
    // false and leaves the record untouched when there are more than 500 nodes.
    bool encode(TTrackInfo& record) const;

    // FindSFM: start and finish marks on the nodes ending the segments over the
    // template's start and finish x (node 1 when none), player from the table.
    // Does nothing for t outside 1..36. The template's x values count from
    // `originX`, the x of the track's first node.
    void FindSFM(int t, int32_t originX = 0);

    // The smallest and largest node y from node `from` on (0 when there are no nodes).
    std::pair<int32_t, int32_t> yRange(int from) const;
};

} // namespace korvo
