// What the main window shows of its parts' state: the status texts, the
// title, the commands that wait while a track is open, and the undo texts.
#include "editor/ui/track_properties_panel.h"
#include "editor_controller.h"
#include "import_commands.h"
#include "main_window.h"
#include "pack_commands.h"
#include "settings/ui/mnemonics.h"
#include "text/lang_added.h"

#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QUndoGroup>

namespace korvo {

// Panel 2 tells the mode and the tool, panel 3 whether anything is unsaved;
// a modified track can be stored ("Сохранить и Закрыть").
void MainWindow::showModeTexts() {
    TrackSession& session = editor_->session();
    const StatusTexts texts =
        session.statusTexts(app_.Lang, editor_->track().modified(), app_.doc.modified());
    StatusPanels[2]->setText(texts.mode);
    StatusPanels[3]->setText(texts.state);
    if (auto* save = findChild<QPushButton*>("SaveTProp")) save->setEnabled(session.SaveEnabled);
}

void MainWindow::updateCountText() {
    StatusPanels[4]->setText(QString::fromStdString(app_.doc.Tracks.countText()));
}

void MainWindow::setTitle() {
    appTitle_ = QString(kAppTitle) + " - " + QDir::toNativeSeparators(app_.doc.fileName());
    setWindowTitle(appTitle_);
}

// "Сохранить *.mrg", "Добавить трек из ...", "Добавить *.lev", "Генерация
// картинок уровней", "Сохранить как *.mrg" and "Открыть *.mrg" are off
// exactly while a track is open.
// Their keys (Ctrl+S, Ctrl+Shift+S, Ctrl+O) then say in the status bar why
// nothing happens, instead of doing nothing without a word.
void MainWindow::setMenusForEditing(bool editing) {
    for (QAction* a :
         {pack_->action("N6"), import_->action("N9"), import_->action("levv11"),
          import_->picturesMenu()->menuAction(), pack_->action("mrg1"), pack_->action("N16")}) {
        a->setEnabled(!editing);
        for (const QKeySequence& keys : a->shortcuts()) {
            auto*& blocked = blockedKeys_[keys.toString()];
            if (!blocked) {
                blocked = new QShortcut(keys, this);
                connect(blocked, &QShortcut::activated, this, [this, a] {
                    statusBar()->showMessage(
                        app_.Lang.format(kLineWaitsForTrack, withoutMnemonic(a->text())),
                        kStatusNoteMs);
                });
            }
            blocked->setEnabled(editing);
        }
    }
}

// While a track is open, undo and redo walk its own edits; storing or
// closing it hands them back to the pack's history.
void MainWindow::editorOpenChanged(bool open) {
    setMenusForEditing(open);
    undoGroup_->setActiveStack(open ? &editor_->history().stack() : &app_.doc.history());
}

// "Отменить move node": the command names the step it takes back.
void MainWindow::refreshUndoTexts() {
    auto caption = [](const QString& prefix, const QString& step) {
        return step.isEmpty() ? prefix : prefix + ' ' + step;
    };
    EditUndo->setEnabled(undoGroup_->canUndo());
    EditRedo->setEnabled(undoGroup_->canRedo());
    EditUndo->setText(caption(app_.Lang[kLineUndo], undoGroup_->undoText()));
    EditRedo->setText(caption(app_.Lang[kLineRedo], undoGroup_->redoText()));
    EditUndo->setToolTip(EditUndo->text());
    EditRedo->setToolTip(EditRedo->text());
}

// A gesture still under way (a drag while the key is pressed) finishes first.
void MainWindow::undoStep() {
    if (!editor_->gestureInProgress()) undoGroup_->undo();
}

void MainWindow::redoStep() {
    if (!editor_->gestureInProgress()) undoGroup_->redo();
}

} // namespace korvo
