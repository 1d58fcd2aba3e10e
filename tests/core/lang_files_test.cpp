// The shipped language files, the table of what each line sets, and finding
// a language file in the base folder.
#include "settings/lang_targets.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"

#include "settings_files.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvo;
using korvo::test::fileBytes;
using korvo::test::putFile;

namespace {

// Lines read only when their message, title or status text is due.
const QSet<int> kShownOnDemand = {37, 38, 39, 40, 41, 44, 45, 46, 47, 48, 49, 50,
                                  51, 52, 53, 54, 55, 56, 57, 63, 71, 72, 88};
const QSet<int> kUnused = {31, 35, 36, 43};

} // namespace

TEST(LangFiles, BothFilesHoldAllLinesInWindows1251WithCrLf) {
    for (const char* name : {"english.lng", "russian.lng"}) {
        SCOPED_TRACE(name);
        const QByteArray bytes = fileBytes(QString(BASE_DIR) + "/lang/" + name);
        const int count = kFirstAddedLine + addedLineCount();
        EXPECT_EQ(bytes.count("\r\n"), count);
        EXPECT_EQ(bytes.count('\n'), count); // no lone LF
        EXPECT_EQ(bytes.count('\r'), count); // no lone CR
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        EXPECT_FALSE(bytes.contains('\x98')); // the one byte Windows-1251 leaves undefined
        const QStringList lines = LangLines::parse(bytes);
        ASSERT_EQ(lines.size(), count);
        // The added lines are the table's, in the file's language.
        const bool russian = QString(name) == "russian.lng";
        for (int i = 0; i < addedLineCount(); ++i) {
            const AddedLine& a = addedLines()[i];
            ASSERT_EQ(a.number, kFirstAddedLine + i);
            EXPECT_EQ(lines[a.number], QString::fromUtf8(russian ? a.russian : a.english));
        }
        // Formats carry their one conversion; messages are real sentences.
        EXPECT_EQ(lines[57].count("%s"), 1);
        EXPECT_EQ(lines[72].count("%s"), 1);
        EXPECT_EQ(lines[63].count("%d"), 1);
        for (int n : kShownOnDemand) {
            EXPECT_FALSE(lines[n].trimmed().isEmpty()) << n;
            EXPECT_EQ(lines[n].count('%'), n == 57 || n == 72 || n == 63 ? 1 : 0) << n;
        }
        EXPECT_GE(lines[22].count("\r\n"), 5); // six drawing steps in the memo
    }
}

TEST(LangFiles, BuiltInTextsAreTheRussianFile) {
    const QStringList file = LangLines::parse(fileBytes(QString(BASE_DIR) + "/lang/russian.lng"));
    EXPECT_EQ(LangLines::builtIn(), file);
    LangLines lang;
    EXPECT_EQ(lang[42], QString::fromUtf8("Сетка: Выкл."));
    EXPECT_EQ(lang[58], QString::fromUtf8("&Настройки"));
    EXPECT_EQ(lang[79], QString::fromUtf8("Цвет фона"));
    EXPECT_EQ(lang[11], QString::fromUtf8("Внимание!!! Не забудь отправить полностью сделанный "
                                          "тобой levels.mrg на любой адрес: "));
    EXPECT_EQ(lang.format(57, QString("/p/levels.mrg")),
              QString::fromUtf8("Пакет уровней /p/levels.mrg изменён, но не сохранён. Выйти без "
                                "сохранения?"));
}

TEST(LangTargets, EveryCaptionLineHasItsElementsAndNoOtherLineHasAny) {
    QMap<int, QStringList> byLine;
    QSet<QString> seen;
    for (const LangBinding& b : langBindings()) {
        byLine[b.line] << b.objectName;
        const QString key = QString::number(int(b.form)) + QString::number(int(b.target)) +
                            b.objectName + QString::number(b.row);
        EXPECT_FALSE(seen.contains(key)) << "set twice: " << b.objectName;
        seen.insert(key);
    }
    for (int n = 0; n < kLangLineCount; ++n) {
        const bool assigned = !kShownOnDemand.contains(n) && !kUnused.contains(n);
        EXPECT_EQ(byLine.contains(n), assigned) << "line " << n;
    }
    EXPECT_EQ(byLine[79], (QStringList{"Label12", "Label15", "Label20"}));
    EXPECT_EQ(byLine[58], (QStringList{"N19", "Toptions_f"}));
    EXPECT_EQ(byLine[10], (QStringList{"N2", "TAbout_f"}));
    EXPECT_EQ(byLine[42], QStringList{"StatusPanel1"});
}

TEST(LangTargets, NoticeCaptionJoinsTheContacts) {
    EXPECT_EQ(noticeCaption("Send it to: ", {"a@x.org", "b@y.org", "c@z.org"}),
              "Send it to: a@x.org, b@y.org, c@z.org");
    EXPECT_EQ(noticeCaption("Send it to:", {"a@x.org"}), "Send it to: a@x.org");
    EXPECT_EQ(noticeCaption("Send it to: ", {}), "Send it to:");
}

TEST(LangFiles, LanguageFileIsFoundInTheLangFolderOnly) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("lang"));
    putFile(dir.filePath("lang/English.lng"), "File\r\n");
    EXPECT_EQ(langFilePath(dir.path(), "english.lng"), dir.filePath("lang/English.lng"));
    EXPECT_EQ(langFilePath(dir.path(), "ENGLISH.LNG"), dir.filePath("lang/English.lng"));
    EXPECT_EQ(langFilePath(dir.path(), "../opt.ini"), dir.filePath("lang/opt.ini"));
    EXPECT_EQ(langFilePath(dir.path(), "german.lng"), dir.filePath("lang/german.lng"));
    LangLines lang;
    EXPECT_EQ(lang.load(langFilePath(dir.path(), "english.lng")).empty(), false); // short
    EXPECT_EQ(lang[0], "File");
}
