#pragma once
// The largest pack the format holds: 4,095 tracks of 499 segments, as bytes.

#include "pack/mrg_format.h"
#include "pack/sample_pack.h"

#include <string>

namespace korvo::bench {

inline const std::string& maximalPack() {
    static const std::string image = [] {
        TrackTable table;
        SampleOptions opt;
        opt.tracks = kMaxTracks;
        opt.segments = kMaxSegments;
        Rows rows = makeSamplePack(table, opt);
        return writePack(table, rows);
    }();
    return image;
}

} // namespace korvo::bench
