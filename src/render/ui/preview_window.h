#pragma once
// FloatingPreview: the floating preview of the track open in the editor, a small
// window that stays on top. It opens at the track's aspect ratio and keeps
// that ratio when its height is changed: the width follows the height.
//
// The picture `pictureLabel` fills the window; the window opens the first time at
// (188, 480) of the main window's client area, over the canvas's lower left.

#include <QImage>
#include <QWidget>

#include <functional>

class QLabel;

namespace korvo {

class FloatingPreview : public QWidget {
    Q_OBJECT
public:
    explicit FloatingPreview(QWidget* parent = nullptr);

    // Draws the open track into `image` (drawPreview, floating): the image's
    // width is given; the drawing may change its height to fit the track.
    std::function<void(QImage& image)> drawTrack;

    // The button "Предпросмотр трека" went down: shape the picture to the
    // track, fit the window to it (fitPreviewWindow) and show it.
    void showPreview();
    // Draws the track again at the window's size (after every edit).
    void redraw();

    // The picture size computed at opening, and the width-to-height ratio of
    // the picture kept while the user resizes the window.
    int BaseImgHeight = 0;
    int BaseImgWidth = 0;
    double PreviewRatio = 1.0;

    QLabel* pictureLabel;
    const QImage& image() const { return image_; }

signals:
    // FormClose: the window was closed; the button goes up, the canvas repaints.
    void closed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override; // Escape closes

private:
    void fitPreviewWindow();
    // FormResize: the width that keeps the ratio for a client height of `h`.
    void fitToHeight(int h);
    void moveToStart();
    void showImage();

    QImage image_;
    bool fitting_ = false;
    bool placed_ = false;
};

} // namespace korvo
