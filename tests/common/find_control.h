#pragma once
// Finds a control of a window by its objectName, the way the language table
// does: an element of the window itself, not one inside another window it
// owns (the options dialog has controls of the same names).

#include <QMenu>
#include <QWidget>

namespace korvo::test {

template <class T = QObject> T* ctl(QWidget& window, const char* name) {
    for (T* o : window.findChildren<T*>(name)) {
        bool own = true;
        for (QObject* p = o->parent(); p && p != &window; p = p->parent()) {
            auto* w = qobject_cast<QWidget*>(p);
            own = own && !(w && w->isWindow() && !qobject_cast<QMenu*>(w));
        }
        if (own) return o;
    }
    return nullptr;
}

template <class T = QObject> T* ctl(const QWidget& window, const char* name) {
    return ctl<T>(const_cast<QWidget&>(window), name);
}

} // namespace korvo::test
