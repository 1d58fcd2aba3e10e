// The editor side of the main window: opening a track for editing, starting
// a new one, the commands of the properties panel, storing and closing.
#include "main_window.h"

#include "editor/ui/correction_window.h"
#include "editor/ui/track_canvas.h"
#include "editor/ui/track_properties_panel.h"
#include "pack/cp1251.h"
#include "prompts.h"
#include "render/ui/preview_window.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace korvo {

void TForm1::connectEditor() {
    connect(NewTrack, &QPushButton::clicked, this, &TForm1::NewTrackClick);
    connect(Panel1->SaveTProp, &QPushButton::clicked, this, &TForm1::SaveTPropClick);
    connect(Panel1->CloseProp, &QPushButton::clicked, this, &TForm1::ClosePropClick);
    connect(Panel1->UpdateTInfo, &QPushButton::clicked, this, &TForm1::UpdateTInfoClick);
    connect(Panel1->PlyrUp, &QPushButton::clicked, this, [this] { movePlayer(true); });
    connect(Panel1->PlyrDown, &QPushButton::clicked, this, [this] { movePlayer(false); });
    connect(Panel1, &TrackPropertiesPanel::presetPicked, this, &TForm1::ListLenTSelect);
    // TrackPropStringsChange
    connect(Panel1, &TrackPropertiesPanel::nameEdited, this, [this] {
        Session.TrackPropStringsChange();
        wmode();
    });
    // pntndClick: node dots on or off
    connect(Panel1->pntnd, &QCheckBox::toggled, this, [this](bool on) {
        Style.pntnd = on;
        MapImg->update();
    });
}

// The height the canvas is sized for: the editor area on the right.
int TForm1::viewHeight() const {
    return Panel5->parentWidget()->height();
}

void TForm1::editorMessage(EditorMessage message, const QString& field) {
    prompts_->warning(this, messageText(message, Lang, field));
}

// EditTrackBtnClick: tool button "Редактировать трек", double click on a
// track row, pop-up item "Редактировать".
void TForm1::EditTrackBtnClick() {
    Buttons = ListButtons{}; // they stay off until the selection changes
    applyListButtons();
    const int j = selectedRow() < 0 ? 0 : selectedTrack();
    const PanelResult opened = j > 0 ? Session.EditTrackBtnClick(j, viewHeight())
                                     : PanelResult{EditorMessage::NoTrackSelected, {}};
    if (!opened.ok()) {
        editorMessage(opened.message);
        return;
    }
    for (QAction* a : {AddPoint, DelPoint, motopic, movemap, preimg}) a->setEnabled(true);
    openEditor(false);
}

// NewTrackClick: "Начать" with the name in NameNewTrack.
void TForm1::NewTrackClick() {
    const PanelResult started = Session.NewTrackClick(NameNewTrack->text(), viewHeight());
    if (!started.ok()) {
        editorMessage(started.message);
        if (started.message == EditorMessage::NoTrackName) NameNewTrack->setFocus();
        return;
    }
    // The list is hidden while the track is drawn: its commands must not act
    // on it (opening another track would drop the new one unasked).
    Buttons = ListButtons{};
    applyListButtons();
    openEditor(true);
    // The field proposed for a new track is square; the canvas keeps its
    // height until "Обновить область" applies it.
    const QString side = QString::number(Session.canvasSize.width());
    Panel1->setField(side, side);
    NameNewTrack->clear();
}

// The panel replaces the list and the canvas the preview.
void TForm1::openEditor(bool newTrack) {
    setMenusForEditing(true);
    showCanvas(true);
    showSessionValues();
    Panel1->showHelpFor(newTrack);
    MapImg->setField(Session.canvasSize);
    ScrollBox1->horizontalScrollBar()->setValue(0);
    // The start of the track in view: a tall track may begin far down.
    const int startY = Editor.NodeCount >= 1 ? Editor.NodeY[1] + Editor.YOffset : 0;
    ScrollBox1->verticalScrollBar()->setValue(startY - ScrollBox1->viewport()->height() / 2);
    VisiblePanel(Panel1);
    editorOpen_ = true;
    syncToolButtons();
    wmode();
}

void TForm1::showSessionValues() {
    Panel1->setTrackName(Session.TrackName);
    Panel1->setLines(Flags.IsNewTrack ? 0 : Session.record().Lines);
    Panel1->setField(QString::number(Session.canvasSize.width()),
                     QString::number(Session.canvasSize.height()));
    Panel1->setLengthRow(Session.LengthRow);
    Panel1->PlyrUp->setEnabled(Session.PlayerButtonsEnabled);
    Panel1->PlyrDown->setEnabled(Session.PlayerButtonsEnabled);
    Panel1->SaveTProp->setEnabled(Session.SaveEnabled);
}

