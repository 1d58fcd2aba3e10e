#pragma once
// The LZW code stream of a GIF image, made exactly as giflib's own encoder
// makes it (same codes, same code sizes, same clear points), but quickly for
// pictures of few colours and long runs: the string table is a direct
// child table instead of a hash, and a run of one colour advances through
// the known strings that extend the current one by that colour in one step.

#include <cstdint>
#include <string>
#include <vector>

namespace korvo {

// The largest palette the fast encoder handles: 2^kMaxLzwColorBits colours.
constexpr int kMaxLzwColorBits = 4;

// Compresses `pixels` (palette indices, masked to colorBits bits as giflib
// does; colorBits 1..4)
// into the packed LZW bytes that follow the code size byte in a GIF image
// (not yet cut into sub-blocks). The code size byte is max(2, colorBits).
std::string gifLzwCompress(const std::vector<uint8_t>& pixels, int colorBits);

} // namespace korvo
