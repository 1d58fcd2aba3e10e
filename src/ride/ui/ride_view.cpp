#include "ride_view.h"

#include "ride/vector_state.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace korvo {

namespace {

constexpr int kMaxStepsPerTick = 4; // a late timer catches up, but never runs away
const QColor kGround(0, 120, 0), kBike(40, 40, 40), kRider(30, 60, 170), kCrash(220, 0, 0);

QString seconds(double ms) {
    return QString::number(ms / 1000, 'f', 2);
}

// The bike: wheels with a spoke, the frame, the rider and his head.
template <class At> void drawBike(QPainter& p, const BikePose& bike, At at, double zoom) {
    const double r = bike.wheelRadius * zoom;
    p.setBrush(Qt::NoBrush);
    for (auto [centre, turn] :
         {std::pair{bike.rearWheel, bike.rearTurn}, std::pair{bike.frontWheel, bike.frontTurn}}) {
        const QPointF c = at(centre);
        p.setPen(QPen(kBike, std::max(1.0, 2 * zoom)));
        p.drawEllipse(c, r, r);
        p.drawLine(c, c + QPointF(std::cos(turn), std::sin(turn)) * r);
    }
    p.save();
    p.translate(at(bike.frame));
    p.rotate(bike.angle * 180 / 3.14159265358979323846);
    p.scale(zoom, zoom);
    p.setPen(QPen(kBike, 2));
    p.setBrush(QColor(200, 60, 30));
    p.drawRect(QRectF(-12, -3, 24, 6));
    p.setPen(QPen(kRider, 3));
    p.drawLine(QPointF(1, -2), QPointF(2, -13));  // the body
    p.drawLine(QPointF(2, -12), QPointF(10, -6)); // the arms on the bars
    p.restore();
    p.setPen(QPen(kRider, 1));
    p.setBrush(kRider);
    p.drawEllipse(at(bike.head), bike.headRadius * zoom, bike.headRadius * zoom);
}

} // namespace

RideView::RideView(const LangLines& lang, QWidget* parent) : QWidget(parent), lang_(lang) {
    setObjectName("RideView");
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(1000 / RideWorld::kStepsPerSecond);
    connect(&timer_, &QTimer::timeout, this, &RideView::tick);
}

void RideView::begin(const RideTrack& track, const RideParams& params, const QString& label,
                     std::optional<BestRide> ghost) {
    track_ = track;
    params_ = params;
    label_ = label;
    best_ = std::move(ghost);
    note_.clear();
}

void RideView::start(const RideTrack& track, const RideParams& params, double zoom,
                     const QString& label, std::optional<BestRide> ghost) {
    begin(track, params, label, std::move(ghost));
    zoom_ = zoom > 0 ? std::clamp(zoom, kMinZoom, kMaxZoom) : 1;
    lastKeys_.clear();
    recorder_.clear();
    restart(RideMode::Person);
}

void RideView::replay(const RideTrack& track, const RideParams& params, const QString& label,
                      std::optional<BestRide> ghost) {
    if (!world_) return;
    begin(track, params, label, std::move(ghost));
    restart(RideMode::Replay);
}

void RideView::rideKeys(const RideTrack& track, const RideParams& params, const QString& label,
                        std::vector<KeyEvent> keys, std::optional<BestRide> ghost) {
    begin(track, params, label, std::move(ghost));
    recorder_.clear();
    lastKeys_ = std::move(keys);
    restart(RideMode::Replay);
}

void RideView::watch(const RideTrack& track, const RideParams& params, const QString& label,
                     RideDriver driver, std::optional<BestRide> ghost) {
    begin(track, params, label, std::move(ghost));
    driver_ = std::move(driver);
    recorder_.clear();
    restart(RideMode::Watch);
}

QString RideView::trackText() const {
    switch (mode_) {
    case RideMode::Replay:
        return lang_[kLineRideReplayOf].arg(label_);
    case RideMode::Watch:
        return lang_[kLineRideTestRiderOf].arg(label_);
    case RideMode::Person:
        break;
    }
    return label_;
}

const std::vector<KeyEvent>& RideView::keysOfRide() const {
    return mode_ == RideMode::Replay ? lastKeys_ : recorder_.events();
}

void RideView::restart(RideMode mode) {
    // The keys of a ride driven by hand or by a driver are the last keys.
    if (mode_ != RideMode::Replay && !recorder_.events().empty()) lastKeys_ = recorder_.events();
    mode_ = mode;
    world_ = std::make_unique<RideWorld>(track_, params_);
    ghost_ = best_ ? std::make_unique<RideWorld>(track_, params_) : nullptr;
    ghostPlayer_ = best_ ? std::make_unique<KeyPlayer>(best_->keys) : nullptr;
    held_ = {};
    recorder_.clear();
    player_ = mode == RideMode::Replay ? std::make_unique<KeyPlayer>(lastKeys_) : nullptr;
    paused_ = false;
    stepsAtClock_ = 0;
    clock_.start();
    timer_.start();
    update();
}

