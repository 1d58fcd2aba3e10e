// korvote: the track editor. It takes no arguments; the current folder is
// its base folder, where it reads "levels.mrg" or starts a new pack.
#include "app/main_window.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(korvo::TForm1::kAppTitle);
    QFont font = QApplication::font(); // the small interface font the layout is made for
    font.setPointSize(8);
    QApplication::setFont(font);
    korvo::TForm1 window;
    window.show();
    return app.exec();
}
