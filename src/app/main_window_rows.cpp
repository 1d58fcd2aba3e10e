// The level views' events and the list commands: move, clone, delete, drop.
#include "main_window.h"

#include "image_box.h"
#include "list/levels_list_model.h"
#include "list/levels_tree_model.h"
#include "list/ui/levels_list_view.h"
#include "list/ui/levels_tree_view.h"
#include "pack/cp1251.h"
#include "prompts.h"

#include <QMenu>
#include <algorithm>

namespace korvo {

void TForm1::connectViews() {
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(LevelsList),
                                    static_cast<QAbstractItemView*>(LevelsTree)}) {
        connect(view, &QAbstractItemView::clicked, this, &TForm1::levelsClick);
        connect(view, &QAbstractItemView::doubleClicked, this, &TForm1::levelsDblClick);
        connect(view, &QWidget::customContextMenuRequested, this, &TForm1::showPopup);
    }
    connect(LevelsList, &LevelsListView::arrowReleased, this, &TForm1::levelsArrowReleased);
    connect(LevelsTree, &LevelsTreeView::arrowReleased, this, &TForm1::levelsArrowReleased);
    connect(LevelsList, &LevelsListView::deletePressed, this, &TForm1::levelsDeletePressed);
    connect(LevelsTree, &LevelsTreeView::deletePressed, this, &TForm1::levelsDeletePressed);
    connect(LevelsList, &LevelsListView::rowsDropped, this, &TForm1::levelsDropped);
    connect(LevelsTree, &LevelsTreeView::rowsDropped, this, &TForm1::levelsDropped);
    // A double click on the preview opens the track selected in the flat list.
    connect(previewimg, &ImageBox::doubleClicked, this, [this] {
        if (ViewMode == kListView) levelsDblClick();
    });

    connect(UpItem, &QAction::triggered, this, &TForm1::UpItem1Click);
    connect(DownItem, &QAction::triggered, this, &TForm1::DownItem1Click);
    connect(CopyItem, &QAction::triggered, this, &TForm1::CopyItemClick);
    connect(DelItem, &QAction::triggered, this, &TForm1::DelItem1Click);
    connect(EditTrackBtn, &QAction::triggered, this, &TForm1::EditTrackBtnClick);
    // Each pop-up item runs its tool button's command while that button is enabled.
    const std::pair<QAction*, QAction*> popup[] = {
        {N10, UpItem}, {N22, DownItem}, {N23, CopyItem}, {N24, DelItem}, {N25, EditTrackBtn}};
    for (auto [item, button] : popup) {
        connect(item, &QAction::triggered, button, [button] {
            if (button->isEnabled()) button->trigger();
        });
    }
    connect(PopupMenu1, &QMenu::aboutToShow, this, [this, popup] {
        for (auto [item, button] : popup) item->setEnabled(button->isEnabled());
    });
}

QAbstractItemView* TForm1::currentView() const {
    if (ViewMode == kTreeView) return LevelsTree;
    return LevelsList;
}

// The list's selected row is its first selected row; the tree's is the node
// that last took the selection.
int TForm1::selectedRow() const {
    if (ViewMode == kTreeView) {
        if (!treeModel_) return -1;
        const QModelIndex current = LevelsTree->currentIndex();
        if (!LevelsTree->selectionModel()->isSelected(current)) return -1;
        return treeModel_->rowOf(current);
    }
    const std::vector<int> rows = currentRows();
    return rows.empty() ? -1 : rows.front();
}

int TForm1::selectedTrack() const {
    const int r = selectedRow();
    return r < 0 ? 0 : Rows.data(r);
}

std::vector<int> TForm1::currentRows() const {
    std::vector<int> rows;
    QAbstractItemView* view = currentView();
    if (!view->selectionModel()) return rows;
    for (const QModelIndex& i : view->selectionModel()->selectedIndexes())
        rows.push_back(ViewMode == kTreeView ? treeModel_->rowOf(i) : listModel_->rowOf(i));
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TForm1::selectRow(int row) {
    QAbstractItemView* view = currentView();
    const QModelIndex i =
        ViewMode == kTreeView ? treeModel_->indexOfRow(row) : listModel_->indexOfRow(row);
    if (!i.isValid()) return;
    view->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect |
                                                   QItemSelectionModel::Rows);
    view->scrollTo(i);
}

