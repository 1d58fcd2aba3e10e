#include "mnemonics.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include <functional>
#include <map>
#include <vector>

namespace korvo {

namespace {

constexpr char kInPlaceOfSiblings[] = "korvoInPlaceOfSiblings";

// Index of the character after the "&" marker; -1 when there is none.
int mnemonicAt(const QString& text) {
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return i + 1;
    }
    return -1;
}

QString keyOf(QChar c) {
    return QString(c).toLower();
}

bool hasLetterOrDigit(const QString& text) {
    for (const QChar c : text)
        if (c.isLetterOrNumber()) return true;
    return false;
}

// A place a text may take its letter at.
struct Place {
    int at;
    QString key;
};

// The places of a plain text, best first and one per letter: a letter of the
// text's own script (a Russian text gets a Russian letter, the keyboard's
// layout then) before any other, a word's first letter before the others.
QList<Place> placesOf(const QString& plain) {
    QChar::Script script = QChar::Script_Unknown;
    for (const QChar c : plain)
        if (c.isLetter()) {
            script = c.script();
            break;
        }
    QList<Place> places;
    QStringList keys;
    for (const bool ownScript : {true, false})
        for (const bool wordStart : {true, false})
            for (int i = 0; i < plain.size(); ++i) {
                const QChar c = plain[i];
                if (!c.isLetterOrNumber() || keys.contains(keyOf(c))) continue;
                if (ownScript && c.isLetter() && c.script() != script) continue;
                if (wordStart && i > 0 && plain[i - 1].isLetterOrNumber()) continue;
                keys << keyOf(c);
                places << Place{i, keyOf(c)};
            }
    return places;
}

// Position `i` of the plain text in the text with "&&" doubled again.
QString markAt(const QString& plain, int i) {
    QString left = plain.left(i), right = plain.mid(i);
    return left.replace('&', "&&") + '&' + right.replace('&', "&&");
}

// The text as shown, with no letter: its "&" shown as one.
QString unmarked(const QString& text) {
    return withoutMnemonic(text).replace('&', "&&");
}

// The texts marked so that each has a letter that neither `used` nor another
// of them has, as many of them as can be; `used` takes their letters. A
// marker a text brings holds while nothing before it took that letter.
QStringList markTexts(const QStringList& texts, QStringList& used) {
    QStringList out;
    QList<int> pending;
    for (const QString& t : texts) {
        const int at = mnemonicAt(t);
        if (at >= 0 && t[at].isLetterOrNumber() && !used.contains(keyOf(t[at]))) {
            used << keyOf(t[at]);
            out << t;
        } else {
            pending << int(out.size());
            out << withoutMnemonic(t);
        }
    }
    // Each text in turn takes its best free place; when none is free, a text
    // before it that holds one of its letters moves to another place of its
    // own, if it can (a chain of such moves), so that no text goes without a
    // letter that could have one.
    std::vector<QList<Place>> places;
    for (const int i : pending) places.push_back(placesOf(out[i]));
    std::vector<int> chosen(places.size(), -1);
    std::map<QString, int> holder; // letter -> the pending text that holds it
    std::function<bool(int, QStringList&)> place = [&](int p, QStringList& tried) {
        const QList<Place>& own = places[size_t(p)];
        for (int c = 0; c < own.size(); ++c)
            if (!used.contains(own[c].key) && !holder.count(own[c].key)) {
                holder[own[c].key] = p;
                chosen[size_t(p)] = c;
                return true;
            }
        for (int c = 0; c < own.size(); ++c) {
            const QString& key = own[c].key;
            if (used.contains(key) || tried.contains(key) || holder[key] == p) continue;
            tried << key;
            if (place(holder[key], tried)) {
                holder[key] = p;
                chosen[size_t(p)] = c;
                return true;
            }
        }
        return false;
    };
    for (int p = 0; p < int(places.size()); ++p) {
        QStringList tried;
        place(p, tried);
    }
    for (int p = 0; p < int(places.size()); ++p) {
        QString& text = out[pending[p]];
        if (chosen[size_t(p)] < 0) { // every letter taken: plain, with "&" shown as one
            text = QString(text).replace('&', "&&");
            continue;
        }
        const Place& at = places[size_t(p)][chosen[size_t(p)]];
        used << at.key;
        text = markAt(text, at.at);
    }
    return out;
}

void markActions(const QList<QAction*>& actions) {
    QList<QAction*> items;
    QStringList texts;
    for (QAction* a : actions) {
        if (a->isSeparator() || a->text().isEmpty()) continue;
        items << a;
        texts << a->text();
    }
    const QStringList marked = withMnemonics(texts);
    for (int i = 0; i < items.size(); ++i)
        if (items[i]->text() != marked[i]) items[i]->setText(marked[i]);
}

void markMenu(QMenu* menu) {
    markActions(menu->actions());
}

// Something of a window that takes an Alt letter: its text and how it is set.
struct Taker {
    QWidget* shownBy;
    QString text;
    std::function<void(const QString&)> setText;
};

// Everything of the window that takes an Alt letter, in the order letters are
// handed out.
QList<Taker> takersOf(QWidget* window) {
    auto own = [window](QWidget* w) { return w->window() == window; };
    QList<Taker> titles, buttons, checks, boxes, labels, tabs;
    for (QMenuBar* bar : window->findChildren<QMenuBar*>()) {
        if (!own(bar)) continue;
        for (QAction* a : bar->actions()) {
            if (a->isSeparator() || a->text().isEmpty()) continue;
            if (!a->isVisible()) { // the bar answers the letter of a hidden title too
                if (a->text() != unmarked(a->text())) a->setText(unmarked(a->text()));
                continue;
            }
            titles << Taker{bar, a->text(), [a](const QString& t) { a->setText(t); }};
        }
    }
    // Tool bar buttons show pictures.
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (!own(b) || qobject_cast<QToolButton*>(b) || b->text().isEmpty()) continue;
        (qobject_cast<QPushButton*>(b) ? buttons : checks)
            << Taker{b, b->text(), [b](const QString& t) { b->setText(t); }};
    }
    for (QLabel* l : window->findChildren<QLabel*>())
        if (own(l) && l->buddy() && hasLetterOrDigit(l->text()))
            labels << Taker{l, l->text(), [l](const QString& t) { l->setText(t); }};
    for (QTabBar* bar : window->findChildren<QTabBar*>()) {
        if (!own(bar)) continue;
        for (int i = 0; i < bar->count(); ++i)
            if (!bar->tabText(i).isEmpty())
                tabs << Taker{bar, bar->tabText(i),
                              [bar, i](const QString& t) { bar->setTabText(i, t); }};
    }
    for (QGroupBox* g : window->findChildren<QGroupBox*>()) {
        if (!own(g) || !hasLetterOrDigit(g->title())) continue;
        bool holdsTaker = false;
        for (const QList<Taker>* inner : {&buttons, &checks, &labels, &tabs})
            for (const Taker& t : *inner) holdsTaker = holdsTaker || g->isAncestorOf(t.shownBy);
        if (holdsTaker && !g->isCheckable() && mnemonicAt(g->title()) < 0) continue;
        boxes << Taker{g, g->title(), [g](const QString& t) { g->setTitle(t); }};
    }
    return titles + buttons + checks + boxes + labels + tabs;
}

