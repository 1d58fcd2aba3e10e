#include "track_geometry.h"

#include "pack/templates.h"

#include <algorithm>
#include <cmath>

namespace korvo {

int GetCurSF(const TrackTable& tracks, int index) {
    if (index < 1 || index > kMaxTracks) return -1;
    return matchTemplate(tracks[index].Header.data());
}

namespace {
bool holdsAnchor(const TTrackInfo& r) {
    return r.HeaderLen >= 4 && r.HeaderLen <= kBufferSize;
}
} // namespace

int32_t headerAnchorY(const TTrackInfo& r) {
    if (!holdsAnchor(r)) return 0;
    return int32_t(readBE32(r.Header.data() + r.HeaderLen - 4));
}

int32_t trackYShiftOf(const TTrackInfo& r) {
    if (r.Templ < 1 || r.Templ > kTemplateCount) return 0;
    const TTemplSF& row = templateRow(r.Templ);
    const int at = r.HeaderLen == row.HeaderLen ? r.HeaderLen - 4 : row.HeaderLen - 4;
    return r.AnchorY - int32_t(readBE32(row.Header.data() + at));
}

void copyTemplateHeader(TTrackInfo& r, int t) {
    const TTemplSF& row = templateRow(t);
    std::fill(r.Header.begin(), r.Header.end(), uint8_t(0));
    std::copy(row.Header.begin(), row.Header.begin() + row.HeaderLen, r.Header.begin());
    r.HeaderLen = row.HeaderLen;
}

void writeHeaderAnchorY(TTrackInfo& r, int32_t value) {
    if (holdsAnchor(r)) writeBE32(r.Header.data() + r.HeaderLen - 4, uint32_t(value));
}

} // namespace korvo
