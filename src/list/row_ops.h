#pragma once
// The commands of the level list on the rows: selecting a row, moving a
// track up or down, cloning, deleting, dropping dragged rows, entering a new
// track and renumbering. They change rows, counters and flags only; the
// window asks the questions, shows the results and refreshes the status bar.
// The flat list and the tree differ in a few rules, chosen by the view mode.

#include "cur_item.h"
#include "level_rows.h"

#include <array>
#include <vector>

namespace korvo {

// ViewMode: which view shows the rows for the whole run.
enum class ListView { List, Tree };
constexpr ListView kListView = ListView::List; // the flat list LevelsList
constexpr ListView kTreeView = ListView::Tree; // the tree LevelsTree

// Where dragged rows are dropped: the row under the drop point, counted
// among the rows the view shows from the top (a tree hides the tracks of a
// collapsed group), or -1 for the empty space below the rows.
struct DropPoint {
    int shownRow = -1;
    std::array<bool, kGroups + 1> expanded{true, true, true, true}; // tree groups 1..3
};

enum class CloneResult { Done, Nothing, Full };

class RowOps {
public:
    RowOps(LevelRows& rows, TrackTable& tracks, TCurItem& cur, ListButtons& buttons,
           const ListView& viewMode);

    // A click or an arrow key selected `row` (-1: no row is selected). A track
    // row is taken into the selection state and the buttons follow it; a
    // header row disables the buttons and keeps the selection state. Returns
    // true when a track row was selected (its preview is due).
    bool selectRow(int row);

    // Moves the selected track one row up or down, into the neighbouring group
    // when a header is passed. Returns false when nothing moved. The selection
    // state follows the track.
    bool moveUp();
    bool moveDown();

    // Clones the selected track into the next free record, below it in the
    // list or above it in the tree. `newRow` receives the clone's row.
    CloneResult cloneTrack(int* newRow = nullptr);

    // Removes the track rows among `selected` (header rows stay). Returns how
    // many were removed.
    int deleteRows(const std::vector<int>& selected);

    // Drops the selected track rows at `at`, one after the other, finding the
    // row under the drop point afresh each time. The list puts each row above
    // that row (row 0 keeps them where they are, empty space appends them);
    // the tree places before track rows, at the end of the last group for
    // empty space, into an empty group for its header, and refuses a header
    // of a group with tracks. Returns the number of rows placed.
    int drop(const std::vector<int>& selected, const DropPoint& at);

    // Enters the new track j as a row: at the head (atEnd false) or the end of
    // the list; in the tree at the head or the end of the selected row's
    // group. Returns its row.
    int enterNewTrack(int j, bool atEnd, int selectedRow);

    // Brings Group, NumInGroup and GroupCount in line with the rows.
    void UpdateCntNum();

    // The row shown at place `shown` (see DropPoint), or -1; and back.
    int rowAtShown(int shown, const std::array<bool, kGroups + 1>& expanded) const;
    int shownOf(int row, const std::array<bool, kGroups + 1>& expanded) const;

    // Row of the selected track, or -1 when the rows changed so that the
    // selection state no longer names a row the command may act on.
    int currentRow() const;

private:
    bool tree() const { return viewMode_ == kTreeView; }

    LevelRows& rows_;
    TrackTable& tracks_;
    TCurItem& cur_;
    ListButtons& buttons_;
    const ListView& viewMode_;
};

} // namespace korvo
