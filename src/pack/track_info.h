#pragma once
// One track record of a level pack, and the fixed-size table of them.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace korvo {

constexpr int kMaxTracks = 4095;  // records per table, numbered 1..4095
constexpr int kBufferSize = 1000; // size of Header and Points
constexpr int kMaxSegments = 499; // two bytes a segment plus one trailing byte fit into Points
constexpr int kGroups = 3;        // Easy, Medium, Hard

struct TTrackInfo {
    int Group = 0;      // 1 = Easy, 2 = Medium, 3 = Hard
    int NumInGroup = 0; // position inside the group, from 1
    int32_t AnchorY = 0;
    int32_t StartX = 0;
    int32_t StartY = 0;
    int32_t FileOffset = 0;
    int32_t DataLen = 0;
    int32_t Lines = 0;
    std::string Name; // bytes as stored in the pack (Windows-1251)
    std::array<uint8_t, kBufferSize> Header{};
    int32_t HeaderLen = 0;
    std::array<uint8_t, kBufferSize> Points{};
    int32_t PointsLen = 0; // delta bytes; Points[PointsLen] is the trailing byte
    int16_t Templ = 0;     // matching template row 1..36, -1 when none

    void clear() { *this = TTrackInfo{}; }
    bool operator==(const TTrackInfo&) const = default;
    // The row caption: track number, "/", name.
    static std::string caption(int j, const std::string& name) {
        return std::to_string(j) + "/" + name;
    }
};

// A table of track records with its group counters: the open pack (`Tracks`)
// or a second pack read only to copy tracks out of it (`ImportTracks`).
class TrackTable {
public:
    TrackTable();
    // Records are handed out by reference, so a table is never copied.
    TrackTable(const TrackTable&) = delete;
    TrackTable& operator=(const TrackTable&) = delete;

    // Record j (1..TrackCount). Records stay where they are while the table lives.
    TTrackInfo& operator[](int j) { return records_[j]; }
    const TTrackInfo& operator[](int j) const { return records_[j]; }

    // ClearArrays: counters to 0, every used record back to zero.
    void ClearArrays();
    // Creates a record at TrackCount + 1 (Group 1, NumInGroup 1, buffers zeroed)
    // and returns its number, or 0 when the table is full.
    int createTrack(const std::string& name);
    // Copies a record into the next free slot; returns its number, or 0 when full.
    int appendCopy(const TTrackInfo& source);

    bool full() const { return TrackCount >= kMaxTracks; }
    // "[e/m/h]"
    std::string countText() const;
    std::string caption(int j) const { return TTrackInfo::caption(j, records_[j].Name); }

    std::array<int, kGroups + 1> GroupCount{}; // indices 1..3
    int TrackCount = 0;

    ~TrackTable();
    // Trades contents with `other` (a pack read elsewhere takes the place of this one).
    void swap(TrackTable& other) noexcept;

private:
    // Room for records 0..4095 (0 unused) is reserved once, so records never
    // move; memory is only touched for records in use. Records 0..constructed_
    // are constructed; that count is kept apart from TrackCount, so a caller
    // that sets TrackCount itself cannot make the table build or destroy a
    // record twice.
    struct FreeStorage {
        void operator()(TTrackInfo* p) const;
    };
    std::unique_ptr<TTrackInfo, FreeStorage> storage_;
    TTrackInfo* records_ = nullptr;
    int constructed_ = 0;
    // Record j, zeroed: constructed if it never was, reset if it was.
    TTrackInfo& freshRecord(int j);
};

} // namespace korvo
