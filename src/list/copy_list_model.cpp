#include "copy_list_model.h"

#include "row_roles.h"
#include "text/cp1251.h"

#include <algorithm>

namespace korvo {

CopyListModel::CopyListModel(const TrackTable& importTracks, Rows rows, QString title,
                             QObject* parent)
    : QAbstractTableModel(parent), tracks_(importTracks), rows_(std::move(rows)),
      ticked_(rows_.size(), 0), group_(rows_.size(), 0), title_(std::move(title)) {
    int g = 0;
    for (size_t r = 0; r < rows_.size(); ++r) {
        if (rows_[r] == kHeaderRow && g < kGroups) ++g;
        group_[r] = g;
    }
}

int CopyListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int CopyListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1;
}

QVariant CopyListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(rows_.size())) return {};
    const int r = index.row();
    const int d = rows_[size_t(r)];
    switch (role) {
    case Qt::DisplayRole:
        if (d == kHeaderRow) return QString(groupCaption(std::max(1, group_[size_t(r)])));
        return fromCp1251(TTrackInfo::caption(d, tracks_[d].Name));
    case Qt::CheckStateRole:
        return ticked(r) ? Qt::Checked : Qt::Unchecked;
    case RowDataRole:
        return d;
    default:
        return {};
    }
}

bool CopyListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::CheckStateRole) return false;
    ticked_[size_t(index.row())] = value.toInt() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

QVariant CopyListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole) return title_;
    return {};
}

Qt::ItemFlags CopyListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
           Qt::ItemNeverHasChildren;
}

void CopyListModel::tick(const std::vector<int>& rows) {
    for (int r : rows) {
        if (r < 0 || r >= int(rows_.size()) || ticked(r)) continue;
        ticked_[size_t(r)] = 1;
        emit dataChanged(index(r, 0), index(r, 0), {Qt::CheckStateRole});
    }
}

std::vector<int> CopyListModel::tickedRows() const {
    std::vector<int> out;
    for (size_t r = 0; r < rows_.size(); ++r)
        if (ticked_[r]) out.push_back(int(r));
    return out;
}

void CopyListModel::clear() {
    beginResetModel();
    rows_.clear();
    ticked_.clear();
    group_.clear();
    endResetModel();
}

} // namespace korvo
