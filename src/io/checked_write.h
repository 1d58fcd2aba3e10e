#pragma once
// The one way this program writes a file: every byte through a checked write
// loop into a temporary file beside the target, flushed and synced, then
// renamed over the target. A failure at any step removes the temporary file,
// leaves the previous file byte for byte and returns "<path>: <reason>" with
// the system's own reason ("No space left on device").

#include "text/system_errors.h"

#include <QString>
#include <functional>
#include <string>
#include <string_view>

class QFileDevice;

namespace korvo {

// Receives the bytes to write piece by piece; false stops the write.
using FileSink = std::function<bool(const char* data, size_t size)>;
// Produces the file's contents into the sink; false when it gave up (the
// sink refused a piece, or the producer failed for a reason of its own).
using FileProducer = std::function<bool(const FileSink& sink)>;

struct WriteFileOptions {
    // Sync the file and its folder before and after the rename. Files that
    // can be made again (the pictures of a picture run) skip it and call
    // syncFolder() once at the end.
    bool sync = true;
    // Keep the previous contents once as path + ".old" (the pack's rule).
    bool keepOld = false;
    // Write straight into the file, made or emptied, instead of a temporary
    // file renamed over it: one look-up of the name instead of several. For
    // files that can be made again (pictures): a failed write can leave the
    // file cut short, and it is still reported. An existing file keeps its
    // permissions, and one the user may not write is refused. keepOld is not
    // taken here.
    bool direct = false;
    // After the write, remove the temporary files that killed writes left in
    // the folder. A run of many files (the pictures) leaves it to its last one.
    bool sweep = true;
    // Remove the previous file before the new one is renamed into its place:
    // a cut write leaves the name missing, never cut short, and the file
    // system need not flush the new file as it would for a rename over an
    // old one. For files that can be made again (the pictures).
    bool removeFirst = false;
};

// Replaces `path` with what `produce` writes. A symbolic link is followed:
// its target is replaced and the link stays; a link loop or a chain that
// cannot be resolved is refused. A device, FIFO or socket is written into,
// never replaced; a folder and a file the user may not write are refused.
// The new file keeps the old one's permissions (and owner, as root); our
// temporary files a killed run left beside it are removed. Returns no
// message on success, otherwise "<path>: <reason>".
Message writeFileChecked(const QString& path, const FileProducer& produce,
                         const WriteFileOptions& options = {});

// True when `path` is an existing file the user running the program may not
// write (what writeFileChecked() refuses as read-only).
bool isReadOnlyFile(const QString& path);

// The same for bytes held in memory.
Message writeFileChecked(const QString& path, std::string_view bytes,
                         const WriteFileOptions& options = {});

// Syncs a folder's entries and the files named (after a run of unsynced
// writes). For more than a few files it syncs the file system that holds the
// folder in one call, which writes them all in one pass.
Message syncFiles(const QString& folder, const QStringList& files);

} // namespace korvo
