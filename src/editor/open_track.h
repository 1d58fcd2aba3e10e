#pragma once
// The track open in the editor, and the one owner of everything about it: the
// working copy of its record and nodes, the panel's values, the tool in hand,
// the selected node, the gesture in progress and the history of its edits.
// The pack's record changes only when the track is stored. Windows ask this
// object whether a track is open and whether it has unsaved edits, and follow
// its signals instead of keeping flags of their own.

#include "editor_mode.h"
#include "editor_state.h"
#include "node_editor.h"
#include "track_history.h"
#include "track_session.h"

#include <QObject>

namespace korvo {

class OpenTrack : public QObject {
    Q_OBJECT
public:
    explicit OpenTrack(TrackTable& tracks, QObject* parent = nullptr);

    TrackSession& session() { return session_; }
    const TrackSession& session() const { return session_; }
    EditorState& state() { return state_; }
    const EditorState& state() const { return state_; }
    NodeEditor& nodes() { return nodes_; }
    TrackHistory& history() { return history_; }

    bool isOpen() const { return session_.isOpen(); }
    bool isNew() const { return session_.isNewTrack(); }
    EditorMode mode() const { return editorMode(session_.isEditing(), session_.isNewTrack()); }
    // The open track has edits that are not stored into the pack.
    bool modified() const { return isOpen() && history_.modified(); }
    Tool tool() const { return toolOf(session_.Gesture); }
    // The node the last hit chose (0: none).
    int selectedNode() const { return session_.Gesture.SelNode; }
    // The record the track is stored into (for a new track, the one it will take).
    int recordNumber() const { return state_.CurTrack; }

    // Opens record `track` of the pack; starts a new track named `typed`.
    PanelResult open(int track, int viewHeight);
    PanelResult startNew(const QString& typed, int viewHeight);
    // Stores the track into the pack's record and closes it.
    SaveOutcome store(const QString& nameText);
    // Closes without storing: the pack stays as it was before opening.
    CloseOutcome discard();

    // The track as the canvas shows it now, as a record: what a ".lev"
    // export of the open track writes. `ok` is false when it cannot be
    // stored (no segment, too many nodes).
    TTrackInfo shownRecord(bool* ok = nullptr) const;

    // Compares the track with what the signals last told and tells what
    // changed: every gesture, tool click and correction ends with it.
    void settle();

signals:
    void opened();
    void closed();
    // The track's nodes or values changed by a recorded step, undo or redo.
    void changed();
    void modifiedChanged(bool modified);
    void toolChanged(korvo::Tool tool);
    void selectionChanged(int node);
    // The nodes changed by a gesture (also one not recorded as a step yet).
    void shapeChanged();
    // The number of lines, the field's size: the panel shows them.
    void linesChanged(int lines);
    void fieldChanged(QSize size);
    // The correction window's node was moved, added or removed as a block.
    void correctionDropped();
    // What the status bar and the store button show: drawing or editing,
    // the tool, unsaved edits, whether the track may be stored.
    void modeChanged();

private:
    void restart();

    EditorState state_;
    TrackSession session_;
    NodeEditor nodes_{session_};
    TrackHistory history_{session_};
    // What the signals last told.
    struct Told {
        bool modified = false;
        Tool tool = Tool::None;
        int selected = 0;
        int shape = 0;
        int lines = 0;
        QSize field;
        bool correctionOpen = false;
        bool editing = false, drawing = false, storable = false;
    };
    Told now() const;
    Told told_;
};

} // namespace korvo
