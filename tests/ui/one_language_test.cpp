// One language at a time: with either shipped language chosen, no word of
// the other one is left in any menu, button, label, tool tip, list item or
// title of the windows, in Qt's own buttons, or in the messages: the
// language files' lines and the messages the pack reader and the system's
// errors make.
#include "../common/active_language.h"
#include "../core/settings_files.h"
#include "editor_window_util.h"

#include "app/prompts.h"
#include "dist/ui/submission_window.h"
#include "io/checked_write.h"
#include "render/ui/progress_window.h"
#include "settings/options.h"
#include "settings/ui/about_box.h"
#include "settings/ui/lang_apply.h"
#include "settings/ui/mnemonics.h"
#include "settings/ui/options_dialog.h"
#include "text/lang_added.h"

#include <QAbstractButton>
#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

using namespace korvo;
using namespace korvo::test;

namespace {

bool cyrillic(const QString& text) {
    for (QChar c : text)
        if (c.script() == QChar::Script_Cyrillic) return true;
    return false;
}

// Latin words of a Russian text, leaving out what is the same in both
// languages: file names and patterns, addresses, key names, group names,
// protocol and program names, paths, single letters, and the command line's
// own words (commands, options, placeholders in capitals, JSON keys).
QStringList latinWords(QString text) {
    static const QRegularExpression kNames(
        R"([\w./\\*-]*\.(ini|mrg|lng|chm|lev|lvl|jar|jad|zip|txt|gif|dat|org|net)\b|\S+@\S+|/tomail/|\\tomail\\|\[\w+\]\s*\w*|%\d|%[sd]|(/[\w.+-]+)+)");
    static const QRegularExpression kCommandLine(
        R"(--[\w-]+|\b[A-Z]{2,}\b|\{[\s\S]*\}|\b(trackpack|info|count|resave|sample|import|export-lev|pictures|submit|old|check|ride|up|down|left|right|finished|crashed|stopped)\b|\b[A-Za-z]\b)");
    // "vvv" is a button of arrows; the program's name and version stay as they
    // are, and so do the packer's name, the descriptor's keys and format names.
    static const QStringList kSame = {
        "Ctrl",         "Alt",         "Shift", "Del",     "Ins",  "Esc",       "LeftButton",
        "MiddleButton", "RightButton", "Easy",  "Medium",  "Hard", "SMTP",      "TLS",
        "GIF",          "zip",         "PATH",  "Email",   "e",    "mail",      "Quokka",
        "images",       "x",           "X",     "Y",       "vvv",  "Korvo",     "Track",
        "Editor",       "v",           "SE",    "KorvoTE", "Java", "jarpacker", "MIDlet",
        "Jar",          "Size",        "ZIP",   "Windows", "dx",   "dy"};
    text.remove(kNames).remove(kCommandLine);
    QStringList words;
    static const QRegularExpression kWord("[A-Za-z]+");
    for (auto it = kWord.globalMatch(text); it.hasNext();) {
        const QString w = it.next().captured();
        if (!kSame.contains(w)) words << w;
    }
    return words;
}

// The words of the other language in `text`.
QString foreign(const QString& text, bool russian) {
    if (!russian) return cyrillic(text) ? text : QString();
    const QStringList words = latinWords(text);
    return words.isEmpty() ? QString() : words.join(' ') + " in \"" + text + "\"";
}

// Every text a user reads in the windows that exist now: titles, captions,
// tool tips, menu items, list entries and read-only memos. What the user
// types and the tracks' names are data, not texts of the program.
QStringList windowTexts() {
    QStringList texts;
    for (QWidget* w : QApplication::allWidgets()) {
        texts << w->toolTip() << w->statusTip();
        if (w->isWindow()) texts << w->windowTitle();
        for (QAction* a : w->actions()) texts << a->text() << a->toolTip();
        if (auto* l = qobject_cast<QLabel*>(w)) texts << l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) texts << b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w)) texts << g->title();
        if (auto* m = qobject_cast<QMenu*>(w)) texts << m->title();
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) texts << c->itemText(i);
        if (auto* t = qobject_cast<QTableWidget*>(w))
            for (int r = 0; r < t->rowCount(); ++r)
                if (t->item(r, 0)) texts << t->item(r, 0)->text();
        if (auto* p = qobject_cast<QPlainTextEdit*>(w); p && p->isReadOnly())
            texts << p->toPlainText();
    }
    for (QString& t : texts) t = withoutMnemonic(t); // the words as the user reads them
    return texts;
}

