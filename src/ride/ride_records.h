#pragma once
// The best finished ride of each track, kept in a file beside the pack
// ("levels.mrg" keeps "levels.mrg.rides"): its time, who rode it (the window,
// the solver) and its keys. A track is known by a SHA-1 of its stored bytes
// (header and points), so a track moved in the list keeps its record and an
// edited one has none until it is finished again. A finished track is
// "validated"; the pack check names the others.
//
// The file is text, one record a block:
//   korvote-rides 1
//   track <sha1 hex> <milliseconds> <who>
//   <the ride's keys as a key file: "milliseconds key down|up">
//   end

#include "replay.h"
#include "text/message.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <vector>

namespace korvo {

struct TTrackInfo;

// The 20 bytes of SHA-1 over what the pack stores of the track.
QByteArray trackKey(const TTrackInfo& track);
// The records' file beside the pack at `packPath`.
QString ridesPathOf(const QString& packPath);

struct BestRide {
    int ms = 0;
    QString by; // "window", "solver", ... (one word)
    std::vector<KeyEvent> keys;
    bool operator==(const BestRide&) const = default;
};

class RideRecords {
public:
    static constexpr int kVersion = 1;

    // Reads the file at `path`; a missing file is no records. A file that is
    // not one of ours, of another version or damaged is refused with its
    // path and line, and the records stay as they were.
    Message load(const QString& path);
    // Writes every record to `path` through the checked write path.
    Message save(const QString& path) const;

    // The best ride of the track with `key`, or null.
    const BestRide* bestFor(const QByteArray& key) const;
    bool validated(const QByteArray& key) const { return bestFor(key) != nullptr; }
    // Keeps `ride` when the track has none or a slower one; true when kept.
    bool offer(const QByteArray& key, const BestRide& ride);
    // Offers every record of `other`.
    void merge(const RideRecords& other);
    int size() const { return int(best_.size()); }
    bool empty() const { return best_.empty(); }

    QByteArray text() const;
    Message parse(const QByteArray& text, const QString& path);

private:
    std::map<QByteArray, BestRide> best_;
};

// Held while a rides file is read, merged and written again: two programs
// (the window, trackpack check --solve) keeping rides at once then lose
// neither's. An advisory lock in the user's state folder (the system's
// temporary folder when there is none), let go of when the object goes or
// its process ends.
class RidesFileLock {
public:
    explicit RidesFileLock(const QString& ridesPath);
    ~RidesFileLock();
    RidesFileLock(const RidesFileLock&) = delete;
    RidesFileLock& operator=(const RidesFileLock&) = delete;

private:
    int fd_ = -1;
};

// Records a finish of `track` in the file beside the pack at `packPath`: read,
// kept if it is the track's best, written back. Returns no message, or why the
// file could not be read or written (a damaged file is not overwritten).
Message recordFinish(const QString& packPath, const TTrackInfo& track, int ms,
                     const std::vector<KeyEvent>& keys, const QString& by, bool* kept = nullptr);

// The tracks of the pack file at `packPath` that have no best ride beside
// it, and all its tracks; a message when the pack or its rides cannot be read.
struct Unvalidated {
    int count = 0, total = 0;
};
Message unvalidatedInPack(const QString& packPath, Unvalidated& out);

} // namespace korvo
