#include "sample_pack.h"

#include "templates.h"

#include <algorithm>
#include <random>

namespace korvo {

namespace {

const char* const kWords[] = {"Hills",  "Canyon", "Ridge",  "Valley", "Dunes", "Quarry",
                              "Forest", "Bridge", "Summit", "Ramp",   "Rocks", "Creek"};

// Delta pair bytes for a step (dx to the right, dy down positive).
void putStep(TTrackInfo& t, int i, int dx, int dy) {
    t.Points[size_t(2 * i)] = uint8_t(dx);
    const int d = -dy; // stored as "up" positive, ones' complement for down
    t.Points[size_t(2 * i + 1)] = uint8_t(d < 0 ? d + 255 : d);
}

} // namespace

void makeSampleTrack(TTrackInfo& t, int segments, uint32_t seed) {
    segments = std::clamp(segments, 1, kMaxSegments);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> stepX(25, 127);
    std::uniform_int_distribution<int> slope(-45, 45);
    int length = 0;
    int y = 0;
    int trend = 0;
    for (int i = 0; i < segments; ++i) {
        const int dx = i < 3 ? 60 : stepX(rng); // a flat run-up to the start
        if (i >= 3 && i % 4 == 0) trend = slope(rng);
        int dy = i < 3 ? 0 : trend * dx / 60;
        if (y + dy > 300 || y + dy < -300) dy = -dy;
        dy = std::clamp(dy, -127, 127);
        y += dy;
        length += dx;
        putStep(t, i, dx, dy);
    }
    int preset = 1;
    for (int p = 1; p <= kPresetCount; ++p)
        if (templateRow(p).FinishX < length && templateRow(p).FinishX > templateRow(preset).FinishX)
            preset = p;
    const TTemplSF& row = templateRow(preset);
    std::copy(row.Header.begin(), row.Header.begin() + row.HeaderLen, t.Header.begin());
    t.HeaderLen = row.HeaderLen;
    writeBE16(t.Header.data() + 17, uint16_t(segments + 1));
    t.PointsLen = 2 * segments;
    t.Points[size_t(t.PointsLen)] = 0; // trailing byte
    t.DataLen = t.PointsLen;
    t.Templ = int16_t(preset);
    t.StartX = onesComplement16(t.Header[1], t.Header[2]);
    t.StartY = onesComplement16(t.Header[5], t.Header[6]);
}

Rows makeSamplePack(TrackTable& table, const SampleOptions& options) {
    table.ClearArrays();
    const int n = std::clamp(options.tracks, 0, kMaxTracks);
    const int easy = (n + 2) / 3;
    const int medium = (n + 1) / 3;
    std::mt19937 rng(options.seed);
    for (int j = 1; j <= n; ++j) {
        const std::string name =
            std::string(kWords[rng() % std::size(kWords)]) + "_" + std::to_string(j);
        const int slot = table.createTrack(name);
        makeSampleTrack(table[slot], options.segments, options.seed * 7919u + uint32_t(j));
    }
    table.GroupCount[1] = easy;
    table.GroupCount[2] = medium;
    table.GroupCount[3] = n - easy - medium;
    Rows rows = rowsForGroups(table);
    renumberFromRows(table, rows);
    return rows;
}

} // namespace korvo
