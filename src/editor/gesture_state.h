#pragma once
// The state of the mouse gestures on the canvas: chosen tool, node being
// dragged, rubber band of a track being drawn, panning, rider sprite.

#include <QPoint>

namespace korvo {

// The tool in hand: none (drag nodes), or one of the four tool buttons.
enum class Tool { None, AddNode, DeleteNode, MoveTail, Rider };

struct GestureState {
    bool IsDragging = false; // a node is being dragged
    Tool tool = Tool::None;
    bool TailGrabbed = false;    // the tail tool holds a node
    bool FreeLength = false;     // Shift seen while drawing: the next node is split, not clamped
    bool CorrOpen = false;       // the correction window is open for SelNode
    bool Panning = false;        // the middle button pans the view
    int NextNode = 1;            // while drawing: index of the next placed node
    int SelNode = 0;             // node chosen by the last hit
    QPoint RubberFrom, RubberTo; // track coordinates; RubberTo is also the add-node cross
    QPoint GrabPt;               // grabbed node's position when a tail move started
    QPoint PanFrom;              // screen position at the last panning step
    QPoint DragFrom, DragNodeAt; // a drag's press point (canvas) and its node (track) at the press
    QPoint PressScreen;          // the press point on the screen, for the drag threshold
    bool Moved = false; // the pointer went the drag distance since the press: the node follows
    bool KeySelected = false; // SelNode was chosen by the keyboard: it is shown and keys move it

    bool CrossShown = false; // the add-node cross has a position to be drawn at
    bool RiderShown = false; // the rider sprite has been placed on the canvas
    bool OverCanvas = false; // the pointer is inside the canvas
    QPoint RiderPos;         // canvas centre of the rider sprite
    int RiderAngle = 0;      // degrees, steps of 10, within -350..350

    bool anyTool() const { return tool != Tool::None; }
    bool holds(Tool t) const { return tool == t; }
    // Leaves every tool and gesture; the rider angle is kept.
    void reset() {
        const int angle = RiderAngle;
        *this = GestureState{};
        RiderAngle = angle;
    }
};

} // namespace korvo
