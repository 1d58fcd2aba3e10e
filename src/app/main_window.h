#pragma once
// TForm1, the main window of the editor. It owns all state of a run: the
// open pack (`Tracks`, the rows, `PackFileName`), the second pack read for
// copying (`ImportTracks`), the selection (`CurItem`), the application flags
// and the language lines. Other parts take these by reference.
//
// The window is written in several files, one per concern:
//   main_window.cpp          creation, layout, menus, tool bar, status bar
//   main_window_files.cpp    first activation, New/Open/Save/Save as, Exit, close rules, Help
//   main_window_rows.cpp     the level views' events and the list commands
//   main_window_status.cpp   status bar texts (wmode, count text)
//   main_window_editor.cpp   opening and closing a track (the editor side)
//   main_window_preview.cpp  the track preview in `previewimg`
//   main_window_settings.cpp settings, options dialog, autosave, language, recent packs
//
// API for the editor, preview and settings code (all on the GUI thread):
//   wmode()                   rebuild the mode and pack-state texts (status panels 2 and 3)
//                             and enable SaveTProp when the open track is modified
//   setPackModified()         PackModified := true, then wmode()
//   updateCountText()         status panel 4 := "[e/m/h]" from Tracks.GroupCount
//   UpdateCntNum()            renumber Group/NumInGroup/GroupCount from the rows
//   selectedRow()             the selected row of the view in use, or -1
//   selectedTrack()           its track number, -1 for a header row, 0 with no selection
//   currentRows()             all selected rows of the view in use, in row order
//   selectRow(r)              select row r alone and scroll it into view
//   insertNewTrackRow(j, atEnd) enter new track j as a row (head or end), renumber,
//                             refresh the count text; returns its row
//   setRowCaption(r, text)    change the caption of row r (Unicode text)
//   VisiblePanel(panel)       show Panel1 (track properties) or Panel2 (track list)
//   showCanvas(on)            show Panel5 (canvas) instead of Panel7 (preview), or back
//   setStatusText(i, text)    status panel i (0..4)
//   applyListButtons()        enable the five list buttons from `Buttons`
//   openPackFile(path)        read a pack as Open does after its dialog (recent files)
//   SaveAllTracksClick()      save the pack to PackFileName (autosave)
//   setPrompts(p)             replace message boxes and file dialogs (tests)
//   Style                     colours by ColorMode, Node1, VMoto of the canvas and the
//                             previews; the settings fill it, then call styleChanged()
//                             (pntnd follows the panel's check box "Точки на узлах")
//   styleChanged()            repaint the canvas and the previews in the current Style
//   NewLevel                  where "Сохранить и Закрыть" enters a new track: 0 at the
//                             head of the first group, 1 at the end of the last
//   editorOpen()              a track is open in the properties panel (new or existing)
//   Settings                  the options of "opt.ini" as read at start-up and applied since

#include "editor/canvas_style.h"
#include "editor/node_editor.h"
#include "list/cur_item.h"
#include "list/level_rows.h"
#include "list/row_ops.h"
#include "pack/app_flags.h"
#include "pack/track_info.h"
#include "settings/lang_lines.h"
#include "settings/options.h"

#include <QMainWindow>
#include <memory>

class QAbstractItemView;
class QAction;
class QActionGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollArea;
class QTimer;
class QToolBar;

namespace korvo {

class ImageBox;
class Tcorrxywnd;
class Tpreimg_f;
class TrackCanvas;
class TrackPropertiesPanel;
class LevelsListModel;
class LevelsListView;
class LevelsTreeModel;
class LevelsTreeView;
class Prompts;
class RecentFiles;
class TAbout_f;
class Toptions_f;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kAppTitle = "Korvo Track Editor 3";

    // The base folder is the current directory. `viewMode` chooses the list
    // (0) or the tree (1); -1 takes it from the settings.
    explicit TForm1(int viewMode = -1, QWidget* parent = nullptr);
    ~TForm1() override;

