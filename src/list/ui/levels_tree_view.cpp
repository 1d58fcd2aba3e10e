#include "levels_tree_view.h"

#include "levels_view_drag.h"

namespace korvo {

LevelsTreeView::LevelsTreeView(QWidget* parent) : QTreeView(parent) {
    setObjectName("LevelsTree");
    setHeaderHidden(true);
    setIndentation(19);
    setUniformRowHeights(true);
    setItemDelegate(new levels_view::TallRowDelegate(this));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setAutoScroll(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void LevelsTreeView::keyPressEvent(QKeyEvent* event) {
    if (levels_view::isDelete(event)) {
        emit deletePressed();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void LevelsTreeView::keyReleaseEvent(QKeyEvent* event) {
    QTreeView::keyReleaseEvent(event);
    if (levels_view::isArrow(event)) emit arrowReleased();
}

void LevelsTreeView::startDrag(Qt::DropActions) {
    levels_view::startRowDrag(this);
}

void LevelsTreeView::dragEnterEvent(QDragEnterEvent* event) {
    if (levels_view::ownRows(this, event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void LevelsTreeView::dragMoveEvent(QDragMoveEvent* event) {
    QTreeView::dragMoveEvent(event);
    // A group header with tracks refuses the rows: the cursor says so at once.
    const QModelIndex at = indexAt(event->position().toPoint());
    const bool fullHeader = at.isValid() && !at.parent().isValid() && model()->rowCount(at) > 0;
    if (levels_view::ownRows(this, event) && !fullHeader)
        event->acceptProposedAction();
    else
        event->ignore();
}

void LevelsTreeView::dropEvent(QDropEvent* event) {
    stopAutoScroll();
    if (!levels_view::ownRows(this, event)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit rowsDropped(event->position().toPoint());
}

} // namespace korvo
