#pragma once
// The autosave timer `autotime`: every `Savetime` minutes the pack is saved,
// but only while it holds tracks and no track is open in the editor.

class QTimer;

namespace korvo {

struct Options;

// The tick's decision. `rowsInUse` counts the rows of the list view in use,
// the three group header rows included.
bool autosaveDue(int rowsInUse, bool trackOpen);

// Puts the options' autosave state into force: the period, and the timer
// running only when autosave is on with a period above 0 (a period of 0
// means no ticks, never a tick at every turn of the event loop).
void applyAutosave(QTimer& autotime, const Options& options);

} // namespace korvo
