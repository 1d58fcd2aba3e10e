#pragma once
// The keys of a ride as a file of lines "milliseconds key down|up" (keys up,
// down, left, right), read into the inputs of each 1/60 s step, and recorded
// from a ride that a person drives.

#include "ride_world.h"
#include "text/message.h"

#include <QString>

#include <optional>
#include <vector>

namespace korvo {

enum class RideKey { Up, Down, Left, Right };

struct KeyEvent {
    int ms = 0;
    RideKey key = RideKey::Up;
    bool down = true;
    bool operator==(const KeyEvent&) const = default;
};

// The step an event at `ms` milliseconds takes effect in, and the first
// millisecond that falls into step `step`.
int stepOfMs(int ms);
int msOfStep(int step);

// Reads a key file. '#' starts a comment anywhere on a line, and lines left
// blank are skipped; times must not go back. nullopt with the 1-based line
// in `badLine` when a line is not "milliseconds key down|up".
std::optional<std::vector<KeyEvent>> parseKeyFile(const QString& text, int* badLine = nullptr);
// The file text of `events`, one line each.
QString keyFileText(const std::vector<KeyEvent>& events);
// Reads the key file at `path` (at most kMaxTextFileBytes): no message, or
// "<path>: <reason>", the size refused, or the line that is not a key line.
Message readKeyFile(const QString& path, std::vector<KeyEvent>& keys);
// Writes `keys` to `path` through the checked write path.
Message writeKeyFile(const QString& path, const std::vector<KeyEvent>& keys);

// Plays events back: the keys held during each step, asked for in order.
class KeyPlayer {
public:
    explicit KeyPlayer(std::vector<KeyEvent> events) : events_(std::move(events)) {}
    RideInput inputForStep(int step);

private:
    std::vector<KeyEvent> events_;
    size_t next_ = 0;
    RideInput held_;
};

// Records the keys held at each step as events.
class KeyRecorder {
public:
    void record(int step, const RideInput& held);
    const std::vector<KeyEvent>& events() const { return events_; }
    void clear() {
        events_.clear();
        last_ = {};
    }

private:
    std::vector<KeyEvent> events_;
    RideInput last_;
};

} // namespace korvo
