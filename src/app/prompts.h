#pragma once
// The questions, messages and file dialogs of the main window. The window
// asks through this interface so that tests can answer in place of a user.

#include <QString>

class QWidget;

namespace korvo {

class Prompts {
public:
    virtual ~Prompts() = default;
    // A Yes/No confirmation; true for Yes.
    virtual bool confirm(QWidget* parent, const QString& text);
    virtual void information(QWidget* parent, const QString& text);
    virtual void warning(QWidget* parent, const QString& text);
    virtual void error(QWidget* parent, const QString& title, const QString& text);
    // The chosen path, or an empty string when the user cancelled.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter);
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter, const QString& defaultSuffix);
};

} // namespace korvo
