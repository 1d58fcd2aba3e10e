#pragma once
// Building a ready-to-play game: the game's Java archive with its entry
// "levels.mrg" replaced by a level pack. Every other entry stays as it was
// (order, name, compression method, contents); the game archive itself is
// only read, and the new archive is written through the checked write path.

#include "text/lang_lines.h"

#include <QString>

namespace korvo {

struct JarBuildResult {
    int status = 0;  // 0 built, 1 refused or failed (nothing written), 2 usage error
    QString message; // what went wrong, or what was written
    // An earlier run with the same OUT that was killed between the archive
    // and its descriptor, and what was done about it before this run (the
    // pair kept, the previous archive put back, or a new one removed).
    QString note;
};

// A killed run leaves the previous pair, the new pair, or a mark that the
// next run with the same OUT finds: it puts the pair right first and says so.
JarBuildResult buildGameJar(const QString& gameJar, const QString& pack, const QString& outJar,
                            const LangLines& lang);

// The descriptor beside an archive: "name.jad" for "name.jar".
QString jadPathFor(const QString& jarPath);

} // namespace korvo
