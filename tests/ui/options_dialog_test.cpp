// The options dialog: what it shows from "opt.ini", what Apply writes and
// puts into force, and that Cancel writes nothing.
#include "settings/autosave.h"
#include "settings/ini_file.h"
#include "settings/options.h"
#include "settings/ui/color_box.h"
#include "settings/ui/options_dialog.h"
#include "text/lang_lines.h"

#include "../core/settings_files.h"
#include "ui_test_util.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace korvo;
using korvo::test::answerMessageBoxes;
using korvo::test::fileBytes;
using korvo::test::putFile;

namespace {

// A base folder with "opt.ini", some language files and the dialog on it.
struct DialogFixture {
    QTemporaryDir dir;
    QString ini = dir.filePath("opt.ini");
    Options options;
    LangLines lang;
    QTimer autotime;
    std::unique_ptr<OptionsDialog> dialog;

    explicit DialogFixture(const QByteArray& optText = kDefaultOptionsText,
                           QStringList langFiles = {"russian.lng", "english.lng"}) {
        putFile(ini, optText);
        QDir(dir.path()).mkpath("lang");
        for (const QString& name : langFiles) putFile(dir.filePath("lang/" + name), "x\r\n");
        LoadOptions(dir.path(), options);
        applyAutosave(autotime, options);
        dialog = std::make_unique<OptionsDialog>(dir.path(), options, lang, &autotime);
        dialog->show(); // runs showCurrentValues
    }
    template <class W> W* get(const char* name) {
        W* w = dialog->findChild<W*>(name);
        EXPECT_TRUE(w) << name;
        return w;
    }
    QStringList languages() {
        QStringList items;
        auto* list = get<QComboBox>("Langlist");
        for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
        return items;
    }
    QStringList apply() {
        return answerMessageBoxes(
            [&] { QTest::mouseClick(get<QPushButton>("applyopt"), Qt::LeftButton); });
    }
    QString read(const char* section, const char* key) {
        return ReadString(section, key, ini, "-");
    }
};

} // namespace

TEST(OptionsDialog, OpensWithWhatTheFileHolds) {
    DialogFixture f;
    EXPECT_EQ(f.dialog->windowTitle(), QString::fromUtf8("Опции"));
    EXPECT_TRUE(f.get<QCheckBox>("cb_autotime")->isChecked());
    EXPECT_EQ(f.get<QLineEdit>("at_int")->text(), "5");
    // Defaults: NewLevel 0 selects the disabled "at the start" button.
    EXPECT_TRUE(f.get<QRadioButton>("RadioButton1")->isChecked());
    EXPECT_FALSE(f.get<QRadioButton>("RadioButton1")->isEnabled());
    EXPECT_TRUE(f.get<QRadioButton>("RadioButton3")->isChecked());
    EXPECT_TRUE(f.get<QRadioButton>("RadioButton5")->isChecked());
    EXPECT_EQ(f.languages(), (QStringList{"english.lng", "russian.lng"}));
    EXPECT_EQ(f.get<QComboBox>("Langlist")->currentText(), "english.lng");
    EXPECT_EQ(f.get<ColorBox>("bg1")->currentText(),
              QString::fromUtf8("Белый")); // the dialog speaks its language
    EXPECT_EQ(f.get<ColorBox>("line3")->currentText(), QString::fromUtf8("Красный"));
    EXPECT_EQ(f.get<ColorBox>("node1")->color(), QColor(Qt::red));
}

TEST(OptionsDialog, AutosaveOffShowsTheMinutesGroupDisabledAndEmpty) {
    DialogFixture f("[AutoSave]\r\nAutoSave=0\r\nSavetime=7\r\n[Options]\r\nVList=5\r\n"
                    "[Colors]\r\nBG2=197121\r\n");
    auto* tick = f.get<QCheckBox>("cb_autotime");
    auto* group = f.get<QWidget>("minutesGroup");
    EXPECT_FALSE(tick->isChecked());
    EXPECT_FALSE(group->isEnabled());
    EXPECT_EQ(f.get<QLineEdit>("at_int")->text(), "");
    EXPECT_FALSE(f.autotime.isActive());
    EXPECT_TRUE(f.get<QRadioButton>("RadioButton5")->isChecked()); // VList 5 leaves the default
    // A colour outside the list shows as the custom entry.
    EXPECT_EQ(f.get<ColorBox>("bg2")->currentIndex(), ColorBox::kCustomIndex);
    EXPECT_EQ(f.get<ColorBox>("bg2")->color(), QColor(1, 2, 3));
    QTest::mouseClick(tick, Qt::LeftButton);
    EXPECT_TRUE(group->isEnabled());
    QTest::mouseClick(tick, Qt::LeftButton);
    EXPECT_FALSE(group->isEnabled());
}

