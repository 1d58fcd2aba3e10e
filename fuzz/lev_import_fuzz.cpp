// Feeds arbitrary bytes to the import paths: an even first byte makes the
// rest a ".lev" file, an odd one a second pack. Whatever is accepted is copied
// into an open pack, which must save and read back to the same image, and
// taking the copied rows out again must give back the pack as it was.
#include "list/track_copy.h"
#include "pack/track_import.h"

#include <cstdlib>

using namespace korvo;

namespace {

// Fills `source` and its dialog rows; false when the input is refused.
bool importFrom(std::string_view bytes, bool pack, TrackTable& source, Rows& rows) {
    if (pack) return readPack(bytes, source, rows).empty();
    source.ClearArrays();
    const int d = source.createTrack("lev");
    if (!fillLevTrack(bytes, "lev", source[d]).empty()) {
        if (bytes.size() <= size_t(kMaxLevBytes)) std::abort(); // only large files are refused
        return false;
    }
    if (source[d].PointsLen != int(bytes.size()) || source[d].Points[bytes.size()] != 0)
        std::abort();
    rows = {d};
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static TrackTable source;
    static TrackTable tracks;
    static TrackTable again;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    Rows sourceRows;
    if (!importFrom(bytes, data[0] & 1, source, sourceRows) || source.TrackCount == 0) return 0;

    // An open pack of one track in each group.
    tracks.ClearArrays();
    Rows open;
    for (int g = 1; g <= kGroups; ++g) {
        open.push_back(kHeaderRow);
        open.push_back(tracks.appendCopy(source[1 + (g - 1) % source.TrackCount]));
    }
    LevelRows rows;
    rows.reset(open, tracks);
    const std::string before = writePack(tracks, rows.rows());

    std::vector<int> picked(sourceRows.size());
    for (size_t r = 0; r < picked.size(); ++r) picked[r] = int(r);
    const TrackCopy copy = copyTracks(tracks, rows, source, sourceRows, picked);
    if (int(copy.records.size()) + copy.leftOut != source.TrackCount) std::abort();
    if (tracks.TrackCount > kMaxTracks) std::abort();

    const std::string image = writePack(tracks, rows.rows());
    Rows rows2;
    if (!readPack(image, again, rows2).empty()) std::abort();
    if (writePack(again, rows2) != image) std::abort();

    rows.removeTrackRows(copy.rows);
    if (writePack(tracks, rows.rows()) != before) std::abort();
    return 0;
}
