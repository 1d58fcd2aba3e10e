#pragma once
// Rides a track without a person: the test rider, or the keys of a file.
// A ride lasts at most five minutes of simulated time.
//
// The test rider keeps a person's limits: it sees the bike as it was 150 ms
// ago and holds each state of its keys at least 100 ms, so it changes them at
// most 10 times a second. What it finishes, a person can.

#include "replay.h"
#include "ride_world.h"

#include <array>
#include <functional>

namespace korvo {

constexpr int kRideLimitSteps = RideWorld::kLimitSteps;
// A person's limits in steps of 1/60 s: what is seen is 150 ms old, and a
// key state is held at least 100 ms.
constexpr int kReactionSteps = 9;
constexpr int kHoldSteps = 6;

struct RideResult {
    RideEnd end = RideEnd::Stopped;
    int steps = 0;
    double ms = 0; // simulated time
    double x = 0;  // the frame's x where it ended, track units
    QPointF place; // where it ended: the frame's centre
};

// What the rider sees of the bike at one step.
struct RiderSight {
    double x = 0, tilt = 0, tiltRate = 0, speed = 0;
};
RiderSight sightOf(const RideWorld& world);

// The keys the test rider wants for what it saw `kReactionSteps` ago: the
// throttle held, a lean that keeps the frame near the ground's angle where it
// expects the frame to be now, the brake on steep descents.
RideInput testRiderWants(const RideTrack& track, const RiderSight& seen);

// The test rider with its limits. Ask next() once for every step, in order;
// a ride from its start (step 0) starts it afresh.
class TestRider {
public:
    RideInput next(const RideWorld& world);
    // Only looks, while someone else holds `keys` (since they changed last).
    void see(const RideWorld& world);
    void holdFrom(const RideInput& keys, int step);

private:
    std::array<RiderSight, kReactionSteps + 1> seen_{}; // a ring over the last steps
    int seenSteps_ = 0;
    RideInput held_;
    int changedAt_ = -kHoldSteps;
};

// Rides with `driver` until the ride ends or the time runs out (Stopped).
// With `giveUpWhenStuck`, a ride whose x gains nothing for 30 s stops early.
RideResult rideTrack(const RideTrack& track, const RideParams& params,
                     const std::function<RideInput(const RideWorld&)>& driver,
                     bool giveUpWhenStuck = false);
RideResult rideByTestRider(const RideTrack& track, const RideParams& params);
RideResult rideByKeys(const RideTrack& track, const RideParams& params,
                      const std::vector<KeyEvent>& keys);

} // namespace korvo
