#pragma once
// Making the named menu items and tool bar commands of the main window.

#include "toolbar_icons.h"

#include <QAction>
#include <QMenu>
#include <QString>

namespace korvo {

inline QString ru(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A menu item or command named for the language table and the tests.
inline QAction* namedAction(QObject* owner, const char* name, const char* caption) {
    auto* a = new QAction(ru(caption), owner);
    a->setObjectName(name);
    return a;
}

// A tool bar command: icon, tool tip, off until its owner enables it.
inline QAction* toolAction(QObject* owner, const char* name, const char* hint, ToolIcon icon) {
    QAction* a = namedAction(owner, name, hint);
    a->setToolTip(ru(hint));
    a->setIcon(toolIcon(icon));
    a->setEnabled(false);
    return a;
}

inline QMenu* namedMenu(QWidget* owner, const char* name, const char* caption) {
    auto* m = new QMenu(ru(caption), owner);
    m->setObjectName(name);
    return m;
}

} // namespace korvo
