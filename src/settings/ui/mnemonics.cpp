#include "mnemonics.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace korvo {

namespace {

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

// The place for a new marker: a free letter of the text's own script (a
// Russian text gets a Russian letter, the keyboard's layout then) before
// any other, a word's first letter before the others.
int freeLetter(const QString& plain, const QStringList& used) {
    QChar::Script script = QChar::Script_Unknown;
    for (const QChar c : plain)
        if (c.isLetter()) {
            script = c.script();
            break;
        }
    for (const bool ownScript : {true, false})
        for (const bool wordStart : {true, false})
            for (int i = 0; i < plain.size(); ++i) {
                const QChar c = plain[i];
                if (!c.isLetterOrNumber() || used.contains(keyOf(c))) continue;
                if (ownScript && c.isLetter() && c.script() != script) continue;
                if (wordStart && i > 0 && plain[i - 1].isLetterOrNumber()) continue;
                return i;
            }
    return -1;
}

// Position `i` of the plain text in the text with "&&" doubled again.
QString markAt(const QString& plain, int i) {
    QString left = plain.left(i), right = plain.mid(i);
    return left.replace('&', "&&") + '&' + right.replace('&', "&&");
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

class MnemonicsOnShow : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::Show || !o->isWidgetType()) return false;
        auto* w = static_cast<QWidget*>(o);
        if (w->isWindow() && !qobject_cast<QMenu*>(w) &&
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
    QStringList used, out;
    QList<int> pending;
    // The markers the texts bring, first come first served.
    for (const QString& t : texts) {
        const int at = mnemonicAt(t);
        if (at >= 0 && !used.contains(keyOf(t[at])) && t[at].isLetterOrNumber()) {
            used << keyOf(t[at]);
            out << t;
        } else {
            pending << int(out.size());
            out << withoutMnemonic(t);
        }
    }
    for (const int i : pending) {
        const QString plain = out[i];
        const int at = freeLetter(plain, used);
        if (at < 0) { // every letter taken: keep it plain, with "&" shown as one
            out[i] = QString(plain).replace('&', "&&");
            continue;
        }
        used << keyOf(plain[at]);
        out[i] = markAt(plain, at);
    }
    return out;
}

void keepMnemonics(QWidget* window) {
    if (auto* bar = window->findChild<QMenuBar*>()) markActions(bar->actions());
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        markMenu(menu);
        if (menu->property("korvoMnemonics").toBool()) continue;
        menu->setProperty("korvoMnemonics", true);
        QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { markMenu(menu); });
    }
    // Buttons showing a text; tool bar buttons show pictures.
    QList<QAbstractButton*> buttons;
    QStringList texts;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (qobject_cast<QToolButton*>(b) || b->text().isEmpty() || b->window() != window) continue;
        buttons << b;
        texts << b->text();
    }
    const QStringList marked = withMnemonics(texts);
    for (int i = 0; i < buttons.size(); ++i)
        if (buttons[i]->text() != marked[i]) buttons[i]->setText(marked[i]);
}

} // namespace korvo
