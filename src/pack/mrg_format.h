#pragma once
// The MRG level-pack byte format: directory of three groups, then the track
// blocks. Reading is two-phase (check everything, then fill the model) so a
// refused file never touches the pack already open.

#include "text/message.h"
#include "track_info.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvo {

// A row of the views: -1 for a group header, otherwise a track number.
using Rows = std::vector<int>;
constexpr int kHeaderRow = -1;

// The directory as stored: three counts and one entry per track.
struct PackDirectory {
    struct Entry {
        uint32_t offset = 0;
        std::string_view name; // points into the file bytes
    };
    std::array<int, kGroups + 1> counts{}; // indices 1..3
    std::vector<Entry> entries;            // in pack order
    size_t size = 0;                       // bytes the directory occupies
};

// Parses the three counts and their entries in turn. Returns no message
// on success, otherwise the reason the directory is refused.
Message parseDirectory(std::string_view bytes, PackDirectory& dir);

// The reason a file is refused when its first bytes cannot be a directory.
Message notAPackReason();

// Reads a whole pack file image into `table` (cleared first) and `rows`.
// On refusal returns the reason and leaves `table` and `rows` untouched.
Message readPack(std::string_view bytes, TrackTable& table, Rows& rows);

// Brings Group, NumInGroup and GroupCount in line with the rows
// (Easy header, Easy tracks, Medium header, ..., Hard tracks).
void renumberFromRows(TrackTable& table, const Rows& rows);

// Receives the pack image piece by piece, in file order; returns false to stop.
using ByteSink = std::function<bool(const char* data, size_t size)>;

// Renumbers from the rows, then hands the pack image for them to `sink` in
// pieces of moderate size. Returns false when the sink refused a piece.
bool writePack(TrackTable& table, const Rows& rows, const ByteSink& sink);

// Renumbers from the rows, then returns the pack image for them.
std::string writePack(TrackTable& table, const Rows& rows);

// The rows of a pack: the three headers with the tracks of each group.
Rows rowsForGroups(const TrackTable& table);

// The count text "e/m/h" and total of a pack image (GetNumTracks).
// Returns false (outputs unchanged) when the directory is refused.
bool countTracks(std::string_view bytes, int& total, std::string& text);

// Caption of header row number g (1..3).
const char* groupCaption(int g);

// StartX/StartY rule: 16-bit value read as ones' complement.
inline int32_t onesComplement16(int hi, int lo) {
    int v = hi * 256 + lo;
    return v > 32767 ? v - 65535 : v;
}

} // namespace korvo
