#include "pack_check.h"

#include "pack/templates.h"
#include "pack/track_geometry.h"
#include "ride_track.h"
#include "test_rider.h"
#include "text/cp1251.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"

#include <map>

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

std::vector<Finding> checkPack(const TrackTable& tracks, const Rows& rows, const RideParams& params,
                               bool ride) {
    std::vector<Finding> out;
    int count = 0;
    for (int j : rows)
        if (j != kHeaderRow) ++count;
    if (count < kSubmissionTracks) {
        Finding f;
        f.kind = FindingKind::TooFewTracks;
        f.value = count;
        out.push_back(f);
    }
    std::map<std::string, int> firstWithName;
    for (int j : rows) {
        if (j == kHeaderRow) continue;
        const TTrackInfo& r = tracks[j];
        Finding base;
        base.track = j;
        base.name = r.Name;
        const RideTrack t = rideTrackOf(r);
        checkShape(r, t, base, out);
        checkName(r, base, out);
        const auto [it, fresh] = firstWithName.emplace(r.Name, j);
        if (!fresh) {
            Finding f = base;
            f.kind = FindingKind::NameTwice;
            f.value = it->second;
            out.push_back(f);
        }
        if (ride && t.finishable()) {
            const RideResult result = rideByTestRider(t, params);
            if (result.end != RideEnd::Finished) {
                Finding f = base;
                f.kind = FindingKind::RiderStops;
                f.x = int(std::lround(result.x));
                f.value = result.end == RideEnd::Crashed ? 1 : 0;
                out.push_back(f);
            }
        }
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
    case FindingKind::RiderStops:
        break;
    }
    return "rider";
}

} // namespace korvo