// "Сохранить *.mrg", "Добавить трек из ...", "Добавить *.lev", "Генерация
// картинок уровней", "Сохранить как *.mrg" and "Открыть *.mrg" are off while
// a track is open; closing it gives each back the state it had.
void TForm1::setMenusForEditing(bool editing) {
    if (editing) {
        if (!menusBeforeEditing_.empty()) return;
        for (QAction* a : {N6, N9, levv11, N11->menuAction(), mrg1, N16}) {
            menusBeforeEditing_.emplace_back(a, a->isEnabled());
            a->setEnabled(false);
        }
        return;
    }
    for (auto [a, enabled] : menusBeforeEditing_) a->setEnabled(enabled);
    menusBeforeEditing_.clear();
}

// ListLenTSelect: the user picked a length preset.
void TForm1::ListLenTSelect(int t) {
    Session.ListLenTSelect(t, true);
    Panel1->PlyrUp->setEnabled(Session.PlayerButtonsEnabled);
    Panel1->PlyrDown->setEnabled(Session.PlayerButtonsEnabled);
    MapImg->update();
    wmode();
    refreshFloatingPreview();
}

// UpdateTInfoClick: "Обновить область" gives the canvas the size in TP2.
void TForm1::UpdateTInfoClick() {
    const PanelResult applied =
        Session.UpdateTInfoClick(Panel1->fieldWidthText(), Panel1->fieldHeightText());
    if (!applied.ok()) {
        editorMessage(applied.message, applied.field);
        return;
    }
    MapImg->setField(Session.canvasSize);
}

// PlyrUpClick / PlyrDownClick: the player marker by Edit1 pixels.
void TForm1::movePlayer(bool up) {
    QString step = Panel1->Edit1->text();
    const PanelResult moved = up ? Session.PlyrUpClick(step) : Session.PlyrDownClick(step);
    if (!moved.ok()) {
        editorMessage(moved.message, moved.field);
        return;
    }
    Panel1->Edit1->setText(step);
    MapImg->update();
    wmode();
    refreshFloatingPreview();
}

// SaveTPropClick: stores the track into its record; a new track enters the
// list by the NewLevel rule, an existing one gets its caption renewed.
void TForm1::SaveTPropClick() {
    const SaveOutcome saved = Session.SaveTPropClick(Panel1->trackName());
    if (!saved.ok()) {
        editorMessage(saved.message, saved.field);
        return;
    }
    if (saved.track == 0) return; // no track was open
    if (saved.wasNew) {
        insertNewTrackRow(saved.track, NewLevel == 1);
    } else if (const int row = Rows.findTrack(saved.track); row >= 0) {
        const QString sep = ViewMode == kTreeView ? "+/" : "/";
        setRowCaption(row, QString::number(saved.track) + sep + fromCp1251(saved.name));
    }
    closeEditor(saved.close);
}

// ClosePropClick: "Закрыть без сохранения", and the end of starting a new pack.
void TForm1::ClosePropClick() {
    closeEditor(Session.ClosePropClick());
}

// The closing steps of the window: tools off, menus back, the list and the
// preview shown again.
void TForm1::closeEditor(const CloseOutcome& closed) {
    MapImg->removeSprite();
    corrxywnd->dismiss();
    setMenusForEditing(false);
    syncToolButtons();
    for (QAction* a : {AddPoint, DelPoint, motopic, movemap, preimg}) a->setEnabled(false);
    if (preimg->isChecked()) preimg_f->close();
    editorOpen_ = false;
    wmode();
    setStatusText(0, QString()); // the mouse position belongs to the canvas, gone now
    showCanvas(false);
    ScrollBox1->horizontalScrollBar()->setValue(0);
    VisiblePanel(Panel2);
    if (!closed.wasNew) {
        drawpreimg(CurItem.Track);
        return;
    }
    int first = 0; // the first track row of the view, skipping group rows
    for (int r = 0; r < Rows.size() && !first; ++r)
        if (!Rows.isHeader(r)) first = Rows.data(r);
    drawpreimg(first);
}

void TForm1::VisiblePanel(QWidget* panel) {
    if (panel == Panel1) {
        Panel2->hide();
        Panel1->show();
    } else if (panel == Panel2) {
        Panel1->hide();
        Panel2->show();
    }
}

void TForm1::showCanvas(bool on) {
    Panel7->setVisible(!on);
    Panel5->setVisible(on);
    // The area shown takes its size now: the preview is drawn at its size next.
    for (QWidget* w : {Panel7->parentWidget(), static_cast<QWidget*>(Panel7), Panel5})
        if (QLayout* l = w->layout()) l->activate();
}

} // namespace korvo
