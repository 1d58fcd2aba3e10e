// Bringing tracks in: ".lev" files and a second pack into the import table,
// the copy to the ends of the groups with its undo, and ".lev" export.
#include "editor/editor_state.h"
#include "list/pack_document.h"
#include "list/track_copy.h"
#include "pack/pack_file.h"
#include "pack/sample_pack.h"
#include "pack/track_import.h"
#include "pack_test_util.h"
#include "settings_files.h"
#include "text/cp1251.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvo;
using korvo::test::putFile;

namespace {

QByteArray steps(int n, uint8_t dx, uint8_t dy) {
    QByteArray b;
    for (int i = 0; i < n; ++i) b.append(char(dx)).append(char(dy));
    return b;
}

// The pack image of table and rows as Save writes it.
std::string image(TrackTable& t, const LevelRows& rows) {
    return writePack(t, rows.rows());
}

// "E: 1/A 3/e1 | M: 2/B | H:" from the row captions.
std::string layout(const LevelRows& rows) {
    std::string out;
    const char* heads[] = {"", "E:", " | M:", " | H:"};
    int g = 0;
    for (int r = 0; r < rows.size(); ++r)
        out += rows.isHeader(r) ? heads[++g] : " " + rows.caption(r);
    return out;
}

struct OpenPack {
    TrackTable tracks;
    LevelRows rows;
    // Groups of names; tracks numbered 1.. in group order.
    explicit OpenPack(const std::vector<std::vector<std::string>>& groups) {
        Rows data;
        for (const auto& g : groups) {
            data.push_back(kHeaderRow);
            for (const auto& name : g) {
                const int j = tracks.createTrack(name);
                makeSampleTrack(tracks[j], 5, uint32_t(j));
                data.push_back(j);
            }
        }
        rows.reset(data, tracks);
        renumberFromRows(tracks, rows.rows());
    }
};

} // namespace

TEST(LevImport, FortyByteHillIsAnEasyTrackOfTwentyOneNodes) {
    QTemporaryDir dir;
    const QByteArray pairs = steps(20, 50, 3);
    putFile(dir.filePath("hill.lev"), pairs);
    TrackTable imported;
    Rows rows;
    ASSERT_TRUE(loadLevFiles({dir.filePath("hill.lev")}, imported, rows).empty());
    ASSERT_EQ(rows, Rows{1});
    const TTrackInfo& t = imported[1];
    EXPECT_EQ(t.Name, "hill");
    EXPECT_EQ(t.Group, 1);
    EXPECT_EQ(t.Templ, 1);
    EXPECT_EQ(t.Lines, 20);
    EXPECT_EQ(readBE16(t.Header.data() + 17), 21);
    EXPECT_EQ(t.PointsLen, 40);
    EXPECT_EQ(t.DataLen, 67);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(t.Points.data()), 41), pairs + '\0');
    EXPECT_EQ(imported.GroupCount[1], 1);

    // Copied into a pack and saved, it reads back as the last Easy track.
    OpenPack pack({{"A"}, {"B"}, {}});
    copyTracks(pack.tracks, pack.rows, imported, rows, {0});
    TrackTable reread;
    Rows rereadRows;
    ASSERT_EQ(readPack(image(pack.tracks, pack.rows), reread, rereadRows), "");
    EXPECT_EQ(rereadRows, (Rows{-1, 1, 2, -1, 3, -1}));
    EXPECT_EQ(reread[2].Name, "hill");
    EXPECT_EQ(reread[2].PointsLen, 40);
    EditorState st;
    st.decode(reread[2]);
    EXPECT_EQ(st.NodeCount, 21);
    EXPECT_EQ(st.node(21), QPoint(1000, -60));
}

TEST(LevImport, OddSizeLeavesTheLastYByteToTheTrailingZero) {
    TTrackInfo t;
    const std::string bytes = std::string(steps(2, 10, 4).constData(), 4) + char(7);
    ASSERT_EQ(fillLevTrack(bytes, "odd", t), "");
    EXPECT_EQ(t.PointsLen, 5);
    EXPECT_EQ(readBE16(t.Header.data() + 17), 3); // 5 div 2 + 1
    EXPECT_EQ(t.Points[5], 0);
    EditorState st;
    st.decode(t);
    ASSERT_EQ(st.NodeCount, 4);
    EXPECT_EQ(st.node(4), QPoint(27, -8)); // x + 7, y step 0 from the trailing zero
}

