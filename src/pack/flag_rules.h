#pragma once
// What closing the window, the Exit command, and opening or making another
// pack do with unsaved work: go on, or ask one of the numbered questions.

#include "app_flags.h"

namespace korvo {

enum class Proceed {
    Go,          // go on without asking
    AskTrack,    // line 56: the open track is changed but not stored
    AskPack,     // line 57 with the pack's path: the pack is changed but not saved
    AskOpenOpen, // line 71: the pack is changed while a track is open
    AskOpenPack, // line 72 with the pack's path: the pack is changed
};

// The language line a question is asked with (0 for Go).
int questionLine(Proceed p);

// Closing the main window. `rowCount` is the number of rows of the view in
// use; with only the three group headers there is nothing to lose.
Proceed windowCloseRule(const AppFlags& flags, int rowCount);

// File > Exit.
Proceed exitRule(const AppFlags& flags, int rowCount);

// File > Open, a recent pack, and File > New: before the open pack is replaced.
Proceed replacePackRule(const AppFlags& flags, int rowCount);

} // namespace korvo
