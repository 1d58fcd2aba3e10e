#include "pack_commands.h"

#include "actions.h"
#include "editor_controller.h"
#include "io/checked_write.h"
#include "io/whole_file.h"
#include "list_controller.h"
#include "pack/flag_rules.h"
#include "pack/pack_file.h"
#include "settings/autosave.h"
#include "settings/recent_files.h"
#include "settings/ui/recent_menu.h"
#include "text/lang_added.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QTimer>

namespace korvo {

namespace {} // namespace

PackCommands::PackCommands(AppContext& app, ListController& list, EditorController& editor,
                           QWidget* window)
    : QObject(window), app_(app), list_(list), editor_(editor) {
    // The locks live in the user's state folder, or in the base folder's own
    // hidden folder when that cannot be made.
    const QString state = userStateFolder();
    lock_ = std::make_unique<PackLock>(
        QDir(state.isEmpty() ? QDir(app.BaseFolder).filePath(".korvote") : state)
            .filePath("locks"));
    newPackAction_ = namedAction(this, "N4", "Новый *.mrg");
    openPackAction_ = namedAction(this, "N16", "Открыть *.mrg");
    saveAction_ = namedAction(this, "N6", "Сохранить *.mrg");
    saveAsAction_ = namedAction(this, "mrg1", "Сохранить как *.mrg");
    exitAction_ = namedAction(this, "N7", "Выход");
    recentMenu_ = namedMenu(window, "N18", "Выбрать");
    newPackAction_->setShortcut(QKeySequence::New);
    openPackAction_->setShortcut(QKeySequence::Open);
    saveAction_->setShortcut(QKeySequence::Save);
    saveAsAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    exitAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(newPackAction_, &QAction::triggered, this, &PackCommands::newPack);
    connect(openPackAction_, &QAction::triggered, this, &PackCommands::openPackDialog);
    connect(saveAction_, &QAction::triggered, this, [this] { savePack(); });
    connect(saveAsAction_, &QAction::triggered, this, &PackCommands::savePackAs);
    connect(exitAction_, &QAction::triggered, this, &PackCommands::exitAsked);

    autotime = new QTimer(this);
    autotime->setObjectName("autotime");
    connect(autotime, &QTimer::timeout, this, &PackCommands::autosaveTick);
    window->installEventFilter(this);
}

// The window closes: the session ended cleanly, the copy of the pack as it
// was opened goes. A crash or a kill leaves it.
PackCommands::~PackCommands() {
    dropAsOpened();
}

QAction* PackCommands::action(const char* name) const {
    for (QAction* a : {newPackAction_, openPackAction_, saveAction_, saveAsAction_, exitAction_})
        if (a->objectName() == name) return a;
    return nullptr;
}

// Problems are returned, not shown: they are told once the window is up.
QString PackCommands::openStartPack(const QString& startPack, PackReadAhead ahead) {
    editor_.drawPreview(0);
    editor_.leaveEditor();
    QStringList problems;
    // A pack another editor has open is opened only when the user says so.
    const bool declined = !startPack.isEmpty() && !mayOpenBeside(startPack);
    const Message why = startPack.isEmpty() || declined ? Message() : readPack(startPack, &ahead);
    if (!startPack.isEmpty() && !declined && why.empty()) {
        addRecentFile(startPack);
    } else {
        if (!why.empty()) problems << app_.text(kLineStartPackNotOpened, app_.Lang.say(why));
        const QString levels = QDir(app_.BaseFolder).filePath("levels.mrg");
        if (!QFileInfo::exists(levels)) {
            makeNewPack();
            app_.Flags.PackWasMissing = true;
        } else if (!mayOpenBeside(levels)) {
            makeNewPack();
        } else if (const Message refused = readPack(levels, &ahead); !refused.empty()) {
            // A pack that cannot be read is kept as it is; a new one is started beside it.
            problems << app_.Lang.say(refused);
            makeNewPack();
        }
    }
    app_.doc.startFresh();
    if (!app_.Flags.PackWasMissing)
        editor_.drawPreview(list_.selectedTrack() > 0 ? list_.selectedTrack() : 0);
    app_.Flags.FirstActivate = false;
    emit packReplaced();
    return problems.join("\n\n");
}

// Reads the pack at `path` into the document. A missing file gives a new
// pack; a file the reader refuses leaves everything as it was.
bool PackCommands::loadPack(const QString& path) {
    if (!QFileInfo::exists(path)) {
        makeNewPack();
        app_.Flags.PackWasMissing = true;
        return true;
    }
    const Message why = readPack(path);
    if (!why.empty()) app_.ask().error(app_.window, QString(), app_.Lang.say(why));
    return why.empty();
}

PackReadAhead PackReadAhead::start(const QString& path) {
    return {path, std::async(std::launch::async, [path] { return readPackFile(path); })};
}

// Reads an existing pack into the document; a refusal ("<path>: <reason>")
// leaves everything as it was. `ahead` gives the file read already when it
// was read for `path`.
Message PackCommands::readPack(const QString& path, PackReadAhead* ahead) {
    const std::unique_ptr<PackRead> read = ahead && ahead->read.valid() && ahead->path == path
                                               ? ahead->read.get()
                                               : readPackFile(path);
    const Message& why = read->why;
    // A file that is no pack at all is told so in the user's words.
    if (why == pathMessage(path, notAPackReason()))
        return pathMessage(path, Message::line(kLineNotAPack));
    if (!why.empty()) return why;
    app_.doc.Tracks.swap(read->tracks);
    Rows& rows = read->rows;
    app_.Flags.PackWasMissing = false;
    remember(path, read->identity);
    autosaveHeldShown_ = false;
    app_.doc.setFileName(path);
    app_.doc.Rows.reset(rows, app_.doc.Tracks);
    list_.packReplaced();
    lockPack(path);
    dropAsOpened();
    openedPack_ = path;
    return {};
}

void PackCommands::adoptRecovered(const QString& path, const FileIdentity& identity) {
    app_.Flags.PackWasMissing = !identity.exists;
    autosaveHeldShown_ = false;
    app_.doc.setFileName(path);
    remember(path, identity);
    lockPack(path);
    dropAsOpened();
    if (identity.exists && fileIdentity(path) == identity) openedPack_ = path;
}

void PackCommands::keepAsOpened(const QString& path) {
    if (path != openedPack_ || !asOpenedCopy_.isEmpty() || !QFileInfo(path).isFile()) return;
    const QString copy =
        asOpenedCopyPath(app_.BaseFolder, path, QCoreApplication::applicationPid());
    std::string bytes;
    if (!QDir().mkpath(QFileInfo(copy).path()) || !readWholeFile(path, bytes).empty()) return;
    // A copy that cannot be written does not stop the save; the ".old" rule still holds.
    if (writeFileChecked(copy, bytes).empty()) asOpenedCopy_ = copy;
}

void PackCommands::dropAsOpened() {
    if (!asOpenedCopy_.isEmpty()) QFile::remove(asOpenedCopy_);
    asOpenedCopy_.clear();
    openedPack_.clear();
}

bool PackCommands::mayOpenBeside(const QString& path) {
    if (!QFileInfo::exists(path)) return true;
    const std::optional<LockHolder> other = lock_->otherHolder(path);
    if (!other) return true;
    const QString since = other->since.toString("yyyy-MM-dd HH:mm");
    return app_.ask().choose(app_.window,
                             app_.text(kLinePackOpenElsewhere, QDir::toNativeSeparators(path),
                                       other->program, QString::number(other->pid), since),
                             {app_.Lang[kLineOpenAnyway], app_.Lang[kLineButtonCancel]}) == 0;
}

// Opened anyway beside another editor, the pack goes without a lock of its own.
void PackCommands::lockPack(const QString& path) {
    if (path == lockedPack_) return;
    lockedPack_ = lock_->take(path, QStringLiteral("korvote")) ? path : QString();
}

// newPack without its question: an empty pack named "levels.mrg", or
// "levels.new.mrg" when the base folder holds "levels.mrg" already.
void PackCommands::makeNewPack() {
    editor_.leaveEditor();
    app_.doc.setFileName(newPackFileName(app_.BaseFolder));
    remember(app_.doc.fileName()); // a file that appears there later is asked about
    lockPack(app_.doc.fileName());
    dropAsOpened();
    autosaveHeldShown_ = false;
    app_.doc.Tracks.ClearArrays();
    app_.doc.Rows.reset();
    list_.packReplaced();
    editor_.drawPreview(0);
}

void PackCommands::newPack() {
    if (!mayReplacePack(true)) return;
    makeNewPack();
    app_.doc.startFresh();
    emit packReplaced();
}

void PackCommands::openPackDialog() {
    if (!mayReplacePack()) return;
    const QString path = app_.ask().openFileName(app_.window, openPackAction_->text(),
                                                 app_.BaseFolder, app_.packFilter(true));
    if (path.isEmpty()) return;
    openPackFile(path);
}

bool PackCommands::openPackFile(const QString& path) {
    if (!mayOpenBeside(path) || !loadPack(path)) return false;
    AppFlags& f = app_.Flags;
    editor_.leaveEditor();
    app_.doc.startFresh();
    addRecentFile(path);
    editor_.drawPreview(f.PackWasMissing ? 0 : std::max(list_.selectedTrack(), 0));
    f.FirstActivate = false;
    emit packReplaced();
    return true;
}

// Save: a read-only file is not written (Save as is offered), and a file
// another program changed since it was read or saved here is overwritten
// only when the user says so.
bool PackCommands::savePack() {
    const QString path = QDir::toNativeSeparators(app_.doc.fileName());
    const QString saveAs = app_.Lang[kLineButtonSaveAs], cancel = app_.Lang[kLineButtonCancel];
    if (isReadOnlyFile(app_.doc.fileName()))
        return app_.ask().choose(app_.window, app_.text(kLineSaveReadOnly, path),
                                 {saveAs, cancel}) == 0 &&
               saveUnderNewName();
    if (changedOnDisk()) {
        const int chosen = app_.ask().choose(app_.window, app_.text(kLineChangedOnDisk, path),
                                             {app_.Lang[kLineButtonOverwrite], saveAs, cancel});
        if (chosen == 1) return saveUnderNewName();
        if (chosen != 0) return false;
    }
    return writePack();
}

// A pack written under a new name takes that name only once it is written:
// a failed Save as leaves the title and the next Save on the file the pack had.
bool PackCommands::writePack(const QString& to) {
    const QString path = to.isEmpty() ? app_.doc.fileName() : to;
    keepAsOpened(path);
    const Message why = savePackFile(path, app_.doc.Tracks, app_.doc.Rows.rows());
    if (!why.empty()) {
        app_.ask().error(app_.window, QString(), app_.Lang.say(why));
        return false;
    }
    if (path != app_.doc.fileName()) app_.doc.setFileName(path);
    remember(path);
    lockPack(path);
    autosaveHeldShown_ = false;
    app_.doc.markSaved();
    return true;
}

void PackCommands::remember(const QString& path, std::optional<FileIdentity> identity) {
    identityPath_ = path;
    identity_ = identity ? *identity : fileIdentity(path);
}

bool PackCommands::changedOnDisk() const {
    // A name set elsewhere has no version known here to compare with.
    return app_.doc.fileName() == identityPath_ && fileIdentity(identityPath_) != identity_;
}

// Save as: a cancelled dialog saves nothing (the open file keeps its bytes).
// The dialog asked before a file there is overwritten.
bool PackCommands::saveUnderNewName() {
    const QString path =
        app_.ask().saveFileName(app_.window, saveAsAction_->text(), app_.BaseFolder,
                                app_.packFilter(false), QStringLiteral("mrg"));
    if (path.isEmpty()) return false; // cancelled: nothing is saved
    if (isReadOnlyFile(path)) {       // refused as Save would refuse it, with the reason
        app_.ask().error(app_.window, QString(),
                         app_.Lang.say(pathMessage(path, Message::line(kLineFileReadOnly))));
        return false;
    }
    return writePack(path);
}

void PackCommands::savePackAs() {
    saveUnderNewName();
}

void PackCommands::exitAsked() {
    if (!askProceed(int(exitRule(unsaved(), app_.doc.Rows.size())))) return;
    app_.Flags.MayClose = true;
    exitConfirmed_ = true;
    app_.window->close();
}

bool PackCommands::mayCloseWindow() {
    AppFlags& f = app_.Flags;
    f.MayClose = sessionEnding_ || exitConfirmed_ ||
                 askProceed(int(windowCloseRule(unsaved(), app_.doc.Rows.size())));
    exitConfirmed_ = false;
    return f.MayClose;
}

bool PackCommands::mayReplacePack(bool forNew) {
    return askProceed(int(replacePackRule(unsaved(), app_.doc.Rows.size())), forNew);
}

// What closing, Exit, New and Open could lose, as its owners tell it.
UnsavedWork PackCommands::unsaved() const {
    return {editor_.track().isOpen(), editor_.track().modified(), app_.doc.modified()};
}

// New asks its own question where Open speaks of opening another pack.
bool PackCommands::askProceed(int rule, bool forNew) {
    const auto p = Proceed(rule);
    int line = questionLine(p);
    if (forNew && p == Proceed::AskOpenPack) line = kLineNewPackQuestion;
    if (line == 0) return true;
    const QString path = QDir::toNativeSeparators(app_.doc.fileName());
    const bool withPath = p == Proceed::AskPack || p == Proceed::AskOpenPack;
    return app_.ask().confirm(app_.window,
                              withPath ? app_.Lang.format(line, path) : app_.Lang[line]);
}

// autosaveTick: saves the pack silently while it holds tracks, has unsaved
// changes and no track is open. A tick that comes while a question or a
// dialog is open waits for the next one. A pack another program changed on
// disk is not autosaved: the status bar says so once, and Save asks.
void PackCommands::autosaveTick() {
    if (QApplication::activeModalWidget() || !app_.doc.modified()) return;
    if (!autosaveDue(app_.doc.Rows.size(), editor_.track().isOpen())) return;
    if (changedOnDisk()) {
        if (!std::exchange(autosaveHeldShown_, true))
            emit statusMessage(app_.Lang[kLineAutosaveHeld]);
        return;
    }
    writePack();
}

bool PackCommands::eventFilter(QObject* watched, QEvent* event) {
    // Checked once the activation is over: a question asked from inside it
    // would take the focus it is about.
    if (event->type() == QEvent::WindowActivate && !std::exchange(focusCheckDue_, true))
        QTimer::singleShot(0, this, [this] {
            focusCheckDue_ = false;
            checkDiskOnFocus();
        });
    return QObject::eventFilter(watched, event);
}

void PackCommands::checkDiskOnFocus() {
    if (QApplication::activeModalWidget() || !app_.window || !app_.window->isActiveWindow()) return;
    if (!changedOnDisk()) return;
    const FileIdentity now = fileIdentity(app_.doc.fileName());
    if (now == toldOnDisk_) return; // told already
    toldOnDisk_ = now;
    const QString path = QDir::toNativeSeparators(app_.doc.fileName());
    const bool unsaved = app_.doc.modified() || editor_.track().isOpen();
    if (unsaved) {
        app_.ask().information(app_.window, app_.text(kLineChangedUnsaved, path));
        return;
    }
    // A deleted file has nothing to load again; Save writes it anew.
    if (now.exists && app_.ask().confirm(app_.window, app_.text(kLineReloadChanged, path)))
        openPackFile(app_.doc.fileName());
}

// The recent packs submenu from section LastFiles.
void PackCommands::buildRecentMenu() {
    recent_ = std::make_unique<RecentFiles>(optionsPath(app_.BaseFolder));
    recent_->load();
    fillRecentMenu(*recentMenu_, *recent_, [this](const QString& path) { openRecentPack(path); });
}

const QStringList& PackCommands::LastFilesList() const {
    return recent_->LastFilesList();
}

// openRecentPack: opens a recent pack with the questions and steps of File > Open.
// An entry whose file is gone is offered for removal; the open pack stays.
void PackCommands::openRecentPack(const QString& path) {
    if (!QFileInfo::exists(path)) {
        const QString shown = QDir::toNativeSeparators(path);
        if (!app_.ask().confirm(app_.window, app_.Lang.format(kLineRecentGone, shown))) return;
        Message error;
        if (!recent_->remove(path, &error))
            app_.ask().warning(app_.window, app_.text(kLineRecentNotWritten, app_.Lang.say(error)));
        fillRecentMenu(*recentMenu_, *recent_, [this](const QString& p) { openRecentPack(p); });
        return;
    }
    if (!mayReplacePack()) return;
    openPackFile(path);
}

// write_ini for a pack just opened, then the submenu anew.
void PackCommands::addRecentFile(const QString& path) {
    Message error;
    const bool saved = recent_->write_ini(path, &error);
    fillRecentMenu(*recentMenu_, *recent_, [this](const QString& p) { openRecentPack(p); });
    if (saved || recentNotSavedShown_) return;
    recentNotSavedShown_ = true;
    app_.ask().warning(app_.window, app_.text(kLineRecentNotWritten, app_.Lang.say(error)));
}

} // namespace korvo
