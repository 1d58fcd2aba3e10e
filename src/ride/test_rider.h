#pragma once
// Rides a track without a person: the test rider, or the keys of a file.
// A ride lasts at most five minutes of simulated time.

#include "replay.h"
#include "ride_world.h"

#include <functional>

namespace korvo {

constexpr int kRideLimitSteps = RideWorld::kLimitSteps;

struct RideResult {
    RideEnd end = RideEnd::Stopped;
    int steps = 0;
    double ms = 0; // simulated time
    double x = 0;  // the frame's x where it ended, track units
    QPointF place; // where it ended: the frame's centre
};

// The test rider's keys for the next step: the throttle held, a lean that
// keeps the frame near the ground's angle (a small PD controller on the
// tilt), the brake on steep descents.
RideInput testRiderInput(const RideWorld& world);

// Rides with `driver` until the ride ends or the time runs out (Stopped).
// With `giveUpWhenStuck`, a ride whose x gains nothing for 30 s stops early.
RideResult rideTrack(const RideTrack& track, const RideParams& params,
                     const std::function<RideInput(const RideWorld&)>& driver,
                     bool giveUpWhenStuck = false);
RideResult rideByTestRider(const RideTrack& track, const RideParams& params);
RideResult rideByKeys(const RideTrack& track, const RideParams& params,
                      const std::vector<KeyEvent>& keys);

} // namespace korvo
