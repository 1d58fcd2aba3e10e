// The settings through the real main window: the first start, the language,
// the options dialog opened from its menu item, the autosave timer and the
// recent packs submenu.
#include "dist/ui/submission_window.h"
#include "editor/ui/correction_window.h"
#include "list/ui/levels_list_view.h"
#include "list/ui/levels_tree_view.h"
#include "render/ui/preview_window.h"
#include "settings/ini_file.h"
#include "settings/lang_targets.h"
#include "settings/ui/about_box.h"
#include "settings/ui/color_box.h"
#include "settings/ui/lang_apply.h"
#include "settings/ui/mnemonics.h"
#include "settings/ui/options_dialog.h"
#include "text/lang_added.h"

#include "../core/settings_files.h"
#include "editor_window_util.h"
#include "ui_test_util.h"
#include "window_test_util.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTextEdit>
#include <optional>

using namespace korvo;
using namespace korvo::test;

namespace {

// Opens the options dialog through "Настройки", lets `change` set its
// controls and presses Apply; returns the texts of the message boxes shown.
QStringList applyOptions(Started& s, const std::function<void(OptionsDialog&)>& change) {
    return answerMessageBoxes([&] {
        QTimer::singleShot(0, [&] {
            change(s.window.optionsDialog());
            QTest::mouseClick(s.window.optionsDialog().findChild<QPushButton*>("applyopt"),
                              Qt::LeftButton);
        });
        ctl<QAction>(s.window, "N19")->trigger();
    });
}

template <class W> W* in(QWidget* form, const char* name) {
    W* w = form->findChild<W*>(name);
    EXPECT_TRUE(w) << name;
    return w;
}

QString optIni(const BaseFolder& base, const char* section, const char* key) {
    return ReadString(section, key, base.path("opt.ini"), "<none>");
}

QStringList recentMenu(MainWindow& window) {
    QStringList items;
    for (QAction* a : ctl<QMenu>(window, "N18")->actions()) items << withoutMnemonic(a->text());
    return items;
}

} // namespace

