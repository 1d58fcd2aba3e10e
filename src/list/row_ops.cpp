#include "row_ops.h"

#include <algorithm>
#include <numeric>

namespace korvo {

namespace {

using Expanded = std::array<bool, kGroups + 1>;

// The row shown at place `shown`, given where the headers stand among n rows.
int rowAtShownIn(int shown, const Expanded& expanded, const std::array<int, kGroups + 1>& header,
                 int n) {
    if (shown < 0) return -1;
    int v = shown;
    for (int g = 1; g <= kGroups; ++g) {
        if (v == 0) return header[size_t(g)];
        --v;
        if (!expanded[size_t(g)]) continue;
        const int size = (g < kGroups ? header[size_t(g + 1)] : n) - header[size_t(g)] - 1;
        if (v < size) return header[size_t(g)] + 1 + v;
        v -= size;
    }
    return -1;
}

// A scratch copy of the row order in which a drop is played out before the
// rows take the result in one step. order[i] is the current index of the row
// standing at i; at[r] is where row r stands now.
struct ScratchRows {
    explicit ScratchRows(const LevelRows& rows) : order(size_t(rows.size())), at(order.size()) {
        std::iota(order.begin(), order.end(), 0);
        std::iota(at.begin(), at.end(), 0);
        for (int g = 1; g <= kGroups; ++g) header[size_t(g)] = rows.headerRow(g);
    }
    int size() const { return int(order.size()); }

    void move(int from, int to) {
        if (from == to) return;
        const int lo = std::min(from, to);
        const int hi = std::max(from, to);
        if (from < to)
            std::rotate(order.begin() + from, order.begin() + from + 1, order.begin() + to + 1);
        else
            std::rotate(order.begin() + to, order.begin() + from, order.begin() + from + 1);
        for (int i = lo; i <= hi; ++i) at[size_t(order[size_t(i)])] = i;
        for (int g = 1; g <= kGroups; ++g) {
            int& h = header[size_t(g)];
            if (from < to && h > from && h <= to) --h;
            if (from > to && h >= to && h < from) ++h;
        }
    }
    bool changed() const {
        for (size_t i = 0; i < order.size(); ++i)
            if (order[i] != int(i)) return true;
        return false;
    }

