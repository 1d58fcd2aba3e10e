#pragma once
// The settings and language files are small text files. One that is larger
// than a megabyte or has a line longer than 4 KB is not one of ours (or is
// damaged): it is not loaded, so that it can neither stall the start nor fill
// the menus with garbage, and the defaults stand in for it.

#include "message.h"

#include <QByteArray>
#include <QString>

namespace korvo {

constexpr qint64 kMaxTextFileBytes = 1024 * 1024;
constexpr qsizetype kMaxTextLineBytes = 4 * 1024;

// Reads the text file at `path` into `bytes`. Returns an empty string, or
// "<path>: <reason>": the file cannot be opened or read, is over
// kMaxTextFileBytes, or has a line (without its line break) over
// kMaxTextLineBytes. `bytes` is empty after a refusal; `beyondLimits` tells
// a refusal for size from one for a file that cannot be read.
Message readTextFileWithinLimits(const QString& path, QByteArray& bytes,
                                 bool* beyondLimits = nullptr);

} // namespace korvo
