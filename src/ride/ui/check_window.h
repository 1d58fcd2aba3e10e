#pragma once
// The Check window: the pack check runs on worker threads while a bar and a
// line show how many tracks are done, and Cancel (or closing the window)
// stops it; the findings are then listed, ending in a line that says so when
// all of them are hints or the check was cancelled. A double click (or
// Enter) on a track's finding asks for that track to be opened with the node
// selected and the view on it.

#include "ride/pack_check.h"
#include "ride/ride_records.h"

#include <QDialog>
#include <QTimer>

#include <future>
#include <memory>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace korvo {

class LangLines;

// What a check needs, copied out of the pack so that it may change meanwhile.
struct CheckJob {
    std::vector<std::pair<int, TTrackInfo>> tracks; // number j and record, in the list's order
    RideParams params;
    RideRecords records;         // tracks without one are "not validated"
    std::vector<Finding> before; // listed first (best rides that cannot be read)
};

class CheckWindow : public QDialog {
    Q_OBJECT
public:
    CheckWindow(const LangLines& lang, QWidget* parent = nullptr);
    ~CheckWindow() override;

    // Starts the check (a running one is stopped first); the list fills when it ends.
    void run(std::unique_ptr<CheckJob> job);
    bool running() const { return job_ != nullptr; }
    void cancel();
    // Lists `findings`; a complete list ends in a line when there is nothing or only hints.
    void showFindings(std::vector<Finding> findings, bool complete = true);
    const std::vector<Finding>& findings() const { return findings_; }
    QListWidget* list() const { return list_; }
    QProgressBar* progressBar() const { return bar_; }
    QLabel* progressLabel() const { return state_; }
    QPushButton* cancelButton() const { return cancel_; }

signals:
    void findingChosen(const korvo::Finding& finding);
    void checkEnded();

protected:
    void reject() override; // Escape or the title bar's close: the check stops

private:
    struct Running;
    void poll();
    void retitle();

    const LangLines& lang_;
    QListWidget* list_;
    QProgressBar* bar_;
    QLabel* state_;
    QPushButton* cancel_;
    QTimer poll_;
    std::unique_ptr<Running> job_;
    std::vector<Finding> findings_;
};

} // namespace korvo
