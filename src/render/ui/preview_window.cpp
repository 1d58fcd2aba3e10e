#include "render/ui/preview_window.h"

#include "render/track_preview.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include <algorithm>
#include <cstdlib>

namespace korvo {

namespace {
constexpr QSize kImageSize(252, 126);
constexpr QPoint kStartPos(188, 480); // in the client area of the main window
} // namespace

FloatingPreview::FloatingPreview(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName("preimg_f");
    setWindowTitle(QString::fromUtf8("Предпросмотр трека"));
    pictureLabel = new QLabel(this);
    pictureLabel->setObjectName("Image1");
    pictureLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    resize(kImageSize);
    moveToStart();
}

void FloatingPreview::moveToStart() {
    const QWidget* owner = parentWidget();
    const QWidget* client = owner && owner->window() ? owner->window() : nullptr;
    move(client ? client->mapToGlobal(kStartPos) : kStartPos);
}

void FloatingPreview::showPreview() {
    if (!placed_) moveToStart(); // the main window has found its place by now
    placed_ = true;
    image_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    if (drawTrack) drawTrack(image_);
    BaseImgHeight = image_.height();
    BaseImgWidth = image_.width();
    fitPreviewWindow();
    show();
    raise();
}

// The window system draws the frame around the size set here, so the ratio
// is that of the picture itself: the track fills the window at any height.
void FloatingPreview::fitPreviewWindow() {
    PreviewRatio = BaseImgHeight > 0 ? double(BaseImgWidth) / BaseImgHeight : 1.0;
    fitToHeight(BaseImgHeight);
}

void FloatingPreview::fitToHeight(int h) {
    int height = std::max(1, h);
    // A long track gives a wide window: it never grows wider than the screen,
    // the height giving way so that the ratio still holds.
    const QScreen* s = screen();
    const int widest = s ? s->availableGeometry().width() : 0;
    if (widest > 0 && PreviewRatio > 0 && height * PreviewRatio > widest)
        height = std::max(1, int(widest / PreviewRatio));
    const int width = std::max(1, previewWindowWidth(height, PreviewRatio));
    fitting_ = true;
    resize(width, height);
    pictureLabel->setGeometry(rect());
    redraw();
    fitting_ = false;
}

void FloatingPreview::redraw() {
    image_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    if (drawTrack) drawTrack(image_);
    // An edit changed the track's proportions: the window takes the new
    // ratio at the height it has (the user's size), so nothing is cut off.
    if (isVisible() && !fitting_ && std::abs(image_.height() - height()) > 1 &&
        image_.height() > 0) {
        BaseImgWidth = image_.width();
        BaseImgHeight = image_.height();
        PreviewRatio = double(BaseImgWidth) / BaseImgHeight;
        fitToHeight(height());
        return;
    }
    showImage();
}

void FloatingPreview::showImage() {
    pictureLabel->setPixmap(QPixmap::fromImage(image_));
}

// FormResize: the user changed the size; the width follows the height.
void FloatingPreview::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    pictureLabel->setGeometry(rect());
    if (!fitting_ && isVisible()) fitToHeight(height());
}

void FloatingPreview::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

void FloatingPreview::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

} // namespace korvo
