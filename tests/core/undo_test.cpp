// Undo and redo: every step taken back restores the pack's bytes, every step
// done again gives the same bytes as the first time; a drag is one step.
#include "editor/node_editor.h"
#include "editor/open_track.h"
#include "editor/track_history.h"
#include "list/pack_document.h"
#include "list/row_ops.h"
#include "pack/sample_pack.h"

#include "editor_test_util.h"

#include <gtest/gtest.h>

using namespace korvo;
using namespace korvo::test;

namespace {

// A document with a generated pack, and the list commands on it.
struct Doc {
    PackDocument doc;
    TCurItem cur;
    ListButtons buttons;
    ListView view;
    RowOps ops{doc.Rows, doc.Tracks, cur, buttons, view};

    explicit Doc(ListView v) : view(v) {
        Rows rows;
        for (int g = 1; g <= kGroups; ++g) {
            rows.push_back(kHeaderRow);
            for (int k = 0; k < 5; ++k) {
                const int j = doc.Tracks.createTrack("t" + std::to_string(g) + std::to_string(k));
                makeSampleTrack(doc.Tracks[j], 10 + k, uint32_t(j));
                rows.push_back(j);
            }
        }
        doc.Rows.reset(rows, doc.Tracks);
        doc.startFresh();
    }
    std::string bytes() { return writePack(doc.Tracks, doc.Rows.rows()); }
    void undoAll() {
        while (doc.history().canUndo()) doc.history().undo();
    }
    void redoAll() {
        while (doc.history().canRedo()) doc.history().redo();
    }
};

} // namespace

TEST(Undo, RowCommandsGoBackAndForthByteForByteInBothViews) {
    for (ListView view : {kListView, kTreeView}) {
        Doc d(view);
        const std::string original = d.bytes();
        d.ops.selectRow(5); // the last Easy track
        EXPECT_TRUE(d.doc.edit("move", [&] { d.ops.moveDown(); }));
        d.ops.selectRow(d.doc.Rows.findTrack(8));
        EXPECT_TRUE(d.doc.edit("clone", [&] { d.ops.cloneTrack(); }));
        EXPECT_TRUE(d.doc.edit("delete", [&] { d.ops.deleteRows({2, 3}); }));
        DropPoint at;
        at.shownRow = 12;
        d.ops.selectRow(1);
        d.doc.edit("drop", [&] { d.ops.drop({1, 9, 10}, at); });
        EXPECT_FALSE(d.doc.edit("nothing", [] {}, {1}))
            << "a change that changes nothing is no step";
        const std::string edited = d.bytes();
        const std::string captions = d.doc.Rows.caption(1) + d.doc.Rows.caption(12);
        ASSERT_NE(edited, original);
        EXPECT_TRUE(d.doc.modified());

        d.undoAll();
        EXPECT_EQ(d.bytes(), original);
        EXPECT_EQ(d.doc.Tracks.countText(), "[5/5/5]");
        EXPECT_FALSE(d.doc.modified());
        d.redoAll();
        EXPECT_EQ(d.bytes(), edited);
        EXPECT_EQ(d.doc.Rows.caption(1) + d.doc.Rows.caption(12), captions);
    }
}

namespace {

// One open track, its gestures and its history.
struct OpenedTrack {
    TrackTable tracks;
    OpenTrack track{tracks};
    EditorState& state = track.state();
    TrackSession& session = track.session();
    NodeEditor& editor = track.nodes();
    TrackHistory& history = track.history();

