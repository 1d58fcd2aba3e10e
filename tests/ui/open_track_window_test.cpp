// The open track through the real main window: what closing it leaves in the
// pack, the status bar, the title and the close questions; the ".lev" export
// of what the canvas shows; the pack steps its stores make; cancelled
// dialogs; undo texts in the language of the moment.
#include "../core/settings_files.h"
#include "editor_window_util.h"
#include "pack/track_import.h"
#include "settings/ui/mnemonics.h"
#include "text/lang_added.h"
#include "ui_test_util.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>

#include <functional>

using namespace korvo;
using namespace korvo::test;

namespace {

// The steps from node to node: a track drawn anywhere compares with its
// stored form, which starts at x 0.
std::vector<QPoint> steps(const DecodedTrack& t) {
    std::vector<QPoint> out;
    for (int i = 2; i <= t.NodeCount; ++i) out.push_back(t.node(i) - t.node(i - 1));
    return out;
}

DecodedTrack decoded(const TTrackInfo& record) {
    DecodedTrack t;
    t.decode(record);
    return t;
}

// Opens row 1 (Hill), picks the fifth length preset and drags node 3 up.
void editHill(Started& s) {
    MainWindow& w = s.window;
    openRow(s, 1);
    ASSERT_TRUE(panel(w)->isVisible());
    panel(w)->ListLenT->setCurrentIndex(4);
    emit panel(w)->ListLenT->activated(4);
    drag(ctl<TrackCanvas>(w, "MapImg"), canvasPoint(w, 3), canvasPoint(w, 3) + QPoint(0, -20));
    ASSERT_TRUE(w.editor().track().modified());
}

} // namespace

// A preset chosen and a node dragged, then "Закрыть без сохранения" → Yes:
// the pack holds what it held, reopening shows the stored track, and Save
// writes the file it read, byte for byte.
TEST(OpenTrackWindow, ClosingWithoutStoringLeavesThePackAsItWas) {
    BaseFolder base({});
    writeHillPack(base);
    const QByteArray original = fileBytes(base.path("levels.mrg"));
    Started s;
    MainWindow& w = s.window;
    const TTrackInfo before = w.document().Tracks[1];
    editHill(s);
    s.prompts->answers = {true};
    QTest::mouseClick(panel(w)->CloseProp, Qt::LeftButton);
    EXPECT_EQ(s.prompts->asked, QStringList{w.app().Lang[kLineCloseUnsavedTrack]});
    EXPECT_TRUE(w.document().Tracks[1] == before) << "the record as it was before opening";
    EXPECT_FALSE(ctl<QAction>(w, "EditUndo")->isEnabled()) << "no step in the pack's history";

    openRow(s, 1);
    EXPECT_EQ(panel(w)->ListLenT->currentIndex(), 0) << "the stored preset";
    EXPECT_EQ(steps(w.editor().state()), steps(decoded(before)));
    QTest::mouseClick(panel(w)->CloseProp, Qt::LeftButton); // unchanged: nothing to ask
    EXPECT_EQ(s.prompts->asked.size(), 1);

    ctl<QAction>(w, "N6")->trigger();
    EXPECT_EQ(fileBytes(base.path("levels.mrg")), original);
    EXPECT_EQ(w.statusText(3), w.app().Lang[55]);
    EXPECT_EQ(w.windowTitle(),
              "Korvo Track Editor 3 - " + QDir::toNativeSeparators(base.path("levels.mrg")));
}

