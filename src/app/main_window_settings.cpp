// The settings of the main window: "opt.ini" at start-up, the options dialog,
// the autosave timer, the interface language and the recent packs submenu.
#include "main_window.h"

#include "prompts.h"
#include "settings/autosave.h"
#include "settings/recent_files.h"
#include "settings/ui/about_box.h"
#include "settings/ui/lang_apply.h"
#include "settings/ui/options_dialog.h"
#include "settings/ui/recent_menu.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>

namespace korvo {

namespace {

// The mailboxes the hidden notice `N5` names after line 11.
const QStringList kContacts = {"levels@example.org", "tracks@example.org", "editor@example.org"};

const char* const kSettingsNotWritten =
    "Файл настроек opt.ini не удалось создать: до конца работы действуют настройки по "
    "умолчанию.\n"
    "The settings file opt.ini could not be created: the default settings are used until the "
    "program ends.\n\n";
const char* const kSettingsUnreadable =
    "Файл настроек opt.ini не удалось прочитать: до конца работы действуют настройки по "
    "умолчанию, а файл остаётся как есть.\n"
    "The settings file opt.ini could not be read: the default settings are used until the "
    "program ends, and the file is left as it is.\n\n";
const char* const kRecentNotWritten = "Список последних пакетов не удалось сохранить в opt.ini.\n"
                                      "The list of recent packs could not be saved to opt.ini.\n\n";

} // namespace

// LoadOptions: reads "opt.ini" (writing the defaults on the first start) and
// puts it into force: the autosave timer, the view of the run, the canvas
// style. A view mode given to the constructor (tests, benchmarks) wins over
// the setting VList.
void TForm1::LoadOptions() {
    if (!autotime) {
        autotime = new QTimer(this);
        autotime->setObjectName("autotime");
        connect(autotime, &QTimer::timeout, this, &TForm1::autotimeTimer);
    }
    const OptionsLoad load = korvo::LoadOptions(BaseFolder, Settings);
    if (!load.problem.isEmpty())
        startProblems_ << QString::fromUtf8(load.unreadable ? kSettingsUnreadable
                                                            : kSettingsNotWritten) +
                              load.problem;
    applyAutosave(*autotime, Settings);
    if (requestedViewMode_ < 0)
        ViewMode = Settings.ViewMode == kViewTree ? kTreeView : kListView;
    else
        ViewMode = requestedViewMode_ == kTreeView ? kTreeView : kListView;
    useSettings();
}

// The settings the canvas and the new-track command read.
void TForm1::useSettings() {
    Style.BG = {QColor(), Settings.BG1, Settings.BG2, Settings.BG3};
    Style.Line = {QColor(), Settings.Line1, Settings.Line2, Settings.Line3};
    Style.Node1 = Settings.Node1;
    Style.VMoto = Settings.VMoto;
    NewLevel = Settings.NewLevel;
}

// Main menu "Настройки".
void TForm1::N19Click() {
    options_f->exec();
}

// After Apply in the options dialog (the language is reloaded already): the
// canvas takes the new colours, the status bar the new language.
void TForm1::optionsApplied() {
    useSettings();
    styleChanged();
    wmode();
}

// autotimeTimer: saves the pack silently while it holds tracks, has unsaved
// changes and no track is open. A tick that comes while a question or a
// dialog is open waits for the next one.
void TForm1::autotimeTimer() {
    if (QApplication::activeModalWidget() || !Flags.PackModified) return;
    if (autosaveDue(Rows.size(), Flags.IsEditing, Flags.IsNewTrack)) SaveAllTracksClick();
}

// CreateIni2Menu: the recent packs submenu N18 from section LastFiles.
void TForm1::CreateIni2Menu() {
    recent_ = std::make_unique<RecentFiles>(optionsPath(BaseFolder));
    recent_->load();
    fillRecentMenu(*N18, *recent_, [this](const QString& path) { vitemClick(path); });
}

const QStringList& TForm1::LastFilesList() const {
    return recent_->LastFilesList();
}

// vitemClick: opens a recent pack with the questions and steps of File > Open.
void TForm1::vitemClick(const QString& path) {
    if (!mayReplacePack()) return;
    openPackFile(path);
}

// write_ini for a pack just opened, then the submenu anew.
void TForm1::addRecentFile(const QString& path) {
    QString error;
    const bool saved = recent_->write_ini(path, &error);
    fillRecentMenu(*N18, *recent_, [this](const QString& p) { vitemClick(p); });
    if (saved || recentNotSavedShown_) return;
    recentNotSavedShown_ = true;
    prompts_->warning(this, QString::fromUtf8(kRecentNotWritten) + error);
}

// Loadlang: the language file named by the settings re-captions the main
// window, the options dialog and the about box. A missing or short file is
// reported once; the built-in texts stand in for what it lacks.
void TForm1::Loadlang() {
    const QString problem =
        korvo::Loadlang(Lang, BaseFolder, Settings.Lang, {this, options_f, About_f}, kContacts);
    if (problem.isEmpty()) return;
    if (Flags.FirstActivate)
        startProblems_ << problem; // shown once the window is up
    else
        prompts_->warning(this, problem);
}

void TForm1::reportStartProblems() {
    const QStringList problems = std::exchange(startProblems_, {});
    for (const QString& problem : problems) prompts_->warning(this, problem);
}

} // namespace korvo
