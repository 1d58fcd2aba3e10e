// The main window's creation: layout, menus, tool bar and status bar.
#include "main_window.h"

#include "actions.h"
#include "dist/ui/submission_window.h"
#include "editor_controller.h"
#include "import_commands.h"
#include "list_controller.h"
#include "pack_commands.h"
#include "recovery_keeper.h"
#include "ride_commands.h"
#include "settings/ui/about_box.h"
#include "settings/ui/mnemonics.h"
#include "settings/ui/options_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSessionManager>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUndoGroup>
#include <QVBoxLayout>

namespace korvo {

namespace {

constexpr int kClientWidth = 988;
constexpr int kClientHeight = 659;
constexpr int kLeftWidth = 188;
constexpr int kToolBarHeight = 31;
constexpr int kStatusHeight = 20;
constexpr int kStatusWidths[5] = {110, 0, 400, 100, 50};

QVBoxLayout* stack(QWidget* parent) {
    auto* layout = new QVBoxLayout(parent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

} // namespace

MainWindow::MainWindow(std::optional<ListView> view, const WindowStart& start, QWidget* parent)
    : QMainWindow(parent), requestedView_(view), startPack_(start.pack),
      startProblems_(start.problems) {
    setObjectName("Form1");
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(toolIcon(ToolIcon::Program));
    app_.window = this;
    app_.BaseFolder = start.baseFolder.isEmpty() ? QDir::currentPath() : start.baseFolder;
    // The settings first: their language file and the start pack are read on
    // other cores while the window is built (its fonts take the longest).
    optionsLoad_ = korvo::LoadOptions(app_.BaseFolder, app_.Settings);
    langAhead_ = std::async(std::launch::async, readLanguage, app_.BaseFolder, app_.Settings.Lang);
    startRead_ = PackReadAhead::start(
        startPack_.isEmpty() ? QDir(app_.BaseFolder).filePath("levels.mrg") : startPack_);

    auto* central = new QWidget(this);
    auto* split = new QHBoxLayout(central);
    split->setContentsMargins(0, 0, 0, 0);
    split->setSpacing(0);
    auto* left = new QWidget(central);
    left->setFixedWidth(kLeftWidth);
    auto* right = new QWidget(central);
    list_ = new ListController(app_, left);
    editor_ = new EditorController(app_, *list_, left, right);
    pack_ = new PackCommands(app_, *list_, *editor_, this);
    recovery_ = new RecoveryKeeper(app_, *list_, *editor_, *pack_);
    import_ = new ImportCommands(app_, *list_, *editor_, this);
    setAcceptDrops(true);
    stack(left)->addWidget(list_->panel());
    stack(right)->addWidget(editor_->previewPanel());
    right->layout()->addWidget(editor_->canvasPanel());
    split->addWidget(left);
    split->addWidget(right, 1);
    setCentralWidget(central);

    buildMenus();
    buildToolBar();
    buildStatusBar();
    // The client area is fixed; the menu bar lies above it.
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());

    // Creation proper, in the order the rest of the program relies on.
    setWindowTitle(appTitle_);
    app_.Flags.PackWasMissing = false;
    LoadOptions();
    list_->useViewMode();
    pack_->buildRecentMenu();
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager&) { pack_->sessionEnding(); });
    ride_ = new RideCommands(app_, *list_, *editor_, this, right); // Ride, Replay, Check pack
    app_.Flags.FirstActivate = true;
    keepMnemonicsOnShow();          // every dialog's buttons get Alt letters when it shows
    qApp->installEventFilter(this); // F1 in any window of the program
    loadLanguage();
    connectParts();
}

