// The settings file layer: names without regard to case, defaults for missing
// keys, in-place writes that keep every other byte, atomic replacement.
#include "settings/ini_file.h"

#include "settings_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvo;
using korvo::test::fileBytes;
using korvo::test::putFile;

namespace {

const QByteArray kHandWritten = "; written by hand\r\n"
                                "[options]\r\n"
                                "  LANG = russian.lng  \r\n"
                                "; the next key is off\r\n"
                                ";VMoto=1\r\n"
                                "vmoto=0\r\n"
                                "\r\n"
                                "[Colors]\r\n"
                                "bg1=255\r\n"
                                "BG1=0\r\n"
                                "[Empty]\r\n"
                                "; nothing here\r\n"
                                "\r\n"
                                "[OPTIONS]\r\n"
                                "Lang=ignored.lng\r\n";

} // namespace

TEST(IniText, ReadsNamesWithoutRegardToCase) {
    const IniText ini(kHandWritten);
    EXPECT_EQ(ini.readString("Options", "Lang", "0"), "russian.lng");
    EXPECT_EQ(ini.readString("OPTIONS", "VMoto", "0"), "0"); // the commented line is no key
    EXPECT_EQ(ini.readString("colors", "BG1", "0"), "255");  // the first of two wins
    EXPECT_EQ(ini.readString("Options", "NewLevel", "0"), "0");
    EXPECT_EQ(ini.readString("Options", "NewLevel", "x"), "x");
    EXPECT_EQ(ini.readString("Nowhere", "Lang", "d"), "d");
    EXPECT_TRUE(ini.hasKeys("COLORS"));
    EXPECT_FALSE(ini.hasKeys("Empty")); // comments are no keys
    EXPECT_FALSE(ini.hasKeys("Nowhere"));
    // Windows-1251 names and values compare and decode as text.
    const IniText cyr(QByteArray("[\xc0\xe2\xf2\xee\xf0]\r\n\xc8\xec\xff=\xc2\xe0\xf1\xff\r\n"));
    EXPECT_EQ(cyr.readString(QString::fromUtf8("автор"), QString::fromUtf8("ИМЯ"), ""),
              QString::fromUtf8("Вася"));
}

TEST(IniText, WritesInPlaceOrAfterTheSectionAndKeepEveryOtherByte) {
    IniText ini(kHandWritten);
    ASSERT_TRUE(ini.setValue("OPTIONS", "lang", "english.lng"));
    QByteArray expected = kHandWritten;
    expected.replace("  LANG = russian.lng  \r\n", "  LANG = english.lng  \r\n");
    EXPECT_EQ(ini.bytes(), expected);
    ASSERT_TRUE(ini.setValue("Colors", "bg1", ""));
    expected.replace("bg1=255\r\n", "bg1=\r\n");
    EXPECT_EQ(ini.bytes(), expected);
    EXPECT_EQ(ini.readString("Colors", "BG1", "d"), ""); // present but empty

    // A missing key goes after the last line of its section.
    ASSERT_TRUE(ini.setValue("Options", "NewLevel", "1"));
    expected.replace("vmoto=0\r\n\r\n", "vmoto=0\r\nNewLevel=1\r\n\r\n");
    EXPECT_EQ(ini.bytes(), expected);
    // A section with only a comment: after the comment, before the blank line.
    ASSERT_TRUE(ini.setValue("empty", "k", "v"));
    expected.replace("; nothing here\r\n", "; nothing here\r\nk=v\r\n");
    EXPECT_EQ(ini.bytes(), expected);
    EXPECT_TRUE(ini.hasKeys("Empty"));
}

