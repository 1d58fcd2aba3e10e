#include "pack/mrg_format.h"
#include "pack/sample_pack.h"
#include "pack_test_util.h"

#include <gtest/gtest.h>

using namespace korvo;
using namespace korvo::test;

namespace {

std::string block(int nodes, const std::string& deltas, char trailing = '\0') {
    return header27(nodes) + deltas + trailing;
}

std::string workedLayout() {
    const std::vector<TrackBlock> groups[3] = {
        {{"ab", block(3, std::string("\x05\x05\x0a\xfa", 4), 'T')}},
        {{"c", block(2, std::string("\x7f\x80", 2), 'Z')}},
        {}};
    return buildPack(groups);
}

} // namespace

TEST(MrgFormat, WorkedLayoutReadsAndWritesByteForByte) {
    const std::string image = workedLayout();
    ASSERT_EQ(image.size(), 87u);
    const uint8_t expectDir[25] = {0, 0, 0, 1, 0, 0,    0,    0x19, 0x61, 0x62, 0, 0, 0,
                                   0, 1, 0, 0, 0, 0x39, 0x63, 0,    0,    0,    0, 0};
    EXPECT_EQ(image.substr(0, 25), std::string(reinterpret_cast<const char*>(expectDir), 25));

    TrackTable table;
    Rows rows;
    ASSERT_EQ(readPack(image, table, rows), "");
    EXPECT_EQ(rows, (Rows{-1, 1, -1, 2, -1}));
    EXPECT_EQ(table.TrackCount, 2);
    EXPECT_EQ(table.countText(), "[1/1/0]");
    EXPECT_EQ(table[1].Name, "ab");
    EXPECT_EQ(table[1].FileOffset, 25);
    EXPECT_EQ(table[1].DataLen, 32);
    EXPECT_EQ(table[1].PointsLen, 4);
    EXPECT_EQ(table[1].Points[4], 'T'); // trailing byte kept after the deltas
    EXPECT_EQ(table[2].Group, 2);
    EXPECT_EQ(table[2].NumInGroup, 1);
    EXPECT_EQ(table[2].FileOffset, 57);
    EXPECT_EQ(table.caption(2), "2/c");
    EXPECT_EQ(writePack(table, rows), image);

    // The writer follows the rows and renumbers: "c" into Easy before "ab".
    const std::string moved = writePack(table, {-1, 2, 1, -1, -1});
    EXPECT_EQ(table.countText(), "[2/0/0]");
    EXPECT_EQ(table[2].Group, 1);
    EXPECT_EQ(table[2].NumInGroup, 1);
    EXPECT_EQ(table[1].NumInGroup, 2);
    TrackTable again;
    ASSERT_EQ(readPack(moved, again, rows), "");
    EXPECT_EQ(again[1].Name, "c");
    EXPECT_EQ(again[2].Name, "ab");
    EXPECT_EQ(again[2].Points[4], 'T');
}

TEST(MrgFormat, HeaderOf36BytesWhenByte27Is255) {
    std::string b = header27(3);
    b += char(0xff);
    appendBE32(b, 10);
    appendBE32(b, uint32_t(-7));
    b += std::string("\x05\x05", 2);
    b += 'x';
    const std::vector<TrackBlock> groups[3] = {{{"t", b}}, {}, {}};
    const std::string image = buildPack(groups);
    TrackTable table;
    Rows rows;
    ASSERT_EQ(readPack(image, table, rows), "");
    EXPECT_EQ(table[1].HeaderLen, 36);
    EXPECT_EQ(table[1].PointsLen, 2);
    EXPECT_EQ(table[1].Header[27], 0xff);
    EXPECT_EQ(int32_t(readBE32(table[1].Header.data() + 32)), -7);
    EXPECT_EQ(writePack(table, rows), image);
}

TEST(MrgFormat, StartValuesAreOnesComplement) {
    struct Case {
        uint8_t hi, lo;
        int32_t expect;
    } cases[] = {{0xff, 0xff, 0},
                 {0xff, 0xfe, -1},
                 {0x80, 0x00, -32767},
                 {0x7f, 0xff, 32767},
                 {0x00, 0x05, 5}};
    for (const Case& c : cases) {
        const std::vector<TrackBlock> groups[3] = {
            {{"s", header27(1, c.hi, c.lo, c.hi, c.lo) + 'x'}}, {}, {}};
        TrackTable table;
        Rows rows;
        ASSERT_EQ(readPack(buildPack(groups), table, rows), "");
        EXPECT_EQ(table[1].StartX, c.expect) << int(c.hi) << "," << int(c.lo);
        EXPECT_EQ(table[1].StartY, c.expect);
    }
}

