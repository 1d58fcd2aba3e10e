#include "track_copy.h"

#include <algorithm>

namespace korvo {

namespace {

// The row before which a new track of group g goes: the next group's header,
// or the end of the rows for Hard.
int endOfGroup(const LevelRows& rows, int g) {
    return g < kGroups ? rows.headerRow(g + 1) : rows.size();
}

int groupOf(const TTrackInfo& t) {
    return std::clamp(t.Group, 1, kGroups);
}

} // namespace

TrackCopy copyTracks(TrackTable& tracks, LevelRows& rows, const TrackTable& source,
                     const Rows& sourceRows, const std::vector<int>& picked) {
    TrackCopy copy;
    for (int r : picked) {
        if (r < 0 || r >= int(sourceRows.size())) continue;
        const int d = sourceRows[size_t(r)];
        if (d == kHeaderRow || d < 1 || d > source.TrackCount) continue;
        if (tracks.full()) {
            ++copy.leftOut;
            continue;
        }
        const int k = tracks.appendCopy(source[d]);
        rows.insertTrackRow(endOfGroup(rows, groupOf(source[d])), k, tracks.caption(k));
        copy.records.push_back(k);
    }
    // Where each new row stands now that all are in.
    if (!copy.records.empty()) {
        const int first = copy.records.front();
        std::vector<int> rowOf(copy.records.size(), -1);
        for (int r = 0; r < rows.size(); ++r) {
            const int i = rows.data(r) - first; // the records are numbered in a run
            if (i >= 0 && i < int(rowOf.size())) rowOf[size_t(i)] = r;
        }
        copy.rows = std::move(rowOf);
    }
    renumberFromRows(tracks, rows.rows());
    return copy;
}

} // namespace korvo
