#include "levels_list_view.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace korvo {

namespace {
// One grid line under every row, as in a report-style list.
class GridLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem text(option);
        text.rect.adjust(0, 0, 0, -1); // keep the line clear of the caption's underscores
        QStyledItemDelegate::paint(painter, text, index);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Midlight));
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 2);
    }
};
} // namespace

LevelsListView::LevelsListView(QWidget* parent) : LevelsView<QListView>(parent) {
    setObjectName("LevelsList");
    setUniformItemSizes(true); // a pack of 4095 tracks lays out at once
    setItemDelegate(new GridLineDelegate(this));
}

} // namespace korvo
