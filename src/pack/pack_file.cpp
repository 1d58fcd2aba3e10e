#include "pack_file.h"

#include "io/checked_write.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace korvo {

namespace {
std::string withPath(const QString& path, const std::string& why) {
    return pathMessage(path, why);
}
} // namespace

std::string loadPackFile(const QString& path, TrackTable& table, Rows& rows) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return withPath(path, fileErrorText(f));
    // Map the file where possible: the reader takes each block straight from the page cache.
    const qint64 size = f.size();
    if (const uchar* mapped = size > 0 ? f.map(0, size) : nullptr) {
        const std::string_view bytes(reinterpret_cast<const char*>(mapped), size_t(size));
        if (std::string why = readPack(bytes, table, rows); !why.empty())
            return withPath(path, why);
        return {};
    }
    std::string bytes;
    if (std::string why = readWholeFile(path, bytes); !why.empty()) return withPath(path, why);
    if (std::string why = readPack(bytes, table, rows); !why.empty()) return withPath(path, why);
    return {};
}

std::string savePackBytes(const QString& path, std::string_view bytes) {
    WriteFileOptions options;
    options.keepOld = true;
    return writeFileChecked(path, bytes, options);
}

std::string savePackFile(const QString& path, TrackTable& table, const Rows& rows) {
    WriteFileOptions options;
    options.keepOld = true;
    return writeFileChecked(
        path, [&](const FileSink& sink) { return writePack(table, rows, sink); }, options);
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
