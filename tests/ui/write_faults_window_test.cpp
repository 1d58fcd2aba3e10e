// The window on a full disk: Save, Apply and the first start report the
// failure, keep the previous bytes and never claim "Saved". A pack changed
// on disk by another program, or one the user may not write, is never
// overwritten without asking.
#include "../common/file_size_limit.h"
#include "../core/settings_files.h"
#include "pack/file_identity.h"
#include "settings/options.h"
#include "settings/ui/options_dialog.h"
#include "ui_test_util.h"
#include "window_test_util.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    EXPECT_TRUE(s.window.document().modified());

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

namespace {

// Another program puts its own pack in place of `path` (`mv new path`).
void replaceByAnotherProgram(const QString& path, const Groups& groups) {
    const QString fresh = path + ".other";
    writeNamedPack(fresh, groups);
    ASSERT_EQ(::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(path).constData()),
              0);
}

// The window is activated again (the user comes back to it).
void focusAgain(MainWindow& window) {
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activate);
    QTest::qWait(20);
}

// Runs as the unprivileged user 65534 while it lives, where the tests run as
// root; the effective ids are what the program's permission checks use.
class Unprivileged {
public:
    Unprivileged() {
        if (::geteuid() != 0) return;
        dropped_ = ::setegid(65534) == 0 && ::seteuid(65534) == 0;
        EXPECT_TRUE(dropped_);
    }
    ~Unprivileged() {
        if (!dropped_) return;
        EXPECT_EQ(::seteuid(0), 0);
        EXPECT_EQ(::setegid(0), 0);
    }

private:
    bool dropped_ = false;
};

} // namespace

// A pack another program replaced while it was open: autosave leaves it and
// says so once in the status bar; Save asks, and the file survives until the
// user answers: Cancel keeps it, Save as writes elsewhere, Overwrite writes.
TEST(WriteFaultsWindow, APackChangedOnDiskIsNeverOverwrittenWithoutAsking) {
    BaseFolder base({{"a", "b"}, {"c"}, {"d"}});
    const QString levels = base.path("levels.mrg");
    Started s;
    replaceByAnotherProgram(levels, {{"x"}, {}, {}});
    const QByteArray theirs = fileBytes(levels);
    s.click(1);
    ctl<QAction>(s.window, "DownItem")->trigger(); // "a" after "b": an unsaved change

    QTimer* autosave = ctl<QTimer>(s.window, "autotime");
    for (int tick = 0; tick < 2; ++tick) {
        s.window.statusBar()->clearMessage();
        autosave->start(1);
        QTest::qWait(30);
        autosave->stop();
        EXPECT_EQ(s.window.statusBar()->currentMessage(),
                  tick == 0 ? "Not autosaved: the pack was changed on disk" : "");
    }
    EXPECT_EQ(fileBytes(levels), theirs);

    ctl<QAction>(s.window, "N6")->trigger(); // no answer given: Cancel
    ASSERT_EQ(s.prompts->asked.size(), 1);
    EXPECT_TRUE(s.prompts->asked[0].contains("levels.mrg was changed on disk by another program"))
        << s.prompts->asked[0].toStdString();
    EXPECT_EQ(fileBytes(levels), theirs);
    EXPECT_EQ(s.window.statusText(3), "Not saved");

    s.prompts->choices = {1}; // Save as
    s.prompts->paths = {base.path("mine.mrg")};
    ctl<QAction>(s.window, "N6")->trigger();
    EXPECT_EQ(packLayout(base.path("mine.mrg")), "E: b a | M: c | H: d");
    EXPECT_EQ(fileBytes(levels), theirs);
    EXPECT_EQ(s.window.statusText(3), "Saved");

    // Rewritten in place, same size, within the same second: still told.
    const QByteArray mine = fileBytes(base.path("mine.mrg"));
    struct stat saved {};
    ASSERT_EQ(::stat(QFile::encodeName(base.path("mine.mrg")).constData(), &saved), 0);
    QFile rewrite(base.path("mine.mrg"));
    ASSERT_TRUE(rewrite.open(QIODevice::ReadWrite));
    rewrite.write(mine);
    rewrite.close();
    // Its time differs from the saved one in the nanoseconds alone.
    const struct timespec times[2] = {{0, UTIME_OMIT},
                                      {saved.st_mtim.tv_sec, saved.st_mtim.tv_nsec ^ 1}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(base.path("mine.mrg")).constData(), times, 0),
              0);
    ctl<QAction>(s.window, "UpItem")->trigger();
    s.prompts->choices = {0}; // Overwrite
    ctl<QAction>(s.window, "N6")->trigger();
    EXPECT_EQ(s.prompts->asked.size(), 3);
    EXPECT_EQ(packLayout(base.path("mine.mrg")), "E: a b | M: c | H: d");
    ctl<QAction>(s.window, "DownItem")->trigger(); // saved here last: no question
    ctl<QAction>(s.window, "N6")->trigger();
    EXPECT_EQ(s.prompts->asked.size(), 3);
    EXPECT_EQ(packLayout(base.path("mine.mrg")), "E: b a | M: c | H: d");
}

