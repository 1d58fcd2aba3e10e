// trackpack import, export-lev and pictures run as a user runs them.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "cli_run.h"
#include "settings_files.h"

namespace {

using korvo::test::CliRun;
using korvo::test::fileBytes;
using korvo::test::putFile;
using korvo::test::trackpack;

// "E: a b | M: c | H:" of a pack as `info --json` shows it.
std::string layout(const QString& pack) {
    const CliRun r = trackpack({"info", "--json", pack});
    const QJsonArray tracks = QJsonDocument::fromJson(r.out.toUtf8())["tracks"].toArray();
    QString out;
    int group = 0;
    const char* heads[] = {"", "E:", " | M:", " | H:"};
    for (const QJsonValue& v : tracks) {
        const QJsonObject t = v.toObject();
        while (group < t["group"].toInt()) out += heads[++group];
        out += " " + t["name"].toString();
    }
    while (group < 3) out += heads[++group];
    return out.toStdString();
}

class ImportCli : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString pack, source;
    void SetUp() override {
        pack = dir.filePath("levels.mrg");
        source = dir.filePath("other.mrg");
        ASSERT_EQ(trackpack({"sample", pack, "--tracks", "4", "--seed", "1"}).status, 0);
        ASSERT_EQ(trackpack({"sample", source, "--tracks", "5", "--seed", "2"}).status, 0);
    }
    QString path(const QString& name) const { return dir.filePath(name); }
};

} // namespace

