// The floor the editor's start-up is measured against: a bare QMainWindow
// with the same interface font, shown, and gone after its first painted
// frame when KORVO_EXIT_AFTER_FIRST_PAINT is set (as the editor does).
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>

namespace {

class QuitAfterFirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !quitting_) {
            quitting_ = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool quitting_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);
    QuitAfterFirstPaint quit;
    if (qEnvironmentVariableIsSet("KORVO_EXIT_AFTER_FIRST_PAINT")) app.installEventFilter(&quit);
    QMainWindow window;
    window.resize(988, 680);
    window.show();
    return app.exec();
}
