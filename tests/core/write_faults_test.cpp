// Writes that cannot reach the disk whole: a full disk, a symbolic link, odd
// settings files. Nothing may be reported as saved unless every byte is there,
// and the previous file must stay byte for byte.
#include "../common/file_size_limit.h"
#include "cli_run.h"
#include "pack/file_identity.h"
#include "pack/pack_file.h"
#include "pack/sample_pack.h"
#include "pack/track_import.h"
#include "settings/ini_file.h"
#include "settings/options.h"
#include "settings/recent_files.h"
#include "settings_files.h"
#include "text/lang_lines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace korvo;
using korvo::test::CliRun;
using korvo::test::fileBytes;
using korvo::test::putFile;
using korvo::test::trackpack;

namespace {

void writeSample(const QString& path, int tracks, int segments) {
    ASSERT_EQ(trackpack({"sample", path, "--tracks", QString::number(tracks), "--segments",
                         QString::number(segments)})
                  .status,
              0);
}

// Only the files the test made: no temporary file may be left behind.
QStringList entries(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

struct stat statOf(const QString& path) {
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

// An English base folder, so the system's own words come through: its own
// English language file, which trackpack reads there (no "opt.ini") with an
// English locale (kEnglish).
const QStringList kEnglish = {"LANG=en_US.UTF-8"};
void englishBase(const QTemporaryDir& dir) {
    QDir(dir.path()).mkpath("lang");
    QFile::copy(BASE_DIR "/lang/english.lng", dir.filePath("lang/english.lng"));
}

} // namespace

// `trackpack resave` on a "full disk", for a pack smaller than the write
// buffer and one larger: exit 1 with the system's reason, old pack intact.
TEST(WriteFaults, ResaveOnAFullDiskFailsAndKeepsThePack) {
    for (const auto& [tracks, segments] : {std::pair{30, 100}, std::pair{900, 400}}) {
        QTemporaryDir dir;
        const QString source = dir.filePath("NEW.mrg"), target = dir.filePath("levels.mrg");
        writeSample(source, tracks, segments);
        writeSample(target, 3, 10);
        const QByteArray before = fileBytes(target);
        ASSERT_GT(fileBytes(source).size(), 2048);

        englishBase(dir);
        QProcess p;
        p.setProcessEnvironment(test::localeEnvironment(kEnglish));
        p.setWorkingDirectory(dir.path());
        p.setProgram("bash");
        p.setArguments({"-c", "trap '' XFSZ; ulimit -f 1; exec \"$0\" resave \"$1\" \"$2\"",
                        TRACKPACK_EXE, source, target});
        p.start();
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 1) << tracks;
        EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains("File too large"));
        EXPECT_EQ(fileBytes(target), before);
        EXPECT_EQ(fileBytes(target + ".old"), before); // the previous version, kept once
        EXPECT_EQ(entries(dir), (QStringList{"NEW.mrg", "levels.mrg", "levels.mrg.old"}));
    }
}

// In-process writes of the settings on a full disk: the file stays as it
// was and each caller hears the reason. The first start on a full disk:
// write_faults_window_test.
TEST(WriteFaults, SettingsWritesOnAFullDiskLeaveTheFile) {
    QTemporaryDir dir;
    const QString ini = optionsPath(dir.path());
    Options o;
    ASSERT_EQ(LoadOptions(dir.path(), o).problem, "");
    ASSERT_TRUE(WriteString("LastFiles", "1", ini, "/some/pack.mrg"));
    const QByteArray before = fileBytes(ini);
    {
        test::FileSizeLimit full(16);
        Message error;
        EXPECT_FALSE(WriteString("Options", "VMoto", ini, "1", &error));
        EXPECT_NE(text(error).find("File too large"), std::string::npos);
        RecentFiles recent(ini);
        recent.load();
        EXPECT_FALSE(recent.write_ini("/another/pack.mrg", &error));
        OptionsChoice choice;
        choice.values.VMoto = kRiderSprite;
        EXPECT_FALSE(writeOptions(ini, choice, &error));
    }
    EXPECT_EQ(fileBytes(ini), before);
    EXPECT_EQ(entries(dir), QStringList{"opt.ini"});
}

