// Opening a track for editing, starting a new one, the commands of the
// properties panel, storing and closing.
#include "editor_controller.h"

#include "editor/ui/correction_window.h"
#include "editor/ui/track_canvas.h"
#include "editor/ui/track_properties_panel.h"
#include "image_box.h"
#include "list_controller.h"
#include "pack/templates.h"
#include "render/ui/preview_window.h"
#include "settings/ui/lang_apply.h"
#include "settings/ui/mnemonics.h"
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
    left_ = left;
    buildRight(right);
    buildActions();
    connectPanel();
    connectCanvas();
    connectPreview();
}

// The canvas and the tool windows work on the editor state, which goes
// with this controller.
EditorController::~EditorController() {
    delete correction_;
    delete floatingPreview_;
    delete canvasScroll_->takeWidget();
}

QWidget* EditorController::propertiesPanel() {
    return &panel();
}

// The properties panel is built when a track first opens: most starts show
// only the list, and its tables are the costliest widgets of the window. It
// takes the language and the window's Alt letters as it comes.
TrackPropertiesPanel& EditorController::panel() {
    if (panel_) return *panel_;
    panel_ = new TrackPropertiesPanel(left_);
    panel_->hide();
    left_->layout()->addWidget(panel_);
    QWidget::setTabOrder(panel_->CloseProp, canvas_); // after the panel's last button
    connect(panel_->SaveTProp, &QPushButton::clicked, this, &EditorController::storeTrack);
    connect(panel_->CloseProp, &QPushButton::clicked, this, &EditorController::closeWithoutStoring);
    connect(panel_->UpdateTInfo, &QPushButton::clicked, this, &EditorController::applyFieldSize);
    connect(panel_->PlyrUp, &QPushButton::clicked, this, [this] { movePlayer(true); });
    connect(panel_->PlyrDown, &QPushButton::clicked, this, [this] { movePlayer(false); });
    connect(panel_, &TrackPropertiesPanel::presetPicked, this, &EditorController::choosePreset);
    connect(panel_, &TrackPropertiesPanel::nameEdited, this, &EditorController::rename);
    // toggleNodeDots: node dots on or off
    connect(panel_->pntnd, &QCheckBox::toggled, this, [this](bool on) {
        app_.Style.pntnd = on;
        canvas_->update();
    });
    applyLanguage(app_.Lang, {panel_, nullptr, nullptr});
    showsInPlaceOfSiblings(panel_); // in the list's place: their Alt letters may repeat
    keepMnemonics(app_.window);     // unique among the whole window's
    return *panel_;
}

void EditorController::buildRight(QWidget* right) {
    previewArea_ = new QWidget(right);
    previewArea_->setObjectName("Panel7");
    auto* preview = new QVBoxLayout(previewArea_);
    preview->setContentsMargins(0, 0, 0, 0);
    listPreview_ = new ImageBox(previewArea_);
    listPreview_->setObjectName("previewimg");
    preview->addWidget(listPreview_);

    canvasArea_ = new QWidget(right);
    canvasArea_->setObjectName("Panel5");
    auto* editor = new QVBoxLayout(canvasArea_);
    editor->setContentsMargins(0, 0, 0, 0);
    canvasScroll_ = new QScrollArea(canvasArea_);
    canvasScroll_->setObjectName("ScrollBox1");
    canvasScroll_->setWidgetResizable(false);
    canvas_ = new TrackCanvas(track_, app_.Style);
    canvas_->setFixedSize(820, 554);
    canvas_->setScrollBox(canvasScroll_);
    canvasScroll_->setWidget(canvas_);
    canvasScroll_->setFocusPolicy(Qt::NoFocus); // the canvas inside takes the keys
    editor->addWidget(canvasScroll_);
    canvasArea_->hide();
}

void EditorController::connectPanel() {
    connect(list_.newTrackButton(), &QPushButton::clicked, this, &EditorController::startNewTrack);
    connect(&list_, &ListController::editAsked, this, &EditorController::openSelectedTrack);
    connect(&list_, &ListController::previewAsked, this, &EditorController::drawPreview);
    // A double click on the preview opens the track selected in the flat list.
    connect(listPreview_, &ImageBox::doubleClicked, this, [this] {
        const int r = list_.selectedRow();
        if (app_.ViewMode == kListView && r >= 0 && !app_.doc.Rows.isHeader(r)) openSelectedTrack();
    });
}

