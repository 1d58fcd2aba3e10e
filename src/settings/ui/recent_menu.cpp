#include "recent_menu.h"

#include "settings/recent_files.h"

#include <QAction>
#include <QMenu>

namespace korvo {

void fillRecentMenu(QMenu& menu, const RecentFiles& recent,
                    const std::function<void(const QString& path)>& openRecentPack) {
    // The old items go later: the clicked one may be the item whose click
    // handler is rebuilding the menu.
    for (QAction* old : menu.actions()) {
        menu.removeAction(old);
        if (old->parent() == &menu) old->deleteLater();
    }
    for (const RecentItem& item : recent.items()) {
        // A '&' in a path is shown, not taken as a shortcut marker.
        QAction* action = menu.addAction(QString(item.caption()).replace('&', "&&"));
        action->setToolTip(item.path);
        action->setStatusTip(item.path);
        QObject::connect(action, &QAction::triggered, &menu,
                         [action, openRecentPack] { openRecentPack(action->toolTip()); });
    }
    // An empty submenu would open blank: "Выбрать" waits for a first pack.
    menu.menuAction()->setEnabled(!recent.items().isEmpty());
}

} // namespace korvo
