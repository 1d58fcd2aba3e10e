#include "list_controller.h"

#include "actions.h"
#include "list/levels_list_model.h"
#include "list/levels_tree_model.h"
#include "list/ui/levels_list_view.h"
#include "list/ui/levels_tree_view.h"
#include "text/cp1251.h"
#include "text/lang_added.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace korvo {

ListController::ListController(AppContext& app, QWidget* parent) : QObject(parent), app_(app) {
    ops_ = std::make_unique<RowOps>(app.doc.Rows, app.doc.Tracks, CurItem, Buttons, app.ViewMode);
    buildPanel(parent);
    buildCommands();
    connectViews();
    connect(&app.doc, &PackDocument::rowsRestored, this, &ListController::afterRestore);
    app.doc.setSelection([this] { return std::max(selectedTrack(), 0); });
}

// The item models watch the rows, which the document keeps after the views go.
ListController::~ListController() {
    app_.doc.setSelection({});
    delete listModel_;
    delete treeModel_;
}

void ListController::buildPanel(QWidget* parent) {
    listPanel_ = new QWidget(parent);
    listPanel_->setObjectName("Panel2");
    auto* list = new QVBoxLayout(listPanel_);
    list->setContentsMargins(2, 2, 2, 2);
    list->setSpacing(2);
    titleLabel_ = new QLabel(ru("Компоновка треков"), listPanel_);
    titleLabel_->setObjectName("StaticText2");
    titleLabel_->setAlignment(Qt::AlignCenter);
    QFont bold = titleLabel_->font();
    bold.setBold(true);
    titleLabel_->setFont(bold);
    LevelsList = new LevelsListView(listPanel_);
    LevelsTree = new LevelsTreeView(listPanel_);
    LevelsTree->hide();

    newTrackBox_ = new QGroupBox(ru(" Добавление трека"), listPanel_);
    newTrackBox_->setObjectName("GroupBox2");
    auto* add = new QGridLayout(newTrackBox_);
    add->setContentsMargins(6, 4, 6, 6);
    newTrackNameLabel_ = new QLabel(ru("Название"), newTrackBox_);
    newTrackNameLabel_->setObjectName("Label5");
    NameNewTrack = new QLineEdit(newTrackBox_);
    NameNewTrack->setObjectName("NameNewTrack");
    newTrackNameLabel_->setBuddy(NameNewTrack); // its Alt letter reaches the field
    NewTrack = new QPushButton(ru("Начать"), newTrackBox_);
    NewTrack->setObjectName("NewTrack");
    add->addWidget(newTrackNameLabel_, 0, 0, 1, 2);
    add->addWidget(NameNewTrack, 1, 0);
    add->addWidget(NewTrack, 1, 1);

    list->addWidget(titleLabel_);
    list->addWidget(LevelsList, 1);
    list->addWidget(LevelsTree, 1);
    list->addWidget(newTrackBox_);
}

