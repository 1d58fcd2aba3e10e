#pragma once
// Small rules of track geometry shared by the editor, the canvas and the
// previews: segment limits, rounding, template lookups of a record.

#include "pack/rounding.h"
#include "pack/track_info.h"

#include <cstdint>

namespace korvo {

constexpr int kNodeCapacity = 10000;        // entries of the node arrays, numbered 1..10000
constexpr int kMaxNodes = kMaxSegments + 1; // the most nodes a record's Points can hold
constexpr int kMaxStep = 127;               // largest |dx| and |dy| of one segment

// 1 <= dx <= 127 and -127 <= dy <= 127.
constexpr bool segmentWithinLimits(int dx, int dy) {
    return dx >= 1 && dx <= kMaxStep && dy >= -kMaxStep && dy <= kMaxStep;
}

// GetCurSF: the template number (1..36) whose signature equals the signature
// of track `index` of `tracks`, or -1.
int GetCurSF(const TrackTable& tracks, int index);

// The big-endian signed value of the record's last four header bytes
// (its AnchorY as stored); 0 when the header is too short to hold one.
int32_t headerAnchorY(const TTrackInfo& record);

// TrackYShift of a record whose AnchorY is current: AnchorY minus the height
// stored in its template's header bytes; 0 without a template. When the
// record's header length differs from the template's, the template's own last
// four header bytes are used, so nothing outside them is ever read.
int32_t trackYShiftOf(const TTrackInfo& record);

// Copies the header bytes of template t into the record (HeaderLen included);
// the rest of the header buffer becomes zero.
void copyTemplateHeader(TTrackInfo& record, int t);

// Writes `value` big-endian into the record's last four header bytes.
void writeHeaderAnchorY(TTrackInfo& record, int32_t value);

} // namespace korvo
