// First activation, the pack file commands, Exit, closing the window, Help.
#include "main_window.h"

#include "pack/flag_rules.h"
#include "pack/pack_file.h"
#include "prompts.h"
#include "settings/ui/about_box.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QUrl>

namespace korvo {

namespace {
const QString kOpenFilter = QStringLiteral("Levels(*.mrg);;Quokka Levels(*.lvl)");
const QString kSaveFilter = QStringLiteral("Levels(*.mrg)");
} // namespace

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!Flags.FirstActivate) return;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - frameGeometry().center() + pos());
    FormActivate();
}

// FormActivate, once: read "levels.mrg" of the base folder, or start a new pack.
void TForm1::FormActivate() {
    drawpreimg(0);
    Flags.IsEditing = Flags.IsNewTrack = Flags.TrackModified = Flags.PackModified = false;
    leaveEditor();
    wmode();
    PackFileName = QDir(BaseFolder).filePath("levels.mrg");
    if (!Load1Click(PackFileName)) {
        // A pack that cannot be read is kept as it is; a new one is started beside it.
        makeNewPack();
    }
    if (!Flags.PackWasMissing) drawpreimg(selectedTrack() > 0 ? selectedTrack() : 0);
    wmode();
    Flags.FirstActivate = false;
    setWindowTitle(appTitle_);
    // Problems of the start-up are told once the window is on the screen.
    if (!startProblems_.isEmpty()) QTimer::singleShot(0, this, &TForm1::reportStartProblems);
}

// Reads the pack at `path` into Tracks and the rows. A missing file gives a
// new pack; a file the reader refuses leaves everything as it was.
bool TForm1::Load1Click(const QString& path) {
    if (!QFileInfo::exists(path)) {
        makeNewPack();
        Flags.PackWasMissing = true;
        return true;
    }
    korvo::Rows rows;
    const std::string why = loadPackFile(path, Tracks, rows);
    if (!why.empty()) {
        prompts_->error(this, QString(), QString::fromStdString(why));
        return false;
    }
    Flags.PackWasMissing = false;
    PackFileName = path;
    setTitle();
    Rows.reset(rows, Tracks);
    updateCountText();
    Buttons = ListButtons{}; // the selection state names no row of this pack
    applyListButtons();
    selectFirstTrack();
    return true;
}

// NewLevelsClick without its question: an empty pack named "levels.mrg", or
// "levels.new.mrg" when the base folder holds "levels.mrg" already.
void TForm1::makeNewPack() {
    if (editorOpen_) ClosePropClick();
    Flags.TrackModified = false;
    PackFileName = newPackFileName(BaseFolder);
    setTitle();
    Tracks.ClearArrays();
    updateCountText();
    Rows.reset();
    Buttons = ListButtons{};
    applyListButtons();
    drawpreimg(0);
}

void TForm1::NewLevelsClick() {
    if (!mayReplacePack()) return;
    makeNewPack();
    wmode();
}

void TForm1::N16Click() {
    if (!mayReplacePack()) return;
    const QString path = prompts_->openFileName(this, N16->text(), BaseFolder, kOpenFilter);
    if (path.isEmpty()) return;
    openPackFile(path);
}

bool TForm1::openPackFile(const QString& path) {
    if (!Load1Click(path)) return false;
    Flags.PackModified = Flags.IsEditing = Flags.IsNewTrack = Flags.TrackModified = false;
    leaveEditor();
    addRecentFile(path);
    drawpreimg(Flags.PackWasMissing ? 0 : std::max(selectedTrack(), 0));
    wmode();
    Flags.FirstActivate = false;
    setTitle();
    return true;
}

bool TForm1::SaveAllTracksClick() {
    const std::string why = savePackFile(PackFileName, Tracks, Rows.rows());
    updateCountText(); // the save renumbers from the rows
    if (!why.empty()) {
        prompts_->error(this, QString(), QString::fromStdString(why));
        return false;
    }
    Flags.PackModified = false;
    Flags.TrackModified = false;
    wmode();
    return true;
}

// Save as: a cancelled dialog still saves under the current name.
void TForm1::mrg1Click() {
    const QString path =
        prompts_->saveFileName(this, mrg1->text(), BaseFolder, kSaveFilter, QStringLiteral("mrg"));
    if (!path.isEmpty()) PackFileName = path;
    SaveAllTracksClick();
    setTitle();
}

void TForm1::N7Click() {
    if (!askProceed(int(exitRule(Flags, Rows.size())))) return;
    Flags.MayClose = true;
    exitConfirmed_ = true;
    close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    Flags.MayClose = false;
    if (sessionEnding_ || exitConfirmed_)
        Flags.MayClose = true;
    else
        Flags.MayClose = askProceed(int(windowCloseRule(Flags, Rows.size())));
    exitConfirmed_ = false;
    event->setAccepted(Flags.MayClose);
}

bool TForm1::mayReplacePack() {
    return askProceed(int(replacePackRule(Flags, Rows.size())));
}

bool TForm1::askProceed(int rule) {
    const auto p = Proceed(rule);
    const int line = questionLine(p);
    if (line == 0) return true;
    const QString path = QDir::toNativeSeparators(PackFileName);
    const bool withPath = p == Proceed::AskPack || p == Proceed::AskOpenPack;
    return prompts_->confirm(this, withPath ? Lang.format(line, path) : Lang[line]);
}

void TForm1::setTitle() {
    appTitle_ = QString(kAppTitle) + " - " + QDir::toNativeSeparators(PackFileName);
    setWindowTitle(appTitle_);
}

// Open leaves the editor: an open track is closed unsaved, tool modes off,
// the list and the preview shown.
void TForm1::leaveEditor() {
    if (editorOpen_) closeEditor(Session.ClosePropClick());
    if (QAction* tool = nodeTools->checkedAction()) tool->setChecked(false);
    for (QAction* a : {AddPoint, DelPoint, movemap}) a->setEnabled(false);
    VisiblePanel(Panel2);
    showCanvas(false);
}

// Help > Contents: "help.chm" of the current folder, opened by the desktop.
void TForm1::N14Click() {
    const QString help = QDir::current().absoluteFilePath("help.chm");
    if (!QFileInfo::exists(help) || !QDesktopServices::openUrl(QUrl::fromLocalFile(help)))
        prompts_->error(this, QString::fromUtf8("Внимание"),
                        QString::fromUtf8("Немогу выполнить !"));
}

void TForm1::N2Click() {
    About_f->move(geometry().center() - About_f->rect().center());
    About_f->show();
}

} // namespace korvo
