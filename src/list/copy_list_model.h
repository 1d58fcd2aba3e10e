#pragma once
// The rows of the copy dialog's list `copyto`: group header rows (-1) and the
// tracks of the second table, each with a check box. Captions are made when
// a row is shown, so a pack of 4095 tracks lists at once.

#include "pack/mrg_format.h"

#include <QAbstractTableModel>
#include <QString>
#include <vector>

namespace korvo {

class CopyListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // `rows` as the import filled them; `title` heads the one column.
    CopyListModel(const TrackTable& importTracks, Rows rows, QString title,
                  QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    const Rows& rows() const { return rows_; }
    // The data value of row r: -1 for a header, else the track number d.
    int trackAt(int r) const { return r >= 0 && r < int(rows_.size()) ? rows_[size_t(r)] : -1; }
    bool ticked(int r) const { return ticked_[size_t(r)] != 0; }
    // Ticks the rows given (header rows too; copying skips them).
    void tick(const std::vector<int>& rows);
    // The ticked rows, in row order.
    std::vector<int> tickedRows() const;
    // Escape: the list empties.
    void clear();

private:
    const TrackTable& tracks_;
    Rows rows_;
    std::vector<char> ticked_;
    std::vector<int> group_; // of each row, for the header captions
    QString title_;
};

} // namespace korvo