    OpenedTrack() = default;
    void open(const std::vector<QPoint>& nodes) {
        const int j = tracks.createTrack("t");
        setTrack(tracks[j], nodes, 1);
        ASSERT_TRUE(session.openSelectedTrack(j, 554).ok());
        history.restart();
    }
    QPoint at(int x, int y) const { return {x, y + state.YOffset}; }
    void down(QPoint p, Qt::MouseButton b = Qt::LeftButton) { editor.mousePress(b, {}, p); }
    void move(QPoint p) { editor.mouseMove({}, p); }
    void up(QPoint p, Qt::MouseButton b = Qt::LeftButton) { editor.mouseRelease(b, {}, p); }
    // The record as "Сохранить и Закрыть" would store it now.
    std::string stored() {
        TTrackInfo copy = tracks[state.CurTrack];
        state.encode(copy);
        return std::string(reinterpret_cast<const char*>(copy.Points.data()),
                           size_t(copy.PointsLen)) +
               std::to_string(state.PlayerYOffset) + "/" + std::to_string(copy.Templ) + "/" +
               session.TrackName.toStdString() + "/" + std::to_string(session.canvasSize.width());
    }
};

} // namespace

// Every kind of edit of an open track is a step; taking them all back gives
// the track as it was opened, doing them again the track as edited.
TEST(Undo, EveryTrackEditGoesBackAndForth) {
    OpenedTrack t;
    t.open({{0, 0}, {100, 0}, {200, 30}, {250, -20}, {300, 0}, {400, 0}});
    const std::string original = t.stored();

    t.down(t.at(200, 30)); // a drag of many moves is one step
    for (int y = 29; y >= 0; --y) t.move(t.at(200, y));
    t.up(t.at(200, 0));
    EXPECT_EQ(t.history.stack().count(), 1);
    t.editor.toggleAddNode();
    t.down(t.at(150, 10));
    t.up(t.at(150, 10));
    t.editor.toggleAddNode();
    t.editor.toggleDeleteNode();
    t.down(t.at(250, -20));
    t.up(t.at(250, -20));
    t.editor.toggleDeleteNode();
    t.editor.toggleMoveTail();
    t.down(t.at(100, 0));
    t.move(t.at(110, 5));
    t.up(t.at(110, 5));
    t.editor.toggleMoveTail();
    for (auto [step, action] : std::vector<std::pair<TrackStep, std::function<void()>>>{
             {TrackStep::LengthPreset, [&] { t.session.choosePreset(5); }},
             {TrackStep::PlayerHeight,
              [&] {
                  QString px = "7";
                  t.session.playerUp(px);
              }},
             {TrackStep::FieldSize, [&] { t.session.applyFieldSize("900", "600"); }},
             {TrackStep::Rename, [&] { t.session.TrackName = "renamed"; }}}) {
        t.history.begin(step);
        action();
        EXPECT_TRUE(t.history.end());
    }
    EXPECT_EQ(t.history.stack().count(), 8);
    const std::string edited = t.stored();
    ASSERT_NE(edited, original);

    while (t.history.stack().canUndo()) t.history.stack().undo();
    EXPECT_EQ(t.stored(), original);
    EXPECT_FALSE(t.history.modified());
    while (t.history.stack().canRedo()) t.history.stack().redo();
    EXPECT_EQ(t.stored(), edited);
}

// Drawing a new track undoes node by node, and the end of drawing too.
TEST(Undo, DrawingANewTrackUndoesNodeByNode) {
    OpenedTrack t;
    ASSERT_TRUE(t.session.startNewTrack("new", 554).ok());
    for (QPoint p : {QPoint(10, 300), QPoint(60, 280), QPoint(120, 300)}) {
        t.down(p);
        t.up(p);
    }
    t.down({120, 300}, Qt::RightButton);
    t.up({120, 300}, Qt::RightButton);
    EXPECT_FALSE(t.session.isEditing()) << "drawing has ended";
    EXPECT_EQ(t.history.stack().count(), 4);
    t.history.stack().undo();
    EXPECT_TRUE(t.session.isEditing()) << "drawing goes on";
    t.history.stack().undo();
    EXPECT_EQ(t.session.Gesture.NextNode, 3);
    t.down({100, 250}); // the next click continues from node 2
    t.up({100, 250});
    EXPECT_EQ(t.state.node(3), QPoint(100, 250 - t.state.YOffset));
    EXPECT_FALSE(t.history.stack().canRedo());
}
