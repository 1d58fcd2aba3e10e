#pragma once
// The editor's working copy of one track: the decoded track (canvas y = y +
// YOffset), the nodes as a tail move found them, and the hit tests of the canvas.

#include "pack/decoded_track.h"

#include <QPoint>
#include <QSize>

#include <cstdint>
#include <vector>

namespace korvo {

class EditorState : public DecodedTrack {
public:
    EditorState();

    // The nodes as they were when a tail move started.
    std::vector<int32_t> SavedX, SavedY;
    int CurTrack = 0;          // record being edited, 1-based
    int32_t PlayerYOffset = 0; // pending vertical move of the player, pixels

    void clearSaved();

    // Sets YOffset for the track's lowest node and returns the canvas size:
    // the last node's x wide, tall enough for the track and the view.
    QSize canvasExtent(int viewHeight);
    // The height the track itself needs on the canvas, its margins included.
    int trackHeight() const;

    // Node i is hit by canvas point p: a 5 x 5 square (exclusive at
    // +-HitRadius); a zoomed view widens it so it stays 5 x 5 on the screen.
    bool nodeHit(int i, QPoint p) const;
    int HitRadius = 3;
    // The node of from..to nearest to p among those it hits (on a tie the
    // lower number, or the higher with `preferLast`); 0 when none.
    int nearestNodeHit(int from, int to, QPoint p, bool preferLast = false) const;
    // The node a click at canvas x would be inserted as: the first k of
    // 2..NodeCount-1 with NodeX[k-1] <= x <= NodeX[k]; 0 when none.
    int segmentHit(int x) const;

    // Segments i (from node i to i+1) that may touch canvas columns left..right:
    // [first, last], empty when first > last. Node x never decreases along a
    // track, so the first is found by binary search.
    std::pair<int, int> segmentsInColumns(int left, int right) const;
};

} // namespace korvo
