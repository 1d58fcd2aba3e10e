// The GIF writer's own LZW compression gives exactly giflib's bytes.
#include "render/gif_writer.h"

#include <gtest/gtest.h>

#include <random>

using namespace korvo;

namespace {

std::vector<QRgb> grey(int n) {
    std::vector<QRgb> p;
    for (int i = 0; i < n; ++i) p.push_back(qRgb(i * 255 / n, i * 255 / n, i * 255 / n));
    return p;
}

} // namespace

TEST(GifWriter, FastCompressionGivesGiflibsBytes) {
    std::mt19937 rng(7);
    std::vector<IndexedPicture> pictures;
    // Noise in 2, 4 and 16 colours; long runs that fill the string table many
    // times over; runs broken by single pixels, as in a level picture.
    for (int colors : {2, 4, 16}) {
        IndexedPicture p(97, 61, grey(colors));
        for (auto& px : p.pixels) px = uint8_t(rng() % unsigned(colors));
        pictures.push_back(p);
    }
    pictures.emplace_back(3000, 200, grey(4), 0);
    IndexedPicture lines(1901, 97, grey(4), 0);
    for (int x = 0; x < lines.width; ++x) {
        lines.at(x, 20) = 2;
        lines.at(x, 20 + (x / 7) % 60) = 1;
        if (x % 311 == 0) lines.at(x, 5) = 3;
    }
    pictures.push_back(lines);
    IndexedPicture masked(40, 40, grey(4), 0);
    for (auto& px : masked.pixels) px = uint8_t(rng() % 256); // giflib keeps the low bits
    pictures.push_back(masked);
    pictures.emplace_back(1, 1, grey(4), 3);
    pictures.emplace_back(65535, 1, grey(2), 1); // the widest a GIF holds
    for (size_t i = 0; i < pictures.size(); ++i) {
        pictures[i].transparent = 0;
        std::string fast, reference;
        ASSERT_EQ(encodeGif(pictures[i], fast, GifCompression::Fast), "");
        ASSERT_EQ(encodeGif(pictures[i], reference, GifCompression::Giflib), "");
        EXPECT_EQ(fast, reference) << "picture " << i;
    }
    std::string out;
    EXPECT_NE(encodeGif(IndexedPicture(1, 65536, grey(2), 0), out), "") << "one pixel too high";
}
