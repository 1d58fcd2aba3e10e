#pragma once
// Reading and saving pack files on disk.

#include "file_identity.h"
#include "io/whole_file.h"
#include "mrg_format.h"

#include <QString>
#include <memory>
#include <string>

namespace korvo {

// Reads the pack at `path` into table and rows. On refusal returns
// "<path>: <reason>" and leaves both untouched.
Message loadPackFile(const QString& path, TrackTable& table, Rows& rows);

// A pack read whole, to be taken into the document later (the start pack is
// read on another thread while the window is built).
struct PackRead {
    FileIdentity identity; // taken before the read: a change while reading shows as a change
    Message why;           // "<path>: <reason>" when refused; then tracks and rows are empty
    TrackTable tracks;
    Rows rows;
};
std::unique_ptr<PackRead> readPackFile(const QString& path);

// Renumbers from the rows and saves the pack to `path`. An existing file is
// first kept as path + ".old" unless such a file exists already. The new file
// replaces the old one atomically, so a failed write leaves the previous file
// as it was. Returns no message, or "<path>: <reason>".
Message savePackFile(const QString& path, TrackTable& table, const Rows& rows);

// GetNumTracks: the count text ("12/10/8") and total of the pack file at
// `path`. An empty path, or a file that cannot be read, leaves both unchanged.
void GetNumTracks(const QString& path, int& total, std::string& text);

// The name a new pack takes in `baseFolder`: "levels.mrg", or
// "levels.new.mrg" when "levels.mrg" exists there.
QString newPackFileName(const QString& baseFolder);

} // namespace korvo
