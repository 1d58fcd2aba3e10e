// trackpack submit, run in a base folder as a user runs it.
#include "dist/submission_files.h"
#include "settings/ini_file.h"
#include "settings/options.h"

#include "cli_run.h"
#include "mail_test_util.h"

using namespace korvo;
using namespace korvo::test;

namespace {

// The folder holds no language file: the run speaks the built-in Russian.
CliRun submit(const SubmissionFolder& folder, const QStringList& args) {
    return trackpack(QStringList{"submit"} + args, folder.base);
}

QStringList fields(const QString& nick) {
    return {"levels.mrg",    "--nick",  nick,     "--email",
            "a@example.net", "--level", "Forest", "--save-only"};
}

} // namespace

TEST(SubmitCli, SaveOnlyKeepsTheArchiveAndTheFirstAuthor) {
    SubmissionFolder folder;
    // No "opt.ini" yet: it is made with the first-start defaults, then [Author].
    const CliRun first = submit(folder, fields("Rider"));
    EXPECT_EQ(first.status, 0) << first.err.toStdString();
    EXPECT_TRUE(first.err.contains(QString::fromUtf8("Файл сохранён в директорию \\tomail\\")));
    const QString ini = folder.path("opt.ini");
    EXPECT_TRUE(fileBytes(ini).startsWith(kDefaultOptionsText));
    EXPECT_EQ(ReadString("Author", "Name", ini, "-"), "Rider");
    EXPECT_EQ(ReadString("Author", "Email", ini, "-"), "a@example.net");
    EXPECT_FALSE(QFile::exists(infoFilePath(folder.base)));
    const QJsonArray entries = zipDump(archivePath(folder.base))["entries"].toArray();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(fromBase64(entries[1].toObject()["data"]),
              "Forest\r\nRider\r\na@example.net\r\n10/10/10\r\n");

    // The first author stored stays: a later run's nick goes into its
    // archive only, and "opt.ini" is not written again.
    putFile(ini, fileBytes(ini) + "[Mine]\r\nKept=1\r\n");
    const QByteArray settings = fileBytes(ini);
    EXPECT_EQ(submit(folder, fields("Other")).status, 0);
    EXPECT_EQ(ReadString("Author", "Name", ini, "-"), "Rider");
    EXPECT_EQ(fileBytes(ini), settings);
    EXPECT_TRUE(fromBase64(zipDump(archivePath(folder.base))["entries"][1]["data"])
                    .startsWith("Forest\r\nOther\r\n"));
}

TEST(SubmitCli, RefusedRunsWriteNoArchive) {
    {
        SubmissionFolder folder(29);
        const CliRun run = submit(folder, fields("Rider"));
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains(
            QString::fromUtf8("В уровне не достаточно треков. Минимум 30 треков!")));
        EXPECT_TRUE(QDir(folder.path("tomail")).isEmpty());
    }
    SubmissionFolder folder;
    // A line break in the nick would add lines to info.txt and the mail body.
    CliRun run = submit(folder, fields("Rider\r\nКолво треков : 99/99/99"));
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QString::fromUtf8("одной строкой"))) << run.err.toStdString();
    struct Refusal {
        QString nick;
        const char* says;
    };
    for (const Refusal& r :
         {Refusal{" ", "Не заполнено одно из обязательных полей."},
          Refusal{" 0 ", "\"0\" - не ник"},
          Refusal{QString::fromUtf8("Rider ☃ 日"), "(в Windows-1251 их нет): ☃日"}}) {
        run = submit(folder, fields(r.nick));
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(r.says))) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(folder.path("opt.ini"))); // no author of a refused run
    EXPECT_TRUE(QDir(folder.path("tomail")).isEmpty());
    // Without the "tomail" folder the run says so and ends.
    QDir(folder.path("tomail")).removeRecursively();
    run = submit(folder, fields("Rider"));
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("tomail")) << run.err.toStdString();
    EXPECT_EQ(submit(folder, {"levels.mrg", "--nick", "x"}).status, 2);
}

TEST(SubmitCli, MailsThroughTheServerOfOptIni) {
    SmtpTestServer server("accept");
    ASSERT_GT(server.port(), 0);
    SubmissionFolder folder;
    folder.mailTo(server.port());
    QStringList args = fields("Rider");
    args.removeLast();
    const CliRun run = submit(folder, args);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QString::fromUtf8("Отправка завершена.")));
    EXPECT_EQ(server.message()["to"].toArray(), QJsonArray{kTestMailbox});
}
