// Opening a track for editing, starting a new one, the commands of the
// properties panel, storing and closing.
#include "editor_controller.h"

#include "editor/ui/correction_window.h"
#include "editor/ui/track_canvas.h"
#include "editor/ui/track_properties_panel.h"
#include "image_box.h"
#include "list_controller.h"
#include "render/ui/preview_window.h"
#include "text/lang_added.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace korvo {

namespace {

int stepLine(TrackStep step) {
    switch (step) {
    case TrackStep::MoveNode:
        return kLineStepMoveNode;
    case TrackStep::AddNode:
        return kLineStepAddNode;
    case TrackStep::DeleteNode:
        return kLineStepDeleteNode;
    case TrackStep::MoveTail:
        return kLineStepMoveTail;
    case TrackStep::PlaceNode:
        return kLineStepPlaceNode;
    case TrackStep::EndDrawing:
        return kLineStepEndDrawing;
    case TrackStep::CorrectNode:
        return kLineStepCorrectNode;
    case TrackStep::Rename:
        return kLineStepRename;
    case TrackStep::LengthPreset:
        return kLineStepLengthPreset;
    case TrackStep::PlayerHeight:
        return kLineStepPlayerHeight;
    case TrackStep::FieldSize:
        return kLineStepFieldSize;
    }
    return kLineStepMoveNode;
}

} // namespace

EditorController::EditorController(AppContext& app, ListController& list, QWidget* left,
                                   QWidget* right)
    : QObject(left), app_(app), list_(list), track_(app.doc.Tracks) {
    History.setStepNames([this](TrackStep step) { return app_.Lang[stepLine(step)]; });
    connect(&History, &TrackHistory::restored, this, &EditorController::restored);
    connect(&track_, &OpenTrack::modifiedChanged, this, &EditorController::modeChanged);
    connect(&track_, &OpenTrack::changed, this, &EditorController::modeChanged);
    connect(&track_, &OpenTrack::toolChanged, this, [this] {
        syncToolButtons();
        emit modeChanged();
    });
    buildLeft(left);
    buildRight(right);
    buildActions();
    connectPanel();
    connectCanvas();
    connectPreview();
}

// The canvas and the tool windows work on the editor state, which goes
// with this controller.
EditorController::~EditorController() {
    delete corrxywnd;
    delete preimg_f;
    delete ScrollBox1->takeWidget();
}

QWidget* EditorController::propertiesPanel() const {
    return Panel1;
}

void EditorController::buildLeft(QWidget* left) {
    Panel1 = new TrackPropertiesPanel(left);
    Panel1->hide();
}

void EditorController::buildRight(QWidget* right) {
    Panel7 = new QWidget(right);
    Panel7->setObjectName("Panel7");
    auto* preview = new QVBoxLayout(Panel7);
    preview->setContentsMargins(0, 0, 0, 0);
    previewimg = new ImageBox(Panel7);
    previewimg->setObjectName("previewimg");
    preview->addWidget(previewimg);

    Panel5 = new QWidget(right);
    Panel5->setObjectName("Panel5");
    auto* editor = new QVBoxLayout(Panel5);
    editor->setContentsMargins(0, 0, 0, 0);
    ScrollBox1 = new QScrollArea(Panel5);
    ScrollBox1->setObjectName("ScrollBox1");
    ScrollBox1->setWidgetResizable(false);
    MapImg = new TrackCanvas(Nodes, app_.Style);
    MapImg->setFixedSize(820, 554);
    MapImg->setScrollBox(ScrollBox1);
    ScrollBox1->setWidget(MapImg);
    ScrollBox1->setFocusPolicy(Qt::NoFocus);         // the canvas inside takes the keys
    QWidget::setTabOrder(Panel1->CloseProp, MapImg); // after the panel's last button
    editor->addWidget(ScrollBox1);
    Panel5->hide();

    corrxywnd = new CorrectionWindow(track_, app_.window);
    preimg_f = new Tpreimg_f(app_.window);
}

void EditorController::connectPanel() {
    connect(list_.newTrackButton(), &QPushButton::clicked, this, &EditorController::NewTrackClick);
    connect(&list_, &ListController::editAsked, this, &EditorController::EditTrackBtnClick);
    connect(&list_, &ListController::previewAsked, this, &EditorController::drawpreimg);
    // A double click on the preview opens the track selected in the flat list.
    connect(previewimg, &ImageBox::doubleClicked, this, [this] {
        const int r = list_.selectedRow();
        if (app_.ViewMode == kListView && r >= 0 && !app_.doc.Rows.isHeader(r)) EditTrackBtnClick();
    });
    connect(Panel1->SaveTProp, &QPushButton::clicked, this, &EditorController::SaveTPropClick);
    connect(Panel1->CloseProp, &QPushButton::clicked, this, &EditorController::ClosePropClick);
    connect(Panel1->UpdateTInfo, &QPushButton::clicked, this, &EditorController::UpdateTInfoClick);
    connect(Panel1->PlyrUp, &QPushButton::clicked, this, [this] { movePlayer(true); });
    connect(Panel1->PlyrDown, &QPushButton::clicked, this, [this] { movePlayer(false); });
    connect(Panel1, &TrackPropertiesPanel::presetPicked, this, &EditorController::ListLenTSelect);
    connect(Panel1, &TrackPropertiesPanel::nameEdited, this, &EditorController::rename);
    // pntndClick: node dots on or off
    connect(Panel1->pntnd, &QCheckBox::toggled, this, [this](bool on) {
        app_.Style.pntnd = on;
        MapImg->update();
    });
}

