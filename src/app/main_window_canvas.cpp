// The canvas side of the main window: the four node tool buttons, what the
// canvas passes on (messages, pointer text, mode texts, line count), and the
// node coordinate correction window.
#include "main_window.h"

#include "editor/node_correction.h"
#include "editor/ui/correction_window.h"
#include "editor/ui/track_canvas.h"
#include "editor/ui/track_properties_panel.h"

#include <QAction>
#include <QScrollArea>

namespace korvo {

void TForm1::connectCanvas() {
    connect(MapImg, &TrackCanvas::messageAsked, this,
            [this](EditorMessage message) { editorMessage(message); });
    connect(MapImg, &TrackCanvas::pointerMoved, this,
            [this](const QString& text) { setStatusText(0, text); });
    connect(MapImg, &TrackCanvas::correctionAsked, this, &TForm1::openCorrection);
    connect(MapImg, &TrackCanvas::correctionDismissed, corrxywnd, &QWidget::close);
    connect(MapImg, &TrackCanvas::modeChanged, this, &TForm1::editorModeChanged);
    connect(MapImg, &TrackCanvas::linesChanged, this,
            [this] { Panel1->setLines(Session.record().Lines); });
    connect(MapImg, &TrackCanvas::trackEdited, this, &TForm1::refreshFloatingPreview);
    connect(MapImg, &TrackCanvas::fieldChanged, this, [this] {
        Panel1->setField(QString::number(Session.canvasSize.width()),
                         QString::number(Session.canvasSize.height()));
    });

    connect(AddPoint, &QAction::triggered, this, [this] { toolClick(&NodeEditor::AddPointClick); });
    connect(DelPoint, &QAction::triggered, this, [this] { toolClick(&NodeEditor::DelPointClick); });
    connect(movemap, &QAction::triggered, this, [this] { toolClick(&NodeEditor::movemapClick); });
    connect(motopic, &QAction::triggered, this, [this] { toolClick(&NodeEditor::motopicClick); });

    // DrawCorrLine: every accepted value moves the node; closing the window
    // repaints the track with fresh start and finish marks.
    corrxywnd->nodeMoved = [this](int, int x, int y) {
        MapImg->carryOut(Nodes.correctNode(x, shownY(y)));
        refreshFloatingPreview();
    };
    corrxywnd->closed = [this](int) { MapImg->carryOut(Nodes.correctionClosed()); };
}

// AddPointClick, DelPointClick, movemapClick, motopicClick.
void TForm1::toolClick(GestureOutcome (NodeEditor::*click)()) {
    MapImg->carryOut((Nodes.*click)());
    syncToolButtons();
}

// The buttons show the tool the editor holds (a right click leaves it).
void TForm1::syncToolButtons() {
    const GestureState& g = Session.Gesture;
    AddPoint->setChecked(g.ToolAddNode);
    DelPoint->setChecked(g.ToolDelNode);
    movemap->setChecked(g.ToolMoveTail);
    motopic->setChecked(g.ToolRider);
}

void TForm1::editorModeChanged() {
    syncToolButtons();
    wmode();
}

// Ctrl + left click on node k: the window goes beside the node on the screen.
void TForm1::openCorrection(int k) {
    if (k < 1 || k > Editor.NodeCount) return;
    const QPoint node(Editor.NodeX[size_t(k)], Editor.NodeY[size_t(k)] + Editor.YOffset);
    const QWidget* view = ScrollBox1->viewport();
    const QRect viewport(view->mapToGlobal(QPoint(0, 0)), view->size());
    corrxywnd->openFor(Editor.NodeX.data(), Editor.NodeY.data(), Editor.NodeCount, k,
                       MapImg->mapToGlobal(node), viewport);
}

} // namespace korvo