TEST_F(ImportCli, PickedTracksOfAnotherPackEndTheirGroupsInSourceOrder) {
    EXPECT_EQ(layout(pack), "E: Canyon_1 Creek_2 | M: Hills_3 | H: Summit_4");
    EXPECT_EQ(layout(source), "E: Hills_1 Valley_2 | M: Quarry_3 Hills_4 | H: Ridge_5");
    putFile(path("out.mrg"), "previous");
    const CliRun r =
        trackpack({"import", pack, path("out.mrg"), "--from", source, "--pick", "4,1,4"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(layout(path("out.mrg")),
              "E: Canyon_1 Creek_2 Hills_1 | M: Hills_3 Hills_4 | H: Summit_4");
    EXPECT_EQ(fileBytes(path("out.mrg.old")), "previous");

    ASSERT_EQ(trackpack({"import", pack, path("all.mrg"), "--from", source}).status, 0);
    EXPECT_EQ(layout(path("all.mrg")), "E: Canyon_1 Creek_2 Hills_1 Valley_2 | M: Hills_3 "
                                       "Quarry_3 Hills_4 | H: Summit_4 Ridge_5");
}

TEST_F(ImportCli, LevFilesExportedAndImportedLandAtTheEndOfEasy) {
    ASSERT_EQ(trackpack({"export-lev", source, "4", path("hills.lev")}).status, 0);
    const QByteArray pairs = fileBytes(path("hills.lev"));
    EXPECT_EQ(pairs.size(), 120); // 60 segments
    putFile(path("hill.lev"), QByteArray(40, '\x05'));
    const CliRun r =
        trackpack({"import", pack, path("out.mrg"), "--lev", path("hills.lev"), path("hill.lev")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(layout(path("out.mrg")), "E: Canyon_1 Creek_2 hills hill | M: Hills_3 | H: Summit_4");
    const QJsonArray tracks =
        QJsonDocument::fromJson(
            trackpack({"info", "--json", path("out.mrg")}).out.toUtf8())["tracks"]
            .toArray();
    EXPECT_EQ(tracks[3]["nodeCount"].toInt(), 21);
    EXPECT_EQ(tracks[3]["templ"].toInt(), 1);
    ASSERT_EQ(trackpack({"export-lev", path("out.mrg"), "3", path("again.lev")}).status, 0);
    EXPECT_EQ(fileBytes(path("again.lev")), pairs);
}

TEST_F(ImportCli, PicturesAndTheirCatalogueGoIntoAFolderMadeForThem) {
    const QString out = path("pics/images");
    const CliRun r = trackpack({"pictures", pack, out, "--ratio", "4"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, "") << "no progress line when not on a terminal";
    EXPECT_TRUE(r.out.contains(QRegularExpression("^\\D*4\\D*\n$"))) << "how many were written";
    EXPECT_EQ(QDir(out).entryList(QDir::Files),
              (QStringList{"11-Canyon_1.gif", "12-Creek_2.gif", "21-Hills_3.gif", "31-Summit_4.gif",
                           "bdpic.dat"}));
    EXPECT_EQ(fileBytes(out + "/bdpic.dat"),
              "1|Canyon_1|11-Canyon_1.gif\r\n1|Creek_2|12-Creek_2.gif\r\n"
              "2|Hills_3|21-Hills_3.gif\r\n3|Summit_4|31-Summit_4.gif\r\n");
    EXPECT_TRUE(fileBytes(out + "/31-Summit_4.gif").startsWith("GIF89a"));
}

// A pack near the 4,095 tracks takes what fits, writes OUT and says how many
// were left out, with exit 1; when none fits, OUT is not written.
TEST_F(ImportCli, AFullPackTakesWhatFitsAndExitsOneForTheRest) {
    const QString nearlyFull = path("nearly.mrg"), out = path("out.mrg");
    const QStringList english = {"LANG=en_US.UTF-8"};
    ASSERT_EQ(trackpack({"sample", nearlyFull, "--tracks", "4093", "--segments", "1"}).status, 0);
    CliRun r = trackpack({"import", nearlyFull, out, "--from", source}, dir.path(), english);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith("trackpack: 3 of the tracks were not copied"))
        << r.err.toStdString();
    EXPECT_EQ(trackpack({"count", out}).out.section(' ', 1), "4095\n");

    r = trackpack({"import", out, path("none.mrg"), "--from", source, "--pick", "5"}, dir.path(),
                  english);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith("trackpack: 1 of the tracks were not copied"))
        << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("none.mrg")));
}

TEST_F(ImportCli, RefusedInputWritesNothing) {
    putFile(path("bad.mrg"), QByteArray("\0\0\0\x05", 4));
    putFile(path("big.lev"), QByteArray(999, '\x01'));
    putFile(path("ok.lev"), QByteArray(4, '\x01'));
    const QString out = path("out.mrg");
    const struct {
        QStringList args;
        QString file;
    } refusals[] = {
        {{"import", pack, out, "--from", path("bad.mrg")}, path("bad.mrg")},
        {{"import", path("bad.mrg"), out, "--from", source}, path("bad.mrg")},
        {{"import", pack, out, "--from", source, "--pick", "6"}, source},
        {{"import", pack, out, "--lev", path("ok.lev"), path("big.lev")}, path("big.lev")},
        {{"import", pack, out, "--lev", path("none.lev")}, path("none.lev")},
        {{"export-lev", pack, "5", path("x.lev")}, pack},
        {{"pictures", path("bad.mrg"), path("pics")}, path("bad.mrg")},
    };
    for (const auto& refusal : refusals) {
        const CliRun r = trackpack(refusal.args);
        EXPECT_EQ(r.status, 1) << refusal.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith("trackpack: " + refusal.file + ": ")) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_FALSE(QFile::exists(path("x.lev")));
    EXPECT_FALSE(QFile::exists(path("pics")));

    for (const QStringList& usage :
         {QStringList{"import", pack, out},
          QStringList{"import", pack, out, "--from", source, "--lev", path("ok.lev")},
          QStringList{"import", pack, out, "--from", source, "--pick", "1,x"},
          QStringList{"export-lev", pack, "first", path("x.lev")},
          QStringList{"pictures", pack, path("pics"), "--ratio", "0"}})
        EXPECT_EQ(trackpack(usage).status, 2) << usage.join(' ').toStdString();
    EXPECT_FALSE(QFile::exists(out));
}
