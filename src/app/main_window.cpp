// The main window's creation: layout, menus, tool bar and status bar.
#include "main_window.h"

#include "editor/ui/correction_window.h"
#include "editor/ui/track_canvas.h"
#include "editor/ui/track_properties_panel.h"
#include "image_box.h"
#include "list/levels_list_model.h"
#include "list/levels_tree_model.h"
#include "list/ui/levels_list_view.h"
#include "list/ui/levels_tree_view.h"
#include "prompts.h"
#include "render/ui/preview_window.h"
#include "settings/recent_files.h"
#include "settings/ui/about_box.h"
#include "settings/ui/options_dialog.h"
#include "toolbar_icons.h"

#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSessionManager>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace korvo {

namespace {

constexpr int kClientWidth = 988;
constexpr int kClientHeight = 659;
constexpr int kLeftWidth = 188;
constexpr int kToolBarHeight = 31;
constexpr int kStatusHeight = 20;
constexpr int kStatusWidths[5] = {110, 0, 400, 100, 50};

QString ru(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QAction* command(QObject* owner, const char* name, const char* caption) {
    auto* a = new QAction(ru(caption), owner);
    a->setObjectName(name);
    return a;
}

QMenu* submenu(QWidget* owner, const char* name, const char* caption) {
    auto* m = new QMenu(ru(caption), owner);
    m->setObjectName(name);
    return m;
}

} // namespace

TForm1::TForm1(int viewMode, QWidget* parent)
    : QMainWindow(parent), prompts_(std::make_unique<Prompts>()), requestedViewMode_(viewMode) {
    setObjectName("Form1");
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(toolIcon(ToolIcon::Program));
    ops_ = std::make_unique<RowOps>(Rows, Tracks, CurItem, Flags, Buttons, ViewMode);

    buildMenus();
    buildToolBar();
    auto* central = new QWidget(this);
    auto* split = new QHBoxLayout(central);
    split->setContentsMargins(0, 0, 0, 0);
    split->setSpacing(0);
    auto* left = new QWidget(central);
    left->setFixedWidth(kLeftWidth);
    buildLeftSide(left);
    auto* right = new QWidget(central);
    buildRightSide(right);
    split->addWidget(left);
    split->addWidget(right, 1);
    setCentralWidget(central);
    buildStatusBar();
    // The client area is fixed; the menu bar lies above it.
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());

    // Creation proper, in the order the rest of the program relies on.
    setWindowTitle(appTitle_);
    BaseFolder = QDir::currentPath();
    Flags.PackWasMissing = false;
    LoadOptions();
    useViewMode();
    CreateIni2Menu();
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
        sessionEnding_ = true; // log-off or shut-down: close without asking
    });
    corrxywnd = new Tcorrxywnd(this);
    preimg_f = new Tpreimg_f(this);
    About_f = new TAbout_f(this);
    options_f = new Toptions_f(BaseFolder, Settings, Lang, autotime, this);
    options_f->setHooks({[this] { Loadlang(); }, [this] { optionsApplied(); }});
    Flags.FirstActivate = true;
    Loadlang();
    connectViews();
    connectEditor();
    connectCanvas();
    connectPreview();
}

TForm1::~TForm1() {
    // The item models watch Rows, which goes before the window's children do.
    delete listModel_;
    delete treeModel_;
    // The canvas and the tool windows work on the editor state, which goes too.
    delete corrxywnd;
    delete preimg_f;
    delete ScrollBox1->takeWidget();
}