// Saving through "link.mrg" -> "real.mrg": the link stays a link, the real
// file gets the new pack, and "link.mrg.old" is a real file with the old one.
TEST(WriteFaults, SavingThroughALinkKeepsThePreviousContents) {
    QTemporaryDir dir;
    const QString real = dir.filePath("real.mrg"), link = dir.filePath("link.mrg");
    writeSample(real, 3, 10);
    const QByteArray before = fileBytes(real);
    ASSERT_TRUE(QFile::link("real.mrg", link));

    TrackTable table;
    Rows rows;
    ASSERT_EQ(loadPackFile(link, table, rows), "");
    const int j = table.createTrack("extra");
    makeSampleTrack(table[j], 12, 5);
    rows.push_back(j);
    ASSERT_EQ(savePackFile(link, table, rows), "");

    EXPECT_TRUE(QFileInfo(link).isSymLink());
    const QFileInfo old(link + ".old");
    EXPECT_TRUE(old.isFile() && !old.isSymLink());
    EXPECT_EQ(fileBytes(link + ".old"), before);
    EXPECT_NE(fileBytes(real), before);
    EXPECT_EQ(fileBytes(link), fileBytes(real));
    EXPECT_FALSE(QFileInfo::exists(real + ".old"));
}

// Odd settings files: no [Colors] (or an empty one) keeps the default
// colours; a UTF-8 byte-order mark neither hides the first section nor
// makes a write add a second one, and it stays in the file.
TEST(WriteFaults, SettingsWithoutColoursOrWithAByteOrderMark) {
    for (const QByteArray& text : {QByteArray("[Options]\r\nVMoto=1\r\n"),
                                   QByteArray("[Options]\r\nVMoto=1\r\n[Colors]\r\n")}) {
        Options o;
        readOptions(IniText(text), o);
        EXPECT_EQ(o.BG2, QColor(Qt::white));
        EXPECT_EQ(o.Line2, QColor(Qt::red));
        EXPECT_EQ(o.Node1, QColor(Qt::red));
    }

    QTemporaryDir dir;
    const QString ini = optionsPath(dir.path());
    putFile(ini, "\xEF\xBB\xBF[Options]\r\nVMoto=1\r\nRatioPic=4\r\n");
    Options o;
    LoadOptions(dir.path(), o);
    EXPECT_EQ(o.VMoto, kRiderSprite);
    EXPECT_EQ(o.RatioPic, 4);
    ASSERT_TRUE(WriteString("Options", "VMoto", ini, "0"));
    EXPECT_EQ(fileBytes(ini), QByteArray("\xEF\xBB\xBF[Options]\r\nVMoto=0\r\nRatioPic=4\r\n"));
}

// Targets that are not regular files: a character device and a FIFO are
// written into and stay what they were (the FIFO's reader gets the pack, no
// ".old", no temporary file); a folder is refused and stays a folder.
TEST(WriteFaults, SpecialTargetsAreWrittenIntoNeverReplaced) {
    QTemporaryDir dir;
    const QString pack = dir.filePath("levels.mrg");
    writeSample(pack, 3, 10);
    const QByteArray bytes = fileBytes(pack);

    // A null device of our own where we may make one; /dev/null itself
    // otherwise (a user who may not replace it either way).
    QString device = "/dev/null";
    if (::geteuid() == 0) {
        device = dir.filePath("null");
        ASSERT_EQ(::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
    }
    const struct stat deviceBefore = statOf(device);
    CliRun r = trackpack({"resave", pack, device});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(S_ISCHR(statOf(device).st_mode));
    EXPECT_EQ(statOf(device).st_rdev, deviceBefore.st_rdev);
    EXPECT_FALSE(QFileInfo::exists(device + ".old"));

    const QString fifo = dir.filePath("pipe.mrg");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    r = trackpack({"resave", pack, fifo});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    QByteArray got(bytes.size() + 16, '\0');
    const ssize_t n = ::read(reader, got.data(), size_t(got.size()));
    ::close(reader);
    EXPECT_EQ(got.left(qsizetype(n)), bytes);
    EXPECT_TRUE(S_ISFIFO(statOf(fifo).st_mode));
    EXPECT_FALSE(QFileInfo::exists(fifo + ".old"));

    englishBase(dir);
    const QString folder = dir.filePath("folder.mrg");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.mrg"));
    r = trackpack({"resave", pack, folder}, dir.path(), kEnglish);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("folder.mrg: Is a directory")) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo(folder).isDir());
    QStringList expected{"levels.mrg", "pipe.mrg"};
    if (device != "/dev/null") expected << "null";
    expected.sort();
    EXPECT_EQ(entries(dir), expected);
}

