#include "track_info.h"

namespace korvo {

TrackTable::TrackTable() : records_(std::make_unique<TTrackInfo[]>(kMaxTracks + 1)) {}

void TrackTable::ClearArrays() {
    GroupCount = {};
    // Records above the high-water mark were never written, so they are zero already.
    for (int j = 1; j <= highWater_; ++j) records_[j].clear();
    highWater_ = 0;
    TrackCount = 0;
}

int TrackTable::createTrack(const std::string& name) {
    if (full()) return 0;
    const int j = ++TrackCount;
    if (j > highWater_) highWater_ = j;
    TTrackInfo& t = records_[j];
    t.clear();
    t.Group = 1;
    t.NumInGroup = 1;
    t.Name = name;
    return j;
}

int TrackTable::appendCopy(const TTrackInfo& source) {
    if (full()) return 0;
    const int j = ++TrackCount;
    if (j > highWater_) highWater_ = j;
    records_[j] = source;
    return j;
}

std::string TrackTable::countText() const {
    return "[" + std::to_string(GroupCount[1]) + "/" + std::to_string(GroupCount[2]) + "/" +
           std::to_string(GroupCount[3]) + "]";
}

} // namespace korvo
