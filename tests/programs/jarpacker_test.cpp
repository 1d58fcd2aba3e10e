// jarpacker run as the editor's menu or a user runs it, on game archives
// made here by Python's zipfile.
#include "../core/mail_test_util.h"
#include "dist/zip_file.h"

#include "../core/pack_test_util.h"

using namespace korvo;
using namespace korvo::test;

namespace {

struct Packer {
    int status = -1;
    QString err;
};

// Runs in `folder`, which holds no "opt.ini", with a Russian locale: the
// built-in Russian texts.
Packer jarpacker(const QString& folder, const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES"}) env.remove(name);
    env.insert("LANG", "ru_RU.UTF-8");
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(folder);
    p.start(JARPACKER_EXE, args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

using Entries = QList<std::tuple<QString, int, QByteArray>>;

// A game archive of the given entries [name, method, bytes]; `streamed`
// writes each with a data descriptor, as a tool writing to a pipe does.
void makeArchive(const QString& path, const Entries& entries, bool streamed = false) {
    QJsonArray listing;
    for (const auto& [name, method, bytes] : entries)
        listing.append(QJsonArray{name, method, QString::fromLatin1(bytes.toBase64())});
    const QString listPath = path + ".json";
    putFile(listPath, QJsonDocument(listing).toJson());
    QProcess p;
    QStringList args = {TEST_TOOLS_DIR "/zip_tool.py", "make", path, listPath};
    if (streamed) args << "streamed";
    p.start(SYSTEM_PYTHON, args);
    p.waitForFinished(30000);
    QFile::remove(listPath);
}

// Every entry's raw bytes: local header to the next one, and its central
// record with the offset zeroed.
QJsonArray rawEntries(const QString& archive) {
    QProcess p;
    p.start(SYSTEM_PYTHON, {TEST_TOOLS_DIR "/zip_tool.py", "raw", archive});
    p.waitForFinished(30000);
    return QJsonDocument::fromJson(p.readAllStandardOutput()).array();
}

Entries gameEntries(int levelsMethod) {
    QByteArray code;
    for (int i = 0; i < 4000; ++i) code += char(i * 31 % 251);
    return {{"META-INF/MANIFEST.MF", 0, "Manifest-Version: 1.0\r\n"},
            {"Game.class", 8, code},
            {"levels.mrg", levelsMethod, "old levels"},
            {"pic/bike.png", 8, QByteArray(3000, 'p')},
            {"pic/wheel.png", 0, "png"}};
}

} // namespace

TEST(Jarpacker, ReplacesTheLevelsAndKeepsEveryOtherEntryByteForByte) {
    // Deflated and stored levels, in archives with and without data descriptors.
    for (const int method : {8, 0})
        for (const bool streamed : {false, true}) {
            SCOPED_TRACE(testing::Message() << "method " << method << " streamed " << streamed);
            SubmissionFolder folder;
            const QString game = folder.path("game.jar"), out = folder.path("built/moto.jar");
            QDir(folder.base).mkpath("built");
            makeArchive(game, gameEntries(method), streamed);
            const QByteArray gameBefore = fileBytes(game);

            const QDateTime before = evenSecondsBefore(QDateTime::currentDateTime());
            const Packer run = jarpacker(folder.base, {game, folder.pack, out});
            const QDateTime after = QDateTime::currentDateTime();
            ASSERT_EQ(run.status, 0) << run.err.toStdString();
            EXPECT_EQ(fileBytes(game), gameBefore);
            EXPECT_FALSE(QFile::exists(folder.path("built/moto.jad"))); // the game has none

            const QJsonArray a = rawEntries(game), b = rawEntries(out);
            ASSERT_EQ(b.size(), 5);
            ASSERT_EQ(a.size(), 5);
            EXPECT_EQ(a[1].toObject()["flags"].toInt() & 8, streamed ? 8 : 0);
            for (qsizetype i = 0; i < a.size(); ++i)
                if (i != 2) EXPECT_EQ(b[i], a[i]) << i;

            const QJsonObject dump = zipDump(out);
            EXPECT_TRUE(dump["ok"].toBool()); // every CRC right, as Python reads it
            const QJsonObject levels = dump["entries"][2].toObject();
            EXPECT_EQ(levels["name"].toString(), "levels.mrg");
            EXPECT_EQ(levels["method"].toInt(), method);
            EXPECT_EQ(fromBase64(levels["data"]), fileBytes(folder.pack));
            const QDateTime stamped = zipTime(levels["date_time"]);
            EXPECT_TRUE(stamped >= before && stamped <= after)
                << stamped.toString(Qt::ISODate).toStdString();
            // Zip's usual level 6, not its best.
            std::string deflated = fileBytes(folder.pack).toStdString();
            if (method == 8)
                ASSERT_TRUE(rawDeflate(fileBytes(folder.pack).toStdString(), deflated));
            EXPECT_EQ(fromBase64(b[2].toObject()["local"]).size(),
                      qsizetype(30 + 10 + deflated.size()));
        }
}

TEST(Jarpacker, WritesTheDescriptorWithOneSizeAndUrlLine) {
    struct Case {
        const char* what;
        QByteArray jad, expected; // %s the size
    };
    const QList<Case> cases = {
        {"lines in place",
         "MIDlet-Name: Moto\r\nMIDlet-Jar-Size: 12\r\nMIDlet-Jar-URL: game.jar\r\n",
         "MIDlet-Name: Moto\r\nMIDlet-Jar-Size: %s\r\nMIDlet-Jar-URL: moto.jar\r\n"},
        {"a byte order mark", "\xEF\xBB\xBFMIDlet-Jar-Size: 12\nMIDlet-Jar-URL: game.jar\nX: y\n",
         "\xEF\xBB\xBFMIDlet-Jar-Size: %s\nMIDlet-Jar-URL: moto.jar\nX: y\n"},
        {"lines missing", "MIDlet-Name: Moto",
         "MIDlet-Name: Moto\r\nMIDlet-Jar-Size: %s\r\n"
         "MIDlet-Jar-URL: moto.jar\r\n"},
        {"a size line twice", "MIDlet-Jar-Size:1\nMIDlet-Jar-Size: 2\n",
         "MIDlet-Jar-Size: %s\nMIDlet-Jar-URL: moto.jar\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SubmissionFolder folder;
        makeArchive(folder.path("game.jar"), gameEntries(8));
        putFile(folder.path("game.jad"), c.jad);
        const Packer run = jarpacker(folder.base, {"game.jar", "levels.mrg", "moto.jar"});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        QByteArray expected = c.expected;
        expected.replace("%s", QByteArray::number(QFileInfo(folder.path("moto.jar")).size()));
        EXPECT_EQ(fileBytes(folder.path("moto.jad")), expected);
        EXPECT_EQ(fileBytes(folder.path("game.jad")), c.jad);
    }
}

TEST(Jarpacker, NeverWritesOverAFileItReads) {
    SubmissionFolder folder;
    makeArchive(folder.path("game.JAR"), gameEntries(8));
    putFile(folder.path("game.jad"), "MIDlet-Jar-Size: 12\r\n");
    const QByteArray jar = fileBytes(folder.path("game.JAR")), pack = fileBytes(folder.pack);
    // "game" would write game.jad; the others the game, its descriptor or the pack.
    for (const char* out : {"game", "./game.JAR", "game.jad", "levels.mrg"}) {
        SCOPED_TRACE(out);
        EXPECT_EQ(jarpacker(folder.base, {"game.JAR", "levels.mrg", out}).status, 2);
        EXPECT_EQ(fileBytes(folder.path("game.jad")), "MIDlet-Jar-Size: 12\r\n");
        EXPECT_EQ(fileBytes(folder.path("game.JAR")), jar);
        EXPECT_EQ(fileBytes(folder.pack), pack);
        EXPECT_FALSE(QFile::exists(folder.path("game")));
    }
}

TEST(Jarpacker, AJarWhoseDescriptorCannotBeWrittenIsNotWrittenEither) {
    for (const bool previous : {true, false}) {
        SCOPED_TRACE(previous ? "a previous OUT.jar" : "no previous OUT.jar");
        SubmissionFolder folder;
        makeArchive(folder.path("game.jar"), gameEntries(8));
        putFile(folder.path("game.jad"), "MIDlet-Jar-Size: 12\r\n");
        if (previous) putFile(folder.path("moto.jar"), "the previous archive");
        // moto.jad leads into a folder that is not there: only writing it fails.
        ASSERT_TRUE(QFile::link(folder.path("missing/moto.jad"), folder.path("moto.jad")));
        const Packer run = jarpacker(folder.base, {"game.jar", "levels.mrg", "moto.jar"});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains("moto.jad")) << run.err.toStdString();
        if (previous)
            EXPECT_EQ(fileBytes(folder.path("moto.jar")), "the previous archive");
        else
            EXPECT_FALSE(QFile::exists(folder.path("moto.jar")));
        EXPECT_EQ(QDir(folder.base).entryList(QDir::Files | QDir::Hidden).size(), previous ? 4 : 3);
    }
}

// A run killed between the archive and its descriptor leaves a mark; the
// next run with the same OUT puts the pair right before anything else (here
// it then stops: its pack is missing) and says what it did: the previous
// archive back, an unfinished new one removed, or a pair that agrees kept.
TEST(Jarpacker, TheNextRunPutsRightAPairThatAKilledRunLeft) {
    const QByteArray oldJar = "the previous archive";  // 20 bytes
    const QByteArray newJar = "a new archive, whole!"; // 21 bytes
    struct Case {
        const char* what;
        const char* mark;    // the mark the killed run left
        bool previous;       // the previous archive kept beside it
        QByteArray jad;      // OUT.jad as it left it (empty: none)
        const char* said;    // what the next run says
        QByteArray jarAfter; // OUT.jar after the next run (empty: gone)
    };
    const QList<Case> cases = {
        {"killed after the archive, before the descriptor", "existed\n", true,
         "MIDlet-Jar-Size: 20\r\n", "previous archive is back", oldJar},
        {"a first run killed before its descriptor",
         "new\n",
         false,
         {},
         "unfinished archive was removed",
         {}},
        {"killed after both were written", "existed\n", true, "MIDlet-Jar-Size: 21\r\n",
         "agree and are kept", newJar},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SubmissionFolder folder;
        QDir(folder.base).mkpath("lang");
        QFile::copy(BASE_DIR "/lang/english.lng", folder.path("lang/english.lng"));
        putFile(folder.path("opt.ini"), "[Options]\r\nLang=english.lng\r\n");
        makeArchive(folder.path("game.jar"), gameEntries(8));
        putFile(folder.path("game.jad"), "MIDlet-Jar-Size: 12\r\n");
        putFile(folder.path("moto.jar"), newJar);
        if (c.previous) putFile(folder.path("moto.jar.jarpacker-previous"), oldJar);
        if (!c.jad.isEmpty()) putFile(folder.path("moto.jad"), c.jad);
        putFile(folder.path("moto.jar.jarpacker-run"), c.mark);

        const Packer run = jarpacker(folder.base, {"game.jar", "missing.mrg", "moto.jar"});
        EXPECT_EQ(run.status, 1) << "the run itself stops: no pack";
        EXPECT_TRUE(run.err.contains(c.said)) << run.err.toStdString();
        if (c.jarAfter.isEmpty())
            EXPECT_FALSE(QFile::exists(folder.path("moto.jar")));
        else
            EXPECT_EQ(fileBytes(folder.path("moto.jar")), c.jarAfter);
        if (c.jad.isEmpty())
            EXPECT_FALSE(QFile::exists(folder.path("moto.jad")));
        else
            EXPECT_EQ(fileBytes(folder.path("moto.jad")), c.jad) << "the descriptor as it was";
        EXPECT_FALSE(QFile::exists(folder.path("moto.jar.jarpacker-run")));
        EXPECT_FALSE(QFile::exists(folder.path("moto.jar.jarpacker-previous")));
        // Put right, nothing is said again.
        EXPECT_FALSE(jarpacker(folder.base, {"game.jar", "missing.mrg", "moto.jar"})
                         .err.contains("cut short"));
    }
}

TEST(Jarpacker, RefusesWhatIsNoGameArchiveOrNoPackAndWritesNothing) {
    SubmissionFolder folder;
    putFile(folder.path("text.jar"), "not an archive");
    putFile(folder.path("empty.jar"), "");
    makeArchive(folder.path("nolevels.jar"), {{"Game.class", 8, "code"}});
    makeArchive(folder.path("twice.jar"), {{"levels.mrg", 8, "a"}, {"levels.mrg", 0, "b"}});
    makeArchive(folder.path("game.jar"), gameEntries(8));
    const std::vector<TrackBlock> big[3] = {
        {{"big", header27(2) + std::string(1001, '\x01')}}, {}, {}};
    const std::string broken = buildPack(big);
    putFile(folder.path("broken.mrg"), QByteArray::fromStdString(broken));
    struct Case {
        const char* game;
        const char* pack;
        const char* says;
    };
    for (const Case& c : {Case{"text.jar", "levels.mrg", "это не архив zip"},
                          Case{"empty.jar", "levels.mrg", "пустой файл"},
                          Case{"nolevels.jar", "levels.mrg", "нет \"levels.mrg\""},
                          Case{"twice.jar", "levels.mrg", "два элемента \"levels.mrg\""},
                          Case{"game.jar", "broken.mrg", "1000"}}) {
        SCOPED_TRACE(c.game);
        const Packer run = jarpacker(folder.base, {c.game, c.pack, "out.jar"});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.says))) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(folder.path("out.jar")));
    }
    EXPECT_EQ(QDir(folder.base).entryList(QDir::Files | QDir::Hidden).size(), 7);
    const Packer usage = jarpacker(folder.base, {"game.jar", "levels.mrg"});
    EXPECT_EQ(usage.status, 2);
    EXPECT_TRUE(usage.err.contains(QString::fromUtf8("использование: jarpacker")));
}

TEST(Jarpacker, ItsCommandLineLoadsNoWidgets) {
    // The dynamic loader names every library the program starts with.
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LD_TRACE_LOADED_OBJECTS", "1");
    p.setProcessEnvironment(env);
    p.start(JARPACKER_EXE, {"--help"});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QByteArray loaded = p.readAllStandardOutput();
    EXPECT_TRUE(loaded.contains("libQt6Core")) << loaded.toStdString();
    EXPECT_FALSE(loaded.contains("libQt6Widgets")) << loaded.toStdString();
}
