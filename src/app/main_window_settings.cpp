// The settings of the main window: "opt.ini" at start-up, the options dialog,
// the interface language, help and about, and the game-archive packer.
#include "dist/packer_launch.h"
#include "dist/ui/submission_window.h"
#include "editor_controller.h"
#include "main_window.h"
#include "pack_commands.h"
#include "settings/autosave.h"
#include "settings/ui/about_box.h"
#include "settings/ui/lang_apply.h"
#include "settings/ui/options_dialog.h"
#include "text/lang_added.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace korvo {

namespace {

// The mailboxes the hidden notice `noticeAction_` names after line 11.
const QStringList kContacts = {"levels@example.org", "tracks@example.org", "editor@example.org"};

} // namespace

// LoadOptions: reads "opt.ini" (writing the defaults on the first start) and
// puts it into force: the autosave timer, the view of the run, the canvas
// style. A view given to the constructor (tests, benchmarks) wins over the
// setting VList.
void MainWindow::LoadOptions() {
    const OptionsLoad& load = optionsLoad_; // read as the window's building began
    // Told in the language the settings choose, once it is loaded.
    if (!load.problem.empty())
        settingsProblem_ = {load.unreadable ? kLineSettingsUnreadable : kLineSettingsNotWritten,
                            load.problem, startProblems_.size()};
    applyAutosave(*pack_->autosaveTimer(), app_.Settings);
    app_.ViewMode =
        requestedView_.value_or(app_.Settings.ViewMode == kViewTree ? kTreeView : kListView);
    useSettings();
}

// The settings the canvas and the new-track command read.
void MainWindow::useSettings() {
    const Options& s = app_.Settings;
    CanvasStyle& style = app_.Style;
    style.BG = {QColor(), s.BG1, s.BG2, s.BG3};
    style.Line = {QColor(), s.Line1, s.Line2, s.Line3};
    style.Node1 = s.Node1;
    style.VMoto = s.VMoto;
    app_.NewLevel = s.NewLevel;
}

OptionsDialog& MainWindow::optionsDialog() {
    if (!options_f) {
        options_f = new OptionsDialog(app_.BaseFolder, app_.Settings, app_.Lang,
                                      pack_->autosaveTimer(), this);
        options_f->setHooks({[this] { loadLanguage(); }, [this] { optionsApplied(); }});
        applyLanguage(app_.Lang, {nullptr, options_f, nullptr}, kContacts);
    }
    return *options_f;
}

AboutBox& MainWindow::aboutBox() {
    if (!About_f) {
        About_f = new AboutBox(this);
        applyLanguage(app_.Lang, {nullptr, nullptr, About_f}, kContacts);
    }
    return *About_f;
}

// The submission window mails the pack as last saved.
SubmissionWindow& MainWindow::submissionWindow() {
    if (!levtomail_f)
        levtomail_f = new SubmissionWindow(
            app_.BaseFolder,
            {[this] { return app_.doc.fileName(); }, [this] { return app_.doc.tracksInRows() > 0; },
             [this] { return app_.doc.modified(); }, [this] { return pack_->savePack(); }},
            app_.Lang, this);
    return *levtomail_f;
}

// Main menu "Настройки".
void MainWindow::showOptions() {
    optionsDialog().exec();
}

// After Apply in the options dialog (the language is reloaded already): the
// canvas takes the new colours, the status bar the new language.
void MainWindow::optionsApplied() {
    useSettings();
    editor_->styleChanged();
    showModeTexts();
}

// loadLanguage: the language file named by the settings re-captions the main
// window, the options dialog and the about box. A missing or short file is
// reported once; the built-in texts stand in for what it lacks.
void MainWindow::loadLanguage() {
    // The first time, the file read while the window was built.
    const LangRead read =
        langAhead_.valid() ? langAhead_.get() : readLanguage(app_.BaseFolder, app_.Settings.Lang);
    const QString problem = useLanguage(app_.Lang, read, {this, options_f, About_f}, kContacts);
    // Every step of both histories is named in the new language.
    app_.doc.retranslate();
    editor_->history().retranslate();
    refreshUndoTexts();
    if (levtomail_f) levtomail_f->retranslate();
    if (settingsProblem_.line) {
        const SettingsProblem p = std::exchange(settingsProblem_, {});
        startProblems_.insert(p.at,
                              app_.Lang[p.line].arg(app_.Lang.say(p.why)).replace("\r\n", "\n"));
    }
    if (problem.isEmpty()) return;
    if (app_.Flags.FirstActivate)
        startProblems_ << problem; // shown once the window is up
    else
        app_.ask().warning(this, problem);
}

void MainWindow::reportStartProblems() {
    const QStringList problems = std::exchange(startProblems_, {});
    for (const QString& problem : problems) app_.ask().warning(this, problem);
}

// Help > Contents: "help.chm" of the base folder, opened by the desktop.
// A missing file is named; a file the desktop cannot open gets the old words.
void MainWindow::showHelp() {
    const QString help = QDir(app_.BaseFolder).absoluteFilePath("help.chm");
    if (!QFileInfo::exists(help))
        app_.ask().error(this, QString(),
                         app_.Lang.format(kLineHelpMissing, QDir::toNativeSeparators(help)));
    else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(help)))
        app_.ask().error(this, QString(), app_.Lang[kLineHelpNotOpened]);
}

// buildGameArchive: the packer starts on its own; when it cannot, the message names
// where it was looked for, and nothing else changes.
void MainWindow::buildGameArchive() {
    const Message why = korvo::buildGameArchive(app_.BaseFolder, currentPackerLookup());
    if (!why.empty()) app_.ask().warning(this, app_.Lang.say(why));
}

void MainWindow::showAbout() {
    AboutBox& about = aboutBox();
    about.move(geometry().center() - about.rect().center());
    about.show();
}

} // namespace korvo
