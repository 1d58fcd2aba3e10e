// The command-line companion run as a user runs it.
#include "pack/pack_file.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "cli_run.h"
#include "settings_files.h"

namespace {

using korvo::test::CliRun;
using korvo::test::putFile;
using korvo::test::trackpack;

} // namespace

TEST(TrackpackCli, SampleInfoCountAndResave) {
    QTemporaryDir dir;
    const QString pack = dir.filePath("levels.mrg");
    ASSERT_EQ(
        trackpack({"sample", pack, "--tracks", "7", "--segments", "20", "--seed", "3"}).status, 0);

    const CliRun count = trackpack({"count", pack});
    EXPECT_EQ(count.status, 0);
    EXPECT_EQ(count.out.trimmed(), "3/2/2 7");

    const CliRun info = trackpack({"info", pack});
    EXPECT_EQ(info.status, 0);
    EXPECT_TRUE(info.out.startsWith("---===  Easy  ===---\n  1/")) << info.out.toStdString();
    EXPECT_TRUE(info.out.trimmed().endsWith("[3/2/2]"));

    const CliRun json = trackpack({"info", "--json", pack});
    ASSERT_EQ(json.status, 0);
    const QJsonObject doc = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(doc["counts"].toArray(), (QJsonArray{3, 2, 2}));
    const QJsonArray tracks = doc["tracks"].toArray();
    ASSERT_EQ(tracks.size(), 7);
    const QJsonObject t = tracks[3].toObject();
    EXPECT_EQ(t["group"].toInt(), 2);
    EXPECT_EQ(t["numInGroup"].toInt(), 1);
    EXPECT_EQ(t["headerLen"].toInt(), 27);
    EXPECT_EQ(t["pointsLen"].toInt(), 40);
    EXPECT_EQ(t["nodeCount"].toInt(), 21);
    EXPECT_EQ(t["trailing"].toInt(), 0);
    EXPECT_EQ(t["anchorY"].toInt(), -125);

    const QString copy = dir.filePath("copy.mrg");
    ASSERT_EQ(trackpack({"resave", pack, copy}).status, 0);
    std::string a, b;
    korvo::readWholeFile(pack, a);
    korvo::readWholeFile(copy, b);
    EXPECT_EQ(a, b);
}

TEST(TrackpackCli, NamesAreShownAsUtf8) {
    QTemporaryDir dir;
    const QString pack = dir.filePath("cyr.mrg");
    // One Easy track named "Трек" in Windows-1251.
    QByteArray image("\0\0\0\x01\0\0\0\x15\xd2\xf0\xe5\xea\0\0\0\0\0\0\0\0\0", 21);
    QByteArray block(28, '\0');
    block[0] = 0x33;
    block[18] = 1;
    putFile(pack, image + block);
    const CliRun json = trackpack({"info", "--json", pack});
    ASSERT_EQ(json.status, 0) << json.err.toStdString();
    const QJsonObject doc = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(doc["tracks"].toArray()[0].toObject()["name"].toString(), QString::fromUtf8("Трек"));
}

TEST(TrackpackCli, RefusalsAndUsageErrors) {
    QTemporaryDir dir;
    const QString bad = dir.filePath("bad.mrg");
    putFile(bad, QByteArray("\0\0\0\x05", 4));
    for (const QStringList& args : {QStringList{"info", bad}, QStringList{"count", bad},
                                    QStringList{"resave", bad, dir.filePath("out.mrg")}}) {
        const CliRun r = trackpack(args);
        EXPECT_EQ(r.status, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith("trackpack: " + bad + ": ")) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("out.mrg")));
    EXPECT_EQ(trackpack({}).status, 2);
    EXPECT_EQ(trackpack({"frobnicate"}).status, 2);
    EXPECT_EQ(trackpack({"sample", dir.filePath("s.mrg"), "--segments", "500"}).status, 2);
    EXPECT_EQ(trackpack({"sample", dir.filePath("s.mrg"), "--tracks", "x"}).status, 2);
    EXPECT_EQ(trackpack({"info", "--json"}).status, 2);
    const CliRun noValue = trackpack({"sample", dir.filePath("s.mrg"), "--tracks"});
    EXPECT_EQ(noValue.status, 2);
    EXPECT_TRUE(noValue.err.section('\n', 0, 0).contains("--tracks")) << noValue.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("s.mrg")));
    const CliRun help = trackpack({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("resave IN OUT"));
    EXPECT_TRUE(help.out.contains("import") && help.out.contains("4095")); // its exit codes
}

// trackpack speaks the language the editor would in its folder: the file
// "opt.ini" names, and the built-in Russian texts when that file is missing.
TEST(TrackpackCli, SpeaksTheLanguageOfItsBaseFolder) {
    QTemporaryDir dir;
    putFile(dir.filePath("bad.mrg"), QByteArray("\0\0\0\0", 4)); // group 1 empty, then the end
    const auto reason = [&] { return trackpack({"count", "bad.mrg"}, dir.path()).err; };
    EXPECT_TRUE(reason().contains(QString::fromUtf8("оглавления"))) << "no language file yet";

    QDir(dir.path()).mkpath("lang");
    for (const char* name : {"english.lng", "russian.lng"})
        QFile::copy(QString(BASE_DIR "/lang/") + name, dir.filePath("lang/") + name);
    EXPECT_TRUE(reason().contains("file ends inside the directory")) << "no opt.ini: English";

    putFile(dir.filePath("opt.ini"), "[Options]\r\nLang=russian.lng\r\n");
    const QString russian = reason();
    EXPECT_TRUE(russian.contains(QString::fromUtf8("файл кончается внутри оглавления")))
        << russian.toStdString();
}