// The height the canvas is sized for: the editor area on the right.
int EditorController::viewHeight() const {
    return canvasArea_->parentWidget()->height();
}

void EditorController::editorMessage(EditorMessage message, const QString& field) {
    app_.ask().warning(app_.window, messageText(message, app_.Lang, field));
}

// openSelectedTrack: tool button "Редактировать трек", double click on a
// track row, pop-up item "Редактировать".
void EditorController::openSelectedTrack() {
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

// startNewTrack: "Начать" with the name in NameNewTrack.
void EditorController::startNewTrack() {
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
    panel().setField(side, side);
    list_.newTrackName()->clear();
}

// The panel replaces the list and the canvas the preview.
void EditorController::openEditor(bool newTrack) {
    showCanvas(true);
    showSessionValues();
    panel().showHelpFor(newTrack);
    panel().setPlayerColor(app_.Style.line(Session.colorMode()));
    canvas_->setField(Session.canvasSize);
    list_.panel()->hide();
    panel().show();
    canvas_->setZoom(
        newTrack ? 1.0 : canvas_->openingZoom(Editor.trackHeight())); // a new track is drawn at 1x
    canvas_->placeAtTopLeft();
    canvasScroll_->horizontalScrollBar()->setValue(0);
    // The start of the track in view: a tall track may begin far down.
    const int startY = Editor.NodeCount >= 1 ? Editor.NodeY[1] + Editor.YOffset : 0;
    canvasScroll_->verticalScrollBar()->setValue(canvas_->fromCanvas(QPoint(0, startY)).y() -
                                                 canvasScroll_->viewport()->height() / 2);
    syncToolButtons();
    showZoom();
    // The keys go to the canvas: Tab takes the first node, the arrows move it.
    canvas_->setFocus(Qt::OtherFocusReason);
    emit openChanged(true);
    emit modeChanged();
}

void EditorController::showSessionValues(bool withField) {
    for (QAbstractScrollArea* table : {static_cast<QAbstractScrollArea*>(panel().TrackProp),
                                       static_cast<QAbstractScrollArea*>(panel().fieldSizeTable)})
        table->horizontalScrollBar()->setValue(0); // each track starts at the left edge
    panel().setTrackName(Session.TrackName);
    panel().setLines(Session.isNewTrack() ? std::max(Editor.NodeCount - 1, 0)
                                          : Session.record().Lines);
    if (withField)
        panel().setField(QString::number(Session.canvasSize.width()),
                         QString::number(Session.canvasSize.height()));
    panel().setLengthRow(Session.LengthRow);
    panel().PlyrUp->setEnabled(Session.PlayerButtonsEnabled);
    panel().PlyrDown->setEnabled(Session.PlayerButtonsEnabled);
    panel().SaveTProp->setEnabled(Session.SaveEnabled);
}

// One panel command as one step of the track's history; `action` returns
// false when it refused (nothing changed).
void EditorController::panelStep(TrackStep step, const std::function<bool()>& action) {
    History.begin(step);
    const bool done = action();
    const int shift = done && !Session.isNewTrack() ? Session.fitField() : 0;
    History.end();
    if (!done) return;
    canvas_->setField(Session.canvasSize);
    if (shift > 0) canvas_->followGrowthAbove(shift);
    // A new track's field takes the typed size only from "Обновить область".
    showSessionValues(step == TrackStep::FieldSize || !Session.isNewTrack());
    canvas_->update();
    refreshFloatingPreview();
    emit modeChanged();
}

// choosePreset: the user picked a length preset.
void EditorController::choosePreset(int t) {
    panelStep(TrackStep::LengthPreset, [&] {
        Session.choosePreset(t);
        panel().PlyrUp->setEnabled(Session.PlayerButtonsEnabled);
        panel().PlyrDown->setEnabled(Session.PlayerButtonsEnabled);
        return true;
    });
}

// applyFieldSize: "Обновить область" gives the canvas the size in fieldSizeTable.
void EditorController::applyFieldSize() {
    panelStep(TrackStep::FieldSize, [&] {
        const PanelResult applied =
            Session.applyFieldSize(panel().fieldWidthText(), panel().fieldHeightText());
        if (!applied.ok()) {
            editorMessage(applied.message, applied.field);
            return false;
        }
        canvas_->setField(Session.canvasSize);
        return true;
    });
}

// The player marker up or down by the step in the panel, in pixels.
void EditorController::movePlayer(bool up) {
    panelStep(TrackStep::PlayerHeight, [&] {
        QString step = panel().playerStep->text();
        const PanelResult moved = up ? Session.playerUp(step) : Session.playerDown(step);
        if (!moved.ok()) {
            editorMessage(moved.message, moved.field);
            return false;
        }
        panel().playerStep->setText(step);
        return true;
    });
}

// TrackPropStringsChange: the name typed in the panel is part of the track.
void EditorController::rename() {
    panelStep(TrackStep::Rename, [&] {
        Session.TrackName = panel().trackName();
        return true;
    });
}

// storeTrack: stores the track into its record as one step of the pack;
// a new track enters the list by the NewLevel rule, an existing one gets its
// caption renewed.
void EditorController::storeTrack() {
    if (!finishChecked()) return;
    const bool wasNew = Session.isNewTrack();
    const int j = Editor.CurTrack;
    SaveOutcome saved;
    app_.doc.edit(StepName(wasNew ? kLineStepNewTrack : kLineStepStoreTrack),
                  [&] {
                      saved = track_.store(panel().trackName());
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
    closeEditor(saved.track);
}

// A track too short for its length would store a finish left of the start,
// which the game cannot finish: the user is told and offered the longest
// length that fits (one step of the track's history), or storing it as it
// is. False when the user cancelled.
bool EditorController::finishChecked() {
    if (!Session.storeLosesFinish()) return true;
    const int t = Session.templateToStore();
    const int fits = Session.longestFittingPreset();
    if (!fits) return app_.ask().confirm(app_.window, app_.Lang[kLineNoLengthFits]);
    const QString length = t <= kPresetCount ? QString(presetText(t)) : QString::number(t);
    const int chosen =
        app_.ask().choose(app_.window, app_.Lang.format(kLineFinishLeftOfStart, length),
                          {app_.Lang[kLineTakeLongestLength], app_.Lang[kLineStoreAsItIs],
                           app_.Lang[kLineButtonCancel]});
    if (chosen == 0) {
        choosePreset(fits);
        panel().setLengthRow(fits);
    }
    return chosen != 2;
}

// closeWithoutStoring: "Закрыть без сохранения". Edits that would be lost are
// asked about first.
void EditorController::closeWithoutStoring() {
    if (History.modified() && !app_.ask().confirm(app_.window, app_.Lang[kLineCloseUnsavedTrack]))
        return;
    const int track = Session.isNewTrack() ? 0 : Editor.CurTrack;
    track_.discard();
    closeEditor(track);
}

void EditorController::leaveEditor() {
    if (track_.isOpen()) {
        track_.discard();
        closeEditor(0);
    }
    if (QAction* tool = nodeTools->checkedAction()) tool->setChecked(false);
    for (QAction* a : {AddPoint, DelPoint, movemap}) a->setEnabled(false);
    if (panel_) panel_->hide();
    list_.panel()->show();
    showCanvas(false);
}

// The closing steps: tools off, the list and the preview shown again.
void EditorController::closeEditor(int track) {
    canvas_->removeSprite();
    if (correction_) correction_->dismiss();
    syncToolButtons();
    for (QAction* a : {AddPoint, DelPoint, motopic, movemap, preimg}) a->setEnabled(false);
    if (floatingPreview_ && preimg->isChecked()) floatingPreview_->close();
    emit pointerMoved(QString()); // the mouse position belongs to the canvas, gone now
    showCanvas(false);
    canvasScroll_->horizontalScrollBar()->setValue(0);
    panel().hide();
    list_.panel()->show();
    showZoom();
    emit openChanged(false);
    emit modeChanged();
    // The closed track's row comes back selected, with the preview and the
    // list commands; a new track dropped unstored leaves the row selected before.
    list_.resumeAfterEditing(track);
}

void EditorController::showCanvas(bool on) {
    previewArea_->setVisible(!on);
    canvasArea_->setVisible(on);
    // The area shown takes its size now: the preview is drawn at its size next.
    for (QWidget* w :
         {previewArea_->parentWidget(), static_cast<QWidget*>(previewArea_), canvasArea_})
        if (QLayout* l = w->layout()) l->activate();
}

// Undo or redo changed the open track: everything that shows it follows.
void EditorController::restored() {
    if (Session.Gesture.CorrOpen) {
        Session.Gesture.CorrOpen = false;
        if (correction_) correction_->dismiss();
    }
    canvas_->setField(Session.canvasSize);
    canvas_->update();
    showSessionValues();
    refreshFloatingPreview();
    emit modeChanged();
}

} // namespace korvo
