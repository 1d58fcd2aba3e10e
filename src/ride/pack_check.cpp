#include "pack_check.h"

#include "pack/templates.h"
#include "pack/track_geometry.h"
#include "ride_records.h"
#include "ride_track.h"
#include "test_rider.h"
#include "text/cp1251.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"
#include "vector_state.h"

#include <algorithm>
#include <map>
#include <thread>

namespace korvo {

namespace {

void checkName(const TTrackInfo& r, Finding base, std::vector<Finding>& out) {
    const QString text = fromCp1251(r.Name);
    auto add = [&](FindingKind kind, int value = 0) {
        Finding f = base;
        f.kind = kind;
        f.value = value;
        out.push_back(f);
    };
    if (text.contains(QChar(0xFFFD))) add(FindingKind::NameCodePage);
    for (unsigned char c : r.Name)
        if (c < 0x20 || c == 0x7F) {
            add(FindingKind::NameControl);
            break;
        }
    if (text.size() > kListedNameLength) add(FindingKind::NameTooLong, kListedNameLength);
}

void checkShape(const TTrackInfo& r, const RideTrack& t, Finding base, std::vector<Finding>& out) {
    auto add = [&](FindingKind kind, int node = 0, int value = 0, int value2 = 0) {
        Finding f = base;
        f.kind = kind;
        f.node = node;
        if (node > 0) f.x = t.nodes[size_t(node - 1)].x();
        f.value = value;
        f.value2 = value2;
        out.push_back(f);
    };
    if (t.nodes.size() < 2) add(FindingKind::NoSegment, 1);
    const int byBytes = r.PointsLen / 2 + 1;
    const int inHeader = r.HeaderLen >= 19 ? readBE16(r.Header.data() + 17) : 0;
    if (inHeader != byBytes || r.PointsLen % 2 != 0)
        add(FindingKind::NodeCount, 0, inHeader, byBytes);
    for (size_t i = 1; i < t.nodes.size(); ++i) {
        const int dx = t.nodes[i].x() - t.nodes[i - 1].x();
        const int dy = t.nodes[i].y() - t.nodes[i - 1].y();
        if (!segmentWithinLimits(dx, dy)) add(FindingKind::StepOutOfLimits, int(i + 1), dx, dy);
    }
    if (t.nodes.size() < 2) return;
    if (r.Templ <= 0) {
        add(FindingKind::NoTemplate);
    } else if (t.finish.x() <= t.start.x()) {
        Finding f = base;
        f.kind = FindingKind::FinishNotRight;
        f.node = 1;
        f.x = t.finish.x();
        out.push_back(f);
    }
    if (!t.finishable()) add(FindingKind::EndsLeft, int(t.nodes.size()), t.startX());
}

} // namespace

Finding unreadablePack(const QString& reason) {
    Finding f;
    f.kind = FindingKind::Unreadable;
    f.detail = reason;
    return f;
}

Finding unreadableRides(const QString& reason) {
    Finding f;
    f.kind = FindingKind::RidesUnreadable;
    f.detail = reason;
    return f;
}

std::vector<CheckedTrack> tracksOfRows(const TrackTable& tracks, const Rows& rows) {
    std::vector<CheckedTrack> out;
    for (int j : rows)
        if (j != kHeaderRow) out.push_back({j, &tracks[j]});
    return out;
}

namespace {

// The findings of one track that need no other track: shape, name, the ride.
std::vector<Finding> checkOneTrack(const CheckedTrack& c, const RideParams& params,
                                   const CheckOptions& options) {
    std::vector<Finding> out;
    const TTrackInfo& r = *c.record;
    Finding base;
    base.track = c.number;
    base.name = r.Name;
    const RideTrack t = rideTrackOf(r);
    checkShape(r, t, base, out);
    checkName(r, base, out);
    bool solved = false;
    if (options.ride && t.finishable()) {
        RideResult result;
        if (options.solve) {
            const SolveResult found = solveTrack(t, params, *options.solve);
            result = found.ride;
            result.x = found.reach;
            solved = result.end == RideEnd::Finished;
            if (solved && options.solved) options.solved(c, found);
        } else {
            result = rideByTestRider(t, params);
        }
        if (result.end != RideEnd::Finished) {
            Finding f = base;
            f.kind = FindingKind::RiderStops;
            f.x = int(std::lround(result.x));
            f.value = result.end == RideEnd::Crashed ? 1 : 0;
            out.push_back(f);
        }
    }
    if (options.records && !solved && !options.records->validated(trackKey(r))) {
        Finding f = base;
        f.kind = FindingKind::NotValidated;
        out.push_back(f);
    }
    return out;
}

} // namespace

std::vector<Finding> checkTracks(const std::vector<CheckedTrack>& tracks, const RideParams& params,
                                 const CheckOptions& options) {
    std::vector<Finding> out;
    const int count = int(tracks.size());
    if (count < kSubmissionTracks) {
        Finding f;
        f.kind = FindingKind::TooFewTracks;
        f.value = count;
        out.push_back(f);
    }
    CheckProgress own;
    CheckProgress& progress = options.progress ? *options.progress : own;
    progress.total = count;
    progress.done = 0;
    // Workers take the next track in turn; each track's findings land in its slot.
    std::vector<std::vector<Finding>> found(tracks.size());
    std::vector<char> finished(tracks.size(), 0);
    std::atomic<int> next{0};
    const auto work = [&] {
        clearUpperVectorState();
        for (int i; !progress.cancel && (i = next++) < count;) {
            found[size_t(i)] = checkOneTrack(tracks[size_t(i)], params, options);
            if (progress.cancel) break; // its ride may have been cut short
            finished[size_t(i)] = 1;
            ++progress.done;
        }
    };
    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    const int threads =
        std::clamp(options.threads > 0 ? options.threads : cores, 1, std::max(1, count));
    {
        std::vector<std::jthread> pool;
        for (int k = 1; k < threads; ++k) pool.emplace_back(work);
        work();
    }
    std::map<std::string, int> firstWithName;
    for (size_t i = 0; i < tracks.size(); ++i) {
        if (!finished[i]) continue;
        const CheckedTrack& c = tracks[i];
        auto& own = found[i];
        const auto [it, fresh] = firstWithName.emplace(c.record->Name, c.number);
        if (!fresh) {
            Finding f;
            f.track = c.number;
            f.name = c.record->Name;
            f.kind = FindingKind::NameTwice;
            f.value = it->second;
            // after the name's own findings, before the rider's and validation hints
            const auto at = std::find_if(own.begin(), own.end(), [](const Finding& g) {
                return g.kind == FindingKind::RiderStops || g.kind == FindingKind::NotValidated;
            });
            own.insert(at, f);
        }
        out.insert(out.end(), own.begin(), own.end());
    }
    return out;
}

QString findingText(const Finding& f, const LangLines& lang) {
    const auto line = [&lang](auto... args) { return lang.say(Message::line(args...)); };
    QString what;
    switch (f.kind) {
    case FindingKind::Unreadable:
        return line(kLineFindUnreadable, f.detail);
    case FindingKind::TooFewTracks:
        return line(kLineFindFewTracks, f.value, kSubmissionTracks);
    case FindingKind::StepOutOfLimits:
        what = line(kLineFindStep, f.value, -f.value2);
        break;
    case FindingKind::NoSegment:
        return line(kLineFindNoSegment);
    case FindingKind::NodeCount:
        return line(kLineFindNodeCount, f.value, f.value2);
    case FindingKind::FinishNotRight:
        what = line(kLineFindFinish);
        break;
    case FindingKind::EndsLeft:
        what = line(kLineFindEndsLeft, f.value);
        break;
    case FindingKind::NoTemplate:
        return line(kLineFindNoTemplate);
    case FindingKind::NameCodePage:
        return line(kLineFindNameCodePage);
    case FindingKind::NameControl:
        return line(kLineFindNameControl);
    case FindingKind::NameTooLong:
        return line(kLineFindNameLong, f.value);
    case FindingKind::NameTwice:
        return line(kLineFindNameTwice, f.value);
    case FindingKind::RiderStops:
        return line(f.value ? kLineFindRiderCrashes : kLineFindRiderStops, f.x);
    case FindingKind::NotValidated:
        return line(kLineFindNotValidated);
    case FindingKind::RidesUnreadable:
        return f.detail;
    }
    return what + ", " + line(kLineFindAt, f.node, f.x);
}

QString findingLine(const Finding& f, const LangLines& lang) {
    if (f.track == 0) return findingText(f, lang);
    QString name = fromCp1251(f.name);
    for (QChar& c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = QChar('?');
    return QString("%1/%2: %3").arg(f.track).arg(name, findingText(f, lang));
}

const char* findingKindName(FindingKind kind) {
    switch (kind) {
    case FindingKind::Unreadable:
        return "unreadable";
    case FindingKind::TooFewTracks:
        return "too-few-tracks";
    case FindingKind::StepOutOfLimits:
        return "step";
    case FindingKind::NoSegment:
        return "no-segment";
    case FindingKind::NodeCount:
        return "node-count";
    case FindingKind::FinishNotRight:
        return "finish";
    case FindingKind::EndsLeft:
        return "ends-left";
    case FindingKind::NoTemplate:
        return "no-template";
    case FindingKind::NameCodePage:
        return "name-code-page";
    case FindingKind::NameControl:
        return "name-control";
    case FindingKind::NameTooLong:
        return "name-long";
    case FindingKind::NameTwice:
        return "name-twice";
    case FindingKind::NotValidated:
        return "not-validated";
    case FindingKind::RidesUnreadable:
        return "rides-unreadable";
    case FindingKind::RiderStops:
        break;
    }
    return "rider";
}

} // namespace korvo