// The height the canvas is sized for: the editor area on the right.
int EditorController::viewHeight() const {
    return Panel5->parentWidget()->height();
}

void EditorController::editorMessage(EditorMessage message, const QString& field) {
    app_.ask().warning(app_.window, messageText(message, app_.Lang, field));
}

// EditTrackBtnClick: tool button "Редактировать трек", double click on a
// track row, pop-up item "Редактировать".
void EditorController::EditTrackBtnClick() {
    list_.disableCommands(); // they stay off until the selection changes
    const int j = list_.selectedRow() < 0 ? 0 : list_.selectedTrack();
    const PanelResult opened =
        j > 0 ? track_.open(j, viewHeight()) : PanelResult{EditorMessage::NoTrackSelected, {}};
    if (!opened.ok()) {
        editorMessage(opened.message);
        return;
    }
    for (QAction* a : {AddPoint, DelPoint, motopic, movemap, preimg}) a->setEnabled(true);
    openEditor(false);
}

// NewTrackClick: "Начать" with the name in NameNewTrack.
void EditorController::NewTrackClick() {
    const PanelResult started = track_.startNew(list_.newTrackName()->text(), viewHeight());
    if (!started.ok()) {
        if (started.message == EditorMessage::PackFull)
            app_.ask().warning(app_.window, packFullText(app_));
        else
            editorMessage(started.message);
        if (started.message == EditorMessage::NoTrackName) list_.newTrackName()->setFocus();
        return;
    }
    // The list is hidden while the track is drawn: its commands must not act
    // on it (opening another track would drop the new one unasked).
    list_.disableCommands();
    openEditor(true);
    // The field proposed for a new track is square; the canvas keeps its
    // height until "Обновить область" applies it.
    const QString side = QString::number(Session.canvasSize.width());
    Panel1->setField(side, side);
    list_.newTrackName()->clear();
}

// The panel replaces the list and the canvas the preview.
void EditorController::openEditor(bool newTrack) {
    showCanvas(true);
    showSessionValues();
    Panel1->showHelpFor(newTrack);
    MapImg->setField(Session.canvasSize);
    list_.panel()->hide();
    Panel1->show();
    MapImg->setZoom(
        newTrack ? 1.0 : MapImg->openingZoom(Editor.trackHeight())); // a new track is drawn at 1x
    ScrollBox1->horizontalScrollBar()->setValue(0);
    // The start of the track in view: a tall track may begin far down.
    const int startY = Editor.NodeCount >= 1 ? Editor.NodeY[1] + Editor.YOffset : 0;
    ScrollBox1->verticalScrollBar()->setValue(MapImg->fromCanvas(QPoint(0, startY)).y() -
                                              ScrollBox1->viewport()->height() / 2);
    syncToolButtons();
    showZoom();
    emit openChanged(true);
    emit modeChanged();
}

void EditorController::showSessionValues(bool withField) {
    for (QAbstractScrollArea* table : {static_cast<QAbstractScrollArea*>(Panel1->TrackProp),
                                       static_cast<QAbstractScrollArea*>(Panel1->TP2)})
        table->horizontalScrollBar()->setValue(0); // each track starts at the left edge
    Panel1->setTrackName(Session.TrackName);
    Panel1->setLines(Session.isNewTrack() ? std::max(Editor.NodeCount - 1, 0)
                                          : Session.record().Lines);
    if (withField)
        Panel1->setField(QString::number(Session.canvasSize.width()),
                         QString::number(Session.canvasSize.height()));
    Panel1->setLengthRow(Session.LengthRow);
    Panel1->PlyrUp->setEnabled(Session.PlayerButtonsEnabled);
    Panel1->PlyrDown->setEnabled(Session.PlayerButtonsEnabled);
    Panel1->SaveTProp->setEnabled(Session.SaveEnabled);
}

// One panel command as one step of the track's history; `action` returns
// false when it refused (nothing changed).
void EditorController::panelStep(TrackStep step, const std::function<bool()>& action) {
    History.begin(step);
    const bool done = action();
    const int shift = done && !Session.isNewTrack() ? Session.fitField() : 0;
    History.end();
    if (!done) return;
    MapImg->setField(Session.canvasSize);
    if (shift > 0)
        ScrollBox1->verticalScrollBar()->setValue(ScrollBox1->verticalScrollBar()->value() + shift);
    // A new track's field takes the typed size only from "Обновить область".
    showSessionValues(step == TrackStep::FieldSize || !Session.isNewTrack());
    MapImg->update();
    refreshFloatingPreview();
    emit modeChanged();
}

