#pragma once
// The application flags the editor reads and sets. The main window owns one
// instance and passes it by reference.

namespace korvo {

struct AppFlags {
    bool IsEditing = false;     // a track is open; while drawing a new one: nodes may be placed
    bool IsNewTrack = false;    // a new track is being drawn
    bool TrackModified = false; // the open track has unsaved changes
    bool PackModified = false;  // the pack has unsaved changes
};

} // namespace korvo
