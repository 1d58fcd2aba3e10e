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
#include "editor/ui/correction_window.h"
#include "editor/ui/track_canvas.h"
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
#include <QAbstractSpinBox>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

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
// own words (commands, options, placeholders and environment variables in
// capitals, JSON keys).
QStringList latinWords(QString text) {
    static const QRegularExpression kNames(
        R"([\w./\\*-]*\.(ini|mrg|lng|chm|lev|lvl|jar|jad|zip|txt|gif|dat|org|net|rides|keys)\b|\S+@\S+|/tomail/|\\tomail\\|\[\w+\]\s*\w*|%\d|%[sd]|(/[\w.+-]+)+)");
    static const QRegularExpression kCommandLine(
        R"(--[\w-]+|\b[A-Z][A-Z_]+\b|\{[\s\S]*\}|\b(trackpack|info|count|resave|sample|import|export-lev|pictures|submit|old|check|ride|up|down|left|right|finished|crashed|stopped|unfinishable)\b|\b[A-Za-z]\b)");
    // "vvv" is a button of arrows; the program's name and version stay as they
    // are, and so do the packer's name, the descriptor's keys and format names.
    static const QStringList kSame = {"Ctrl",        "Alt",       "Shift",      "Del",
                                      "Ins",         "Esc",       "LeftButton", "MiddleButton",
                                      "RightButton", "Easy",      "Medium",     "Hard",
                                      "SMTP",        "TLS",       "GIF",        "zip",
                                      "PATH",        "Email",     "e",          "mail",
                                      "Quokka",      "images",    "x",          "X",
                                      "Y",           "vvv",       "Korvo",      "Track",
                                      "Editor",      "v",         "SE",         "KorvoTE",
                                      "Java",        "jarpacker", "MIDlet",     "Jar",
                                      "Size",        "ZIP",       "Windows",    "dx",
                                      "dy",          "ru"}; // the locale's code
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
        if (auto* t = qobject_cast<QTextEdit*>(w); t && t->isReadOnly()) texts << t->toPlainText();
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

// File > Open in Qt's file dialog: the dates and sizes of its list speak the
// language (Qt would word them in the system's locale), its filter names the
// packs with a space before the pattern and shows them alone, and the names
// of its places and the types of its files show whole.
TEST_P(OneLanguage, TheFileDialogSpeaksItAndShowsItsNamesWhole) {
    const ActiveLanguage keep("english.lng");
    BaseFolder base({{"a"}, {}, {}});
    chooseLanguage(base);
    putFile(base.path("two.mrg"), QByteArray(2048, '\xff'));
    putFile(base.path("notes.txt"), "x");
    QFile file(base.path("two.mrg"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2024, 3, 5), QTime(14, 7)),
                                 QFileDevice::FileModificationTime));
    file.close();
    QString date, size, filter;
    bool listsOther = true;
    QStringList cut;
    // Qt's dialog keeps its places and its side bar's width from the last
    // one shown: here the computer and the base folder, in a side bar
    // narrower than their names.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    {
        QSettings qt(QSettings::UserScope, "QtProject");
        qt.setValue("FileDialog/shortcuts",
                    QStringList{"file:", QUrl::fromLocalFile(base.path("")).toString()});
        qt.setValue("FileDialog/sidebarWidth", 30);
    }
    {
        Started s;
        s.window.setPrompts(std::make_unique<Prompts>()); // Qt's own dialog
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            auto* list = dialog->findChild<QTreeView*>("treeView");
            ASSERT_NE(list, nullptr);
            QAbstractItemModel* model = list->model();
            auto find = [&](const char* name) {
                const QModelIndexList found =
                    model->match(model->index(0, 0, list->rootIndex()), Qt::DisplayRole, name, 1,
                                 Qt::MatchExactly);
                return found.isEmpty() ? QModelIndex() : found.first();
            };
            QModelIndex row;
            // The type and the date of a file show whole.
            auto whole = [&](int column) {
                return list->columnWidth(column) >=
                       list->sizeHintForIndex(row.siblingAtColumn(column)).width();
            };
            // The list is read in the background; its columns follow it.
            QTest::qWaitFor([&] {
                row = find("two.mrg");
                return row.isValid() && whole(2) && whole(3);
            });
            date = row.siblingAtColumn(3).data().toString();
            size = row.siblingAtColumn(1).data().toString();
            for (const int column : {2, 3})
                if (!whole(column)) cut << row.siblingAtColumn(column).data().toString();
            listsOther = find("notes.txt").isValid();
            filter = dialog->selectedNameFilter();
            auto* places = dialog->findChild<QListView*>("sidebar");
            ASSERT_NE(places, nullptr);
            EXPECT_EQ(places->model()->rowCount(), 2);
            for (int r = 0; r < places->model()->rowCount(); ++r) {
                const QModelIndex place = places->model()->index(r, 0);
                if (places->viewport()->width() < places->sizeHintForIndex(place).width())
                    cut << "place " + place.data().toString();
            }
            dialog->reject();
        });
        ctl<QAction>(s.window, "N16")->trigger();
        auto scripted = std::make_unique<ScriptedPrompts>(); // to answer the closing
        s.prompts = scripted.get();
        s.window.setPrompts(std::move(scripted));
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    EXPECT_EQ(date, russian() ? "05.03.2024 14:07" : "3/5/24 2:07 PM");
    EXPECT_EQ(size, russian() ? "2,00 KiB" : "2.00 KiB");
    EXPECT_EQ(filter, russian() ? QString::fromUtf8("Уровни (*.mrg)") : "Levels (*.mrg)");
    EXPECT_FALSE(listsOther);
    EXPECT_EQ(cut.join(", ").toStdString(), "");
    useQtTranslation(false);
}

