#pragma once
// The small always-on-top tool window that shows the exact coordinates of the
// open track's selected node (Ctrl + left click on it) and moves the node as
// they are changed, within the limits of corrLimits. It keeps no node or
// state of its own: it reads the open track and edits it.

#include "editor/node_correction.h"
#include "editor/node_editor.h"

#include <QWidget>

class QLabel;
class QSpinBox;

namespace korvo {

class OpenTrack;

class CorrectionWindow : public QWidget {
    Q_OBJECT
public:
    // The window keeps a height of 80 and a width of 80, or more where the
    // style needs it to show five-digit coordinates whole.
    static constexpr int kSize = 80;

    explicit CorrectionWindow(OpenTrack& track, QWidget* parent = nullptr);

    // Shows the selected node of the open track, or shows another one when
    // the window is open already. `node` is the node's position on the
    // screen; the window goes beside it (corrWindowPos). Filling in the values
    // does not move the node. `takeKeys`: the window becomes the active one
    // with the X field ready for typing (opened from the keyboard).
    void openAt(QPoint node, bool takeKeys = false);

    // Hides the window without the closing steps: the track is being closed.
    void dismiss();

    // The node shown, as the open track has it selected.
    int node() const;
    const CorrLimits& limits() const { return limits_; }

signals:
    // A value moved the node, or the window closed; the canvas carries out
    // what the edit asks of it (repainting, the marks).
    void edited(const korvo::GestureOutcome& out);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override; // Escape closes

private:
    bool showing() const;
    void xChanged();
    void yChanged();
    void moved();

    OpenTrack& track_;
    QLabel* xLabel_;
    QSpinBox* x_;
    QLabel* yLabel_;
    QSpinBox* y_;
    CorrLimits limits_;
};

} // namespace korvo