// The parts work on the shared state, which goes before the window's
// children would: they go first.
MainWindow::~MainWindow() {
    app_.doc.history().disconnect(this); // clearing the history below says so
    app_.doc.disconnect(this);
    delete undoGroup_;
    delete import_;
    delete pack_;
    delete takeCentralWidget();
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    fileMenu_ = namedMenu(this, "N1", "Файл");
    gameArchiveAction_ = namedAction(this, "jar1", "Создать готовую игру *.jar");
    gameArchiveAction_->setIcon(toolIcon(ToolIcon::Jar));
    submitAction_ = namedAction(this, "N17", "Отправка уровня на сайт");
    optionsAction_ = namedAction(this, "N19", "Настройки");
    helpMenu_ = namedMenu(this, "N3", "Помощь");
    helpContentsAction_ = namedAction(this, "N14", "Содержание");
    aboutAction_ = namedAction(this, "N2", "О программе");
    noticeAction_ = namedAction(this, "N5", ""); // line 11 and the addresses, set by the language

    PackCommands& p = *pack_;
    ImportCommands& i = *import_;
    fileMenu_->addActions({p.action("N4"), p.action("N16"), gameArchiveAction_, p.action("N6"),
                           p.action("mrg1"), i.action("N9"), i.action("levv11"),
                           i.action("SaveLev")});
    fileMenu_->addSeparator()->setObjectName("N21");
    fileMenu_->addMenu(i.picturesMenu());
    fileMenu_->addAction(submitAction_);
    fileMenu_->addSeparator()->setObjectName("N8");
    fileMenu_->addMenu(p.recentMenu());
    fileMenu_->addSeparator()->setObjectName("N20");
    fileMenu_->addAction(p.action("N7"));
    helpMenu_->addAction(helpContentsAction_);
    helpMenu_->addSeparator()->setObjectName("N15");
    helpMenu_->addAction(aboutAction_);
    bar->addMenu(fileMenu_);
    buildEditMenu();
    bar->addMenu(EditMenu);
    bar->addAction(optionsAction_);
    bar->addMenu(helpMenu_);
    bar->addAction(noticeAction_);

    list_->popupMenu()->addAction(import_->action("SaveLev"));
    aboutAction_->setEnabled(false); // the About box is not offered
    noticeAction_->setVisible(false);
    noticeAction_->setEnabled(false);
    connect(gameArchiveAction_, &QAction::triggered, this, &MainWindow::buildGameArchive);
    connect(submitAction_, &QAction::triggered, this, [this] { submissionWindow().exec(); });
    connect(helpContentsAction_, &QAction::triggered, this, &MainWindow::showHelp);
    connect(aboutAction_, &QAction::triggered, this, &MainWindow::showAbout);
    connect(optionsAction_, &QAction::triggered, this, &MainWindow::showOptions);
}

// "Правка": undo and redo over the history in force, the open track's while
// a track is open, the pack's otherwise.
void MainWindow::buildEditMenu() {
    EditMenu = namedMenu(this, "EditMenu", "Правка");
    EditUndo = toolAction(this, "EditUndo", "Отменить", ToolIcon::Undo);
    EditRedo = toolAction(this, "EditRedo", "Повторить", ToolIcon::Redo);
    EditUndo->setShortcut(QKeySequence::Undo);
    EditRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    EditMenu->addActions({EditUndo, EditRedo});
    EditMenu->addSeparator();
    EditMenu->addActions(editor_->zoomActions());
    undoGroup_ = new QUndoGroup(this);
    app_.doc.setStepNames([this](const StepName& name) {
        return name.count >= 0 ? app_.Lang.format(name.line, name.count) : app_.Lang[name.line];
    });
    undoGroup_->addStack(&app_.doc.history());
    undoGroup_->addStack(&editor_->history().stack());
    undoGroup_->setActiveStack(&app_.doc.history());
    connect(EditUndo, &QAction::triggered, this, &MainWindow::undoStep);
    connect(EditRedo, &QAction::triggered, this, &MainWindow::redoStep);
    for (auto signal : {&QUndoGroup::canUndoChanged, &QUndoGroup::canRedoChanged})
        connect(undoGroup_, signal, this, &MainWindow::refreshUndoTexts);
    connect(undoGroup_, &QUndoGroup::undoTextChanged, this, &MainWindow::refreshUndoTexts);
    connect(undoGroup_, &QUndoGroup::redoTextChanged, this, &MainWindow::refreshUndoTexts);
    connect(undoGroup_, &QUndoGroup::activeStackChanged, this, &MainWindow::refreshUndoTexts);
}

void MainWindow::buildToolBar() {
    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName("ToolBar1");
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->toggleViewAction()->setEnabled(false);
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setFixedHeight(kToolBarHeight);
    toolBar_->setStyleSheet("QToolButton { min-width: 23px; min-height: 23px; max-height: 23px; "
                            "padding: 0px; }");
    addToolBar(Qt::TopToolBarArea, toolBar_);
    auto add = [this](const QList<QAction*>& actions) {
        for (QAction* a : actions) {
            toolBar_->addAction(a);
            toolBar_->widgetForAction(a)->setObjectName(a->objectName() + "Button");
        }
    };
    const QList<QAction*> listActions = list_->actions();
    const QList<QAction*> editorActions = editor_->actions();
    add(listActions.mid(0, 4));
    toolBar_->addSeparator();
    add({listActions[4]});
    toolBar_->addSeparator();
    add({EditUndo, EditRedo});
    toolBar_->addSeparator();
    add({editorActions[0]});
    toolBar_->addSeparator();
    add(editorActions.mid(1, 4));
    toolBar_->addSeparator();
    add(editorActions.mid(5));
}

