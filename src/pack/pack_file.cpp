#include "pack_file.h"

#include "io/checked_write.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace korvo {

Message loadPackFile(const QString& path, TrackTable& table, Rows& rows) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return pathMessage(path, fileError(f));
    // Map the file where possible: the reader takes each block straight from the page cache.
    const qint64 size = f.size();
    if (const uchar* mapped = size > 0 ? f.map(0, size) : nullptr) {
        const std::string_view bytes(reinterpret_cast<const char*>(mapped), size_t(size));
        if (Message why = readPack(bytes, table, rows); !why.empty()) return pathMessage(path, why);
        return {};
    }
    std::string bytes;
    if (Message why = readWholeFile(path, bytes); !why.empty()) return pathMessage(path, why);
    if (Message why = readPack(bytes, table, rows); !why.empty()) return pathMessage(path, why);
    return {};
}

std::unique_ptr<PackRead> readPackFile(const QString& path) {
    auto read = std::make_unique<PackRead>();
    read->identity = fileIdentity(path);
    read->why = loadPackFile(path, read->tracks, read->rows);
    return read;
}

Message savePackFile(const QString& path, TrackTable& table, const Rows& rows) {
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
