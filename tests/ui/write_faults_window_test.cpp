// The window on a full disk: Save, Apply and the first start report the
// failure, keep the previous bytes and never claim "Saved".
#include "../common/file_size_limit.h"
#include "../core/settings_files.h"
#include "settings/options.h"
#include "settings/ui/options_dialog.h"
#include "ui_test_util.h"
#include "window_test_util.h"

#include <QPushButton>
#include <QRadioButton>

using namespace korvo;
using namespace korvo::test;

TEST(WriteFaultsWindow, SaveOnAFullDiskKeepsThePackAndStaysUnsaved) {
    BaseFolder base({{"a", "b"}, {"c"}, {"d"}});
    const QByteArray before = fileBytes(base.path("levels.mrg"));
    Started s;
    s.click(1);
    ctl<QAction>(s.window, "DownItem")->trigger(); // "a" after "b": an unsaved change
    ASSERT_EQ(s.window.statusText(3), "Not saved");
    {
        FileSizeLimit full(64);
        ctl<QAction>(s.window, "N6")->trigger();
    }
    ASSERT_EQ(s.prompts->shown.size(), 1);
    EXPECT_TRUE(s.prompts->shown[0].contains("levels.mrg: File too large"))
        << s.prompts->shown[0].toStdString();
    EXPECT_EQ(fileBytes(base.path("levels.mrg")), before);
    EXPECT_EQ(s.window.statusText(3), "Not saved");
    EXPECT_TRUE(s.window.app().Flags.PackModified);

    ctl<QAction>(s.window, "N6")->trigger(); // with room again the same save goes through
    EXPECT_EQ(packLayout(base.path("levels.mrg")), "E: b a | M: c | H: d");
    EXPECT_EQ(s.window.statusText(3), "Saved");
}

TEST(WriteFaultsWindow, ApplyAndTheFirstStartOnAFullDiskChangeNothing) {
    BaseFolder base({{"a"}, {}, {}});
    {
        FileSizeLimit full(16);
        Started s; // a first start: the defaults cannot be written
        ASSERT_TRUE(QTest::qWaitFor([&] { return !s.prompts->shown.isEmpty(); }, 2000));
        EXPECT_TRUE(s.prompts->shown[0].contains("File too large"));
        EXPECT_EQ(s.window.statusText(2), "Mode: viewing"); // English lines in force
    }
    EXPECT_FALSE(QFileInfo::exists(base.path("opt.ini")));

    Started s; // the next start writes them
    const QByteArray before = fileBytes(base.path("opt.ini"));
    ASSERT_EQ(before, kDefaultOptionsText);
    s.window.optionsDialog().show();
    s.window.optionsDialog().findChild<QRadioButton*>("RadioButton4")->setChecked(true);
    QStringList shown;
    {
        FileSizeLimit full(16);
        shown = answerMessageBoxes([&] {
            QTest::mouseClick(s.window.optionsDialog().findChild<QPushButton*>("applyopt"),
                              Qt::LeftButton);
        });
    }
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("File too large"));
    EXPECT_EQ(fileBytes(base.path("opt.ini")), before);
    EXPECT_EQ(s.window.app().Settings.VMoto, kRiderDot); // nothing put into force
    EXPECT_TRUE(s.window.optionsDialog().isVisible());   // the choice stays for another try
    s.window.optionsDialog().reject();
}
