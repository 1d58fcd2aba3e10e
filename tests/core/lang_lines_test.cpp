#include "settings_files.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvo;
using korvo::test::putFile;

TEST(LangLines, LineBreaksAndCaretP) {
    const QStringList lines = LangLines::parse("a\r\nb\rc\nd^pe^Pf\r\n");
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "a");
    EXPECT_EQ(lines[1], "b");
    EXPECT_EQ(lines[2], "c");
    EXPECT_EQ(lines[3], "d\r\ne^Pf");
    EXPECT_EQ(LangLines::parse("x\r\n\r\ny").size(), 3); // an empty line in the middle counts
    EXPECT_EQ(LangLines::parse("").size(), 0);
    EXPECT_EQ(LangLines::parse("\xcf\xf0\xe8")[0], QString::fromUtf8("При"));
}

TEST(LangLines, BuiltInTextsStandInForMissingLines) {
    ASSERT_EQ(LangLines::builtIn().size(), kFirstAddedLine + addedLineCount());
    LangLines lang;
    EXPECT_EQ(lang[0], QString::fromUtf8("&Файл"));
    EXPECT_EQ(lang[95], QString::fromUtf8("Точки на узлах"));
    EXPECT_EQ(lang.format(63, 3).contains("3"), true);

    QTemporaryDir dir;
    const QString path = dir.filePath("short.lng");
    putFile(path, "File\r\nNew\r\n");
    EXPECT_NE(lang.load(path), ""); // reported: fewer lines than used
    EXPECT_EQ(lang[0], "File");
    EXPECT_EQ(lang[2], QString::fromUtf8("Сохранить *.mrg"));
    // A file of the first 96 lines is complete; the lines added later come
    // in its own language from the built-in table.
    QByteArray old;
    for (int n = 0; n < kLangLineCount; ++n) old += "line " + QByteArray::number(n) + "\r\n";
    putFile(path, old);
    EXPECT_EQ(lang.load(path), "");
    EXPECT_EQ(lang[95], "line 95");
    EXPECT_EQ(lang[kLineUndo], "Undo");
    putFile(path, QByteArray(old).replace("line 3", "\xd4\xe0\xe9\xeb")); // "Файл"
    EXPECT_EQ(lang.load(path), "");
    EXPECT_EQ(lang[kLineUndo], QString::fromUtf8("Отменить"));
    EXPECT_NE(lang.load(dir.filePath("missing.lng")), "");
    EXPECT_EQ(lang[0], QString::fromUtf8("&Файл"));
    EXPECT_EQ(lang[500], "");

    putFile(path, "Save %s now?\r\nDelete %d tracks?\r\n"); // formats insert their argument
    lang.load(path);
    EXPECT_EQ(lang.format(0, QString("C:\\a b.mrg")), "Save C:\\a b.mrg now?");
    EXPECT_EQ(lang.format(1, 12), "Delete 12 tracks?");
}
