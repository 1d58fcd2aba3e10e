#include "levels_tree_model.h"

#include "row_roles.h"
#include "text/cp1251.h"

namespace korvo {

// A header node has the internal id 0; a track node carries its group 1..3.

LevelsTreeModel::LevelsTreeModel(LevelRows& rows, QObject* parent)
    : QAbstractItemModel(parent), rows_(rows) {
    rows_.addObserver(this);
}

LevelsTreeModel::~LevelsTreeModel() {
    rows_.removeObserver(this);
}

QModelIndex LevelsTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    if (!parent.isValid()) return row < kGroups ? groupNode(row + 1) : QModelIndex();
    if (parent.internalId() != 0) return {};
    const int g = parent.row() + 1;
    return row < rows_.groupSize(g) ? createIndex(row, 0, quintptr(g)) : QModelIndex();
}

QModelIndex LevelsTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == 0) return {};
    return groupNode(int(child.internalId()));
}

int LevelsTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return kGroups;
    if (parent.internalId() != 0 || parent.column() != 0) return 0;
    return rows_.groupSize(parent.row() + 1);
}

int LevelsTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

int LevelsTreeModel::rowOf(const QModelIndex& index) const {
    if (!index.isValid()) return -1;
    if (index.internalId() == 0) return rows_.headerRow(index.row() + 1);
    return rows_.rowOf({int(index.internalId()), index.row()});
}

QModelIndex LevelsTreeModel::indexAt(LevelRows::Place p) const {
    return p.child < 0 ? groupNode(p.group) : createIndex(p.child, 0, quintptr(p.group));
}

QModelIndex LevelsTreeModel::indexOfRow(int r) const {
    if (r < 0 || r >= rows_.size()) return {};
    return indexAt(rows_.placeOf(r));
}

QVariant LevelsTreeModel::data(const QModelIndex& index, int role) const {
    const int r = rowOf(index);
    if (r < 0) return {};
    switch (role) {
    case Qt::DisplayRole:
        return fromCp1251(rows_.caption(r));
    case RowDataRole:
        return rows_.data(r);
    case RowIndexRole:
        return r;
    default:
        return {};
    }
}

Qt::ItemFlags LevelsTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::ItemIsDropEnabled;
    Qt::ItemFlags f =
        Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    if (index.internalId() != 0) f |= Qt::ItemNeverHasChildren;
    return f;
}

QStringList LevelsTreeModel::mimeTypes() const {
    return {levelRowsMimeType()};
}

QMimeData* LevelsTreeModel::mimeData(const QModelIndexList&) const {
    return makeLevelRowsMime();
}

void LevelsTreeModel::aboutToInsert(int at) {
    const LevelRows::Place p = rows_.placeForInsert(at);
    beginInsertRows(groupNode(p.group), p.child, p.child);
}

void LevelsTreeModel::aboutToRemove(int first, int last) {
    const LevelRows::Place p = rows_.placeOf(first);
    beginRemoveRows(groupNode(p.group), p.child, p.child + (last - first));
}

void LevelsTreeModel::aboutToMove(int from, int to) {
    const LevelRows::Place src = rows_.placeOf(from);
    const LevelRows::Place dst = rows_.placeAfterMove(from, to);
    // Qt counts the destination before the source row has left its group.
    const int before = dst.group == src.group && dst.child > src.child ? dst.child + 1 : dst.child;
    beginMoveRows(groupNode(src.group), src.child, src.child, groupNode(dst.group), before);
}

void LevelsTreeModel::aboutToReorder(const std::vector<int>& newRowOf) {
    emit layoutAboutToBeChanged();
    pending_ = persistentIndexList();
    pendingTo_.clear();
    pendingTo_.reserve(size_t(pending_.size()));
    for (const QModelIndex& i : pending_) pendingTo_.push_back(newRowOf[size_t(rowOf(i))]);
}

void LevelsTreeModel::reordered() {
    QModelIndexList to;
    to.reserve(pending_.size());
    for (size_t k = 0; k < pendingTo_.size(); ++k) to.append(indexOfRow(pendingTo_[k]));
    changePersistentIndexList(pending_, to);
    pending_.clear();
    pendingTo_.clear();
    emit layoutChanged();
}

void LevelsTreeModel::captionChanged(int row) {
    const QModelIndex i = indexOfRow(row);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

} // namespace korvo
