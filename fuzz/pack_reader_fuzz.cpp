// Feeds arbitrary bytes to the pack reader; a pack it accepts must save and
// read back to the same image.
#include "pack/mrg_format.h"

#include <cstdlib>

using namespace korvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TrackTable table;
    static TrackTable again;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Rows rows;
    if (!readPack(bytes, table, rows).empty()) return 0;
    int total = 0;
    std::string text;
    if (!countTracks(bytes, total, text) || total != table.TrackCount) std::abort();
    const std::string out = writePack(table, rows);
    Rows rows2;
    if (!readPack(out, again, rows2).empty()) std::abort();
    if (writePack(again, rows2) != out) std::abort();
    return 0;
}
