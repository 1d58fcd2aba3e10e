// What a session leaves for the next one and for other editors: one editor
// per pack (a lock that goes with its process) and the pack as the session
// opened it, kept until the session ends cleanly.
#include "../core/settings_files.h"
#include "window_test_util.h"

#include <QAction>
#include <QProcess>
#include <QTemporaryDir>

using namespace korvo;
using namespace korvo::test;

// Python: p, the lock file of pack argv[2] in state folder argv[1].
constexpr const char* kLockFileOf =
    "import fcntl,hashlib,os,sys\n"
    "d=os.path.join(sys.argv[1],'korvote','locks');os.makedirs(d,exist_ok=True)\n"
    "p=os.path.join(d,hashlib.sha1(os.path.realpath(sys.argv[2]).encode()).hexdigest()+'.lock')\n";

// A pack another editor has open is said, with the program, its process and
// since when, and opened only on "Open anyway"; a lock whose program ended
// stands in nobody's way. The window's own pack is locked for others.
TEST(SessionSafety, APackOpenInAnotherEditorIsSaidAndOpenedOnlyWhenAsked) {
    const StateFolder state;
    {
        BaseFolder base(kSixTracks);
        const QString other = base.path("other.mrg");
        QFile::copy(base.path("levels.mrg"), other);
        // Another editor: a process holding the lock of other.mrg.
        QProcess holder;
        holder.start(
            SYSTEM_PYTHON,
            {"-c",
             QString(kLockFileOf) +
                 "f=open(p,'a+');fcntl.flock(f,fcntl.LOCK_EX);f.truncate(0)\n"
                 "f.write('program=korvote\\npid=4242\\nsince=2026-12-08T09:30:00\\n');f.flush()\n"
                 "print('held',flush=True);sys.stdin.read()\n",
             state.path(), other});
        ASSERT_TRUE(holder.waitForReadyRead(10000));
        Started s;
        EXPECT_TRUE(s.prompts->asked.isEmpty()) << "levels.mrg is nobody else's";
        s.prompts->paths = {other};
        s.prompts->choices = {1}; // Cancel
        ctl<QAction>(s.window, "N16")->trigger();
        ASSERT_EQ(s.prompts->asked.size(), 1);
        const QString asked = s.prompts->asked.front();
        EXPECT_TRUE(asked.contains("4242") && asked.contains("korvote") &&
                    asked.contains("2026-12-08 09:30") &&
                    asked.contains(QDir::toNativeSeparators(other)))
            << asked.toStdString();
        EXPECT_EQ(s.window.document().fileName(), base.path("levels.mrg"));
        s.prompts->paths = {other};
        s.prompts->choices = {0}; // Open anyway
        ctl<QAction>(s.window, "N16")->trigger();
        EXPECT_EQ(s.window.document().fileName(), other);

        holder.closeWriteChannel(); // that editor ends
        ASSERT_TRUE(holder.waitForFinished(10000));
        s.prompts->paths = {base.path("levels.mrg")};
        ctl<QAction>(s.window, "N16")->trigger();
        s.prompts->paths = {other};
        ctl<QAction>(s.window, "N16")->trigger();
        EXPECT_EQ(s.prompts->asked.size(), 2u) << "no question: nobody holds it now";
        EXPECT_EQ(s.window.document().fileName(), other);

        // This window holds other.mrg now: another process cannot lock it.
        QProcess probe;
        probe.start(SYSTEM_PYTHON,
                    {"-c",
                     QString(kLockFileOf) +
                         "f=open(p,'a+')\n"
                         "try:\n fcntl.flock(f,fcntl.LOCK_EX|fcntl.LOCK_NB);print('free')\n"
                         "except OSError:\n print('held:'+open(p).read().replace('\\n',' '))\n",
                     state.path(), other});
        ASSERT_TRUE(probe.waitForFinished(10000));
        const QString said = QString::fromUtf8(probe.readAllStandardOutput());
        EXPECT_TRUE(said.startsWith("held:program=korvote") &&
                    said.contains("pid=" + QString::number(QCoreApplication::applicationPid())))
            << said.toStdString();
    }
}

// Before the first save of a session replaces the pack, the pack as it was
// opened is kept in the user's state folder, once; it goes when the session
// with that pack ends cleanly (another pack opened, the window closed).
TEST(SessionSafety, ThePackAsOpenedIsKeptUntilTheSessionEndsCleanly) {
    const StateFolder state;
    const QDir opened(state.filePath("korvote/opened"));
    auto copies = [&] { return opened.entryList(QDir::Files); };
    {
        BaseFolder base(kSixTracks);
        const QString pack = base.path("levels.mrg");
        QFile::copy(pack, base.path("other.mrg"));
        const QByteArray asOpened = fileBytes(pack);
        {
            Started s;
            EXPECT_TRUE(copies().isEmpty()) << "opening alone copies nothing";
            s.click(1);
            ctl<QAction>(s.window, "DownItem")->trigger();
            ctl<QAction>(s.window, "N6")->trigger();
            ASSERT_EQ(copies().size(), 1);
            EXPECT_TRUE(copies().front().startsWith("levels.mrg."));
            EXPECT_EQ(fileBytes(opened.filePath(copies().front())), asOpened);
            EXPECT_NE(fileBytes(pack), asOpened);
            ctl<QAction>(s.window, "DownItem")->trigger();
            ctl<QAction>(s.window, "N6")->trigger();
            ASSERT_EQ(copies().size(), 1);
            EXPECT_EQ(fileBytes(opened.filePath(copies().front())), asOpened)
                << "the pack as opened, not as saved since";

            s.prompts->paths = {base.path("other.mrg")};
            ctl<QAction>(s.window, "N16")->trigger();
            EXPECT_TRUE(copies().isEmpty()) << "that session ended cleanly";
            s.prompts->paths = {pack};
            ctl<QAction>(s.window, "N16")->trigger();
            const QByteArray reopened = fileBytes(pack);
            s.click(1);
            ctl<QAction>(s.window, "DownItem")->trigger();
            ctl<QAction>(s.window, "N6")->trigger();
            ASSERT_EQ(copies().size(), 1);
            EXPECT_EQ(fileBytes(opened.filePath(copies().front())), reopened);
        }
        EXPECT_TRUE(copies().isEmpty()) << "the window closed: the session ended cleanly";
    }
}
