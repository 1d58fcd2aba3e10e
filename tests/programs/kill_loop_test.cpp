// Programs killed at any moment leave files a user can trust: a picture run
// killed fifty times at random points leaves no picture cut short under its
// name, and never a catalogue that names a picture missing or cut short; the
// game-archive packer killed fifty times leaves an archive and descriptor
// that agree, or a mark the next run finds and puts right; an editor killed
// while it keeps its recovery journal leaves one the next start recovers.
#include "recovery/recovery_file.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace {

// A whole GIF: its header, and its trailer as the last byte.
bool wholeGif(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = f.readAll();
    return bytes.startsWith("GIF89a") && bytes.endsWith(';');
}

// Runs of a loop: 50, or KORVO_KILL_RUNS for a longer loop by hand.
int killRuns() {
    const int runs = qEnvironmentVariableIntValue("KORVO_KILL_RUNS");
    return runs > 0 ? runs : 50;
}

} // namespace

TEST(KillLoop, AKilledPictureRunLeavesWholePicturesAndNoFalseCatalogue) {
    QTemporaryDir dir;
    const QString pack = dir.filePath("levels.mrg"), images = dir.filePath("images");
    QProcess sample;
    sample.start(TRACKPACK_EXE,
                 {"sample", pack, "--tracks", "2000", "--segments", "120", "--seed", "7"});
    ASSERT_TRUE(sample.waitForFinished(60000));
    ASSERT_EQ(sample.exitCode(), 0);
    // Two whole runs first, the second over the pictures of the first, as
    // the runs below: the kills fall anywhere in a run on this machine.
    QElapsedTimer timer;
    for (int i = 0; i < 2; ++i) {
        timer.start();
        QProcess whole;
        whole.start(TRACKPACK_EXE, {"pictures", pack, images});
        ASSERT_TRUE(whole.waitForFinished(120000));
        ASSERT_EQ(whole.exitCode(), 0);
    }
    const quint32 runMicroseconds = quint32(timer.nsecsElapsed() / 1000) + 1;
    QRandomGenerator random(2026);
    int finished = 0, cut = 0, bad = 0;
    for (int run = 0; run < killRuns(); ++run) {
        QProcess p;
        p.start(TRACKPACK_EXE, {"pictures", pack, images});
        ASSERT_TRUE(p.waitForStarted());
        QThread::usleep(random.bounded(runMicroseconds * 3 / 2));
        ::kill(pid_t(p.processId()), SIGKILL);
        ASSERT_TRUE(p.waitForFinished(60000));
        const bool completed = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        completed ? ++finished : ++cut;

        const QDir folder(images);
        for (const QString& name : folder.entryList({"*.gif"}, QDir::Files))
            if (!wholeGif(folder.filePath(name))) {
                ++bad;
                ADD_FAILURE() << "run " << run << ": " << name.toStdString() << " cut short";
            }
        QFile catalogue(folder.filePath("bdpic.dat"));
        if (catalogue.open(QIODevice::ReadOnly)) {
            const QList<QByteArray> lines = catalogue.readAll().split('\n');
            int named = 0;
            for (const QByteArray& line : lines) {
                if (line.trimmed().isEmpty()) continue;
                ++named;
                const QString file = QString::fromLatin1(line.trimmed().split('|').last());
                if (!wholeGif(folder.filePath(file))) {
                    ++bad;
                    ADD_FAILURE() << "run " << run << ": the catalogue names "
                                  << file.toStdString();
                }
            }
            EXPECT_EQ(named, 2000) << "run " << run << ": a catalogue is complete or absent";
        } else {
            EXPECT_FALSE(completed) << "run " << run << ": a finished run writes its catalogue";
        }
    }
    EXPECT_EQ(bad, 0);
    RecordProperty("finished", finished);
    RecordProperty("cut", cut);
    std::printf("pictures: %d runs finished, %d killed, %d bad\n", finished, cut, bad);
}

