// Applying a language to the windows, the about box and the recent-packs
// submenu.
#include "settings/recent_files.h"
#include "settings/ui/about_box.h"
#include "settings/ui/lang_apply.h"
#include "settings/ui/mnemonics.h"
#include "settings/ui/options_dialog.h"
#include "settings/ui/recent_menu.h"
#include "text/lang_lines.h"
#include "text/version.h"

#include "../core/settings_files.h"
#include "ui_test_util.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvo;
using korvo::test::FakeMainWindow;
using korvo::test::putFile;

namespace {

// A base folder with both shipped languages and the three windows.
struct Windows {
    QTemporaryDir dir;
    Options options;
    LangLines lang;
    FakeMainWindow main;
    OptionsDialog* options_f;
    AboutBox* about;
    LangForms forms;

    Windows() {
        QDir(dir.path()).mkpath("lang");
        for (const char* name : {"english.lng", "russian.lng"})
            QFile::copy(QString(BASE_DIR) + "/lang/" + name, dir.filePath("lang/") + name);
        LoadOptions(dir.path(), options);
        options_f = new OptionsDialog(dir.path(), options, lang, nullptr, &main);
        about = new AboutBox(&main);
        forms = {&main, options_f, about};
    }
    QString text(QWidget* form, const char* name) {
        QObject* o = form->objectName() == name ? form : form->findChild<QObject*>(name);
        for (const char* p : {"title", "text", "plainText", "windowTitle"})
            if (o && o->metaObject()->indexOfProperty(p) >= 0)
                return withoutMnemonic(o->property(p).toString()); // as the user reads it
        return "<none>";
    }
};

} // namespace

TEST(LangApply, EveryElementOfEveryWindowGetsItsLine) {
    Windows w;
    LangLines english;
    ASSERT_EQ(english.load(w.dir.filePath("lang/english.lng")), "");
    EXPECT_EQ(applyLanguage(english, w.forms, {"a@x.org", "b@y.org", "c@z.org"}), QStringList());
    EXPECT_EQ(w.text(&w.main, "N1"), "File");
    EXPECT_EQ(w.text(&w.main, "N19"), "Options");
    EXPECT_EQ(w.main.findChild<QToolButton*>("UpItem")->toolTip(), "Move up");
    EXPECT_EQ(w.text(&w.main, "StatusPanel1"), "Grid: off");
    EXPECT_EQ(w.main.findChild<QTableWidget*>("TP2")->item(1, 0)->text(), "Field height (Y)");
    EXPECT_EQ(w.text(&w.main, "N5"), english[11] + " a@x.org, b@y.org, c@z.org");
    const QString memo = w.text(&w.main, "Memo2");
    EXPECT_FALSE(memo.contains('\r'));
    EXPECT_EQ(memo.split('\n').size(), 8);
    // Names two windows share stay apart.
    EXPECT_EQ(w.main.findChild<QGroupBox*>("GroupBox1", Qt::FindDirectChildrenOnly), nullptr);
    EXPECT_EQ(w.options_f->findChild<QGroupBox*>("GroupBox1")->title(), " Rider view ");
    EXPECT_EQ(w.main.centralWidget()->findChild<QGroupBox*>("GroupBox1")->title(),
              " Player position ");
    for (const char* label : {"Label12", "Label15", "Label20"})
        EXPECT_EQ(withoutMnemonic(w.options_f->findChild<QLabel*>(label)->text()), "Background");
    EXPECT_EQ(w.main.centralWidget()->findChild<QLabel*>("Label13")->text(), english[90]);
    EXPECT_EQ(w.options_f->windowTitle(), "Options");
    EXPECT_EQ(w.about->windowTitle(), "About");

    // A window that lacks elements is told which.
    QWidget bare;
    const QStringList missing = applyLanguage(english, {&bare, nullptr, nullptr});
    EXPECT_TRUE(missing.contains("main/N1"));
    EXPECT_TRUE(missing.contains("options/cb_autotime"));
    EXPECT_TRUE(missing.contains("about/GotoSite"));
}

TEST(LangApply, MissingLanguageFileIsReportedOnceAndBuiltInTextsShow) {
    Windows w;
    const QString problem = loadLanguage(w.lang, w.dir.path(), "german.lng", w.forms);
    EXPECT_TRUE(problem.contains("german.lng"));
    EXPECT_EQ(w.text(&w.main, "N1"), QString::fromUtf8("Файл"));
    EXPECT_EQ(w.lang[88], LangLines::builtIn()[88]);
    EXPECT_EQ(loadLanguage(w.lang, w.dir.path(), "English.LNG", w.forms), "");
    EXPECT_EQ(w.text(&w.main, "N1"), "File");
}

TEST(AboutBox, LayoutAndCaption) {
    AboutBox about;
    EXPECT_EQ(about.windowTitle(), QString::fromUtf8("О программе"));
    EXPECT_EQ(about.size(), QSize(270, 220));
    auto* site = about.findChild<QPushButton*>("GotoSite");
    ASSERT_TRUE(site);
    EXPECT_EQ(site->text(), QString::fromUtf8("Посетить сайт программы"));
    EXPECT_TRUE(about.findChild<QLabel*>()->text().contains(
        QString("Korvo Track Editor v.%1 SE").arg(kVersion)))
        << "the version of the build, as --version says it";
}

