#include "editor/ui/correction_window.h"

#include "editor/open_track.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>

namespace korvo {

namespace {

// Wider than any track coordinate (499 segments of 127); the real limits are
// applied by clamping, so that a typed value beyond them is corrected rather
// than refused.
constexpr int kSpinRange = 99999;

QSpinBox* makeSpin(const char* name, QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(-kSpinRange, kSpinRange);
    // A typed number counts when it is confirmed (Enter, leaving the field):
    // clamping every keystroke would turn the first digit of "120" into the
    // minimum before the rest could be typed.
    spin->setKeyboardTracking(false);
    spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    spin->setMinimumWidth(spin->sizeHint().width()); // room for "-99999"
    return spin;
}

} // namespace

CorrectionWindow::CorrectionWindow(OpenTrack& track, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      track_(track) {
    setObjectName("corrxywnd");
    xLabel_ = new QLabel("X :", this);
    xLabel_->setObjectName("Label2");
    x_ = makeSpin("x_", this);
    yLabel_ = new QLabel("Y :", this);
    yLabel_->setObjectName("Label3");
    y_ = makeSpin("y_", this);
    xLabel_->setBuddy(x_); // Alt+X and Alt+Y reach the fields
    yLabel_->setBuddy(y_);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(3, 3, 3, 3);
    grid->setHorizontalSpacing(2);
    grid->addWidget(xLabel_, 0, 0);
    grid->addWidget(x_, 0, 1);
    grid->addWidget(yLabel_, 1, 0);
    grid->addWidget(y_, 1, 1);
    // 80 x 80, but wide enough to show five-digit coordinates whole.
    setFixedSize(std::max(kSize, grid->sizeHint().width()), kSize);

    connect(x_, &QSpinBox::valueChanged, this, &CorrectionWindow::xChanged);
    connect(y_, &QSpinBox::valueChanged, this, &CorrectionWindow::yChanged);
}

int CorrectionWindow::node() const {
    return track_.selectedNode();
}

// Open while the track has its correction gesture on the node.
bool CorrectionWindow::showing() const {
    return isVisible() && track_.session().Gesture.CorrOpen;
}

void CorrectionWindow::openAt(QPoint node, bool takeKeys) {
    const EditorState& st = track_.state();
    const int k = track_.selectedNode();
    if (k < 1 || k > st.NodeCount) return;
    limits_ = corrLimits(st.NodeX.data(), st.NodeY.data(), st.NodeCount, k);
    {
        const QSignalBlocker bx(x_), by(y_);
        x_->setValue(st.NodeX[size_t(k)]);
        y_->setValue(shownY(st.NodeY[size_t(k)]));
    }
    const QScreen* screen = QGuiApplication::screenAt(node);
    if (!screen) screen = QGuiApplication::primaryScreen();
    // The frame is known once the window was shown; before, the window's own size.
    const QSize frame = frameGeometry().size().expandedTo(sizeHint());
    move(screen ? corrWindowPos(node, frame, screen->availableGeometry()) : node);
    show();
    raise();
    if (takeKeys) {
        activateWindow();
        x_->setFocus(Qt::OtherFocusReason);
        x_->selectAll();
    }
}

void CorrectionWindow::dismiss() {
    hide();
}

void CorrectionWindow::xChanged() {
    if (!showing()) return;
    const int v = limits_.clampX(x_->value());
    if (v != x_->value()) {
        const QSignalBlocker block(x_);
        x_->setValue(v);
    }
    moved();
}

void CorrectionWindow::yChanged() {
    if (!showing()) return;
    const int v = limits_.clampY(y_->value());
    if (v != y_->value()) {
        const QSignalBlocker block(y_);
        y_->setValue(v);
    }
    moved();
}

void CorrectionWindow::moved() {
    emit edited(track_.nodes().correctNode(x_->value(), y_->value()));
    track_.settle();
}

void CorrectionWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void CorrectionWindow::closeEvent(QCloseEvent* event) {
    const bool wasOpen = showing();
    // The keys it had go back to the window it works for.
    if (isActiveWindow() && parentWidget()) parentWidget()->window()->activateWindow();
    QWidget::closeEvent(event);
    if (wasOpen) {
        emit edited(track_.nodes().correctionClosed());
        track_.settle();
    }
}

} // namespace korvo
