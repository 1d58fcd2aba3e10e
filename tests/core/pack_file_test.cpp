// Saving packs on disk: the ".old" rule, a failed write and GetNumTracks. A
// folder, a device or a pipe in the pack's place: write_faults_test.
#include "pack/pack_file.h"
#include "pack/sample_pack.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvo;

namespace {

std::string bytesOnDisk(const QString& path) {
    std::string bytes;
    EXPECT_EQ(readWholeFile(path, bytes), "") << path.toStdString();
    return bytes;
}

struct Packs {
    TrackTable table;
    Rows rows;
    explicit Packs(int tracks) {
        SampleOptions opt;
        opt.tracks = tracks;
        opt.segments = 10;
        rows = makeSamplePack(table, opt);
    }
};

} // namespace

TEST(PackFile, OldCopyIsMadeOnceAndKeptAfterwards) {
    QTemporaryDir dir;
    const QString path = dir.filePath("levels.mrg");
    Packs one(3), two(5), three(7);
    ASSERT_EQ(savePackFile(path, one.table, one.rows), "");
    EXPECT_FALSE(QFile::exists(path + ".old"));
    const std::string first = bytesOnDisk(path);

    ASSERT_EQ(savePackFile(path, two.table, two.rows), "");
    EXPECT_EQ(bytesOnDisk(path + ".old"), first);
    const std::string second = bytesOnDisk(path);

    // An existing ".old" stays as it is; the pack itself is replaced.
    ASSERT_EQ(savePackFile(path, three.table, three.rows), "");
    EXPECT_EQ(bytesOnDisk(path + ".old"), first);
    EXPECT_NE(bytesOnDisk(path), second);
    int total = 0;
    std::string text;
    GetNumTracks(path, total, text);
    EXPECT_EQ(text, "3/2/2");
    EXPECT_EQ(total, 7);
}

TEST(PackFile, AFailedWriteNamesThePath) {
    QTemporaryDir dir;
    Packs pack(4);
    // A folder that does not exist.
    const std::string why =
        text(savePackFile(dir.filePath("nowhere/levels.mrg"), pack.table, pack.rows));
    EXPECT_NE(why.find("nowhere"), std::string::npos) << why;
}

TEST(PackFile, GetNumTracksLeavesOutputsOnBadInput) {
    int total = 9;
    std::string text = "keep";
    GetNumTracks("", total, text);
    GetNumTracks("/nonexistent/levels.mrg", total, text);
    EXPECT_EQ(total, 9);
    EXPECT_EQ(text, "keep");
}
