// The manual inside the program: Help > Contents and F1 open it on the page
// for where the user is, in the interface language; its contents, index and
// search lead to pages that are there, in both languages alike.
#include "../core/settings_files.h"
#include "app/help_window.h"
#include "dist/ui/submission_window.h"
#include "editor_window_util.h"
#include "settings/ui/options_dialog.h"
#include "text/lang_added.h"
#include "ui_test_util.h"

#include <QDirIterator>
#include <QListWidget>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextBrowser>

using namespace korvo;
using namespace korvo::test;

namespace {

void chooseLanguage(const BaseFolder& base, const char* lang) {
    QByteArray ini = kDefaultOptionsText;
    ini.replace("Lang=english.lng", QByteArray("Lang=") + lang);
    putFile(base.path("opt.ini"), ini);
}

QString resource(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

bool cyrillic(const QString& text) {
    return text.contains(QRegularExpression("[а-яА-Я]"));
}

// F1 where the user is: the page it opens.
QString f1In(MainWindow& w, QWidget* focus) {
    QTest::keyClick(focus, Qt::Key_F1);
    return w.helpWindow().isVisible() ? w.helpWindow().page() : QString();
}

} // namespace

// Help > Contents opens the manual on its first page; F1 opens the page of
// the list, of a track being edited, of a new track, of the options and of
// the submission window. In English and in Russian, each speaking its own.
TEST(HelpWindow, ContentsAndF1OpenThePageForWhereTheUserIsInTheInterfaceLanguage) {
    for (const char* lang : {"english.lng", "russian.lng"}) {
        const bool russian = QString(lang) == "russian.lng";
        BaseFolder base({{"a", "b"}, {"c"}, {}});
        chooseLanguage(base, lang);
        Started s;
        MainWindow& w = s.window;
        ctl<QAction>(w, "N14")->trigger();
        HelpWindow& help = w.helpWindow();
        ASSERT_TRUE(help.isVisible()) << lang;
        EXPECT_EQ(help.page(), "index.html");
        EXPECT_TRUE(s.prompts->shown.empty()) << "no help.chm: no complaint";
        EXPECT_EQ(cyrillic(help.browser()->toPlainText()), russian) << lang;
        EXPECT_EQ(cyrillic(help.windowTitle()), russian);
        EXPECT_EQ(help.contentsList()->count(), 11);
        help.close();

        s.click(1);
        EXPECT_EQ(f1In(w, s.view()), "list.html");
        ASSERT_TRUE(help.contentsList()->currentItem());
        EXPECT_EQ(help.contentsList()->currentRow(), 1) << "the contents show where one is";
        help.close();
        QTest::keyClick(s.view(), Qt::Key_Return);
        ASSERT_TRUE(w.editor().isOpen());
        EXPECT_EQ(f1In(w, ctl<QWidget>(w, "MapImg")), "editing.html");
        help.close();
        QTest::mouseClick(panel(w)->CloseProp, Qt::LeftButton);
        drawNewTrack(w, "new", {{20, 200}, {80, 180}});
        EXPECT_EQ(f1In(w, ctl<QWidget>(w, "MapImg")), "new-track.html");
        help.close();
        s.prompts->answers = {true};
        QTest::mouseClick(panel(w)->CloseProp, Qt::LeftButton);
        ASSERT_FALSE(w.editor().isOpen());

        w.optionsDialog().show();
        EXPECT_EQ(f1In(w, &w.optionsDialog()), "options.html");
        help.close();
        w.optionsDialog().close();
        w.submissionWindow().show();
        EXPECT_EQ(f1In(w, &w.submissionWindow()), "submission.html");
        EXPECT_EQ(cyrillic(help.browser()->toPlainText()), russian);
        help.close();
        w.submissionWindow().close();
    }
}

// A "help.chm" in the base folder is still the one Help > Contents opens.
TEST(HelpWindow, AHelpFileOfTheBaseFolderGoesBeforeTheManual) {
    BaseFolder base({{"a"}, {}, {}});
    putFile(base.path("help.chm"), "not a help file");
    Started s;
    ctl<QAction>(s.window, "N14")->trigger();
    EXPECT_FALSE(s.window.helpWindow().isVisible());
}

// Every page of the contents and every index entry of both languages leads to
// a page that is there and to an anchor it holds; both languages have the
// same pages. The index filters as one types and Enter opens the entry; the
// search finds the pages holding every word, and says when none does. A
// switch of the interface language turns the page shown to the other language.
TEST(HelpWindow, ContentsIndexAndSearchLeadToPagesThatAreThereInBothLanguages) {
    QStringList files[2];
    int l = 0;
    for (const char* language : {"en", "ru"}) {
        QDirIterator it(QString(":/help/") + language);
        while (it.hasNext()) files[l] << it.next().section('/', -1);
        files[l].sort();
        ++l;
    }
    EXPECT_EQ(files[0], files[1]);
    EXPECT_GE(files[0].size(), 12);

    LangLines lang;
    HelpWindow help;
    for (const char* language : {"en", "ru"}) {
        help.setLanguage(lang, language);
        const QStringList keywords = resource(QString(":/help/") + language + "/keywords.txt")
                                         .split('\n', Qt::SkipEmptyParts);
        EXPECT_GE(keywords.size(), 60) << language;
        EXPECT_EQ(help.indexList()->count(), keywords.size());
        for (const QString& entry : keywords) {
            const QString target = entry.section('\t', 1).trimmed();
            const QString page = target.section('#', 0, 0), anchor = target.section('#', 1);
            const QString html = resource(QString(":/help/") + language + "/" + page);
            ASSERT_FALSE(html.isEmpty()) << entry.toStdString();
            if (!anchor.isEmpty())
                EXPECT_TRUE(html.contains("name=\"" + anchor + "\"")) << entry.toStdString();
        }
        for (int i = 0; i < help.contentsList()->count(); ++i) {
            QTest::mouseClick(
                help.contentsList()->viewport(), Qt::LeftButton, {},
                help.contentsList()->visualItemRect(help.contentsList()->item(i)).center());
            EXPECT_FALSE(help.browser()->toPlainText().isEmpty()) << help.page().toStdString();
            EXPECT_EQ(help.browser()->documentTitle(), help.contentsList()->item(i)->text());
        }
    }

    help.setLanguage(lang, "en");
    help.showPage("index.html");
    QTest::keyClicks(help.indexFilter(), "zoom");
    int shown = 0;
    for (int i = 0; i < help.indexList()->count(); ++i)
        if (!help.indexList()->item(i)->isHidden()) {
            ++shown;
            EXPECT_TRUE(help.indexList()->item(i)->text().contains("zoom", Qt::CaseInsensitive));
        }
    EXPECT_GT(shown, 0);
    QTest::keyClick(help.indexFilter(), Qt::Key_Return);
    EXPECT_NE(help.page(), "index.html") << "Enter opens the first entry";

    help.searchField()->setText("Shift+F10");
    QTest::keyClick(help.searchField(), Qt::Key_Return);
    ASSERT_GT(help.searchResults()->count(), 0);
    EXPECT_TRUE(help.pagesHolding("shift+f10").contains(help.page()));
    EXPECT_TRUE(help.pagesHolding("alt+down delete").contains("keys.html"));
    help.searchField()->setText("xyzzyplugh");
    QTest::keyClick(help.searchField(), Qt::Key_Return);
    ASSERT_EQ(help.searchResults()->count(), 1);
    EXPECT_TRUE(help.searchResults()->item(0)->text().contains("xyzzyplugh"));

    help.showPage("keys.html");
    help.setLanguage(lang, "ru");
    EXPECT_EQ(help.page(), "keys.html") << "the same page, now in Russian";
    EXPECT_TRUE(cyrillic(help.browser()->toPlainText()));
}
