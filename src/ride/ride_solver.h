#pragma once
// Searches for keys that finish a track as fast as a person could, within a
// person's limits: each key state held at least 100 ms. Every ride of the
// search is simulated from the start, so the keys found ride to the same
// millisecond when played again. The search of one track runs on one thread
// and, for the same budget, follows the same path on every machine until
// the budget's wall time runs out.

#include "test_rider.h"

#include <atomic>

namespace korvo {

struct SolveOptions {
    // Seconds of wall time at most; the search ends earlier once its best
    // ride has not improved for a while (longer for a larger budget).
    double budgetSeconds = 10;
    const std::atomic<bool>* stop = nullptr; // set it to end the search soon
};

struct SolveResult {
    RideResult ride;            // the best ride found: finished, or how far it got
    std::vector<KeyEvent> keys; // its keys, from the start
    double reach = 0;           // the farthest x of that ride
    int rides = 0;              // rides simulated
    bool stopped = false;       // ended by `stop`
};

SolveResult solveTrack(const RideTrack& track, const RideParams& params,
                       const SolveOptions& options = {});

} // namespace korvo
