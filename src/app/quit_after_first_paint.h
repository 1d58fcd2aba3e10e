#pragma once
// With KORVO_EXIT_AFTER_FIRST_PAINT set, a program ends once its first frame
// is painted: the start-up measurements (bench/startup_vs_bare.sh) run the
// editor and the programs it is compared with this way.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

namespace korvo {

class QuitAfterFirstPaint : public QObject {
public:
    // Watches `app` when the variable is set.
    explicit QuitAfterFirstPaint(QCoreApplication& app) {
        if (qEnvironmentVariableIsSet("KORVO_EXIT_AFTER_FIRST_PAINT")) app.installEventFilter(this);
    }
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

} // namespace korvo
