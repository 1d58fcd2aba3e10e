#pragma once
// copyChosenTracks on the rows: copies the tracks ticked in the copy dialog from
// the second table (`ImportTracks`) into the open pack. Each copy becomes a
// new record (TrackCount + 1 onward, a full copy with its name unchanged) and
// a new row at the end of its own group, in the order of the dialog's rows,
// whatever is selected in the main view. The flat list inserts before the next
// group's header (InsertRow), the tree appends to the group's node; both put
// the row at the same place, the end of the group, so one rule serves both.
//
// The result says exactly what changed. The copy is one step of the pack's
// history when run inside PackDocument::edit: undo takes the rows out again
// and redo puts them back; the records stay in use either way (track numbers
// are never reused while a pack is open).

#include "level_rows.h"

#include <vector>

namespace korvo {

struct TrackCopy {
    std::vector<int> records; // the new record numbers, in the order they were copied
    std::vector<int> rows;    // the row of each once the copy is complete (same order)
    int leftOut = 0;          // ticked tracks that did not fit into the table
};

// Copies the tracks of `sourceRows` at the row indices `picked` (dialog order;
// header rows and indices outside the rows are skipped) from `source` into
// `tracks` and `rows`, then renumbers. Only as many as the 4095 records leave
// room for are copied; the rest are counted in `leftOut`.
TrackCopy copyTracks(TrackTable& tracks, LevelRows& rows, const TrackTable& source,
                     const Rows& sourceRows, const std::vector<int>& picked);

} // namespace korvo