// A save is on the disk before it takes the pack's place: the new file is
// synced, renamed over the pack, then the folder is synced, so a power cut
// leaves the old pack or the new one, never part of one.
TEST(WriteFaults, ASaveIsSyncedBeforeAndAfterItReplacesThePack) {
    if (QStandardPaths::findExecutable("strace").isEmpty()) GTEST_SKIP() << "no strace";
    QTemporaryDir dir;
    const QString source = dir.filePath("source.mrg"), pack = dir.filePath("levels.mrg");
    writeSample(source, 3, 10);
    writeSample(pack, 2, 10);
    QProcess p;
    // A leak check cannot run under strace (the sanitizer build's trackpack has one).
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    p.setProcessEnvironment(env);
    p.start("strace", {"-f", "-qq", "-e", "trace=fsync,fdatasync,syncfs,rename,renameat2", "-o",
                       dir.filePath("calls"), TRACKPACK_EXE, "resave", source, pack});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    QStringList calls;
    for (const QByteArray& line : fileBytes(dir.filePath("calls")).split('\n'))
        if (const qsizetype open = line.indexOf('('); open > 0)
            calls << QString::fromLatin1(line.left(open)).section(' ', -1);
    EXPECT_EQ(calls, (QStringList{"fsync", "rename", "fsync"}));
    EXPECT_EQ(fileBytes(pack), fileBytes(source));
}

// A link that loops, or a chain that ends in a folder that is not there or
// in a file used as a folder, is refused: no link is replaced by a file. A
// chain that ends in a file not there yet makes that file.
TEST(WriteFaults, LinksThatCannotBeResolvedAreRefused) {
    QTemporaryDir dir;
    const QString pack = dir.filePath("levels.mrg");
    writeSample(pack, 3, 10);
    ASSERT_TRUE(QFile::link("loop2.mrg", dir.filePath("loop1.mrg")));
    ASSERT_TRUE(QFile::link("loop1.mrg", dir.filePath("loop2.mrg")));
    ASSERT_TRUE(QFile::link("missing/x.mrg", dir.filePath("nowhere.mrg")));
    ASSERT_TRUE(QFile::link("levels.mrg/x.mrg", dir.filePath("through.mrg")));
    ASSERT_TRUE(QFile::link("nowhere.mrg", dir.filePath("chain.mrg")));
    for (const char* link : {"loop1.mrg", "nowhere.mrg", "through.mrg", "chain.mrg"}) {
        const CliRun r = trackpack({"resave", pack, dir.filePath(link)});
        EXPECT_EQ(r.status, 1) << link;
        EXPECT_TRUE(r.err.startsWith("trackpack: " + dir.filePath(link) + ": "))
            << r.err.toStdString();
        EXPECT_TRUE(QFileInfo(dir.filePath(link)).isSymLink()) << link;
    }
    ASSERT_TRUE(QFile::link("made.mrg", dir.filePath("near.mrg")));
    ASSERT_TRUE(QFile::link("near.mrg", dir.filePath("far.mrg")));
    const CliRun made = trackpack({"resave", pack, dir.filePath("far.mrg")});
    EXPECT_EQ(made.status, 0) << made.err.toStdString();
    EXPECT_EQ(fileBytes(dir.filePath("made.mrg")), fileBytes(pack));
    EXPECT_EQ(QDir(dir.path())
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                             QDir::Name),
              (QStringList{"chain.mrg", "far.mrg", "levels.mrg", "loop1.mrg", "loop2.mrg",
                           "made.mrg", "near.mrg", "nowhere.mrg", "through.mrg"}));
    EXPECT_TRUE(QFileInfo(dir.filePath("far.mrg")).isSymLink());
}

