#pragma once
// What tells one version of a file on disk from another: its device, inode,
// size and modification time to the nanosecond. A file rewritten in place, a
// file renamed over it (`mv new levels.mrg`) and a deleted file all give a
// different identity, so an editor can tell that another program changed
// the file it read.

#include <QString>
#include <sys/types.h>

namespace korvo {

struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modifiedSeconds = 0;
    long modifiedNanoseconds = 0;

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The identity of the file `path` names now (symbolic links followed); a
// missing or unreadable entry gives one that does not exist.
FileIdentity fileIdentity(const QString& path);

} // namespace korvo
