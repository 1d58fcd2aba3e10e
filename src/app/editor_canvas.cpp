// The canvas side of the editor: the four node tools, what the canvas passes
// on, the correction window, and the previews (the list preview in
// `listPreview_` and the floating preview of the open track).
#include "actions.h"
#include "editor/node_correction.h"
#include "editor/ui/correction_window.h"
#include "editor/ui/track_canvas.h"
#include "editor/ui/track_properties_panel.h"
#include "editor_controller.h"
#include "image_box.h"
#include "list_controller.h"
#include "render/track_preview.h"
#include "render/ui/preview_window.h"
#include "settings/ui/lang_apply.h"

#include <QActionGroup>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>

namespace korvo {

namespace {
PreviewColors colorsOf(const CanvasStyle& style, int colorMode) {
    return {style.background(colorMode), style.line(colorMode)};
}
} // namespace

void EditorController::buildActions() {
    preimg = toolAction(this, "preimg", "Предпросмотр трека", ToolIcon::Preview);
    AddPoint = toolAction(this, "AddPoint", "Добавить новый узел", ToolIcon::AddNode);
    DelPoint = toolAction(this, "DelPoint", "Удалить узел", ToolIcon::DeleteNode);
    movemap = toolAction(this, "movemap", "Переместить узел с треком", ToolIcon::MoveWithTrack);
    motopic = toolAction(this, "motopic", "Мотоциклист", ToolIcon::Rider);
    nodeTools = new QActionGroup(this);
    nodeTools->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction* a : {AddPoint, DelPoint, movemap, motopic}) {
        a->setCheckable(true);
        nodeTools->addAction(a);
    }
    preimg->setCheckable(true);

    ZoomIn = namedAction(this, "ZoomIn", "Крупнее");
    ZoomOut = namedAction(this, "ZoomOut", "Мельче");
    ZoomActual = namedAction(this, "ZoomActual", "Натуральный размер");
    ZoomFit = toolAction(this, "ZoomFit", "Весь трек", ToolIcon::ZoomFit);
    ZoomIn->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    ZoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    ZoomActual->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    ZoomFit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_9));
    for (QAction* a : zoomActions()) a->setEnabled(false);
    connect(ZoomIn, &QAction::triggered, this, [this] { zoomTo(canvas_->zoom() * 2); });
    connect(ZoomOut, &QAction::triggered, this, [this] { zoomTo(canvas_->zoom() / 2); });
    connect(ZoomActual, &QAction::triggered, this, [this] { zoomTo(1.0); });
    connect(ZoomFit, &QAction::triggered, this, [this] { canvas_->setZoom(canvas_->fitZoom()); });
}

QList<QAction*> EditorController::zoomActions() const {
    return {ZoomIn, ZoomOut, ZoomActual, ZoomFit};
}

// The zoom is a view setting: it changes no byte of the track.
void EditorController::zoomTo(double zoom) {
    canvas_->zoomAtPointer(zoom);
}

void EditorController::showZoom() {
    const bool open = canvasArea_->isVisibleTo(app_.window); // the canvas is shown
    const double zoom = canvas_->zoom();
    ZoomIn->setEnabled(open && zoom < TrackCanvas::kMaxZoom);
    ZoomOut->setEnabled(open && zoom > TrackCanvas::kMinZoom);
    ZoomActual->setEnabled(open);
    ZoomFit->setEnabled(open);
    emit zoomShown(open ? QString::number(zoom * 100, 'g', 3) + '%' : QString());
}

QList<QAction*> EditorController::actions() const {
    return {preimg, AddPoint, DelPoint, movemap, motopic, ZoomFit};
}

void EditorController::connectCanvas() {
    connect(canvas_, &TrackCanvas::messageAsked, this,
            [this](EditorMessage message) { editorMessage(message); });
    connect(canvas_, &TrackCanvas::pointerMoved, this, &EditorController::pointerMoved);
    connect(canvas_, &TrackCanvas::zoomChanged, this, &EditorController::showZoom);
    connect(canvas_, &TrackCanvas::correctionAsked, this, &EditorController::openCorrection);
    connect(&track_, &OpenTrack::correctionDropped, this, [this] {
        if (correction_) correction_->close();
    });
    connect(&track_, &OpenTrack::modeChanged, this, &EditorController::modeChanged);
    connect(&track_, &OpenTrack::linesChanged, this,
            [this](int lines) { panel().setLines(lines); });
    connect(&track_, &OpenTrack::shapeChanged, this, &EditorController::refreshFloatingPreview);
    connect(canvas_, &TrackCanvas::trackEdited, this, &EditorController::refreshFloatingPreview);
    connect(&track_, &OpenTrack::fieldChanged, this, [this](QSize size) {
        panel().setField(QString::number(size.width()), QString::number(size.height()));
    });

    connect(AddPoint, &QAction::triggered, this,
            [this] { toggleTool(&NodeEditor::toggleAddNode); });
    connect(DelPoint, &QAction::triggered, this,
            [this] { toggleTool(&NodeEditor::toggleDeleteNode); });
    connect(movemap, &QAction::triggered, this,
            [this] { toggleTool(&NodeEditor::toggleMoveTail); });
    connect(motopic, &QAction::triggered, this, [this] { toggleTool(&NodeEditor::toggleRider); });
}

