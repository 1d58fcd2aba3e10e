#pragma once
// The test ride and the pack check in the main window: "Ride" (tool button,
// F5) and "Replay" (Shift+F5) show the ride view in place of the canvas or
// the preview; "Check pack" (Edit menu, Ctrl+Shift+C) lists the findings,
// and a double click on one opens its track with the node selected. A ride
// reads the track and changes nothing of the pack, the open track or the
// history. The submission window gets a "Check pack" button when it is built.

#include "app_context.h"
#include "ride/pack_check.h"
#include "ride/ride_world.h"

#include <QObject>
#include <optional>

class QAction;
class QDialog;
class QMainWindow;
class QPushButton;

namespace korvo {

class CheckWindow;
class EditorController;
class ListController;
class RideView;

class RideCommands : public QObject {
    Q_OBJECT
public:
    // Adds its commands to the window's Edit menu and tool bar; the ride view
    // takes the place of what `rightPanel` shows while it is up.
    RideCommands(AppContext& app, ListController& list, EditorController& editor,
                 QMainWindow* window, QWidget* rightPanel);

    void ride();
    void replay();
    void checkPack();
    // Adds the "Check pack" button to the submission window, once.
    void offerCheckIn(QDialog* submission);
    void openFinding(const Finding& finding);
    RideView* view() const { return view_; }
    CheckWindow* checkWindow() const { return check_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Ridden {
        RideTrack track;
        int number = 0; // the record j
        QString label;  // "number/name"
    };
    // Track `j` as it is now: the open track as it lies on the canvas when it
    // is `j`, else its record; with 0, the open track or else the selected one.
    std::optional<Ridden> trackToRide(int j = 0) const;
    void showView(bool on);
    void markEnd(RideEnd end, QPointF place);

    AppContext& app_;
    ListController& list_;
    EditorController& editor_;
    QWidget* right_;
    RideView* view_;
    CheckWindow* check_ = nullptr;
    QWidget* endMark_ = nullptr; // on the canvas: where the last ride ended
    QPointF endPlace_;
    int lastTrack_ = 0;            // the track of the last ride, which Replay rides again
    std::vector<QWidget*> hidden_; // what the view covers while it is up
    QAction *RideBtn, *ReplayRide, *CheckPack;
    QPushButton* checkButton_ = nullptr; // in the submission window
};

} // namespace korvo
