// Start-up settings: the defaults file, the in-memory copies and the reading
// of numbers that are not what they should be.
#include "settings/autosave.h"
#include "settings/ini_file.h"
#include "settings/options.h"

#include "settings_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvo;
using korvo::test::fileBytes;
using korvo::test::putFile;

namespace {

Options readText(const QByteArray& text) {
    Options o;
    readOptions(IniText(text), o);
    return o;
}

} // namespace

TEST(Options, FirstStartWritesTheDefaultsAndReadsThem) {
    ASSERT_EQ(kDefaultOptionsText.size(), 224);
    EXPECT_EQ(kDefaultOptionsText.count("\r\n"), 19);
    EXPECT_EQ(kDefaultOptionsText.count('\n'), 19);
    EXPECT_TRUE(kDefaultOptionsText.startsWith("[Options]\r\nNewLevel=0\r\nLang=english.lng\r\n"));
    EXPECT_TRUE(kDefaultOptionsText.endsWith("Line3=255\r\nNode1=255\r\n"));

    QTemporaryDir dir;
    Options o;
    o.Lang = "x";
    o.autoSaveEnabled = false;
    const OptionsLoad load = LoadOptions(dir.path(), o);
    EXPECT_TRUE(load.createdDefaults);
    EXPECT_EQ(load.problem, "");
    EXPECT_EQ(fileBytes(dir.filePath("opt.ini")), kDefaultOptionsText);
    EXPECT_EQ(o.Lang, "english.lng");
    EXPECT_TRUE(o.autoSaveEnabled);
    EXPECT_EQ(o.autoSavePeriodMs, 300000);
    EXPECT_EQ(o.ViewMode, kViewList);
    EXPECT_EQ(o.VMoto, kRiderDot);
    EXPECT_EQ(o.NewLevel, kNewTrackAtStart);
    EXPECT_EQ(o.RatioPic, 8);
    EXPECT_EQ(o.bgColor(1), QColor(Qt::white));
    EXPECT_EQ(o.bgColor(3), QColor(Qt::white));
    EXPECT_EQ(o.lineColor(2), QColor(Qt::red));
    EXPECT_EQ(o.Node1, QColor(Qt::red));

    // A second start reads the file as it is and writes nothing.
    putFile(dir.filePath("opt.ini"), "[AutoSave]\r\nAutoSave=0\r\nSavetime=7\r\n");
    const OptionsLoad again = LoadOptions(dir.path(), o);
    EXPECT_FALSE(again.createdDefaults);
    EXPECT_FALSE(o.autoSaveEnabled);
    EXPECT_EQ(fileBytes(dir.filePath("opt.ini")), "[AutoSave]\r\nAutoSave=0\r\nSavetime=7\r\n");
}

TEST(Options, ValuesAndMissingKeys) {
    const Options o = readText("[options]\r\nlang=russian.lng\r\nNEWLEVEL=1\r\nVMoto=1\r\n"
                               "VList=1\r\nRatioPic=4\r\n[AUTOSAVE]\r\nAutoSave=1\r\n"
                               "Savetime=3\r\n[Colors]\r\nBG1=65280\r\nBG2=16711680\r\n"
                               "Line1=16777215\r\nLine3=0\r\n");
    EXPECT_EQ(o.Lang, "russian.lng");
    EXPECT_EQ(o.NewLevel, kNewTrackAtEnd);
    EXPECT_EQ(o.VMoto, kRiderSprite);
    EXPECT_EQ(o.ViewMode, kViewTree);
    EXPECT_EQ(o.RatioPic, 4);
    EXPECT_EQ(o.autoSavePeriodMs, 180000);
    EXPECT_EQ(o.BG1, QColor(0, 255, 0)); // 0x00BBGGRR
    EXPECT_EQ(o.BG2, QColor(0, 0, 255));
    EXPECT_EQ(o.Line1, QColor(Qt::white)); // the first and last colour a value holds
    EXPECT_EQ(o.Line3, QColor(Qt::black));
    EXPECT_EQ(o.BG3, QColor(Qt::white)); // a missing colour reads as its default
    EXPECT_EQ(o.Node1, QColor(Qt::red));

    // Only exactly "1" switches autosave on.
    EXPECT_FALSE(readText("[AutoSave]\r\nAutoSave=yes\r\nSavetime=3\r\n").autoSaveEnabled);
    EXPECT_FALSE(readText("").autoSaveEnabled);
    EXPECT_EQ(readText("").Lang, "0");
}

