#pragma once
// The editor's working copy of one track: the node arrays decoded from its
// record, the start, finish and player marks, and the offsets between track
// coordinates (x right, y down) and canvas pixels (canvas y = y + YOffset).

#include "track_geometry.h"

#include <QPoint>
#include <QSize>

#include <cstdint>
#include <vector>

namespace korvo {

class EditorState {
public:
    EditorState();

    // Node i is (NodeX[i], NodeY[i]) for i = 1..NodeCount; index 0 is unused.
    std::vector<int32_t> NodeX, NodeY;
    int NodeCount = 0;
    // The nodes as they were when a tail move started.
    std::vector<int32_t> SavedX, SavedY;
    int YOffset = 0;
    int CurTrack = 0; // record being edited, 1-based
    QPoint StartPt, FinishPt, PlayerPt;
    int32_t TrackYShift = 0;
    int32_t PlayerYOffset = 0; // pending vertical move of the player, pixels

    int lines() const { return NodeCount - 1; }
    QPoint node(int i) const { return {NodeX[size_t(i)], NodeY[size_t(i)]}; }
    void setNode(int i, int x, int y) {
        NodeX[size_t(i)] = x;
        NodeY[size_t(i)] = y;
    }

    // All entries of NodeX/NodeY to 0 and NodeCount to 0.
    void clearNodes();
    void clearSaved();
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

    // Sets YOffset for the track's lowest node and returns the canvas size:
    // the last node's x wide, tall enough for the track and the view.
    QSize canvasExtent(int viewHeight);

    // Node i is hit by canvas point p: a 5 x 5 square (exclusive at
    // +-HitRadius); a zoomed view widens it so it stays 5 x 5 on the screen.
    bool nodeHit(int i, QPoint p) const;
    int HitRadius = 3;
    // First (or last) node of from..to hit by p; 0 when none.
    int firstNodeHit(int from, int to, QPoint p) const;
    int lastNodeHit(int from, int to, QPoint p) const;
    // The node a click at canvas x would be inserted as: the first k of
    // 2..NodeCount-1 with NodeX[k-1] <= x <= NodeX[k]; 0 when none.
    int segmentHit(int x) const;

    // Segments i (from node i to i+1) that may touch canvas columns left..right:
    // [first, last], empty when first > last. Node x never decreases along a
    // track, so the first is found by binary search.
    std::pair<int, int> segmentsInColumns(int left, int right) const;
    // The smallest and largest node y (0 when there are no nodes).
    std::pair<int32_t, int32_t> yRange(int from) const;
};

} // namespace korvo
