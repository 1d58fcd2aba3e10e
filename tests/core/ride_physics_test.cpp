// The bike as a person rides it, through key files and trackpack as a level
// author tries it: the throttle from a standstill, a lean tap in the air, the
// habits on climbs, jumps and drops, what stays hard; the test rider's limits
// and the solver's keys, which replay to the same millisecond.

#include "cli_run.h"
#include "pack/sample_pack.h"
#include "pack_test_util.h"
#include "ride/ride_solver.h"
#include "ride_test_util.h"
#include "settings_files.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <set>

namespace korvo {
namespace {

using test::flat;
using test::Steps;
using test::operator+;

Steps repeat(int n, const Steps& s) {
    Steps out;
    for (int i = 0; i < n; ++i) out = out + s;
    return out;
}

Steps rolling15() { // up and down, never steeper than 15 degrees (16 in 60)
    Steps s = flat(3);
    for (int i = 0; i < 40; ++i) s.push_back({60, int(std::lround(16 * std::sin(i * 0.5)))});
    return s;
}

// The courses, tracks 1.. of the pack ridePack() writes.
const Steps kCourses[] = {
    flat(60),
    rolling15(),
    flat(4) + repeat(10, {{60, -45}}) + flat(8),                  // 3: climb, 37 degrees
    flat(10) + repeat(5, {{1, 127}}) + flat(14),                  // 4: a drop of 32 m
    flat(4) + Steps{{1, -127}} + flat(8, 80),                     // 5: a wall
    flat(3) + repeat(8, {{60, -35}, {15, 35}}) + flat(6),         // 6: sawtooth, 30 up and 67 down
    flat(8) + repeat(2, {{40, -25}}) + Steps{{1, 50}} + flat(16), // 7: a kicker, 32 degrees
};

QString ridePack(const QTemporaryDir& dir) {
    TrackTable table;
    const Rows rows = makeSamplePack(table, {int(std::size(kCourses)), 40, 1});
    size_t k = 0;
    for (int j : rows) {
        if (j == kHeaderRow) continue;
        const std::string name = table[j].Name;
        table[j] = test::trackOf(kCourses[k++]);
        table[j].Name = name;
    }
    const QString pack = dir.filePath("courses.mrg");
    test::putFile(pack, QByteArray::fromStdString(writePack(table, rows)));
    return pack;
}

// "finished 12.250 s x 3604.3" of `trackpack ride PACK n --keys` with `keys`.
QString rideWithKeys(const QTemporaryDir& dir, const QString& pack, int n, const QString& keys) {
    const QString file = dir.filePath("keys.txt");
    test::putFile(file, keys.toUtf8());
    return test::trackpack({"ride", pack, QString::number(n), "--keys", file}, dir.path()).out;
}

TEST(RidePhysics, KeyFilesOfAPersonsHabitsFinishAndWhatIsHardStaysHard) {
    QTemporaryDir dir;
    const QString pack = ridePack(dir);
    struct Case {
        const char* what;
        int track;
        const char* keys;
        const char* ends;
    } cases[] = {
        {"Up from a standstill, 50 ms in", 1, "50 up down", "finished"},
        {"Up from a standstill, 1500 ms in", 1, "1500 up down", "finished"},
        {"throttle alone on rolling ground", 2, "0 up down", "finished"},
        {"throttle alone loops over on a 37-degree climb", 3, "0 up down", "crashed"},
        {"leaning forward up the climb", 3, "0 up down\n250 right down\n2250 right up", "finished"},
        {"throttle alone off the kicker lands on the rear and loops over", 7, "0 up down",
         "crashed"},
        {"leaning forward in the air off the kicker (2.9 s to 4.2 s)", 7,
         "0 up down\n3400 right down\n3600 right up", "finished"},
        {"braking before the drop", 4,
         "0 up down\n1000 up up\n1000 down down\n1500 down up\n1500 up down", "finished"},
        {"the wall", 5, "0 up down", "stopped"},
        {"throttle alone on the sawtooth", 6, "0 up down", "crashed"},
    };
    for (const Case& c : cases) {
        const QString line = rideWithKeys(dir, pack, c.track, c.keys);
        EXPECT_TRUE(line.startsWith(QString(c.ends) + " ")) << c.what << ": " << line.toStdString();
        if (c.track == 5) EXPECT_LT(line.section(' ', 4).toDouble(), 241) << "past the wall";
    }
}

TEST(RidePhysics, ALeanTapTurnsTheBikeInTheAirAPersonsWayAndHoldingItAtMostATurnASecond) {
    // Off the edge of the drop of course 4 (x 600): the tilt a second after a lean.
    const RideTrack drop = rideTrackOf(test::trackOf(kCourses[3]));
    const auto fly = [&](int leanSteps, double* fastest) {
        RideWorld w(drop, RideParams{});
        int from = -1;
        while (w.end() == RideEnd::Running) {
            if (from < 0 && w.x() > 625) from = w.steps();
            RideInput in;
            in.up = from < 0;
            in.left = from >= 0 && w.steps() - from < leanSteps;
            w.step(in);
            if (fastest) *fastest = std::max(*fastest, std::abs(w.tiltRate()));
            if (from >= 0 && w.steps() - from == RideWorld::kStepsPerSecond) return w.tilt();
        }
        return 1e9;
    };
    const double still = fly(0, nullptr);
    const double tap = (fly(6, nullptr) - still) * 180 / M_PI; // 100 ms
    EXPECT_GE(tap, 10);
    EXPECT_LE(tap, 45);
    double fastest = 0;
    const double held = (fly(60, &fastest) - still) * 180 / M_PI;
    EXPECT_GT(held, 150) << "a held lean turns the bike over in the air";
    EXPECT_LE(fastest * 180 / M_PI, 360);
}

TEST(TestRider, ActsOnWhatItSaw150msAgoAndHoldsEachKeyState100ms) {
    const RideTrack saw = rideTrackOf(test::trackOf(kCourses[5]));
    std::vector<RiderSight> seen;
    std::vector<int> changes;
    TestRider rider;
    RideInput held;
    rideTrack(saw, RideParams{}, [&](const RideWorld& w) {
        seen.push_back(sightOf(w));
        const RideInput in = rider.next(w);
        if (in != held) {
            changes.push_back(w.steps());
            const size_t then = size_t(std::max(0, w.steps() - kReactionSteps));
            EXPECT_EQ(in, testRiderWants(saw, seen[then])) << "step " << w.steps();
        }
        held = in;
        return in;
    });
    ASSERT_GT(changes.size(), 20u);
    for (size_t i = 1; i < changes.size(); ++i)
        EXPECT_GE(changes[i] - changes[i - 1], 6) << "at step " << changes[i];
}

TEST(Solver, FindsKeysThatFinishWhereTheRiderFailsAndTheyReplayToTheMillisecond) {
    QTemporaryDir dir;
    const QString pack = ridePack(dir), keys = dir.filePath("par.txt");
    EXPECT_EQ(test::trackpack({"ride", pack, "6"}, dir.path()).status, 1);
    const auto solved =
        test::trackpack({"ride", pack, "6", "--solve", "--keys-out", keys}, dir.path());
    EXPECT_EQ(solved.status, 0);
    EXPECT_TRUE(solved.out.startsWith("finished ")) << solved.out.toStdString();
    const auto again = test::trackpack({"ride", pack, "6", "--keys", keys}, dir.path());
    EXPECT_EQ(again.out, solved.out);
    // A person's keys: each state held at least 100 ms.
    const auto events = parseKeyFile(QString::fromUtf8(test::fileBytes(keys)));
    ASSERT_TRUE(events && events->size() > 2);
    for (size_t i = 1; i < events->size(); ++i)
        if ((*events)[i].ms != (*events)[i - 1].ms)
            EXPECT_GE((*events)[i].ms - (*events)[i - 1].ms, 100) << "line " << i + 1;

    // No key gets over the wall: it says how far it got.
    const auto wall =
        test::trackpack({"ride", pack, "5", "--solve", "--budget", "1", "--json"}, dir.path());
    EXPECT_EQ(wall.status, 1);
    const QJsonObject o = QJsonDocument::fromJson(wall.out.toUtf8()).object();
    EXPECT_NE(o["end"].toString(), "finished");
    EXPECT_GT(o["x"].toDouble(), 200);
    EXPECT_LT(o["x"].toDouble(), 241);
}

// The tracks of `kind` in the findings of `trackpack check --json`.
std::set<int> tracksWith(const test::CliRun& run, const char* kind) {
    std::set<int> out;
    for (const auto& v : QJsonDocument::fromJson(run.out.toUtf8()).object()["findings"].toArray())
        if (v.toObject()["kind"] == kind) out.insert(v.toObject()["track"].toInt());
    return out;
}

TEST(CheckSolve, TheSolverValidatesWhatTheRiderCannotAndCtrlCStopsItCleanly) {
    QTemporaryDir dir;
    const QString pack = ridePack(dir);
    const auto plain = test::trackpack({"check", pack, "--json"}, dir.path());
    EXPECT_EQ(tracksWith(plain, "rider"), (std::set<int>{5, 6}));
    const auto solved =
        test::trackpack({"check", pack, "--solve", "--budget", "3", "--json"}, dir.path());
    EXPECT_EQ(solved.status, 1) << "fewer than 30 tracks";
    EXPECT_EQ(tracksWith(solved, "rider"), std::set<int>{5}) << "no key gets over the wall";
    EXPECT_EQ(tracksWith(solved, "not-validated"), std::set<int>{5});
    const LangLines lang;
    EXPECT_TRUE(solved.err.endsWith(lang.say(Message::line(kLineCliCheckProgress, 7, 7)) + "\n"))
        << solved.err.toStdString();
    // The finishes are kept beside the pack: the plain check finds them validated.
    const auto after = test::trackpack({"check", pack, "--json"}, dir.path());
    EXPECT_EQ(tracksWith(after, "not-validated"), std::set<int>{5});

    TrackTable table;
    const Rows rows = makeSamplePack(table, {30, 60, 1});
    const QString big = dir.filePath("big.mrg");
    test::putFile(big, QByteArray::fromStdString(writePack(table, rows)));
    QProcess run;
    run.setProcessEnvironment(test::localeEnvironment({"LANG=ru_RU.UTF-8"}));
    run.setWorkingDirectory(dir.path());
    run.start(TRACKPACK_EXE, {"check", big, "--solve"});
    run.setReadChannel(QProcess::StandardError);
    ASSERT_TRUE(run.waitForReadyRead(10000)) << "progress once a second";
    ::kill(pid_t(run.processId()), SIGINT);
    ASSERT_TRUE(run.waitForFinished(30000)) << "stops within the rides in hand";
    EXPECT_EQ(run.exitCode(), 130);
    const QString err = QString::fromUtf8(run.readAllStandardError());
    const QString stopped = "trackpack: " + lang.say(Message::line(kLineCliCheckStopped, 0, 30));
    EXPECT_TRUE(err.contains(stopped.section(' ', 0, 1))) << err.toStdString();
    EXPECT_TRUE(err.endsWith(" 30\n")) << err.toStdString();
}

} // namespace
} // namespace korvo
