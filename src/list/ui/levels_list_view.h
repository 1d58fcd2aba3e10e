#pragma once
// LevelsList: the flat list of the level rows (one column, grid lines,
// whole-row and multiple selection, rows dragged within the list).

#include <QListView>

namespace korvo {

class LevelsListView : public QListView {
    Q_OBJECT
public:
    explicit LevelsListView(QWidget* parent = nullptr);

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
