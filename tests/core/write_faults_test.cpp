// Writes that cannot reach the disk whole: a full disk, a symbolic link, odd
// settings files. Nothing may be reported as saved unless every byte is there,
// and the previous file must stay byte for byte.
#include "../common/file_size_limit.h"
#include "pack/pack_file.h"
#include "pack/sample_pack.h"
#include "settings/ini_file.h"
#include "settings/options.h"
#include "settings/recent_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvo;

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeSample(const QString& path, int tracks, int segments) {
    QProcess p;
    p.start(TRACKPACK_EXE, {"sample", path, "--tracks", QString::number(tracks), "--segments",
                            QString::number(segments)});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0);
}

// Only the files the test made: no temporary file may be left behind.
QStringList entries(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
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
        const QByteArray before = bytesOf(target);
        ASSERT_GT(bytesOf(source).size(), 2048);

        // The base folder speaks English: the system's own words come through.
        QDir(dir.path()).mkpath("lang");
        QFile::copy(BASE_DIR "/lang/english.lng", dir.filePath("lang/english.lng"));
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.setProgram("bash");
        p.setArguments({"-c", "trap '' XFSZ; ulimit -f 1; exec \"$0\" resave \"$1\" \"$2\"",
                        TRACKPACK_EXE, source, target});
        p.start();
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 1) << tracks;
        EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains("File too large"));
        EXPECT_EQ(bytesOf(target), before);
        EXPECT_EQ(bytesOf(target + ".old"), before); // the previous version, kept once
        EXPECT_EQ(entries(dir), (QStringList{"NEW.mrg", "levels.mrg", "levels.mrg.old"}));
    }
}

// In-process writes of the settings on a full disk: the file stays as it
// was (a first start leaves no empty "opt.ini" behind), and each caller
// hears the reason.
TEST(WriteFaults, SettingsWritesOnAFullDiskLeaveTheFile) {
    QTemporaryDir dir;
    const QString ini = optionsPath(dir.path());
    {
        test::FileSizeLimit full(16);
        Options o;
        const OptionsLoad load = LoadOptions(dir.path(), o);
        EXPECT_TRUE(load.createdDefaults);
        EXPECT_FALSE(load.unreadable);
        EXPECT_TRUE(load.problem.contains("File too large")) << load.problem.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(ini));

    Options o;
    ASSERT_EQ(LoadOptions(dir.path(), o).problem, "");
    ASSERT_TRUE(WriteString("LastFiles", "1", ini, "/some/pack.mrg"));
    const QByteArray before = bytesOf(ini);
    {
        test::FileSizeLimit full(16);
        QString error;
        EXPECT_FALSE(WriteString("Options", "VMoto", ini, "1", &error));
        EXPECT_TRUE(error.contains("File too large"));
        RecentFiles recent(ini);
        recent.load();
        EXPECT_FALSE(recent.write_ini("/another/pack.mrg", &error));
        OptionsChoice choice;
        EXPECT_FALSE(writeOptions(ini, choice, &error));
    }
    EXPECT_EQ(bytesOf(ini), before);
    EXPECT_EQ(entries(dir), QStringList{"opt.ini"});
}

// Saving through "link.mrg" -> "real.mrg": the link stays a link, the real
// file gets the new pack, and "link.mrg.old" is a real file with the old one.
TEST(WriteFaults, SavingThroughALinkKeepsThePreviousContents) {
    QTemporaryDir dir;
    const QString real = dir.filePath("real.mrg"), link = dir.filePath("link.mrg");
    writeSample(real, 3, 10);
    const QByteArray before = bytesOf(real);
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
    EXPECT_EQ(bytesOf(link + ".old"), before);
    EXPECT_NE(bytesOf(real), before);
    EXPECT_EQ(bytesOf(link), bytesOf(real));
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
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xEF\xBB\xBF[Options]\r\nVMoto=1\r\nRatioPic=4\r\n");
    f.close();
    Options o;
    LoadOptions(dir.path(), o);
    EXPECT_EQ(o.VMoto, kRiderSprite);
    EXPECT_EQ(o.RatioPic, 4);
    ASSERT_TRUE(WriteString("Options", "VMoto", ini, "0"));
    EXPECT_EQ(bytesOf(ini), QByteArray("\xEF\xBB\xBF[Options]\r\nVMoto=0\r\nRatioPic=4\r\n"));
}