// ListLenTSelect: the user picked a length preset.
void EditorController::ListLenTSelect(int t) {
    panelStep(TrackStep::LengthPreset, [&] {
        Session.ListLenTSelect(t);
        Panel1->PlyrUp->setEnabled(Session.PlayerButtonsEnabled);
        Panel1->PlyrDown->setEnabled(Session.PlayerButtonsEnabled);
        return true;
    });
}

// UpdateTInfoClick: "Обновить область" gives the canvas the size in TP2.
void EditorController::UpdateTInfoClick() {
    panelStep(TrackStep::FieldSize, [&] {
        const PanelResult applied =
            Session.UpdateTInfoClick(Panel1->fieldWidthText(), Panel1->fieldHeightText());
        if (!applied.ok()) {
            editorMessage(applied.message, applied.field);
            return false;
        }
        MapImg->setField(Session.canvasSize);
        return true;
    });
}

// PlyrUpClick / PlyrDownClick: the player marker by Edit1 pixels.
void EditorController::movePlayer(bool up) {
    panelStep(TrackStep::PlayerHeight, [&] {
        QString step = Panel1->Edit1->text();
        const PanelResult moved = up ? Session.PlyrUpClick(step) : Session.PlyrDownClick(step);
        if (!moved.ok()) {
            editorMessage(moved.message, moved.field);
            return false;
        }
        Panel1->Edit1->setText(step);
        return true;
    });
}

// TrackPropStringsChange: the name typed in the panel is part of the track.
void EditorController::rename() {
    panelStep(TrackStep::Rename, [&] {
        Session.TrackName = Panel1->trackName();
        return true;
    });
}

// SaveTPropClick: stores the track into its record as one step of the pack;
// a new track enters the list by the NewLevel rule, an existing one gets its
// caption renewed.
void EditorController::SaveTPropClick() {
    const bool wasNew = Session.isNewTrack();
    const int j = Editor.CurTrack;
    SaveOutcome saved;
    app_.doc.edit(StepName(wasNew ? kLineStepNewTrack : kLineStepStoreTrack),
                  [&] {
                      saved = track_.store(Panel1->trackName());
                      if (!saved.ok() || saved.track == 0) return;
                      if (saved.wasNew)
                          list_.enterNewTrack(saved.track, app_.NewLevel == 1);
                      else
                          list_.renameTrackRow(saved.track, saved.name);
                  },
                  {j});
    if (!saved.ok()) {
        editorMessage(saved.message, saved.field);
        return;
    }
    if (saved.track == 0) return; // no track was open
    closeEditor(saved.close);
}

// ClosePropClick: "Закрыть без сохранения". Edits that would be lost are
// asked about first.
void EditorController::ClosePropClick() {
    if (History.modified() && !app_.ask().confirm(app_.window, app_.Lang[kLineCloseUnsavedTrack]))
        return;
    closeEditor(track_.discard());
}

void EditorController::leaveEditor() {
    if (track_.isOpen()) closeEditor(track_.discard());
    if (QAction* tool = nodeTools->checkedAction()) tool->setChecked(false);
    for (QAction* a : {AddPoint, DelPoint, movemap}) a->setEnabled(false);
    Panel1->hide();
    list_.panel()->show();
    showCanvas(false);
}

// The closing steps: tools off, the list and the preview shown again.
void EditorController::closeEditor(const CloseOutcome& closed) {
    MapImg->removeSprite();
    corrxywnd->dismiss();
    syncToolButtons();
    for (QAction* a : {AddPoint, DelPoint, motopic, movemap, preimg}) a->setEnabled(false);
    if (preimg->isChecked()) preimg_f->close();
    emit pointerMoved(QString()); // the mouse position belongs to the canvas, gone now
    showCanvas(false);
    ScrollBox1->horizontalScrollBar()->setValue(0);
    Panel1->hide();
    list_.panel()->show();
    showZoom();
    emit openChanged(false);
    emit modeChanged();
    if (!closed.wasNew) {
        drawpreimg(list_.current().Track);
        return;
    }
    int first = 0; // the first track row of the view, skipping group rows
    const LevelRows& rows = app_.doc.Rows;
    for (int r = 0; r < rows.size() && !first; ++r)
        if (!rows.isHeader(r)) first = rows.data(r);
    drawpreimg(first);
}

void EditorController::showCanvas(bool on) {
    Panel7->setVisible(!on);
    Panel5->setVisible(on);
    // The area shown takes its size now: the preview is drawn at its size next.
    for (QWidget* w : {Panel7->parentWidget(), static_cast<QWidget*>(Panel7), Panel5})
        if (QLayout* l = w->layout()) l->activate();
}

// Undo or redo changed the open track: everything that shows it follows.
void EditorController::restored() {
    if (Session.Gesture.CorrOpen) {
        Session.Gesture.CorrOpen = false;
        corrxywnd->dismiss();
    }
    MapImg->setField(Session.canvasSize);
    MapImg->update();
    showSessionValues();
    refreshFloatingPreview();
    emit modeChanged();
}

} // namespace korvo