// The help beside a new track shows each step as one paragraph, whatever
// lines the language breaks it into, and a step too long for a line wraps
// under its own words, clear of its number.
TEST_P(OneLanguage, TheNewTrackHelpWrapsEachStepUnderItsOwnWords) {
    const ActiveLanguage keep("english.lng");
    BaseFolder base({{"a"}, {}, {}});
    chooseLanguage(base);
    {
        Started s;
        ctl<QLineEdit>(s.window, "NameNewTrack")->setText("new");
        QTest::mouseClick(ctl<QPushButton>(s.window, "NewTrack"), Qt::LeftButton);
        auto* help = ctl<QTextEdit>(s.window, "Memo2");
        ASSERT_TRUE(help && help->isVisible());
        help->document()->documentLayout()->documentSize(); // laid out at its width
        static const QRegularExpression kNumber(R"(^\d\. )");
        int blocks = 0, wrapped = 0;
        for (QTextBlock b = help->document()->begin(); b.isValid(); b = b.next(), ++blocks) {
            const QRegularExpressionMatch number = kNumber.match(b.text());
            EXPECT_TRUE(number.hasMatch()) << "a step of its own: " << b.text().toStdString();
            const qreal words = help->fontMetrics().horizontalAdvance(number.captured());
            for (int i = 1; i < b.layout()->lineCount(); ++i, ++wrapped)
                EXPECT_GE(b.layout()->lineAt(i).x(), words - 1)
                    << "under its words: " << b.text().toStdString();
        }
        EXPECT_EQ(blocks, 6);
        EXPECT_GT(wrapped, 0) << "some steps are longer than the panel is wide";
    }
    useQtTranslation(false);
}

// The Alt letter of a text ("" when it has none).
QString mnemonicOf(const QString& text) {
    static const QRegularExpression kMarker("&([^&])");
    for (auto it = kMarker.globalMatch(QString(text).remove("&&")); it.hasNext();)
        return it.next().captured(1).toLower();
    return {};
}