TEST(RecentMenu, ItemsAreNumberedByTheirKeysAndOpenTheirPath) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("opt.ini");
    putFile(ini, "[LastFiles]\r\n1=/p/Tom & Jerry.mrg\r\n3=/p/c.mrg\r\n5=0\r\n");
    RecentFiles recent(ini);
    recent.load();
    QMenu menu;
    menu.addAction("stale");
    QStringList opened;
    fillRecentMenu(menu, recent, [&](const QString& path) { opened << path; });
    const auto actions = menu.actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0]->text(), "1: /p/Tom && Jerry.mrg");
    EXPECT_EQ(actions[1]->text(), "3: /p/c.mrg");
    EXPECT_EQ(actions[1]->toolTip(), "/p/c.mrg");
    actions[0]->trigger();
    EXPECT_EQ(opened, QStringList{"/p/Tom & Jerry.mrg"});

    // openRecentPack records the path; the menu is rebuilt from the new order.
    ASSERT_TRUE(recent.write_ini(opened[0]));
    fillRecentMenu(menu, recent, [](const QString&) {});
    EXPECT_EQ(menu.actions()[0]->text(), "1: /p/Tom && Jerry.mrg");
    EXPECT_EQ(menu.actions()[1]->text(), "2: /p/c.mrg");
}

// Titles and tips show no Alt marker; a doubled "&" is one "&" shown.
TEST(LangApply, TitlesAndTipsShowTheTextWithoutItsAltMarker) {
    const std::pair<const char*, const char*> cases[] = {
        {"&File", "File"}, {"R&&D", "R&D"}, {"&&&Undo", "&Undo"}, {"Tail&", "Tail"}, {"", ""}};
    for (const auto& [marked, shown] : cases) EXPECT_EQ(withoutMnemonic(marked), shown) << marked;
}

namespace {

QString letterOf(const QString& text) {
    const QString plain = QString(text).remove("&&");
    const int at = int(plain.indexOf('&'));
    return at >= 0 && at + 1 < plain.size() ? plain.mid(at + 1, 1).toLower() : QString();
}

} // namespace

// Every kind of widget that takes an Alt letter draws from one pool per
// window: menu bar titles, buttons, check boxes, group boxes, labels with a
// buddy and tabs. Two panels shown in place of each other may repeat a letter
// between them, never one of what lies outside them. A hidden title of the
// menu bar takes none (the bar would still answer it), nor does a group box
// around controls with letters of their own.
TEST(Mnemonics, OnePoolPerWindowThatPanelsShownInPlaceOfEachOtherShare) {
    QMainWindow window;
    QAction* hidden = window.menuBar()->addAction("&Secret");
    hidden->setVisible(false);
    QMenu* tracks = window.menuBar()->addMenu("Tracks");
    auto* central = new QWidget;
    window.setCentralWidget(central);
    auto* column = new QVBoxLayout(central);
    auto* tabs = new QTabWidget;
    tabs->addTab(new QWidget, "Tools");
    tabs->addTab(new QWidget, "Tips");
    auto* turns = new QGroupBox("Turns"); // frames a field alone: it stands for it
    (new QVBoxLayout(turns))->addWidget(new QLineEdit);
    auto* things = new QGroupBox("Things");
    auto* toggle = new QCheckBox("Toggle");
    (new QVBoxLayout(things))->addWidget(toggle);
    auto* title = new QLabel("Title");
    title->setBuddy(new QLineEdit(central));
    auto* side = new QWidget;
    auto* sides = new QVBoxLayout(side);
    auto* send = new QPushButton("Send"); // outside the panels: its letter holds in both
    auto* start = new QPushButton("Start");
    auto* stack = new QPushButton("Stack");
    for (QPushButton* b : {start, stack}) {
        auto* panel = new QWidget;
        (new QVBoxLayout(panel))->addWidget(b);
        sides->addWidget(panel);
    }
    showsInPlaceOfSiblings(stack->parentWidget());
    for (QWidget* w :
         {static_cast<QWidget*>(tabs), static_cast<QWidget*>(turns), static_cast<QWidget*>(things),
          static_cast<QWidget*>(title), static_cast<QWidget*>(send), side})
        column->addWidget(w);

    keepMnemonics(&window);
    const QStringList outside = {tracks->title(), tabs->tabText(0), tabs->tabText(1),
                                 turns->title(),  toggle->text(),   title->text(),
                                 send->text()};
    QStringList letters;
    for (const QString& t : outside) {
        EXPECT_FALSE(letterOf(t).isEmpty()) << t.toStdString();
        EXPECT_FALSE(letters.contains(letterOf(t))) << t.toStdString();
        letters << letterOf(t);
    }
    EXPECT_FALSE(letterOf(start->text()).isEmpty());
    EXPECT_FALSE(letters.contains(letterOf(start->text())));
    EXPECT_EQ(letterOf(stack->text()), letterOf(start->text()))
        << "shown in place of Start: the same letter";
    EXPECT_EQ(hidden->text(), "Secret");
    EXPECT_EQ(things->title(), "Things");
}
