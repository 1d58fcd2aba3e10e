#pragma once
// PackDocument: the open pack (its records, its rows, its file name) and the
// history of its edits. Every change of the pack is one undoable step made
// through edit(); the modified state is the history's clean state, so undoing
// back to what was saved makes the pack unmodified again. Views and the
// status bar follow the signals instead of being refreshed by hand.

#include "level_rows.h"
#include "pack/span_change.h"

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <functional>

namespace korvo {

// One row as the history keeps it.
struct RowItem {
    int data = kHeaderRow;
    std::string caption;
    bool operator==(const RowItem&) const = default;
};

// The name of a step: a language line (with a count for its %1), so that it
// follows the language the window speaks, or a fixed text.
struct StepName {
    int line = 0;   // 0: `text` as it is
    int count = -1; // %1 of the line, when it has one
    QString text;
    StepName(const QString& t) : text(t) {}
    StepName(const char* t) : text(QString::fromUtf8(t)) {}
    StepName(int l, int c = -1) : line(l), count(c) {}
    bool operator==(const StepName&) const = default;
};

// A record before and after a step.
struct RecordChange {
    int j = 0;
    TTrackInfo before, after;
    bool operator==(const RecordChange&) const = default;
};

// What one step of the pack's history holds: enough to undo and redo it.
struct PackStep {
    StepName name{""};
    SpanChange<RowItem> rows;
    std::vector<RecordChange> records;
    int subject = 0; // the record selected when the step was made (0: none)
    bool operator==(const PackStep&) const = default;
};

class PackDocument : public QObject {
    Q_OBJECT
public:
    PackDocument();

    TrackTable Tracks;
    LevelRows Rows;

    const QString& fileName() const { return fileName_; }
    void setFileName(const QString& path);

    QUndoStack& history() { return history_; }
    bool modified() const { return !history_.isClean(); }
    // The pack on disk now equals the pack in memory.
    void markSaved() { history_.setClean(); }
    // After New or Open: no history, nothing unsaved.
    void startFresh();

    // Runs `change` as one undoable step named `text`. `change` edits the
    // rows (and the records listed in `records`) through the document's
    // members; what it changed is kept, and undo/redo restore it. Returns
    // false when nothing changed (no step is recorded).
    bool edit(const StepName& name, const std::function<void()>& change,
              const std::vector<int>& records = {});

    // How a step's name reads in the current language; retranslate() names
    // every step of the history afresh after the language changed.
    void setStepNames(std::function<QString(const StepName&)> names) { names_ = std::move(names); }
    // The record the user has selected (0: none): undo and redo of a step
    // made on it select it again where it comes back.
    void setSelection(std::function<int()> selected) { selected_ = std::move(selected); }
    void retranslate();

    // The steps of the history, oldest first, for the recovery journal.
    int stepCount() const { return history_.count(); }
    const PackStep& step(int i) const;
    quint64 stepSerial(int i) const; // no two steps of the process share one
    // Puts back a history that was kept: the rows and records must stand as
    // they were at `index`. `cleanIndex` is where the pack equals its file
    // (-1: nowhere).
    void restoreHistory(std::vector<PackStep> steps, int index, int cleanIndex);

    // Group, NumInGroup and GroupCount from the rows.
    void renumber() { renumberFromRows(Tracks, Rows.rows()); }
    // Track rows that carry a record (count of the rows, not of TrackCount).
    int tracksInRows() const { return Rows.size() - kGroups; }

signals:
    // The rows changed by undo or redo; `firstRow` is the first row that did.
    void rowsRestored(int firstRow);
    void fileNameChanged(const QString& path);
    void modifiedChanged(bool modified);

private:
    friend class PackEditCommand;
    std::vector<RowItem> rowItems() const;

    QString textOf(const StepName& name) const;

    QString fileName_;
    QUndoStack history_;
    std::function<QString(const StepName&)> names_;
    std::function<int()> selected_;
};

} // namespace korvo
