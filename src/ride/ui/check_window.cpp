#include "check_window.h"

#include "text/lang_added.h"
#include "text/lang_lines.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace korvo {

struct CheckWindow::Running {
    std::unique_ptr<CheckJob> job;
    std::vector<CheckedTrack> tracks;
    CheckProgress progress;
    std::future<std::vector<Finding>> result;
};

CheckWindow::CheckWindow(const LangLines& lang, QWidget* parent)
    : QDialog(parent), lang_(lang), list_(new QListWidget(this)), bar_(new QProgressBar(this)),
      state_(new QLabel(this)), cancel_(new QPushButton(this)) {
    setObjectName("CheckWindow");
    list_->setObjectName("CheckList");
    bar_->setObjectName("CheckProgress");
    state_->setObjectName("CheckState");
    cancel_->setObjectName("CheckCancel");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    auto* row = new QHBoxLayout;
    row->addWidget(bar_, 1);
    row->addWidget(state_);
    row->addWidget(cancel_);
    layout->addLayout(row);
    resize(640, 360);
    poll_.setInterval(100);
    connect(&poll_, &QTimer::timeout, this, &CheckWindow::poll);
    connect(cancel_, &QPushButton::clicked, this, &CheckWindow::cancel);
    auto choose = [this](QListWidgetItem* item) {
        const int i = list_->row(item);
        if (i >= 0 && size_t(i) < findings_.size() && findings_[size_t(i)].track > 0)
            emit findingChosen(findings_[size_t(i)]);
    };
    // A double click, or Enter (which some styles also send for a double click).
    connect(list_, &QListWidget::itemDoubleClicked, this, choose);
    connect(list_, &QListWidget::itemActivated, this, [this, choose](QListWidgetItem* item) {
        if (!QApplication::mouseButtons()) choose(item);
    });
    retitle();
}

CheckWindow::~CheckWindow() {
    if (job_) {
        job_->progress.cancel = true;
        job_->result.wait();
    }
}

void CheckWindow::retitle() {
    setWindowTitle(QString(lang_[kLineCheckWindowTitle]).replace("\r\n", " "));
    cancel_->setText(lang_[kLineCheckCancel]);
}

void CheckWindow::run(std::unique_ptr<CheckJob> job) {
    if (job_) {
        job_->progress.cancel = true;
        job_->result.wait();
        job_.reset();
    }
    retitle();
    findings_.clear();
    list_->clear();
    auto running = std::make_unique<Running>();
    running->job = std::move(job);
    for (auto& [j, record] : running->job->tracks) running->tracks.push_back({j, &record});
    running->progress.total = int(running->tracks.size());
    Running* r = running.get();
    running->result = std::async(std::launch::async, [r] {
        CheckOptions options;
        options.records = &r->job->records;
        options.progress = &r->progress;
        return checkTracks(r->tracks, r->job->params, options);
    });
    job_ = std::move(running);
    bar_->setRange(0, std::max(1, int(job_->tracks.size())));
    bar_->setValue(0);
    bar_->show();
    cancel_->setEnabled(true);
    cancel_->show();
    state_->setText(lang_[kLineCheckProgress].arg(0).arg(job_->tracks.size()));
    poll_.start();
}

void CheckWindow::cancel() {
    if (job_) job_->progress.cancel = true;
    poll();
}

void CheckWindow::reject() {
    if (job_) {
        job_->progress.cancel = true;
        job_->result.wait();
        poll();
    }
    QDialog::reject();
}

void CheckWindow::poll() {
    if (!job_) return;
    const int done = job_->progress.done, total = int(job_->tracks.size());
    bar_->setValue(done);
    state_->setText(lang_[kLineCheckProgress].arg(done).arg(total));
    if (job_->result.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
    poll_.stop();
    std::vector<Finding> found = std::move(job_->job->before);
    const std::vector<Finding> rest = job_->result.get();
    found.insert(found.end(), rest.begin(), rest.end());
    const bool cancelled = job_->progress.cancel;
    const int checked = job_->progress.done;
    job_.reset();
    cancel_->setEnabled(false);
    showFindings(std::move(found), !cancelled);
    if (cancelled) {
        auto* item = new QListWidgetItem(lang_[kLineCheckCancelled].arg(checked).arg(total), list_);
        item->setForeground(QColor(180, 0, 0));
        state_->setText(lang_[kLineCheckCancelled].arg(checked).arg(total));
    }
    emit checkEnded();
}

void CheckWindow::showFindings(std::vector<Finding> findings, bool complete) {
    findings_ = std::move(findings);
    retitle();
    list_->clear();
    for (const Finding& f : findings_) {
        auto* item = new QListWidgetItem(findingLine(f, lang_), list_);
        if (f.hint()) item->setForeground(QColor(90, 90, 90));
    }
    if (!complete) return;
    if (findings_.empty())
        new QListWidgetItem(lang_[kLineCheckNothing], list_);
    else if (std::all_of(findings_.begin(), findings_.end(),
                         [](const Finding& f) { return f.hint(); }))
        new QListWidgetItem(lang_[kLineCheckOnlyHints], list_); // as trackpack check's last line
}

} // namespace korvo