// The outermost panel shown in place of its siblings (or one of those
// siblings) that `w` lies in; nullptr when it lies in none.
QWidget* alternativeOf(QWidget* w, QWidget* window) {
    QWidget* found = nullptr;
    for (QWidget* p = w; p && p != window && p->parentWidget(); p = p->parentWidget())
        for (const QObject* sibling : p->parentWidget()->children())
            if (sibling->property(kInPlaceOfSiblings).toBool()) found = p;
    return found;
}

void markTakers(const QList<Taker>& takers, QStringList& used) {
    QStringList texts;
    for (const Taker& t : takers) texts << t.text;
    const QStringList marked = markTexts(texts, used);
    for (int i = 0; i < takers.size(); ++i)
        if (marked[i] != takers[i].text) takers[i].setText(marked[i]);
}

// Shows a tool button's tip with the shortcut of its command.
class ToolTipKeys : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::ToolTip) return false;
        auto* button = qobject_cast<QToolButton*>(o);
        const QAction* a = button ? button->defaultAction() : nullptr;
        if (!a || a->shortcut().isEmpty() || button->toolTip().isEmpty()) return false;
        QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(),
                           button->toolTip() + " (" +
                               a->shortcut().toString(QKeySequence::NativeText) + ')',
                           button);
        return true;
    }
};

void keepToolBars(QWidget* window) {
    static ToolTipKeys* keys = new ToolTipKeys(QCoreApplication::instance());
    for (QToolBar* bar : window->findChildren<QToolBar*>()) {
        if (bar->window() != window) continue;
        for (QAction* a : bar->actions())
            if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(a))) {
                button->setFocusPolicy(Qt::TabFocus); // a click leaves the focus where it was
                button->installEventFilter(keys);
            }
    }
}

class MnemonicsOnShow : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::Show || !o->isWidgetType()) return false;
        auto* w = static_cast<QWidget*>(o);
        if (!w->isWindow() || qobject_cast<QMenu*>(w)) return false;
        if (qobject_cast<QMessageBox*>(w) ||
            QByteArray(w->metaObject()->className()).startsWith("korvo::"))
            keepMnemonics(w);
        return false;
    }
};

} // namespace

void keepMnemonicsOnShow() {
    static MnemonicsOnShow* filter = nullptr;
    if (filter || !QCoreApplication::instance()) return;
    filter = new MnemonicsOnShow(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(filter);
}

// Every "&" goes but one followed by another; then "&&" reads as one "&".
QString withoutMnemonic(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] != '&' || (i + 1 < text.size() && text[i + 1] == '&')) plain += text[i];
    return plain.replace("&&", "&");
}

QStringList withMnemonics(const QStringList& texts) {
    QStringList used;
    return markTexts(texts, used);
}

void showsInPlaceOfSiblings(QWidget* panel) {
    panel->setProperty(kInPlaceOfSiblings, true);
}

void keepMnemonics(QWidget* window) {
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        markMenu(menu);
        if (menu->property("korvoMnemonics").toBool()) continue;
        menu->setProperty("korvoMnemonics", true);
        QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { markMenu(menu); });
    }
    // What lies outside the panels shown in place of each other first: its
    // letters hold whichever of them is shown.
    QList<Taker> common;
    std::map<QWidget*, QList<Taker>> panels;
    for (const Taker& t : takersOf(window)) {
        if (QWidget* panel = alternativeOf(t.shownBy, window))
            panels[panel] << t;
        else
            common << t;
    }
    QStringList used;
    markTakers(common, used);
    for (const auto& [panel, takers] : panels) {
        QStringList usedThere = used;
        markTakers(takers, usedThere);
    }
    keepToolBars(window);
}

} // namespace korvo