TEST(MainWindowSettings, FirstStartWritesTheDefaultsAndShowsEnglish) {
    BaseFolder base({});
    Started s;
    EXPECT_EQ(fileBytes(base.path("opt.ini")), kDefaultOptionsText);
    EXPECT_TRUE(s.prompts->shown.isEmpty());
    MainWindow& w = s.window;
    EXPECT_EQ(ctl<QMenu>(w, "N1")->title(), "&File");
    EXPECT_EQ(withoutMnemonic(ctl<QAction>(w, "N16")->text()), "Open *.mrg");
    EXPECT_EQ(ctl<QToolBar>(w, "ToolBar1")->widgetForAction(ctl<QAction>(w, "UpItem"))->toolTip(),
              "Move up");
    EXPECT_EQ(ctl<QLabel>(w, "StatusPanel1")->text(), "Grid: off");
    EXPECT_EQ(w.statusText(2), "Mode: viewing");
    EXPECT_EQ(w.statusText(3), "Saved");
    // The hidden windows are built when first opened, in the language in force.
    EXPECT_EQ(w.findChild<OptionsDialog*>(), nullptr);
    EXPECT_EQ(w.findChild<AboutBox*>(), nullptr);
    EXPECT_EQ(w.findChild<SubmissionWindow*>(), nullptr);
    EXPECT_EQ(w.findChild<CorrectionWindow*>(), nullptr);
    EXPECT_EQ(w.findChild<FloatingPreview*>(), nullptr);
    EXPECT_EQ(w.submissionWindow().windowTitle(), w.app().Lang[kLineSendLevelCommand]);
    EXPECT_EQ(w.optionsDialog().windowTitle(), "Options");
    EXPECT_EQ(w.aboutBox().windowTitle(), "About");
    EXPECT_TRUE(ctl<QAction>(w, "N5")->text().endsWith(
        "levels@example.org, tracks@example.org, editor@example.org"));
    // The settings in force: autosave every 5 minutes, the list, white and red.
    EXPECT_TRUE(ctl<QTimer>(w, "autotime")->isActive());
    EXPECT_EQ(ctl<QTimer>(w, "autotime")->interval(), 300000);
    EXPECT_EQ(w.app().ViewMode, kListView);
    EXPECT_EQ(w.app().Style.background(1), QColor(Qt::white));
    EXPECT_EQ(w.app().Style.line(3), QColor(Qt::red));
    EXPECT_EQ(w.app().NewLevel, 0);
    EXPECT_TRUE(ctl<QAction>(w, "levv11")->isVisible());
    EXPECT_TRUE(ctl<QAction>(w, "N19")->isEnabled());
    EXPECT_FALSE(ctl<QMenu>(w, "N18")->menuAction()->isEnabled()) << "no recent pack yet";
    EXPECT_TRUE(ctl<QMenu>(w, "N18")->actions().isEmpty());

    LangLines english;
    ASSERT_EQ(english.load(base.path("lang/english.lng")), "");
    // Every text of the language table reaches an element of the right kind:
    // read back, it is the line that was set.
    s.window.editor().floatingPreview(); // the parts built when first opened
    s.window.editor().propertiesPanel();
    const QStringList missing =
        applyLanguage(english, {&s.window, &s.window.optionsDialog(), &s.window.aboutBox()});
    EXPECT_TRUE(missing.isEmpty()) << missing.join(", ").toStdString();
    for (const char* name : {"Label1", "GroupBox1", "Label6", "Label13", "StaticText1"}) {
        int inMain = 0; // the about box and the tool windows are windows of their own
        for (QWidget* c : s.window.findChildren<QWidget*>(name)) inMain += c->window() == &s.window;
        EXPECT_EQ(inMain, 1) << name << " is re-captioned once in the main window";
    }
    // The commands as the user reads them in the Edit menu.
    for (auto [name, text] : {std::pair{"RideBtn", "Ride"}, std::pair{"ReplayRide", "Replay"},
                              std::pair{"CheckPack", "Check pack"}})
        EXPECT_EQ(withoutMnemonic(ctl<QAction>(s.window, name)->text()), text) << name;
    for (const LangBinding& b : langBindings()) {
        if (b.form != LangForm::Main) continue;
        QObject* o = ctl<QObject>(s.window, b.objectName);
        ASSERT_TRUE(o) << b.objectName;
        QString shown;
        if (b.target == LangTarget::Hint)
            shown = o->property("toolTip").toString();
        else if (b.target == LangTarget::WindowTitle)
            shown = o->property("windowTitle").toString();
        else if (auto* table = qobject_cast<QTableWidget*>(o))
            shown = table->item(b.row, 0)->text();
        else if (auto* memo = qobject_cast<QTextEdit*>(o))
            shown = memo->toPlainText();
        else
            for (const char* p : {"title", "text"})
                if (shown.isEmpty()) shown = o->property(p).toString();
        // Menu items and buttons show the line with an Alt letter of their own;
        // the help shows its steps one to a paragraph.
        QString line = withoutMnemonic(QString(english[b.line]).replace("\r\n", "\n"));
        if (QString(b.objectName) == "Memo2") line.replace(QRegularExpression(" ?\n(?!\\d)"), " ");
        shown = withoutMnemonic(shown);
        if (b.target == LangTarget::Notice)
            EXPECT_TRUE(shown.startsWith(line.trimmed())) << b.objectName;
        else
            EXPECT_EQ(shown, line) << b.objectName;
    }
}

TEST(MainWindowSettings, WithoutALangFolderTheBuiltInTextsShowAfterOneReport) {
    BaseFolder base(kSixTracks, false);
    Started s;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !s.prompts->shown.isEmpty(); }, 2000));
    ASSERT_EQ(s.prompts->shown.size(), 1);
    EXPECT_TRUE(s.prompts->shown[0].contains("english.lng"));
    EXPECT_EQ(ctl<QMenu>(s.window, "N1")->title(), QString::fromUtf8("&Файл"));
    EXPECT_EQ(s.window.statusText(2), LangLines::builtIn()[53]);
    // Later lookups take the built-in lines without further reports.
    s.click(1);
    ctl<QAction>(s.window, "DelItem")->trigger();
    ASSERT_EQ(s.prompts->asked.size(), 1);
    EXPECT_EQ(s.prompts->asked[0], QString(LangLines::builtIn()[63]).replace("%d", "1"));
    EXPECT_EQ(s.prompts->shown.size(), 1);
}

