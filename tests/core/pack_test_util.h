#pragma once
// Small builders for pack images used across the core tests.

#include "pack/mrg_format.h"
#include "pack/templates.h"

#include <string>
#include <vector>

namespace korvo::test {

struct TrackBlock {
    std::string name;
    std::string block; // header + deltas + trailing byte
};

// A 27-byte header with the given node count and start bytes.
inline std::string header27(int nodes, uint8_t b1 = 0, uint8_t b2 = 0, uint8_t b5 = 0,
                            uint8_t b6 = 0) {
    std::string h(27, '\0');
    h[0] = char(0x33);
    h[1] = char(b1);
    h[2] = char(b2);
    h[5] = char(b5);
    h[6] = char(b6);
    h[17] = char(nodes >> 8);
    h[18] = char(nodes & 0xff);
    return h;
}

inline void appendBE32(std::string& s, uint32_t v) {
    s += char(v >> 24);
    s += char(v >> 16);
    s += char(v >> 8);
    s += char(v);
}

// Builds a well-formed pack image from three groups of tracks.
inline std::string buildPack(const std::vector<TrackBlock> (&groups)[3]) {
    size_t dir = 12;
    for (const auto& g : groups)
        for (const auto& t : g) dir += 5 + t.name.size();
    std::string head, data;
    for (const auto& g : groups) {
        appendBE32(head, uint32_t(g.size()));
        for (const auto& t : g) {
            appendBE32(head, uint32_t(dir + data.size()));
            head += t.name;
            head += '\0';
            data += t.block;
        }
    }
    return head + data;
}

} // namespace korvo::test
