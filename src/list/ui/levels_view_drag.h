#pragma once
// What the two level views share: starting a drag of their selected rows and
// the keys they report. The rows themselves are moved by the row commands
// when the drop arrives, so the drag carries no payload and nothing is
// removed when it ends.

#include "list/row_roles.h"

#include <QAbstractItemView>
#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QStyledItemDelegate>

namespace korvo::levels_view {

inline void startRowDrag(QAbstractItemView* view) {
    if (!view->selectionModel() || !view->selectionModel()->hasSelection()) return;
    auto* drag = new QDrag(view);
    drag->setMimeData(makeLevelRowsMime());
    drag->exec(Qt::MoveAction, Qt::MoveAction);
}

// A drag of rows of this very view.
inline bool ownRows(const QAbstractItemView* view, const QDropEvent* event) {
    return event->source() == view && event->mimeData()->hasFormat(levelRowsMimeType());
}

// The keys that move the selection: the arrows, the page and Home/End keys,
// and a typed letter (the view jumps to the row it begins), which would
// otherwise leave the commands on the row selected before.
inline bool isArrow(const QKeyEvent* event) {
    if (event->isAutoRepeat()) return false;
    const QString text = event->text();
    if (!text.isEmpty() && text.front().isPrint() && !text.front().isSpace() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return true;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

// Rows two pixels taller than the font's line, so "_" and descenders show whole.
class TallRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 2);
    }
};

inline bool isDelete(const QKeyEvent* event) {
    return event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier;
}

} // namespace korvo::levels_view