// A pack the user may not write is refused with exit 1 naming it, and stays
// byte for byte with no ".old" beside it, though its folder is writable; a
// writable ".lev" in a folder the user may not write is refused saying so.
// Root may write both, as editors let root. Run unprivileged through setpriv
// when the tests run as root.
TEST(WriteFaults, AReadOnlyPackIsRefusedForAnUnprivilegedUser) {
    QTemporaryDir dir;
    englishBase(dir);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.filePath("lang")).constData(), 0755), 0);
    const QString source = dir.filePath("source.mrg"), pack = dir.filePath("levels.mrg"),
                  lev = dir.filePath("locked/track.lev");
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    writeSample(source, 5, 10);
    writeSample(pack, 3, 10);
    ASSERT_EQ(::chmod(QFile::encodeName(source).constData(), 0644), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(pack).constData(), 0444), 0);
    putFile(lev, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(lev).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.filePath("locked")).constData(), 0555), 0);
    const QByteArray before = fileBytes(pack);

    const bool root = ::geteuid() == 0;
    if (root && QStandardPaths::findExecutable("setpriv").isEmpty())
        GTEST_SKIP() << "running as root without setpriv: no unprivileged user to try";
    // A copy of the program the unprivileged user can reach wherever the
    // build lies.
    const QString program = dir.filePath("trackpack");
    ASSERT_TRUE(QFile::copy(TRACKPACK_EXE, program));
    const struct {
        QStringList args;
        QString target, refusal;
    } cases[] = {
        {{"resave", source, pack}, pack, "the file is read-only"},
        {{"export-lev", source, "1", lev},
         lev,
         "Permission denied (the folder cannot be written to, although the file can; use "
         "Save as to choose another folder)"},
    };
    for (const auto& c : cases) {
        QProcess p;
        p.setProcessEnvironment(test::localeEnvironment(kEnglish));
        p.setWorkingDirectory(dir.path());
        if (root)
            p.start("setpriv",
                    QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", program} +
                        c.args);
        else
            p.start(TRACKPACK_EXE, c.args);
        ASSERT_TRUE(p.waitForFinished(60000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        EXPECT_EQ(p.exitCode(), 1) << err.toStdString();
        EXPECT_EQ(err, "trackpack: " + c.target + ": " + c.refusal + "\n");
    }
    ::chmod(QFile::encodeName(dir.filePath("locked")).constData(), 0755);
    EXPECT_EQ(fileBytes(pack), before);
    EXPECT_EQ(fileBytes(lev), "old");
    EXPECT_EQ(entries(dir), (QStringList{"levels.mrg", "source.mrg", "trackpack"}));

    if (!root) return;
    const CliRun asRoot = trackpack({"resave", source, pack}, dir.path());
    EXPECT_EQ(asRoot.status, 0) << asRoot.err.toStdString();
    EXPECT_EQ(fileBytes(pack), fileBytes(source));
}

// Every save keeps the file's permissions (and, as root, its owner and
// group): the pack, its ".old", the settings, the recent packs, a ".lev".
TEST(WriteFaults, EverySaveKeepsTheFilesMode) {
    QTemporaryDir dir;
    const QString pack = dir.filePath("levels.mrg"), ini = dir.filePath("opt.ini"),
                  lev = dir.filePath("track.lev");
    writeSample(pack, 3, 10);
    TrackTable table;
    Rows rows;
    ASSERT_EQ(loadPackFile(pack, table, rows), "");
    ASSERT_EQ(exportLevFile(table[1], lev), "");
    ASSERT_TRUE(WriteString("Options", "VMoto", ini, "0"));
    const bool root = ::geteuid() == 0;
    const uid_t owner = root ? 65534 : ::geteuid();
    const gid_t group = root ? 65534 : ::getegid();
    for (const QString& file : {pack, ini, lev}) {
        ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0604), 0);
        ASSERT_EQ(::chown(QFile::encodeName(file).constData(), owner, group), 0);
    }

    const struct {
        const char* what;
        QString file;
        std::function<Message()> save;
    } saves[] = {
        {"pack", pack,
         [&] {
             table[1].Name = "renamed";
             return savePackFile(pack, table, rows);
         }},
        {"settings", ini,
         [&] {
             return WriteString("Options", "VMoto", ini, "1") ? Message()
                                                              : Message::plain("failed");
         }},
        {"options", ini,
         [&] {
             OptionsChoice choice;
             return writeOptions(ini, choice, nullptr) ? Message() : Message::plain("failed");
         }},
        {"recent packs", ini,
         [&] {
             RecentFiles recent(ini);
             recent.load();
             return recent.write_ini(pack) ? Message() : Message::plain("failed");
         }},
        {"lev", lev, [&] { return exportLevFile(table[2], lev); }},
    };
    for (const auto& save : saves) {
        const QByteArray before = fileBytes(save.file);
        ASSERT_EQ(save.save(), "") << save.what;
        EXPECT_NE(fileBytes(save.file), before) << save.what;
        const struct stat st = statOf(save.file);
        EXPECT_EQ(st.st_mode & 07777, 0604u) << save.what;
        EXPECT_EQ(st.st_uid, owner) << save.what;
        EXPECT_EQ(st.st_gid, group) << save.what;
    }
    EXPECT_EQ(statOf(pack + ".old").st_mode & 07777, 0604u);
}

