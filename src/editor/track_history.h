#pragma once
// The edits of the open track as undoable steps. A user action (a mouse
// gesture from press to release, a tool click, a panel command, a value of
// the correction window) is framed by begin() and end(): what it changed in
// the nodes and in the track's settings becomes one step. The nodes are kept
// as a span change, so a step of a drag holds one node, not the track.

#include "pack/span_change.h"
#include "track_session.h"

#include <QObject>
#include <QUndoStack>

#include <optional>

namespace korvo {

// Everything of the open track but its nodes.
struct TrackLook {
    int YOffset = 0;
    QPoint StartPt, FinishPt, PlayerPt;
    int32_t TrackYShift = 0, PlayerYOffset = 0;
    QString TrackName;
    int LengthRow = 0;
    bool LengthPending = false, LengthChanged = false, PlayerButtonsEnabled = false;
    bool SaveEnabled = false, IsEditing = false;
    QSize canvasSize;
    int16_t Templ = 0;
    int32_t Lines = 0;
    int NextNode = 1;
    QPoint RubberFrom;
    bool operator==(const TrackLook&) const = default;
};

// What kind of step an action is; it names the step ("Undo move node").
enum class TrackStep {
    MoveNode,
    AddNode,
    DeleteNode,
    MoveTail,
    PlaceNode,
    EndDrawing,
    CorrectNode,
    Rename,
    LengthPreset,
    PlayerHeight,
    FieldSize,
};

// What one step holds: enough to undo and redo it.
struct TrackStepData {
    TrackStep step = TrackStep::MoveNode;
    SpanChange<QPoint> nodes;
    TrackLook before, after;
    bool keyRun = false, continuesRun = false;
    bool operator==(const TrackStepData&) const = default;
};

class TrackHistory : public QObject {
    Q_OBJECT
public:
    explicit TrackHistory(TrackSession& session);
    ~TrackHistory() override { quiet_ = true; } // the stack clears itself as it goes

    QUndoStack& stack() { return stack_; }
    // A track was opened, or closed: no history, nothing changed.
    void restart();
    bool modified() const { return !stack_.isClean(); }

    // Takes the state before an action (once: a nested begin keeps the first).
    void begin(TrackStep step);
    // Records the action as one step when it changed anything. Consecutive
    // corrections of the same node merge into one step, and so do the key
    // presses of one run (`keyRun`: the first of a run starts it, those after
    // it set `continuesRun`).
    bool end(bool keyRun = false, bool continuesRun = false);
    bool busy() const { return open_; }

    // The step names, set from the language lines.
    void setStepNames(std::function<QString(TrackStep)> names) { names_ = std::move(names); }
    // Names every step afresh after the language changed.
    void retranslate();

    // For the recovery journal: the steps, oldest first (a step stays the
    // same object until the history drops it), the track as it stands, and
    // the action in progress as the step it would become if it ended now.
    int stepCount() const { return stack_.count(); }
    const TrackStepData& step(int i) const;
    TrackLook look() const;
    std::vector<QPoint> nodes() const;
    std::optional<TrackStepData> pending() const;
    // Puts back a kept history on the open track: the track takes `look` and
    // `nodes`, which stand at `index`; `cleanIndex` is where the track equals
    // the pack's record (-1: nowhere). Restored steps never merge.
    void restore(const TrackLook& look, const std::vector<QPoint>& nodes,
                 std::vector<TrackStepData> steps, int index, int cleanIndex);

signals:
    // Undo or redo changed the open track: repaint it, refresh panel and previews.
    void restored();

private:
    friend class TrackEditCommand;
    void put(const TrackLook& look, const std::vector<QPoint>& nodes);

    TrackSession& s_;
    QUndoStack stack_;
    std::function<QString(TrackStep)> names_;
    bool open_ = false;
    bool quiet_ = false;     // a new step or a fresh start, not an undo or redo, moves the index
    bool restoring_ = false; // a kept history is put back: its steps do not merge
    TrackStep step_ = TrackStep::MoveNode;
    int keyRunIndex_ = -1; // the history's index after the last key run's step
    TrackLook lookBefore_;
    std::vector<QPoint> nodesBefore_;
};

} // namespace korvo
