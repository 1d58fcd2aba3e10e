// Undo and redo as a user meets them: Ctrl+Z after editing a track, after
// deleting tracks, the Edit menu naming the step, the saved state, Open.
#include "../core/settings_files.h"
#include "editor/ui/track_canvas.h"
#include "editor_window_util.h"
#include "settings/lang_added.h"

#include <QComboBox>
#include <QMenu>
#include <QPushButton>

using namespace korvo;
using namespace korvo::test;

namespace {

void press(TForm1& w, QKeySequence keys) {
    QTest::keySequence(&w, keys);
    QApplication::processEvents();
}

std::vector<QPoint> nodesOf(TForm1& w) {
    const EditorState& st = w.editor().state();
    std::vector<QPoint> n;
    for (int i = 1; i <= st.NodeCount; ++i) n.push_back(st.node(i));
    return n;
}

} // namespace

// Drag a node, add one, change the preset; three times Ctrl+Z and the track
// is as it was. Store it, delete two tracks, undo both, save: the pack is
// the same file, byte for byte.
TEST(UndoWindow, EditsAndDeletesTakenBackLeaveThePackByteForByte) {
    BaseFolder base({});
    writeTrackPack(base.path("levels.mrg"), {{{"a", {{0, 0}, {100, 0}, {200, 30}, {300, 0}}, 1},
                                              {"b", levelNodes(400, 100), 2}},
                                             {{"c", levelNodes(300, 100), 3}},
                                             {{"d", levelNodes(200, 100), 1}}});
    const QByteArray original = fileBytes(base.path("levels.mrg"));
    Started s;
    TForm1& w = s.window;
    QAction* undo = ctl<QAction>(w, "EditUndo");
    EXPECT_FALSE(undo->isEnabled());
    openRow(s, 1);
    const std::vector<QPoint> opened = nodesOf(w);
    const int templ = w.document().Tracks[1].Templ;

    auto* canvas = ctl<TrackCanvas>(w, "MapImg");
    drag(canvas, canvasPoint(w, 3), canvasPoint(w, 3) + QPoint(0, -20));
    EXPECT_EQ(undo->text(), "Undo move node");
    ctl<QAction>(w, "AddPoint")->trigger();
    QTest::mouseClick(canvas, Qt::LeftButton, {}, (canvasPoint(w, 1) + canvasPoint(w, 2)) / 2);
    ctl<QAction>(w, "AddPoint")->trigger();
    auto* presets = ctl<TrackPropertiesPanel>(w, "Panel1")->ListLenT;
    presets->setCurrentIndex(4);
    emit presets->activated(4);
    ASSERT_EQ(w.editor().state().NodeCount, 5);
    EXPECT_EQ(undo->text(), "Undo length preset");
    EXPECT_EQ(w.statusText(3), "Not saved");

    for (int i = 0; i < 3; ++i) press(w, QKeySequence::Undo);
    EXPECT_EQ(nodesOf(w), opened);
    EXPECT_EQ(w.document().Tracks[1].Templ, templ);
    EXPECT_FALSE(w.app().Flags.TrackModified);
    EXPECT_FALSE(ctl<TrackPropertiesPanel>(w, "Panel1")->SaveTProp->isEnabled());
    EXPECT_EQ(w.statusText(3), "Saved");
    press(w, QKeySequence(Qt::CTRL | Qt::Key_Y)); // redo brings the drag back
    EXPECT_NE(nodesOf(w), opened);
    press(w, QKeySequence::Undo);

    w.editor().SaveTPropClick();
    ASSERT_FALSE(w.editor().isOpen());
    s.prompts->answers = {true, true};
    for (int row : {2, 3}) { // "b", then "c" (one row up once "b" is gone)
        s.click(row);
        ctl<QAction>(w, "DelItem")->trigger();
    }
    EXPECT_EQ(w.statusText(4), "[1/0/1]");
    EXPECT_EQ(undo->text(), "Undo delete 1 tracks");
    press(w, QKeySequence::Undo);
    press(w, QKeySequence::Undo);
    EXPECT_EQ(w.statusText(4), "[2/1/1]");
    EXPECT_EQ(s.caption(2), "2/b");
    EXPECT_EQ(s.caption(4), "3/c");

    ctl<QAction>(w, "N6")->trigger();
    EXPECT_EQ(fileBytes(base.path("levels.mrg")), original);
    EXPECT_EQ(w.statusText(3), "Saved");
    press(w, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)); // a redo after saving is unsaved
    EXPECT_EQ(w.statusText(3), "Not saved");
    press(w, QKeySequence::Undo); // and back at the saved state
    EXPECT_EQ(w.statusText(3), "Saved");

    s.prompts->paths = {base.path("levels.mrg")};
    s.prompts->answers = {true};
    press(w, QKeySequence::Redo);
    ctl<QAction>(w, "N16")->trigger(); // Open starts without history
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(ctl<QAction>(w, "EditRedo")->isEnabled());
}
