#pragma once
// File > "Создать готовую игру *.jar" (buildGameArchive): starts the game-archive
// packer "jarpacker" without arguments and without waiting for it.

#include "text/message.h"

#include <QString>
#include <QStringList>

namespace korvo {

constexpr const char* kPackerName = "jarpacker";

// Where the packer is looked for: the folder of the editor's executable,
// then each folder of the PATH.
struct PackerLookup {
    QString programFolder; // the editor's own folder
    QStringList pathFolders;
};
// The lookup of this process (its executable's folder and its PATH).
PackerLookup currentPackerLookup();

// The packer's path, or an empty string when none of the folders holds it.
QString findPacker(const PackerLookup& lookup);

// Starts the packer detached, with `baseFolder` as its working folder.
// Returns "" when it started, otherwise a message naming where it looked.
Message buildGameArchive(const QString& baseFolder, const PackerLookup& lookup);

} // namespace korvo
