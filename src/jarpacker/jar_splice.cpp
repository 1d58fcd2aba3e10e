#include "jar_splice.h"

#include "dist/zip_file.h"

#include <algorithm>
#include <vector>

namespace korvo {

namespace {

constexpr std::string_view kLevelsEntry = "levels.mrg";
constexpr uint32_t kLocalSignature = 0x04034B50;
constexpr uint32_t kCentralSignature = 0x02014B50;
constexpr uint32_t kEndSignature = 0x06054B50;
constexpr uint32_t kZip64LocatorSignature = 0x07064B50;
constexpr size_t kLocalFixed = 30, kCentralFixed = 46, kEndFixed = 22;
constexpr uint16_t kEncrypted = 0x0001, kUtf8Names = 0x0800;
constexpr uint16_t kStored = 0, kDeflated = 8;

uint16_t get16(std::string_view b, size_t at) {
    return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}
uint32_t get32(std::string_view b, size_t at) {
    return uint32_t(get16(b, at)) | uint32_t(get16(b, at + 2)) << 16;
}
void set32(std::string& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + size_t(i)] = char(v >> (8 * i) & 0xFF);
}

// The end record: the last signature whose comment reaches the file's end.
bool findEnd(std::string_view b, size_t& end) {
    if (b.size() < kEndFixed) return false;
    const size_t lowest = b.size() - std::min(b.size(), kEndFixed + 0xFFFF);
    for (size_t at = b.size() - kEndFixed + 1; at-- > lowest;)
        if (get32(b, at) == kEndSignature && at + kEndFixed + get16(b, at + 20) == b.size()) {
            end = at;
            return true;
        }
    return false;
}

struct CentralRecord {
    size_t at = 0, size = 0; // where the record lies in the central directory
    uint32_t offset = 0;     // its local header
    bool levels = false;
};

} // namespace