void ListController::buildCommands() {
    UpItem = toolAction(this, "UpItem", "Переместить вверх", ToolIcon::MoveUp);
    DownItem = toolAction(this, "DownItem", "Переместить вниз", ToolIcon::MoveDown);
    CopyItem = toolAction(this, "CopyItem", "Клонировать трек", ToolIcon::Clone);
    DelItem = toolAction(this, "DelItem", "Удалить", ToolIcon::Delete);
    EditTrackBtn = toolAction(this, "EditTrackBtn", "Редактировать трек", ToolIcon::EditTrack);
    UpItem->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Up));
    DownItem->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Down));
    connect(UpItem, &QAction::triggered, this, &ListController::moveTrackUp);
    connect(DownItem, &QAction::triggered, this, &ListController::moveTrackDown);
    connect(CopyItem, &QAction::triggered, this, &ListController::cloneSelectedTrack);
    connect(DelItem, &QAction::triggered, this, &ListController::deleteSelectedTracks);
    connect(EditTrackBtn, &QAction::triggered, this, &ListController::editAsked);

    popupMenu_ = new QMenu(listPanel_);
    popupMenu_->setObjectName("PopupMenu1");
    popupUpAction_ = namedAction(this, "N10", "Вверх");
    popupDownAction_ = namedAction(this, "N22", "Вниз");
    popupCloneAction_ = namedAction(this, "N23", "Копировать");
    popupDeleteAction_ = namedAction(this, "N24", "Удалить");
    popupEditAction_ = namedAction(this, "N25", "Редактировать");
    popupMenu_->addActions({popupUpAction_, popupDownAction_, popupCloneAction_, popupDeleteAction_,
                            popupEditAction_});
    // Each pop-up item runs its tool button's command while that button is enabled.
    const std::pair<QAction*, QAction*> popup[] = {{popupUpAction_, UpItem},
                                                   {popupDownAction_, DownItem},
                                                   {popupCloneAction_, CopyItem},
                                                   {popupDeleteAction_, DelItem},
                                                   {popupEditAction_, EditTrackBtn}};
    for (auto [item, button] : popup) {
        connect(item, &QAction::triggered, button, [button] {
            if (button->isEnabled()) button->trigger();
        });
    }
    connect(popupMenu_, &QMenu::aboutToShow, this, [popup] {
        for (auto [item, button] : popup) item->setEnabled(button->isEnabled());
    });
}

QList<QAction*> ListController::actions() const {
    return {UpItem, DownItem, CopyItem, DelItem, EditTrackBtn};
}

void ListController::connectViews() {
    auto connectView = [this](QAbstractItemView* view, LevelsViewEvents* events) {
        connect(view, &QAbstractItemView::clicked, this, &ListController::rowClicked);
        connect(view, &QAbstractItemView::doubleClicked, this, &ListController::rowDoubleClicked);
        connect(view, &QWidget::customContextMenuRequested, this, &ListController::showPopup);
        connect(events, &LevelsViewEvents::arrowReleased, this,
                &ListController::levelsArrowReleased);
        connect(events, &LevelsViewEvents::deletePressed, this,
                &ListController::levelsDeletePressed);
        connect(events, &LevelsViewEvents::openPressed, this, &ListController::rowDoubleClicked);
        connect(events, &LevelsViewEvents::rowsDropped, this, &ListController::levelsDropped);
    };
    connectView(LevelsList, LevelsList->events());
    connectView(LevelsTree, LevelsTree->events());
}

void ListController::useViewMode() {
    const bool tree = app_.ViewMode == kTreeView;
    LevelsList->setVisible(!tree);
    LevelsTree->setVisible(tree);
    if (tree) {
        treeModel_ = new LevelsTreeModel(app_.doc.Rows, this);
        LevelsTree->setModel(treeModel_);
        connect(treeModel_, &QAbstractItemModel::modelReset, LevelsTree, &QTreeView::expandAll);
        LevelsTree->expandAll();
    } else {
        listModel_ = new LevelsListModel(app_.doc.Rows, this);
        LevelsList->setModel(listModel_);
    }
}

QAbstractItemView* ListController::currentView() const {
    if (app_.ViewMode == kTreeView) return LevelsTree;
    return LevelsList;
}

// The list's selected row is its first selected row; the tree's is the node
// that last took the selection.
int ListController::selectedRow() const {
    if (app_.ViewMode == kTreeView) {
        if (!treeModel_) return -1;
        const QModelIndex current = LevelsTree->currentIndex();
        if (!LevelsTree->selectionModel()->isSelected(current)) return -1;
        return treeModel_->rowOf(current);
    }
    const std::vector<int> rows = currentRows();
    return rows.empty() ? -1 : rows.front();
}

int ListController::selectedTrack() const {
    const int r = selectedRow();
    return r < 0 ? 0 : app_.doc.Rows.data(r);
}

