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

    Label1 = new QLabel(lang[kLineProcessing], this);
    Label1->setObjectName("Label1");
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->move(8, 8);
    Label1->adjustSize();

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setGeometry(8, 32, 209, 25);
    ProgressBar1->setRange(0, kMaxProgress);
    ProgressBar1->setTextVisible(false);
}

void ProgressWindow::setProgress(int value) {
    if (value == ProgressBar1->value()) return; // most tracks of a large pack move it by nothing
    ProgressBar1->setValue(value);
    // Painted at once: the run holds the event loop until it ends, and no
    // other event (a timer's, the user's) may act on the pack meanwhile.
    ProgressBar1->repaint();
}

PictureRun ProgressWindow::run(const std::function<PictureRun(const PictureProgress&)>& work) {
    ProgressBar1->setValue(0);
    show();
    raise();
    // Once, so that the window is on the screen before the run starts.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const PictureRun result = work([this](int value) { setProgress(value); });
    close();
    return result;
}

} // namespace korvo
