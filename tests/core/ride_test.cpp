// The test ride without a window: the test rider on flat, gentle and walled
// tracks, replays that end where the ride ended, and the pack check of
// `trackpack check` on planted faults and on a clean sample.

#include "cli_run.h"
#include "pack/mrg_format.h"
#include "pack/sample_pack.h"
#include "pack/track_geometry.h"
#include "pack_test_util.h"
#include "ride/pack_check.h"
#include "ride/test_rider.h"
#include "settings_files.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"
#include "text/message.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace korvo {
namespace {

using Steps = std::vector<std::pair<int, int>>; // dx, dy (down positive)

// A record on template `preset` with the given steps from (0, 0).
TTrackInfo trackOf(int preset, const Steps& steps) {
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

Steps flat(int n, int dx = 60) {
    return Steps(size_t(n), {dx, 0});
}

Steps operator+(Steps a, const Steps& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::string blockOf(const TTrackInfo& r) {
    return std::string(reinterpret_cast<const char*>(r.Header.data()), size_t(r.HeaderLen)) +
           std::string(reinterpret_cast<const char*>(r.Points.data()), size_t(r.PointsLen + 1));
}

TEST(TestRider, FinishesFlatAndGentleTracksButNoWallOf127) {
    const Steps gentle = flat(3) + Steps(4, {60, -18}) + flat(2) + Steps(4, {60, 18}) + flat(3);
    const Steps wall = flat(4) + Steps{{1, -127}} + flat(8, 80);
    struct Case {
        const char* what;
        TTrackInfo track;
        bool finishes;
    } cases[] = {
        {"flat", trackOf(1, flat(12)), true},
        {"the shortest preset, up and down", trackOf(1, gentle), true},
        {"a wall of 127 before the finish", trackOf(1, wall), false},
    };
    const RideParams params;
    for (const Case& c : cases) {
        const RideTrack t = rideTrackOf(c.track);
        const RideResult r = rideByTestRider(t, params);
        EXPECT_EQ(r.end == RideEnd::Finished, c.finishes) << c.what << ": " << rideEndName(r.end);
        if (c.finishes) {
            EXPECT_GE(r.x, 597) << c.what; // the finish mark of the shortest preset
            EXPECT_LT(r.ms, 60000) << c.what;
        } else {
            EXPECT_LT(r.x, 241) << c.what; // never past the wall's foot
        }
    }
}

TEST(Replay, RecordedKeysRideToTheSameEndAndTheKeyFileTwiceGivesTheSameLine) {
    TrackTable table;
    makeSamplePack(table, {1, 60, 5});
    const RideTrack t = rideTrackOf(table[1]);
    const RideParams params;
    KeyRecorder recorder;
    const RideResult live = rideTrack(t, params, [&](const RideWorld& w) {
        const RideInput in = testRiderInput(w);
        recorder.record(w.steps(), in);
        return in;
    });
    ASSERT_GT(recorder.events().size(), 4u);
    // Through the file text, as Replay and trackpack read it.
    const auto keys = parseKeyFile(keyFileText(recorder.events()));
    ASSERT_TRUE(keys);
    const RideResult again = rideByKeys(t, params, *keys);
    EXPECT_EQ(again.end, live.end);
    EXPECT_EQ(again.steps, live.steps);
    EXPECT_EQ(again.x, live.x);

    QTemporaryDir dir;
    const QString pack = dir.filePath("p.mrg"), keyFile = dir.filePath("keys.txt");
    Rows rows = rowsForGroups(table);
    test::putFile(pack, QByteArray::fromStdString(writePack(table, rows)));
    test::putFile(keyFile,
                  "# throttle, a short lean forward\n0 up down\n1500 right down\n1550 right up\n"
                  "20000 up up\n");
    const auto first =
        test::trackpack({"ride", pack, "1", "--keys", keyFile, "--json"}, dir.path());
    const auto second =
        test::trackpack({"ride", pack, "1", "--keys", keyFile, "--json"}, dir.path());
    EXPECT_EQ(first.out, second.out);
    const QJsonObject end = QJsonDocument::fromJson(first.out.toUtf8()).object();
    EXPECT_GT(end["x"].toDouble(), 200) << first.out.toStdString();
    EXPECT_EQ(first.status, end["end"].toString() == "finished" ? 0 : 1);
    // A key file line that is not "milliseconds key down|up" is a usage error.
    test::putFile(keyFile, "0 up down\n10 jump down\n");
    const auto bad = test::trackpack({"ride", pack, "1", "--keys", keyFile}, dir.path());
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(bad.err.contains("2")) << bad.err.toStdString();
}

TEST(Replay, AnEventTakesEffectInTheStepItsMillisecondFallsInto) {
    // Steps last 1000/60 ms: 16 ms is still step 0, 17 ms is step 1.
    KeyPlayer player(
        {{16, RideKey::Up, true}, {17, RideKey::Left, true}, {34, RideKey::Up, false}});
    const RideInput s0 = player.inputForStep(0), s1 = player.inputForStep(1),
                    s2 = player.inputForStep(2);
    EXPECT_TRUE(s0.up && !s0.left);
    EXPECT_TRUE(s1.up && s1.left);
    EXPECT_TRUE(!s2.up && s2.left);
    EXPECT_EQ(stepOfMs(msOfStep(7)), 7);
    EXPECT_EQ(stepOfMs(msOfStep(7) - 1), 6);
}

// kind of each finding of `track` in the JSON of trackpack check.
std::vector<std::string> kindsOf(const QJsonArray& findings, int track) {
    std::vector<std::string> kinds;
    for (const auto& v : findings)
        if (v.toObject()["track"].toInt() == track)
            kinds.push_back(v.toObject()["kind"].toString().toStdString());
    return kinds;
}

TEST(PackCheck, FindsEachPlantedFaultAndNothingInACleanSample) {
    QTemporaryDir dir;
    const Steps course = flat(14);
    TTrackInfo tooWide = trackOf(1, flat(4) + Steps{{127, 127}, {128, -3}} + flat(8));
    TTrackInfo noSegment = trackOf(1, {});
    TTrackInfo badCount = trackOf(1, course);
    writeBE16(badCount.Header.data() + 17, 40);
    TTrackInfo shortForPreset = trackOf(13, course);
    TTrackInfo noTemplate = trackOf(1, course);
    noTemplate.Header[3] = 0x77;
    const TTrackInfo wall = trackOf(1, flat(4) + Steps{{1, -127}} + flat(8, 80));
    const std::string clean = blockOf(trackOf(1, course));
    const std::vector<test::TrackBlock> easy = {
        {"Wide", blockOf(tooWide)},
        {"Empty", blockOf(noSegment)},
        {"Count", blockOf(badCount)},
        {"Short", blockOf(shortForPreset)},
        {"Plain", blockOf(noTemplate)},
        {"Wall", blockOf(wall)},
        {"Bad\x98name", clean},
        {"Ctl\x1f", clean},
        {"Del\x7f", clean},
        {std::string(41, 'n'), clean},
        {std::string(38, 'f') + " ~", clean}, // the longest name the list shows
        {"Twice", clean},
        {"Twice", clean},
    };
    const QString pack = dir.filePath("faults.mrg");
    test::putFile(pack, QByteArray::fromStdString(test::buildPack({easy, {}, {}})));
    const auto run = test::trackpack({"check", pack, "--json"}, dir.path());
    EXPECT_EQ(run.status, 1);
    const QJsonArray found =
        QJsonDocument::fromJson(run.out.toUtf8()).object()["findings"].toArray();
    const LangLines lang; // with no language file trackpack speaks its built-in lines
    const auto say = [&lang](auto... args) { return lang.say(Message::line(args...)); };
    using K = std::vector<std::string>;
    EXPECT_EQ(kindsOf(found, 0), K{"too-few-tracks"});
    EXPECT_EQ(kindsOf(found, 1), K{"step"});
    EXPECT_EQ(kindsOf(found, 2), (K{"no-segment"}));
    EXPECT_EQ(kindsOf(found, 3), K{"node-count"});
    EXPECT_EQ(kindsOf(found, 4), K{"finish"});
    EXPECT_EQ(kindsOf(found, 5), K{"no-template"});
    EXPECT_EQ(kindsOf(found, 6), K{"rider"});
    EXPECT_EQ(kindsOf(found, 7), K{"name-code-page"});
    EXPECT_EQ(kindsOf(found, 8), K{"name-control"});
    EXPECT_EQ(kindsOf(found, 9), K{"name-control"});
    EXPECT_EQ(kindsOf(found, 10), K{"name-long"});
    EXPECT_EQ(kindsOf(found, 11), K{});
    EXPECT_EQ(kindsOf(found, 12), K{});
    EXPECT_EQ(kindsOf(found, 13), K{"name-twice"});
    for (const auto& v : found) {
        const QJsonObject o = v.toObject();
        if (o["kind"] == "step" && o["track"] == 1) {
            EXPECT_EQ(o["node"].toInt(), 7); // dx 128, 3 up
            const QString text = o["text"].toString();
            EXPECT_TRUE(text.startsWith(say(kLineFindStep, 128, 3))) << text.toStdString();
            EXPECT_TRUE(text.endsWith(QString(" 7, x %1").arg(o["x"].toInt())))
                << text.toStdString() << ": the node, then its x";
        }
        if (o["kind"] == "rider") {
            EXPECT_TRUE(o["hint"].toBool());
            EXPECT_LT(o["x"].toInt(), 241);
            EXPECT_EQ(o["text"].toString(), say(kLineFindRiderStops, o["x"].toInt()));
        }
    }
    // The text lines: one per finding, track number and name first.
    const auto lines = test::trackpack({"check", pack}, dir.path());
    EXPECT_EQ(lines.out.count('\n'), found.size());
    for (const QString& line :
         {"8/Ctl?: " + say(kLineFindNameControl), "9/Del?: " + say(kLineFindNameControl),
          "13/Twice: " + say(kLineFindNameTwice, 12)})
        EXPECT_TRUE(lines.out.contains(line + "\n")) << lines.out.toStdString();

    const QString sample = dir.filePath("sample.mrg");
    ASSERT_EQ(test::trackpack({"sample", sample}).status, 0);
    const auto cleanRun = test::trackpack({"check", sample}, dir.path());
    EXPECT_EQ(cleanRun.status, 0) << cleanRun.out.toStdString();
    EXPECT_EQ(cleanRun.out, "");
    EXPECT_EQ(test::trackpack({"check"}, dir.path()).status, 2);
}

} // namespace
} // namespace korvo