CorrectionWindow& EditorController::correctionWindow() {
    if (!correction_) {
        correction_ = new CorrectionWindow(track_, app_.window);
        // DrawCorrLine: every accepted value moves the node; closing the window
        // repaints the track with fresh start and finish marks.
        connect(correction_, &CorrectionWindow::edited, this, [this](const GestureOutcome& out) {
            canvas_->carryOut(out);
            refreshFloatingPreview();
            // The read-out shows where the node is now.
            const int k = Session.Gesture.SelNode;
            if (k >= 1 && k <= Editor.NodeCount)
                emit pointerMoved(pointerText(Editor.NodeX[size_t(k)],
                                              Editor.NodeY[size_t(k)] + Editor.YOffset,
                                              Editor.YOffset));
        });
    }
    return *correction_;
}

// toggleAddNode, toggleDeleteNode, toggleMoveTail, toggleRider.
void EditorController::toggleTool(GestureOutcome (NodeEditor::*click)()) {
    canvas_->carryOut((Nodes.*click)());
}

// The buttons show the tool the editor holds (a right click leaves it).
void EditorController::syncToolButtons() {
    const Tool tool = toolOf(Session.Gesture);
    AddPoint->setChecked(tool == Tool::AddNode);
    DelPoint->setChecked(tool == Tool::DeleteNode);
    movemap->setChecked(tool == Tool::MoveTail);
    motopic->setChecked(tool == Tool::Rider);
}

// Ctrl + left click on node k: the window goes beside the node on the screen.
void EditorController::openCorrection(int k, bool byKeys) {
    if (k < 1 || k > Editor.NodeCount) return;
    const QPoint node(Editor.NodeX[size_t(k)], Editor.NodeY[size_t(k)] + Editor.YOffset);
    correctionWindow().openAt(canvas_->mapToGlobal(canvas_->fromCanvas(node)), byKeys);
}

void EditorController::connectPreview() {
    connect(preimg, &QAction::triggered, this, &EditorController::toggleFloatingPreview);
}

FloatingPreview& EditorController::floatingPreview() {
    if (!floatingPreview_) {
        floatingPreview_ = new FloatingPreview(app_.window);
        applyLanguage(app_.Lang, {floatingPreview_, nullptr, nullptr}); // its title
        connect(floatingPreview_, &FloatingPreview::closed, this,
                &EditorController::floatingPreviewClosed);
        // The floating preview draws the nodes as the editor holds them.
        floatingPreview_->drawTrack = [this](QImage& image) {
            korvo::drawPreview(app_.doc.Tracks, Editor.CurTrack, Editor, image,
                               colorsOf(app_.Style, Session.colorMode()), PreviewTarget::Floating);
        };
    }
    return *floatingPreview_;
}

// drawPreview: called when a track row is selected, at start-up and after Open
// for the first track, and when the track panel closes; track 0 leaves the
// preview empty. The preview decodes into the editor state, so it waits while
// a track is open (the list and this preview are hidden then).
void EditorController::drawPreview(int track) {
    if (track_.isOpen()) return;
    if (track < 1 || track > app_.doc.Tracks.TrackCount) {
        listPreview_->clear(app_.Style.background(Session.colorMode()));
        return;
    }
    QImage image(listPreview_->size(), QImage::Format_RGB32);
    korvo::drawPreview(app_.doc.Tracks, track, Editor, image,
                       colorsOf(app_.Style, Session.colorMode()), PreviewTarget::List);
    listPreview_->setImage(image);
}

// toggleFloatingPreview: the button went down (show the floating preview) or up (close it).
void EditorController::toggleFloatingPreview() {
    if (preimg->isChecked())
        floatingPreview().showPreview();
    else if (floatingPreview_)
        floatingPreview_->close();
}

// floatingPreviewClosed of the floating preview: the button goes up, the canvas repaints.
void EditorController::floatingPreviewClosed() {
    preimg->setChecked(false);
    canvas_->update();
}

void EditorController::refreshFloatingPreview() {
    if (floatingPreview_ && preimg->isChecked() && floatingPreview_->isVisible())
        floatingPreview_->redraw();
}

void EditorController::styleChanged() {
    canvas_->setField(canvas_->field()); // the player marker may have changed its size
    drawPreview(list_.current().Track);
    refreshFloatingPreview();
}

KeptTrack EditorController::keptTrack() const {
    KeptTrack t;
    t.open = track_.isOpen();
    t.isNew = track_.isNew();
    t.record = Editor.CurTrack;
    t.tool = int(track_.tool());
    t.zoom = canvas_->zoom();
    t.scroll = {canvasScroll_->horizontalScrollBar()->value(),
                canvasScroll_->verticalScrollBar()->value()};
    t.look = History.look();
    t.nodes = History.nodes();
    return t;
}

void EditorController::reopenKept(const KeptTrack& t) {
    if (t.isNew) {
        list_.newTrackName()->setText(t.look.TrackName);
        startNewTrack();
    } else {
        const int row = app_.doc.Rows.findTrack(t.record);
        if (row < 0) return;
        list_.selectRow(row);
        openSelectedTrack();
    }
    if (!isOpen()) return;
    History.restore(t.look, t.nodes, t.steps, t.index, t.cleanIndex);
    const std::pair<Tool, QAction*> tools[] = {{Tool::AddNode, AddPoint},
                                               {Tool::DeleteNode, DelPoint},
                                               {Tool::MoveTail, movemap},
                                               {Tool::Rider, motopic}};
    for (const auto& [tool, action] : tools)
        if (Tool(t.tool) == tool && track_.tool() != tool) action->trigger();
    canvas_->setZoom(t.zoom);
    canvasScroll_->horizontalScrollBar()->setValue(t.scroll.x());
    canvasScroll_->verticalScrollBar()->setValue(t.scroll.y());
    showZoom();
}

} // namespace korvo
