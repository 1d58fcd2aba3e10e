#pragma once
// Puts the texts of a language into the windows (`loadLanguage`).

#include "text/lang_lines.h"

#include <QStringList>

class QWidget;

namespace korvo {

// The windows a language re-captions. The options dialog and the about box
// may be children of the main window: each window is searched without
// entering the other windows inside it (menus excepted), so names that
// several windows use (`GroupBox1`, `Label13`, ...) stay apart.
struct LangForms {
    QWidget* main = nullptr;
    QWidget* options = nullptr;
    QWidget* about = nullptr;
};

// Sets every element of the language table from `lang`. Line 11 is followed
// by `contacts` on `N5`. Returns the elements not found, as
// "window/objectName" (empty when every window has all its elements).
QStringList applyLanguage(const LangLines& lang, const LangForms& forms,
                          const QStringList& contacts = {});

// Qt's own texts (file dialogs, Yes/No/OK/Cancel, the colour dialog) in
// Russian from Qt's shipped translation, or in English.
void useQtTranslation(bool russian);

// A language file as read: its lines and why it could not be read in full.
// Reading touches no window, so it may run on another thread.
struct LangRead {
    LangLines lines;
    Message problem;
};
LangRead readLanguage(const QString& baseFolder, const QString& Lang);

// Makes `read` the language in `lang`, with Qt's texts to match, and applies
// it. Returns a message for the user when the file was missing or short (the
// built-in texts then stand in for the missing lines), an empty string
// otherwise.
QString useLanguage(LangLines& lang, const LangRead& read, const LangForms& forms,
                    const QStringList& contacts = {});

// Reads base folder + "lang/" + `Lang` and uses it, as the two above.
QString loadLanguage(LangLines& lang, const QString& baseFolder, const QString& Lang,
                     const LangForms& forms, const QStringList& contacts = {});

} // namespace korvo
