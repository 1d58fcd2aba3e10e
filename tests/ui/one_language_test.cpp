// One language at a time: with the English file chosen, no Russian word is
// left in the main window's menus, buttons, labels, tool tips and the tool
// windows it shows.
#include "window_test_util.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>

using namespace korvo;
using namespace korvo::test;

namespace {

bool cyrillic(const QString& text) {
    for (QChar c : text)
        if (c.script() == QChar::Script_Cyrillic) return true;
    return false;
}

// The texts of the window's own elements (dialogs it opens have their own).
QStringList textsOf(QWidget& window) {
    QStringList texts{window.windowTitle()};
    for (const char* tool : {"corrxywnd", "preimg_f"})
        texts << ctl<QWidget>(window, tool)->windowTitle();
    for (QAction* a : window.findChildren<QAction*>())
        if (ctl<QAction>(window, qPrintable(a->objectName())) == a)
            texts << a->text() << a->toolTip();
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || ctl<QWidget>(window, qPrintable(w->objectName())) != w)
            continue;
        texts << w->toolTip();
        if (auto* l = qobject_cast<QLabel*>(w)) texts << l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) texts << b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w)) texts << g->title();
        if (auto* m = qobject_cast<QMenu*>(w)) texts << m->title();
        if (auto* t = qobject_cast<QTableWidget*>(w))
            for (int r = 0; r < t->rowCount(); ++r)
                if (t->item(r, 0)) texts << t->item(r, 0)->text();
    }
    return texts;
}

} // namespace

TEST(OneLanguage, EnglishLeavesNoRussianWordInTheMainWindow) {
    BaseFolder base({{"a"}, {}, {}});
    Started s;
    QStringList russian;
    for (const QString& t : textsOf(s.window))
        if (cyrillic(t)) russian << t;
    EXPECT_EQ(russian.join(" | ").toStdString(), "");
}
