#include "track_info.h"

#include <cstdlib>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace korvo {

namespace {
constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kStorageBytes =
    (sizeof(TTrackInfo) * (kMaxTracks + 1) + kHugePage - 1) / kHugePage * kHugePage;
} // namespace

void TrackTable::FreeStorage::operator()(TTrackInfo* p) const {
    std::free(p);
}

TrackTable::TrackTable() {
    // Large pages where the system offers them: a full pack touches about 8 MB
    // of records, and filling that page by page is most of the cost of reading it.
    void* raw = std::aligned_alloc(kHugePage, kStorageBytes);
    if (!raw) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    madvise(raw, kStorageBytes, MADV_HUGEPAGE);
#endif
    storage_.reset(static_cast<TTrackInfo*>(raw));
    records_ = storage_.get();
    new (&records_[0]) TTrackInfo();
}

TrackTable::~TrackTable() {
    for (int j = 0; j <= constructed_; ++j) records_[j].~TTrackInfo();
}

void TrackTable::swap(TrackTable& other) noexcept {
    std::swap(GroupCount, other.GroupCount);
    std::swap(TrackCount, other.TrackCount);
    std::swap(storage_, other.storage_);
    std::swap(records_, other.records_);
    std::swap(constructed_, other.constructed_);
}

TTrackInfo& TrackTable::freshRecord(int j) {
    if (j <= constructed_) return records_[j] = TTrackInfo();
    while (constructed_ < j) new (&records_[++constructed_]) TTrackInfo();
    return records_[j];
}

void TrackTable::ClearArrays() {
    GroupCount = {};
    for (int j = 1; j <= constructed_; ++j) records_[j].~TTrackInfo();
    constructed_ = 0;
    TrackCount = 0;
}

int TrackTable::createTrack(const std::string& name) {
    if (full()) return 0;
    TTrackInfo& t = freshRecord(TrackCount + 1);
    t.Group = 1;
    t.NumInGroup = 1;
    t.Name = name;
    return ++TrackCount;
}

int TrackTable::appendCopy(const TTrackInfo& source) {
    if (full()) return 0;
    freshRecord(TrackCount + 1) = source;
    return ++TrackCount;
}

std::string TrackTable::countText() const {
    return "[" + std::to_string(GroupCount[1]) + "/" + std::to_string(GroupCount[2]) + "/" +
           std::to_string(GroupCount[3]) + "]";
}

} // namespace korvo
