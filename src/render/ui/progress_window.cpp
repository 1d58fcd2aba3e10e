#include "render/ui/progress_window.h"

#include "text/lang_added.h"
#include "text/lang_lines.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

namespace korvo {

namespace {
constexpr QSize kClientSize(231, 66);
constexpr QPoint kPosition(437, 326);
constexpr int kMaxProgress = 130;
} // namespace

ProgressWindow::ProgressWindow(const LangLines& lang, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("Form3");
    setFixedSize(kClientSize);
    move(kPosition);

    processingLabel = new QLabel(lang[kLineProcessing], this);
    processingLabel->setObjectName("Label1");
    QFont bold = processingLabel->font();
    bold.setBold(true);
    processingLabel->setFont(bold);
    processingLabel->move(8, 8);
    processingLabel->adjustSize();

    progressBar = new QProgressBar(this);
    progressBar->setObjectName("ProgressBar1");
    progressBar->setGeometry(8, 32, 209, 25);
    progressBar->setRange(0, kMaxProgress);
    progressBar->setTextVisible(false);
}

void ProgressWindow::setProgress(int value) {
    if (value == progressBar->value()) return; // most tracks of a large pack move it by nothing
    progressBar->setValue(value);
    // Painted at once: the run holds the event loop until it ends, and no
    // other event (a timer's, the user's) may act on the pack meanwhile.
    progressBar->repaint();
}

PictureRun ProgressWindow::run(const std::function<PictureRun(const PictureProgress&)>& work) {
    progressBar->setValue(0);
    show();
    raise();
    // Once, so that the window is on the screen before the run starts.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const PictureRun result = work([this](int value) { setProgress(value); });
    close();
    return result;
}

} // namespace korvo
