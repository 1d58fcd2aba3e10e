#pragma once
// The rows of the level list: the Easy header, the Easy tracks, the Medium
// header, the Medium tracks, the Hard header, the Hard tracks. A header row
// carries the data -1, a track row its track number j. This one sequence is
// the order of the pack; the flat list and the tree are two presentations of
// it (a tree node's absolute index is its row index here).
//
// The three header rows are always present and never move; every change is
// made through the few primitives below, which tell the observers (the item
// model adapters) exactly what changes, so a view never rebuilds all rows.

#include "pack/mrg_format.h"

#include <array>
#include <string>
#include <vector>

namespace korvo {

class RowObserver {
public:
    virtual ~RowObserver() = default;
    virtual void aboutToInsert(int at) = 0; // a track row is about to take index `at`
    virtual void inserted() = 0;
    virtual void aboutToRemove(int first, int last) = 0; // track rows of one group
    virtual void removed() = 0;
    virtual void aboutToMove(int from, int to) = 0; // `to` is the row's index afterwards
    virtual void moved() = 0;
    // The rows are about to take a new order; newRowOf[r] is where row r goes.
    virtual void aboutToReorder(const std::vector<int>& newRowOf) = 0;
    virtual void reordered() = 0;
    virtual void aboutToReset() = 0;
    virtual void wasReset() = 0;
    virtual void captionChanged(int row) = 0;
};

class LevelRows {
public:
    // Where a row stands in the tree: its group (1..3) and its index among
    // the group's tracks (-1 for the header row itself).
    struct Place {
        int group = 1;
        int child = -1;
    };

    LevelRows(); // the three header rows

    int size() const { return int(data_.size()); }
    int data(int r) const { return data_[size_t(r)]; }
    bool isHeader(int r) const { return data_[size_t(r)] == kHeaderRow; }
    const std::string& caption(int r) const { return captions_[size_t(r)]; }
    // The data values in row order, as the pack writer walks them.
    const Rows& rows() const { return data_; }
    bool hasTracks() const { return size() > kGroups; }

    int headerRow(int g) const { return header_[size_t(g)]; }
    int groupSize(int g) const;
    Place placeOf(int r) const;
    int rowOf(Place p) const { return headerRow(p.group) + 1 + p.child; }
    // Where a track row inserted at `at` will stand.
    Place placeForInsert(int at) const;
    // Where the track row at `from` will stand after moving to index `to`.
    Place placeAfterMove(int from, int to) const;
    // Row of track j, or -1 when no row carries it.
    int findTrack(int j) const;

    // Rows for a freshly read pack; captions "j/Name" from the table. Rows
    // that do not start with the Easy header or hold other than three headers
    // are put into that shape first.
    void reset(const Rows& rows, const TrackTable& table);
    // Only the three header rows (a new pack).
    void reset();

    // Track row j with `caption` enters at index `at` (1..size()).
    void insertTrackRow(int at, int j, std::string caption);
    // Removes the track rows among `rows` (any order; headers are skipped).
    // Returns how many were removed.
    int removeTrackRows(std::vector<int> rows);
    // The track row at `from` moves to index `to` (1..size()-1).
    void moveTrackRow(int from, int to);
    // Rearranges the rows: newOrder[i] is the current index of the row that
    // is to stand at i. The headers must keep the Easy header first.
    void reorder(const std::vector<int>& newOrder);
    void setCaption(int r, std::string caption);
    // Brings the rows to `data` with `captions` through the primitives above
    // (removals, insertions, one reorder, caption changes), so the views
    // follow row by row. `data` holds the three headers, Easy first, and
    // each track at most once.
    void assign(const Rows& data, const std::vector<std::string>& captions);
    const std::vector<std::string>& captions() const { return captions_; }

    void addObserver(RowObserver* o);
    void removeObserver(RowObserver* o);

private:
    void rebuildHeaders();
    template <class F> void notify(F f) {
        for (RowObserver* o : observers_) f(*o);
    }

    Rows data_;
    std::vector<std::string> captions_;
    std::array<int, kGroups + 1> header_{}; // row of header g, g = 1..3
    std::vector<RowObserver*> observers_;
};

} // namespace korvo