void TForm1::applyListButtons() {
    UpItem->setEnabled(Buttons.UpItem);
    DownItem->setEnabled(Buttons.DownItem);
    CopyItem->setEnabled(Buttons.CopyItem);
    DelItem->setEnabled(Buttons.DelItem);
    EditTrackBtn->setEnabled(Buttons.EditTrackBtn);
}

int TForm1::insertNewTrackRow(int j, bool atEnd) {
    const int row = ops_->enterNewTrack(j, atEnd, selectedRow());
    if (ViewMode == kListView) selectRow(row);
    updateCountText();
    return row;
}

void TForm1::setRowCaption(int row, const QString& caption) {
    Rows.setCaption(row, toCp1251(caption));
}

// LevelsListClick / LevelsTreeClick
void TForm1::levelsClick() {
    const bool track = ops_->selectRow(selectedRow());
    applyListButtons();
    if (track) drawpreimg(CurItem.Track);
}

// LevelsListKeyUp / LevelsTreeKeyUp: the arrow keys select like a click, on track rows only.
void TForm1::levelsArrowReleased() {
    const int r = selectedRow();
    if (r >= 0 && !Rows.isHeader(r)) levelsClick();
}

// LevelsListKeyDown / LevelsTreeKeyDown
void TForm1::levelsDeletePressed() {
    if (!currentRows().empty() && CurItem.Track != -1) DelItem1Click();
}

// LevelsListDblClick / LevelsTreeDblClick
void TForm1::levelsDblClick() {
    const int r = selectedRow();
    if (r >= 0 && !Rows.isHeader(r)) EditTrackBtnClick();
}

void TForm1::showPopup(QPoint at) {
    levelsClick(); // the right click has selected the row under the pointer
    PopupMenu1->popup(currentView()->viewport()->mapToGlobal(at));
}

void TForm1::finishRowCommand() {
    updateCountText();
    wmode();
    applyListButtons();
}

// UpItem1Click
void TForm1::UpItem1Click() {
    if (ops_->moveUp()) selectRow(CurItem.Row);
    finishRowCommand();
}

// DownItem1Click
void TForm1::DownItem1Click() {
    if (ops_->moveDown()) selectRow(CurItem.Row);
    finishRowCommand();
}

// CopyItemClick
void TForm1::CopyItemClick() {
    if (selectedRow() < 0) return;
    // In both languages, as the other messages that no language line covers.
    if (ops_->cloneTrack() == CloneResult::Full)
        prompts_->warning(this,
                          QString::fromUtf8("В пакете уже %1 треков: больше добавить нельзя.\n"
                                            "The pack holds %1 tracks already: no more can "
                                            "be added.")
                              .arg(kMaxTracks));
    finishRowCommand();
}

// DelItem1Click: asks about every selected row, removes the track rows.
void TForm1::DelItem1Click() {
    const std::vector<int> rows = currentRows();
    if (!rows.empty() && prompts_->confirm(this, Lang.format(63, int(rows.size())))) {
        ops_->deleteRows(rows);
        currentView()->setFocus();
        followSelection();
    }
    finishRowCommand();
}

// LevelsListDragDrop / LevelsTreeDragDrop
void TForm1::levelsDropped(QPoint at) {
    DropPoint point;
    if (ViewMode == kTreeView) {
        for (int g = 1; g <= kGroups; ++g)
            point.expanded[size_t(g)] = LevelsTree->isExpanded(treeModel_->groupNode(g));
        const QModelIndex i = LevelsTree->indexAt(at);
        point.shownRow = i.isValid() ? ops_->shownOf(treeModel_->rowOf(i), point.expanded) : -1;
    } else {
        const QModelIndex i = LevelsList->indexAt(at);
        point.shownRow = i.isValid() ? i.row() : -1;
    }
    ops_->drop(currentRows(), point);
    followSelection();
    finishRowCommand();
}

// After a delete or a drop the rows have moved under the selection state. It
// follows the track row the view shows selected, so the commands act on what
// the user sees; with none the list commands go off, and the preview of a
// track that was deleted goes too.
void TForm1::followSelection() {
    const int r = selectedRow();
    if (r >= 0 && !Rows.isHeader(r)) {
        levelsClick();
        return;
    }
    Buttons = ListButtons{};
    applyListButtons();
    if (Rows.findTrack(CurItem.Track) < 0) drawpreimg(0);
}

void TForm1::selectFirstTrack() {
    for (int r = 1; r < Rows.size(); ++r) {
        if (Rows.isHeader(r)) continue;
        selectRow(r);
        return;
    }
}

} // namespace korvo
