#pragma once
// The level list side of the main window: the flat list and the tree over
// the document's rows, the selection, the five list commands (tool buttons,
// pop-up menu, keys) and the "add a track" box under the list. Each list
// command is one undoable step of the document.

#include "app_context.h"
#include "list/cur_item.h"
#include "list/row_ops.h"

#include <QObject>
#include <QPoint>
#include <memory>
#include <vector>

class QAbstractItemView;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QWidget;

namespace korvo {

class LevelsListModel;
class LevelsListView;
class LevelsTreeModel;
class LevelsTreeView;

class ListController : public QObject {
    Q_OBJECT
public:
    // Builds the list side (`listPanel_`) inside `parent` and the list commands.
    ListController(AppContext& app, QWidget* parent);
    ~ListController() override;

    QWidget* panel() const { return listPanel_; }
    // UpItem, DownItem, CopyItem, DelItem, EditTrackBtn: for the tool bar.
    QList<QAction*> actions() const;
    QLineEdit* newTrackName() const { return NameNewTrack; }
    QMenu* popupMenu() const { return popupMenu_; }
    QPushButton* newTrackButton() const { return NewTrack; }
    QAbstractItemView* currentView() const;
    const TCurItem& current() const { return CurItem; }

    // The view chosen for the run shows the rows; the other stays hidden.
    void useViewMode();
    // The selected row of the view in use (-1: none) and its track (0 with
    // no selection, -1 for a header row).
    int selectedRow() const;
    int selectedTrack() const;
    std::vector<int> currentRows() const;
    void selectRow(int row);
    void selectFirstTrack();
    // A pack was read or made: the selection state names no row of it.
    void packReplaced();
    // The list commands stay off while a track is open.
    void disableCommands();
    // A track was closed (0: a new track was dropped): its row selected, the
    // commands on and the keys in the list.
    void resumeAfterEditing(int track);
    void applyButtons();
    // Enters a stored new track j as a row by the NewLevel rule; returns its row.
    int enterNewTrack(int j, bool atEnd);
    // The caption of track j's row after it was stored.
    void renameTrackRow(int j, const std::string& name);

    // A click on a row: the row the view shows selected is
    // taken into the selection state; the commands and the preview follow it.
    void rowClicked();
    // The commands.
    void moveTrackUp();
    void moveTrackDown();
    void cloneSelectedTrack();
    void deleteSelectedTracks();

signals:
    void previewAsked(int track); // show the preview of this track (0: none)
    void editAsked();             // open the selected track for editing
    void rowsEdited();            // a list command changed the rows

private:
    void buildPanel(QWidget* parent);
    void buildCommands();
    void connectViews();
    void levelsArrowReleased();
    void levelsDeletePressed();
    void rowDoubleClicked();
    void levelsDropped(QPoint at);
    void showPopup(QPoint at);
    void followSelection();
    std::vector<int> selectedTracks() const;
    void afterRestore(int firstRow);
    void finish();
    bool rowEdit(int line, const std::function<void()>& change);

    AppContext& app_;
    TCurItem CurItem; // the selected track row
    ListButtons Buttons;
    std::unique_ptr<RowOps> ops_;
    LevelsListModel* listModel_ = nullptr;
    LevelsTreeModel* treeModel_ = nullptr;

    QWidget* listPanel_; // the list side
    QLabel* titleLabel_; // "Компоновка треков"
    LevelsListView* LevelsList;
    LevelsTreeView* LevelsTree;
    QGroupBox* newTrackBox_;    // " Добавление трека"
    QLabel* newTrackNameLabel_; // "Название"
    QLineEdit* NameNewTrack;
    QPushButton* NewTrack; // "Начать"
    QAction *UpItem, *DownItem, *CopyItem, *DelItem, *EditTrackBtn;
    QMenu* popupMenu_;
    QAction *popupUpAction_, *popupDownAction_, *popupCloneAction_, *popupDeleteAction_,
        *popupEditAction_; // "Вверх", "Вниз", "Копировать", "Удалить", "Редактировать"
};

} // namespace korvo