std::vector<int> ListController::currentRows() const {
    std::vector<int> rows;
    QAbstractItemView* view = currentView();
    if (!view->selectionModel()) return rows;
    for (const QModelIndex& i : view->selectionModel()->selectedIndexes())
        rows.push_back(app_.ViewMode == kTreeView ? treeModel_->rowOf(i) : listModel_->rowOf(i));
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ListController::selectRow(int row) {
    QAbstractItemView* view = currentView();
    const QModelIndex i =
        app_.ViewMode == kTreeView ? treeModel_->indexOfRow(row) : listModel_->indexOfRow(row);
    if (!i.isValid()) return;
    view->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect |
                                                   QItemSelectionModel::Rows);
    view->scrollTo(i);
}

void ListController::selectFirstTrack() {
    const LevelRows& rows = app_.doc.Rows;
    for (int r = 1; r < rows.size(); ++r) {
        if (rows.isHeader(r)) continue;
        selectRow(r);
        return;
    }
}

// The first track comes selected, and the commands act on it at once.
void ListController::packReplaced() {
    Buttons = ListButtons{};
    applyButtons();
    selectFirstTrack();
    if (selectedRow() > 0) rowClicked();
}

// A track was closed: its row (or, for a new track never stored, the row
// selected before) is selected again, the commands act on it and the list
// has the keys.
void ListController::resumeAfterEditing(int track) {
    const int row = track > 0 ? app_.doc.Rows.findTrack(track) : -1;
    if (row >= 0) selectRow(row);
    if (selectedRow() >= 0) {
        rowClicked();
    } else {
        Buttons = ListButtons{};
        applyButtons();
    }
    currentView()->setFocus(Qt::OtherFocusReason);
}

void ListController::disableCommands() {
    Buttons = ListButtons{};
    applyButtons();
}

void ListController::applyButtons() {
    UpItem->setEnabled(Buttons.UpItem);
    DownItem->setEnabled(Buttons.DownItem);
    CopyItem->setEnabled(Buttons.CopyItem);
    DelItem->setEnabled(Buttons.DelItem);
    EditTrackBtn->setEnabled(Buttons.EditTrackBtn);
}

int ListController::enterNewTrack(int j, bool atEnd) {
    const int row = ops_->enterNewTrack(j, atEnd, selectedRow());
    if (app_.ViewMode == kListView) selectRow(row);
    return row;
}

void ListController::renameTrackRow(int j, const std::string& name) {
    const int row = app_.doc.Rows.findTrack(j);
    if (row < 0) return;
    const std::string sep = app_.ViewMode == kTreeView ? "+/" : "/";
    app_.doc.Rows.setCaption(row, std::to_string(j) + sep + name);
}

// A click on a row of the list or the tree. The commands act only on a
// track row shown selected: with a header or nothing selected they are off; Delete
// stays on while any track row is among the selected ones.
void ListController::rowClicked() {
    const int r = selectedRow();
    const bool track = ops_->selectRow(r);
    if (r < 0 || app_.doc.Rows.isHeader(r)) Buttons = ListButtons{};
    Buttons.DelItem = Buttons.DelItem || !selectedTracks().empty();
    applyButtons();
    if (track) emit previewAsked(CurItem.Track);
}

// LevelsListKeyUp / LevelsTreeKeyUp: the keys that move the selection select
// a track row like a click; onto a header row they change nothing, so the
// commands and the preview keep the last track's.
void ListController::levelsArrowReleased() {
    const int r = selectedRow();
    if (r >= 0 && !app_.doc.Rows.isHeader(r)) rowClicked();
}

// LevelsListKeyDown / LevelsTreeKeyDown
void ListController::levelsDeletePressed() {
    if (!selectedTracks().empty()) deleteSelectedTracks();
}

// The selected rows that are track rows.
std::vector<int> ListController::selectedTracks() const {
    std::vector<int> rows = currentRows();
    std::erase_if(rows, [this](int r) { return app_.doc.Rows.isHeader(r); });
    return rows;
}

// A double click on a row of the list or the tree, or Enter.
void ListController::rowDoubleClicked() {
    const int r = selectedRow();
    if (r >= 0 && !app_.doc.Rows.isHeader(r)) emit editAsked();
}

