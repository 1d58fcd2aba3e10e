#pragma once
// What the flat list and the tree of the level rows share: the keys they
// report, the drag of their selected rows and the settings of both. The rows
// themselves are moved by the row commands when the drop arrives, so the drag
// carries no payload and nothing is removed when it ends.

#include "list/row_roles.h"

#include <QAbstractItemView>
#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QStyledItemDelegate>

namespace korvo {

// What a level view reports to the window that owns it.
class LevelsViewEvents : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    // A key that moves the selection (arrows, pages, Home, End, a letter) was released.
    void arrowReleased();
    void deletePressed();        // Delete
    void openPressed();          // Enter or Return: open the selected track
    void rowsDropped(QPoint at); // selected rows were dropped at a viewport point
};

namespace levels_view {

// The keys that move the selection: the arrows, the page and Home/End keys,
// and a typed letter (the view jumps to the row it begins), which would
// otherwise leave the commands on the row selected before.
bool isArrow(const QKeyEvent* event);

} // namespace levels_view

// The level view over `Base` (QListView or QTreeView).
template <class Base> class LevelsView : public Base {
public:
    explicit LevelsView(QWidget* parent) : Base(parent), events_(new LevelsViewEvents(this)) {
        this->setSelectionMode(QAbstractItemView::ExtendedSelection);
        this->setSelectionBehavior(QAbstractItemView::SelectRows);
        this->setEditTriggers(QAbstractItemView::NoEditTriggers);
        this->setDragEnabled(true);
        this->setAcceptDrops(true);
        this->setDropIndicatorShown(false);
        this->setDragDropMode(QAbstractItemView::DragDrop);
        this->setDefaultDropAction(Qt::MoveAction);
        this->setAutoScroll(true); // scrolls while a dragged row hovers near an edge
        this->setContextMenuPolicy(Qt::CustomContextMenu);
    }

    LevelsViewEvents* events() const { return events_; }

protected:
    // Whether rows dragged over `at` may be dropped there.
    virtual bool takesRowsAt(QPoint at) const {
        Q_UNUSED(at);
        return true;
    }

    void keyPressEvent(QKeyEvent* event) override {
        const auto mods = event->modifiers() & ~Qt::KeypadModifier;
        switch (event->key()) {
        case Qt::Key_Delete:
            if (mods != Qt::NoModifier) break;
            emit events_->deletePressed();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (mods != Qt::NoModifier) break;
            emit events_->openPressed();
            return;
        case Qt::Key_F10: // the desktop's keyboard way to the pop-up menu
            if (mods != Qt::ShiftModifier) break;
            emit this->customContextMenuRequested(this->visualRect(this->currentIndex()).center());
            return;
        default:
            break;
        }
        Base::keyPressEvent(event);
    }

    void keyReleaseEvent(QKeyEvent* event) override {
        Base::keyReleaseEvent(event);
        if (levels_view::isArrow(event)) emit events_->arrowReleased();
    }

    void startDrag(Qt::DropActions) override {
        if (!this->selectionModel() || !this->selectionModel()->hasSelection()) return;
        auto* drag = new QDrag(this);
        drag->setMimeData(makeLevelRowsMime());
        drag->exec(Qt::MoveAction, Qt::MoveAction);
    }

    void dragEnterEvent(QDragEnterEvent* event) override {
        if (ownRows(event))
            event->acceptProposedAction();
        else
            event->ignore();
    }

    void dragMoveEvent(QDragMoveEvent* event) override {
        Base::dragMoveEvent(event); // starts the automatic scrolling near the edges
        // Only rows of this view are taken; the cursor says at once where not.
        if (ownRows(event) && takesRowsAt(event->position().toPoint()))
            event->acceptProposedAction();
        else
            event->ignore();
    }

    void dropEvent(QDropEvent* event) override {
        this->stopAutoScroll();
        if (!ownRows(event)) {
            event->ignore();
            return;
        }
        event->acceptProposedAction();
        emit events_->rowsDropped(event->position().toPoint());
    }

private:
    // A drag of rows of this very view.
    bool ownRows(const QDropEvent* event) const {
        return event->source() == this && event->mimeData()->hasFormat(levelRowsMimeType());
    }

    LevelsViewEvents* events_;
};

// Rows two pixels taller than the font's line, so "_" and descenders show whole.
class TallRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 2);
    }
};

} // namespace korvo
