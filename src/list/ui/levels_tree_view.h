#pragma once
// LevelsTree: the level rows as a tree, the three group headers at the top
// level with their tracks as children (multiple selection, rows dragged
// within the tree).

#include "levels_view.h"

#include <QTreeView>

namespace korvo {

class LevelsTreeView : public LevelsView<QTreeView> {
    Q_OBJECT
public:
    explicit LevelsTreeView(QWidget* parent = nullptr);

protected:
    bool takesRowsAt(QPoint at) const override;
};

} // namespace korvo
