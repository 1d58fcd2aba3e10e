// Opening a track into the editor and storing it back: the bytes a record
// holds afterwards, new tracks, presets, player height, field size.
#include "editor/node_editor.h"
#include "editor/open_track.h"
#include "editor_test_util.h"
#include "pack/mrg_format.h"
#include "pack/sample_pack.h"
#include "text/lang_lines.h"

#include <gtest/gtest.h>

using namespace korvo;
using korvo::test::levelNodes;
using korvo::test::setTrack;

namespace {

struct Session : ::testing::Test {
    TrackTable tracks;
    OpenTrack track{tracks};
    EditorState& state = track.state();
    TrackSession& session = track.session();
    NodeEditor& editor = track.nodes();

    int addTrack(const std::vector<QPoint>& nodes, int t, const char* name = "t") {
        const int j = tracks.createTrack(name);
        setTrack(tracks[j], nodes, t);
        return j;
    }
    void click(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
        editor.mousePress(b, {}, {x, y});
        editor.mouseRelease(b, {}, {x, y});
    }
};

TEST_F(Session, OpenAndSaveUnchangedKeepsThePackBytes) {
    Rows rows = makeSamplePack(tracks, {5, 120, 3});
    const std::string before = writePack(tracks, rows);
    Rows readRows;
    ASSERT_EQ(readPack(before, tracks, readRows), "");
    for (int j = 1; j <= tracks.TrackCount; ++j) {
        ASSERT_TRUE(track.open(j, 554).ok());
        const SaveOutcome out = track.store(session.TrackName);
        ASSERT_TRUE(out.ok());
        EXPECT_FALSE(out.wasNew);
    }
    EXPECT_EQ(writePack(tracks, readRows), before);
}

TEST_F(Session, OpeningSetsLinesAnchorMarksAndCanvas) {
    std::vector<QPoint> nodes = levelNodes(1200, 100, -30);
    const int j = addTrack(nodes, 3);
    tracks[j].AnchorY = 12345; // stale: taken from the header on opening
    ASSERT_TRUE(track.open(j, 554).ok());
    const TTrackInfo& r = session.record();
    EXPECT_EQ(r.Lines, int(nodes.size()) - 1);
    EXPECT_EQ(r.AnchorY, templateAnchorY(3));
    EXPECT_EQ(state.TrackYShift, 0);
    EXPECT_TRUE(session.isEditing());
    EXPECT_EQ(session.colorMode(), 2);
    EXPECT_EQ(session.LengthRow, 3);
    // 100 above the track would cut the bike marker at -112 (42 high): the
    // room above takes it in, and the field grows by as much.
    EXPECT_EQ(state.YOffset, 112 + 52);
    EXPECT_EQ(session.canvasSize, QSize(1200, 554 - 21 + (112 + 52 - 130)));
    EXPECT_EQ(state.StartPt, QPoint(200, -30));
    EXPECT_EQ(state.FinishPt, QPoint(1200, -30)); // finish x 1106
    EXPECT_FALSE(session.SaveEnabled);
    EXPECT_EQ(track.open(0, 554).message, EditorMessage::NoTrackSelected);
}

TEST_F(Session, StoredBytesOfAnEditedTrack) {
    const int j = addTrack(levelNodes(600, 100, 10), 2);
    TTrackInfo& r = tracks[j];
    r.Points[size_t(r.PointsLen)] = 0x5a; // trailing byte
    track.open(j, 554);
    QString step = "5";
    ASSERT_TRUE(session.playerUp(step).ok());
    EXPECT_EQ(state.PlayerYOffset, -5);
    track.store("renamed track");
    EXPECT_EQ(r.Name, "renamed_track");
    EXPECT_EQ(readBE16(r.Header.data() + 17), 7) << "point count";
    EXPECT_EQ(r.Lines, 6);
    EXPECT_EQ(r.PointsLen, 2 * r.Lines);
    EXPECT_EQ(r.DataLen, r.PointsLen);
    EXPECT_EQ(r.AnchorY, templateAnchorY(2) - 5) << "player moved up 5";
    EXPECT_EQ(int32_t(readBE32(r.Header.data() + 23)), templateAnchorY(2) - 5);
    EXPECT_EQ(r.Points[size_t(r.PointsLen)], 0x5a);
    EXPECT_FALSE(track.modified());
    EXPECT_FALSE(session.isEditing());
    EXPECT_EQ(session.colorMode(), 1);
}

TEST_F(Session, StoredCountFollowsTheNodesEvenWhenTheHeaderDisagreed) {
    const int j = addTrack(levelNodes(500, 100), 1);
    writeBE16(tracks[j].Header.data() + 17, 40); // a header that miscounts
    track.open(j, 554);
    EXPECT_EQ(session.record().Lines, 39) << "shown as the header says";
    track.store("x");
    EXPECT_EQ(readBE16(tracks[j].Header.data() + 17), 6);
    EXPECT_EQ(tracks[j].PointsLen, 10);
}

// Template 20 (36-byte header, start x 252, finish x 934) is no preset of
// the list but has its marks; choosing a preset replaces the header.
TEST_F(Session, ChangingThePresetReplacesTheHeader) {
    const int j = addTrack(levelNodes(1000, 100), 20);
    TTrackInfo& r = tracks[j];
    ASSERT_EQ(r.HeaderLen, 36);
    r.StartY = -3;         // header bytes 5-6 of template 20 read ff fc
    session.LengthRow = 4; // left over from an earlier track
    track.open(j, 554);
    EXPECT_EQ(session.LengthRow, 0);
    EXPECT_EQ(state.StartPt, QPoint(300, -3)) << "the track starts at StartY";
    EXPECT_EQ(state.FinishPt, QPoint(1000, -3));
    EXPECT_TRUE(session.PlayerButtonsEnabled);
    const int32_t anchor = session.record().AnchorY;
    session.choosePreset(6);
    track.store("x");
    EXPECT_EQ(r.HeaderLen, 27);
    EXPECT_EQ(r.Templ, 6);
    EXPECT_EQ(matchTemplate(r.Header.data()), 6);
    EXPECT_EQ(int32_t(readBE32(r.Header.data() + 23)), anchor) << "the player height is kept";
    EXPECT_EQ(r.Header[27], 0) << "the longer header's bytes are gone";
    EXPECT_EQ(r.StartY, 0) << "as a reader would decode the new header";
}

TEST_F(Session, NamesAreCutAndBlanksBecomeUnderscores) {
    EXPECT_EQ(cleanTrackName("my first track"), "my_first_track");
    const QString longName = QString(45, 'a');
    EXPECT_EQ(cleanTrackName(longName), QString(40, 'a'));
    EXPECT_EQ(cleanTrackName(QString(39, 'b') + "  c"), QString(39, 'b') + "_");
    EXPECT_EQ(cleanTrackName("Трасса 1"), "Трасса_1");
}

TEST_F(Session, NewTrackDrawnAndStoredWithPresetOne) {
    tracks.createTrack("existing");
    ASSERT_TRUE(track.startNew("my first track", 554).ok());
    const int j = state.CurTrack;
    EXPECT_EQ(j, 2);
    EXPECT_EQ(tracks.TrackCount, 1) << "the pack takes the record when the track is stored";
    EXPECT_EQ(session.record().Name, "my_first_track");
    EXPECT_TRUE(session.isDrawing());
    EXPECT_EQ(session.colorMode(), 3);
    EXPECT_EQ(session.canvasSize.width(), 1800);
    click(20, 300);
    click(120, 280);
    click(220, 330);
    click(400, 100, Qt::RightButton);
    EXPECT_FALSE(session.isEditing());
    EXPECT_EQ(state.NodeCount, 3);
    EXPECT_TRUE(session.SaveEnabled);
    const SaveOutcome out = track.store(session.TrackName);
    EXPECT_TRUE(out.wasNew);
    EXPECT_EQ(out.track, j);
    EXPECT_EQ(tracks.TrackCount, 2);
    const TTrackInfo& r = tracks[j];
    EXPECT_EQ(r.Templ, 1);
    EXPECT_EQ(r.HeaderLen, 27);
    EXPECT_EQ(readBE16(r.Header.data() + 17), 3);
    EXPECT_EQ(r.PointsLen, 4);
    const uint8_t pairs[] = {100, 20, 100, 255 - 50, 0};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(r.Points[size_t(i)], pairs[i]) << "byte " << i;
    EXPECT_EQ(int32_t(readBE32(r.Header.data() + 23)), templateAnchorY(1));
    for (int i = 0; i < 17; ++i) EXPECT_EQ(r.Header[size_t(i)], templateRow(1).Header[size_t(i)]);
    EXPECT_FALSE(session.isNewTrack());
}

TEST_F(Session, NewTrackWithChosenPresetAndPlayerMoved) {
    track.startNew("n", 554);
    click(0, 200);
    click(100, 200);
    session.choosePreset(4);
    QString step = "";
    ASSERT_TRUE(session.playerDown(step).ok());
    EXPECT_EQ(step, "0") << "an empty step becomes 0 and moves nothing";
    EXPECT_EQ(state.PlayerYOffset, 0);
    step = "10";
    session.playerDown(step);
    click(0, 0, Qt::RightButton);
    track.store("n");
    const TTrackInfo& r = tracks[1];
    EXPECT_EQ(r.Templ, 4);
    EXPECT_EQ(r.AnchorY, templateAnchorY(4) + 10);
    EXPECT_EQ(r.Points[2], 0) << "trailing byte of a new track";
}

// Closing without storing leaves the pack exactly as it was before opening:
// an edited track's record whole (preset, header, player, nodes, counts),
// and no record at all for a new track.
TEST_F(Session, ClosingWithoutStoringLeavesThePackAsItWas) {
    const int j = addTrack(levelNodes(1000, 100, 10), 2);
    const TTrackInfo before = tracks[j];
    ASSERT_TRUE(track.open(j, 554).ok());
    session.choosePreset(7);
    QString step = "15";
    ASSERT_TRUE(session.playerUp(step).ok());
    editor.mousePress(Qt::LeftButton, {}, {200, 10 + state.YOffset});
    editor.mouseMove({}, {200, 40 + state.YOffset});
    editor.mouseRelease(Qt::LeftButton, {}, {200, 40 + state.YOffset});
    ASSERT_NE(state.NodeY[3], 10) << "the node was dragged";
    ASSERT_TRUE(track.modified());
    const CloseOutcome out = track.discard();
    EXPECT_FALSE(out.wasNew);
    EXPECT_TRUE(tracks[j] == before);
    EXPECT_FALSE(track.modified());
    ASSERT_TRUE(track.open(j, 554).ok());
    EXPECT_EQ(session.LengthRow, 2) << "reopened with the stored preset";

    track.discard();
    track.startNew("draft", 554);
    click(10, 100);
    click(60, 100);
    EXPECT_TRUE(track.discard().wasNew);
    EXPECT_EQ(tracks.TrackCount, 1) << "the new track took no record";
    EXPECT_FALSE(session.isOpen());
    EXPECT_EQ(state.StartPt, QPoint(0, 0));
}

// A track needs a segment, a name the pack can hold and room in the pack:
// each is refused with the reason before anything is stored.
TEST_F(Session, StoringNeedsASegmentAndAStorableName) {
    const PanelResult typed = track.startNew(QString::fromUtf8("Трасса №1 ★★"), 554);
    EXPECT_EQ(typed.message, EditorMessage::NameNotStorable);
    EXPECT_EQ(typed.field, QString::fromUtf8("★"));
    EXPECT_FALSE(session.isNewTrack());

    ASSERT_TRUE(track.startNew("empty", 554).ok());
    click(10, 300);
    click(10, 300, Qt::RightButton);
    ASSERT_EQ(state.NodeCount, 1);
    EXPECT_EQ(track.store("empty").message, EditorMessage::NoSegment);
    EXPECT_TRUE(session.isNewTrack()) << "the track stays open";
    EXPECT_EQ(tracks.TrackCount, 0);

    const int j = addTrack(levelNodes(400, 100), 2);
    track.open(j, 554);
    const std::string stored = tracks[j].Name;
    const SaveOutcome named = track.store(QString::fromUtf8("a\U0001F600b\u20AC"));
    EXPECT_EQ(named.message, EditorMessage::NameNotStorable);
    EXPECT_EQ(named.field, QString::fromUtf8("\U0001F600")) << "the euro sign is in the code page";
    EXPECT_EQ(tracks[j].Name, stored);

    track.discard();
    EXPECT_EQ(track.startNew("", 554).message, EditorMessage::NoTrackName);
    EXPECT_FALSE(session.isEditing());
    while (!tracks.full()) tracks.createTrack("x");
    EXPECT_EQ(track.startNew("one more", 554).message, EditorMessage::PackFull);
    EXPECT_FALSE(session.isNewTrack());
    EXPECT_EQ(session.colorMode(), 1);
}

TEST_F(Session, TypedNumbersAreCheckedBeforeAnythingChanges) {
    const int j = addTrack(levelNodes(800, 100), 2);
    track.open(j, 554);
    const QSize before = session.canvasSize;
    PanelResult bad = session.applyFieldSize("900", "12a");
    EXPECT_EQ(bad.message, EditorMessage::NotANumber);
    EXPECT_EQ(bad.field, "12a");
    EXPECT_EQ(session.canvasSize, before) << "the valid width is not applied alone";
    EXPECT_EQ(session.applyFieldSize("-4", "100").message, EditorMessage::NotANumber);
    for (const auto& [w, h] : {std::pair{"16777216", "1"}, std::pair{"1", "16777216"}})
        EXPECT_EQ(session.applyFieldSize(w, h).message, EditorMessage::NotANumber) << w << h;
    ASSERT_TRUE(session.applyFieldSize("16777215", "16777215").ok()) << "the largest widget";
    ASSERT_TRUE(session.applyFieldSize(" 900", "700 ").ok());
    EXPECT_EQ(session.canvasSize, QSize(900, 700));

    QString step = "abc";
    EXPECT_EQ(session.playerUp(step).message, EditorMessage::NotANumber);
    EXPECT_EQ(step, "abc");
    EXPECT_EQ(state.PlayerYOffset, 0);
    EXPECT_FALSE(track.modified());
    step = "99999999";
    EXPECT_EQ(session.playerUp(step).message, EditorMessage::NotANumber);
    step = "10";
    ASSERT_TRUE(session.playerUp(step).ok());
    EXPECT_EQ(state.PlayerYOffset, -10) << "^^^ moves the marker 10 pixels up";
    // The marker goes 2^24 up or down at most.
    step = QString::number((1 << 24) - 10);
    ASSERT_TRUE(session.playerUp(step).ok());
    step = "1";
    EXPECT_EQ(session.playerUp(step).message, EditorMessage::NotANumber);
    step = QString::number(1 << 25);
    ASSERT_TRUE(session.playerDown(step).ok());
    EXPECT_EQ(state.PlayerYOffset, 1 << 24);
    step = "1";
    EXPECT_EQ(session.playerDown(step).message, EditorMessage::NotANumber);
}

TEST_F(Session, PlayerButtonsDoNothingWithoutTemplate) {
    const int j = addTrack(levelNodes(300, 100), -1);
    track.open(j, 554);
    EXPECT_FALSE(session.PlayerButtonsEnabled);
    QString step = "10";
    session.playerUp(step);
    EXPECT_EQ(state.PlayerYOffset, 0);
    EXPECT_FALSE(track.modified());
    EXPECT_EQ(state.StartPt, QPoint(0, 0)) << "no marks without template";
}

TEST_F(Session, ModeTextsAndSaveButton) {
    LangLines lang;
    const int j = addTrack(levelNodes(300, 100), 1);
    StatusTexts idle = session.statusTexts(lang, track.modified(), false);
    EXPECT_EQ(idle.mode, lang[53]);
    EXPECT_EQ(idle.state, lang[55]);
    track.open(j, 554);
    editor.toggleDeleteNode();
    StatusTexts t = session.statusTexts(lang, track.modified(), false);
    EXPECT_EQ(t.mode, lang[47] + lang[48] + lang[51]);
    EXPECT_FALSE(session.SaveEnabled);
    track.history().begin(TrackStep::Rename);
    session.TrackName = "renamed";
    track.history().end();
    t = session.statusTexts(lang, track.modified(), false);
    EXPECT_EQ(t.state, lang[54]);
    EXPECT_TRUE(session.SaveEnabled);
}

} // namespace
