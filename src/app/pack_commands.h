#pragma once
// The pack commands of the "Файл" menu: New, Open, Save, Save as, the recent
// packs, Exit and the close rules, and the autosave timer. New and Open start
// the document's history afresh; Save marks its clean state.

#include "app_context.h"
#include "pack/file_identity.h"
#include "pack/flag_rules.h"
#include "pack/pack_file.h"
#include "settings/pack_lock.h"

#include <QObject>
#include <future>
#include <memory>
#include <optional>

class QAction;
class QMenu;
class QTimer;

namespace korvo {

class EditorController;
class ListController;
class RecentFiles;

// A pack file read on another thread: the start pack, while the window is
// built.
struct PackReadAhead {
    QString path;
    std::future<std::unique_ptr<PackRead>> read;
    static PackReadAhead start(const QString& path);
};

class PackCommands : public QObject {
    Q_OBJECT
public:
    PackCommands(AppContext& app, ListController& list, EditorController& editor, QWidget* window);
    ~PackCommands() override;

    // By object name: "N4", "N16", "N6", "mrg1" and "N7".
    QAction* action(const char* name) const;
    QMenu* recentMenu() const { return recentMenu_; }
    QTimer* autosaveTimer() const { return autotime; }

    // openStartPack, once: read `startPack` (named on the command line) or
    // "levels.mrg" of the base folder, or start a new pack. A start pack that
    // is missing or refused is left aside; the returned text says why, to be
    // told once the window is up. `ahead` is that file read already, when
    // it was started for the same path.
    QString openStartPack(const QString& startPack = {}, PackReadAhead ahead = {});
    void newPack();                           // File > New
    void openPackDialog();                    // File > Open
    bool openPackFile(const QString& path);   // Open after its dialog (recent packs too)
    bool savePack();                          // File > Save
    void savePackAs();                        // File > Save as
    void exitAsked();                         // File > Exit
    void openRecentPack(const QString& path); // File > "Выбрать" > a recent pack
    void autosaveTick();                      // autosave tick
    void buildRecentMenu();                   // the recent packs from "opt.ini"
    const QStringList& LastFilesList() const;
    // The window's close query: true when it may close.
    bool mayCloseWindow();
    // The desktop session ends: close without asking.
    void sessionEnding() { sessionEnding_ = true; }
    bool endsWithSession() const { return sessionEnding_; }
    // The pack's file as this window last read or saved it.
    const FileIdentity& knownIdentity() const { return identity_; }
    // A recovered session takes the window: its pack, with the file's
    // identity as that session knew it (a file changed since is asked about
    // at the next save).
    void adoptRecovered(const QString& path, const FileIdentity& identity);
    // The window got the focus: a pack another program changed on disk is
    // offered for reloading, or the user is told that it changed.
    void checkDiskOnFocus();

signals:
    void packReplaced();                     // New or Open put another pack in place
    void statusMessage(const QString& text); // a note for the status bar

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool loadPack(const QString& path);
    // False when another editor has `path` open and the user would rather not.
    bool mayOpenBeside(const QString& path);
    // This editor has `path` open now: other editors are told.
    void lockPack(const QString& path);
    // The pack as this session opened it is kept in the user's state folder
    // before the first save or autosave replaces it, until the session with
    // that pack ends cleanly (another pack opened, the window closed).
    void keepAsOpened(const QString& path);
    void dropAsOpened();
    Message readPack(const QString& path, PackReadAhead* ahead = nullptr);
    void makeNewPack();
    bool mayReplacePack(bool forNew = false);
    bool askProceed(int rule, bool forNew = false);
    UnsavedWork unsaved() const;
    void addRecentFile(const QString& path);
    // The open pack into its file (or `to`, which it then takes), with no question.
    bool writePack(const QString& to = {});
    bool saveUnderNewName(); // Save as
    bool changedOnDisk() const;
    // The version of `path` this window knows: read or written here.
    void remember(const QString& path, std::optional<FileIdentity> identity = std::nullopt);

    AppContext& app_;
    ListController& list_;
    EditorController& editor_;
    QAction *newPackAction_, *openPackAction_, *saveAction_, *saveAsAction_, *exitAction_;
    QMenu* recentMenu_; // "Выбрать": recent packs
    QTimer* autotime;
    std::unique_ptr<RecentFiles> recent_;
    bool exitConfirmed_ = false;       // File > Exit has decided already
    bool sessionEnding_ = false;       // the desktop session ends: close without asking
    bool recentNotSavedShown_ = false; // a failed write of the recent packs is told once
    // The pack file as it was read or last saved here; a file on disk that
    // differs was changed by another program.
    QString identityPath_;
    FileIdentity identity_;
    FileIdentity toldOnDisk_;        // the changed version the user was told about on focus
    bool autosaveHeldShown_ = false; // "changed on disk" told once for the autosave
    bool focusCheckDue_ = false;
    std::unique_ptr<PackLock> lock_; // one editor per pack
    QString lockedPack_;
    QString openedPack_;   // the pack as read this session
    QString asOpenedCopy_; // its copy, once a save was about to replace it
};

} // namespace korvo