void TForm1::buildMenus() {
    QMenuBar* bar = menuBar();
    N1 = submenu(this, "N1", "Файл");
    N4 = command(this, "N4", "Новый *.mrg");
    N16 = command(this, "N16", "Открыть *.mrg");
    jar1 = command(this, "jar1", "Создать готовую игру *.jar");
    jar1->setIcon(toolIcon(ToolIcon::Jar));
    N6 = command(this, "N6", "Сохранить *.mrg");
    mrg1 = command(this, "mrg1", "Сохранить как *.mrg");
    N9 = command(this, "N9", "Добавить трек из ...");
    levv11 = command(this, "levv11", "Добавить *.lev");
    N11 = submenu(this, "N11", "Генерация картинок уровней");
    N12 = command(this, "N12", "Выбранный");
    N13 = command(this, "N13", "Все уровни");
    N17 = command(this, "N17", "Отправка уровня на сайт");
    N18 = submenu(this, "N18", "Выбрать");
    N7 = command(this, "N7", "Выход");
    N19 = command(this, "N19", "Настройки");
    N3 = submenu(this, "N3", "Помощь");
    N14 = command(this, "N14", "Содержание");
    N2 = command(this, "N2", "О программе");
    N5 = command(this, "N5", ""); // line 11 and the addresses, set by the language

    N1->addActions({N4, N16, jar1, N6, mrg1, N9, levv11});
    N1->addSeparator()->setObjectName("N21");
    N11->addActions({N12, N13});
    N1->addMenu(N11);
    N1->addAction(N17);
    N1->addSeparator()->setObjectName("N8");
    N1->addMenu(N18);
    N1->addSeparator()->setObjectName("N20");
    N1->addAction(N7);
    N3->addAction(N14);
    N3->addSeparator()->setObjectName("N15");
    N3->addAction(N2);
    bar->addMenu(N1);
    bar->addAction(N19);
    bar->addMenu(N3);
    bar->addAction(N5);

    N4->setShortcut(QKeySequence::New);
    N16->setShortcut(QKeySequence::Open);
    N6->setShortcut(QKeySequence::Save);
    mrg1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    N7->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    // Commands that come with later work stay disabled until then.
    for (QAction* later : {jar1, N9, levv11, N12, N13, N17}) later->setEnabled(false);
    N2->setEnabled(false); // the About box is not offered
    N5->setVisible(false);
    N5->setEnabled(false);

    connect(N4, &QAction::triggered, this, &TForm1::NewLevelsClick);
    connect(N16, &QAction::triggered, this, &TForm1::N16Click);
    connect(N6, &QAction::triggered, this, [this] { SaveAllTracksClick(); });
    connect(mrg1, &QAction::triggered, this, &TForm1::mrg1Click);
    connect(N7, &QAction::triggered, this, &TForm1::N7Click);
    connect(N14, &QAction::triggered, this, &TForm1::N14Click);
    connect(N2, &QAction::triggered, this, &TForm1::N2Click);
    connect(N19, &QAction::triggered, this, &TForm1::N19Click);
}

void TForm1::buildToolBar() {
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->toggleViewAction()->setEnabled(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setFixedHeight(kToolBarHeight);
    ToolBar1->setStyleSheet("QToolButton { min-width: 23px; min-height: 23px; max-height: 23px; "
                            "padding: 0px; }");
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    auto tool = [this](const char* name, const char* hint, ToolIcon icon) {
        QAction* a = command(this, name, hint);
        a->setToolTip(ru(hint));
        a->setIcon(toolIcon(icon));
        a->setEnabled(false);
        ToolBar1->addAction(a);
        ToolBar1->widgetForAction(a)->setObjectName(QString(name) + "Button");
        return a;
    };
    UpItem = tool("UpItem", "Переместить вверх", ToolIcon::MoveUp);
    DownItem = tool("DownItem", "Переместить вниз", ToolIcon::MoveDown);
    CopyItem = tool("CopyItem", "Клонировать трек", ToolIcon::Clone);
    DelItem = tool("DelItem", "Удалить", ToolIcon::Delete);
    ToolBar1->addSeparator();
    EditTrackBtn = tool("EditTrackBtn", "Редактировать трек", ToolIcon::EditTrack);
    ToolBar1->addSeparator();
    preimg = tool("preimg", "Предпросмотр трека", ToolIcon::Preview);
    ToolBar1->addSeparator();
    AddPoint = tool("AddPoint", "Добавить новый узел", ToolIcon::AddNode);
    DelPoint = tool("DelPoint", "Удалить узел", ToolIcon::DeleteNode);
    movemap = tool("movemap", "Переместить узел с треком", ToolIcon::MoveWithTrack);
    motopic = tool("motopic", "Мотоциклист", ToolIcon::Rider);
    nodeTools = new QActionGroup(this);
    nodeTools->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction* a : {AddPoint, DelPoint, movemap, motopic}) {
        a->setCheckable(true);
        nodeTools->addAction(a);
    }
    UpItem->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Up));
    DownItem->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Down));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    N10 = command(this, "N10", "Вверх");
    N22 = command(this, "N22", "Вниз");
    N23 = command(this, "N23", "Копировать");
    N24 = command(this, "N24", "Удалить");
    N25 = command(this, "N25", "Редактировать");
    PopupMenu1->addActions({N10, N22, N23, N24, N25});
}

