#pragma once
// The window offered when a journal of unsaved work was left: what would come
// back (when it was kept, the steps of both histories, the tracks changed,
// added and deleted against the pack on disk, the open track with a
// preview), and the choices: Recover (the default), Open the saved pack (the
// journal is kept until the pack's next change), and Save the recovered pack
// as... when the pack's file is gone or changed since.

#include "app_context.h"
#include "recovery/recovery_file.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace korvo {

class RecoveryWindow : public QDialog {
    Q_OBJECT
public:
    enum Choice { Recover, OpenSaved, SaveAs };

    // `journal`: the file `data` was read from.
    RecoveryWindow(AppContext& app, const RecoveryData& data, const QString& journal,
                   QWidget* parent = nullptr);

    Choice choice() const { return choice_; }
    // The window's text, line by line (tests).
    QString summary() const;
    QPushButton* button(Choice c) const { return buttons_[c]; }
    // Runs the window; Escape or closing it opens the saved pack.
    Choice ask();

private:
    Choice choice_ = OpenSaved;
    QLabel* text_;
    QPushButton* buttons_[3] = {};
};

// A small picture of a track's nodes, fitted into `size`.
QImage nodesPicture(const std::vector<QPoint>& nodes, QSize size, QColor line);

} // namespace korvo
