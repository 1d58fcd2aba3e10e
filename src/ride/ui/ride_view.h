#pragma once
// The ride view: a track ridden in the editor. The bike starts on the player
// marker; Up accelerates, Down brakes, Left and Right lean, Space starts
// again, Escape goes back. The view follows the bike at a zoom of its own
// (Ctrl++ / Ctrl+- / Ctrl+0, 1/4 to 4x; 1x, the bike at its real size, to start),
// runs one physics step per 1/60 s and paints only what it shows. The keys
// of the last ride are kept, and Replay rides them again. The view names the
// track it rides; a ride stops after five minutes of simulated time.

#include "ride/replay.h"
#include "ride/ride_world.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace korvo {

class LangLines;

class RideView : public QWidget {
    Q_OBJECT
public:
    RideView(const LangLines& lang, QWidget* parent = nullptr);

    // A new ride on `track`, driven by the keys; `label` names the track
    // ("number/name") at the top of the view.
    void start(const RideTrack& track, const RideParams& params, double zoom, const QString& label);
    // The last ride's keys again, on `track` as it is now (the last ride's
    // track, perhaps edited since).
    void replay(const RideTrack& track, const RideParams& params, const QString& label);
    bool replaying() const { return replaying_; }
    static constexpr double kMinZoom = 0.25, kMaxZoom = 4;
    double zoom() const { return zoom_; }
    // The line that names the track: "number/name", or "Replay: number/name".
    QString trackText() const;
    // The keys of the last ride driven by hand.
    const std::vector<KeyEvent>& lastKeys() const { return lastKeys_; }

    const RideWorld* world() const { return world_.get(); }
    // Runs steps as the timer would (benchmarks and tests that need no clock).
    void advance(int steps);
    // The line under the timer: the end of the ride, or the keys.
    QString statusText() const;

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
    void restart(bool replay);
    void tick();
    void stepOnce();
    bool setKey(int key, bool down);
    // Ctrl++, Ctrl+- or Ctrl+0: true when `e` is one of them.
    static bool isZoomKey(const QKeyEvent* e);

    const LangLines& lang_;
    RideTrack track_;
    RideParams params_;
    QString label_;
    double zoom_ = 1;
    std::unique_ptr<RideWorld> world_;
    RideInput held_;
    KeyRecorder recorder_;
    std::vector<KeyEvent> lastKeys_;
    std::unique_ptr<KeyPlayer> player_;
    bool replaying_ = false;
    QTimer timer_;
    QElapsedTimer clock_;
    int stepsAtClock_ = 0;
};

} // namespace korvo
