// The recent packs of File > "Выбрать": the list, its keys in "opt.ini" and
// the numbered items of the submenu.
#include "settings/ini_file.h"
#include "settings/recent_files.h"

#include "settings_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvo;
using korvo::test::fileBytes;
using korvo::test::putFile;

namespace {

QStringList captions(const RecentFiles& r) {
    QStringList out;
    for (const RecentItem& item : r.items()) out << item.caption();
    return out;
}

QStringList keysInFile(const QString& ini) {
    QStringList out;
    for (int n = 1; n <= 9; ++n) out << ReadString("LastFiles", QString::number(n), ini, "-");
    return out;
}

struct Folder {
    QTemporaryDir dir;
    QString ini = dir.filePath("opt.ini");
};

} // namespace

TEST(RecentFiles, LoadKeepsGapsAndAWriteClosesThem) {
    Folder f;
    RecentFiles r(f.ini);
    r.load(); // no file
    EXPECT_TRUE(r.items().isEmpty());

    putFile(f.ini, "[Options]\r\nLang=x\r\n[lastfiles]\r\n3=/p/c.mrg\r\n1=/p/a.mrg\r\n"
                   "2=0\r\n4=\r\n9=/p/i.mrg\r\n");
    r.load();
    EXPECT_EQ(r.LastFilesList(), (QStringList{"/p/a.mrg", "/p/c.mrg", "/p/i.mrg"}));
    EXPECT_EQ(captions(r), (QStringList{"1: /p/a.mrg", "3: /p/c.mrg", "9: /p/i.mrg"}));
    EXPECT_EQ(r.items()[1].path, "/p/c.mrg");
    EXPECT_TRUE(r.check_ini("/p/c.mrg").found);
    EXPECT_EQ(r.check_ini("/p/c.mrg").index, 1);
    EXPECT_FALSE(r.check_ini("/P/C.mrg").found);

    // A new or reopened path closes the gaps: none lost, none doubled (the
    // last key, 9, goes too).
    putFile(f.ini, "[LastFiles]\r\n1=/p/a.mrg\r\n9=/p/c.mrg\r\n");
    r.load();
    ASSERT_TRUE(r.write_ini("/p/d.mrg"));
    EXPECT_EQ(r.LastFilesList(), (QStringList{"/p/a.mrg", "/p/c.mrg", "/p/d.mrg"}));
    EXPECT_EQ(captions(r), (QStringList{"1: /p/a.mrg", "2: /p/c.mrg", "3: /p/d.mrg"}));
    RecentFiles restarted(f.ini);
    restarted.load();
    EXPECT_EQ(restarted.LastFilesList(), r.LastFilesList());

    putFile(f.ini, "[LastFiles]\r\n1=/p/a.mrg\r\n3=/p/c.mrg\r\n");
    r.load();
    ASSERT_TRUE(r.write_ini("/p/c.mrg"));
    restarted.load();
    EXPECT_EQ(restarted.LastFilesList(), (QStringList{"/p/c.mrg", "/p/a.mrg"}));
}

TEST(RecentFiles, NewPathsGoToTheEndAndReopenedOnesToTheFront) {
    Folder f;
    putFile(f.ini, "[Options]\r\nLang=english.lng\r\n");
    RecentFiles r(f.ini);
    r.load();
    ASSERT_TRUE(r.write_ini("/p/A.mrg"));
    ASSERT_TRUE(r.write_ini("/p/B.mrg"));
    ASSERT_TRUE(r.write_ini("/p/C.mrg"));
    EXPECT_EQ(fileBytes(f.ini), "[Options]\r\nLang=english.lng\r\n[LastFiles]\r\n1=/p/A.mrg\r\n"
                                "2=/p/B.mrg\r\n3=/p/C.mrg\r\n");
    ASSERT_TRUE(r.write_ini("/p/B.mrg"));
    EXPECT_EQ(r.LastFilesList(), (QStringList{"/p/B.mrg", "/p/A.mrg", "/p/C.mrg"}));
    EXPECT_EQ(captions(r), (QStringList{"1: /p/B.mrg", "2: /p/A.mrg", "3: /p/C.mrg"}));
    EXPECT_EQ(fileBytes(f.ini), "[Options]\r\nLang=english.lng\r\n[LastFiles]\r\n1=/p/B.mrg\r\n"
                                "2=/p/A.mrg\r\n3=/p/C.mrg\r\n");
    // Another letter case is another path.
    ASSERT_TRUE(r.write_ini("/P/b.MRG"));
    EXPECT_EQ(r.LastFilesList().size(), 4);
    EXPECT_EQ(r.LastFilesList().back(), "/P/b.MRG");
}

TEST(RecentFiles, FullListTakesNewPathsAtTheFront) {
    Folder f;
    RecentFiles r(f.ini);
    for (int i = 1; i <= 9; ++i) ASSERT_TRUE(r.write_ini(QString("/p/%1.mrg").arg(i)));
    ASSERT_TRUE(r.write_ini("/p/new.mrg"));
    QStringList expected{"/p/new.mrg"};
    for (int i = 1; i <= 8; ++i) expected << QString("/p/%1.mrg").arg(i);
    EXPECT_EQ(r.LastFilesList(), expected);
    EXPECT_EQ(keysInFile(f.ini), expected);
    EXPECT_EQ(captions(r).front(), "1: /p/new.mrg");
    EXPECT_EQ(captions(r).back(), "9: /p/8.mrg");

    ASSERT_TRUE(r.write_ini(r.LastFilesList()[5])); // already listed: moves to the front
    expected.removeAll("/p/5.mrg");
    expected.prepend("/p/5.mrg");
    EXPECT_EQ(keysInFile(f.ini), expected);
    RecentFiles restarted(f.ini);
    restarted.load();
    EXPECT_EQ(restarted.LastFilesList(), expected);
}

TEST(RecentFiles, PathsTheFileCannotHoldAreNotRecorded) {
    Folder f;
    RecentFiles r(f.ini);
    ASSERT_TRUE(r.write_ini(QString::fromUtf8("/home/Вася/levels.mrg"))); // Windows-1251 holds it
    Message error;
    EXPECT_FALSE(r.write_ini("/p/two\nlines.mrg", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(r.write_ini(QString::fromUtf8("/p/日本.mrg")));
    EXPECT_FALSE(r.write_ini("0"));
    EXPECT_EQ(r.LastFilesList().size(), 1);
    RecentFiles restarted(f.ini);
    restarted.load();
    EXPECT_EQ(restarted.LastFilesList(), r.LastFilesList());
}