// Temporary files of ours that a killed run left in the pack's folder, of
// any file of ours, go with the next successful save; one its writer still
// holds locked (a save under way) stays, and so do names that only look alike.
TEST(WriteFaults, LeftoverTemporariesGoWithTheNextSaveInTheirFolder) {
    QTemporaryDir dir;
    const QString pack = dir.filePath("levels.mrg");
    writeSample(pack, 3, 10);
    const QStringList ours{".levels.mrg.0.tmp", ".levels.mrg.1z141z3.tmp", ".other.mrg.abc.tmp",
                           ".opt.ini.k2.tmp", ".Track.LEV.7.tmp"};
    const QStringList others{".levels.mrg.12345678.tmp", ".levels.mrg.AB.tmp", ".levels.mrg..tmp",
                             "levels.mrg.abc.tmp",       ".notes.odt.abc.tmp", "..abc.tmp"};
    for (const QString& name : ours + others) {
        putFile(dir.filePath(name), "half a pack");
    }
    const QString held = ".levels.mrg.live.tmp"; // another save, still writing
    putFile(dir.filePath(held), "being written");
    const int fd = ::open(QFile::encodeName(dir.filePath(held)).constData(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    TrackTable table;
    Rows rows;
    ASSERT_EQ(loadPackFile(pack, table, rows), "");
    {
        test::FileSizeLimit full(64); // a failed save leaves them: it did not succeed
        EXPECT_NE(savePackFile(pack, table, rows), "");
    }
    EXPECT_EQ(entries(dir).size(), 3 + ours.size() + others.size()); // levels.mrg and its .old
    ASSERT_EQ(savePackFile(pack, table, rows), "");
    QStringList expected = others + QStringList{"levels.mrg", "levels.mrg.old", held};
    expected.sort();
    EXPECT_EQ(entries(dir), expected);
    ::close(fd); // its writer gone: the next save takes it
    ASSERT_EQ(savePackFile(pack, table, rows), "");
    expected.removeOne(held);
    EXPECT_EQ(entries(dir), expected);
}

// Two saves into one file at once, fifty times: each reports success, the
// file is whole (one of the two packs, byte for byte) and no temporary file
// is left; neither removes the other's temporary while it is written.
TEST(WriteFaults, TwoSavesIntoOneFileAtOnceBothSucceed) {
    QTemporaryDir dir;
    const QString a = dir.filePath("a.mrg"), b = dir.filePath("b.mrg");
    writeSample(a, 400, 120);
    writeSample(b, 300, 120);
    const QByteArray bytesA = fileBytes(a), bytesB = fileBytes(b);
    const QString out = dir.filePath("out/levels.mrg");
    QDir(dir.path()).mkdir("out");
    int failed = 0;
    for (int pair = 0; pair < 50; ++pair) {
        QProcess first, second;
        first.start(TRACKPACK_EXE, {"resave", a, out});
        second.start(TRACKPACK_EXE, {"resave", b, out});
        for (QProcess* p : {&first, &second}) {
            ASSERT_TRUE(p->waitForFinished(60000));
            if (p->exitCode() != 0) {
                ++failed;
                ADD_FAILURE() << p->readAllStandardError().toStdString();
            }
        }
        const QByteArray now = fileBytes(out);
        ASSERT_TRUE(now == bytesA || now == bytesB) << "pair " << pair;
    }
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(QDir(dir.filePath("out")).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"levels.mrg", "levels.mrg.old"}));
}

