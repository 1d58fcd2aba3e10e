// The base folder a start chooses from its command line, and the per-user
// folder the desktop menu starts in: filled on first use, refreshed with
// newer shipped language files, the user's own files kept.
#include "settings/base_folder.h"
#include "settings/command_line.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"

#include "settings_files.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvo;
using korvo::test::fileBytes;
using korvo::test::putFile;

namespace {

void setTime(const QString& path, const QDateTime& time) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(time, QFileDevice::FileModificationTime));
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

CommandLine userLine() {
    CommandLine line;
    line.base = CommandLine::Base::User;
    return line;
}

} // namespace

TEST(BaseFolder, PerUserFolderIsFilledOnFirstUseAndKeepsTheUsersFiles) {
    QTemporaryDir root;
    const QString shipped = root.filePath("share/korvote");
    ASSERT_TRUE(QDir().mkpath(shipped + "/lang") && QDir().mkpath(shipped + "/images") &&
                QDir().mkpath(shipped + "/tomail"));
    for (const QString name : {"english.lng", "russian.lng"})
        ASSERT_TRUE(QFile::copy(BASE_DIR "/lang/" + name, shipped + "/lang/" + name));
    const QDateTime shippedTime = QDateTime::currentDateTime().addDays(-2);
    for (const QString name : {"english.lng", "russian.lng"})
        setTime(shipped + "/lang/" + name, shippedTime);

    // First use: the folder (and its parents) is made with the shipped files.
    const QString user = root.filePath("home/.local/share/korvote");
    BaseChoice choice = chooseBaseFolder(userLine(), shipped, user);
    EXPECT_EQ(choice.error, "");
    EXPECT_EQ(choice.problems, QStringList());
    EXPECT_EQ(choice.folder, user);
    EXPECT_EQ(entries(user), QStringList({"images", "lang", "tomail"}));
    EXPECT_EQ(entries(user + "/lang"), QStringList({"english.lng", "russian.lng"}));
    EXPECT_EQ(fileBytes(user + "/lang/english.lng"), fileBytes(BASE_DIR "/lang/english.lng"));
    EXPECT_EQ(fileBytes(user + "/lang/russian.lng"), fileBytes(BASE_DIR "/lang/russian.lng"));
    EXPECT_EQ(QFileInfo(user + "/lang/english.lng").lastModified(), shippedTime);
    EXPECT_EQ(entries(user + "/images"), QStringList());
    EXPECT_EQ(entries(user + "/tomail"), QStringList());

    // The user works in it: settings, a pack, a language of their own, an
    // edited shipped language, a deleted folder.
    putFile(user + "/opt.ini", "[Options]\r\nLang=mine.lng\r\n");
    putFile(user + "/levels.mrg", "pack bytes");
    putFile(user + "/lang/mine.lng", "my own texts");
    putFile(user + "/lang/russian.lng", "my russian");
    ASSERT_TRUE(QDir(user + "/tomail").removeRecursively());
    // A newer program is installed: english.lng has changed, russian.lng not.
    putFile(shipped + "/lang/english.lng", "newer english");
    setTime(shipped + "/lang/english.lng", shippedTime.addDays(1));

    choice = chooseBaseFolder(userLine(), shipped, user);
    EXPECT_EQ(choice.problems, QStringList());
    EXPECT_EQ(fileBytes(user + "/lang/english.lng"), "newer english");
    EXPECT_EQ(fileBytes(user + "/lang/russian.lng"), "my russian");
    EXPECT_EQ(fileBytes(user + "/lang/mine.lng"), "my own texts");
    EXPECT_EQ(fileBytes(user + "/opt.ini"), "[Options]\r\nLang=mine.lng\r\n");
    EXPECT_EQ(fileBytes(user + "/levels.mrg"), "pack bytes");
    EXPECT_TRUE(QFileInfo(user + "/tomail").isDir());

    // A third start changes nothing: the refreshed copy is no longer older.
    putFile(user + "/lang/english.lng", "edited again");
    choice = chooseBaseFolder(userLine(), shipped, user);
    EXPECT_EQ(fileBytes(user + "/lang/english.lng"), "edited again");

    // A per-user folder that cannot be made is reported; the start goes on there.
    putFile(root.filePath("file"), "x");
    choice = chooseBaseFolder(userLine(), shipped, root.filePath("file/korvote"));
    EXPECT_EQ(choice.error, "");
    ASSERT_EQ(choice.problems.size(), 1);
    EXPECT_TRUE(choice.problems[0].contains(root.filePath("file/korvote") +
                                            ": the folder could not be made"))
        << choice.problems[0].toStdString();
    // Without a shipped folder the program is not fully installed: said so,
    // in the built-in Russian the window will speak without language files.
    choice = chooseBaseFolder(userLine(), root.filePath("nothing"), root.filePath("other"));
    ASSERT_EQ(choice.problems.size(), 1);
    EXPECT_TRUE(choice.problems[0].contains(QString::fromUtf8("установлена не полностью")))
        << choice.problems[0].toStdString();
    EXPECT_TRUE(QFileInfo(root.filePath("other")).isDir());
}

