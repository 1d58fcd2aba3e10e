#pragma once
// The submenu of File > "Выбрать" ("N18") built from the recent packs.

#include <QString>
#include <functional>

class QMenu;

namespace korvo {

class RecentFiles;

// Replaces the menu's items by one per recent pack: caption "n: path", hint
// (tool tip and status tip) the path. A click calls `openRecentPack` with the
// path taken from the item's hint.
void fillRecentMenu(QMenu& menu, const RecentFiles& recent,
                    const std::function<void(const QString& path)>& openRecentPack);

} // namespace korvo
