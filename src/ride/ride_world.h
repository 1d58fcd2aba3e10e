#pragma once
// One ride in Box2D: the track's polyline as a static chain, a motorbike of
// two wheels on sprung wheel joints, a frame that carries the rider, and the
// rider's head, whose touching the ground ends the ride; five minutes of
// simulated time end it too. The world steps at a fixed 1/60 s with fixed
// iteration counts, so the same inputs give the same ride on every run of
// one build.

#include "ride_params.h"
#include "ride_track.h"

#include <QPointF>

#include <memory>

class b2Body;
class b2Fixture;
class b2World;
class b2WheelJoint;

namespace korvo {

// What the rider holds during one step.
struct RideInput {
    bool up = false;    // throttle
    bool down = false;  // brake
    bool left = false;  // lean back
    bool right = false; // lean forward
    bool operator==(const RideInput&) const = default;
};

// Unfinishable: the track ends left of where the bike starts (its finish is
// not right of its start), so the ride ends before its first step.
enum class RideEnd { Running, Finished, Crashed, Stopped, Unfinishable };

// The bike as it is drawn, in track units (y down) and radians (clockwise
// on the screen is positive, as the track's y grows down).
struct BikePose {
    QPointF rearWheel, frontWheel;
    double wheelRadius = 0;
    double rearTurn = 0, frontTurn = 0; // the wheels' own rotation
    QPointF frame;                      // the frame's centre
    double angle = 0;                   // the frame's tilt
    QPointF head;
    double headRadius = 0;
};

class RideWorld {
public:
    static constexpr int kStepsPerSecond = 60;
    // Track units per metre: the rider sprite (52 pixels) is a bike with its
    // rider about 2.6 m long.
    static constexpr double kUnitsPerMetre = 20;
    // A ride lasts at most five minutes of simulated time; then it stops.
    static constexpr int kLimitSteps = 5 * 60 * kStepsPerSecond;

    RideWorld(const RideTrack& track, const RideParams& params);
    ~RideWorld();
    RideWorld(const RideWorld&) = delete;
    RideWorld& operator=(const RideWorld&) = delete;

    // One step of 1/60 s with the given keys; nothing once the ride has ended.
    void step(const RideInput& input);

    RideEnd end() const { return end_; }
    int steps() const { return steps_; }
    // Simulated time in milliseconds (steps * 1000 / 60).
    double milliseconds() const { return steps_ * 1000.0 / kStepsPerSecond; }
    // The frame's x in track units, and where the ride ended: the frame's
    // centre, for a crash too, so that a ride has one x wherever it is told.
    double x() const;
    QPointF endPlace() const { return endPlace_; }
    BikePose pose() const;

    // For the test rider: the frame's tilt (radians, positive nose up), its
    // turning rate, and the speed along x in metres per second.
    double tilt() const;
    double tiltRate() const;
    double speed() const;
    const RideTrack& track() const { return track_; }

private:
    void build();
    void applyInput(const RideInput& input);
    double engineTorque() const;
    bool headTouches() const;
    QPointF toTrack(double wx, double wy) const;

    RideTrack track_;
    RideParams params_;
    std::unique_ptr<b2World> world_;
    b2Body* ground_ = nullptr;
    b2Body* frame_ = nullptr;
    b2Body* rear_ = nullptr;
    b2Body* front_ = nullptr;
    b2Fixture* head_ = nullptr;
    b2WheelJoint* rearJoint_ = nullptr;
    b2WheelJoint* frontJoint_ = nullptr;
    RideEnd end_ = RideEnd::Running;
    int steps_ = 0;
    double lowestY_ = 0; // track y below which the bike has fallen off
    QPointF endPlace_;
};

// "finished", "crashed", "stopped", "unfinishable", "running"
const char* rideEndName(RideEnd end);

} // namespace korvo