// The windows, the about box and the status bar's mode and state take the
// new language at once: while the box that says the settings are saved is
// shown, with no track open and with one.
TEST(MainWindowSettings, SwitchingLanguageRecaptionsEveryOpenWindowAtOnce) {
    BaseFolder base(kSixTracks);
    {
        Started s;
        s.window.aboutBox().show(); // the about box is open too
        bool dialogRecaptioned = false;
        QStringList status; // panels 2 and 3 as the box shows
        auto statusNow = [&s, &status] {
            QTimer::singleShot(0, [&s, &status] {
                status = {s.window.statusText(2), s.window.statusText(3)};
            });
        };
        const QStringList shown = applyOptions(s, [&](OptionsDialog& d) {
            in<QComboBox>(&d, "Langlist")->setCurrentText("russian.lng");
            // Runs while line 88 is shown, the dialog still open.
            QTimer::singleShot(0, [&] {
                dialogRecaptioned = d.isVisible() &&
                                    d.windowTitle() == QString::fromUtf8("Настройки") &&
                                    withoutMnemonic(in<QPushButton>(&d, "applyopt")->text()) ==
                                        QString::fromUtf8("Применить");
            });
            statusNow();
        });
        ASSERT_EQ(shown.size(), 1);
        EXPECT_EQ(shown[0], QString(s.window.app().Lang[88]).replace("\r\n", "\n"));
        EXPECT_TRUE(shown[0].startsWith(QString::fromUtf8("Настройки сохранены")));
        EXPECT_TRUE(dialogRecaptioned);
        EXPECT_EQ(status, QStringList({QString::fromUtf8("Режим: просмотр"),
                                       QString::fromUtf8("Сохранено")}));
        EXPECT_FALSE(s.window.optionsDialog().isVisible());
        EXPECT_EQ(ctl<QMenu>(s.window, "N1")->title(), QString::fromUtf8("&Файл"));
        EXPECT_EQ(withoutMnemonic(ctl<QAction>(s.window, "N16")->text()),
                  QString::fromUtf8("Открыть *.mrg"));
        EXPECT_EQ(s.window.aboutBox().windowTitle(), QString::fromUtf8("О программе"));
        EXPECT_EQ(withoutMnemonic(in<QPushButton>(&s.window.aboutBox(), "GotoSite")->text()),
                  QString::fromUtf8("Посетить сайт программы"));
        EXPECT_EQ(optIni(base, "Options", "Lang"), "russian.lng");

        // Back to English with a track open and the pack changed.
        s.window.aboutBox().close();
        s.click(2);
        ctl<QAction>(s.window, "DownItem")->trigger();
        openRow(s, 3); // b
        ASSERT_TRUE(s.window.editor().isOpen());
        status.clear();
        applyOptions(s, [&](OptionsDialog& d) {
            in<QComboBox>(&d, "Langlist")->setCurrentText("english.lng");
            statusNow();
        });
        EXPECT_EQ(status, QStringList({"Mode: editing a track", "Not saved"}));
    }
    Started again;
    EXPECT_EQ(ctl<QMenu>(again.window, "N1")->title(), "&File");
    EXPECT_TRUE(again.prompts->shown.isEmpty());
}