TEST(IniText, MissingSectionIsAddedAtTheEndInTheFilesLineEnds) {
    IniText crlf("[A]\r\nx=1"); // no final line break
    ASSERT_TRUE(crlf.setValue("B", "y", "2"));
    EXPECT_EQ(crlf.bytes(), "[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
    ASSERT_TRUE(crlf.setValue("A", "z", "3")); // last key of the file had no break
    EXPECT_EQ(crlf.bytes(), "[A]\r\nx=1\r\nz=3\r\n[B]\r\ny=2\r\n");

    IniText lf("[A]\nx=1\n");
    ASSERT_TRUE(lf.setValue("A", "y", "2"));
    ASSERT_TRUE(lf.setValue("C", "z", "3"));
    EXPECT_EQ(lf.bytes(), "[A]\nx=1\ny=2\n[C]\nz=3\n");

    // Mixed line ends: the new line never merges with a following lone LF.
    IniText mixed("[A]\r[B]\r\n\n[C]\n");
    ASSERT_TRUE(mixed.setValue("B", "k", "v"));
    EXPECT_EQ(mixed.bytes(), "[A]\r[B]\r\nk=v\r\n\n[C]\n");

    IniText empty;
    ASSERT_TRUE(empty.setValue("LastFiles", "1", QString::fromUtf8("C:\\Игры\\levels.mrg")));
    EXPECT_EQ(empty.bytes(), "[LastFiles]\r\n1=C:\\\xc8\xe3\xf0\xfb\\levels.mrg\r\n");
}

TEST(IniText, RefusesWhatTheFileCannotHold) {
    IniText ini(kHandWritten);
    EXPECT_FALSE(ini.setValue("Options", "Lang", "a\r\n[Evil]\r\nk=v")); // no injected lines
    EXPECT_FALSE(ini.setValue("Options", "Lang", QString::fromUtf8("日本.lng")));
    EXPECT_FALSE(ini.setValue("Options", "a=b", "1"));
    EXPECT_FALSE(ini.setValue("Options", ";k", "1"));
    EXPECT_FALSE(ini.setValue("Options", " k", "1"));
    EXPECT_FALSE(ini.setValue("Opt]ions", "k", "1"));
    EXPECT_FALSE(ini.setValue("", "k", "1"));
    EXPECT_EQ(ini.bytes(), kHandWritten);
    EXPECT_TRUE(ini.removeKey("options", "VMOTO"));
    EXPECT_FALSE(ini.removeKey("options", "VMOTO"));
    EXPECT_FALSE(ini.bytes().contains("vmoto=0"));
    EXPECT_TRUE(ini.bytes().contains(";VMoto=1\r\n\r\n[Colors]"));
}

TEST(IniFile, FileOperationsCreateReplaceAndReportFailures) {
    QTemporaryDir dir;
    const QString path = dir.filePath("opt.ini");
    EXPECT_EQ(ReadString("Options", "Lang", path, "0"), "0"); // no file
    EXPECT_FALSE(SectionExe("Options", path));
    ASSERT_TRUE(WriteString("Options", "Lang", path, "english.lng"));
    EXPECT_EQ(fileBytes(path), "[Options]\r\nLang=english.lng\r\n");
    EXPECT_TRUE(SectionExe("options", path));
    EXPECT_EQ(ReadString("OPTIONS", "lang", path, "0"), "english.lng");

    putFile(path, kHandWritten);
    ASSERT_TRUE(WriteString("Options", "VMoto", path, "1"));
    QByteArray expected = kHandWritten;
    expected.replace("vmoto=0", "vmoto=1");
    EXPECT_EQ(fileBytes(path), expected);

    // Nowhere to write: reported, nothing left behind.
    Message error;
    EXPECT_FALSE(WriteString("A", "k", dir.filePath("no/such/opt.ini"), "v", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(WriteString("A", "k\n", path, "v", &error));
    EXPECT_EQ(fileBytes(path), expected);
    // A folder in place of the file cannot be read, and is not replaced.
    ASSERT_TRUE(QDir(dir.path()).mkdir("dir.ini"));
    EXPECT_FALSE(WriteString("A", "k", dir.filePath("dir.ini"), "v", &error));
    EXPECT_TRUE(QFileInfo(dir.filePath("dir.ini")).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"opt.ini"}); // no temp files
}
