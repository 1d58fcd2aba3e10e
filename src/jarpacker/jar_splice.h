#pragma once
// The game's Java archive with its entry "levels.mrg" swapped for a level
// pack, everything else copied raw: each other entry's local header, data and
// data descriptor byte for byte, its central record with only the offset moved.
// The new entry keeps its name and compression method (stored stays stored,
// anything else is deflated at zip's usual level 6) and is stamped `dosTime`.

#include <cstdint>
#include <string>
#include <string_view>

namespace korvo {

enum class JarFault {
    None,
    Empty,       // a 0-byte file
    NotZip,      // no end record of a zip archive
    Damaged,     // records that point outside the archive or at nothing
    Unsupported, // ZIP64, several disks, an encrypted levels entry
    NoLevels,    // no "levels.mrg"
    TwoLevels,   // "levels.mrg" more than once
    TooLarge,    // the new archive would need ZIP64
};

// The new archive in pieces, the large ones pointing into the game's bytes.
struct SplicedJar {
    std::string_view before; // the game up to the levels entry
    std::string levels;      // the new levels entry: local header and data
    std::string_view after;  // the game from the entry after it to the central directory
    std::string central;     // the central directory and the end record
    size_t size() const { return before.size() + levels.size() + after.size() + central.size(); }
};

JarFault spliceLevels(std::string_view game, std::string_view pack, uint32_t dosTime,
                      SplicedJar& out);

} // namespace korvo
