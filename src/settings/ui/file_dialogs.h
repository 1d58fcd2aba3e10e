#pragma once
// The program's file dialogs. Qt's own file dialog words the dates and sizes
// of its list in the system's locale; these word them in the language the
// program speaks (the default locale, set with the language). A dialog of
// the desktop itself, where there is one, words them as the desktop does.

#include <QString>
#include <QStringList>

class QFileDialog;
class QWidget;

namespace korvo {

// The dialog's list of files shows dates and sizes in the default locale.
void wordFileListInLanguage(QFileDialog& dialog);

// The caption is shown without a shortcut marker ("&Open" reads "Open").
// The chosen path, or an empty string when the user cancelled.
QString chooseFileToOpen(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter);
// Several files; empty when the user cancelled.
QStringList chooseFilesToOpen(QWidget* parent, const QString& caption, const QString& folder,
                              const QString& filter);
// A file to write: `defaultSuffix` is added to a name without one, and an
// existing file is asked about before it is chosen.
QString chooseFileToSave(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter, const QString& defaultSuffix);

} // namespace korvo
