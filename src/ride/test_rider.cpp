#include "test_rider.h"

#include <algorithm>
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

RiderSight sightOf(const RideWorld& w) {
    return {w.x(), w.tilt(), w.tiltRate(), w.speed()};
}

RideInput testRiderWants(const RideTrack& t, const RiderSight& seen) {
    // Where the bike is now, as the rider expects it from what it saw.
    const double late = double(kReactionSteps) / RideWorld::kStepsPerSecond;
    const double x = seen.x + seen.speed * late * RideWorld::kUnitsPerMetre;
    const double tilt = seen.tilt + seen.tiltRate * late;
    const double half = 14;
    const double ground = std::atan(-(t.groundY(x + half) - t.groundY(x - half)) / (2 * half));
    const double control = kTiltGain * (tilt - ground) + kTiltRateGain * seen.tiltRate;
    RideInput in;
    in.right = control > kDeadBand;
    in.left = control < -kDeadBand;
    const bool steep = t.slopeAt(x + kLookAhead) > kSteepDescent || t.slopeAt(x) > kSteepDescent;
    in.down = steep && seen.speed > kBrakeAbove;
    in.up = !in.down;
    return in;
}

void TestRider::see(const RideWorld& w) {
    seen_[size_t(seenSteps_++ % int(seen_.size()))] = sightOf(w);
}

void TestRider::holdFrom(const RideInput& keys, int step) {
    if (keys == held_) return;
    held_ = keys;
    changedAt_ = step;
}

RideInput TestRider::next(const RideWorld& w) {
    const int step = w.steps();
    if (step == 0) *this = TestRider(); // a new ride
    see(w);
    if (step - changedAt_ < kHoldSteps) return held_;
    const int seenAt = std::max(0, seenSteps_ - 1 - kReactionSteps);
    holdFrom(testRiderWants(w.track(), seen_[size_t(seenAt % int(seen_.size()))]), step);
    return held_;
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
    TestRider rider;
    return rideTrack(
        track, params, [&](const RideWorld& w) { return rider.next(w); }, true);
}

RideResult rideByKeys(const RideTrack& track, const RideParams& params,
                      const std::vector<KeyEvent>& keys) {
    KeyPlayer player(keys);
    return rideTrack(track, params,
                     [&](const RideWorld& w) { return player.inputForStep(w.steps()); });
}

} // namespace korvo
