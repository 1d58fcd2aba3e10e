#include "gif_writer.h"

#include "text/lang_added.h"
#include "text/message.h"

#include "gif_lzw.h"

#include <gif_lib.h>

#include <algorithm>

namespace korvo {

namespace {

int appendBytes(GifFileType* gif, const GifByteType* data, int size) {
    static_cast<std::string*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(data), size_t(size));
    return size;
}

// Colour tables hold a power of two entries, at least two.
int tableBits(size_t colors) {
    int bits = 1;
    while ((size_t(1) << bits) < colors) ++bits;
    return bits;
}

// Hands giflib the compressed codes in sub-blocks of at most 255 bytes.
bool putCodeBlocks(GifFileType* gif, int codeSize, const std::string& codes) {
    GifByteType block[256];
    bool first = true;
    for (size_t at = 0; at < codes.size(); at += 255) {
        const size_t n = std::min<size_t>(255, codes.size() - at);
        block[0] = GifByteType(n);
        std::copy(codes.begin() + at, codes.begin() + at + n, block + 1);
        const int done = first ? EGifPutCode(gif, codeSize, block) : EGifPutCodeNext(gif, block);
        if (done != GIF_OK) return false;
        first = false;
    }
    return EGifPutCodeNext(gif, nullptr) == GIF_OK; // the block terminator
}

// giflib's own compression, line by line.
bool putLines(GifFileType* gif, const IndexedPicture& picture) {
    std::vector<GifPixelType> line(size_t(picture.width)); // giflib masks the line in place
    for (int y = 0; y < picture.height; ++y) {
        const uint8_t* row = picture.pixels.data() + size_t(y) * size_t(picture.width);
        std::copy(row, row + picture.width, line.begin());
        if (EGifPutLine(gif, line.data(), picture.width) != GIF_OK) return false;
    }
    return true;
}

Message gifReason(int error) {
    return Message::line(kLineGifFailed, error);
}

} // namespace

Message encodeGif(const IndexedPicture& picture, std::string& out, GifCompression compression) {
    if (picture.width < 1 || picture.height < 1 || picture.width > 65535 || picture.height > 65535)
        return Message::plain(
            QString("a GIF picture is 1 to 65535 pixels on each side, not %1 x %2")
                .arg(picture.width)
                .arg(picture.height));
    if (picture.palette.empty() || picture.palette.size() > 256)
        return Message::plain("a GIF palette holds 1 to 256 colours");
    if (picture.pixels.size() != size_t(picture.width) * size_t(picture.height))
        return Message::plain("the picture's pixels do not fill its size");
    out.clear();
    int error = 0;
    GifFileType* gif = EGifOpen(&out, appendBytes, &error);
    if (!gif) return gifReason(error);

    const int bits = tableBits(picture.palette.size());
    std::vector<GifColorType> colors(size_t(1) << bits, GifColorType{0, 0, 0});
    for (size_t i = 0; i < picture.palette.size(); ++i)
        colors[i] = GifColorType{GifByteType(qRed(picture.palette[i])),
                                 GifByteType(qGreen(picture.palette[i])),
                                 GifByteType(qBlue(picture.palette[i]))};
    ColorMapObject* map = GifMakeMapObject(int(colors.size()), colors.data());
    EGifSetGifVersion(gif, true); // GIF89a: the transparency block needs it

    bool ok = map && EGifPutScreenDesc(gif, picture.width, picture.height, bits, 0, map) == GIF_OK;
    if (ok && picture.transparent >= 0) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.UserInputFlag = false;
        gcb.DelayTime = 0;
        gcb.TransparentColor = picture.transparent;
        GifByteType block[4];
        const size_t n = EGifGCBToExtension(&gcb, block);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(n), block) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr) == GIF_OK;
    if (ok && compression == GifCompression::Fast && bits <= kMaxLzwColorBits) {
        const int codeSize = std::max(2, bits); // as giflib writes it before the codes
        ok = putCodeBlocks(gif, codeSize, gifLzwCompress(picture.pixels, bits));
    } else if (ok) {
        ok = putLines(gif, picture);
    }
    const int failure = ok ? 0 : gif->Error;
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK && ok) return gifReason(error);
    return ok ? Message() : gifReason(failure ? failure : E_GIF_ERR_NOT_ENOUGH_MEM);
}

} // namespace korvo
