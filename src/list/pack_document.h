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
    bool edit(const QString& text, const std::function<void()>& change,
              const std::vector<int>& records = {});

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

    QString fileName_;
    QUndoStack history_;
};

} // namespace korvo
