#pragma once
// The rules by which mouse edits change the node list, each keeping the
// segment limits (1 <= dx <= 127, -127 <= dy <= 127) as far as its
// neighbours allow, and none going past the 500 nodes a record can store.

#include "editor_messages.h"
#include "editor_state.h"

namespace korvo {

// Where an ordinary click (or the rubber band) towards `target` lands when
// drawing on from `last`: at least one pixel right of it, and, unless `free`,
// at most 127 right and 127 up or down.
QPoint clampDrawnNode(QPoint last, QPoint target, bool free);

// Node k moved by a drag: kept strictly between its neighbours and within 127
// of them in x and y (checks against node k+1 are skipped for the last node).
void clampDraggedNode(EditorState& s, int k);

// Deletes node k (2..NodeCount-1) unless its neighbours would form a segment
// outside the limits (SegmentLimits, nothing changed).
EditorMessage deleteNode(EditorState& s, int k);

// Inserts a node at (x, y) as node k, the end of the hit segment. A click on a
// neighbour's x is moved one pixel into the segment; a segment one pixel wide
// has no room (SegmentLimits). The height is limited against both neighbours.
// A full track is refused with SegmentCapacity.
EditorMessage insertNode(EditorState& s, int k, int x, int y);

// Appends node `nextNode` at `target` while drawing (target already clamped).
// Returns SegmentCapacity when the track is full.
EditorMessage appendNode(EditorState& s, int& nextNode, QPoint target);

// Shift click while drawing: reaches `target` (right of the last node) in
// pieces of at most 127 in x and y along the straight line, then places the
// target itself. Pieces always advance in x; a target steeper than the limits
// allow is brought within them. Stops with SegmentCapacity when the track fills.
EditorMessage appendSplit(EditorState& s, int& nextNode, QPoint target);

// Tail move: nodes k..NodeCount become SavedX/SavedY + (ox, oy), the offset
// limited so that the segment from node k-1 to node k keeps the limits.
void moveTail(EditorState& s, int k, int ox, int oy);

} // namespace korvo
