#pragma once
// Generated packs of playable-looking tracks, for first starts, tests and benchmarks.

#include "mrg_format.h"

#include <cstdint>

namespace korvo {

struct SampleOptions {
    int tracks = 30;
    int segments = 60; // per track, 1..499
    uint32_t seed = 1;
};

// Fills `table` (cleared first) and returns its rows. Tracks are spread over
// the three groups; every segment keeps 1 <= dx <= 127 and |dy| <= 127, and
// each track uses the longest length preset that its course reaches.
Rows makeSamplePack(TrackTable& table, const SampleOptions& options);

// One generated track into record j of `table` (header from a preset).
void makeSampleTrack(TTrackInfo& track, int segments, uint32_t seed);

} // namespace korvo
