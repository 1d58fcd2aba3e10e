#pragma once
// LevelsTree: the level rows as a tree, the three group headers at the top
// level with their tracks as children (multiple selection, rows dragged
// within the tree).

#include <QTreeView>

namespace korvo {

class LevelsTreeView : public QTreeView {
    Q_OBJECT
public:
    explicit LevelsTreeView(QWidget* parent = nullptr);

signals:
    void arrowReleased(); // a key that moves the selection (arrows, pages, Home, End, a letter) was
                          // released
    void deletePressed(); // the Delete key was pressed
    void rowsDropped(QPoint at); // selected rows were dropped at a viewport point

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

} // namespace korvo
