// korvote: the track editor. Starts in the current folder, which is the base folder.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle("Korvo Track Editor 3");
    w.resize(988, 659);
    w.show();
    return app.exec();
}
