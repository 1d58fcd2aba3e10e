#include "prompts.h"

#include "recovery_window.h"

#include "list/ui/copy_dialog.h"
#include "main_window.h"
#include "settings/ui/file_dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace korvo {

namespace {
QString boxTitle(QWidget* parent) {
    return parent ? parent->window()->windowTitle() : QString(MainWindow::kAppTitle);
}
} // namespace

bool Prompts::confirm(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, boxTitle(parent), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

int Prompts::choose(QWidget* parent, const QString& text, const QStringList& buttons) {
    QMessageBox box(QMessageBox::Warning, boxTitle(parent), text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> added;
    for (int i = 0; i < buttons.size(); ++i)
        added << box.addButton(buttons[i], i + 1 == buttons.size() ? QMessageBox::RejectRole
                                                                   : QMessageBox::AcceptRole);
    box.setEscapeButton(added.back());
    box.setDefaultButton(qobject_cast<QPushButton*>(added.back()));
    box.exec();
    const int chosen = int(added.indexOf(box.clickedButton()));
    return chosen < 0 ? int(buttons.size()) - 1 : chosen;
}

void Prompts::information(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, boxTitle(parent), text);
}

void Prompts::warning(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, boxTitle(parent), text);
}

void Prompts::error(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::critical(parent, title.isEmpty() ? boxTitle(parent) : title, text);
}

QString Prompts::openFileName(QWidget* parent, const QString& caption, const QString& folder,
                              const QString& filter) {
    return chooseFileToOpen(parent, caption, folder, filter);
}

QString Prompts::saveFileName(QWidget* parent, const QString& caption, const QString& folder,
                              const QString& filter, const QString& defaultSuffix) {
    return chooseFileToSave(parent, caption, folder, filter, defaultSuffix);
}

QStringList Prompts::openFileNames(QWidget* parent, const QString& caption, const QString& folder,
                                   const QString& filter) {
    return chooseFilesToOpen(parent, caption, folder, filter);
}

bool Prompts::chooseTracks(CopyTracksDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

int Prompts::recoveryChoice(RecoveryWindow& window) {
    return window.ask();
}

} // namespace korvo
