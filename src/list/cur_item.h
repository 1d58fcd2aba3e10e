#pragma once
// The selected entry of the level list, as the list commands use it.

#include <string>

namespace korvo {

struct TCurItem {
    int Row = 0;         // row index of the selected track row (list index, or tree absolute index)
    int Track = 0;       // its track number j; 0 until a track row is selected
    std::string Caption; // its caption, Windows-1251 bytes
    // Tree view: the selected node, known by the track number it carries
    // (track numbers are unique among the rows); 0 in the flat list.
    int Node = 0;
};

// Enabled state of the five list tool buttons.
struct ListButtons {
    bool UpItem = false;       // move up
    bool DownItem = false;     // move down
    bool CopyItem = false;     // clone
    bool DelItem = false;      // delete
    bool EditTrackBtn = false; // open for editing
};

} // namespace korvo