TEST(LevImport, AFirstStepOf255StaysAStepWhenThePackIsReadAgain) {
    TrackTable imported;
    const int d = imported.createTrack("flat");
    ASSERT_EQ(fillLevTrack(std::string("\xff\x00\x0a\x00", 4), "flat", imported[d]), "");
    OpenPack pack({{}, {}, {}});
    copyTracks(pack.tracks, pack.rows, imported, {d}, {0});
    TrackTable reread;
    Rows rows;
    ASSERT_EQ(readPack(image(pack.tracks, pack.rows), reread, rows), "");
    EXPECT_EQ(reread[1].HeaderLen, 27);
    EXPECT_EQ(reread[1].PointsLen, 4);
    EditorState st;
    st.decode(reread[1]);
    EXPECT_EQ(st.NodeCount, 3);
    EXPECT_EQ(st.node(3), QPoint(10, 0));
}

TEST(LevImport, SeveralFilesListInOrderAndRefusedOnesAreNamed) {
    QTemporaryDir dir;
    putFile(dir.filePath("a.lev"), steps(3, 20, 0));
    putFile(dir.filePath("big.lev"), QByteArray(999, '\x01'));
    putFile(dir.filePath("b.lev"), QByteArray(998, '\x01')); // 499 segments: the most
    putFile(dir.filePath("c.d.lev"), steps(1, 20, 0));
    QDir(dir.path()).mkdir("folder.lev");
    const QStringList paths{dir.filePath("a.lev"),   dir.filePath("big.lev"),
                            dir.filePath("b.lev"),   dir.filePath("missing.lev"),
                            dir.filePath("c.d.lev"), dir.filePath("folder.lev")};
    TrackTable imported;
    imported.createTrack("from before"); // a previous import is cleared
    Rows rows;
    const std::vector<Message> refused = loadLevFiles(paths, imported, rows);
    EXPECT_EQ(rows, (Rows{1, 2, 3}));
    EXPECT_EQ(imported.TrackCount, 3);
    EXPECT_EQ(imported[1].Name, "a");
    EXPECT_EQ(imported[2].Name, "b");
    EXPECT_EQ(imported[2].PointsLen, 998);
    EXPECT_EQ(imported[3].Name, "c.d");
    ASSERT_EQ(refused.size(), 3u);
    EXPECT_EQ(refused[0], dir.filePath("big.lev").toStdString() +
                              ": the file holds 999 bytes, more than the 998 (499 segments) a "
                              "track can hold");
    EXPECT_EQ(text(refused[1]).rfind(dir.filePath("missing.lev").toStdString() + ": ", 0), 0u);
    EXPECT_EQ(text(refused[2]).rfind(dir.filePath("folder.lev").toStdString() + ": ", 0), 0u);
}

TEST(LevImport, CharactersOutsideWindows1251AndControlsBecomeUnderscores) {
    EXPECT_EQ(levTrackName(QString::fromUtf8("/x/Трек ☃😀!.lev")),
              toCp1251(QString::fromUtf8("Трек __!")));
    EXPECT_EQ(levTrackName(QString::fromUtf8("/x/a\nb\tc\x01\x7f.lev")), "a_b_c__");
}

TEST(PackImport, EmptyMediumListsTheHardHeaderNextAndMalformedPacksAreRefused) {
    using test::buildPack;
    using test::header27;
    QTemporaryDir dir;
    const std::string one = header27(2) + std::string("\x05\x00\x00", 3);
    const std::string source = buildPack({{{"e", one}}, {}, {{"h1", one}, {"h2", one}}});
    putFile(dir.filePath("src.mrg"), QByteArray::fromStdString(source));
    TrackTable imported;
    Rows rows;
    ASSERT_EQ(loadImportPack(dir.filePath("src.mrg"), imported, rows), "");
    EXPECT_EQ(rows, (Rows{-1, 1, -1, -1, 2, 3}));
    EXPECT_EQ(imported.GroupCount, (std::array<int, 4>{0, 1, 0, 2}));

    // Cut inside a block header: refused with the reader's reason, nothing replaced.
    putFile(dir.filePath("bad.mrg"), QByteArray::fromStdString(source.substr(0, 40)));
    const std::string why = text(loadImportPack(dir.filePath("bad.mrg"), imported, rows));
    EXPECT_EQ(why.rfind(dir.filePath("bad.mrg").toStdString() + ": track ", 0), 0u) << why;
    EXPECT_EQ(imported.TrackCount, 3);
    EXPECT_EQ(rows.size(), 6u);
}