JarFault spliceLevels(std::string_view game, std::string_view pack, uint32_t dosTime,
                      SplicedJar& out) {
    if (game.empty()) return JarFault::Empty;
    size_t end = 0;
    if (!findEnd(game, end)) return JarFault::NotZip;
    if (end >= 20 && get32(game, end - 20) == kZip64LocatorSignature) return JarFault::Unsupported;
    const uint16_t entries = get16(game, end + 10);
    const uint32_t cdSize = get32(game, end + 12), cdOffset = get32(game, end + 16);
    if (get16(game, end + 4) != 0 || get16(game, end + 6) != 0 || get16(game, end + 8) != entries)
        return JarFault::Unsupported;
    if (entries == 0xFFFF || cdSize == 0xFFFFFFFF || cdOffset == 0xFFFFFFFF)
        return JarFault::Unsupported;
    if (size_t(cdOffset) + cdSize != end) return JarFault::Damaged;

    std::vector<CentralRecord> records;
    records.reserve(entries);
    std::vector<uint32_t> offsets;
    offsets.reserve(entries + 1u);
    size_t at = cdOffset, levels = SIZE_MAX;
    for (uint16_t i = 0; i < entries; ++i) {
        if (at + kCentralFixed > end || get32(game, at) != kCentralSignature)
            return JarFault::Damaged;
        CentralRecord r;
        r.at = at;
        r.size = kCentralFixed + get16(game, at + 28) + get16(game, at + 30) + get16(game, at + 32);
        r.offset = get32(game, at + 42);
        if (at + r.size > end) return JarFault::Damaged;
        if (get16(game, at + 34) != 0) return JarFault::Unsupported;
        const uint32_t compressed = get32(game, at + 20), plain = get32(game, at + 24);
        if (compressed == 0xFFFFFFFF || plain == 0xFFFFFFFF || r.offset == 0xFFFFFFFF)
            return JarFault::Unsupported;
        // The local header must be there, under the same name.
        const std::string_view name = game.substr(at + kCentralFixed, get16(game, at + 28));
        if (size_t(r.offset) + kLocalFixed > cdOffset || get32(game, r.offset) != kLocalSignature ||
            get16(game, r.offset + 26) != name.size() ||
            size_t(r.offset) + kLocalFixed + name.size() > cdOffset ||
            game.substr(r.offset + kLocalFixed, name.size()) != name)
            return JarFault::Damaged;
        if (name == kLevelsEntry) {
            if (levels != SIZE_MAX) return JarFault::TwoLevels;
            levels = records.size();
            r.levels = true;
        }
        offsets.push_back(r.offset);
        records.push_back(r);
        at += r.size;
    }
    if (at != end) return JarFault::Damaged;
    if (levels == SIZE_MAX) return JarFault::NoLevels;
    std::sort(offsets.begin(), offsets.end());
    if (std::adjacent_find(offsets.begin(), offsets.end()) != offsets.end())
        return JarFault::Damaged;

    // The levels entry runs from its local header to the next entry's (or to
    // the central directory): its data descriptor, when it has one, goes too.
    const CentralRecord& old = records[levels];
    const size_t oldStart = old.offset;
    const auto next = std::upper_bound(offsets.begin(), offsets.end(), old.offset);
    const size_t oldEnd = next == offsets.end() ? cdOffset : *next;
    const uint16_t flags = get16(game, old.at + 8);
    if (flags & kEncrypted) return JarFault::Unsupported;
    const uint16_t method = get16(game, old.at + 10) == kStored ? kStored : kDeflated;
    std::string data;
    if (method == kStored)
        data.assign(pack);
    else if (!rawDeflate(pack, data))
        return JarFault::TooLarge;
    if (pack.size() >= 0xFFFFFFFF || data.size() >= 0xFFFFFFFF) return JarFault::TooLarge;
    const uint32_t crc = ZipCrc32(pack);
    const std::string_view name = game.substr(old.at + kCentralFixed, get16(game, old.at + 28));

    auto putShared = [&](std::string& s) {
        putLE16(s, method == kStored ? 10 : 20);
        putLE16(s, flags & kUtf8Names);
        putLE16(s, method);
        putLE32(s, dosTime);
        putLE32(s, crc);
        putLE32(s, uint32_t(data.size()));
        putLE32(s, uint32_t(pack.size()));
        putLE16(s, uint16_t(name.size()));
        putLE16(s, 0); // no extra field: nothing there would still be true
    };
    out.levels.clear();
    out.levels.reserve(kLocalFixed + name.size() + data.size());
    putLE32(out.levels, kLocalSignature);
    putShared(out.levels);
    out.levels += name;
    out.levels += data;

    const int64_t shift = int64_t(out.levels.size()) - int64_t(oldEnd - oldStart);
    if (int64_t(cdOffset) + shift + int64_t(cdSize) + 64 > int64_t(0xFFFFFFFF))
        return JarFault::TooLarge;
    out.before = game.substr(0, oldStart);
    out.after = game.substr(oldEnd, cdOffset - oldEnd);

    out.central.clear();
    out.central.reserve(cdSize + kEndFixed + game.size() - end);
    for (const CentralRecord& r : records) {
        if (!r.levels) {
            const size_t from = out.central.size();
            out.central += game.substr(r.at, r.size);
            if (r.offset > old.offset) set32(out.central, from + 42, uint32_t(r.offset + shift));
            continue;
        }
        putLE32(out.central, kCentralSignature);
        putLE16(out.central, get16(game, r.at + 4)); // made by
        putShared(out.central);
        const uint16_t comment = get16(game, r.at + 32);
        putLE16(out.central, comment);
        putLE16(out.central, 0);
        putLE16(out.central, get16(game, r.at + 36)); // internal attributes
        putLE32(out.central, get32(game, r.at + 38)); // external attributes
        putLE32(out.central, r.offset);
        out.central += name;
        out.central += game.substr(r.at + r.size - comment, comment);
    }
    const uint32_t newCdSize = uint32_t(out.central.size());
    out.central += game.substr(end, kEndFixed);
    set32(out.central, newCdSize + 12, newCdSize);
    set32(out.central, newCdSize + 16, uint32_t(cdOffset + shift));
    out.central += game.substr(end + kEndFixed);
    return JarFault::None;
}

} // namespace korvo
