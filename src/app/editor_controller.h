#pragma once
// The track editor side of the main window: the properties panel that takes
// the list's place, the canvas in its scroll box that takes the preview's
// place, the node tools, the correction window and the two previews. It owns
// the editor's working state; the open track's edits are steps of its own
// history, and storing the track is one step of the document's.

#include "app_context.h"
#include "editor/open_track.h"
#include "recovery/recovery_file.h"

#include <QObject>

class QAction;
class QActionGroup;
class QScrollArea;
class QWidget;

namespace korvo {

class ImageBox;
class ListController;
class CorrectionWindow;
class FloatingPreview;
class TrackCanvas;
class TrackPropertiesPanel;

class EditorController : public QObject {
    Q_OBJECT
public:
    // The properties panel goes into `left` when a track first opens; the
    // canvas and the preview into `right`.
    EditorController(AppContext& app, ListController& list, QWidget* left, QWidget* right);
    ~EditorController() override;

    QWidget* propertiesPanel(); // built when first asked for
    // The tool windows, built when first opened.
    CorrectionWindow& correctionWindow();
    FloatingPreview& floatingPreview();
    QWidget* canvasPanel() const { return canvasArea_; }
    QWidget* previewPanel() const { return previewArea_; }
    // preimg, then AddPoint, DelPoint, movemap, motopic, then ZoomFit: for the tool bar.
    QList<QAction*> actions() const;
    // ZoomIn, ZoomOut, ZoomActual, ZoomFit: for the Edit menu.
    QList<QAction*> zoomActions() const;

    OpenTrack& track() { return track_; }
    const OpenTrack& track() const { return track_; }
    EditorMode mode() const { return track_.mode(); }
    bool isOpen() const { return track_.isOpen(); }
    TrackHistory& history() { return History; }
    EditorState& state() { return Editor; }
    TrackSession& session() { return Session; }
    NodeEditor& nodes() { return Nodes; }

    void openSelectedTrack(); // open the selected track for editing
    void startNewTrack();     // "Начать": draw a new track named in NameNewTrack
    void storeTrack();        // "Сохранить и Закрыть": store the open track
    void closeWithoutStoring(); // "Закрыть без сохранения": asks when the track has changes
    // Closes an open track without storing and without asking (New, Open).
    void leaveEditor();
    // drawPreview: the list preview of a track (0: empty).
    void drawPreview(int track);
    void styleChanged();
    // The open track as the recovery journal keeps it (its history's steps
    // and index aside), and a kept track opened again with its history,
    // tool, zoom and place in view.
    KeptTrack keptTrack() const;
    void reopenKept(const KeptTrack& kept);
    // Ends the drag or gesture in progress (undo must not cut into it).
    bool gestureInProgress() const { return History.busy(); }

signals:
    void openChanged(bool open); // the panel and canvas came or went
    void modeChanged();          // status texts, tool buttons, SaveTProp
    void pointerMoved(const QString& text);
    void zoomShown(const QString& text); // "25%" while a track is open, else ""

private:
    TrackPropertiesPanel& panel();
    void buildRight(QWidget* right);
    void buildActions();
    void connectPanel();
    void connectCanvas();
    void connectPreview();
    void openEditor(bool newTrack);
    // `track`: the row to select again (0: the one selected before).
    void closeEditor(int track);
    // The panel shows the session's values; `withField` the field size too.
    void showSessionValues(bool withField = true);
    int viewHeight() const;
    void showCanvas(bool on);
    void choosePreset(int t);
    bool finishChecked(); // asks before a finish left of the start is stored
    void applyFieldSize();
    void movePlayer(bool up);
    void rename();
    void editorMessage(EditorMessage message, const QString& field = {});
    void panelStep(TrackStep step, const std::function<bool()>& action);
    void restored();
    void toggleTool(GestureOutcome (NodeEditor::*click)());
    void syncToolButtons();
    void openCorrection(int node, bool byKeys);
    void refreshFloatingPreview();
    void zoomTo(double zoom);
    // The zoom commands each on while it can change the zoom, and the read-out.
    void showZoom();
    void toggleFloatingPreview();
    void floatingPreviewClosed();

    AppContext& app_;
    ListController& list_;
    // The open track and, for short, its parts.
    OpenTrack track_;
    EditorState& Editor = track_.state();
    TrackSession& Session = track_.session();
    NodeEditor& Nodes = track_.nodes();
    TrackHistory& History = track_.history();

    QWidget* left_;                         // where the panel goes
    TrackPropertiesPanel* panel_ = nullptr; // the track properties side
    QWidget* canvasArea_;                   // the editor: the scroll box with the canvas
    QScrollArea* canvasScroll_;
    TrackCanvas* canvas_;  // the canvas (820 x 554 at start)
    QWidget* previewArea_; // the preview
    ImageBox* listPreview_;
    // The tool windows, each built when first opened.
    CorrectionWindow* correction_ = nullptr; // exact coordinates of one node (Ctrl + left click)
    FloatingPreview* floatingPreview_ = nullptr; // the floating preview of the open track
    QAction *preimg, *AddPoint, *DelPoint, *movemap, *motopic;
    QAction *ZoomIn, *ZoomOut, *ZoomActual, *ZoomFit;
    QActionGroup* nodeTools; // AddPoint, DelPoint, movemap, motopic: one at a time
};

} // namespace korvo
