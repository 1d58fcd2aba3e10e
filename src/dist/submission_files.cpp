#include "submission_files.h"

#include "io/checked_write.h"
#include "pack/pack_file.h"
#include "settings/ini_file.h"
#include "settings/options.h"
#include "text/cp1251.h"
#include "zip_file.h"

#include <QDir>
#include <QFileInfo>

namespace korvo {

QString tomailFolder(const QString& baseFolder) {
    return QDir(baseFolder).filePath("tomail");
}

QString infoFilePath(const QString& baseFolder) {
    return QDir(tomailFolder(baseFolder)).filePath("info.txt");
}

QString archivePath(const QString& baseFolder) {
    return QDir(tomailFolder(baseFolder)).filePath("levels.zip");
}

QByteArray infoText(const QString& levelName, const QString& nick, const QString& email,
                    const QString& countText) {
    std::string text;
    for (const QString& line : {levelName, nick, email, countText}) text += toCp1251(line) + "\r\n";
    return QByteArray(text.data(), qsizetype(text.size()));
}

Message CompressFiles(const QStringList& paths, const QString& baseFolder) {
    if (paths.isEmpty()) return {};
    TZipFile zip;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        zip.AddEntry(toCp1251(paths[i]), 0);
        std::string bytes;
        if (Message why = readWholeFile(paths[i], bytes); !why.empty())
            return pathMessage(paths[i], why);
        zip.SetEntryName(size_t(i), toCp1251(QFileInfo(paths[i]).fileName()));
        if (Message why = zip.SetEntryData(size_t(i), bytes); !why.empty())
            return pathMessage(paths[i], why);
    }
    return zip.SaveArchive(archivePath(baseFolder));
}

Message storeAuthor(const QString& baseFolder, const QString& nick, const QString& email) {
    const QString path = optionsPath(baseFolder);
    Message error;
    auto ini = readIniFile(path, &error);
    if (!ini) return error;
    // The first author stays: an existing [Author] is only read.
    if (ini->hasKeys("Author")) return {};
    // Without "opt.ini" the next start would find no [Options]: begin with
    // the file a first start writes.
    if (!QFileInfo::exists(path)) *ini = IniText(kDefaultOptionsText);
    if (!ini->setValue("Author", "Name", nick) || !ini->setValue("Author", "Email", email))
        return Message::plain(path + ": [Author]: the nick or e-mail cannot be stored");
    return writeIniFile(path, *ini, &error) ? Message() : error;
}

} // namespace korvo
