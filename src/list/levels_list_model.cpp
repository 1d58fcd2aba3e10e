#include "levels_list_model.h"

#include "row_roles.h"
#include "text/cp1251.h"

namespace korvo {

LevelsListModel::LevelsListModel(LevelRows& rows, QObject* parent)
    : QAbstractListModel(parent), rows_(rows) {
    rows_.addObserver(this);
}

LevelsListModel::~LevelsListModel() {
    rows_.removeObserver(this);
}

int LevelsListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_.size();
}

QVariant LevelsListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size()) return {};
    switch (role) {
    case Qt::DisplayRole:
        return fromCp1251(rows_.caption(index.row()));
    case RowDataRole:
        return rows_.data(index.row());
    case RowIndexRole:
        return index.row();
    default:
        return {};
    }
}

Qt::ItemFlags LevelsListModel::flags(const QModelIndex& index) const {
    // Empty space below the rows takes drops too (the rows join the Hard group).
    if (!index.isValid()) return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled |
           Qt::ItemIsDropEnabled | Qt::ItemNeverHasChildren;
}

QStringList LevelsListModel::mimeTypes() const {
    return {levelRowsMimeType()};
}

QMimeData* LevelsListModel::mimeData(const QModelIndexList&) const {
    return makeLevelRowsMime();
}

void LevelsListModel::aboutToInsert(int at) {
    beginInsertRows(QModelIndex(), at, at);
}

void LevelsListModel::aboutToRemove(int first, int last) {
    beginRemoveRows(QModelIndex(), first, last);
}

void LevelsListModel::aboutToMove(int from, int to) {
    // Qt counts the destination before the source row has left.
    beginMoveRows(QModelIndex(), from, from, QModelIndex(), to > from ? to + 1 : to);
}

void LevelsListModel::aboutToReorder(const std::vector<int>& newRowOf) {
    emit layoutAboutToBeChanged();
    pending_ = persistentIndexList();
    newRowOf_ = newRowOf;
}

void LevelsListModel::reordered() {
    QModelIndexList to;
    to.reserve(pending_.size());
    for (const QModelIndex& i : pending_) to.append(index(newRowOf_[size_t(i.row())], 0));
    changePersistentIndexList(pending_, to);
    pending_.clear();
    newRowOf_.clear();
    emit layoutChanged();
}

void LevelsListModel::captionChanged(int row) {
    const QModelIndex i = index(row, 0);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

} // namespace korvo
