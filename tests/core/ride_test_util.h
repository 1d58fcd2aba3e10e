#pragma once
// Tracks for the ride's tests, made of steps: records on a length preset and
// packs of them that trackpack reads.

#include "pack/mrg_format.h"
#include "pack/templates.h"
#include "pack/track_geometry.h"

#include <string>
#include <utility>
#include <vector>

namespace korvo::test {

using Steps = std::vector<std::pair<int, int>>; // dx, dy (down positive)

// A record on template `preset` with the given steps from (0, 0).
inline TTrackInfo trackOf(int preset, const Steps& steps) {
    TTrackInfo r;
    copyTemplateHeader(r, preset);
    r.Templ = int16_t(preset);
    for (size_t i = 0; i < steps.size(); ++i) {
        const int up = -steps[i].second;
        r.Points[2 * i] = uint8_t(steps[i].first);
        r.Points[2 * i + 1] = uint8_t(up < 0 ? up + 255 : up);
    }
    r.PointsLen = int32_t(2 * steps.size());
    writeBE16(r.Header.data() + 17, uint16_t(steps.size() + 1));
    return r;
}

// The same on the longest preset whose finish the steps reach.
inline TTrackInfo trackOf(const Steps& steps) {
    int length = 0;
    for (const auto& s : steps) length += s.first;
    int preset = 1;
    for (int p = 1; p <= kPresetCount; ++p)
        if (templateRow(p).FinishX < length && templateRow(p).FinishX > templateRow(preset).FinishX)
            preset = p;
    return trackOf(preset, steps);
}

inline Steps flat(int n, int dx = 60) {
    return Steps(size_t(n), {dx, 0});
}

inline Steps operator+(Steps a, const Steps& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline std::string blockOf(const TTrackInfo& r) {
    return std::string(reinterpret_cast<const char*>(r.Header.data()), size_t(r.HeaderLen)) +
           std::string(reinterpret_cast<const char*>(r.Points.data()), size_t(r.PointsLen + 1));
}

} // namespace korvo::test
