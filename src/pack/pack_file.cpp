#include "pack_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace korvo {

namespace {
std::string withPath(const QString& path, const std::string& why) {
    return QDir::toNativeSeparators(path).toStdString() + ": " + why;
}
} // namespace

std::string readWholeFile(const QString& path, std::string& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return f.errorString().toStdString();
    const qint64 size = f.size();
    bytes.resize(size_t(size));
    if (size > 0 && f.read(bytes.data(), size) != size) return f.errorString().toStdString();
    return {};
}

std::string loadPackFile(const QString& path, TrackTable& table, Rows& rows) {
    std::string bytes;
    if (std::string why = readWholeFile(path, bytes); !why.empty()) return withPath(path, why);
    if (std::string why = readPack(bytes, table, rows); !why.empty()) return withPath(path, why);
    return {};
}

std::string savePackBytes(const QString& path, std::string_view bytes) {
    const QString old = path + ".old";
    // Keep the previous version beside the new one, once.
    if (QFileInfo::exists(path) && !QFileInfo::exists(old)) QFile::copy(path, old);

    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return withPath(path, out.errorString().toStdString());
    if (out.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        const std::string why = out.errorString().toStdString();
        out.cancelWriting();
        return withPath(path, why.empty() ? "write failed" : why);
    }
    if (!out.commit())
        return withPath(path, "could not replace the file: " + out.errorString().toStdString());
    return {};
}

std::string savePackFile(const QString& path, TrackTable& table, const Rows& rows) {
    return savePackBytes(path, writePack(table, rows));
}

void GetNumTracks(const QString& path, int& total, std::string& text) {
    if (path.isEmpty()) return;
    std::string bytes;
    if (!readWholeFile(path, bytes).empty()) return;
    countTracks(bytes, total, text);
}

QString newPackFileName(const QString& baseFolder) {
    const QDir dir(baseFolder);
    const QString levels = dir.filePath("levels.mrg");
    return QFileInfo::exists(levels) ? dir.filePath("levels.new.mrg") : levels;
}

} // namespace korvo