// After every way of leaving a track, "Saved" in the status bar and closing
// the window without a question go together, and the title names the pack
// with no change marker.
TEST(OpenTrackWindow, StatusTitleAndCloseQuestionAgreeAfterEveryWayOfClosing) {
    struct Way {
        const char* what;
        std::function<void(Started&)> act;
        bool saved;
    };
    const std::vector<Way> ways = {
        {"stored",
         [](Started& s) {
             editHill(s);
             QTest::mouseClick(panel(s.window)->SaveTProp, Qt::LeftButton);
         },
         false},
        {"closed without storing",
         [](Started& s) {
             editHill(s);
             s.prompts->answers = {true};
             QTest::mouseClick(panel(s.window)->CloseProp, Qt::LeftButton);
         },
         true},
        {"a new track stored",
         [](Started& s) {
             drawNewTrack(s.window, "drawn", {{20, 200}, {80, 180}});
             QTest::mouseClick(panel(s.window)->SaveTProp, Qt::LeftButton);
         },
         false},
        {"a new track dropped",
         [](Started& s) {
             drawNewTrack(s.window, "drawn", {{20, 200}, {80, 180}});
             s.prompts->answers = {true};
             QTest::mouseClick(panel(s.window)->CloseProp, Qt::LeftButton);
         },
         true},
        {"a new track still drawn",
         [](Started& s) {
             drawNewTrack(s.window, "drawn", {{20, 200}, {80, 180}});
         },
         false},
        {"an edited track still open", [](Started& s) { editHill(s); }, false},
        {"New over an edited track",
         [](Started& s) {
             editHill(s);
             s.prompts->answers.assign(4, true);
             ctl<QAction>(s.window, "N4")->trigger();
         },
         true},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        BaseFolder base({});
        writeHillPack(base);
        Started s;
        MainWindow& w = s.window;
        way.act(s);
        EXPECT_EQ(w.statusText(3), w.app().Lang[way.saved ? 55 : 54]);
        EXPECT_TRUE(w.windowTitle().startsWith("Korvo Track Editor 3 - "));
        EXPECT_FALSE(w.windowTitle().contains('*'));
        EXPECT_FALSE(w.isWindowModified());
        s.prompts->asked.clear();
        s.prompts->answers = {false};
        w.close();
        EXPECT_EQ(s.prompts->asked.isEmpty(), way.saved)
            << s.prompts->asked.join('|').toStdString();
        EXPECT_EQ(w.isVisible(), !way.saved);
        // Exit asks the same as the window's close button.
        if (way.saved) continue;
        const QStringList closeAsked = s.prompts->asked;
        s.prompts->answers = {false};
        ctl<QAction>(w, "N7")->trigger();
        EXPECT_EQ(s.prompts->asked.mid(closeAsked.size()), closeAsked);
        EXPECT_TRUE(w.isVisible());
    }
}

// "Сохранить трек как *.lev" while a track is open writes the track the
// canvas shows: an edited track with its edits, a new track as drawn. The
// pack's record is not touched.
TEST(OpenTrackWindow, LevExportOfAnOpenTrackHoldsWhatTheCanvasShows) {
    BaseFolder base({});
    writeHillPack(base);
    Started s;
    MainWindow& w = s.window;
    const auto exported = [&](const char* name) {
        s.prompts->paths = {base.path(name)};
        EXPECT_TRUE(ctl<QAction>(w, "SaveLev")->isEnabled());
        ctl<QAction>(w, "SaveLev")->trigger();
        TrackTable read;
        Rows rows;
        EXPECT_TRUE(loadLevFiles({base.path(name)}, read, rows).empty()) << name;
        return read.TrackCount == 1 ? steps(decoded(read[1])) : std::vector<QPoint>{};
    };

    const TTrackInfo stored = w.document().Tracks[1];
    editHill(s);
    const std::vector<QPoint> shown = steps(w.editor().state());
    ASSERT_NE(shown, steps(decoded(stored)));
    EXPECT_EQ(exported("edited.lev"), shown);
    EXPECT_TRUE(w.document().Tracks[1] == stored);
    s.prompts->answers = {true};
    QTest::mouseClick(panel(w)->CloseProp, Qt::LeftButton);

    s.click(2); // another track selected in the hidden list
    drawNewTrack(w, "drawn", {{20, 200}, {80, 180}, {150, 230}});
    ASSERT_EQ(w.editor().state().NodeCount, 3);
    EXPECT_EQ(exported("new.lev"), steps(w.editor().state()));
}

