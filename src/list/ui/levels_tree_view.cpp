#include "levels_tree_view.h"

namespace korvo {

LevelsTreeView::LevelsTreeView(QWidget* parent) : LevelsView<QTreeView>(parent) {
    setObjectName("LevelsTree");
    setHeaderHidden(true);
    setIndentation(19);
    setUniformRowHeights(true);
    setItemDelegate(new TallRowDelegate(this));
}

// A group header with tracks refuses the rows.
bool LevelsTreeView::takesRowsAt(QPoint at) const {
    const QModelIndex i = indexAt(at);
    return !(i.isValid() && !i.parent().isValid() && model()->rowCount(i) > 0);
}

} // namespace korvo
