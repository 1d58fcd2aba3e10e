// The ride view driven by the keys in the main window, and the Check window
// leading to a finding's node. A ride changes nothing of the pack, the open
// track or the histories.

#include "../core/settings_files.h"
#include "app/ride_commands.h"
#include "editor_window_util.h"
#include "ride/ui/check_window.h"
#include "ride/ui/ride_view.h"

#include <QListWidget>
#include <QSignalSpy>

namespace korvo::test {
namespace {

void writeSample(const QString& path, int brokenTrack = 0) {
    TrackTable table;
    const Rows rows = makeSamplePack(table, {30, 40, 3});
    if (brokenTrack) table[brokenTrack].Points[8] = 0; // segment 5 (to node 6) has dx 0
    ASSERT_EQ(savePackFile(path, table, rows), "");
}

TEST(RideWindow, TheKeysDriveTheBikeReplayEndsAlikeAndNothingOfTheTrackChanges) {
    BaseFolder base({});
    writeSample(base.path("levels.mrg"));
    const QByteArray packBefore = fileBytes(base.path("levels.mrg"));
    Started s;
    MainWindow& w = s.window;
    openRow(s, 1);
    ASSERT_TRUE(w.editor().isOpen());
    const EditorState& st = w.editor().state();
    const std::vector<int32_t> xs(st.NodeX.begin(), st.NodeX.begin() + st.NodeCount + 1),
        ys(st.NodeY.begin(), st.NodeY.begin() + st.NodeCount + 1);
    const int trackSteps = w.editor().history().stack().count();
    const int packSteps = w.document().history().count();

    QTest::keyClick(&w, Qt::Key_F5);
    auto* view = w.findChild<RideView*>("RideView");
    ASSERT_TRUE(view && view->isVisible());
    EXPECT_FALSE(ctl<QWidget>(w, "Panel5")->isVisible());
    ASSERT_TRUE(view->world());
    const double startX = view->world()->x();
    QTest::keyPress(view, Qt::Key_Up);
    QTest::qWait(600);
    EXPECT_GT(view->world()->steps(), 12);
    EXPECT_GT(view->world()->x(), startX + 20);
    QTest::keyClick(view, Qt::Key_Space); // again from the marker, the key still held
    EXPECT_LT(view->world()->steps(), 3);
    QSignalSpy ended(view, &RideView::rideEnded);
    view->advance(40);
    QTest::keyRelease(view, Qt::Key_Up);
    QTest::keyPress(view, Qt::Key_Right);
    view->advance(20);
    QTest::keyRelease(view, Qt::Key_Right);
    QTest::keyPress(view, Qt::Key_Left);
    for (int i = 0; i < 200 && ended.isEmpty(); ++i) view->advance(60);
    QTest::keyRelease(view, Qt::Key_Left);
    ASSERT_EQ(ended.size(), 1);
    const int liveSteps = view->world()->steps();
    const double liveX = view->world()->x();
    EXPECT_FALSE(view->statusText().isEmpty());
    EXPECT_TRUE(ctl<QWidget>(w, "RideEndMark")->isVisibleTo(ctl<QWidget>(w, "Panel5")));

    ctl<QAction>(w, "ReplayRide")->trigger();
    EXPECT_TRUE(view->replaying());
    for (int i = 0; i < 200 && ended.size() < 2; ++i) view->advance(60);
    EXPECT_EQ(view->world()->steps(), liveSteps);
    EXPECT_EQ(view->world()->x(), liveX);

    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(view->isVisible());
    EXPECT_TRUE(ctl<QWidget>(w, "Panel5")->isVisible());
    EXPECT_TRUE(std::equal(xs.begin(), xs.end(), st.NodeX.begin()));
    EXPECT_TRUE(std::equal(ys.begin(), ys.end(), st.NodeY.begin()));
    EXPECT_EQ(w.editor().history().stack().count(), trackSteps);
    EXPECT_EQ(w.document().history().count(), packSteps);
    EXPECT_FALSE(w.document().modified());
    EXPECT_EQ(fileBytes(base.path("levels.mrg")), packBefore);
}

TEST(RideWindow, ADoubleClickOnAFindingOpensItsTrackAtTheNode) {
    BaseFolder base({});
    writeSample(base.path("levels.mrg"), 4);
    Started s;
    MainWindow& w = s.window;
    QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    auto* check = w.findChild<CheckWindow*>("CheckWindow");
    ASSERT_TRUE(check && check->isVisible());
    int row = -1;
    for (size_t i = 0; i < check->findings().size(); ++i)
        if (check->findings()[i].kind == FindingKind::StepOutOfLimits) row = int(i);
    ASSERT_GE(row, 0) << check->list()->count();
    EXPECT_TRUE(check->list()->item(row)->text().startsWith("4/"));
    QListWidgetItem* item = check->list()->item(row);
    check->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(check));
    check->list()->scrollToItem(item);
    const QPoint at = check->list()->visualItemRect(item).center();
    QSignalSpy chosen(check, &CheckWindow::findingChosen);
    QTest::mouseClick(check->list()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(check->list()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(check->list()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(chosen.size(), 1);
    ASSERT_TRUE(w.editor().isOpen());
    EXPECT_EQ(w.editor().state().CurTrack, 4);
    EXPECT_TRUE(ctl<QWidget>(w, "corrxywnd")->isVisible());
}

} // namespace
} // namespace korvo::test