// A second store of the same track, dragged again, is a step of the pack's
// history of its own; undoing both gives the file back byte for byte. The
// steps' names follow the language.
TEST(OpenTrackWindow, EveryStoreOfAChangedTrackIsAStep) {
    BaseFolder base({});
    writeHillPack(base);
    const QByteArray original = fileBytes(base.path("levels.mrg"));
    Started s;
    MainWindow& w = s.window;
    QAction* undo = ctl<QAction>(w, "EditUndo");
    for (int store = 1; store <= 2; ++store) {
        openRow(s, 1);
        drag(ctl<TrackCanvas>(w, "MapImg"), canvasPoint(w, 3), canvasPoint(w, 3) + QPoint(0, -10));
        QTest::mouseClick(panel(w)->SaveTProp, Qt::LeftButton);
        ASSERT_FALSE(w.editor().isOpen());
        EXPECT_EQ(w.document().history().count(), store);
        EXPECT_EQ(undo->text(), "Undo store track");
    }
    const int y = decoded(w.document().Tracks[1]).node(3).y();
    undo->trigger();
    EXPECT_EQ(decoded(w.document().Tracks[1]).node(3).y(), y + 10);
    undo->trigger();
    ctl<QAction>(w, "N6")->trigger();
    EXPECT_EQ(fileBytes(base.path("levels.mrg")), original);

    // A step made in Russian reads in English once English is chosen, in the
    // open track's history and in the pack's.
    const auto useLanguage = [&](const char* file) { // chosen and applied in the options
        answerMessageBoxes([&] {
            QTimer::singleShot(0, [&] {
                auto* d = ctl<OptionsDialog>(w, "Toptions_f");
                d->findChild<QComboBox*>("Langlist")->setCurrentText(file);
                QTest::mouseClick(d->findChild<QPushButton*>("applyopt"), Qt::LeftButton);
            });
            ctl<QAction>(w, "N19")->trigger();
        });
    };
    useLanguage("russian.lng");
    openRow(s, 1);
    drag(ctl<TrackCanvas>(w, "MapImg"), canvasPoint(w, 3), canvasPoint(w, 3) + QPoint(0, -10));
    EXPECT_EQ(undo->text(), QString::fromUtf8("Отменить перемещение узла"));
    useLanguage("english.lng");
    EXPECT_EQ(undo->text(), "Undo move node");
    useLanguage("russian.lng");
    QTest::mouseClick(panel(w)->SaveTProp, Qt::LeftButton);
    EXPECT_EQ(undo->text(), QString::fromUtf8("Отменить сохранение трека"));
    useLanguage("english.lng");
    EXPECT_EQ(undo->text(), "Undo store track");
    undo->trigger();
    EXPECT_EQ(ctl<QAction>(w, "EditRedo")->text(), "Redo store track");
}

