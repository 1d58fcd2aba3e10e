// The best rides beside the pack: a finish is kept per track bytes, the
// check names the tracks nobody finished, and a damaged file or a full disk
// never costs the records that were there.

#include "../common/file_size_limit.h"
#include "cli_run.h"
#include "pack/mrg_format.h"
#include "pack/sample_pack.h"
#include "ride/ride_records.h"
#include "settings_files.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"
#include "text/system_errors.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <set>
#include <thread>

namespace korvo {
namespace {

const std::vector<KeyEvent> kKeys = {{0, RideKey::Up, true}, {1500, RideKey::Right, true}};

// The tracks `trackpack check --json` calls not validated, and its output.
std::set<int> notValidated(const QString& pack, QJsonObject* out = nullptr, int* status = nullptr) {
    const auto run = test::trackpack({"check", pack, "--json"}, QFileInfo(pack).path());
    const QJsonObject o = QJsonDocument::fromJson(run.out.toUtf8()).object();
    if (out) *out = o;
    if (status) *status = run.status;
    std::set<int> tracks;
    for (const auto& v : o["findings"].toArray())
        if (v.toObject()["kind"] == "not-validated") tracks.insert(v.toObject()["track"].toInt());
    return tracks;
}

TEST(RideRecords, AFinishValidatesItsTrackBytesWhereverTheTrackMovesAndNotOnceEdited) {
    TrackTable table;
    const Rows rows = makeSamplePack(table, {30, 20, 7});
    QTemporaryDir dir;
    const QString pack = dir.filePath("levels.mrg");
    test::putFile(pack, QByteArray::fromStdString(writePack(table, rows)));
    const QString rides = ridesPathOf(pack);
    EXPECT_EQ(rides, dir.filePath("levels.mrg.rides"));

    // The best time stays: a slower or equal finish is not kept, a faster one is.
    for (int ms : {5000, 6000, 5000, 4983})
        ASSERT_EQ(recordFinish(pack, table[1], ms, ms == 4983 ? kKeys : std::vector<KeyEvent>{},
                               ms == 4983 ? "solver" : "window"),
                  Message());
    RideRecords read;
    ASSERT_EQ(read.load(rides), Message());
    ASSERT_NE(read.bestFor(trackKey(table[1])), nullptr);
    EXPECT_EQ(*read.bestFor(trackKey(table[1])), (BestRide{4983, "solver", kKeys}));
    EXPECT_EQ(read.size(), 1);

    for (int j = 2; j <= 30; ++j)
        if (j != 2) ASSERT_EQ(recordFinish(pack, table[j], 9000 + j, kKeys, "window"), Message());
    QJsonObject out;
    int status = -1;
    EXPECT_EQ(notValidated(pack, &out, &status), std::set<int>{2});
    EXPECT_EQ(status, 0) << "not validated is a hint";
    EXPECT_EQ(out["faults"].toInt(-1), 0);
    for (const auto& v : out["findings"].toArray())
        if (v.toObject()["kind"] == "not-validated") {
            EXPECT_TRUE(v.toObject()["hint"].toBool());
            EXPECT_EQ(v.toObject()["text"].toString(), LangLines()[kLineFindNotValidated]);
        }

    // Tracks 4 and 5 trade places and 6 is renamed: still validated. One
    // point of track 3 moves: no longer.
    std::swap(table[4], table[5]);
    table[6].Name = "Renamed";
    table[3].Points[1] ^= 1;
    test::putFile(pack, QByteArray::fromStdString(writePack(table, rows)));
    EXPECT_EQ(notValidated(pack), (std::set<int>{2, 3}));

    // Without the file nothing is validated.
    QFile::remove(rides);
    EXPECT_EQ(notValidated(pack).size(), 30u);
}

TEST(RideRecords, ADamagedOrOtherVersionFileIsRefusedWithItsLineAndNeverOverwritten) {
    TrackTable table;
    const Rows rows = makeSamplePack(table, {30, 20, 3});
    QTemporaryDir dir;
    const QString pack = dir.filePath("p.mrg");
    test::putFile(pack, QByteArray::fromStdString(writePack(table, rows)));
    const QString rides = ridesPathOf(pack);
    const QByteArray key = trackKey(table[1]).toHex();
    const auto line = [&rides](auto... args) { return pathMessage(rides, Message::line(args...)); };
    const struct {
        QByteArray bytes;
        Message why;
    } cases[] = {
        {"", line(kLineRidesNotOurs)},
        {QByteArray("\x89PNG\r\n\x1a\n\0\0", 10), line(kLineRidesNotOurs)},
        {"korvote-rides 2\n", line(kLineRidesVersion, "2", 1)},
        {"korvote-rides one\n", line(kLineRidesVersion, "one", 1)},
        {"korvote-rides 1\ntrack " + key + " 100\nend\n", line(kLineRidesDamaged, 2)},
        {"korvote-rides 1\ntrack " + key.left(38) + " 100 w\nend\n", line(kLineRidesDamaged, 2)},
        {"korvote-rides 1\ntrack " + key + " -1 w\nend\n", line(kLineRidesDamaged, 2)},
        {"korvote-rides 1\n\ntrack " + key + " 100 w\n0 up down\n", line(kLineRidesDamaged, 3)},
        {"korvote-rides 1\ntrack " + key + " 100 w\n0 up down\n5 jump up\nend\n",
         line(kLineRidesDamaged, 4)},
    };
    const LangLines lang;
    for (const auto& c : cases) {
        test::putFile(rides, c.bytes);
        RideRecords records;
        ASSERT_EQ(records.parse("korvote-rides 1\ntrack " + key + " 7 w\nend\n", rides), Message());
        EXPECT_EQ(records.load(rides), c.why) << c.bytes.toStdString();
        EXPECT_EQ(records.size(), 1) << "the records stay as they were";
        EXPECT_EQ(recordFinish(pack, table[1], 5000, kKeys, "window"), c.why);
        EXPECT_EQ(test::fileBytes(rides), c.bytes);
        // The check says why, and takes every track as not validated.
        QJsonObject out;
        int status = -1;
        EXPECT_EQ(notValidated(pack, &out, &status).size(), 30u);
        EXPECT_EQ(status, 0);
        const QJsonObject first = out["findings"].toArray()[0].toObject();
        EXPECT_EQ(first["kind"].toString(), "rides-unreadable");
        EXPECT_EQ(first["text"].toString(), lang.say(c.why));
    }
}

TEST(RideRecords, AFullDiskKeepsThePreviousRecordsByteForByte) {
    TrackTable table;
    makeSamplePack(table, {30, 20, 3});
    QTemporaryDir dir;
    const QString pack = dir.filePath("p.mrg");
    ASSERT_EQ(recordFinish(pack, table[1], 5000, kKeys, "window"), Message());
    const QByteArray before = test::fileBytes(ridesPathOf(pack));
    Message why;
    {
        test::FileSizeLimit full(16);
        why = recordFinish(pack, table[2], 5000, kKeys, "window");
    }
    EXPECT_EQ(why, pathMessage(ridesPathOf(pack), Message::systemError(EFBIG)));
    EXPECT_EQ(test::fileBytes(ridesPathOf(pack)), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"p.mrg.rides"});
}

// Two writers keeping finishes in one file at once (the window and a check
// --solve, here two threads) lose none: each read, merge and write is held
// against the other.
TEST(RideRecords, TwoWritersAtOnceLoseNoFinish) {
    TrackTable table;
    const Rows rows = makeSamplePack(table, {60, 8, 3});
    QTemporaryDir dir;
    const QString pack = dir.filePath("levels.mrg");
    std::atomic<int> failed{0};
    auto keep = [&](int first) {
        for (int j = first; j <= table.TrackCount; j += 2)
            if (!recordFinish(pack, table[j], 1000 + j, kKeys, "window").empty()) ++failed;
    };
    std::thread a(keep, 1), b(keep, 2);
    a.join();
    b.join();
    EXPECT_EQ(failed, 0);
    RideRecords read;
    ASSERT_EQ(read.load(ridesPathOf(pack)), Message());
    EXPECT_EQ(read.size(), table.TrackCount);
}

} // namespace
} // namespace korvo
