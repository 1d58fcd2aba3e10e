#pragma once
// What a player or the submission site would trip over in a pack, track by
// track: segments outside the editor's limits, a track without segments or
// whose node count disagrees with its point bytes, a finish that does not lie
// right of the start, a track that ends left of where the bike starts (no
// ride can finish it), a track without template, names the code page cannot
// hold, with control characters, too long or used twice, too few tracks for a
// submission, and, as hints, tracks the test rider cannot finish and tracks
// nobody has finished (not validated: no best ride beside the pack). The
// tracks are checked on worker threads, one track at a time each, with a
// count of tracks done and a flag that stops the check.

#include "pack/mrg_format.h"
#include "ride_params.h"
#include "ride_solver.h"
#include "text/lang_lines.h"

#include <QString>

#include <atomic>
#include <functional>
#include <vector>

namespace korvo {

enum class FindingKind {
    Unreadable,      // the reader refused the pack (a block past its buffers); text in `detail`
    TooFewTracks,    // value: the tracks there are
    StepOutOfLimits, // node: the segment's end node, value/value2: dx, dy
    NoSegment,
    NodeCount,      // value: count in the header, value2: count by the point bytes
    FinishNotRight, // the finish falls back left of the start
    EndsLeft,       // the track ends left of where the bike starts: no ride can finish;
                    // node: the last node, value: the start's x
    NoTemplate,
    NameCodePage,
    NameControl,
    NameTooLong,     // value: the longest name the list shows
    NameTwice,       // value: the track that uses the name first
    RiderStops,      // a hint; value: 1 crashed, 0 stopped
    NotValidated,    // a hint: no finished ride is recorded for the track's bytes
    RidesUnreadable, // a hint: the best rides beside the pack cannot be read; text in `detail`
};

struct Finding {
    int track = 0;    // track number j; 0 for the whole pack
    std::string name; // the track's name as stored (Windows-1251)
    FindingKind kind = FindingKind::NoSegment;
    int node = 0; // the node to select, 0 when none
    int x = 0;    // where on the track, in track units
    int value = 0, value2 = 0;
    QString detail;
    bool hint() const {
        return kind == FindingKind::RiderStops || kind == FindingKind::NotValidated ||
               kind == FindingKind::RidesUnreadable;
    }
};

constexpr int kSubmissionTracks = 30;
constexpr int kListedNameLength = 40;

class RideRecords;
struct CheckedTrack;

// How far a check has come, read and stopped from another thread.
struct CheckProgress {
    std::atomic<int> done{0}; // tracks checked
    std::atomic<int> total{0};
    std::atomic<bool> cancel{false}; // set it to stop the check soon
};

struct CheckOptions {
    bool ride = true; // run the test rider on every finishable track
    // With it, the solver searches keys instead (a finish validates the
    // track); `solved` hears of each finish, on the thread that found it.
    const SolveOptions* solve = nullptr;
    std::function<void(const CheckedTrack&, const SolveResult&)> solved;
    const RideRecords* records = nullptr; // with them, unfinished tracks are "not validated"
    int threads = 0;                      // 0: one per core
    CheckProgress* progress = nullptr;
};

// One track to check: its number j and its record.
struct CheckedTrack {
    int number = 0;
    const TTrackInfo* record = nullptr;
};

// Checks `tracks` in their order; the pack's own findings first. A cancelled
// check returns the findings of the tracks it finished.
std::vector<Finding> checkTracks(const std::vector<CheckedTrack>& tracks, const RideParams& params,
                                 const CheckOptions& options = {});
// The tracks of `rows` in their order.
std::vector<CheckedTrack> tracksOfRows(const TrackTable& tracks, const Rows& rows);
inline std::vector<Finding> checkPack(const TrackTable& tracks, const Rows& rows,
                                      const RideParams& params, const CheckOptions& options = {}) {
    return checkTracks(tracksOfRows(tracks, rows), params, options);
}
// The finding for a pack the reader refused.
Finding unreadablePack(const QString& reason);
// The hint for best rides that cannot be read (every track is then not validated).
Finding unreadableRides(const QString& reason);

// "what, where" in the given language, and the whole line
// "number/name: what, where" as the window and trackpack list it.
QString findingText(const Finding& f, const LangLines& lang);
QString findingLine(const Finding& f, const LangLines& lang);
// A short name of the kind for JSON ("step", "name-twice", ...).
const char* findingKindName(FindingKind kind);

} // namespace korvo