void ListController::showPopup(QPoint at) {
    rowClicked(); // the right click has selected the row under the pointer
    popupMenu_->popup(currentView()->viewport()->mapToGlobal(at));
}

bool ListController::rowEdit(int line, const std::function<void()>& change) {
    return app_.doc.edit(StepName(line), change);
}

void ListController::finish() {
    applyButtons();
    emit rowsEdited();
}

// moveTrackUp
void ListController::moveTrackUp() {
    bool moved = false;
    rowEdit(kLineStepMoveTrack, [&] { moved = ops_->moveUp(); });
    if (moved) selectRow(CurItem.Row);
    finish();
}

// moveTrackDown
void ListController::moveTrackDown() {
    bool moved = false;
    rowEdit(kLineStepMoveTrack, [&] { moved = ops_->moveDown(); });
    if (moved) selectRow(CurItem.Row);
    finish();
}

// cloneSelectedTrack
void ListController::cloneSelectedTrack() {
    if (selectedRow() < 0) return;
    CloneResult result = CloneResult::Nothing;
    rowEdit(kLineStepCloneTrack, [&] { result = ops_->cloneTrack(); });
    if (result == CloneResult::Full) app_.ask().warning(app_.window, packFullText(app_));
    finish();
}

// deleteSelectedTracks: asks about the selected track rows and removes them.
void ListController::deleteSelectedTracks() {
    const std::vector<int> rows = selectedTracks();
    if (!rows.empty() && app_.ask().confirm(app_.window, app_.Lang.format(63, int(rows.size())))) {
        int removed = 0;
        app_.doc.edit(StepName(kLineStepDeleteTracks, int(rows.size())),
                      [&] { removed = ops_->deleteRows(rows); });
        currentView()->setFocus();
        followSelection();
    }
    finish();
}

// LevelsListDragDrop / LevelsTreeDragDrop
void ListController::levelsDropped(QPoint at) {
    DropPoint point;
    if (app_.ViewMode == kTreeView) {
        for (int g = 1; g <= kGroups; ++g)
            point.expanded[size_t(g)] = LevelsTree->isExpanded(treeModel_->groupNode(g));
        const QModelIndex i = LevelsTree->indexAt(at);
        point.shownRow = i.isValid() ? ops_->shownOf(treeModel_->rowOf(i), point.expanded) : -1;
    } else {
        const QModelIndex i = LevelsList->indexAt(at);
        point.shownRow = i.isValid() ? i.row() : -1;
    }
    const std::vector<int> rows = currentRows();
    rowEdit(kLineStepDropTracks, [&] { ops_->drop(rows, point); });
    followSelection();
    finish();
}

// After a delete or a drop the rows have moved under the selection state. It
// follows the track row the view shows selected, so the commands act on what
// the user sees; with none the list commands go off, and the preview of a
// track that was deleted goes too.
void ListController::followSelection() {
    const int r = selectedRow();
    if (r >= 0 && !app_.doc.Rows.isHeader(r)) {
        rowClicked();
        return;
    }
    Buttons = ListButtons{};
    applyButtons();
    if (app_.doc.Rows.findTrack(CurItem.Track) < 0) emit previewAsked(0);
}

// Undo or redo changed the rows: the first track row that changed is
// selected, so the user sees what came back or went.
void ListController::afterRestore(int firstRow) {
    const LevelRows& rows = app_.doc.Rows;
    int r = std::clamp(firstRow, 0, rows.size() - 1);
    while (r < rows.size() && rows.isHeader(r)) ++r;
    if (r >= rows.size())
        for (r = std::min(firstRow, rows.size() - 1); r > 0 && rows.isHeader(r); --r) {
        }
    if (r > 0 && !rows.isHeader(r)) {
        selectRow(r);
        rowClicked();
    } else {
        followSelection();
    }
    emit rowsEdited();
}

} // namespace korvo
