#pragma once
// Filling the second table (`ImportTracks`) from outside files: another pack,
// read by the same reader as Open, or single-track ".lev" files. A ".lev" file
// holds nothing but the delta pairs of one track; its header comes from the
// shortest length preset (template row 1), and the track belongs to Easy.
// The rows filled here are the rows of the copy dialog: for a pack the three
// group headers (-1) with the tracks d = 1.. in pack order, for ".lev" files
// one track row per file.

#include "mrg_format.h"

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

namespace korvo {

// The largest ".lev" file a record can hold: 499 delta pairs (998 bytes)
// plus the trailing byte fill 999 of the 1000 bytes of Points.
constexpr int kMaxLevBytes = 2 * kMaxSegments;

// importFromPack: reads the pack at `path` into `importTracks` (cleared first) and
// the dialog rows. On refusal returns "<path>: <reason>" as Open reports it
// and leaves both untouched.
Message loadImportPack(const QString& path, TrackTable& importTracks, Rows& rows);

// Fills `t` as the track of a ".lev" file with the contents `bytes`: header of
// template row 1 with the node count S div 2 + 1 in bytes 17-18, Points = the
// S bytes and a zero trailing byte, PointsLen = S, Group 1 (Easy). An odd S
// leaves the last pair's y byte to the trailing zero; a first X step of 255
// (a step of 0) is stored as 0, so that a saved pack reads it back as a step.
// Returns the reason a file over 998 bytes is refused (then `t` is
// untouched), else "".
Message fillLevTrack(std::string_view bytes, const std::string& name, TTrackInfo& t);

// The track name of a ".lev" file: its file name without folder and
// extension, in Windows-1251; characters that code page cannot hold and
// control characters become "_".
std::string levTrackName(const QString& path);

// The name with every control character (bytes 0..31 and 127) replaced by
// "_": what a name may carry into a file name or a line of a text file.
std::string replaceControlChars(std::string_view name);

// importLevFiles: reads the files in the order given into `importTracks`
// (cleared first) as tracks 1, 2, ... and lists each as a row (no group
// headers). A file that cannot be read or is too large is left out; the
// result holds one "<path>: <reason>" per such file, in order.
std::vector<Message> loadLevFiles(const QStringList& paths, TrackTable& importTracks, Rows& rows);

// The delta pairs of a track (PointsLen bytes), the contents of its ".lev" file.
std::string_view levBytes(const TTrackInfo& t);

// Writes the delta pairs of `t` to `path` as a ".lev" file through the checked
// write path. Returns no message or "<path>: <reason>".
Message exportLevFile(const TTrackInfo& t, const QString& path);

} // namespace korvo
