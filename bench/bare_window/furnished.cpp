// The same window as the editor's at start, put together from plain Qt
// widgets with nothing read from disk: a menu bar with the editor's menus and
// item count, a tool bar of 16 drawn icons, the track list with its title
// and new-track box, a preview with a line drawn in it and five status
// panels. It measures what Qt itself takes to show such a window; the
// editor's start is compared with it beside the bare window
// (bench/startup_vs_bare.sh). It ends after its first painted frame when
// KORVO_EXIT_AFTER_FIRST_PAINT is set.
// usage: furnished_window [ROWS]  (the list's rows, default 33)
#include "app/quit_after_first_paint.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QIcon drawnIcon(int k) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor::fromHsv(k * 23 % 360, 200, 180), 2));
    p.drawEllipse(QRectF(2, 2, 12, 12));
    p.drawLine(QPointF(3, 13), QPointF(13, 3 + k % 5));
    return QIcon(pixmap);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);
    korvo::QuitAfterFirstPaint quitAfterFirstPaint(app);
    const int rows = argc > 1 ? QString(argv[1]).toInt() : 33;

    QMainWindow window;
    for (auto [title, items] :
         {std::pair{"&File", 14}, {"&Edit", 15}, {"&Options", 1}, {"&Help", 3}}) {
        QMenu* menu = window.menuBar()->addMenu(title);
        for (int i = 0; i < items; ++i) menu->addAction(QString("Item &%1 of the menu").arg(i));
    }
    QToolBar* tools = window.addToolBar("tools");
    for (int k = 0; k < 16; ++k) tools->addAction(drawnIcon(k), QString("Command %1").arg(k));

    auto* central = new QWidget;
    auto* split = new QHBoxLayout(central);
    split->setContentsMargins(0, 0, 0, 0);
    auto* left = new QWidget;
    left->setFixedWidth(188);
    auto* column = new QVBoxLayout(left);
    auto* title = new QLabel("Track layout");
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setAlignment(Qt::AlignCenter);
    column->addWidget(title);
    auto* list = new QListWidget;
    for (int r = 0; r < rows; ++r)
        list->addItem(r % 11 == 0 ? QString("---===  Group %1  ===---").arg(r / 11 + 1)
                                  : QString("%1/Track_%1").arg(r));
    list->setCurrentRow(1);
    column->addWidget(list, 1);
    auto* box = new QGroupBox("Add a track");
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel("Name"), 0, 0, 1, 2);
    grid->addWidget(new QLineEdit, 1, 0);
    grid->addWidget(new QPushButton("&Start"), 1, 1);
    column->addWidget(box);
    split->addWidget(left);

    QImage preview(800, 600, QImage::Format_RGB32);
    preview.fill(Qt::white);
    {
        QPainter p(&preview);
        p.setPen(Qt::red);
        for (int x = 0; x < 780; x += 20)
            p.drawLine(x, 300 + (x * 37) % 90, x + 20, 300 + ((x + 20) * 37) % 90);
    }
    auto* shown = new QLabel;
    shown->setPixmap(QPixmap::fromImage(preview));
    split->addWidget(shown, 1);
    window.setCentralWidget(central);

    for (int i = 0; i < 5; ++i)
        window.statusBar()->addWidget(new QLabel(QString("Panel %1").arg(i)));
    window.setFixedSize(988, 680);
    window.show();
    return app.exec();
}