    std::vector<int> order;
    std::vector<int> at;
    std::array<int, kGroups + 1> header{};
};

} // namespace

RowOps::RowOps(LevelRows& rows, TrackTable& tracks, TCurItem& cur, ListButtons& buttons,
               const ListView& viewMode)
    : rows_(rows), tracks_(tracks), cur_(cur), buttons_(buttons), viewMode_(viewMode) {}

bool RowOps::selectRow(int row) {
    if (row < 0 || row >= rows_.size()) return false;
    if (rows_.isHeader(row)) {
        buttons_ = ListButtons{};
        return false;
    }
    buttons_.EditTrackBtn = true;
    cur_.Row = row;
    cur_.Track = rows_.data(row);
    cur_.Caption = rows_.caption(row);
    cur_.Node = tree() ? cur_.Track : 0;
    // Row 1 is the first Easy track; the first track of Medium or Hard can
    // still move up, into the group above.
    buttons_.UpItem = row != 1;
    buttons_.DownItem = row + 1 != rows_.size();
    buttons_.DelItem = true;
    buttons_.CopyItem = true;
    return true;
}

int RowOps::currentRow() const {
    const int r = cur_.Row;
    const bool inRange = r > 0 && r < rows_.size();
    if (!tree()) // the list never acts on a row that has changed since the selection
        return inRange && cur_.Track > 0 && rows_.data(r) == cur_.Track ? r : -1;
    // The tree knows its node wherever the rows have moved it; a deleted node is gone.
    if (cur_.Node <= 0) return -1;
    return inRange && rows_.data(r) == cur_.Node ? r : rows_.findTrack(cur_.Node);
}

bool RowOps::moveUp() {
    const int r = currentRow();
    if (r <= 1) return false; // the first Easy track has no row above it
    buttons_.DownItem = true;
    rows_.moveTrackRow(r, r - 1);
    if (r - 1 <= 1) buttons_.UpItem = false;
    cur_.Row = r - 1;
    UpdateCntNum();
    return true;
}

bool RowOps::moveDown() {
    const int r = currentRow();
    if (r < 0 || r + 1 >= rows_.size()) return false; // the last row has none below it
    buttons_.UpItem = true;
    rows_.moveTrackRow(r, r + 1);
    if (r + 2 >= rows_.size()) buttons_.DownItem = false;
    cur_.Row = r + 1;
    UpdateCntNum();
    return true;
}

CloneResult RowOps::cloneTrack(int* newRow) {
    const int r = currentRow();
    if (r < 0) return CloneResult::Nothing;
    if (tracks_.full()) return CloneResult::Full;
    const int source = cur_.Track;
    const int k = tracks_.appendCopy(tracks_[source]);
    tracks_[k].Name = "_" + tracks_[source].Name;
    const int at = tree() ? r : r + 1;
    rows_.insertTrackRow(at, k, tracks_.caption(k));
    UpdateCntNum();
    if (newRow) *newRow = at;
    return CloneResult::Done;
}

int RowOps::deleteRows(const std::vector<int>& selected) {
    const int removed = rows_.removeTrackRows(selected);
    UpdateCntNum();
    return removed;
}

int RowOps::drop(const std::vector<int>& selected, const DropPoint& point) {
    std::vector<int> dragged;
    for (int r : selected)
        if (r > 0 && r < rows_.size() && !rows_.isHeader(r)) dragged.push_back(r);
    std::sort(dragged.begin(), dragged.end());
    dragged.erase(std::unique(dragged.begin(), dragged.end()), dragged.end());

    ScratchRows work(rows_);
    // The tree takes rows dropped below its last row at the end of the last
    // group, and rows dropped onto an empty group's header into that group;
    // a header of a group with tracks refuses them.
    int endOfGroup = 0;
    if (tree()) {
        const int t = rowAtShownIn(point.shownRow, point.expanded, work.header, work.size());
        if (t < 0) endOfGroup = kGroups;
        for (int g = 1; g <= kGroups && t >= 0; ++g)
            if (t == work.header[size_t(g)]) {
                if (rows_.groupSize(g) > 0) return 0; // the drop is refused
                endOfGroup = g;
            }
    }
    int placed = 0;
    for (int s : dragged) {
        int t = rowAtShownIn(point.shownRow, point.expanded, work.header, work.size());
        if (endOfGroup > 0)
            t = endOfGroup < kGroups ? work.header[size_t(endOfGroup + 1)] : -1;
        else if (!tree() && t == 0)
            continue; // onto the Easy header: the row stays where it is
        const int from = work.at[size_t(s)];
        // A new row enters above t (or at the end), then the dragged row leaves.
        const int to = t < 0 ? work.size() - 1 : (from < t ? t - 1 : t);
        work.move(from, to);
        ++placed;
    }
    if (work.changed()) rows_.reorder(work.order);
    UpdateCntNum();
    return placed;
}

int RowOps::enterNewTrack(int j, bool atEnd, int selectedRow) {
    int at;
    if (!tree()) {
        at = atEnd ? rows_.size() : 1;
    } else {
        const bool valid = selectedRow >= 0 && selectedRow < rows_.size();
        const int g = valid ? rows_.placeOf(selectedRow).group : (atEnd ? kGroups : 1);
        at = atEnd ? (g < kGroups ? rows_.headerRow(g + 1) : rows_.size()) : rows_.headerRow(g) + 1;
    }
    rows_.insertTrackRow(at, j, tracks_.caption(j));
    UpdateCntNum();
    return at;
}

void RowOps::UpdateCntNum() {
    renumberFromRows(tracks_, rows_.rows());
}

int RowOps::rowAtShown(int shown, const Expanded& expanded) const {
    std::array<int, kGroups + 1> header{};
    for (int g = 1; g <= kGroups; ++g) header[size_t(g)] = rows_.headerRow(g);
    return rowAtShownIn(shown, expanded, header, rows_.size());
}

int RowOps::shownOf(int row, const Expanded& expanded) const {
    if (row < 0 || row >= rows_.size()) return -1;
    const LevelRows::Place p = rows_.placeOf(row);
    if (p.child >= 0 && !expanded[size_t(p.group)]) return -1;
    int shown = 0;
    for (int g = 1; g < p.group; ++g) shown += 1 + (expanded[size_t(g)] ? rows_.groupSize(g) : 0);
    return shown + 1 + p.child;
}

} // namespace korvo
