// The test ride without a window: the test rider on flat, gentle and walled
// tracks, replays that end where the ride ended, key files, and the pack
// check of `trackpack check` on planted faults, hints and a clean sample.

#include "cli_run.h"
#include "pack/mrg_format.h"
#include "pack/pack_file.h"
#include "pack/sample_pack.h"
#include "pack/track_geometry.h"
#include "pack_test_util.h"
#include "ride/pack_check.h"
#include "ride/ride_records.h"
#include "ride/test_rider.h"
#include "ride_test_util.h"
#include "settings_files.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"
#include "text/message.h"
#include "text/system_errors.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <utility>
#include <vector>

namespace korvo {
namespace {

using test::blockOf;
using test::flat;
using test::Steps;
using test::trackOf;
using test::operator+;

// Up and down at 17 degrees on the shortest preset: what any rider finishes.
const Steps gentle = flat(3) + Steps(4, {60, -18}) + flat(2) + Steps(4, {60, 18}) + flat(3);

// The rows of a sample pack of 30 tracks (names and groups), each track gentle.
Rows gentlePack(TrackTable& table) {
    const Rows rows = makeSamplePack(table, {30, 40, 3});
    for (int j : rows) {
        if (j == kHeaderRow) continue;
        const std::string name = table[j].Name;
        table[j] = trackOf(1, gentle);
        table[j].Name = name;
    }
    return rows;
}

TEST(TestRider, FinishesFlatAndGentleTracksButNoWallOf127) {
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
    TestRider rider;
    const RideResult live = rideTrack(t, params, [&](const RideWorld& w) {
        const RideInput in = rider.next(w);
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
    EXPECT_EQ(first.status, 1);
    // A crash has one x: the frame's, where it ended too.
    EXPECT_EQ(end["end"].toString(), "crashed");
    EXPECT_EQ(end["placeX"].toDouble(), end["x"].toDouble());
}

TEST(KeyFile, CommentsAnywhereAndEachRefusalInOneLineThatNamesTheFile) {
    TrackTable table;
    const Rows rows = makeSamplePack(table, {1, 60, 5});
    QTemporaryDir dir;
    const QString pack = dir.filePath("p.mrg"), keyFile = dir.filePath("keys.txt");
    test::putFile(pack, QByteArray::fromStdString(writePack(table, rows)));
    const LangLines lang;
    const auto ride = [&](const QByteArray& keys) {
        test::putFile(keyFile, keys);
        return test::trackpack({"ride", pack, "1", "--keys", keyFile}, dir.path());
    };
    const auto plain = ride("0 up down\n1500 right down\n1550 right up\n");
    const auto commented =
        ride("# throttle\n0 up down # and hold it\n1500 right down#lean\n  # on\n1550 right up\n");
    EXPECT_EQ(commented.status, plain.status);
    EXPECT_EQ(commented.out, plain.out);
    EXPECT_EQ(commented.err, "");

    // A malformed line: the file and the line, without the whole usage.
    const auto bad = ride("0 up down\n# fine\n10 jump down # not a key\n");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err,
              "trackpack: " +
                  lang.say(Message::line(kLineCliKeyFile, QDir::toNativeSeparators(keyFile), 3)) +
                  "\n");

    // A folder, in the system's words.
    const auto folder = test::trackpack({"ride", pack, "1", "--keys", dir.path()}, dir.path());
    EXPECT_EQ(folder.status, 1);
    EXPECT_EQ(folder.err,
              "trackpack: " + lang.say(pathMessage(dir.path(), systemError(EISDIR))) + "\n");

    // At most 1 MiB: a file of exactly that is read (the brake held, the
    // bike stands until the five minutes are up); one byte more is refused.
    QByteArray full = "0 down down\n";
    while (full.size() < 1024 * 1024) {
        const qsizetype room = std::min<qsizetype>(1024, 1024 * 1024 - full.size());
        full += "#" + QByteArray(room - 2, 'x') + "\n";
    }
    ASSERT_EQ(full.size(), 1024 * 1024);
    const auto atLimit = ride(full);
    EXPECT_TRUE(atLimit.out.startsWith("stopped 300.000 s x ")) << atLimit.out.toStdString();
    EXPECT_EQ(atLimit.err, "");
    const auto over = ride(full + "\n");
    EXPECT_EQ(over.status, 1);
    EXPECT_EQ(over.out, "");
    EXPECT_EQ(over.err,
              "trackpack: " +
                  lang.say(Message::line(kLineCliKeyFileTooLarge, QDir::toNativeSeparators(keyFile),
                                         1024 * 1024, 4096)) +
                  "\n");
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

// Every track of the pack at `pack` finished once, so that the check lists
// only what else it finds (ride_records_test: the tracks nobody finished).
void validateAll(const QString& pack) {
    TrackTable t;
    Rows rows;
    ASSERT_EQ(loadPackFile(pack, t, rows), Message());
    RideRecords records;
    for (int j : rows)
        if (j != kHeaderRow) records.offer(trackKey(t[j]), {1000, "test", {}});
    ASSERT_EQ(records.save(ridesPathOf(pack)), Message());
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
    validateAll(pack);
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
            EXPECT_EQ(o["text"].toString(), say(kLineFindRiderCrashes, o["x"].toInt()));
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
    TrackTable gentleTable;
    const Rows gentleRows = gentlePack(gentleTable);
    test::putFile(sample, QByteArray::fromStdString(writePack(gentleTable, gentleRows)));
    validateAll(sample);
    const auto cleanRun = test::trackpack({"check", sample}, dir.path());
    EXPECT_EQ(cleanRun.status, 0) << cleanRun.out.toStdString();
    EXPECT_EQ(cleanRun.out, "");
    EXPECT_EQ(test::trackpack({"check"}, dir.path()).status, 2);
}

TEST(PackCheck, ATrackEndingLeftOfItsStartIsAFaultAndCannotBeFinished) {
    // Without a template the bike starts 30 units past the first node.
    TTrackInfo endsAtStart = trackOf(1, flat(1, 30));
    endsAtStart.Header[3] = 0x77;
    TTrackInfo endsPastStart = trackOf(1, flat(1, 31));
    endsPastStart.Header[3] = 0x77;
    QTemporaryDir dir;
    const QString pack = dir.filePath("p.mrg");
    test::putFile(
        pack,
        QByteArray::fromStdString(test::buildPack(
            {{{"AtStart", blockOf(endsAtStart)}, {"Past", blockOf(endsPastStart)}}, {}, {}})));
    validateAll(pack);
    const auto run = test::trackpack({"check", pack, "--json"}, dir.path());
    EXPECT_EQ(run.status, 1);
    const QJsonArray found =
        QJsonDocument::fromJson(run.out.toUtf8()).object()["findings"].toArray();
    using K = std::vector<std::string>;
    EXPECT_EQ(kindsOf(found, 1), (K{"no-template", "ends-left"}));
    EXPECT_EQ(kindsOf(found, 2), K{"no-template"});
    const LangLines lang;
    for (const auto& v : found)
        if (v.toObject()["kind"] == "ends-left")
            EXPECT_EQ(v.toObject()["text"].toString(),
                      lang.say(Message::line(kLineFindEndsLeft, 30)) + ", " +
                          lang.say(Message::line(kLineFindAt, 2, 30)));

    const auto atStart = test::trackpack({"ride", pack, "1"}, dir.path());
    EXPECT_EQ(atStart.status, 1);
    EXPECT_TRUE(atStart.out.startsWith("unfinishable 0.000 s x ")) << atStart.out.toStdString();
    const auto past = test::trackpack({"ride", pack, "2"}, dir.path());
    EXPECT_EQ(past.status, 0);
    EXPECT_TRUE(past.out.startsWith("finished ")) << past.out.toStdString();
}

TEST(PackCheck, HintsAloneExitZeroAndSaySoOnTheLastLineAFaultExitsOne) {
    TrackTable table;
    const Rows rows = gentlePack(table);
    const std::string name = table[5].Name;
    table[5] = trackOf(1, flat(4) + Steps{{1, -127}} + flat(8, 80)); // the rider stops at the wall
    table[5].Name = name;
    QTemporaryDir dir;
    const QString pack = dir.filePath("p.mrg");
    test::putFile(pack, QByteArray::fromStdString(writePack(table, rows)));
    validateAll(pack);
    const LangLines lang;
    const auto hints = test::trackpack({"check", pack}, dir.path());
    EXPECT_EQ(hints.status, 0);
    const QStringList lines = hints.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << hints.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith("5/")) << hints.out.toStdString();
    EXPECT_EQ(lines[1], lang[kLineCheckOnlyHints]);
    const auto json = test::trackpack({"check", pack, "--json"}, dir.path());
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(QJsonDocument::fromJson(json.out.toUtf8()).object()["faults"].toInt(-1), 0);

    table[6].Name = table[7].Name; // one fault beside the hint
    test::putFile(pack, QByteArray::fromStdString(writePack(table, rows)));
    validateAll(pack);
    const auto fault = test::trackpack({"check", pack}, dir.path());
    EXPECT_EQ(fault.status, 1);
    EXPECT_EQ(fault.out.count('\n'), 2) << fault.out.toStdString();
    EXPECT_FALSE(fault.out.contains(lang[kLineCheckOnlyHints]));
}

} // namespace
} // namespace korvo
