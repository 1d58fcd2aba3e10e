#pragma once
// The ride view: a track ridden in the editor. The bike starts on the player
// marker; Up accelerates, Down brakes, Left and Right lean, Space starts
// again, P pauses, Escape goes back. The view follows the bike at a zoom of
// its own (Ctrl++ / Ctrl+- / Ctrl+0, 1/4 to 4x; 1x, the bike at its real
// size, to start), runs one physics step per 1/60 s and paints only what it
// shows. It names the track, and reads out the time, the speed and the
// distance to the finish. The track's best ride, when there is one, rides
// along as a translucent ghost in a world of its own, step for step, and the
// finish tells the difference. The keys of the last ride are kept, and
// Replay rides them again; keys from a file ride the same way, and the test
// rider can be watched. A ride stops after five minutes of simulated time.

#include "ride/replay.h"
#include "ride/ride_records.h"
#include "ride/ride_world.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

namespace korvo {

class LangLines;

// Who drives the ride: the keys of a person, the keys of the last ride (or
// of a file), or a driver such as the test rider.
enum class RideMode { Person, Replay, Watch };
using RideDriver = std::function<RideInput(const RideWorld&)>;

class RideView : public QWidget {
    Q_OBJECT
public:
    RideView(const LangLines& lang, QWidget* parent = nullptr);

    // A new ride on `track`, driven by the keys; `label` names the track
    // ("number/name") at the top of the view; `ghost` is the best ride.
    void start(const RideTrack& track, const RideParams& params, double zoom, const QString& label,
               std::optional<BestRide> ghost = std::nullopt);
    // The last ride's keys again, on `track` as it is now (the last ride's
    // track, perhaps edited since).
    void replay(const RideTrack& track, const RideParams& params, const QString& label,
                std::optional<BestRide> ghost = std::nullopt);
    // `keys` (of a file) ridden on `track`, as a replay.
    void rideKeys(const RideTrack& track, const RideParams& params, const QString& label,
                  std::vector<KeyEvent> keys, std::optional<BestRide> ghost = std::nullopt);
    // `driver` rides `track`, its keys recorded as a person's are.
    void watch(const RideTrack& track, const RideParams& params, const QString& label,
               RideDriver driver, std::optional<BestRide> ghost = std::nullopt);
    RideMode mode() const { return mode_; }
    bool replaying() const { return mode_ == RideMode::Replay; }
    static constexpr double kMinZoom = 0.25, kMaxZoom = 4;
    double zoom() const { return zoom_; }
    // The line that names the track: "number/name", "Replay: number/name",
    // "Test rider: number/name".
    QString trackText() const;
    // The keys of the last ride driven by hand or by a driver, or ridden from a file.
    const std::vector<KeyEvent>& lastKeys() const { return lastKeys_; }
    // The keys of the ride shown, so far.
    const std::vector<KeyEvent>& keysOfRide() const;

    const RideWorld* world() const { return world_.get(); }
    const RideWorld* ghost() const { return ghost_.get(); }
    // Runs steps as the timer would (benchmarks and tests that need no clock);
    // none while paused.
    void advance(int steps);
    // P: the ride and its clock stand still until P again.
    void setPaused(bool on);
    bool paused() const { return paused_; }
    // The line under the timer: the end of the ride (with the best ride's
    // time and the difference), the pause, or the keys.
    QString statusText() const;
    // The speed and the distance to the finish.
    QString readoutText() const;
    // A line of the window's under the status (a new best ride, a record not kept).
    void setNote(const QString& note);

signals:
    void rideEnded(korvo::RideEnd end, QPointF place); // the ride finished, crashed or stopped
    void leaveAsked();                                 // Escape

protected:
    bool event(QEvent* event) override; // its zoom keys go before the window's
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void begin(const RideTrack& track, const RideParams& params, const QString& label,
               std::optional<BestRide> ghost);
    void restart(RideMode mode);
    void tick();
    void stepOnce();
    bool setKey(int key, bool down);
    // Ctrl++, Ctrl+- or Ctrl+0: true when `e` is one of them.
    static bool isZoomKey(const QKeyEvent* e);

    const LangLines& lang_;
    RideTrack track_;
    RideParams params_;
    QString label_, note_;
    double zoom_ = 1;
    std::unique_ptr<RideWorld> world_;
    RideInput held_;
    KeyRecorder recorder_;
    std::vector<KeyEvent> lastKeys_;
    std::unique_ptr<KeyPlayer> player_;
    RideMode mode_ = RideMode::Person;
    RideDriver driver_;
    std::optional<BestRide> best_;
    std::unique_ptr<RideWorld> ghost_;
    std::unique_ptr<KeyPlayer> ghostPlayer_;
    bool paused_ = false;
    QTimer timer_;
    QElapsedTimer clock_;
    int stepsAtClock_ = 0;
};

} // namespace korvo