QStringList foreignIn(const QStringList& texts, bool russian) {
    QStringList found;
    for (const QString& t : texts)
        if (QString f = foreign(t, russian); !f.isEmpty() && !found.contains(f)) found << f;
    return found;
}

class OneLanguage : public ::testing::TestWithParam<const char*> {
protected:
    bool russian() const { return QString(GetParam()) == "russian.lng"; }
    // A base folder whose "opt.ini" chooses the language under test.
    void chooseLanguage(const BaseFolder& base) {
        QByteArray ini = kDefaultOptionsText;
        ini.replace("Lang=english.lng", QByteArray("Lang=") + GetParam());
        putFile(base.path("opt.ini"), ini);
    }
};

} // namespace

TEST_P(OneLanguage, EveryWindowQtsButtonsAndTheMessagesSpeakItAlone) {
    const ActiveLanguage keep("english.lng"); // the next tests start in English
    BaseFolder base({{"a"}, {"b"}, {}});
    chooseLanguage(base);
    putFile(base.path("bad.mrg"), QByteArray(4, '\xff') + "not a pack");
    {
        Started s;
        s.window.show();
        // The windows the main window opens, each once.
        s.click(1);
        s.window.editor().propertiesPanel(); // built as a track first opens
        s.window.optionsDialog().show();
        s.window.aboutBox().show();
        s.window.submissionWindow().show();
        TrackTable tracks;
        CopyTracksDialog copy(tracks, {kHeaderRow, kHeaderRow, kHeaderRow}, s.window.app().Lang,
                              CopyTracksDialog::Source::Pack, &s.window);
        copy.show();
        ProgressWindow progress(s.window.app().Lang, &s.window);
        progress.show();
        QTest::qWait(10);
        EXPECT_EQ(foreignIn(windowTexts(), russian()).join("\n").toStdString(), "");

        // Qt's own buttons, its file dialog and the type of a folder there.
        QMessageBox box(QMessageBox::Question, "", "",
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
        QFileDialog files(&s.window, "", base.path(""));
        files.setOption(QFileDialog::DontUseNativeDialog);
        files.show();
        QStringList qtTexts = windowTexts();
        for (QAbstractButton* b : box.buttons()) qtTexts << b->text();
        qtTexts << QAbstractFileIconProvider().type(QFileInfo(base.path("lang")));
        EXPECT_EQ(foreignIn(qtTexts, russian()).join("\n").toStdString(), "");
        files.close();

        // A file that is no pack, opened from File > Open, and a folder.
        QDir(base.path("")).mkdir("folder.mrg");
        s.prompts->paths = {base.path("bad.mrg"), base.path("folder.mrg")};
        ctl<QAction>(s.window, "N16")->trigger();
        ctl<QAction>(s.window, "N16")->trigger();
        EXPECT_EQ(s.prompts->shown.size(), 2) << s.prompts->shown.join("\n").toStdString();
        EXPECT_EQ(foreignIn(s.prompts->shown, russian()).join("\n").toStdString(), "");
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &s.window) w->close();
    }
    useQtTranslation(false);
}

// Qt's file dialog words the dates and sizes of its list in the system's
// locale unless told otherwise; the editor's dialogs speak its language.
TEST_P(OneLanguage, TheFileDialogsDatesAndSizesSpeakIt) {
    const ActiveLanguage keep("english.lng");
    BaseFolder base({{"a"}, {}, {}});
    chooseLanguage(base);
    putFile(base.path("two.lev"), QByteArray(2048, 'x'));
    QFile file(base.path("two.lev"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2024, 3, 5), QTime(14, 7)),
                                 QFileDevice::FileModificationTime));
    file.close();
    QString date, size;
    {
        Started s;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            auto* list = dialog->findChild<QTreeView*>();
            ASSERT_NE(list, nullptr);
            QModelIndex row;
            QTest::qWaitFor([&] { // the list is read in the background
                const QModelIndexList found =
                    list->model()->match(list->model()->index(0, 0, list->rootIndex()),
                                         Qt::DisplayRole, "two.lev", 1, Qt::MatchExactly);
                if (!found.isEmpty()) row = found.first();
                return row.isValid();
            });
            date = row.siblingAtColumn(3).data().toString();
            size = row.siblingAtColumn(1).data().toString();
            dialog->reject();
        });
        EXPECT_EQ(Prompts().openFileName(&s.window, "", base.path(""), "*.lev"), "");
    }
    EXPECT_EQ(date, russian() ? "05.03.2024 14:07" : "3/5/24 2:07 PM");
    EXPECT_EQ(size, russian() ? "2,00 KiB" : "2.00 KiB");
    useQtTranslation(false);
}