void TForm1::buildLeftSide(QWidget* parent) {
    auto* stack = new QVBoxLayout(parent);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);

    Panel2 = new QWidget(parent);
    Panel2->setObjectName("Panel2");
    auto* list = new QVBoxLayout(Panel2);
    list->setContentsMargins(2, 2, 2, 2);
    list->setSpacing(2);
    StaticText2 = new QLabel(ru("Компоновка треков"), Panel2);
    StaticText2->setObjectName("StaticText2");
    StaticText2->setAlignment(Qt::AlignCenter);
    QFont bold = StaticText2->font();
    bold.setBold(true);
    StaticText2->setFont(bold);
    LevelsList = new LevelsListView(Panel2);
    LevelsTree = new LevelsTreeView(Panel2);
    LevelsTree->hide();

    GroupBox2 = new QGroupBox(ru(" Добавление трека"), Panel2);
    GroupBox2->setObjectName("GroupBox2");
    auto* add = new QGridLayout(GroupBox2);
    add->setContentsMargins(6, 4, 6, 6);
    Label5 = new QLabel(ru("Название"), GroupBox2);
    Label5->setObjectName("Label5");
    NameNewTrack = new QLineEdit(GroupBox2);
    NameNewTrack->setObjectName("NameNewTrack");
    NewTrack = new QPushButton(ru("Начать"), GroupBox2);
    NewTrack->setObjectName("NewTrack");
    add->addWidget(Label5, 0, 0, 1, 2);
    add->addWidget(NameNewTrack, 1, 0);
    add->addWidget(NewTrack, 1, 1);

    list->addWidget(StaticText2);
    list->addWidget(LevelsList, 1);
    list->addWidget(LevelsTree, 1);
    list->addWidget(GroupBox2);

    Panel1 = new TrackPropertiesPanel(parent);
    Panel1->hide();

    stack->addWidget(Panel2);
    stack->addWidget(Panel1);
}

void TForm1::buildRightSide(QWidget* parent) {
    auto* stack = new QVBoxLayout(parent);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);

    Panel7 = new QWidget(parent);
    Panel7->setObjectName("Panel7");
    auto* preview = new QVBoxLayout(Panel7);
    preview->setContentsMargins(0, 0, 0, 0);
    previewimg = new ImageBox(Panel7);
    previewimg->setObjectName("previewimg");
    preview->addWidget(previewimg);

    Panel5 = new QWidget(parent);
    Panel5->setObjectName("Panel5");
    auto* editor = new QVBoxLayout(Panel5);
    editor->setContentsMargins(0, 0, 0, 0);
    ScrollBox1 = new QScrollArea(Panel5);
    ScrollBox1->setObjectName("ScrollBox1");
    ScrollBox1->setWidgetResizable(false);
    MapImg = new TrackCanvas(Nodes, Style);
    MapImg->setFixedSize(820, 554);
    MapImg->setScrollBox(ScrollBox1);
    ScrollBox1->setWidget(MapImg);
    editor->addWidget(ScrollBox1);
    Panel5->hide();

    stack->addWidget(Panel7);
    stack->addWidget(Panel5);
}

void TForm1::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar1");
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(kStatusHeight);
    for (int i = 0; i < 5; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QString("StatusPanel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setVisible(kStatusWidths[i] > 0);
        if (i < 4) {
            panel->setFixedWidth(kStatusWidths[i]);
            bar->addWidget(panel);
        } else { // the last panel runs on to the right edge
            panel->setMinimumWidth(kStatusWidths[i]);
            bar->addWidget(panel, 1);
        }
        StatusPanels[i] = panel;
    }
    StatusPanels[1]->setText(Lang[42]); // grid state, not visible
}

// The view chosen for the run is shown and holds the rows; the other stays
// hidden and empty.
void TForm1::useViewMode() {
    const bool tree = ViewMode == kTreeView;
    LevelsList->setVisible(!tree);
    LevelsTree->setVisible(tree);
    if (tree) {
        treeModel_ = new LevelsTreeModel(Rows, this);
        LevelsTree->setModel(treeModel_);
        connect(treeModel_, &QAbstractItemModel::modelReset, LevelsTree, &QTreeView::expandAll);
        LevelsTree->expandAll();
    } else {
        listModel_ = new LevelsListModel(Rows, this);
        LevelsList->setModel(listModel_);
    }
}

void TForm1::setPrompts(std::unique_ptr<Prompts> prompts) {
    prompts_ = std::move(prompts);
}

} // namespace korvo
