// Broken packs are refused with a reason, and the pack already open stays as it was.
#include "pack/mrg_format.h"
#include "pack/pack_file.h"
#include "pack_test_util.h"
#include "settings_files.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace korvo;
using namespace korvo::test;

namespace {

std::string goodPack() {
    const std::vector<TrackBlock> groups[3] = {
        {{"ab", header27(3) + std::string("\x05\x05\x0a\xfa", 4) + '\0'}},
        {{"c", header27(2) + std::string("\x7f\x80", 2) + '\0'}},
        {}};
    return buildPack(groups);
}

std::string withBE32(std::string s, size_t at, uint32_t v) {
    writeBE32(reinterpret_cast<uint8_t*>(s.data()) + at, v);
    return s;
}

struct BrokenCase {
    const char* what;
    std::string bytes;
    const char* reasonPart;
};

std::vector<BrokenCase> brokenPacks() {
    const std::string good = goodPack();
    std::string tooManyPoints = header27(2) + std::string(1001, '\x01');
    const std::vector<TrackBlock> big[3] = {{{"big", tooManyPoints}}, {}, {}};
    std::string shortHeader36 = header27(2) + '\xff'; // 28 bytes: the long header's mark
    const std::vector<TrackBlock> s36[3] = {{{"s", shortHeader36}}, {}, {}};
    return {
        {"empty file", "", "directory"},
        {"shorter than its directory", good.substr(0, 17), "directory"},
        {"count runs past the end", withBE32(good.substr(0, 25), 21, 1), "directory"},
        {"name without terminator", good.substr(0, 10), "terminator"},
        {"offset at the end of the file", withBE32(good, 15, uint32_t(good.size())), "outside"},
        {"two tracks at one offset", withBE32(good, 15, 25), "track 1: block of 0 bytes"},
        {"block of 26 bytes", withBE32(good, 15, uint32_t(good.size() - 26)), "than a 27-byte"},
        {"more than 4095 tracks", withBE32(good, 0, 4096) + std::string(4096 * 5, 'x'), "4095"},
        {"huge count", withBE32(good, 0, 0xffffffffu), "not a level pack"},
        {"points beyond 1000 bytes", buildPack(big), "1000"},
        {"36-byte header cut short", buildPack(s36), "36-byte"},
    };
}

} // namespace

TEST(MalformedPack, RefusedWithReasonAndOpenPackKept) {
    TrackTable table;
    Rows rows;
    ASSERT_EQ(readPack(goodPack(), table, rows), "");
    const Rows before = rows;
    for (const BrokenCase& c : brokenPacks()) {
        const std::string why = text(readPack(c.bytes, table, rows));
        EXPECT_NE(why.find(c.reasonPart), std::string::npos) << c.what << ": " << why;
        EXPECT_EQ(rows, before) << c.what;
        EXPECT_EQ(table.TrackCount, 2) << c.what;
        EXPECT_EQ(table[1].Name, "ab") << c.what;
        int total = 7;
        std::string text = "kept";
        if (std::string(c.reasonPart) == "directory" || std::string(c.reasonPart) == "4095" ||
            std::string(c.reasonPart) == "not a level pack" ||
            std::string(c.reasonPart) == "terminator") {
            EXPECT_FALSE(countTracks(c.bytes, total, text)) << c.what;
            EXPECT_EQ(text, "kept");
        }
    }
}

// The largest block the reader takes: 1,000 bytes after the header (999
// delta bytes and the trailing byte), written back as it came; 1,001 are
// refused above.
TEST(MalformedPack, AThousandByteTrackBlockIsReadAndWrittenBack) {
    const std::vector<TrackBlock> edge[3] = {
        {{"edge", header27(2) + std::string(999, '\x01') + '\x07'}}, {}, {}};
    TrackTable table;
    Rows rows;
    ASSERT_EQ(readPack(buildPack(edge), table, rows), "");
    EXPECT_EQ(table[1].PointsLen, 999);
    EXPECT_EQ(table[1].Points[999], 7) << "the trailing byte";
    EXPECT_EQ(writePack(table, rows), buildPack(edge));
}

TEST(MalformedPack, CorpusFilesNeverCrashTheReader) {
    // Every file of the fuzzing corpus, and every prefix of a good pack.
    TrackTable table;
    Rows rows;
    QDir corpus(CORPUS_DIR);
    int files = 0;
    for (const QString& name : corpus.entryList(QDir::Files)) {
        std::string bytes;
        ASSERT_EQ(readWholeFile(corpus.filePath(name), bytes), "");
        if (readPack(bytes, table, rows).empty()) {
            TrackTable again;
            Rows back;
            const std::string out = writePack(table, rows);
            ASSERT_EQ(readPack(out, again, back), "") << name.toStdString();
            EXPECT_EQ(writePack(again, back), out) << name.toStdString();
        }
        ++files;
    }
    EXPECT_GE(files, 5);
    // A cut inside the last block's points still reads (the last block runs to the end
    // of the file); any cut before its header ends is refused.
    const std::string good = goodPack();
    for (size_t n = 0; n < 57 + 27; ++n) EXPECT_NE(readPack(good.substr(0, n), table, rows), "");
}

TEST(MalformedPack, LoadFileNamesThePath) {
    const QString path = QDir::temp().filePath("korvote_broken.mrg");
    putFile(path, QByteArray("\0\0\0\x09", 4));
    TrackTable table;
    Rows rows;
    const std::string why = text(loadPackFile(path, table, rows));
    EXPECT_NE(why.find("korvote_broken.mrg: "), std::string::npos) << why;
    EXPECT_NE(loadPackFile(path + ".missing", table, rows), "");
    QFile::remove(path);
}
