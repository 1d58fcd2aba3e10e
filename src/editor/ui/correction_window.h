#pragma once
// Tcorrxywnd: the small always-on-top tool window that shows the exact
// coordinates of one node (Ctrl + left click on it) and moves the node as
// they are changed, within the limits of corrLimits.

#include "editor/node_correction.h"

#include <QWidget>

#include <functional>

class QLabel;
class QSpinBox;

namespace korvo {

class Tcorrxywnd : public QWidget {
    Q_OBJECT
public:
    // The window keeps a height of 80 and a width of 80, or more where the
    // style needs it to show five-digit coordinates whole.
    static constexpr int kSize = 80;

    explicit Tcorrxywnd(QWidget* parent = nullptr);

    // Opens the window for node k of the given arrays (indexed from 1), or
    // re-targets it when it is open already. `node` is the node's position on
    // the screen and `viewport` the visible canvas area on the screen; the
    // window goes beside the node (corrWindowPos). Filling in the values does
    // not move the node.
    void openFor(const int* NodeX, const int* NodeY, int NodeCount, int k, QPoint node,
                 const QRect& viewport);

    // Called with node k and its new track coordinates after every accepted
    // change (typed and confirmed, spin buttons, wheel).
    std::function<void(int k, int x, int y)> nodeMoved;
    // Called with node k when the window is closed: the canvas repaints the
    // track and its marks.
    std::function<void(int k)> closed;

    // Hides the window without the closing steps: the track is being closed.
    void dismiss();

    bool CorrOpen() const { return CorrOpen_; }
    int SelNode() const { return SelNode_; }
    const CorrLimits& limits() const { return limits_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override; // Escape closes

private:
    void x_Change();
    void y_Change();
    void moved();

    QLabel* Label2;
    QSpinBox* x_;
    QLabel* Label3;
    QSpinBox* y_;
    CorrLimits limits_;
    bool CorrOpen_ = false;
    int SelNode_ = 0;
};

} // namespace korvo