TEST(OptionsDialog, LanguageListShowsLngFilesOnly) {
    DialogFixture f("[Options]\r\nLang=ENGLISH.LNG\r\n",
                    {"russian.lng", "Zulu.lng", "english.lng", "b.LNG", "notes.txt"});
    QDir(f.dir.path()).mkpath("lang/folder.lng");
    f.dialog->showCurrentValues();
    EXPECT_EQ(f.languages(), (QStringList{"b.LNG", "english.lng", "russian.lng", "Zulu.lng"}));
    EXPECT_EQ(f.get<QComboBox>("Langlist")->currentText(), "english.lng");

    putFile(f.ini, "[Options]\r\nLang=german.lng\r\n"); // listed files, none named by Lang
    f.dialog->showCurrentValues();
    EXPECT_EQ(f.get<QComboBox>("Langlist")->currentIndex(), -1);

    DialogFixture none(kDefaultOptionsText, {});
    EXPECT_TRUE(none.languages().isEmpty());
}

TEST(OptionsDialog, CancelAfterChangingEverythingWritesNothing) {
    DialogFixture f;
    const Options before = f.options;
    QTest::mouseClick(f.get<QCheckBox>("cb_autotime"), Qt::LeftButton);
    f.get<QLineEdit>("at_int")->setText("9");
    f.get<QRadioButton>("RadioButton2")->setChecked(true);
    f.get<QRadioButton>("RadioButton4")->setChecked(true);
    f.get<QRadioButton>("RadioButton6")->setChecked(true);
    f.get<QComboBox>("Langlist")->setCurrentIndex(1);
    for (const char* box : {"bg1", "bg2", "bg3", "line1", "line2", "line3"})
        f.get<ColorBox>(box)->setCurrentIndex(3);
    auto* node = f.get<ColorBox>("node1");
    node->setChooser([](const QColor&, QWidget*) { return QColor(9, 8, 7); });
    emit node->activated(ColorBox::kCustomIndex);
    EXPECT_EQ(node->color(), QColor(9, 8, 7));
    QTest::mouseClick(f.get<QPushButton>("closeopt"), Qt::LeftButton);
    EXPECT_FALSE(f.dialog->isVisible());
    EXPECT_EQ(fileBytes(f.ini), kDefaultOptionsText);
    EXPECT_EQ(f.options.Node1, before.Node1);
    EXPECT_EQ(f.options.VMoto, before.VMoto);
    EXPECT_EQ(f.options.autoSaveEnabled, before.autoSaveEnabled);

    f.dialog->show(); // the next showing starts from the file again
    EXPECT_TRUE(f.get<QCheckBox>("cb_autotime")->isChecked());
    EXPECT_EQ(f.get<ColorBox>("node1")->color(), QColor(Qt::red));
}

TEST(OptionsDialog, ApplyWritesEverythingAndPutsItIntoForce) {
    DialogFixture f;
    int applied = 0, languageChanged = 0;
    f.dialog->setHooks({[&] { ++languageChanged; }, [&] { ++applied; }});
    f.get<QLineEdit>("at_int")->setText("3");
    f.get<QRadioButton>("RadioButton2")->setChecked(true);
    f.get<QRadioButton>("RadioButton4")->setChecked(true);
    f.get<QRadioButton>("RadioButton6")->setChecked(true);
    f.get<QComboBox>("Langlist")->setCurrentText("russian.lng");
    auto* node = f.get<ColorBox>("node1");
    node->setChooser([](const QColor&, QWidget*) { return QColor(1, 2, 3); });
    emit node->activated(ColorBox::kCustomIndex);
    f.get<ColorBox>("bg3")->setCurrentText(QString::fromUtf8("Тёмно-синий"));

    const QStringList shown = f.apply();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0], LangLines()[88]);
    EXPECT_EQ(languageChanged, 1);
    EXPECT_EQ(applied, 1);
    EXPECT_FALSE(f.dialog->isVisible());
    EXPECT_TRUE(f.autotime.isActive());
    EXPECT_EQ(f.autotime.interval(), 180000);
    EXPECT_EQ(f.options.NewLevel, kNewTrackAtEnd);
    EXPECT_EQ(f.options.VMoto, kRiderSprite);
    EXPECT_EQ(f.options.ViewMode, kViewList); // the tree comes with the next start
    EXPECT_EQ(f.options.Lang, "russian.lng");
    EXPECT_EQ(f.options.Node1, QColor(1, 2, 3));
    EXPECT_EQ(f.options.BG3, QColor(0, 0, 128));
    EXPECT_EQ(f.read("AutoSave", "Savetime"), "3");
    EXPECT_EQ(f.read("Options", "VList"), "1");
    EXPECT_EQ(f.read("Options", "Lang"), "russian.lng");
    EXPECT_EQ(f.read("Colors", "Node1"), "197121");
    EXPECT_EQ(f.read("Colors", "BG3"), "8388608");
    EXPECT_EQ(f.read("Options", "RatioPic"), "8"); // untouched keys stay
    EXPECT_TRUE(fileBytes(f.ini).startsWith("[Options]\r\nNewLevel=1\r\nLang=russian.lng\r\n"));

    Options restarted; // the same after a restart
    LoadOptions(f.dir.path(), restarted);
    EXPECT_EQ(restarted.autoSavePeriodMs, 180000);
    EXPECT_EQ(restarted.ViewMode, kViewTree);
    EXPECT_EQ(restarted.Node1, QColor(1, 2, 3));

    f.dialog->show(); // once "at the end" is applied there is no way back
    EXPECT_TRUE(f.get<QRadioButton>("RadioButton2")->isChecked());
}

