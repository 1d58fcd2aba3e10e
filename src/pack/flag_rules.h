#pragma once
// What closing the window, the Exit command, and opening or making another
// pack do with unsaved work: go on, or ask one of the numbered questions.

namespace korvo {

enum class Proceed {
    Go,          // go on without asking
    AskTrack,    // line 56: the open track is changed but not stored
    AskPack,     // line 57 with the pack's path: the pack is changed but not saved
    AskOpenOpen, // line 71: the pack is changed while a track is open
    AskOpenPack, // line 72 with the pack's path: the pack is changed
};

// What could be lost, as the open track and the pack document tell it.
struct UnsavedWork {
    bool trackOpen = false;     // a track is open (edited, or new and being drawn)
    bool trackModified = false; // the open track has edits not stored into the pack
    bool packModified = false;  // the pack has changes not saved to its file
    bool trackEditsUnsaved() const { return trackOpen && trackModified; }
};

// The language line a question is asked with (0 for Go).
int questionLine(Proceed p);

// Closing the main window. `rowCount` is the number of rows of the view in
// use; with only the three group headers there is nothing to lose.
Proceed windowCloseRule(const UnsavedWork& work, int rowCount);

// File > Exit.
Proceed exitRule(const UnsavedWork& work, int rowCount);

// File > Open, a recent pack, and File > New: before the open pack is replaced.
Proceed replacePackRule(const UnsavedWork& work, int rowCount);

} // namespace korvo
