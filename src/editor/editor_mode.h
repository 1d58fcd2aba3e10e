#pragma once
// The editor's state in one word each: what is open, which tool is in hand.
// The flags the rules are written in stay the source; these read them.

#include "gesture_state.h"

namespace korvo {

enum class EditorMode {
    Closed,  // no track open: the list and the preview are shown
    Editing, // a track of the pack is open
    Drawing, // a new track is being drawn node by node
    Drawn,   // a new track's nodes are placed (drawing ended) but it is not stored yet
};

inline EditorMode editorMode(bool editing, bool newTrack) {
    if (newTrack) return editing ? EditorMode::Drawing : EditorMode::Drawn;
    return editing ? EditorMode::Editing : EditorMode::Closed;
}

inline Tool toolOf(const GestureState& g) {
    return g.tool;
}

} // namespace korvo