    // ---- State of the run ----
    TrackTable Tracks;       // the open pack
    TrackTable ImportTracks; // a second pack, read only to copy tracks out of it
    LevelRows Rows;          // the rows of the level list: the order of the pack
    QString PackFileName;    // full path of the open pack
    int ViewMode = kListView;
    TCurItem CurItem; // the selected track row
    AppFlags Flags;
    LangLines Lang;     // the numbered texts of the interface language
    Options Settings;   // the settings of "opt.ini" as read at start-up and applied since
    QString BaseFolder; // the current directory at start-up
    ListButtons Buttons;
    // The track editor: the working copy of the open track, the panel's
    // session on it, the mouse gestures, and the look of canvas and previews.
    EditorState Editor;
    TrackSession Session{Tracks, Editor, Flags};
    NodeEditor Nodes{Session};
    CanvasStyle Style;
    int NewLevel = 0; // 0: a stored new track heads the first group; 1: ends the last
    RowOps& ops() { return *ops_; }

    // ---- API for the other parts (see the list above) ----
    void wmode();
    void setPackModified();
    void updateCountText();
    void UpdateCntNum();
    int selectedRow() const;
    int selectedTrack() const;
    std::vector<int> currentRows() const;
    void selectRow(int row);
    int insertNewTrackRow(int j, bool atEnd);
    void setRowCaption(int row, const QString& caption);
    void VisiblePanel(QWidget* panel);
    void showCanvas(bool on);
    void setStatusText(int panel, const QString& text);
    QString statusText(int panel) const;
    void applyListButtons();
    bool openPackFile(const QString& path);
    bool SaveAllTracksClick();
    void setPrompts(std::unique_ptr<Prompts> prompts);
    Prompts& prompts() { return *prompts_; }
    QAbstractItemView* currentView() const;
    void styleChanged();
    bool editorOpen() const { return editorOpen_; }

    // ---- Commands (menu items, tool buttons, pop-up items) ----
    void NewLevelsClick();      // File > New
    void N16Click();            // File > Open
    void mrg1Click();           // File > Save as
    void N7Click();             // File > Exit
    void N14Click();            // Help > Contents
    void N2Click();             // Help > About (disabled)
    void UpItem1Click();        // move up
    void DownItem1Click();      // move down
    void CopyItemClick();       // clone
    void DelItem1Click();       // delete
    void EditTrackBtnClick();   // open the selected track for editing
    void NewTrackClick();       // "Начать": draw a new track named in NameNewTrack
    void SaveTPropClick();      // "Сохранить и Закрыть": store the open track
    void ClosePropClick();      // "Закрыть без сохранения"
    void drawpreimg(int track); // draw the preview of a track into previewimg
    void preimgClick(); // "Предпросмотр трека": show or hide the floating preview

    // Settings (main_window_settings.cpp)
    void N19Click();                          // "Настройки": the options dialog
    void vitemClick(const QString& path);     // File > "Выбрать" > a recent pack
    void autotimeTimer();                     // autosave tick
    const QStringList& LastFilesList() const; // the recent packs, in menu order

