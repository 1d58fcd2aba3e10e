#include "levels_view.h"

namespace korvo {

// The keys that move the selection.
bool levels_view::isArrow(const QKeyEvent* event) {
    if (event->isAutoRepeat()) return false;
    const QString text = event->text();
    if (!text.isEmpty() && text.front().isPrint() && !text.front().isSpace() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return true;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

} // namespace korvo