// The Alt letter of a menu item or button ("" when it has none).
QString mnemonicOf(const QString& text) {
    static const QRegularExpression kMarker("&([^&])");
    for (auto it = kMarker.globalMatch(QString(text).remove("&&")); it.hasNext();)
        return it.next().captured(1).toLower();
    return {};
}

// Texts of one menu or window with no Alt letter or a letter another took.
QStringList badMnemonics(const QStringList& texts) {
    QStringList bad, seen;
    for (const QString& t : texts) {
        const QString m = mnemonicOf(t);
        bool letters = false;
        for (QChar c : t) letters = letters || c.isLetter();
        if (!letters) continue; // "^^^": nothing to mark
        if (m.isEmpty() || seen.contains(m)) bad << t;
        seen << m;
    }
    return bad;
}

QStringList actionTexts(const QList<QAction*>& actions) {
    QStringList texts;
    for (QAction* a : actions)
        if (!a->isSeparator() && !a->text().isEmpty()) texts << a->text();
    return texts;
}

// Every menu item, menu title and button of the main window and of the
// dialogs it opens has an Alt letter of its own in its menu or window, and
// no tool tip shows the "&" marker.
TEST_P(OneLanguage, EveryMenuItemAndButtonHasAnAltLetterOfItsOwn) {
    const ActiveLanguage keep("english.lng");
    BaseFolder base({{"a"}, {"b"}, {}});
    chooseLanguage(base);
    {
        Started s;
        openRow(s, 1); // the panel's buttons too
        QStringList bad = badMnemonics(actionTexts(s.window.menuBar()->actions()));
        for (QMenu* menu : s.window.findChildren<QMenu*>()) {
            emit menu->aboutToShow();
            bad << badMnemonics(actionTexts(menu->actions()));
            for (QAction* a : menu->actions())
                if (mnemonicOf(a->toolTip()) != "") bad << "tip: " + a->toolTip();
        }
        for (QWidget* dialog : std::initializer_list<QWidget*>{
                 &s.window.optionsDialog(), &s.window.aboutBox(), &s.window.submissionWindow()})
            dialog->show();
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->isVisible()) continue;
            QStringList texts;
            for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
                if (!b->toolTip().isEmpty() && mnemonicOf(b->toolTip()) != "")
                    bad << "tip: " + b->toolTip();
                if (b->window() == window && !qobject_cast<QToolButton*>(b) && !b->text().isEmpty())
                    texts << b->text();
            }
            bad << badMnemonics(texts);
        }
        EXPECT_EQ(bad.join("\n").toStdString(), "");
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &s.window) w->close();
    }
    useQtTranslation(false);
}

// The messages of the core in the active language: the pack reader's, the
// writer's with the system's reasons, and every added language line.
TEST_P(OneLanguage, CoreMessagesAndEveryLineOfTheFileSpeakIt) {
    const ActiveLanguage active(GetParam());
    QStringList messages;
    TrackTable table;
    Rows rows;
    for (const std::string& bytes :
         {std::string("\0\0\0\1", 4), std::string("\0\0\0\1\0\0\0\x20x", 9),
          std::string("\0\0\0\1\0\0\0\x0dx\0\0\0\0\0\0\0\0\0", 18)})
        messages << said(readPack(bytes, table, rows));
    messages << said(loadPackFile(QDir::temp().filePath("no-such-folder/levels.mrg"), table, rows));
    messages << said(writeFileChecked("/proc/no-such-folder/levels.mrg", std::string_view("x")));
    for (const QString& m : messages) EXPECT_FALSE(m.isEmpty());
    EXPECT_EQ(foreignIn(messages, russian()).join("\n").toStdString(), "");

    LangLines lang;
    ASSERT_EQ(lang.load(QString(BASE_DIR "/lang/") + GetParam()), "");
    QStringList lines;
    for (int n = 0; n < lang.loadedCount(); ++n) lines << lang[n];
    EXPECT_EQ(foreignIn(lines, russian()).join("\n").toStdString(), "");
}

INSTANTIATE_TEST_SUITE_P(Shipped, OneLanguage, ::testing::Values("english.lng", "russian.lng"),
                         [](const auto& info) { return std::string(info.param).substr(0, 7); });
