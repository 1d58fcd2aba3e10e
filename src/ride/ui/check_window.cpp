#include "check_window.h"

#include "text/lang_added.h"
#include "text/lang_lines.h"

#include <QApplication>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace korvo {

CheckWindow::CheckWindow(const LangLines& lang, QWidget* parent)
    : QDialog(parent), lang_(lang), list_(new QListWidget(this)) {
    setObjectName("CheckWindow");
    list_->setObjectName("CheckList");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    resize(640, 360);
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
}

void CheckWindow::showFindings(std::vector<Finding> findings) {
    findings_ = std::move(findings);
    setWindowTitle(QString(lang_[kLineCheckWindowTitle]).replace("\r\n", " "));
    list_->clear();
    for (const Finding& f : findings_) {
        auto* item = new QListWidgetItem(findingLine(f, lang_), list_);
        if (f.hint()) item->setForeground(QColor(90, 90, 90));
    }
    if (findings_.empty())
        new QListWidgetItem(lang_[kLineCheckNothing], list_);
    else if (std::all_of(findings_.begin(), findings_.end(),
                         [](const Finding& f) { return f.hint(); }))
        new QListWidgetItem(lang_[kLineCheckOnlyHints], list_); // as trackpack check's last line
}

} // namespace korvo
