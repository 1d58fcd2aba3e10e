#pragma once
// GIF89a files of one image through giflib: an 8-bit indexed picture with a
// small palette, one entry of which may be transparent.

#include "text/message.h"

#include <QRgb>

#include <string>
#include <vector>

namespace korvo {

struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels; // width x height palette indices, row by row
    std::vector<QRgb> palette;   // at most 256 entries
    int transparent = -1;        // palette index shown transparent, -1 for none

    IndexedPicture() = default;
    IndexedPicture(int w, int h, std::vector<QRgb> colors, uint8_t fill = 0)
        : width(w), height(h), pixels(size_t(w) * size_t(h), fill), palette(std::move(colors)) {}
    uint8_t& at(int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    uint8_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// Who compresses the pixels: our LZW encoder (palettes of up to 16 colours;
// larger ones fall back to giflib), or giflib's own. Both give the same bytes.
enum class GifCompression { Fast, Giflib };

// The GIF89a image of `picture` in `out`, written through giflib. Returns ""
// or the reason the picture cannot be encoded.
Message encodeGif(const IndexedPicture& picture, std::string& out,
                  GifCompression compression = GifCompression::Fast);

} // namespace korvo
