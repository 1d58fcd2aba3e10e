// jarpacker run as the editor's menu or a user runs it, on game archives
// made here by Python's zipfile.
#include "../core/mail_test_util.h"

using namespace korvo::test;

namespace {

struct Packer {
    int status = -1;
    QString err;
};

Packer jarpacker(const QStringList& args) {
    QProcess p;
    p.start(JARPACKER_EXE, args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

// A game archive of the given entries [name, method, bytes].
void makeArchive(const QString& path, const QList<std::tuple<QString, int, QByteArray>>& entries) {
    QJsonArray listing;
    for (const auto& [name, method, bytes] : entries)
        listing.append(QJsonArray{name, method, QString::fromLatin1(bytes.toBase64())});
    const QString listPath = path + ".json";
    putFile(listPath, QJsonDocument(listing).toJson());
    QProcess p;
    p.start(SYSTEM_PYTHON, {TEST_TOOLS_DIR "/zip_tool.py", "make", path, listPath});
    p.waitForFinished(30000);
    QFile::remove(listPath);
}

} // namespace

TEST(Jarpacker, ReplacesTheLevelsAndKeepsEveryOtherEntry) {
    SubmissionFolder folder;
    const QString game = folder.path("game.jar"), out = folder.path("built/moto.jar");
    QDir(folder.base).mkpath("built");
    QByteArray code;
    for (int i = 0; i < 4000; ++i) code += char(i * 31 % 251);
    makeArchive(game, {{"META-INF/MANIFEST.MF", 0, "Manifest-Version: 1.0\r\n"},
                       {"Game.class", 8, code},
                       {"levels.mrg", 0, "old levels"},
                       {"pic/bike.png", 0, "png"}});
    putFile(folder.path("game.jad"),
            "MIDlet-Name: Moto\r\nMIDlet-Jar-Size: 12\r\nMIDlet-Jar-URL: game.jar\r\n"
            "MIDlet-Version: 1.0\r\n");
    const QByteArray gameBefore = fileBytes(game);

    const Packer run = jarpacker({game, folder.pack, out});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(fileBytes(game), gameBefore);

    const QJsonObject before = zipDump(game), after = zipDump(out);
    EXPECT_TRUE(after["ok"].toBool());
    const QJsonArray a = before["entries"].toArray(), b = after["entries"].toArray();
    ASSERT_EQ(b.size(), a.size());
    for (qsizetype i = 0; i < a.size(); ++i) {
        const QJsonObject x = a[i].toObject(), y = b[i].toObject();
        EXPECT_EQ(y["name"], x["name"]);
        if (x["name"].toString() == "levels.mrg") {
            EXPECT_EQ(y["method"].toInt(), 8);
            EXPECT_EQ(fromBase64(y["data"]), fileBytes(folder.pack));
            EXPECT_EQ(y["date_time"].toArray()[0].toInt(), QDate::currentDate().year());
        } else {
            EXPECT_EQ(y, x) << x["name"].toString().toStdString();
        }
    }
    EXPECT_EQ(fileBytes(folder.path("built/moto.jad")),
              "MIDlet-Name: Moto\r\nMIDlet-Jar-Size: " + QByteArray::number(QFileInfo(out).size()) +
                  "\r\nMIDlet-Jar-URL: moto.jar\r\nMIDlet-Version: 1.0\r\n");
}

TEST(Jarpacker, RefusesWhatIsNoGameArchiveAndWritesNothing) {
    SubmissionFolder folder;
    const QString out = folder.path("out.jar");
    putFile(folder.path("text.jar"), "not an archive");
    Packer run = jarpacker({folder.path("text.jar"), folder.pack, out});
    EXPECT_EQ(run.status, 1);
    // No language file where it runs: the built-in Russian texts.
    EXPECT_TRUE(run.err.contains(QString::fromUtf8("не архив zip"))) << run.err.toStdString();
    makeArchive(folder.path("nolevels.jar"), {{"Game.class", 8, "code"}});
    run = jarpacker({folder.path("nolevels.jar"), folder.pack, out});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("levels.mrg")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(QDir(folder.base).entryList(QDir::Files | QDir::Hidden).size(), 3);

    EXPECT_EQ(jarpacker({folder.path("nolevels.jar"), folder.pack}).status, 2);
    EXPECT_EQ(
        jarpacker({folder.path("nolevels.jar"), folder.pack, folder.path("nolevels.jar")}).status,
        2);
}
