#pragma once
// The Check window: the findings of the pack check as a list, ending in a
// line that says so when all of them are hints. A double click
// (or Enter) on a track's finding asks for that track to be opened with the
// node selected and the view on it.

#include "ride/pack_check.h"

#include <QDialog>

class QListWidget;

namespace korvo {

class LangLines;

class CheckWindow : public QDialog {
    Q_OBJECT
public:
    CheckWindow(const LangLines& lang, QWidget* parent = nullptr);

    void showFindings(std::vector<Finding> findings);
    const std::vector<Finding>& findings() const { return findings_; }
    QListWidget* list() const { return list_; }

signals:
    void findingChosen(const korvo::Finding& finding);

private:
    const LangLines& lang_;
    QListWidget* list_;
    std::vector<Finding> findings_;
};

} // namespace korvo
