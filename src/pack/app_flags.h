#pragma once
// The application-wide state flags of the editor. The main window owns one
// instance; the list, editor and settings code take it by reference.

namespace korvo {

struct AppFlags {
    bool IsEditing = false;      // a track is open in the canvas and properties panel
    bool IsNewTrack = false;     // the open track is a new one being drawn
    bool TrackModified = false;  // the open track has changes not yet stored into the pack
    bool PackModified = false;   // the pack has changes not yet saved to its file
    bool MayClose = false;       // answer of the main window's close query
    bool PackWasMissing = false; // the last pack read found no file and made a new pack
    bool FirstActivate = false;  // the start-up pack has not been read yet

    // A track is open and its edits are not stored into the pack.
    bool trackEditsUnsaved() const { return (IsEditing || IsNewTrack) && TrackModified; }
};

} // namespace korvo
