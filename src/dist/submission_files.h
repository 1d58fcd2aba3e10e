#pragma once
// The files of a submission in the base folder: the author section of
// "opt.ini", "tomail/info.txt" and the archive "tomail/levels.zip".

#include "text/message.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <string>

namespace korvo {

QString tomailFolder(const QString& baseFolder);
QString infoFilePath(const QString& baseFolder);
QString archivePath(const QString& baseFolder);

// "info.txt": level name, nick, e-mail and the track-count text, each line
// ended by CR LF, in windows-1251.
QByteArray infoText(const QString& levelName, const QString& nick, const QString& email,
                    const QString& countText);

// Packs the files into base folder + "tomail/levels.zip", each under its bare
// file name, in list order. An empty list writes nothing. Returns "" or the
// reason the archive was not written.
Message CompressFiles(const QStringList& paths, const QString& baseFolder);

// Writes [Author] Name and Email into "opt.ini" as it is on disk now, every
// other key kept, while it has no [Author] with keys: the first author stays.
// A missing "opt.ini" is first made with the first-start defaults. Returns ""
// or the reason.
Message storeAuthor(const QString& baseFolder, const QString& nick, const QString& email);

} // namespace korvo