TEST(BaseFolder, CommandLineChoosesTheFolderAndThePack) {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    ASSERT_TRUE(QDir().mkpath("given"));

    CommandLine line = readCommandLine({"korvote"});
    EXPECT_EQ(line.error, "");
    EXPECT_EQ(line.base, CommandLine::Base::Current);
    EXPECT_EQ(line.pack, "");
    EXPECT_FALSE(line.quitAfterStart);
    BaseChoice choice = chooseBaseFolder(line, BASE_DIR, dir.filePath("user"));
    EXPECT_EQ(choice.folder, QDir::currentPath());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("user"))); // nothing filled, nothing copied
    EXPECT_EQ(entries(dir.path()), QStringList({"given"}));

    line = readCommandLine({"korvote", "--base", "given", "packs/a.mrg"});
    EXPECT_EQ(line.error, "");
    EXPECT_EQ(line.base, CommandLine::Base::Given);
    EXPECT_EQ(line.pack, dir.filePath("packs/a.mrg")); // from the current folder
    choice = chooseBaseFolder(line, BASE_DIR, dir.filePath("user"));
    EXPECT_EQ(choice.error, "");
    EXPECT_EQ(choice.folder, dir.filePath("given"));
    EXPECT_EQ(entries(dir.filePath("given")), QStringList()); // used as it is

    line = readCommandLine({"korvote", "--base=missing"});
    choice = chooseBaseFolder(line, BASE_DIR, dir.filePath("user"));
    EXPECT_EQ(choice.error, "The base folder " + dir.filePath("missing") +
                                " is not there; give a folder that exists.");

    line = readCommandLine({"korvote", "/x/b.mrg", "--user", "--quit-after-start"});
    EXPECT_EQ(line.error, "");
    EXPECT_EQ(line.base, CommandLine::Base::User);
    EXPECT_EQ(line.pack, "/x/b.mrg");
    EXPECT_TRUE(line.quitAfterStart);
    EXPECT_NE(chooseBaseFolder(line, BASE_DIR, "").error, "");

    EXPECT_TRUE(readCommandLine({"korvote", "a.mrg", "-h"}).help);
    for (const QStringList& wrong : {QStringList{"korvote", "--base", "given", "--user"},
                                     {"korvote", "a.mrg", "b.mrg"},
                                     {"korvote", "--base"},
                                     {"korvote", "--bsae", "given"},
                                     {"korvote", "--base", "a", "--base", "b"}}) {
        line = readCommandLine(wrong);
        EXPECT_NE(line.error, "") << wrong.join(' ').toStdString();
    }
    EXPECT_EQ(readCommandLine({"korvote", "--bsae", "given"}).error, "Unknown option 'bsae'.");

    // The installed files are found beside the program; the source tree's
    // "base" stands in for them in the build folder.
    EXPECT_EQ(shippedFilesFolder(dir.path(), BASE_DIR), QDir(BASE_DIR).absolutePath());
    ASSERT_TRUE(QDir().mkpath("share/korvote/lang") && QDir().mkpath("bin"));
    EXPECT_EQ(shippedFilesFolder(dir.filePath("bin/../share/korvote"), BASE_DIR),
              dir.filePath("share/korvote"));
    QDir::setCurrent(previous);
}
