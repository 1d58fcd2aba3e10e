#pragma once
// The rows as a flat list: one item per row, in row order.

#include "level_rows.h"

#include <QAbstractListModel>

namespace korvo {

class LevelsListModel : public QAbstractListModel, private RowObserver {
    Q_OBJECT
public:
    explicit LevelsListModel(LevelRows& rows, QObject* parent = nullptr);
    ~LevelsListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }

    int rowOf(const QModelIndex& index) const { return index.isValid() ? index.row() : -1; }
    QModelIndex indexOfRow(int r) const { return index(r, 0); }

private:
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
    QModelIndexList pending_; // persistent indexes during a reorder
    std::vector<int> newRowOf_;
};

} // namespace korvo
