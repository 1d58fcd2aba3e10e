#include "test_rider.h"

#include <cmath>

namespace korvo {

namespace {

constexpr double kTiltGain = 2.0;     // lean per radian off the ground's angle
constexpr double kTiltRateGain = 0.5; // lean per radian per second
constexpr double kDeadBand = 0.15;
constexpr double kSteepDescent = 0.7; // dy/dx ahead that makes the rider brake
constexpr double kBrakeAbove = 6;     // metres per second
constexpr double kLookAhead = 40;     // track units
constexpr int kStuckSteps = 30 * RideWorld::kStepsPerSecond;

} // namespace

RideInput testRiderInput(const RideWorld& w) {
    const RideTrack& t = w.track();
    const double x = w.x();
    const double half = 14;
    const double ground = std::atan(-(t.groundY(x + half) - t.groundY(x - half)) / (2 * half));
    const double control = kTiltGain * (w.tilt() - ground) + kTiltRateGain * w.tiltRate();
    RideInput in;
    in.right = control > kDeadBand;
    in.left = control < -kDeadBand;
    const bool steep = t.slopeAt(x + kLookAhead) > kSteepDescent || t.slopeAt(x) > kSteepDescent;
    in.down = steep && w.speed() > kBrakeAbove;
    in.up = !in.down;
    return in;
}

RideResult rideTrack(const RideTrack& track, const RideParams& params,
                     const std::function<RideInput(const RideWorld&)>& driver,
                     bool giveUpWhenStuck) {
    RideWorld world(track, params);
    double best = world.x();
    int bestStep = 0;
    while (world.end() == RideEnd::Running && world.steps() < kRideLimitSteps) {
        world.step(driver(world));
        if (world.x() > best + 1) {
            best = world.x();
            bestStep = world.steps();
        } else if (giveUpWhenStuck && world.steps() - bestStep > kStuckSteps) {
            break;
        }
    }
    RideResult r;
    r.end = world.end() == RideEnd::Running ? RideEnd::Stopped : world.end();
    r.steps = world.steps();
    r.ms = world.milliseconds();
    r.x = world.x();
    r.place = world.end() == RideEnd::Running ? world.pose().frame : world.endPlace();
    return r;
}

RideResult rideByTestRider(const RideTrack& track, const RideParams& params) {
    return rideTrack(track, params, testRiderInput, true);
}

RideResult rideByKeys(const RideTrack& track, const RideParams& params,
                      const std::vector<KeyEvent>& keys) {
    KeyPlayer player(keys);
    return rideTrack(track, params,
                     [&](const RideWorld& w) { return player.inputForStep(w.steps()); });
}

} // namespace korvo
