#pragma once
// The main window's start-up and closing flags. Whether a track is open, and
// whether the track or the pack holds unsaved work, is asked of their owners
// (the open track and the pack document), never kept here.

namespace korvo {

struct AppFlags {
    bool MayClose = false;       // answer of the main window's close query
    bool PackWasMissing = false; // the last pack read found no file and made a new pack
    bool FirstActivate = false;  // the start-up pack has not been read yet
};

} // namespace korvo
