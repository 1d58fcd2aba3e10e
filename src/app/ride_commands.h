#pragma once
// The test ride and the pack check in the main window: "Ride" (tool button,
// F5), "Replay" (Shift+F5), "Watch the test rider" (Ctrl+F5) and "Ride keys
// from a file" (Ctrl+Shift+F5) show the ride view in place of the canvas or
// the preview, and "Save ride keys" (Ctrl+Shift+K) writes the last ride's
// keys; "Check pack" (Edit menu, Ctrl+Shift+C) lists the findings, and a
// double click on one opens its track with the node selected. A ride reads
// the track and changes nothing of the pack, the open track or the history;
// a finish by hand or by keys is kept as the track's best ride beside the
// pack (held in memory while the pack has no file, written when it gets one),
// and the best ride rides along as a ghost. The submission window gets a
// "Check pack" button and the count of tracks nobody finished when it is
// built, and asks before it sends such a pack.

#include "app_context.h"
#include "ride/pack_check.h"
#include "ride/ride_records.h"
#include "ride/ride_world.h"

#include <QObject>
#include <memory>
#include <optional>

class QAction;
class QDialog;
class QLabel;
class QMainWindow;
class QPushButton;

namespace korvo {

class CheckWindow;
struct CheckJob;
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
    void watchTestRider();
    void rideKeysFromFile(); // asks for the file
    Message rideKeysFrom(const QString& path);
    void saveRideKeys(); // asks for the file
    Message saveRideKeysTo(const QString& path);
    void checkPack();
    // The best rides of the open pack: the file beside it, with the finishes
    // held while the pack had no file (written there once it has one).
    RideRecords records(Message* why = nullptr);
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
        int number = 0;                   // the record j
        QString label;                    // "number/name"
        std::optional<TTrackInfo> record; // as the pack holds it or would once stored
    };
    // Track `j` as it is now: the open track as it lies on the canvas when it
    // is `j`, else its record; with 0, the open track or else the selected one.
    std::optional<Ridden> trackToRide(int j = 0) const;
    // The open or selected track, or a message that there is none.
    std::optional<Ridden> selectedTrackOrSay();
    // `ridden` is the track of the ride starting now (Replay rides it again).
    void startRiding(const Ridden& ridden);
    void showView(bool on);
    void markEnd(RideEnd end, QPointF place);
    void keepFinish(); // a finished ride by hand or by keys: the track's best?
    std::optional<BestRide> bestOf(const Ridden& r);
    std::unique_ptr<CheckJob> checkJob();
    void showUnvalidated(); // the submission window's count
    bool askUnvalidated(const QString& packPath);

    AppContext& app_;
    ListController& list_;
    EditorController& editor_;
    QWidget* right_;
    RideView* view_;
    CheckWindow* check_ = nullptr;
    QWidget* endMark_ = nullptr; // on the canvas: where the last ride ended
    QPointF endPlace_;
    int lastTrack_ = 0;            // the track of the last ride, which Replay rides again
    Ridden ridden_;                // the track of the ride shown
    RideRecords held_;             // finishes while the pack has no file
    std::vector<QWidget*> hidden_; // what the view covers while it is up
    QAction *RideBtn, *ReplayRide, *WatchRider, *LoadRideKeys, *SaveRideKeys, *CheckPack;
    QPushButton* checkButton_ = nullptr; // in the submission window
    QLabel* unvalidated_ = nullptr;      // in the submission window
};

} // namespace korvo
