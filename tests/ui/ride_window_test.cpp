// The ride view driven by the keys in the main window, Replay on the last
// ride's track, the five-minute limit, and the Check window leading to a
// finding's node. A ride changes nothing of the pack, the open
// track or the histories.

#include "../core/settings_files.h"
#include "app/ride_commands.h"
#include "editor_window_util.h"
#include "ride/ui/check_window.h"
#include "ride/ui/ride_view.h"
#include "settings/ui/mnemonics.h"
#include "text/cp1251.h"
#include "text/lang_added.h"
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include <QListWidget>
#include <QSignalSpy>

namespace korvo::test {
namespace {

void writeSample(const QString& path, int brokenTrack = 0, int walledTrack = 0) {
    TrackTable table;
    const Rows rows = makeSamplePack(table, {30, 40, 3});
    if (brokenTrack) table[brokenTrack].Points[8] = 0; // segment 5 (to node 6) has dx 0
    if (walledTrack) { // a wall of 127 at segment 5: the test rider stops there
        table[walledTrack].Points[8] = 1;
        table[walledTrack].Points[9] = 127;
    }
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
    QTest::keyClick(view, Qt::Key_Space); // again from the marker, every key let go
    EXPECT_LT(view->world()->steps(), 3);
    QSignalSpy ended(view, &RideView::rideEnded);
    QTest::keyPress(view, Qt::Key_Up);
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
    // A crash is told at the frame's x, as trackpack tells it, not the head's.
    ASSERT_EQ(view->world()->end(), RideEnd::Crashed);
    const QString frameX = QString::number(std::lround(liveX));
    ASSERT_NE(QString::number(std::lround(view->world()->pose().head.x())), frameX);
    EXPECT_TRUE(view->statusText().endsWith(" " + frameX)) << view->statusText().toStdString();
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

TEST(RideWindow, ReplayRidesTheLastRidesTrackAsItIsNowAndTheViewNamesIt) {
    BaseFolder base({});
    writeSample(base.path("levels.mrg"));
    Started s;
    MainWindow& w = s.window;
    openRow(s, 1);
    ASSERT_TRUE(w.editor().isOpen());
    const int j = w.editor().state().CurTrack;
    const QString label = QString("%1/%2").arg(j).arg(fromCp1251(w.document().Tracks[j].Name));
    QTest::keyClick(&w, Qt::Key_F5);
    auto* view = w.findChild<RideView*>("RideView");
    ASSERT_TRUE(view && view->world());
    EXPECT_EQ(view->trackText(), label);
    QTest::keyPress(view, Qt::Key_Up);
    view->advance(30);
    QTest::keyRelease(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Escape);

    // An edit of the open track: Replay rides the track as it lies now.
    drag(ctl<QWidget>(w, "MapImg"), canvasPoint(w, 3), canvasPoint(w, 3) - QPoint(0, 20));
    const RideTrack edited = rideTrackOf(w.editor().state(), true);
    ASSERT_NE(edited.nodes, rideTrackOf(w.document().Tracks[j]).nodes);
    QTest::keyClick(&w, Qt::Key_F5, Qt::ShiftModifier);
    ASSERT_TRUE(view->isVisible() && view->replaying());
    EXPECT_EQ(view->world()->track().nodes, edited.nodes);
    EXPECT_TRUE(view->trackText().endsWith(label) && view->trackText() != label)
        << view->trackText().toStdString();
    QTest::keyClick(view, Qt::Key_Escape);

    // Closed without storing and another track selected: still the last
    // ride's track, as the pack holds it.
    w.editor().leaveEditor();
    ASSERT_FALSE(w.editor().isOpen());
    s.click(2);
    const int other = w.list().selectedTrack();
    ASSERT_TRUE(other > 0 && other != j);
    QTest::keyClick(&w, Qt::Key_F5, Qt::ShiftModifier);
    ASSERT_TRUE(view->isVisible() && view->replaying());
    EXPECT_EQ(view->world()->track().nodes, rideTrackOf(w.document().Tracks[j]).nodes);
    EXPECT_TRUE(view->trackText().endsWith(label)) << view->trackText().toStdString();
    // Ride takes the selection.
    QTest::keyClick(view, Qt::Key_F5);
    EXPECT_FALSE(view->replaying());
    EXPECT_TRUE(view->trackText().startsWith(QString("%1/").arg(other)))
        << view->trackText().toStdString();
}

TEST(RideWindow, TheRideStopsAtFiveMinutesOfSimulatedTime) {
    BaseFolder base({});
    writeSample(base.path("levels.mrg"));
    Started s;
    MainWindow& w = s.window;
    s.click(1);
    QTest::keyClick(&w, Qt::Key_F5);
    auto* view = w.findChild<RideView*>("RideView");
    ASSERT_TRUE(view && view->world() && view->isVisible());
    QSignalSpy ended(view, &RideView::rideEnded);
    const QString running = view->statusText();
    QTest::keyPress(view, Qt::Key_Down); // the brake held: the bike stands
    view->advance(RideWorld::kLimitSteps - 1);
    EXPECT_EQ(view->world()->end(), RideEnd::Running);
    EXPECT_EQ(view->statusText(), running);
    view->advance(5);
    QTest::keyRelease(view, Qt::Key_Down);
    EXPECT_EQ(view->world()->end(), RideEnd::Stopped);
    EXPECT_EQ(view->world()->steps(), 5 * 60 * 60);
    EXPECT_EQ(ended.size(), 1);
    EXPECT_TRUE(
        view->statusText().endsWith(" " + QString::number(std::lround(view->world()->x()))));
}

TEST(RideWindow, TheCheckWindowSaysSoWhenItFindsOnlyHints) {
    BaseFolder base({});
    writeSample(base.path("levels.mrg"), 0, 4);
    Started s;
    MainWindow& w = s.window;
    QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    auto* check = w.findChild<CheckWindow*>("CheckWindow");
    ASSERT_TRUE(check && check->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!check->running(), 30000);
    ASSERT_FALSE(check->findings().empty());
    for (const Finding& f : check->findings()) EXPECT_TRUE(f.hint()) << int(f.kind);
    const int shown = check->list()->count();
    ASSERT_EQ(shown, int(check->findings().size()) + 1);
    const QString last = check->list()->item(shown - 1)->text();
    EXPECT_FALSE(last.startsWith("4/")) << last.toStdString();
}

// The submission window, built when first opened, offers the check before
// sending: its button lists the findings of the pack.
TEST(RideWindow, TheSubmissionWindowOffersTheCheck) {
    BaseFolder base({});
    writeSample(base.path("levels.mrg"), 4);
    Started s;
    MainWindow& w = s.window;
    w.submissionWindow().show();
    auto* button = w.submissionWindow().findChild<QPushButton*>("CheckPackButton");
    ASSERT_TRUE(button && button->isVisible());
    EXPECT_EQ(withoutMnemonic(button->text()),
              withoutMnemonic(w.app().Lang[kLineCheckPackCommand]));
    QTest::mouseClick(button, Qt::LeftButton);
    auto* check = w.findChild<CheckWindow*>("CheckWindow");
    ASSERT_TRUE(check && check->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!check->running(), 30000);
    EXPECT_FALSE(check->findings().empty());
    w.submissionWindow().close();
}

// A double click on row `row` of the check window, as a user makes it.
void doubleClickFinding(CheckWindow* check, int row) {
    QListWidgetItem* item = check->list()->item(row);
    check->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(check));
    check->list()->scrollToItem(item);
    const QPoint at = check->list()->visualItemRect(item).center();
    QTest::mouseClick(check->list()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(check->list()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(check->list()->viewport(), Qt::LeftButton, {}, at);
}

TEST(RideWindow, ADoubleClickOnAFindingOpensItsTrackAtTheNode) {
    BaseFolder base({});
    writeSample(base.path("levels.mrg"), 4);
    Started s;
    MainWindow& w = s.window;
    QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    auto* check = w.findChild<CheckWindow*>("CheckWindow");
    ASSERT_TRUE(check && check->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!check->running(), 30000);
    int row = -1;
    for (size_t i = 0; i < check->findings().size(); ++i)
        if (check->findings()[i].kind == FindingKind::StepOutOfLimits) row = int(i);
    ASSERT_GE(row, 0) << check->list()->count();
    EXPECT_TRUE(check->list()->item(row)->text().startsWith("4/"));
    QSignalSpy chosen(check, &CheckWindow::findingChosen);
    doubleClickFinding(check, row);
    EXPECT_EQ(chosen.size(), 1);
    ASSERT_TRUE(w.editor().isOpen());
    EXPECT_EQ(w.editor().state().CurTrack, 4);
    EXPECT_TRUE(ctl<QWidget>(w, "corrxywnd")->isVisible());
}

// A double click on a hint ("stops at x ...") opens its track with the view
// on that place and the place marked on the ground, not at the track's start.
TEST(RideWindow, ADoubleClickOnAHintOpensItsTrackAtThePlaceMarked) {
    BaseFolder base({});
    writeSample(base.path("levels.mrg"), 0, 4); // the test rider stops at the wall of track 4
    Started s;
    MainWindow& w = s.window;
    QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    auto* check = w.findChild<CheckWindow*>("CheckWindow");
    ASSERT_TRUE(check && check->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!check->running(), 30000);
    int row = -1;
    for (size_t i = 0; i < check->findings().size(); ++i)
        if (check->findings()[i].kind == FindingKind::RiderStops && check->findings()[i].track == 4)
            row = int(i);
    ASSERT_GE(row, 0);
    const Finding hint = check->findings()[size_t(row)];
    ASSERT_GT(hint.x, 100) << "at the wall of segment 5, well past the start";
    doubleClickFinding(check, row);
    ASSERT_TRUE(w.editor().isOpen());
    EXPECT_EQ(w.editor().state().CurTrack, 4);
    const auto* correction = w.findChild<QWidget*>("corrxywnd");
    EXPECT_TRUE(!correction || !correction->isVisible()) << "no node is the subject";
    auto* mark = w.findChild<QWidget*>("RideEndMark");
    ASSERT_TRUE(mark && mark->isVisible());
    auto* canvas = ctl<TrackCanvas>(w, "MapImg");
    const int markX = canvas->toCanvas(QPointF(mark->geometry().center())).x();
    EXPECT_NEAR(markX, hint.x, 2.0 / canvas->zoom() + 1) << "the mark stands at the hint's x";
    auto* box = ctl<QScrollArea>(w, "ScrollBox1");
    const QRect seen(QPoint(box->horizontalScrollBar()->value(), box->verticalScrollBar()->value()),
                     box->viewport()->size());
    EXPECT_TRUE(seen.contains(mark->geometry().center())) << "the view is on the place";
}

// The ride has a zoom of its own: it starts with the bike at its real size
// whatever the canvas shows, and Ctrl++, Ctrl+- and Ctrl+0 zoom the ride
// within 1/4..4x, never the hidden canvas.
TEST(RideWindow, TheRideHasAZoomOfItsOwn) {
    BaseFolder base({});
    writeSample(base.path("levels.mrg"));
    Started s;
    MainWindow& w = s.window;
    openRow(s, 1);
    auto* canvas = ctl<TrackCanvas>(w, "MapImg");
    QTest::keySequence(&w, QKeySequence(Qt::CTRL | Qt::Key_9)); // the whole track
    const double canvasZoom = canvas->zoom();
    ASSERT_LT(canvasZoom, 0.5);
    QTest::keyClick(&w, Qt::Key_F5);
    auto* view = w.findChild<RideView*>("RideView");
    ASSERT_TRUE(view && view->isVisible());
    view->setFocus();
    EXPECT_EQ(view->zoom(), 1.0) << "the bike at its real size";
    QTest::keySequence(view, QKeySequence(Qt::CTRL | Qt::Key_Plus));
    EXPECT_EQ(view->zoom(), 2.0);
    for (int i = 0; i < 3; ++i) QTest::keySequence(view, QKeySequence(Qt::CTRL | Qt::Key_Plus));
    EXPECT_EQ(view->zoom(), RideView::kMaxZoom);
    for (int i = 0; i < 6; ++i) QTest::keySequence(view, QKeySequence(Qt::CTRL | Qt::Key_Minus));
    EXPECT_EQ(view->zoom(), RideView::kMinZoom);
    QTest::keySequence(view, QKeySequence(Qt::CTRL | Qt::Key_0));
    EXPECT_EQ(view->zoom(), 1.0);
    EXPECT_EQ(canvas->zoom(), canvasZoom) << "the hidden canvas keeps its zoom";
}

} // namespace
} // namespace korvo::test