TEST(TrackCopy, TickedTracksEndTheirGroupsInDialogOrderAndUndoRestoresThePack) {
    PackDocument doc;
    const int a = doc.Tracks.createTrack("A");
    const int b = doc.Tracks.createTrack("B");
    makeSampleTrack(doc.Tracks[a], 5, 1);
    makeSampleTrack(doc.Tracks[b], 5, 2);
    doc.Rows.reset({-1, a, -1, b, -1}, doc.Tracks);
    doc.renumber();
    OpenPack source({{"e1", "e2"}, {"m1", "m2"}, {"h1"}});
    const Rows sourceRows = source.rows.rows(); // -1 1 2 -1 3 4 -1 5
    const std::string before = image(doc.Tracks, doc.Rows);

    // m1, m2 and e1 ticked, with the Medium header (skipped) among them: one step.
    TrackCopy copy;
    ASSERT_TRUE(doc.edit("import", [&] {
        copy = copyTracks(doc.Tracks, doc.Rows, source.tracks, sourceRows, {1, 3, 4, 5});
    }));
    EXPECT_EQ(layout(doc.Rows), "E: 1/A 3/e1 | M: 2/B 4/m1 5/m2 | H:");
    EXPECT_EQ(doc.Tracks.countText(), "[2/3/0]");
    EXPECT_EQ(copy.records, (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(copy.rows, (std::vector<int>{2, 5, 6}));
    EXPECT_EQ(copy.leftOut, 0);
    EXPECT_EQ(doc.Tracks[4].NumInGroup, 2);
    EXPECT_EQ(doc.Tracks[4].Points, source.tracks[3].Points);
    const std::string after = image(doc.Tracks, doc.Rows);

    doc.history().undo();
    EXPECT_EQ(image(doc.Tracks, doc.Rows), before);
    EXPECT_EQ(doc.Tracks.countText(), "[1/1/0]");
    EXPECT_EQ(doc.Tracks.TrackCount, 5); // the records stay in use
    doc.history().redo();
    EXPECT_EQ(image(doc.Tracks, doc.Rows), after);

    // The same source track copied again gets a number of its own.
    copyTracks(doc.Tracks, doc.Rows, source.tracks, sourceRows, {1});
    EXPECT_EQ(layout(doc.Rows), "E: 1/A 3/e1 6/e1 | M: 2/B 4/m1 5/m2 | H:");
}

TEST(TrackCopy, StopsAtTheLastRecordAndCountsTheRest) {
    OpenPack pack({{"A"}, {}, {}});
    while (pack.tracks.TrackCount < kMaxTracks - 2) pack.tracks.createTrack("unused");
    OpenPack source({{"e1", "e2"}, {"m1"}, {"h1"}});
    const TrackCopy copy =
        copyTracks(pack.tracks, pack.rows, source.tracks, source.rows.rows(), {1, 2, 4, 6});
    EXPECT_EQ(copy.records, (std::vector<int>{kMaxTracks - 1, kMaxTracks}));
    EXPECT_EQ(copy.leftOut, 2);
    EXPECT_EQ(pack.tracks.TrackCount, kMaxTracks);
    EXPECT_EQ(layout(pack.rows), "E: 1/A 4094/e1 4095/e2 | M: | H:");
}

TEST(LevExport, WritesTheDeltaPairsThatImportReadsBack) {
    QTemporaryDir dir;
    TrackTable tracks;
    const int j = tracks.createTrack("t");
    makeSampleTrack(tracks[j], 37, 9);
    tracks[j].Points[size_t(tracks[j].PointsLen)] = 0x5a; // the trailing byte is not exported
    const QString path = dir.filePath("t.lev");
    ASSERT_EQ(exportLevFile(tracks[j], path), "");
    EXPECT_EQ(QFileInfo(path).size(), 74);
    TrackTable back;
    Rows rows;
    ASSERT_TRUE(loadLevFiles({path}, back, rows).empty());
    EXPECT_EQ(levBytes(back[1]), levBytes(tracks[j]));
    EXPECT_EQ(readBE16(back[1].Header.data() + 17), 38);

    const std::string refused =
        text(exportLevFile(tracks[j], dir.filePath("no/such/folder/t.lev")));
    EXPECT_EQ(refused.rfind(dir.filePath("no/such/folder/t.lev").toStdString() + ": ", 0), 0u);
}