// Texts of one menu with no Alt letter or a letter another took.
QStringList badMnemonics(const QStringList& texts) {
    QStringList bad, seen;
    for (const QString& t : texts) {
        const QString m = mnemonicOf(t);
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

// Something of a window that answers an Alt letter, as Qt has it.
struct AltTaker {
    QString name; // for the report
    QString letter;
    bool shown;
    bool needsLetter; // a command or a field's label, not only a frame
};

// The titles of the window's menu bar (hidden ones too: the bar answers their
// letters as well), its buttons but those of tool bars, check boxes, radio
// buttons, group boxes, labels with a buddy and tabs.
QList<AltTaker> altTakers(QWidget* window) {
    QList<AltTaker> takers;
    auto own = [window](QWidget* w) { return w->window() == window; };
    for (QMenuBar* bar : window->findChildren<QMenuBar*>())
        if (own(bar))
            for (QAction* a : bar->actions())
                if (!a->isSeparator() && !a->text().isEmpty())
                    takers << AltTaker{"menu " + a->text(), mnemonicOf(a->text()),
                                       bar->isVisible() && a->isVisible(), true};
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (own(b) && !qobject_cast<QToolButton*>(b) && !b->text().isEmpty())
            takers << AltTaker{"button " + b->text(), mnemonicOf(b->text()), b->isVisible(), true};
    for (QGroupBox* g : window->findChildren<QGroupBox*>())
        if (own(g))
            takers << AltTaker{"box " + g->title(), mnemonicOf(g->title()), g->isVisible(), false};
    for (QLabel* l : window->findChildren<QLabel*>())
        if (own(l) && l->buddy())
            takers << AltTaker{"label " + l->text(), mnemonicOf(l->text()), l->isVisible(), true};
    for (QTabBar* bar : window->findChildren<QTabBar*>())
        if (own(bar))
            for (int i = 0; i < bar->count(); ++i)
                takers << AltTaker{"tab " + bar->tabText(i), mnemonicOf(bar->tabText(i)),
                                   bar->isVisible(), true};
    return takers;
}

bool isField(QWidget* w) {
    if (auto* t = qobject_cast<QPlainTextEdit*>(w)) return !t->isReadOnly();
    if (auto* t = qobject_cast<QTextEdit*>(w)) return !t->isReadOnly();
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
           qobject_cast<QAbstractSpinBox*>(w);
}

// A field of a spin box, combo box or list is part of it.
bool partOfAnother(QWidget* w) {
    for (QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
        if (qobject_cast<QAbstractSpinBox*>(p) || qobject_cast<QComboBox*>(p) ||
            qobject_cast<QAbstractItemView*>(p))
            return true;
    return false;
}

// The widget a group box's Alt letter puts the focus on, as Qt chooses it.
QWidget* focusOfBox(QGroupBox* box) {
    for (QWidget* w = box->nextInFocusChain(); w != box && box->isAncestorOf(w);
         w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isVisible()) return w;
    return nullptr;
}

// What is wrong with the Alt letters of a window as it is shown: a command or
// a field's label without one, two shown that share one, a field no letter
// reaches (through its label or the group box it is the first of), a button
// too narrow to show its text and letter. The fields named in
// `reachedOtherwise` are left out.
QStringList altLetterFaults(QWidget* window, const QStringList& reachedOtherwise = {}) {
    QStringList faults;
    for (QPushButton* b : window->findChildren<QPushButton*>())
        if (b->window() == window && b->isVisible() &&
            b->contentsRect().width() <
                b->fontMetrics().size(Qt::TextShowMnemonic, b->text()).width())
            faults << "cut: button " + b->text();
    QMap<QString, QString> owners;
    for (const AltTaker& t : altTakers(window)) {
        if (t.letter.isEmpty()) {
            if (t.shown && t.needsLetter) faults << "no Alt letter: " + t.name;
            continue;
        }
        if (!t.shown && !t.name.startsWith("menu ")) continue;
        if (owners.contains(t.letter))
            faults << "Alt+" + t.letter + ": " + owners[t.letter] + " and " + t.name;
        owners[t.letter] = t.name;
    }
    for (QWidget* field : window->findChildren<QWidget*>()) {
        if (field->window() != window || !field->isVisible() || !isField(field) ||
            partOfAnother(field) || reachedOtherwise.contains(field->objectName()))
            continue;
        bool reached = false;
        for (QLabel* l : window->findChildren<QLabel*>())
            reached = reached ||
                      (l->buddy() == field && l->isVisible() && !mnemonicOf(l->text()).isEmpty());
        for (QGroupBox* g : window->findChildren<QGroupBox*>())
            reached = reached || (g->isVisible() && !mnemonicOf(g->title()).isEmpty() &&
                                  focusOfBox(g) == field);
        if (!reached) faults << "no Alt letter reaches the field " + field->objectName();
    }
    return faults;
}

// Alt and the letter of `text`, pressed where the focus is.
void pressAltLetterOf(const QString& text) {
    const QString letter = mnemonicOf(text);
    ASSERT_FALSE(letter.isEmpty()) << text.toStdString();
    QWidget* at =
        QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    ASSERT_TRUE(at);
    const auto key = Qt::Key(letter.toUpper()[0].unicode()); // Cyrillic keys are their letters
    QTest::sendKeyEvent(QTest::Press, at, key, letter, Qt::AltModifier);
    QTest::sendKeyEvent(QTest::Release, at, key, letter, Qt::AltModifier);
}

// The buttons of the message box shown now are checked, and the Alt letter of
// the one whose text is `press` pressed; the box goes in any case.
void checkMessageBox(const char* what, QStringList& bad, const QString& press) {
    QTimer::singleShot(0, [what, &bad, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box) << what;
        for (const QString& f : altLetterFaults(box)) bad << QString(what) + ": " + f;
        box->activateWindow(); // its letters act in the active window
        ASSERT_TRUE(QTest::qWaitForWindowActive(box));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
        for (QAbstractButton* b : box->buttons())
            if (withoutMnemonic(b->text()) == press) pressAltLetterOf(b->text());
        // The button clicks a moment later; should the letter not act, the box goes.
        if (!QTest::qWaitFor([box] { return !box->isVisible(); })) box->reject();
    });
}

// Every command, field and menu title of every window of the program, in each
// state the main window has, has an Alt letter of its own there; the letters
// act (they do not only move the focus), and no tool tip shows the "&" marker.
TEST_P(OneLanguage, EveryControlOfEveryWindowHasAnAltLetterOfItsOwn) {
    const ActiveLanguage keep("english.lng");
    BaseFolder base({});
    writeHillPack(base);
    chooseLanguage(base);
    {
        Started s;
        MainWindow& w = s.window;
        const LangLines& lang = w.app().Lang;
        QStringList bad;
        auto check = [&bad](const char* state, QWidget* window,
                            const QStringList& reachedOtherwise = {}) {
            for (const QString& f : altLetterFaults(window, reachedOtherwise))
                bad << QString(state) + ": " + f;
        };
        auto activate = [&w] {
            w.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        };
        check("list", &w);

        openRow(s, 1);
        check("track open", &w);
        for (QMenu* menu : w.findChildren<QMenu*>()) {
            emit menu->aboutToShow();
            for (const QString& t : badMnemonics(actionTexts(menu->actions())))
                bad << "menu " + menu->title() + ": " + t;
            for (QAction* a : menu->actions())
                if (mnemonicOf(a->toolTip()) != "") bad << "tip: " + a->toolTip();
        }
        for (QToolButton* b : w.findChildren<QToolButton*>())
            if (mnemonicOf(b->toolTip()) != "") bad << "tip: " + b->toolTip();
        QTest::mouseClick(ctl<TrackCanvas>(w, "MapImg"), Qt::LeftButton, Qt::ControlModifier,
                          canvasPoint(w, 2));
        auto* correction = ctl<CorrectionWindow>(w, "corrxywnd");
        ASSERT_TRUE(correction && correction->isVisible());
        check("correction", correction);
        correction->close();
        activate();
        // "^^^" raises the player by its letter; the track then stores and
        // closes by the letter of "Save and close".
        const int before = w.editor().state().PlayerYOffset;
        pressAltLetterOf(panel(w)->PlyrUp->text()); // the button clicks a moment later
        QTest::qWaitFor([&] { return w.editor().state().PlayerYOffset != before; });
        EXPECT_NE(w.editor().state().PlayerYOffset, before) << "the player went up";
        ASSERT_TRUE(panel(w)->SaveTProp->isEnabled());
        pressAltLetterOf(panel(w)->SaveTProp->text());
        QTest::qWaitFor([&] { return !w.editor().isOpen(); });
        EXPECT_FALSE(w.editor().isOpen()) << "stored and closed";
        EXPECT_TRUE(w.document().modified());

        ctl<QLineEdit>(w, "NameNewTrack")->setText("new");
        QTest::mouseClick(ctl<QPushButton>(w, "NewTrack"), Qt::LeftButton);
        ASSERT_TRUE(w.editor().isOpen());
        check("new track", &w);
        QTest::mouseClick(panel(w)->CloseProp, Qt::LeftButton);
        ASSERT_FALSE(w.editor().isOpen());

        for (QWidget* dialog : std::initializer_list<QWidget*>{&w.optionsDialog(), &w.aboutBox()}) {
            dialog->show();
            check(dialog->metaObject()->className(), dialog);
            dialog->close();
        }
        TrackTable tracks;
        CopyTracksDialog copy(tracks, {kHeaderRow, kHeaderRow, kHeaderRow}, lang,
                              CopyTracksDialog::Source::Pack, &w);
        copy.show();
        check("copy", &copy);
        copy.close();

        // The submission window; its path field is chosen by the radio button
        // before it. Sending the open pack with changes asks first.
        SubmissionWindow& submission = w.submissionWindow();
        submission.show();
        check("submission", &submission, {"LevFilePath"});
        ctl<QRadioButton>(submission, "RadioButton4")->click();
        ASSERT_TRUE(w.document().modified());
        checkMessageBox("unsaved pack to send", bad,
                        withoutMnemonic(QMessageBox().addButton(QMessageBox::Cancel)->text()));
        QTest::mouseClick(ctl<QPushButton>(submission, "Button2"), Qt::LeftButton);
        submission.close();
        activate();

        // The questions with buttons of their own.
        Prompts prompts;
        checkMessageBox("changed on disk", bad, lang[kLineButtonOverwrite]);
        EXPECT_EQ(prompts.choose(&w, lang[kLineChangedOnDisk],
                                 {lang[kLineButtonOverwrite], lang[kLineButtonSaveAs],
                                  lang[kLineButtonCancel]}),
                  0);
        checkMessageBox("read-only", bad, lang[kLineButtonSaveAs]);
        EXPECT_EQ(prompts.choose(&w, lang[kLineSaveReadOnly],
                                 {lang[kLineButtonSaveAs], lang[kLineButtonCancel]}),
                  0);
        EXPECT_EQ(bad.join("\n").toStdString(), "");
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget != &w) widget->close();
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