TEST(MainWindowSettings, AppliedAutosaveAndColoursHoldNowAndAfterARestart) {
    BaseFolder base(kSixTracks);
    {
        Started s;
        applyOptions(s, [](OptionsDialog& d) {
            in<QLineEdit>(&d, "at_int")->setText("3");
            in<ColorBox>(&d, "node1")->setColor(QColor(0, 128, 0));
            in<ColorBox>(&d, "bg2")->setColor(QColor(0, 0, 255));
            in<QRadioButton>(&d, "RadioButton2")->setChecked(true);
            in<QRadioButton>(&d, "RadioButton4")->setChecked(true);
        });
        EXPECT_TRUE(ctl<QTimer>(s.window, "autotime")->isActive());
        EXPECT_EQ(ctl<QTimer>(s.window, "autotime")->interval(), 180000);
        EXPECT_EQ(s.window.app().Style.Node1, QColor(0, 128, 0));
        EXPECT_EQ(s.window.app().Style.background(2), QColor(0, 0, 255));
        EXPECT_EQ(s.window.app().Style.VMoto, 1);
        EXPECT_EQ(s.window.app().NewLevel, 1);
        EXPECT_EQ(optIni(base, "AutoSave", "Savetime"), "3");
    }
    {
        Started s;
        EXPECT_TRUE(ctl<QTimer>(s.window, "autotime")->isActive());
        EXPECT_EQ(ctl<QTimer>(s.window, "autotime")->interval(), 180000);
        EXPECT_EQ(s.window.app().Style.Node1, QColor(0, 128, 0));
        EXPECT_EQ(s.window.app().NewLevel, 1);
        applyOptions(s,
                     [](OptionsDialog& d) { in<QCheckBox>(&d, "cb_autotime")->setChecked(false); });
        EXPECT_FALSE(ctl<QTimer>(s.window, "autotime")->isActive());
    }
    Started s;
    EXPECT_FALSE(ctl<QTimer>(s.window, "autotime")->isActive());
    EXPECT_EQ(optIni(base, "AutoSave", "Savetime"), "3");
}

TEST(MainWindowSettings, TheTreeViewIsUsedFromTheNextStart) {
    BaseFolder base(kSixTracks);
    {
        Started s(std::nullopt);
        applyOptions(
            s, [](OptionsDialog& d) { in<QRadioButton>(&d, "RadioButton6")->setChecked(true); });
        EXPECT_EQ(optIni(base, "Options", "VList"), "1");
        EXPECT_EQ(s.window.app().ViewMode, kListView);
        EXPECT_TRUE(ctl<LevelsListView>(s.window, "LevelsList")->isVisible());
        EXPECT_FALSE(ctl<LevelsTreeView>(s.window, "LevelsTree")->isVisible());
    }
    Started s(std::nullopt);
    EXPECT_EQ(s.window.app().ViewMode, kTreeView);
    EXPECT_TRUE(ctl<LevelsTreeView>(s.window, "LevelsTree")->isVisible());
    EXPECT_FALSE(ctl<LevelsListView>(s.window, "LevelsList")->isVisible());
    EXPECT_EQ(s.view()->model()->rowCount(), 3); // the three groups, tracks below them
    Started forced(kListView);                   // a view given to the window still wins
    EXPECT_TRUE(ctl<LevelsListView>(forced.window, "LevelsList")->isVisible());
}

