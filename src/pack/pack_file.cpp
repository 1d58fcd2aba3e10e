#include "pack_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <unistd.h>

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
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return withPath(path, f.errorString().toStdString());
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

namespace {

// Replaces `path` with what `produce` writes, keeping the previous file once as ".old".
std::string saveAtomically(const QString& path, const std::function<bool(QSaveFile&)>& produce) {
    const QString old = path + ".old";
    // Keep the previous version beside the new one, once. A hard link costs
    // nothing and keeps the old contents, since the save below writes a new
    // file and renames it over the name; where links are not possible, copy.
    if (QFileInfo::exists(path) && !QFileInfo::exists(old) &&
        ::link(QFile::encodeName(path).constData(), QFile::encodeName(old).constData()) != 0)
        QFile::copy(path, old);

    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return withPath(path, out.errorString().toStdString());
    if (!produce(out)) {
        const std::string why = out.errorString().toStdString();
        out.cancelWriting();
        return withPath(path, why.empty() ? "write failed" : why);
    }
    if (!out.commit())
        return withPath(path, "could not replace the file: " + out.errorString().toStdString());
    return {};
}

bool writeAll(QSaveFile& out, const char* data, size_t n) {
    return out.write(data, qint64(n)) == qint64(n);
}

} // namespace

std::string savePackBytes(const QString& path, std::string_view bytes) {
    return saveAtomically(
        path, [bytes](QSaveFile& out) { return writeAll(out, bytes.data(), bytes.size()); });
}

std::string savePackFile(const QString& path, TrackTable& table, const Rows& rows) {
    return saveAtomically(path, [&](QSaveFile& out) {
        return writePack(table, rows,
                         [&out](const char* data, size_t n) { return writeAll(out, data, n); });
    });
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