void MainWindow::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar1");
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(kStatusHeight);
    for (int i = 0; i < 5; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QString("StatusPanel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setVisible(kStatusWidths[i] > 0);
        if (i == 0) { // the pointer read-out fits the widest track's coordinates
            const int text = panel->fontMetrics().horizontalAdvance("X = 63373;  Y = -1270");
            panel->setFixedWidth(std::max(kStatusWidths[0], text + 8));
            bar->addWidget(panel);
        } else if (i < 4) {
            panel->setFixedWidth(kStatusWidths[i]);
            bar->addWidget(panel);
        } else { // the last panel runs on to the right edge
            panel->setMinimumWidth(kStatusWidths[i]);
            bar->addWidget(panel, 1);
        }
        StatusPanels[i] = panel;
    }
    // StatusPanels[1], the grid state (not visible), takes its text with the language.
    ZoomPanel = new QLabel(bar); // the canvas's zoom while a track is open
    ZoomPanel->setObjectName("ZoomPanel");
    ZoomPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ZoomPanel->setAlignment(Qt::AlignCenter);
    ZoomPanel->setFixedWidth(ZoomPanel->fontMetrics().horizontalAdvance("6.25%") + 12);
    bar->addPermanentWidget(ZoomPanel);
}

// The window follows what the parts say.
void MainWindow::connectParts() {
    PackDocument& doc = app_.doc;
    connect(&doc, &PackDocument::fileNameChanged, this, &MainWindow::setTitle);
    connect(&doc.history(), &QUndoStack::indexChanged, this, [this] {
        updateCountText();
        showModeTexts();
    });
    connect(&doc, &PackDocument::modifiedChanged, this, &MainWindow::showModeTexts);
    connect(list_, &ListController::rowsEdited, this, [this] {
        updateCountText();
        showModeTexts();
    });
    connect(editor_, &EditorController::modeChanged, this, &MainWindow::showModeTexts);
    connect(editor_, &EditorController::openChanged, this, &MainWindow::editorOpenChanged);
    connect(editor_, &EditorController::pointerMoved, this,
            [this](const QString& text) { StatusPanels[0]->setText(text); });
    connect(editor_, &EditorController::zoomShown, ZoomPanel, &QLabel::setText);
    const auto note = [this](const QString& text) {
        statusBar()->showMessage(text, kStatusNoteMs);
    };
    connect(pack_, &PackCommands::statusMessage, this, note);
    connect(recovery_, &RecoveryKeeper::statusMessage, this, note);
    connect(pack_, &PackCommands::packReplaced, this, [this] {
        updateCountText();
        setTitle();
        showModeTexts();
    });
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!app_.Flags.FirstActivate) return;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - frameGeometry().center() + pos());
    if (const QString problem = pack_->openStartPack(startPack_, std::move(startRead_));
        !problem.isEmpty())
        startProblems_ << problem;
    setWindowTitle(appTitle_);
    // The keys start in the list, on its first track: the arrows, Enter and
    // the list commands work before anything is clicked.
    list_->currentView()->setFocus(Qt::OtherFocusReason);
    // Problems of the start-up are told once the window is on the screen.
    if (!startProblems_.isEmpty()) QTimer::singleShot(0, this, &MainWindow::reportStartProblems);
}

// A drag the window refuses says why in the status bar.
void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (const QString why = import_->dropRefusal(event->mimeData()); !why.isEmpty()) {
        statusBar()->showMessage(why, kStatusNoteMs);
        return;
    }
    if (ImportCommands::takesFiles(event->mimeData())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    import_->dropFiles(event->mimeData());
}

// A clean end: the user answered for the unsaved work, so its journal goes.
// The desktop session ending closes without asking: the journal stays, and
// the next start offers the work back.
void MainWindow::closeEvent(QCloseEvent* event) {
    event->setAccepted(pack_->mayCloseWindow());
    if (!event->isAccepted()) return;
    if (pack_->endsWithSession())
        recovery_->abandon();
    else
        recovery_->endSession();
}

void MainWindow::setPrompts(std::unique_ptr<Prompts> prompts) {
    app_.prompts = std::move(prompts);
}

QString MainWindow::statusText(int panel) const {
    return StatusPanels[panel]->text();
}

} // namespace korvo