TEST(MainWindowSettings, RecentPacksFollowEveryOpenAndReopenWithTheOpenQuestions) {
    BaseFolder base(kSixTracks);
    const QString A = base.path("A.mrg"), B = base.path("B.mrg"), C = base.path("C.mrg");
    writeNamedPack(A, {{"a1"}, {}, {}});
    writeNamedPack(B, {{}, {"b1"}, {}});
    writeNamedPack(C, {{}, {}, {"c1", "c2"}});
    {
        Started s;
        for (const QString& p : {A, B, C, B}) {
            s.prompts->paths = {p};
            ctl<QAction>(s.window, "N16")->trigger();
        }
        EXPECT_TRUE(s.prompts->asked.isEmpty());
        EXPECT_EQ(recentMenu(s.window), (QStringList{"1: " + B, "2: " + A, "3: " + C}));
        EXPECT_EQ(s.window.packCommands().LastFilesList(), (QStringList{B, A, C}));
        EXPECT_EQ(optIni(base, "LastFiles", "1"), B);
        EXPECT_EQ(optIni(base, "LastFiles", "3"), C);

        // A click asks the Open question about the changed pack; No keeps it.
        s.click(2); // b1 goes down into Hard
        ctl<QAction>(s.window, "DownItem")->trigger();
        ASSERT_TRUE(s.window.document().modified());
        s.prompts->answers = {false};
        ctl<QMenu>(s.window, "N18")->actions()[2]->trigger();
        ASSERT_EQ(s.prompts->asked.size(), 1);
        EXPECT_EQ(s.prompts->asked[0], s.window.app().Lang.format(72, QDir::toNativeSeparators(B)));
        EXPECT_EQ(s.window.document().fileName(), B);
        EXPECT_EQ(recentMenu(s.window)[0], "1: " + B);

        s.prompts->answers = {true};
        ctl<QMenu>(s.window, "N18")->actions()[2]->trigger();
        EXPECT_EQ(s.window.document().fileName(), C);
        EXPECT_EQ(s.window.statusText(4), "[0/0/2]");
        EXPECT_FALSE(s.window.document().modified());
        EXPECT_TRUE(s.window.windowTitle().endsWith("C.mrg"));
        EXPECT_EQ(recentMenu(s.window), (QStringList{"1: " + C, "2: " + B, "3: " + A}));
    }
    Started s;
    EXPECT_EQ(recentMenu(s.window), (QStringList{"1: " + C, "2: " + B, "3: " + A}));
    EXPECT_EQ(ctl<QMenu>(s.window, "N18")->actions()[1]->toolTip(), B);
    EXPECT_TRUE(ctl<QMenu>(s.window, "N18")->menuAction()->isEnabled());

    // A pack whose file is gone: asked, taken off the list, the open pack stays.
    QFile::remove(B);
    s.prompts->answers = {true};
    ctl<QMenu>(s.window, "N18")->actions()[1]->trigger();
    ASSERT_EQ(s.prompts->asked.size(), 1);
    EXPECT_EQ(s.prompts->asked[0],
              s.window.app().Lang.format(kLineRecentGone, QDir::toNativeSeparators(B)));
    EXPECT_EQ(recentMenu(s.window), (QStringList{"1: " + C, "2: " + A}));
    EXPECT_EQ(optIni(base, "LastFiles", "3"), "<none>") << "the keys are numbered afresh";
    EXPECT_EQ(s.window.document().fileName(), base.path("levels.mrg"));
}

TEST(MainWindowSettings, AutosaveSavesOnlyAChangedPackWithNoTrackOpen) {
    BaseFolder base(kSixTracks);
    const QString pack = base.path("levels.mrg");
    Started s;
    s.window.packCommands().autosaveTick(); // nothing changed: the file and its ".old" stay
    EXPECT_FALSE(QFileInfo::exists(pack + ".old"));

    s.click(1);
    ctl<QAction>(s.window, "DownItem")->trigger();
    ASSERT_TRUE(s.window.editor().track().open(1, 500).ok()); // a track is open
    s.window.packCommands().autosaveTick();
    EXPECT_EQ(packLayout(pack), "E: a b c | M: d e | H: f");
    EXPECT_TRUE(s.window.document().modified());

    s.window.editor().leaveEditor();
    s.window.packCommands().autosaveTick();
    EXPECT_EQ(packLayout(pack), "E: b a c | M: d e | H: f");
    EXPECT_FALSE(s.window.document().modified());
    EXPECT_EQ(s.window.statusText(3), s.window.app().Lang[55]);
    EXPECT_TRUE(s.prompts->shown.isEmpty());

    // The timer itself runs the tick.
    ctl<QAction>(s.window, "DownItem")->trigger();
    ctl<QTimer>(s.window, "autotime")->start(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !s.window.document().modified(); }, 2000));
    EXPECT_EQ(packLayout(pack), "E: b c a | M: d e | H: f");

    // A new pack holds only the three group headers: nothing is written.
    ctl<QAction>(s.window, "N4")->trigger();
    ASSERT_EQ(s.window.document().Rows.size(), 3);
    s.window.document().history().push(new QUndoCommand("changed"));
    s.window.packCommands().autosaveTick();
    EXPECT_FALSE(QFileInfo::exists(s.window.document().fileName()));
}
