// The settings of the main window: "opt.ini" at start-up, the options dialog,
// the interface language, help and about, and the game-archive packer.
#include "dist/packer_launch.h"
#include "dist/ui/submission_window.h"
#include "editor_controller.h"
#include "help_window.h"
#include "list/ui/copy_dialog.h"
#include "main_window.h"
#include "pack_commands.h"
#include "ride/ui/check_window.h"
#include "ride/ui/ride_view.h"
#include "ride_commands.h"
#include "settings/autosave.h"
#include "settings/ui/about_box.h"
#include "settings/ui/lang_apply.h"
#include "settings/ui/options_dialog.h"
#include "text/lang_added.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
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
    if (!levtomail_f) {
        levtomail_f = new SubmissionWindow(
            app_.BaseFolder,
            {[this] { return app_.doc.fileName(); }, [this] { return app_.doc.tracksInRows() > 0; },
             [this] { return app_.doc.modified(); }, [this] { return pack_->savePack(); }},
            app_.Lang, this);
        ride_->offerCheckIn(levtomail_f);
    }
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
    showModeTexts(); // the status bar speaks the new language at once
    if (levtomail_f) levtomail_f->retranslate();
    if (help_) help_->setLanguage(app_.Lang, manualLanguage(app_.Lang));
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

// Help > Contents: "help.chm" of the base folder where there is one, opened
// by the desktop (a file it cannot open gets the old words); otherwise the
// manual built into the program.
void MainWindow::showHelp() {
    const QString help = QDir(app_.BaseFolder).absoluteFilePath("help.chm");
    if (!QFileInfo::exists(help))
        showHelpPage("index.html");
    else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(help)))
        app_.ask().error(this, QString(), app_.Lang[kLineHelpNotOpened]);
}

HelpWindow& MainWindow::helpWindow() {
    if (!help_) {
        help_ = new HelpWindow(this);
        help_->setLanguage(app_.Lang, manualLanguage(app_.Lang));
    }
    return *help_;
}

// The manual comes up over the window in use: a modal dialog would keep the
// keys and the mouse from a window that is not its own.
void MainWindow::showHelpPage(const QString& page) {
    HelpWindow& help = helpWindow();
    QWidget* over = QApplication::activeModalWidget();
    if (!over) over = this;
    if (help.parentWidget() != over && over != &help) {
        const QRect at = help.geometry();
        help.setParent(over, Qt::Window);
        help.setGeometry(at);
    }
    help.showPage(page);
    if (!help.isVisible() && !help.property("placed").toBool()) { // first shown: over the window
        help.setProperty("placed", true);
        help.move(over->geometry().center() - help.rect().center());
    }
    help.show();
    help.raise();
    help.activateWindow();
}

QString MainWindow::helpPageFor(const QWidget* active) const {
    if (qobject_cast<const OptionsDialog*>(active)) return "options.html";
    if (qobject_cast<const SubmissionWindow*>(active)) return "submission.html";
    if (qobject_cast<const CheckWindow*>(active)) return "check.html";
    if (qobject_cast<const CopyTracksDialog*>(active)) return "list.html#copy-dialog";
    if (active != this) return "index.html";
    if (ride_->view() && ride_->view()->isVisible()) return "ride.html";
    if (editor_->isOpen()) return editor_->track().isNew() ? "new-track.html" : "editing.html";
    return "list.html";
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier && watched->isWidgetType()) {
        QWidget* active = static_cast<QWidget*>(watched)->window();
        if (active == help_) return false; // the manual's own F1: nothing to open
        if (active == this || active->parentWidget() == this ||
            (active->parentWidget() && active->parentWidget()->window() == this)) {
            showHelpPage(helpPageFor(active));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
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