    // ---- Controls (objectName = member name) ----
    // Main menu
    QMenu* N1;       // "Файл"
    QAction* N4;     // "Новый *.mrg"
    QAction* N16;    // "Открыть *.mrg"
    QAction* jar1;   // "Создать готовую игру *.jar"
    QAction* N6;     // "Сохранить *.mrg"
    QAction* mrg1;   // "Сохранить как *.mrg"
    QAction* N9;     // "Добавить трек из ..."
    QAction* levv11; // "Добавить *.lev"
    QMenu* N11;      // "Генерация картинок уровней"
    QAction* N12;    // "Выбранный"
    QAction* N13;    // "Все уровни"
    QAction* N17;    // "Отправка уровня на сайт"
    QMenu* N18;      // "Выбрать": recent packs
    QAction* N7;     // "Выход"
    QAction* N19;    // "Настройки"
    QMenu* N3;       // "Помощь"
    QAction* N14;    // "Содержание"
    QAction* N2;     // "О программе"
    QAction* N5;     // hidden notice
    // Pop-up menu of the level views
    QMenu* PopupMenu1;
    QAction* N10; // "Вверх"
    QAction* N22; // "Вниз"
    QAction* N23; // "Копировать"
    QAction* N24; // "Удалить"
    QAction* N25; // "Редактировать"
    // Tool bar
    QToolBar* ToolBar1;
    QAction* UpItem;
    QAction* DownItem;
    QAction* CopyItem;
    QAction* DelItem;
    QAction* EditTrackBtn;
    QAction* preimg;
    QAction* AddPoint;
    QAction* DelPoint;
    QAction* movemap;
    QAction* motopic;
    QActionGroup* nodeTools; // AddPoint, DelPoint, movemap, motopic: one at a time
    // Left side
    QWidget* Panel2;     // the list side
    QLabel* StaticText2; // "Компоновка треков"
    LevelsListView* LevelsList;
    LevelsTreeView* LevelsTree;
    QGroupBox* GroupBox2; // " Добавление трека"
    QLabel* Label5;       // "Название"
    QLineEdit* NameNewTrack;
    QPushButton* NewTrack;        // "Начать"
    TrackPropertiesPanel* Panel1; // the track properties side, shown while a track is open
    // Right side
    QWidget* Panel5; // the editor: the scroll box with the canvas
    QScrollArea* ScrollBox1;
    TrackCanvas* MapImg; // the canvas (820 x 554 at start)
    QWidget* Panel7;     // the preview
    ImageBox* previewimg;
    // Tool windows
    Tcorrxywnd* corrxywnd; // exact coordinates of one node (Ctrl + left click)
    Tpreimg_f* preimg_f;   // the floating preview of the open track
    // Status bar panels 0..4 (widths 110, 0, 400, 100, 50)
    QLabel* StatusPanels[5];
    TAbout_f* About_f;
    Toptions_f* options_f;
    QTimer* autotime = nullptr; // autosave every Savetime minutes

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // main_window.cpp
    void buildMenus();
    void buildToolBar();
    void buildLeftSide(QWidget* parent);
    void buildRightSide(QWidget* parent);
    void buildStatusBar();
    void useViewMode();
    // main_window_files.cpp
    void FormActivate();
    bool Load1Click(const QString& path);
    void makeNewPack();
    bool mayReplacePack();
    bool askProceed(int rule);
    void setTitle();
    void leaveEditor();
    void afterPackReplaced();
    // main_window_rows.cpp
    void connectViews();
    void levelsClick();
    void levelsArrowReleased();
    void levelsDeletePressed();
    void levelsDblClick();
    void levelsDropped(QPoint at);
    void showPopup(QPoint at);
    void selectFirstTrack();
    void finishRowCommand();
    void followSelection();
    // main_window_editor.cpp
    void connectEditor();
    void openEditor(bool newTrack);
    void closeEditor(const CloseOutcome& closed);
    void showSessionValues();
    int viewHeight() const;
    void setMenusForEditing(bool editing);
    void ListLenTSelect(int t);
    void UpdateTInfoClick();
    void movePlayer(bool up);
    void editorMessage(EditorMessage message, const QString& field = {});
    // main_window_canvas.cpp
    void connectCanvas();
    void syncToolButtons();
    void editorModeChanged();
    void openCorrection(int node);
    void toolClick(GestureOutcome (NodeEditor::*click)());
    // main_window_preview.cpp
    void connectPreview();
    void refreshFloatingPreview();
    void FormClose();
    // main_window_settings.cpp
    void LoadOptions();
    void CreateIni2Menu();
    void Loadlang();
    void addRecentFile(const QString& path);
    void useSettings();
    void optionsApplied();
    void reportStartProblems();

    std::unique_ptr<RowOps> ops_;
    std::unique_ptr<Prompts> prompts_;
    LevelsListModel* listModel_ = nullptr;
    LevelsTreeModel* treeModel_ = nullptr;
    QString appTitle_ = kAppTitle;
    bool exitConfirmed_ = false; // File > Exit has decided already
    bool sessionEnding_ = false; // the desktop session ends: close without asking
    int requestedViewMode_ = -1;
    std::unique_ptr<RecentFiles> recent_;
    QStringList startProblems_;        // reported once the window is up
    bool recentNotSavedShown_ = false; // a failed write of the recent packs is told once
    bool editorOpen_ = false;
    std::vector<std::pair<QAction*, bool>> menusBeforeEditing_; // enabled state to restore
};

using MainWindow = TForm1;

} // namespace korvo
