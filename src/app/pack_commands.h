#pragma once
// The pack commands of the "Файл" menu: New, Open, Save, Save as, the recent
// packs, Exit and the close rules, and the autosave timer. New and Open start
// the document's history afresh; Save marks its clean state.

#include "app_context.h"
#include "pack/flag_rules.h"

#include <QObject>
#include <memory>

class QAction;
class QMenu;
class QTimer;

namespace korvo {

class EditorController;
class ListController;
class RecentFiles;

class PackCommands : public QObject {
    Q_OBJECT
public:
    PackCommands(AppContext& app, ListController& list, EditorController& editor, QWidget* window);
    ~PackCommands() override;

    // N4, N16, N6, mrg1 and N7, and the recent packs submenu N18.
    QAction* action(const char* name) const;
    QMenu* recentMenu() const { return N18; }
    QTimer* autosaveTimer() const { return autotime; }

    // FormActivate, once: read `startPack` (named on the command line) or
    // "levels.mrg" of the base folder, or start a new pack. A start pack that
    // is missing or refused is left aside; the returned text says why, to be
    // told once the window is up.
    QString FormActivate(const QString& startPack = {});
    void NewLevelsClick();                  // File > New
    void N16Click();                        // File > Open
    bool openPackFile(const QString& path); // Open after its dialog (recent packs too)
    bool SaveAllTracksClick();              // File > Save, and autosave
    void mrg1Click();                       // File > Save as
    void N7Click();                         // File > Exit
    void vitemClick(const QString& path);   // File > "Выбрать" > a recent pack
    void autotimeTimer();                   // autosave tick
    void CreateIni2Menu();                  // the recent packs from "opt.ini"
    const QStringList& LastFilesList() const;
    // The window's close query: true when it may close.
    bool mayCloseWindow();
    // The desktop session ends: close without asking.
    void sessionEnding() { sessionEnding_ = true; }

signals:
    void packReplaced(); // New or Open put another pack in place

private:
    bool Load1Click(const QString& path);
    std::string readPack(const QString& path);
    void makeNewPack();
    bool mayReplacePack(bool forNew = false);
    bool askProceed(int rule, bool forNew = false);
    UnsavedWork unsaved() const;
    void addRecentFile(const QString& path);

    AppContext& app_;
    ListController& list_;
    EditorController& editor_;
    QAction *N4, *N16, *N6, *mrg1, *N7;
    QMenu* N18; // "Выбрать": recent packs
    QTimer* autotime;
    std::unique_ptr<RecentFiles> recent_;
    bool exitConfirmed_ = false;       // File > Exit has decided already
    bool sessionEnding_ = false;       // the desktop session ends: close without asking
    bool recentNotSavedShown_ = false; // a failed write of the recent packs is told once
};

} // namespace korvo
