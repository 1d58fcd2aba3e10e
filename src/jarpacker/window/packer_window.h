#pragma once
// The packer's window, when it is started without arguments (as the editor
// starts it): the game archive, the level pack (the working folder's
// "levels.mrg" preselected), the output archive and "Build".

#include "text/lang_lines.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvo {

class PackerWindow : public QWidget {
    Q_OBJECT
public:
    // Speaks `lang`, which outlives the window.
    explicit PackerWindow(const LangLines& lang, QWidget* parent = nullptr);

private:
    QLineEdit* addRow(int row, const char* name, const QString& label, bool save,
                      const QString& filter);
    void build();

    QLineEdit* game_;
    QLineEdit* pack_;
    QLineEdit* out_;
    QPushButton* buildButton_;
    QLabel* status_;
    const LangLines& lang_;
};

} // namespace korvo