void RideView::stepOnce() {
    if (!world_ || world_->end() != RideEnd::Running) return;
    const int step = world_->steps();
    RideInput in = held_;
    if (mode_ == RideMode::Replay)
        in = player_->inputForStep(step);
    else if (mode_ == RideMode::Watch && driver_)
        in = driver_(*world_);
    if (mode_ != RideMode::Replay) recorder_.record(step, in);
    world_->step(in);
    if (ghost_ && ghost_->end() == RideEnd::Running)
        ghost_->step(ghostPlayer_->inputForStep(ghost_->steps()));
    if (world_->end() != RideEnd::Running) {
        timer_.stop();
        if (mode_ != RideMode::Replay) lastKeys_ = recorder_.events();
        emit rideEnded(world_->end(), world_->endPlace());
    }
}

void RideView::advance(int steps) {
    clearUpperVectorState();
    for (int i = 0; i < steps && !paused_; ++i) stepOnce();
    update();
}

void RideView::setPaused(bool on) {
    if (!world_ || on == paused_) return;
    paused_ = on;
    if (on) {
        timer_.stop();
    } else if (world_->end() == RideEnd::Running) {
        stepsAtClock_ = 0; // the clock starts again from here
        clock_.start();
        timer_.start();
    }
    update();
}

void RideView::setNote(const QString& note) {
    note_ = note;
    update();
}

void RideView::tick() {
    const qint64 due = clock_.elapsed() * RideWorld::kStepsPerSecond / 1000;
    int n = int(std::min<qint64>(due - stepsAtClock_, kMaxStepsPerTick));
    if (due - stepsAtClock_ > kMaxStepsPerTick) stepsAtClock_ = int(due) - kMaxStepsPerTick;
    clearUpperVectorState(); // the painting left them in use
    for (int i = 0; i < n; ++i) {
        stepOnce();
        ++stepsAtClock_;
    }
    if (n > 0) update();
}

QString RideView::statusText() const {
    if (!world_) return {};
    const QString x = QString::number(std::lround(world_->x())); // the frame's, as trackpack's
    switch (world_->end()) {
    case RideEnd::Finished: {
        QString text = lang_[kLineRideFinished].arg(seconds(world_->milliseconds()));
        if (best_) {
            const double diff = double(std::lround(world_->milliseconds()) - best_->ms);
            text += ", " + lang_[kLineRideBestDiff].arg(seconds(best_->ms),
                                                        (diff > 0 ? "+" : "") + seconds(diff));
        }
        return text;
    }
    case RideEnd::Crashed:
        return lang_[kLineRideCrashed].arg(x);
    case RideEnd::Stopped:
        return lang_[kLineRideStopped].arg(x);
    case RideEnd::Unfinishable:
        return lang_[kLineRideUnfinishable];
    case RideEnd::Running:
        break;
    }
    if (paused_) return lang_[kLineRidePaused];
    switch (mode_) {
    case RideMode::Replay:
        return lang_[kLineReplayCommand];
    case RideMode::Watch:
        return lang_[kLineWatchRider];
    case RideMode::Person:
        break;
    }
    return lang_[kLineRideKeys];
}

QString RideView::readoutText() const {
    if (!world_) return {};
    const double kmh = world_->speed() * 3.6;
    const double metres =
        std::max(0.0, (track_.finishX() - world_->x()) / RideWorld::kUnitsPerMetre);
    return lang_[kLineRideSpeed].arg(std::lround(kmh)) + "    " +
           lang_[kLineRideToFinish].arg(std::lround(metres));
}

bool RideView::setKey(int key, bool down) {
    switch (key) {
    case Qt::Key_Up:
        held_.up = down;
        return true;
    case Qt::Key_Down:
        held_.down = down;
        return true;
    case Qt::Key_Left:
        held_.left = down;
        return true;
    case Qt::Key_Right:
        held_.right = down;
        return true;
    }
    return false;
}

bool RideView::isZoomKey(const QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (mods != Qt::ControlModifier) return false;
    const int k = e->key();
    return k == Qt::Key_Plus || k == Qt::Key_Equal || k == Qt::Key_Minus || k == Qt::Key_0;
}

// The canvas's zoom commands are the window's: while a ride is shown, its
// keys zoom the ride, not the hidden canvas.
bool RideView::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride && isZoomKey(static_cast<QKeyEvent*>(e))) {
        e->accept();
        return true;
    }
    return QWidget::event(e);
}

