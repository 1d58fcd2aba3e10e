#pragma once
// Level pictures: small line drawings of tracks written as GIF files (white is
// transparent) into a folder, "images" of the base folder in the editor, with
// the catalogue "bdpic.dat" after a run over the whole pack. Every picture
// coordinate is the track value div the ratio q (truncated toward zero), so a
// picture's size follows from the track, not from a window.

#include "gif_writer.h"
#include "pack/decoded_track.h"
#include "pack/mrg_format.h"

#include <QString>
#include <functional>
#include <string>
#include <string_view>

namespace korvo {

constexpr int kDefaultRatioPic = 8;
// The most pixels one picture may have; a larger one is refused with a
// reason, so that an odd track or a ratio of 1 cannot exhaust the memory.
constexpr long long kMaxPicturePixels = 1LL << 27;

// RatioPic as the pictures use it: a value of 0 or below reads as 8.
inline int pictureRatio(int RatioPic) {
    return RatioPic > 0 ? RatioPic : kDefaultRatioPic;
}

// The name with each of < > * @ # % ^ & : ; " ' ? / \ | ` , . + and every
// control character replaced by "_" (Windows-1251 bytes in, bytes out).
std::string cleanedName(std::string_view name);
// Group + NumInGroup + "-" + cleaned name + ".gif", Windows-1251 bytes
// ("27-Hill.gif" for Group 2, NumInGroup 7, Hill).
std::string pictureFileName(const TTrackInfo& t);
// The catalogue line of a picture: Group "|" Name as stored (control
// characters as "_") "|" file name.
std::string catalogueLine(const TTrackInfo& t);

// Palette of the pictures: white (transparent), the track line, black, red.
enum PictureColor : uint8_t { kPicWhite = 0, kPicTrack = 1, kPicBlack = 2, kPicRider = 3 };

// Draws the picture of track j at ratio q (0 or below reads as 8). Like a
// preview, it draws a record without a template as template 1; the record
// itself is never changed. It leaves the track decoded in `st`. Returns "" or the reason the
// picture is refused (more than kMaxPicturePixels or a side over 65535 pixels).
Message drawLevelPicture(const TrackTable& tracks, int j, int q, DecodedTrack& st,
                         IndexedPicture& picture);

// makegif: draws track j and writes its GIF into `folder` (written beside
// and renamed over the file of that name when whole). `sync` false leaves syncing to the caller
// (see makeAllPictures). Returns "" or "<path>: <reason>"; `fileName` receives the name written.
Message makegif(const TrackTable& tracks, int j, const QString& folder, int q, DecodedTrack& st,
                bool sync = true, QString* fileName = nullptr);

// The progress shown during a run over the whole pack, 0..130.
using PictureProgress = std::function<void(int)>;

struct PictureRun {
    Message error;    // none or "<path>: <reason>"; the run stopped there
    int pictures = 0; // pictures written
};

// All levels: renumbers from the rows (Group, NumInGroup, which name the
// pictures), removes the "bdpic.dat" of an earlier run, then writes the
// picture of every track row in row order, then the new "bdpic.dat" (one line
// per picture, CR LF, Windows-1251). The progress goes 0, 10, r * 100 div n + 9
// before the track of row r (n rows in all), 120, 130. Each picture is
// written beside its name and renamed over it when whole, without syncing;
// all are synced together at the end. A failed write stops the run: the
// pictures written stay, no catalogue is written. `folder` must exist. The
// pictures are drawn on `threads` threads (0: one per core) and written in
// row order, each once; the files and the progress are the same for any
// number of threads. The progress is shown on the calling thread.
PictureRun makeAllPictures(TrackTable& tracks, const Rows& rows, const QString& folder, int q,
                           DecodedTrack& st, const PictureProgress& progress = {}, int threads = 0);

} // namespace korvo
