#include "lang_apply.h"

#include "color_box.h"
#include "mnemonics.h"
#include "settings/lang_targets.h"

#include <QAction>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QMenu>
#include <QTableWidget>
#include <QTranslator>

#include <QWidget>
#include <cstring>
#include <memory>
#include <vector>

namespace korvo {

namespace {

QWidget* formOf(const LangForms& forms, LangForm form) {
    switch (form) {
    case LangForm::Main:
        return forms.main;
    case LangForm::Options:
        return forms.options;
    case LangForm::About:
        return forms.about;
    }
    return nullptr;
}

const char* formName(LangForm form) {
    switch (form) {
    case LangForm::Main:
        return "main";
    case LangForm::Options:
        return "options";
    case LangForm::About:
        return "about";
    }
    return "";
}

// Breadth-first search of one window, not entering other windows but menus.
QObject* findInForm(QWidget* form, const QString& name) {
    if (form->objectName() == name) return form;
    QObjectList queue = form->children();
    while (!queue.isEmpty()) {
        QObject* o = queue.takeFirst();
        if (o->objectName() == name) return o;
        // A window the form owns is found by its own name, never by its elements'.
        auto* w = qobject_cast<QWidget*>(o);
        if (w && w->isWindow() && !qobject_cast<QMenu*>(w)) continue;
        queue += o->children();
    }
    return nullptr;
}

// Group boxes and menus have a title, actions, buttons and labels a text,
// memos a plain text.
void setCaption(QObject* o, const QString& text) {
    for (const char* property : {"title", "text", "plainText"}) {
        if (o->metaObject()->indexOfProperty(property) >= 0) {
            o->setProperty(property, text);
            return;
        }
    }
}

void setRowKey(QObject* o, int row, const QString& text) {
    auto* table = qobject_cast<QTableWidget*>(o);
    if (!table || row >= table->rowCount()) return;
    if (QTableWidgetItem* item = table->item(row, 0))
        item->setText(text);
    else
        table->setItem(row, 0, new QTableWidgetItem(text));
}

void apply(QObject* o, const LangBinding& b, const QString& text, const QStringList& contacts) {
    switch (b.target) {
    case LangTarget::Caption:
        setCaption(o, text);
        break;
    case LangTarget::Hint:
        o->setProperty("toolTip", withoutMnemonic(text)); // a tip shows no "&"

        // A tool bar command's name is its hint (menus and shortcuts list it).
        if (auto* a = qobject_cast<QAction*>(o)) a->setText(text);
        break;
    case LangTarget::WindowTitle:
        // A title shows no shortcut: the menu's "&" marker goes.
        if (auto* w = qobject_cast<QWidget*>(o)) w->setWindowTitle(withoutMnemonic(text));
        break;
    case LangTarget::RowKey:
        setRowKey(o, b.row, text);
        break;
    case LangTarget::Notice:
        setCaption(o, noticeCaption(text, contacts));
        break;
    }
}

} // namespace

QStringList applyLanguage(const LangLines& lang, const LangForms& forms,
                          const QStringList& contacts) {
    QStringList missing;
    for (const LangBinding& b : langBindings()) {
        QWidget* form = formOf(forms, b.form);
        QObject* o = form ? findInForm(form, b.objectName) : nullptr;
        if (!o) {
            missing << QString(formName(b.form)) + '/' + b.objectName;
            continue;
        }
        // Widgets break lines at LF alone; "^p" gave CR LF.
        QString text = lang[b.line];
        text.replace("\r\n", "\n");
        apply(o, b, text, contacts);
    }
    for (QWidget* form : {forms.main, forms.options, forms.about})
        if (form) keepMnemonics(form);
    if (forms.options)
        for (ColorBox* box : forms.options->findChildren<ColorBox*>()) box->setNames(lang);
    return missing;
}

namespace {

// Texts of Qt's file dialog and message boxes that Qt's Russian translation
// leaves in English.
class QtRussianGaps : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override {
        struct Gap {
            const char *context, *source, *russian;
        };
        static const Gap kGaps[] = {
            {"QAbstractFileIconProvider", "Folder", "Папка"},
            {"QAbstractFileIconProvider", "File", "Файл"},
            {"QAbstractFileIconProvider", "Drive", "Диск"},
            {"QPlatformTheme", "OK", "ОК"},
        };
        for (const Gap& g : kGaps)
            if (std::strcmp(context, g.context) == 0 && std::strcmp(source, g.source) == 0)
                return QString::fromUtf8(g.russian);
        return {};
    }
    bool isEmpty() const override { return false; }
};

} // namespace

void useQtTranslation(bool russian) {
    static std::vector<std::unique_ptr<QTranslator>> installed;
    for (const auto& t : installed) QCoreApplication::removeTranslator(t.get());
    installed.clear();
    // Dates, sizes and file types in Qt's dialogs follow the language too.
    QLocale::setDefault(russian ? QLocale(QLocale::Russian, QLocale::Russia)
                                : QLocale(QLocale::English, QLocale::UnitedStates));
    if (!russian) return;
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QLocale(QLocale::Russian), "qtbase", "_",
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(qt.get()))
        installed.push_back(std::move(qt));
    // Searched first: the gaps, then Qt's own translation.
    auto gaps = std::make_unique<QtRussianGaps>();
    if (QCoreApplication::installTranslator(gaps.get())) installed.push_back(std::move(gaps));
}

LangRead readLanguage(const QString& baseFolder, const QString& Lang) {
    LangRead read;
    read.problem = read.lines.load(langFilePath(baseFolder, Lang));
    return read;
}

QString useLanguage(LangLines& lang, const LangRead& read, const LangForms& forms,
                    const QStringList& contacts) {
    const QString problem = lang.say(read.problem); // in the language before it
    lang = read.lines;
    useQtTranslation(lang.cyrillic());
    applyLanguage(lang, forms, contacts);
    if (problem.isEmpty()) return {};
    return QString::fromUtf8("Язык интерфейса загружен не полностью: недостающие строки "
                             "показаны встроенными текстами.\n"
                             "The interface language could not be loaded in full: built-in "
                             "texts stand in for the missing lines.\n\n") +
           problem;
}

QString loadLanguage(LangLines& lang, const QString& baseFolder, const QString& Lang,
                     const LangForms& forms, const QStringList& contacts) {
    return useLanguage(lang, readLanguage(baseFolder, Lang), forms, contacts);
}

} // namespace korvo