void RideView::keyPressEvent(QKeyEvent* e) {
    if (isZoomKey(e)) {
        const int k = e->key();
        zoom_ = k == Qt::Key_0 ? 1.0 : k == Qt::Key_Minus ? zoom_ / 2 : zoom_ * 2;
        zoom_ = std::clamp(zoom_, kMinZoom, kMaxZoom);
        update();
        return;
    }
    if (e->key() == Qt::Key_Escape) {
        timer_.stop();
        emit leaveAsked();
    } else if (e->key() == Qt::Key_Space) {
        if (!e->isAutoRepeat() && world_)
            restart(mode_ == RideMode::Watch ? RideMode::Watch : RideMode::Person);
    } else if (e->key() == Qt::Key_P && !(e->modifiers() & ~Qt::KeypadModifier)) {
        if (!e->isAutoRepeat()) setPaused(!paused_);
    } else if (!setKey(e->key(), true)) {
        QWidget::keyPressEvent(e);
    }
}

void RideView::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat() || !setKey(e->key(), false)) QWidget::keyReleaseEvent(e);
}

void RideView::focusOutEvent(QFocusEvent* e) {
    held_ = {}; // keys let go elsewhere never come back here
    QWidget::focusOutEvent(e);
}

void RideView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!world_) return;
    const BikePose bike = world_->pose();
    const QPointF focus =
        world_->end() == RideEnd::Running || bike.frame.isNull() ? bike.frame : world_->endPlace();
    // The bike a third from the left, halfway down.
    const QPointF origin = focus - QPointF(width() / 3.0, height() / 2.0) / zoom_;
    auto at = [&](QPointF t) { return (t - origin) * zoom_; };
    p.setRenderHint(QPainter::Antialiasing, true);

    // The visible stretch of the track, found by binary search along x.
    const auto& n = track_.nodes;
    const double left = origin.x(), right = origin.x() + width() / zoom_;
    auto first = std::lower_bound(n.begin(), n.end(), left,
                                  [](const QPoint& a, double v) { return a.x() < v; });
    auto last = std::upper_bound(first, n.end(), right,
                                 [](double v, const QPoint& a) { return v < a.x(); });
    if (first != n.begin()) --first;
    if (last != n.end()) ++last;
    QPainterPath ground;
    for (auto it = first; it != last; ++it) {
        if (it == first)
            ground.moveTo(at(*it));
        else
            ground.lineTo(at(*it));
    }
    p.setPen(QPen(kGround, 2));
    p.drawPath(ground);
    if (track_.hasMarks) {
        for (auto [mark, colour] :
             {std::pair{track_.start, QColor(0, 160, 0)},
              std::pair{QPoint(track_.finishX(), int(track_.groundY(track_.finishX()))),
                        QColor(200, 0, 0)}}) {
            const QPointF foot = at(mark);
            p.setPen(QPen(Qt::black, 1));
            p.drawLine(foot, foot - QPointF(0, 30 * zoom_));
            p.setBrush(colour);
            p.drawEllipse(foot - QPointF(-5 * zoom_, 25 * zoom_), 5 * zoom_, 5 * zoom_);
        }
    }

    if (ghost_) { // the best ride, behind the bike
        p.setOpacity(0.3);
        drawBike(p, ghost_->pose(), at, zoom_);
        p.setOpacity(1);
    }
    drawBike(p, bike, at, zoom_);

    if (world_->end() == RideEnd::Crashed || world_->end() == RideEnd::Stopped) {
        const QPointF c = at(world_->endPlace());
        p.setPen(QPen(kCrash, 3));
        p.drawLine(c + QPointF(-8, -8), c + QPointF(8, 8));
        p.drawLine(c + QPointF(-8, 8), c + QPointF(8, -8));
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::black);
    QFont big = font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    p.setFont(big);
    const QString time = lang_[kLineRideTime].arg(seconds(world_->milliseconds()));
    p.drawText(QPointF(10, 10 + QFontMetrics(big).ascent()), time);
    p.setFont(font());
    p.drawText(
        QPointF(30 + QFontMetrics(big).horizontalAdvance(time), 10 + QFontMetrics(big).ascent()),
        trackText());
    const int line = QFontMetrics(font()).lineSpacing();
    p.drawText(QPointF(10, 40 + QFontMetrics(font()).ascent()), readoutText());
    QString below = statusText();
    if (ghost_ && best_) below += "\n" + lang_[kLineRideGhost].arg(seconds(best_->ms));
    if (!note_.isEmpty()) below += "\n" + note_;
    p.drawText(QRectF(10, 40 + line * 1.5, width() - 20, line * 5),
               Qt::AlignLeft | Qt::TextWordWrap, below);
}

} // namespace korvo
