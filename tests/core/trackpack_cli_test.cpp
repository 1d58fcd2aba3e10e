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

// trackpack speaks the language the editor would in its folder: the file its
// "opt.ini" names, whatever the locale. Without "opt.ini" the locale decides:
// the first of LC_ALL, LC_MESSAGES and LANG that is set and not empty,
// Russian for "ru..." and English for anything else.
TEST(TrackpackCli, SpeaksTheLocalesLanguageUnlessOptIniNamesOne) {
    QTemporaryDir dir;
    putFile(dir.filePath("bad.mrg"), QByteArray("\0\0\0\0", 4)); // group 1 empty, then the end
    const QString english = "file ends inside the directory";
    const QString russian = QString::fromUtf8("файл кончается внутри оглавления");
    struct Case {
        QStringList locale;
        QString says;
    };
    for (const Case& c : {Case{{"LANG=en_US.UTF-8"}, english}, Case{{"LANG=ru_RU.UTF-8"}, russian},
                          Case{{"LANG=ru"}, russian}, Case{{"LANG=C.UTF-8"}, english},
                          Case{{"LANG=en_RU.UTF-8"}, english}, Case{{}, english},
                          Case{{"LC_ALL=ru_RU.UTF-8", "LANG=en_US.UTF-8"}, russian},
                          Case{{"LC_MESSAGES=ru_RU.UTF-8", "LANG=en_US.UTF-8"}, russian},
                          Case{{"LC_ALL=", "LC_MESSAGES=en_US.UTF-8", "LANG=ru_RU.UTF-8"}, english},
                          Case{{"LC_ALL=", "LC_MESSAGES=", "LANG=ru_RU.UTF-8"}, russian}}) {
        SCOPED_TRACE(c.locale.join(' ').toStdString());
        const CliRun r = trackpack({"count", "bad.mrg"}, dir.path(), c.locale);
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
    }
    // The system's reasons too, as a user meets them first.
    EXPECT_EQ(trackpack({"count", "/nonexist.mrg"}, dir.path(), {"LANG=en_US.UTF-8"}).err,
              "trackpack: /nonexist.mrg: No such file or directory\n");
    EXPECT_EQ(trackpack({"count", "/nonexist.mrg"}, dir.path(), {"LANG=ru_RU.UTF-8"}).err,
              QString::fromUtf8("trackpack: /nonexist.mrg: Нет такого файла или папки\n"));

    QDir(dir.path()).mkpath("lang");
    for (const char* name : {"english.lng", "russian.lng"})
        QFile::copy(QString(BASE_DIR "/lang/") + name, dir.filePath("lang/") + name);
    putFile(dir.filePath("opt.ini"), "[Options]\r\nLang=russian.lng\r\n");
    EXPECT_TRUE(
        trackpack({"count", "bad.mrg"}, dir.path(), {"LANG=en_US.UTF-8"}).err.contains(russian));
    putFile(dir.filePath("opt.ini"), "[Options]\r\nLang=english.lng\r\n");
    EXPECT_TRUE(
        trackpack({"count", "bad.mrg"}, dir.path(), {"LC_ALL=ru_RU.UTF-8"}).err.contains(english));
}

// --help prints to standard output and exits 0; a usage error prints the
// reason and the same usage to standard error and exits 2. The usage lists
// every command, then the options, then the exit codes.
TEST(TrackpackCli, HelpListsTheCommandsThenTheOptionsThenTheExitCodes) {
    QTemporaryDir dir;
    const CliRun help = trackpack({"--help"}, dir.path(), {"LANG=en_US.UTF-8"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    ASSERT_TRUE(help.out.startsWith("usage: trackpack COMMAND ...\n")) << help.out.toStdString();
    qsizetype previous = 0;
    for (const char* command : {"info", "count", "resave", "sample", "import", "export-lev",
                                "pictures", "submit", "check", "ride"}) {
        const qsizetype at = help.out.indexOf(QString("\n  ") + command + " ");
        EXPECT_GT(at, previous) << command;
        previous = std::max(previous, at);
    }
    const qsizetype options = help.out.indexOf("\n  -h, --help ");
    const qsizetype exitCodes = help.out.indexOf("\nExit status: 0 success");
    EXPECT_GT(options, previous);
    EXPECT_GT(exitCodes, options);
    EXPECT_TRUE(help.out.contains("\n  --version ")) << help.out.toStdString();
    EXPECT_TRUE(help.out.endsWith("copied.\n"));

    const CliRun wrong = trackpack({"frobnicate"}, dir.path(), {"LANG=en_US.UTF-8"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_EQ(wrong.out, "");
    EXPECT_EQ(wrong.err, "trackpack: unknown command frobnicate\n" + help.out);

    const CliRun russian = trackpack({"--help"}, dir.path(), {"LANG=ru_RU.UTF-8"});
    EXPECT_TRUE(russian.out.startsWith(QString::fromUtf8("использование: trackpack КОМАНДА")));
    EXPECT_TRUE(russian.out.contains(QString::fromUtf8("\nКод выхода: 0 успех")));

    const CliRun version = trackpack({"--version"}, dir.path());
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "trackpack " KORVO_VERSION "\n");
}
