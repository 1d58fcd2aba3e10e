#pragma once
// MainWindow, the main window of the editor. It assembles the parts and holds no
// rule of its own:
//   AppContext        the open pack (PackDocument with its history), flags,
//                     language, settings, canvas style, questions, base folder
//   ListController    the list and tree, the selection, the list commands
//   EditorController  the properties panel, canvas, tools, correction window, previews
//   PackCommands      New, Open, Save, Save as, recent packs, Exit, close rules, autosave
//   ImportCommands    tracks from other packs and ".lev" files, ".lev" export, level pictures
// The window builds the menus, the tool bar and the status bar around them,
// the Edit menu with undo and redo over the document's and the open track's
// histories, and follows their signals: status texts, title, count text.
//
// The window is written in a few files:
//   main_window.cpp          creation, layout, menus, tool bar, status bar
//   main_window_follow.cpp   what follows the parts' signals: status, title, undo texts
//   main_window_settings.cpp settings, options dialog, language, help, about

#include "app_context.h"
#include "pack_commands.h"
#include "settings/options.h"
#include "settings/ui/lang_apply.h"

#include <QHash>
#include <QMainWindow>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QShortcut;
class QToolBar;
class QUndoGroup;

namespace korvo {

class EditorController;
class HelpWindow;
class ImportCommands;
class RideCommands;
class RecoveryKeeper;
class ListController;
class AboutBox;
class SubmissionWindow;
class OptionsDialog;

// How the window starts: its base folder (empty: the current folder), the
// pack to open instead of the base folder's "levels.mrg" (empty: that one),
// and problems met before the window was made, told once it is up.
struct WindowStart {
    QString baseFolder;
    QString pack;
    QStringList problems;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kAppTitle = "Korvo Track Editor 3";
    static constexpr int kStatusNoteMs = 60000; // how long a note stays over the panels

    // `view` chooses the list or the tree; without it the setting VList
    // decides. `start` names the base folder and the start-up pack.
    explicit MainWindow(std::optional<ListView> view = std::nullopt, const WindowStart& start = {},
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    AppContext& app() { return app_; }
    PackDocument& document() { return app_.doc; }
    ListController& list() { return *list_; }
    EditorController& editor() { return *editor_; }
    PackCommands& packCommands() { return *pack_; }
    RecoveryKeeper& recovery() { return *recovery_; }
    // The windows opened from the menus, built when first asked for (the
    // start-up paints the main window without them).
    OptionsDialog& optionsDialog();
    AboutBox& aboutBox();
    SubmissionWindow& submissionWindow();
    // The manual, in the interface language; built when first asked for.
    HelpWindow& helpWindow();
    // Opens the manual on `page` over the window that is active.
    void showHelpPage(const QString& page);
    // The manual's page for where the user is in `active` (F1).
    QString helpPageFor(const QWidget* active) const;
    // Replaces message boxes and file dialogs (tests).
    void setPrompts(std::unique_ptr<Prompts> prompts);
    QString statusText(int panel) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override; // F1 in any of its windows
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override; // files from the file manager
    void dropEvent(QDropEvent* event) override;

private:
    // main_window.cpp
    void buildMenus();
    void buildEditMenu();
    void buildToolBar();
    void buildStatusBar();
    void connectParts();
    // main_window_follow.cpp
    void showModeTexts();
    void updateCountText();
    void setTitle();
    void setMenusForEditing(bool editing);
    void editorOpenChanged(bool open);
    void refreshUndoTexts();
    void undoStep();
    void redoStep();
    // main_window_settings.cpp
    void LoadOptions();
    void loadLanguage();
    void useSettings();
    void optionsApplied();
    void reportStartProblems();
    void showOptions(); // "Настройки"
    void showHelp();    // Help > Contents
    void showAbout();   // Help > About (disabled)
    void buildGameArchive(); // "Создать готовую игру *.jar": start the game-archive packer

    AppContext app_;
    std::optional<ListView> requestedView_;
    QString startPack_;               // opened at the first show instead of the base folder's pack
    PackReadAhead startRead_;         // that pack, read on another core while the window is built
    OptionsLoad optionsLoad_;         // the settings as read before the window was built
    std::future<LangRead> langAhead_; // their language, read on another core meanwhile
    ListController* list_ = nullptr;
    EditorController* editor_ = nullptr;
    PackCommands* pack_ = nullptr;
    RecoveryKeeper* recovery_ = nullptr;
    ImportCommands* import_ = nullptr;
    RideCommands* ride_ = nullptr;
    HelpWindow* help_ = nullptr;
    QUndoGroup* undoGroup_ = nullptr;
    QStringList startProblems_; // reported once the window is up
    // A problem with "opt.ini" at start-up: its message line, the reason, and
    // its place among startProblems_.
    struct SettingsProblem {
        int line = 0;
        Message why;
        qsizetype at = 0;
    } settingsProblem_;
    QString appTitle_ = kAppTitle;
    // The keys of the commands that wait while a track is open, which then
    // tell why; by key text.
    QHash<QString, QShortcut*> blockedKeys_;

    // Main menu
    QMenu* fileMenu_; // "Файл"
    QAction *gameArchiveAction_, *submitAction_;
    QMenu* EditMenu; // "Правка"
    QAction *EditUndo, *EditRedo;
    QAction* optionsAction_; // "Настройки"
    QMenu* helpMenu_;        // "Помощь"
    QAction *helpContentsAction_, *aboutAction_,
        *noticeAction_; // "Содержание", "О программе", hidden notice
    QToolBar* toolBar_;
    QLabel* StatusPanels[5];     // widths 110, 0, 400, 100, 50
    QLabel* ZoomPanel;           // "25%" at the right end
    AboutBox* About_f = nullptr; // these three: nullptr until first opened
    OptionsDialog* options_f = nullptr;
    SubmissionWindow* levtomail_f = nullptr; // "Отправка уровня на сайт"
};

using MainWindow = MainWindow;

} // namespace korvo