TEST(Options, NumbersThatAreNotNumbersReadAsTheirDefaults) {
    const Options o = readText("[Options]\r\nNewLevel=abc\r\nRatioPic=8x\r\nVMoto=\r\n"
                               "VList=2\r\n[AutoSave]\r\nAutoSave=1\r\nSavetime=five\r\n"
                               "[Colors]\r\nBG1=white\r\nLine1=-1\r\nLine2=16777216\r\n"
                               "Node1= 255 \r\n");
    EXPECT_EQ(o.NewLevel, kNewTrackAtStart);
    EXPECT_EQ(o.RatioPic, 8);
    EXPECT_EQ(o.VMoto, kRiderDot);
    EXPECT_EQ(o.ViewMode, kViewList); // neither list nor tree: the list
    EXPECT_EQ(o.autoSavePeriodMs, 300000);
    EXPECT_EQ(o.BG1, QColor(Qt::white));
    EXPECT_EQ(o.Line1, QColor(Qt::red));
    EXPECT_EQ(o.Line2, QColor(Qt::red));
    EXPECT_EQ(o.Node1, QColor(Qt::red));
    EXPECT_EQ(readText("[Options]\r\nRatioPic=0\r\n").RatioPic, 8);
    EXPECT_EQ(readText("[Options]\r\nRatioPic=-3\r\n").RatioPic, 8);
    EXPECT_EQ(iniInt(" 12 ", 0), 12);
    EXPECT_EQ(iniInt("99999999999", 7), 7);
    EXPECT_EQ(colorToIni(QColor(1, 2, 3)), "197121");
    EXPECT_EQ(iniColor("197121", QColor()), QColor(1, 2, 3));
}

TEST(Options, AutosavePeriodAndTheTickDecision) {
    EXPECT_EQ(autosavePeriodMs(1), 60000);
    EXPECT_EQ(autosavePeriodMs(0), 0); // no ticks
    EXPECT_EQ(autosavePeriodMs(-5), 0);
    EXPECT_EQ(autosavePeriodMs(kMaxAutosaveMinutes), 2147460000);
    EXPECT_EQ(autosavePeriodMs(1000000), 2147460000); // never past what a timer holds
    EXPECT_EQ(readText("[AutoSave]\r\nAutoSave=1\r\nSavetime=0\r\n").autoSavePeriodMs, 0);

    EXPECT_TRUE(autosaveDue(4, false));
    EXPECT_FALSE(autosaveDue(3, false)); // only the three group headers
    EXPECT_FALSE(autosaveDue(0, false));
    EXPECT_FALSE(autosaveDue(40, true)); // a track is open
}

TEST(Options, UnwritableBaseFolderKeepsTheDefaultsAndSaysSo) {
    QTemporaryDir dir;
    Options o;
    o.Lang = "x";
    const OptionsLoad load = LoadOptions(dir.filePath("missing/folder"), o);
    EXPECT_TRUE(load.createdDefaults);
    EXPECT_FALSE(load.problem.empty());
    EXPECT_EQ(o.Lang, "english.lng");
    EXPECT_EQ(o.autoSavePeriodMs, 300000);

    ASSERT_TRUE(QDir(dir.path()).mkdir("opt.ini")); // exists, but cannot be read
    const OptionsLoad unreadable = LoadOptions(dir.path(), o);
    EXPECT_FALSE(unreadable.createdDefaults);
    EXPECT_FALSE(unreadable.problem.empty());
    EXPECT_EQ(o.Lang, "english.lng");
}