// Open, Save as, the copy-tracks dialog, ".lev" import and the options
// dialog, each cancelled, change neither the pack, its rows, its history nor
// the settings file.
TEST(OpenTrackWindow, EveryCancelledDialogChangesNothing) {
    BaseFolder base({});
    writeHillPack(base);
    writeNamedPack(base.path("other.mrg"), {{"x"}, {}, {"y"}});
    Started s;
    MainWindow& w = s.window;
    s.click(2);
    ctl<QAction>(w, "DownItem")->trigger(); // unsaved: every question is asked
    const QByteArray pack = fileBytes(base.path("levels.mrg"));
    const QByteArray settings = fileBytes(base.path("opt.ini"));
    const int steps = w.document().history().count();
    const QString name = w.document().fileName();
    std::vector<std::string> rows;
    for (int r = 0; r < w.document().Rows.size(); ++r) rows.push_back(s.caption(r));

    const std::vector<std::pair<const char*, std::function<void()>>> dialogs = {
        {"Open",
         [&] {
             s.prompts->answers = {true}; // yes, drop the changes; then the dialog is cancelled
             ctl<QAction>(w, "N16")->trigger();
         }},
        {"Save as", [&] { ctl<QAction>(w, "mrg1")->trigger(); }},
        {"copy tracks",
         [&] {
             s.prompts->paths = {base.path("other.mrg")};
             ctl<QAction>(w, "N9")->trigger();
         }},
        {".lev files", [&] { ctl<QAction>(w, "levv11")->trigger(); }},
        {"options",
         [&] {
             bool cancelled = false;
             QTimer::singleShot(0, [&] {
                 auto* d = ctl<OptionsDialog>(w, "Toptions_f");
                 d->findChild<QComboBox*>("Langlist")->setCurrentText("russian.lng");
                 QTest::mouseClick(d->findChild<QPushButton*>("closeopt"), Qt::LeftButton);
                 cancelled = true;
             });
             ctl<QAction>(w, "N19")->trigger();
             EXPECT_TRUE(QTest::qWaitFor([&] { return cancelled; }, 2000));
         }},
    };
    for (const auto& [what, cancel] : dialogs) {
        SCOPED_TRACE(what);
        cancel();
        EXPECT_EQ(w.document().fileName(), name);
        EXPECT_EQ(fileBytes(base.path("levels.mrg")), pack);
        EXPECT_FALSE(QFileInfo::exists(base.path("levels.mrg.old")));
        EXPECT_EQ(fileBytes(base.path("opt.ini")), settings);
        EXPECT_EQ(w.document().history().count(), steps);
        EXPECT_TRUE(w.document().modified());
        EXPECT_EQ(w.statusText(3), w.app().Lang[54]);
        std::vector<std::string> now;
        for (int r = 0; r < w.document().Rows.size(); ++r) now.push_back(s.caption(r));
        EXPECT_EQ(now, rows);
        EXPECT_EQ(withoutMnemonic(ctl<QAction>(w, "N16")->text()), "Open *.mrg")
            << "the language stays";
    }
}

// While a track is open Save, Save as and Open wait; their keys say so in the
// status bar, naming the command in the window's language, and neither write
// nor ask. Closed, the keys act again.
TEST(OpenTrackWindow, SaveAndOpenKeysSayInTheStatusBarWhyTheyWait) {
    for (const char* lang : {"russian.lng", "english.lng"}) {
        BaseFolder base({{"a", "b"}, {"c"}, {}});
        QByteArray ini = kDefaultOptionsText;
        ini.replace("Lang=english.lng", QByteArray("Lang=") + lang);
        putFile(base.path("opt.ini"), ini);
        Started s;
        MainWindow& w = s.window;
        openRow(s, 1);
        ASSERT_TRUE(w.editor().isOpen());
        const QByteArray pack = fileBytes(base.path("levels.mrg"));
        const std::pair<QKeySequence, const char*> keys[] = {
            {QKeySequence::Save, "N6"},
            {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), "mrg1"},
            {QKeySequence::Open, "N16"}};
        for (const auto& [key, command] : keys) {
            w.statusBar()->clearMessage();
            QTest::keySequence(&w, key);
            const QString note = w.statusBar()->currentMessage();
            EXPECT_TRUE(note.contains(withoutMnemonic(ctl<QAction>(w, command)->text())))
                << lang << " " << note.toStdString();
            EXPECT_TRUE(
                note.contains(w.app().Lang[kLineWaitsForTrack].section("%s", 1, 1).left(12)))
                << note.toStdString();
            EXPECT_EQ(note.contains(QRegularExpression("[а-я]")), QString(lang) == "russian.lng");
        }
        EXPECT_TRUE(s.prompts->asked.empty()) << "no question, no file dialog";
        EXPECT_EQ(fileBytes(base.path("levels.mrg")), pack);

        QTest::mouseClick(panel(w)->CloseProp, Qt::LeftButton);
        w.statusBar()->clearMessage();
        s.prompts->paths = {base.path("copy.mrg")};
        QTest::keySequence(&w, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
        EXPECT_TRUE(w.statusBar()->currentMessage().isEmpty());
        EXPECT_EQ(fileBytes(base.path("copy.mrg")), pack) << "Save as acts again";
    }
}
