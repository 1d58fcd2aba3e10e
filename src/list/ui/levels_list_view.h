#pragma once
// LevelsList: the flat list of the level rows (one column, grid lines,
// whole-row and multiple selection, rows dragged within the list).

#include "levels_view.h"

#include <QListView>

namespace korvo {

class LevelsListView : public LevelsView<QListView> {
    Q_OBJECT
public:
    explicit LevelsListView(QWidget* parent = nullptr);
};

} // namespace korvo
