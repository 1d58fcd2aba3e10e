#include "recent_menu.h"

#include "settings/recent_files.h"

#include <QAction>
#include <QMenu>

namespace korvo {

void fillRecentMenu(QMenu& N18, const RecentFiles& recent,
                    const std::function<void(const QString& path)>& vitemClick) {
    N18.clear();
    for (const RecentItem& item : recent.items()) {
        // A '&' in a path is shown, not taken as a shortcut marker.
        QAction* action = N18.addAction(QString(item.caption()).replace('&', "&&"));
        action->setToolTip(item.path);
        action->setStatusTip(item.path);
        QObject::connect(action, &QAction::triggered, &N18,
                         [action, vitemClick] { vitemClick(action->toolTip()); });
    }
}

} // namespace korvo