TEST(MrgFormat, EmptyNamesAndEmptyGroupsRoundTrip) {
    // An empty Easy group: bytes 4..7 hold the Medium count, not an offset.
    const std::vector<TrackBlock> groups[3] = {
        {}, {{"", block(1, "", 'a')}, {"m2", block(2, "\x01\x01", 'b')}}, {{"h", block(1, "")}}};
    const std::string image = buildPack(groups);
    TrackTable table;
    Rows rows;
    ASSERT_EQ(readPack(image, table, rows), "");
    EXPECT_EQ(table.countText(), "[0/2/1]");
    EXPECT_EQ(rows, (Rows{-1, -1, 1, 2, -1, 3}));
    EXPECT_EQ(table[1].Name, "");
    EXPECT_EQ(table.caption(1), "1/");
    EXPECT_EQ(writePack(table, rows), image);

    int total = -1;
    std::string text;
    ASSERT_TRUE(countTracks(image, total, text));
    EXPECT_EQ(text, "0/2/1");
    EXPECT_EQ(total, 3);
}

TEST(MrgFormat, CountTextOfLargerPack) {
    TrackTable table;
    SampleOptions opt;
    opt.tracks = 30;
    opt.segments = 5;
    makeSamplePack(table, opt);
    // Move tracks so the groups hold 12/10/8 and the Hard group can be emptied later.
    Rows r{-1};
    for (int j = 1; j <= 12; ++j) r.push_back(j);
    r.push_back(-1);
    for (int j = 13; j <= 22; ++j) r.push_back(j);
    r.push_back(-1);
    for (int j = 23; j <= 30; ++j) r.push_back(j);
    int total = 0;
    std::string text;
    ASSERT_TRUE(countTracks(writePack(table, r), total, text));
    EXPECT_EQ(text, "12/10/8");
    EXPECT_EQ(total, 30);

    Rows noHard(r.begin(), r.begin() + 24);
    noHard.push_back(-1);
    ASSERT_TRUE(countTracks(writePack(table, noHard), total, text));
    EXPECT_EQ(text, "12/10/0");
    EXPECT_EQ(total, 22);
}

TEST(MrgFormat, SamplePackIsWithinLimitsAndRoundTrips) {
    TrackTable table;
    SampleOptions opt;
    opt.tracks = 40;
    opt.segments = 499;
    const Rows rows = makeSamplePack(table, opt);
    for (int j = 1; j <= table.TrackCount; ++j) {
        const TTrackInfo& t = table[j];
        ASSERT_EQ(t.PointsLen, 998);
        ASSERT_GE(t.Templ, 1);
        ASSERT_LE(t.Templ, 13);
        for (int i = 0; i < t.PointsLen; i += 2) {
            const int dx = t.Points[size_t(i)];
            const int b = t.Points[size_t(i + 1)];
            const int dy = b > 127 ? 255 - b : -b;
            ASSERT_TRUE(dx >= 1 && dx <= 127) << j << ":" << i;
            ASSERT_TRUE(dy >= -127 && dy <= 127);
        }
    }
    const std::string image = writePack(table, rows);
    TrackTable again;
    Rows back;
    ASSERT_EQ(readPack(image, again, back), "");
    EXPECT_EQ(back, rows);
    EXPECT_EQ(writePack(again, back), image);
}

TEST(MrgFormat, TemplateMatchingUsesHeaderBytes1To5) {
    for (int t = 1; t <= kTemplateCount; ++t)
        EXPECT_EQ(matchTemplate(templateRow(t).Header.data()), t) << t;
    uint8_t h[27] = {0x33, 0, 0, 0, 0x0e};
    EXPECT_EQ(matchTemplate(h), -1);
    EXPECT_STREQ(presetText(1), "1. - (495)");
    EXPECT_STREQ(presetText(13), "13. - (4993)");
    EXPECT_EQ(templateAnchorY(1), -125);
    EXPECT_EQ(templateRow(20).HeaderLen, 36);
    EXPECT_EQ(templateRow(32).HeaderLen, 36);
}

TEST(TrackTable, CountSetByHandNeitherLosesNorDoublesRecords) {
    // Callers may lower TrackCount to drop the newest records, or raise it to
    // mark the table full; creating and clearing afterwards stay sound.
    TrackTable table;
    table.createTrack("a");
    table.createTrack("b");
    table.TrackCount = 1;
    ASSERT_EQ(table.createTrack("c"), 2);
    EXPECT_EQ(table[2].Name, "c");
    EXPECT_EQ(table[2].PointsLen, 0);
    table.TrackCount = kMaxTracks;
    EXPECT_EQ(table.createTrack("d"), 0);
    table.ClearArrays();
    EXPECT_EQ(table.createTrack("e"), 1);
    EXPECT_EQ(table[1].Name, "e");
}
