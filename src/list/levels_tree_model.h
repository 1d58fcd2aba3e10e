#pragma once
// The rows as a tree: the three group headers at the top level, the tracks
// of each group as its children. A node's absolute index (its place in the
// depth-first order of all nodes) is its row index in LevelRows.

#include "level_rows.h"

#include <QAbstractItemModel>

namespace korvo {

class LevelsTreeModel : public QAbstractItemModel, private RowObserver {
    Q_OBJECT
public:
    explicit LevelsTreeModel(LevelRows& rows, QObject* parent = nullptr);
    ~LevelsTreeModel() override;

    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }

    // Absolute index of a node, -1 for none; and back.
    int rowOf(const QModelIndex& index) const;
    QModelIndex indexOfRow(int r) const;
    QModelIndex groupNode(int g) const { return createIndex(g - 1, 0, quintptr(0)); }

private:
    QModelIndex indexAt(LevelRows::Place p) const;

    void aboutToInsert(int at) override;
    void inserted() override { endInsertRows(); }
    void aboutToRemove(int first, int last) override;
    void removed() override { endRemoveRows(); }
    void aboutToMove(int from, int to) override;
    void moved() override { endMoveRows(); }
    void aboutToReorder(const std::vector<int>& newRowOf) override;
    void reordered() override;
    void aboutToReset() override { beginResetModel(); }
    void wasReset() override { endResetModel(); }
    void captionChanged(int row) override;

    LevelRows& rows_;
    QModelIndexList pending_;    // persistent indexes during a reorder
    std::vector<int> pendingTo_; // their absolute indexes afterwards
};

} // namespace korvo
