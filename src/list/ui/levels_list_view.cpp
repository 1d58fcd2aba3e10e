#include "levels_list_view.h"

#include "levels_view_drag.h"

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

LevelsListView::LevelsListView(QWidget* parent) : QListView(parent) {
    setObjectName("LevelsList");
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true); // a pack of 4095 tracks lays out at once
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setAutoScroll(true); // scrolls while a dragged row hovers near the top or bottom edge
    setItemDelegate(new GridLineDelegate(this));
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void LevelsListView::keyPressEvent(QKeyEvent* event) {
    if (levels_view::isDelete(event)) {
        emit deletePressed();
        return;
    }
    QListView::keyPressEvent(event);
}

void LevelsListView::keyReleaseEvent(QKeyEvent* event) {
    QListView::keyReleaseEvent(event);
    if (levels_view::isArrow(event)) emit arrowReleased();
}

void LevelsListView::startDrag(Qt::DropActions) {
    levels_view::startRowDrag(this);
}

void LevelsListView::dragEnterEvent(QDragEnterEvent* event) {
    if (levels_view::ownRows(this, event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void LevelsListView::dragMoveEvent(QDragMoveEvent* event) {
    QListView::dragMoveEvent(event); // starts the automatic scrolling near the edges
    // Only rows of this list are taken, wherever they hover.
    if (levels_view::ownRows(this, event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void LevelsListView::dropEvent(QDropEvent* event) {
    stopAutoScroll();
    if (!levels_view::ownRows(this, event)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit rowsDropped(event->position().toPoint());
}

} // namespace korvo
