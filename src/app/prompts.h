#pragma once
// The questions, messages and file dialogs of the main window. The window
// asks through this interface so that tests can answer in place of a user.

#include <QString>
#include <QStringList>

class QWidget;

namespace korvo {

class CopyTracksDialog;
class RecoveryWindow;

class Prompts {
public:
    virtual ~Prompts() = default;
    // A Yes/No confirmation; true for Yes.
    virtual bool confirm(QWidget* parent, const QString& text);
    // A question with its own buttons, the last one the cancel: the index of
    // the button chosen, the last one when the box is closed otherwise.
    virtual int choose(QWidget* parent, const QString& text, const QStringList& buttons);
    virtual void information(QWidget* parent, const QString& text);
    virtual void warning(QWidget* parent, const QString& text);
    virtual void error(QWidget* parent, const QString& title, const QString& text);
    // The chosen path, or an empty string when the user cancelled.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter);
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter, const QString& defaultSuffix);
    // Several files; empty when the user cancelled.
    virtual QStringList openFileNames(QWidget* parent, const QString& caption,
                                      const QString& folder, const QString& filter);
    // The copy dialog: true when the user copies the tracks ticked in it.
    virtual bool chooseTracks(CopyTracksDialog& dialog);
    // The recovery window: what the user chose in it (RecoveryWindow::Choice).
    virtual int recoveryChoice(RecoveryWindow& window);
};

} // namespace korvo
