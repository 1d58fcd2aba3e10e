// The floor the editor's start-up is measured against: a bare QMainWindow
// with the same interface font, shown, and gone after its first painted
// frame when KORVO_EXIT_AFTER_FIRST_PAINT is set (as the editor does).
#include "app/quit_after_first_paint.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);
    korvo::QuitAfterFirstPaint quitAfterFirstPaint(app);
    QMainWindow window;
    window.resize(988, 680);
    window.show();
    return app.exec();
}
