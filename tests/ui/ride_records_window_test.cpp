// The ride's records in the window: a finish kept beside the pack and ridden
// along as a ghost, the test rider watched, keys saved and ridden from a
// file, the pause, the check on threads with its progress and Cancel, and the
// submission's count of tracks nobody finished.

#include "../core/settings_files.h"
#include "app/ride_commands.h"
#include "editor_window_util.h"
#include "ride/ride_records.h"
#include "ride/test_rider.h"
#include "ride/ui/check_window.h"
#include "ride/ui/ride_view.h"
#include "text/lang_added.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <set>

namespace korvo::test {
namespace {

void writeSizedPack(const QString& path, int tracks = 30, int segments = 40) {
    TrackTable table;
    const Rows rows = makeSamplePack(table, {tracks, segments, 3});
    ASSERT_EQ(savePackFile(path, table, rows), "");
}

void rideUntilItEnds(RideView* view) {
    for (int i = 0; i < 400 && view->world()->end() == RideEnd::Running; ++i) view->advance(60);
}

TEST(RideRecordsWindow, TheTestRidersKeysSavedRiddenFromTheFileKeptAndRiddenAlongAsAGhost) {
    BaseFolder base({});
    writeSizedPack(base.path("levels.mrg"), 30, 30); // a first track the test rider finishes
    const QString rides = ridesPathOf(base.path("levels.mrg"));
    Started s;
    MainWindow& w = s.window;
    s.click(1);
    const int j = w.list().selectedTrack();
    const TTrackInfo record = w.document().Tracks[j];
    const RideResult offline = rideByTestRider(rideTrackOf(record), {});
    ASSERT_EQ(offline.end, RideEnd::Finished);

    // Watched, the test rider rides as trackpack's does; its finish is not kept.
    QTest::keyClick(&w, Qt::Key_F5, Qt::ControlModifier);
    auto* view = w.findChild<RideView*>("RideView");
    ASSERT_TRUE(view && view->isVisible());
    EXPECT_EQ(view->mode(), RideMode::Watch);
    EXPECT_TRUE(view->trackText().startsWith(w.app().Lang[kLineRideTestRiderOf].arg("")));
    rideUntilItEnds(view);
    EXPECT_EQ(view->world()->end(), RideEnd::Finished);
    EXPECT_EQ(view->world()->steps(), offline.steps);
    EXPECT_FALSE(QFile::exists(rides));

    // Its keys saved (Ctrl+Shift+K) and ridden from the file (Ctrl+Shift+F5).
    const QString keys = base.path("rider.keys");
    s.prompts->paths = {keys, keys, keys};
    QTest::keyClick(view, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    const auto saved = parseKeyFile(QString::fromUtf8(fileBytes(keys)));
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, view->keysOfRide());
    QTest::keyClick(view, Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(view->replaying());
    EXPECT_FALSE(view->ghost()) << "no best ride yet";
    rideUntilItEnds(view);
    EXPECT_EQ(view->world()->end(), RideEnd::Finished);
    EXPECT_EQ(view->world()->steps(), offline.steps);
    // Kept beside the pack: the time, who, the keys.
    RideRecords kept;
    ASSERT_EQ(kept.load(rides), Message());
    const int ms = int(std::lround(offline.ms));
    ASSERT_TRUE(kept.bestFor(trackKey(record)));
    EXPECT_EQ(*kept.bestFor(trackKey(record)), (BestRide{ms, "keys", *saved}));

    // A ride by hand has the best ride beside it, step for step, and the
    // replay's finish tells the difference to it.
    QTest::keyClick(view, Qt::Key_Escape);
    QTest::keyClick(&w, Qt::Key_F5);
    ASSERT_TRUE(view->ghost());
    view->advance(90);
    RideWorld alone(rideTrackOf(record), {});
    KeyPlayer player(*saved);
    for (int i = 0; i < 90; ++i) alone.step(player.inputForStep(i));
    EXPECT_EQ(view->ghost()->x(), alone.x());
    EXPECT_NE(view->world()->x(), alone.x()) << "the bike stood still";
    QTest::keyClick(&w, Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier);
    rideUntilItEnds(view);
    const QString seconds = QString::number(ms / 1000.0, 'f', 2);
    EXPECT_EQ(view->statusText(),
              w.app().Lang[kLineRideFinished].arg(QString::number(offline.ms / 1000, 'f', 2)) +
                  ", " + w.app().Lang[kLineRideBestDiff].arg(seconds, "0.00"));

    // Open, the track is known by the bytes it would be stored as: the ghost
    // rides along until a node moves.
    QTest::keyClick(view, Qt::Key_Escape);
    openRow(s, 1);
    ASSERT_TRUE(w.editor().isOpen());
    QTest::keyClick(&w, Qt::Key_F5);
    EXPECT_TRUE(view->ghost());
    QTest::keyClick(view, Qt::Key_Escape);
    drag(ctl<QWidget>(w, "MapImg"), canvasPoint(w, 3), canvasPoint(w, 3) - QPoint(0, 20));
    QTest::keyClick(&w, Qt::Key_F5);
    ASSERT_TRUE(view->world());
    EXPECT_FALSE(view->ghost());
}

// A pack without a file holds its finishes until it has one, then writes them beside it.
TEST(RideRecordsWindow, APackWithoutAFileKeepsItsFinishesUntilItIsSaved) {
    BaseFolder base({});
    writeSizedPack(base.path("levels.mrg"));
    Started s;
    MainWindow& w = s.window;
    w.document().setFileName(QString()); // as a pack never saved
    // A track the test rider finishes.
    for (int row = 1; row < 8; ++row) {
        s.click(row);
        const int j = w.list().selectedTrack();
        if (j > 0 &&
            rideByTestRider(rideTrackOf(w.document().Tracks[j]), {}).end == RideEnd::Finished)
            break;
    }
    const QByteArray key = trackKey(w.document().Tracks[w.list().selectedTrack()]);
    QTest::keyClick(&w, Qt::Key_F5, Qt::ControlModifier);
    auto* view = w.findChild<RideView*>("RideView");
    ASSERT_TRUE(view && view->isVisible());
    rideUntilItEnds(view);
    ASSERT_EQ(view->world()->end(), RideEnd::Finished);
    const QString keys = base.path("rider.keys");
    s.prompts->paths = {keys, keys};
    QTest::keyClick(view, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier);
    rideUntilItEnds(view);
    ASSERT_EQ(view->world()->end(), RideEnd::Finished);
    const QStringList before =
        QDir(base.path("")).entryList({"*.rides"}, QDir::Files | QDir::Hidden);
    EXPECT_TRUE(before.isEmpty()) << before.join(' ').toStdString();
    QTest::keyClick(view, Qt::Key_Escape);
    s.prompts->paths = {base.path("new.mrg")};
    ctl<QAction>(w, "mrg1")->trigger(); // Save as
    RideRecords kept;
    ASSERT_EQ(kept.load(base.path("new.mrg.rides")), Message());
    ASSERT_TRUE(kept.bestFor(key));
    EXPECT_EQ(kept.bestFor(key)->ms, int(std::lround(view->world()->milliseconds())));
}

TEST(RideRecordsWindow, PPausesTheRideAndItsClock) {
    BaseFolder base({});
    writeSizedPack(base.path("levels.mrg"));
    Started s;
    MainWindow& w = s.window;
    s.click(1);
    QTest::keyClick(&w, Qt::Key_F5);
    auto* view = w.findChild<RideView*>("RideView");
    ASSERT_TRUE(view && view->isVisible());
    QTest::keyPress(view, Qt::Key_Up);
    QTRY_VERIFY(view->world()->steps() > 6);
    QTest::keyClick(view, Qt::Key_P);
    ASSERT_TRUE(view->paused());
    const int steps = view->world()->steps();
    const double x = view->world()->x();
    QTest::qWait(300);
    view->advance(30);
    EXPECT_EQ(view->world()->steps(), steps);
    EXPECT_EQ(view->world()->x(), x);
    EXPECT_EQ(view->statusText(), w.app().Lang[kLineRidePaused]);
    QTest::keyClick(view, Qt::Key_P);
    EXPECT_FALSE(view->paused());
    // The clock goes on from the pause: no steps are made up for it.
    QTest::qWait(100);
    EXPECT_LT(view->world()->steps(), steps + 18);
    QTRY_VERIFY(view->world()->steps() > steps + 3);
    QTest::keyRelease(view, Qt::Key_Up);
}

TEST(RideRecordsWindow, TheCheckRunsBesideTheWindowWithProgressAndCancelStopsIt) {
    BaseFolder base({});
    writeSizedPack(base.path("levels.mrg"), 400, 200);
    Started s;
    MainWindow& w = s.window;
    QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    auto* check = w.findChild<CheckWindow*>("CheckWindow");
    ASSERT_TRUE(check && check->isVisible());
    ASSERT_TRUE(check->running());
    EXPECT_EQ(check->progressBar()->maximum(), 400);
    QTRY_VERIFY(check->progressBar()->value() > 0);
    const int seen = check->progressBar()->value();
    EXPECT_LT(seen, 400);
    EXPECT_EQ(check->progressLabel()->text(), w.app().Lang[kLineCheckProgress].arg(seen).arg(400));
    // Cancel from the keyboard.
    check->cancelButton()->setFocus();
    QTest::keyClick(check->cancelButton(), Qt::Key_Space);
    QTRY_VERIFY(!check->running());
    const int done = check->progressBar()->value();
    EXPECT_LT(done, 400);
    const QListWidget* list = check->list();
    EXPECT_EQ(list->item(list->count() - 1)->text(),
              w.app().Lang[kLineCheckCancelled].arg(done).arg(400));
    std::set<int> tracks;
    for (const Finding& f : check->findings()) tracks.insert(f.track);
    EXPECT_LE(int(tracks.size()), done + 1) << "only the tracks checked, and the pack's own";

    // Again from the check window's own keys, to its end: every track is
    // named as not validated.
    QTest::keyClick(check->list(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(check->running());
    QTRY_VERIFY_WITH_TIMEOUT(!check->running(), 120000);
    EXPECT_EQ(check->progressBar()->value(), 400);
    const auto notValidated =
        std::count_if(check->findings().begin(), check->findings().end(),
                      [](const Finding& f) { return f.kind == FindingKind::NotValidated; });
    EXPECT_EQ(notValidated, 400);
}

TEST(RideRecordsWindow, TheSubmissionCountsTracksNobodyFinishedAndAsksBeforeSendingThem) {
    BaseFolder base({});
    QDir(base.path("")).mkpath("tomail");
    const QString pack = base.path("levels.mrg");
    writeSizedPack(pack);
    TrackTable table;
    Rows rows;
    ASSERT_EQ(loadPackFile(pack, table, rows), Message());
    for (int j = 3; j <= 30; ++j)
        ASSERT_EQ(recordFinish(pack, table[j], 9000, {}, "solver"), Message());
    Started s;
    MainWindow& w = s.window;
    SubmissionWindow& sub = w.submissionWindow();
    sub.show();
    sub.findChild<QRadioButton*>("RadioButton4")->click(); // the open pack
    auto* count = sub.findChild<QLabel*>("UnvalidatedCount");
    ASSERT_TRUE(count && count->isVisible());
    EXPECT_EQ(count->text(), w.app().text(kLineSubmitUnvalidated, 2, 30));
    sub.findChild<QRadioButton*>("SendtoDisk")->click();
    sub.findChild<QLineEdit*>("nameauth")->setText("Rider");
    sub.findChild<QLineEdit*>("emailauth")->setText("rider@example.net");
    sub.findChild<QLineEdit*>("nameLev")->setText("Forest");
    const QString archive = base.path("tomail/levels.zip");
    for (bool yes : {false, true}) {
        s.prompts->asked.clear();
        s.prompts->answers = {yes};
        QTest::mouseClick(sub.findChild<QPushButton*>("Button2"), Qt::LeftButton);
        ASSERT_EQ(s.prompts->asked.size(), 1);
        EXPECT_EQ(s.prompts->asked[0], w.app().text(kLineSubmitAskUnvalidated, 2));
        QTRY_COMPARE(QFile::exists(archive), yes);
    }
    // All finished: nothing to ask.
    for (int j : {1, 2}) ASSERT_EQ(recordFinish(pack, table[j], 9000, {}, "solver"), Message());
    QFile::remove(archive);
    s.prompts->asked.clear();
    QTRY_VERIFY(sub.findChild<QPushButton*>("Button2")->isEnabled());
    QTest::mouseClick(sub.findChild<QPushButton*>("Button2"), Qt::LeftButton);
    EXPECT_TRUE(s.prompts->asked.isEmpty());
    QTRY_VERIFY(QFile::exists(archive));
    EXPECT_EQ(count->text(), w.app().text(kLineSubmitUnvalidated, 0, 30));
    sub.close();
}

} // namespace
} // namespace korvo::test
