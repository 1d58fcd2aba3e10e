// Unsaved work of a session that stopped comes back at the next start: the
// pack, both histories, the open track with its tool; a wrong click loses
// nothing, and a damaged journal is refused without harm.
#include "../core/settings_files.h"
#include "app/recovery_keeper.h"
#include "editor_window_util.h"
#include "pack/mrg_format.h"
#include "recovery/recovery_folder.h"
#include "settings/pack_lock.h"
#include "text/lang_added.h"

#include <QAction>
#include <QStatusBar>

using namespace korvo;
using namespace korvo::test;

namespace {

QString recoveryDir(const StateFolder& state) {
    return state.filePath("korvote/recovery");
}

QStringList journals(const StateFolder& state) {
    return QDir(recoveryDir(state)).entryList({"*.journal"}, QDir::Files);
}

std::string packBytes(MainWindow& w) {
    return writePack(w.document().Tracks, w.document().Rows.rows());
}

// The window stops as a killed program would: its journal stays, nothing is
// asked or saved.
void stopAsKilled(Started& s) {
    s.window.recovery().abandon();
    s.window.packCommands().sessionEnding();
}

} // namespace

TEST(Recovery, AStoppedSessionComesBackWithBothHistoriesItsOpenTrackAndItsTool) {
    const StateFolder state;
    BaseFolder base({});
    writeHillPack(base); // Easy: Hill, b; Medium: c
    const QByteArray onDisk = fileBytes(base.path("levels.mrg"));
    std::string pack, redone;
    std::vector<QPoint> nodes;
    {
        Started s;
        s.click(1);
        ctl<QAction>(s.window, "DownItem")->trigger(); // Hill below b
        s.click(4);
        s.prompts->answers = {true};
        ctl<QAction>(s.window, "N24")->trigger(); // c deleted
        s.click(1);
        ctl<QAction>(s.window, "DownItem")->trigger(); // b below Hill, then undone:
        redone = packBytes(s.window);                  // a step to redo after the stop
        s.window.document().history().undo();
        openRow(s, 2); // Hill
        ASSERT_TRUE(s.window.editor().isOpen());
        auto* canvas = ctl<TrackCanvas>(s.window, "MapImg");
        drag(canvas, canvasPoint(s.window, 2), canvasPoint(s.window, 2) + QPoint(0, 40));
        ctl<QAction>(s.window, "movemap")->trigger();
        // A drag still under way when the program stops is kept as a step.
        const QPoint from = canvasPoint(s.window, 3);
        QTest::mousePress(canvas, Qt::LeftButton, {}, from);
        QTest::mouseMove(canvas, from + QPoint(0, 30));
        QTest::mouseMove(canvas, from + QPoint(0, 60));
        pack = packBytes(s.window);
        nodes = s.window.editor().history().nodes();
        ASSERT_EQ(s.window.document().history().index(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(journals(state).size(), 1, 3 * RecoveryKeeper::kDelayMs);
        s.window.recovery().flush();
        stopAsKilled(s);
    }
    EXPECT_EQ(fileBytes(base.path("levels.mrg")), onDisk) << "nothing was saved";
    ASSERT_EQ(leftJournals(recoveryDir(state)).size(), 1);
    {
        Started s(kListView, {},
                  [](ScriptedPrompts& p) { p.recoveryChoices = {RecoveryWindow::Recover}; });
        QTRY_COMPARE(s.prompts->recoveryShown.size(), 1);
        MainWindow& w = s.window;
        const AppContext& app = w.app();
        const QString shown = s.prompts->recoveryShown.front();
        const QString none = app.Lang[kLineRecoveryNone];
        for (const QString& line :
             {app.text(kLineRecoverySteps, 2, 2), app.text(kLineRecoveryDeleted, "3/c"),
              app.text(kLineRecoveryChanged, none), app.text(kLineRecoveryAdded, none),
              app.text(kLineRecoveryOpenTrack, "1/Hill")})
            EXPECT_TRUE(shown.contains(line)) << line.toStdString() << " in\n"
                                              << shown.toStdString();
        EXPECT_EQ(packBytes(w), pack);
        EXPECT_TRUE(w.document().modified());
        ASSERT_TRUE(w.editor().isOpen());
        EXPECT_EQ(w.editor().state().CurTrack, 1);
        EXPECT_EQ(w.editor().history().nodes(), nodes);
        EXPECT_EQ(w.editor().track().tool(), Tool::MoveTail);
        EXPECT_TRUE(w.editor().track().modified());
        // The journal it came from is gone; this session keeps its own.
        EXPECT_TRUE(leftJournals(recoveryDir(state)).isEmpty());
        EXPECT_EQ(journals(state).size(), 1);

        // Undo steps back through the edits made before the stop, by name.
        QUndoStack& track = w.editor().history().stack();
        track.undo();
        track.undo();
        EXPECT_EQ(w.editor().history().nodes(), kHill) << "both drags undone";
        EXPECT_FALSE(w.editor().track().modified());
        track.redo();
        track.redo();
        EXPECT_EQ(w.editor().history().nodes(), nodes);
        s.prompts->answers = {true};
        QTest::mouseClick(ctl<QPushButton>(w, "CloseProp"), Qt::LeftButton);
        ASSERT_FALSE(w.editor().isOpen());
        QUndoStack& doc = w.document().history();
        EXPECT_EQ(doc.undoText(), w.app().Lang.format(kLineStepDeleteTracks, 1));
        doc.redo();
        EXPECT_EQ(packBytes(w), redone) << "the step undone before the stop is redone";
        doc.undo();
        doc.undo();
        doc.undo();
        EXPECT_FALSE(w.document().modified()) << "the pack's clean state came back too";
        EXPECT_EQ(s.caption(1), "1/Hill");
        doc.redo();
        ctl<QAction>(w, "N6")->trigger();
        EXPECT_TRUE(journals(state).isEmpty()) << "a save that leaves nothing unsaved removes it";
        doc.undo();
        s.window.recovery().flush();
        EXPECT_EQ(journals(state).size(), 1);
        s.prompts->answers = {false}; // the question at the end: not saved
    }
    EXPECT_TRUE(journals(state).isEmpty()) << "a clean end removes the journal";
}

// Open the saved pack keeps the journal until the pack's next change, so a
// wrong click loses nothing; a damaged journal is refused and set aside.
TEST(Recovery, AWrongClickLosesNothingAndADamagedJournalIsRefused) {
    const StateFolder state;
    BaseFolder base(kSixTracks);
    {
        Started s;
        s.click(1);
        ctl<QAction>(s.window, "DownItem")->trigger();
        s.window.recovery().flush();
        stopAsKilled(s);
    }
    ASSERT_EQ(journals(state).size(), 1);
    const QString left = QDir(recoveryDir(state)).filePath(journals(state).front());
    {
        // Another pack at the start: the work left is told, not offered.
        QFile::copy(base.path("levels.mrg"), base.path("other.mrg"));
        Started s(kListView, {{}, base.path("other.mrg"), {}});
        QTRY_VERIFY(s.window.statusBar()->currentMessage().contains(
            QDir::toNativeSeparators(base.path("levels.mrg"))));
        EXPECT_TRUE(s.prompts->recoveryShown.isEmpty());
    }
    for (int start = 0; start < 2; ++start) {
        Started s; // Open the saved pack, then a clean end without a change
        QTRY_COMPARE(s.prompts->recoveryShown.size(), 1);
        EXPECT_EQ(s.caption(1), "1/a");
        EXPECT_FALSE(s.window.document().modified());
    }
    EXPECT_TRUE(QFile::exists(left)) << "kept until the pack's next change";
    {
        Started s;
        QTRY_COMPARE(s.prompts->recoveryShown.size(), 1);
        s.click(2);
        ctl<QAction>(s.window, "DownItem")->trigger();
        s.window.recovery().flush();
        EXPECT_FALSE(QFile::exists(left)) << "the next change replaced it";
        stopAsKilled(s);
    }
    // One byte of the journal changed: the checksum refuses it.
    const QString mine = QDir(recoveryDir(state)).filePath(journals(state).front());
    QByteArray bytes = fileBytes(mine);
    bytes[bytes.size() - 3] = char(bytes[bytes.size() - 3] ^ 1);
    putFile(mine, bytes);
    {
        Started s;
        QTRY_COMPARE(s.prompts->shown.size(), 1);
        EXPECT_TRUE(s.prompts->shown.front().contains(s.window.app().Lang[kLineRecoveryDamaged]))
            << s.prompts->shown.front().toStdString();
        EXPECT_TRUE(s.prompts->recoveryShown.isEmpty());
        EXPECT_EQ(s.caption(1), "1/a");
    }
    EXPECT_TRUE(QFile::exists(mine + ".refused")) << "set aside, not offered again";
    EXPECT_TRUE(journals(state).isEmpty());
}

// A new track still being drawn comes back being drawn: its name, the nodes
// placed so far, and the next click places the next node.
TEST(Recovery, ANewTrackBeingDrawnComesBackBeingDrawn) {
    const StateFolder state;
    BaseFolder base(kSixTracks);
    std::vector<QPoint> placed;
    {
        Started s;
        s.window.findChild<QLineEdit*>("NameNewTrack")->setText("Fresh");
        QTest::mouseClick(s.window.findChild<QPushButton*>("NewTrack"), Qt::LeftButton);
        auto* canvas = ctl<TrackCanvas>(s.window, "MapImg");
        for (QPoint p : {QPoint(20, 300), QPoint(120, 280), QPoint(220, 320)})
            QTest::mouseClick(canvas, Qt::LeftButton, {}, p);
        placed = s.window.editor().history().nodes();
        s.window.recovery().flush();
        stopAsKilled(s);
    }
    // What a save of the killed session would have left: the pack as opened.
    const QString asOpened = asOpenedCopyPath(QDir::currentPath(), base.path("levels.mrg"),
                                              QCoreApplication::applicationPid());
    QDir().mkpath(QFileInfo(asOpened).path());
    QFile::copy(base.path("levels.mrg"), asOpened);
    Started s(kListView, {},
              [](ScriptedPrompts& p) { p.recoveryChoices = {RecoveryWindow::Recover}; });
    QTRY_COMPARE(s.prompts->recoveryShown.size(), 1);
    for (const QString& line :
         {s.window.app().text(kLineRecoveryNewTrack, "Fresh"),
          s.window.app().text(kLineRecoveryAsOpened, QDir::toNativeSeparators(asOpened))})
        EXPECT_TRUE(s.prompts->recoveryShown.front().contains(line)) << line.toStdString();
    EditorController& e = s.window.editor();
    ASSERT_TRUE(e.isOpen());
    EXPECT_TRUE(e.session().isDrawing());
    EXPECT_EQ(e.session().TrackName, "Fresh");
    EXPECT_EQ(e.history().nodes(), placed);
    QTest::mouseClick(ctl<TrackCanvas>(s.window, "MapImg"), Qt::LeftButton, {}, QPoint(320, 300));
    EXPECT_EQ(e.history().nodes().size(), placed.size() + 1);
    e.history().stack().undo();
    EXPECT_EQ(e.history().nodes(), placed);
    s.prompts->answers.assign(8, true);
    e.leaveEditor();
}
