#pragma once
// An image that fills its area, such as the track preview `previewimg`: it
// shows a picture of its own size and reports double clicks.

#include <QImage>
#include <QWidget>

namespace korvo {

class ImageBox : public QWidget {
    Q_OBJECT
public:
    explicit ImageBox(QWidget* parent = nullptr);

    // The picture, drawn at the top left corner; the rest of the area shows
    // the fill colour.
    const QImage& image() const { return image_; }
    void setImage(const QImage& image);
    // A new picture of the box's own size, filled with `colour`.
    void clear(const QColor& colour);

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage image_;
    QColor fill_ = Qt::white;
};

} // namespace korvo
