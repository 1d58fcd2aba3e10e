#pragma once
// The built-in start/finish template table TTemplSF (rows 1..36). Rows 1..13
// are the track-length presets; the others recognise tracks of other packs.

#include <array>
#include <cstdint>

namespace korvo {

struct TTemplSF {
    int16_t StartX;  // track x of the start mark
    int16_t FinishX; // track x of the finish mark
    int16_t PlayerX; // player position
    int16_t PlayerY;
    int HeaderLen; // 27 or 36
    std::array<uint8_t, 36> Header;
};

constexpr int kTemplateCount = 36;
constexpr int kPresetCount = 13;

// Row t (1..36) of the table.
const TTemplSF& templateRow(int t);

// First row whose header bytes 1..5 equal bytes 1..5 of `header`, or -1.
int matchTemplate(const uint8_t* header);

// The big-endian signed value of the last four header bytes of row t.
int32_t templateAnchorY(int t);

// The preset text of row t (1..13): "t. - (finish x - start x)".
// Returned as plain ASCII.
const char* presetText(int t);

// Big-endian helpers shared by the pack format and the editor.
inline uint32_t readBE32(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}
inline void writeBE32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}
inline uint16_t readBE16(const uint8_t* p) {
    return uint16_t((p[0] << 8) | p[1]);
}
inline void writeBE16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v >> 8);
    p[1] = uint8_t(v);
}

} // namespace korvo