// A settings or language file over 1 MB, or with a line over 4 KB, is not
// loaded: the reason names the file and the limit, the defaults stand in and
// the file stays as it was. Files exactly at both limits load.
TEST(WriteFaults, OversizedSettingsAndLanguageFilesAreNotLoaded) {
    const auto padded = [](const QByteArray& head, qsizetype size, qsizetype line) {
        QByteArray text = head;
        const QByteArray filler = ";" + QByteArray(line - 1, 'x') + "\r\n";
        while (text.size() + filler.size() <= size) text += filler;
        return text + QByteArray(size - text.size(), ';');
    };
    const QByteArray options = "[Options]\r\nVMoto=1\r\n";
    const QByteArray english = fileBytes(BASE_DIR "/lang/english.lng");
    const struct {
        qsizetype size, line;
        QString refusal; // empty: loads
    } cases[] = {
        {1024 * 1024, 4096, ""},
        {1024 * 1024 + 1, 100, "larger than 1048576 bytes"},
        {40000, 4097, "longer than 4096 bytes"},
    };
    LangLines shipped;
    ASSERT_EQ(shipped.load(BASE_DIR "/lang/english.lng"), "");
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString ini = optionsPath(dir.path());
        putFile(ini, padded(options, c.size, c.line));
        const QByteArray before = fileBytes(ini);
        Options o;
        const OptionsLoad load = LoadOptions(dir.path(), o);
        EXPECT_EQ(load.unreadable, !c.refusal.isEmpty()) << c.size;
        EXPECT_EQ(o.VMoto, c.refusal.isEmpty() ? kRiderSprite : kRiderDot) << c.size;
        if (!c.refusal.isEmpty()) {
            EXPECT_TRUE(said(load.problem).startsWith(ini + ": ") &&
                        said(load.problem).contains(c.refusal))
                << load.problem;
            EXPECT_FALSE(WriteString("Options", "NewLevel", ini, "1")); // nor written over
        }
        EXPECT_EQ(fileBytes(ini), before);

        // A language file: the shipped English one refused on disk speaks
        // from the program's own copy; another one leaves the built-in texts.
        for (const QString& name : {QString("english.lng"), QString("other.lng")}) {
            const QString lng = dir.filePath(name);
            putFile(lng, padded(english, c.size, c.line));
            LangLines lang;
            const QString problem = said(lang.load(lng));
            EXPECT_EQ(problem.contains(c.refusal) && problem.startsWith(lng + ": "),
                      !c.refusal.isEmpty())
                << problem.toStdString();
            if (c.refusal.isEmpty() || name == "english.lng")
                EXPECT_EQ(lang[70], shipped[70]) << name.toStdString();
            else
                EXPECT_EQ(lang.loadedCount(), 0);
        }
    }
}

// Two windows and a hand edit share "opt.ini": each update reads the file as
// it is on disk and changes only its own keys; an update that changes no
// value does not write the file at all.
TEST(WriteFaults, SettingsUpdatesChangeOnlyTheirOwnKeys) {
    QTemporaryDir dir;
    const QString ini = optionsPath(dir.path());
    Options defaults;
    ASSERT_EQ(LoadOptions(dir.path(), defaults).problem, "");
    RecentFiles one(ini), two(ini);
    one.load();
    two.load();
    ASSERT_TRUE(one.write_ini("/p/one.mrg"));
    ASSERT_TRUE(two.write_ini("/p/two.mrg"));
    EXPECT_EQ(two.LastFilesList(), (QStringList{"/p/one.mrg", "/p/two.mrg"}));

    OptionsChoice shown;
    readOptions(IniText(fileBytes(ini)), shown.values);
    shown.savetime = "5";
    OptionsChoice chosen = shown;
    chosen.values.BG1 = QColor(0, 0, 255);
    ASSERT_TRUE(WriteString("Options", "VMoto", ini, "1")); // meanwhile, by hand
    ASSERT_TRUE(WriteString("Author", "Nick", ini, "me"));
    Message error;
    ASSERT_TRUE(writeOptions(ini, chosen, &error, &shown)) << error;
    EXPECT_EQ(ReadString("Colors", "BG1", ini, ""), "16711680");
    EXPECT_EQ(ReadString("Options", "VMoto", ini, ""), "1");
    EXPECT_EQ(ReadString("Author", "Nick", ini, ""), "me");
    EXPECT_EQ(ReadString("LastFiles", "2", ini, ""), "/p/two.mrg");

    const FileIdentity before = fileIdentity(ini);
    EXPECT_TRUE(writeOptions(ini, chosen, &error, &chosen));
    EXPECT_TRUE(one.write_ini("/p/one.mrg"));
    EXPECT_TRUE(WriteString("Author", "Nick", ini, "me"));
    EXPECT_EQ(fileIdentity(ini), before);
}
