#include "ride_solver.h"

#include <algorithm>
#include <chrono>
#include <random>

namespace korvo {

namespace {

// The key states the search tries: throttle with or without a lean, rolling
// with or without a lean, the brake.
constexpr RideInput kChoices[] = {
    {true, false, false, false},  {true, false, false, true},  {true, false, true, false},
    {false, false, false, false}, {false, false, false, true}, {false, false, true, false},
    {false, true, false, false},
};
constexpr size_t kBeamWidth = 8;
// A ride of the search whose x gains nothing for 5 s is over.
constexpr int kHopelessSteps = 5 * RideWorld::kStepsPerSecond;
// Rides without a better best after which the search ends, for 10 s of budget.
constexpr int kPatience = 400;
// Where a change is tried on a ride that does not finish: in the last 3 s.
constexpr int kBeforeTheEnd = 3 * RideWorld::kStepsPerSecond;

struct Candidate {
    std::vector<RideInput> keys; // held at each step, as ridden
    RideEnd end = RideEnd::Stopped;
    int steps = 0;
    double reach = 0; // the farthest x
};

bool better(const Candidate& a, const Candidate& b) {
    const bool fa = a.end == RideEnd::Finished, fb = b.end == RideEnd::Finished;
    if (fa != fb) return fa;
    if (fa) return a.steps < b.steps;
    if (a.reach != b.reach) return a.reach > b.reach;
    return a.steps < b.steps;
}

// Rides the first `planned` steps of `plan`, then as the test rider would.
Candidate ride(const RideTrack& track, const RideParams& params, const std::vector<RideInput>& plan,
               size_t planned) {
    RideWorld world(track, params);
    TestRider rider;
    Candidate c;
    c.reach = world.x();
    int reachedAt = 0;
    while (world.end() == RideEnd::Running && world.steps() < kRideLimitSteps) {
        const int step = world.steps();
        RideInput in;
        if (size_t(step) < planned) {
            rider.see(world);
            in = plan[size_t(step)];
            rider.holdFrom(in, step);
        } else {
            in = rider.next(world);
        }
        c.keys.push_back(in);
        world.step(in);
        if (world.x() > c.reach + 1) {
            c.reach = world.x();
            reachedAt = world.steps();
        } else if (world.steps() - reachedAt > kHopelessSteps) {
            break;
        }
    }
    c.end = world.end() == RideEnd::Running ? RideEnd::Stopped : world.end();
    c.steps = world.steps();
    return c;
}

// The first step at or after `from` where the keys may change: the state
// held before it has then been held kHoldSteps.
int changeableAt(const std::vector<RideInput>& keys, int from) {
    if (from == 0) return 0;
    int began = from - 1;
    while (began > 0 && keys[size_t(began - 1)] == keys[size_t(began)]) --began;
    return began == 0 ? from : std::max(from, began + kHoldSteps);
}

} // namespace

SolveResult solveTrack(const RideTrack& track, const RideParams& params,
                       const SolveOptions& options) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                             std::chrono::duration<double>(options.budgetSeconds));
    const int patience = std::max(50, int(kPatience * options.budgetSeconds / 10));
    std::mt19937 rng(20261208);
    SolveResult out;
    std::vector<Candidate> beam{ride(track, params, {}, 0)};
    out.rides = 1;
    const auto keep = [&](Candidate c) {
        for (const Candidate& b : beam)
            if (b.end == c.end && b.steps == c.steps && b.reach == c.reach) return false;
        const auto place = std::upper_bound(beam.begin(), beam.end(), c, better) - beam.begin();
        if (size_t(place) >= kBeamWidth) return false;
        beam.insert(beam.begin() + place, std::move(c));
        if (beam.size() > kBeamWidth) beam.pop_back();
        return place == 0; // a new best
    };
    int sinceBetter = 0;
    const bool startsRunning = beam.front().steps > 0;
    while (startsRunning && sinceBetter < patience && Clock::now() < deadline) {
        if (options.stop && *options.stop) {
            out.stopped = true;
            break;
        }
        const Candidate& parent = beam[rng() % 2 ? 0 : rng() % beam.size()];
        const int length = int(parent.keys.size());
        const bool finished = parent.end == RideEnd::Finished;
        int from = 0;
        if (!finished && rng() % 8 != 0)
            from = std::max(0, length - 1 - int(rng() % kBeforeTheEnd));
        else
            from = int(rng() % unsigned(length));
        from = changeableAt(parent.keys, from);
        const RideInput choice = kChoices[rng() % std::size(kChoices)];
        if (from >= length || (from > 0 && choice == parent.keys[size_t(from - 1)])) {
            ++sinceBetter; // nothing new to ride from this parent
            continue;
        }
        const int hold = kHoldSteps * int(1 + (rng() % 4 == 0 ? rng() % 30 : rng() % 8));
        std::vector<RideInput> plan(parent.keys.begin(), parent.keys.begin() + from);
        plan.insert(plan.end(), size_t(hold), choice);
        Candidate child = ride(track, params, plan, plan.size());
        ++out.rides;
        sinceBetter = keep(std::move(child)) ? 0 : sinceBetter + 1;
    }
    // The keys of the best ride as events, ridden again from the start.
    KeyRecorder recorder;
    const std::vector<RideInput>& best = beam.front().keys;
    for (size_t s = 0; s < best.size(); ++s) recorder.record(int(s), best[s]);
    out.keys = recorder.events();
    out.ride = rideByKeys(track, params, out.keys);
    out.reach = std::max(out.ride.x, beam.front().reach);
    return out;
}

} // namespace korvo
