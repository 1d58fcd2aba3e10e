#pragma once
// The one QApplication of the window benchmarks, offscreen unless a platform
// is chosen.

#include <QApplication>

namespace korvo::bench {

inline void ensureApp() {
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "benchmarks";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    (void)app;
}

} // namespace korvo::bench