TEST(KillLoop, AKilledPackerLeavesAPairThatAgreesOrThatTheNextRunPutsRight) {
    QTemporaryDir dir;
    const QString game = dir.filePath("game.jar"), pack = dir.filePath("levels.mrg");
    const QString out = dir.filePath("built/moto.jar"), outJad = dir.filePath("built/moto.jad");
    QDir(dir.path()).mkdir("built");
    // A game of 20 MB: a run takes long enough to be cut anywhere.
    QProcess make;
    make.start(SYSTEM_PYTHON,
               {"-c",
                "import zipfile,random,sys\n"
                "r=random.Random(5)\n"
                "with zipfile.ZipFile(sys.argv[1],'w') as z:\n"
                " z.writestr('META-INF/MANIFEST.MF','Manifest-Version: 1.0\\r\\n')\n"
                " z.writestr('big.bin',bytes(r.getrandbits(8) for _ in range(20<<20)))\n"
                " z.writestr('levels.mrg',b'old levels',zipfile.ZIP_DEFLATED)\n",
                game});
    ASSERT_TRUE(make.waitForFinished(120000));
    ASSERT_EQ(make.exitCode(), 0) << make.readAllStandardError().toStdString();
    QFile jad(dir.filePath("game.jad"));
    ASSERT_TRUE(jad.open(QIODevice::WriteOnly));
    jad.write("MIDlet-Name: Moto\r\nMIDlet-Jar-Size: 12\r\nMIDlet-Jar-URL: game.jar\r\n");
    jad.close();
    QProcess sample;
    sample.start(TRACKPACK_EXE, {"sample", pack});
    ASSERT_TRUE(sample.waitForFinished(60000));

    const auto agrees = [&] {
        QFile d(outJad);
        if (!QFileInfo(out).isFile() || !d.open(QIODevice::ReadOnly)) return false;
        return d.readAll().contains("MIDlet-Jar-Size: " +
                                    QByteArray::number(QFileInfo(out).size()));
    };
    QRandomGenerator random(2027);
    int whole = 0, marked = 0, bad = 0;
    for (int run = 0; run < killRuns(); ++run) {
        QProcess p;
        p.start(JARPACKER_EXE, {game, pack, out});
        ASSERT_TRUE(p.waitForStarted());
        QThread::usleep(random.bounded(150000u));
        ::kill(pid_t(p.processId()), SIGKILL);
        ASSERT_TRUE(p.waitForFinished(60000));
        const bool mark = QFile::exists(out + ".jarpacker-run");
        if (mark)
            ++marked;
        else if (!QFile::exists(out) || agrees())
            ++whole;
        else {
            ++bad;
            ADD_FAILURE() << "run " << run << ": the archive and its descriptor disagree unmarked";
        }
        // The next run puts it right first and says so, then builds.
        QProcess next;
        next.start(JARPACKER_EXE, {game, pack, out});
        ASSERT_TRUE(next.waitForFinished(60000));
        EXPECT_EQ(next.exitCode(), 0) << next.readAllStandardError().toStdString();
        EXPECT_EQ(mark, !next.readAllStandardError().isEmpty()) << "run " << run;
        EXPECT_TRUE(agrees()) << "run " << run;
        EXPECT_FALSE(QFile::exists(out + ".jarpacker-run"));
        EXPECT_FALSE(QFile::exists(out + ".jarpacker-previous"));
        if (run % 10 == 9) { // now and then from nothing: a first run cut short
            QFile::remove(out);
            QFile::remove(outJad);
        }
    }
    EXPECT_EQ(bad, 0);
    std::printf("jarpacker: %d whole, %d marked and put right, %d bad\n", whole, marked, bad);
}

// Editor sessions that move a track without end, keeping the journal after
// each move, killed at random moments: every journal left reads back whole,
// each start recovers the last one and goes on from it, and the start after
// the last kill brings back the rows the last journal holds, unsaved.
TEST(KillLoop, AKilledEditorLeavesAWholeJournalThatTheNextStartRecovers) {
    QTemporaryDir dir;
    const QDir base(dir.filePath("base")), recovery(dir.filePath("state/korvote/recovery"));
    ASSERT_TRUE(base.mkpath("lang"));
    for (const char* name : {"english.lng", "russian.lng"})
        QFile::copy(QString(BASE_DIR "/lang/") + name, base.filePath("lang/") + name);
    QProcess sample;
    sample.start(TRACKPACK_EXE,
                 {"sample", base.filePath("levels.mrg"), "--tracks", "1000", "--segments", "200"});
    ASSERT_TRUE(sample.waitForFinished(60000));
    QFile pack(base.filePath("levels.mrg"));
    ASSERT_TRUE(pack.open(QIODevice::ReadOnly));
    const QByteArray onDisk = pack.readAll();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_STATE_HOME", dir.filePath("state"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    auto readJournal = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? korvo::decodeRecoveryFile(f.readAll(), nullptr)
                                           : std::optional<korvo::RecoveryData>();
    };
    QRandomGenerator random(2028);
    int whole = 0, bad = 0;
    for (int run = 0; run < std::max(1, killRuns() / 2); ++run) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(JOURNAL_CHILD_EXE, {"edit", base.path()});
        ASSERT_TRUE(p.waitForReadyRead(30000)) << "run " << run;
        QThread::usleep(random.bounded(200000u));
        ::kill(pid_t(p.processId()), SIGKILL);
        ASSERT_TRUE(p.waitForFinished(30000));
        const QStringList left = recovery.entryList({"*.journal"}, QDir::Files);
        ASSERT_FALSE(left.isEmpty()) << "run " << run;
        for (const QString& name : left) {
            const bool read = bool(readJournal(recovery.filePath(name)));
            read ? ++whole : ++bad;
            EXPECT_TRUE(read) << "run " << run << ": " << name.toStdString();
        }
    }
    const QStringList left = recovery.entryList({"*.journal"}, QDir::Files, QDir::Time);
    const std::optional<korvo::RecoveryData> last = readJournal(recovery.filePath(left.front()));
    ASSERT_TRUE(last);
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(JOURNAL_CHILD_EXE, {"recover", base.path()});
    ASSERT_TRUE(p.waitForFinished(30000));
    QStringList expected{"unsaved"};
    for (const korvo::RowItem& row : last->rows) expected << QString::fromStdString(row.caption);
    EXPECT_EQ(QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed().split('\n'), expected);
    pack.seek(0);
    EXPECT_EQ(pack.readAll(), onDisk) << "nothing was saved";
    std::printf("editor: %d journals left by kills read back whole, %d cut\n", whole, bad);
}