// With autosave off the minutes field is not read and the stored minutes
// stay; with no language to choose "Lang" stays; the rest is applied.
TEST(OptionsDialog, ApplyKeepsWhatTheDialogDoesNotOffer) {
    DialogFixture f(kDefaultOptionsText, {});
    QTest::mouseClick(f.get<QCheckBox>("cb_autotime"), Qt::LeftButton);
    f.get<QLineEdit>("at_int")->setText("not used");
    f.get<QRadioButton>("RadioButton4")->setChecked(true);
    EXPECT_EQ(f.apply().size(), 1);
    EXPECT_FALSE(f.autotime.isActive());
    EXPECT_FALSE(f.options.autoSaveEnabled);
    EXPECT_EQ(f.read("AutoSave", "AutoSave"), "0");
    EXPECT_EQ(f.read("AutoSave", "Savetime"), "5");
    EXPECT_EQ(f.options.Lang, "english.lng");
    EXPECT_EQ(f.read("Options", "Lang"), "english.lng");
    EXPECT_EQ(f.read("Options", "VMoto"), "1");
}

TEST(OptionsDialog, ApplyRefusesMinutesThatAreNoNumberAndWritesNothing) {
    for (const char* typed : {"", "abc", "2.5", "0", "-4", "99999"}) {
        SCOPED_TRACE(typed);
        DialogFixture f;
        bool hooked = false;
        f.dialog->setHooks({[&] { hooked = true; }, [&] { hooked = true; }});
        f.get<QLineEdit>("at_int")->setText(typed);
        f.get<QRadioButton>("RadioButton6")->setChecked(true);
        const QStringList shown = f.apply();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown[0].contains("35791"));
        EXPECT_TRUE(f.dialog->isVisible());
        EXPECT_FALSE(hooked);
        EXPECT_EQ(fileBytes(f.ini), kDefaultOptionsText);
        EXPECT_EQ(f.autotime.interval(), 300000);
    }
}

TEST(OptionsDialog, ApplyThatCannotSaveSaysSoAndPutsNothingIntoForce) {
    DialogFixture f;
    QFile::remove(f.ini);
    QDir(f.dir.path()).mkdir("opt.ini"); // exists, cannot be read or replaced
    f.get<QRadioButton>("RadioButton4")->setChecked(true);
    const QStringList shown = f.apply();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_NE(shown[0], LangLines()[88]);
    EXPECT_TRUE(shown[0].contains("opt.ini"));
    EXPECT_EQ(f.options.VMoto, kRiderDot); // nothing is put into force
    EXPECT_TRUE(QFileInfo(f.ini).isDir());
}

// On and off through the options: main_window_settings_test. "Savetime=0"
// stops the timer though autosave is on.
TEST(Autosave, APeriodOfNoMinutesRunsNoTimer) {
    QTimer t;
    Options o;
    o.autoSavePeriodMs = 180000;
    applyAutosave(t, o);
    ASSERT_TRUE(t.isActive());
    o.autoSavePeriodMs = 0;
    applyAutosave(t, o);
    EXPECT_FALSE(t.isActive());
}