// Back in the window after another program changed the pack: with nothing
// unsaved it offers to load it again; with unsaved changes it says so once
// and loads nothing.
TEST(WriteFaultsWindow, FocusOffersToReloadAPackChangedOnDisk) {
    BaseFolder base({{"a", "b"}, {"c"}, {"d"}});
    const QString levels = base.path("levels.mrg");
    Started s;
    focusAgain(s.window);
    EXPECT_TRUE(s.prompts->asked.isEmpty()); // unchanged: nothing to say

    replaceByAnotherProgram(levels, {{"x"}, {"y"}, {}});
    s.prompts->answers = {true};
    focusAgain(s.window);
    ASSERT_EQ(s.prompts->asked.size(), 1);
    EXPECT_TRUE(s.prompts->asked[0].contains("Load it again?"));
    EXPECT_EQ(s.caption(1), "1/x");
    EXPECT_EQ(s.window.statusText(3), "Saved");

    s.click(1);
    ctl<QAction>(s.window, "DownItem")->trigger();
    replaceByAnotherProgram(levels, {{"z"}, {}, {}});
    focusAgain(s.window);
    focusAgain(s.window);
    ASSERT_EQ(s.prompts->shown.size(), 1);
    EXPECT_TRUE(s.prompts->shown[0].contains("has unsaved changes"));
    EXPECT_EQ(s.prompts->asked.size(), 1);
    EXPECT_EQ(s.window.statusText(3), "Not saved");
    EXPECT_EQ(packLayout(levels), "E: z | M: | H:");
}

// A pack the user may not write, in a folder the user may: Save refuses it
// and offers Save as; the file stays as it was.
TEST(WriteFaultsWindow, AReadOnlyPackIsRefusedAndSaveAsOffered) {
    BaseFolder base({{"a", "b"}, {"c"}, {"d"}});
    const QString levels = base.path("levels.mrg");
    ASSERT_EQ(::chmod(QFile::encodeName(QFileInfo(levels).absolutePath()).constData(), 0777), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(levels).constData(), 0444), 0);
    const QByteArray before = fileBytes(levels);
    Started s;
    s.click(1);
    ctl<QAction>(s.window, "DownItem")->trigger();
    {
        Unprivileged user;
        ctl<QAction>(s.window, "N6")->trigger(); // no answer: Cancel
        s.prompts->choices = {0};                // Save as
        s.prompts->paths = {base.path("copy.mrg")};
        ctl<QAction>(s.window, "N6")->trigger();
    }
    ASSERT_EQ(s.prompts->asked.size(), 2);
    EXPECT_TRUE(s.prompts->asked[0].contains("levels.mrg is read-only"));
    EXPECT_EQ(fileBytes(levels), before);
    EXPECT_FALSE(QFileInfo::exists(levels + ".old"));
    EXPECT_EQ(packLayout(base.path("copy.mrg")), "E: b a | M: c | H: d");
    EXPECT_EQ(s.window.statusText(3), "Saved");
}

// Starting with a pack named on the command line writes "opt.ini" only when
// the recent packs change: the second start leaves the file as it is.
TEST(WriteFaultsWindow, StartingWithAPackWritesSettingsOnlyWhenTheyChange) {
    BaseFolder base({{"a"}, {}, {}});
    { Started first(kListView, {QString(), base.path("levels.mrg"), {}}); }
    const QString ini = base.path("opt.ini");
    ASSERT_TRUE(fileBytes(ini).contains("levels.mrg"));
    const FileIdentity before = fileIdentity(ini);
    { Started again(kListView, {QString(), base.path("levels.mrg"), {}}); }
    EXPECT_EQ(fileIdentity(ini), before);
}
