#include "track_import.h"

#include "io/checked_write.h"
#include "pack_file.h"
#include "templates.h"
#include "text/cp1251.h"
#include "text/lang_added.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace korvo {

namespace {
Message tooLarge(qint64 size) {
    return Message::line(kLineLevTooLarge, size, kMaxLevBytes, kMaxSegments);
}
} // namespace

Message loadImportPack(const QString& path, TrackTable& importTracks, Rows& rows) {
    return loadPackFile(path, importTracks, rows);
}

Message fillLevTrack(std::string_view bytes, const std::string& name, TTrackInfo& t) {
    const size_t S = bytes.size();
    if (S > size_t(kMaxLevBytes)) return tooLarge(qint64(S));
    t.clear();
    t.Name = name;
    t.Group = 1;
    t.NumInGroup = 1;
    const TTemplSF& row = templateRow(1);
    std::copy(row.Header.begin(), row.Header.begin() + row.HeaderLen, t.Header.begin());
    t.HeaderLen = row.HeaderLen;
    t.Templ = 1;
    if (S > 0) std::memcpy(t.Points.data(), bytes.data(), S);
    // An X step of 255 counts as 0, but as the first byte after a 27-byte
    // header it would mark a 36-byte header when the saved pack is read
    // again, and the track would change. 0 is the same step without that.
    if (S > 0 && t.Points[0] == 255) t.Points[0] = 0;
    t.Points[S] = 0; // the trailing byte
    t.PointsLen = int32_t(S);
    const int nodes = int(S / 2) + 1;
    writeBE16(t.Header.data() + 17, uint16_t(nodes));
    t.Lines = nodes - 1;
    t.DataLen = int32_t(S) + t.HeaderLen;
    return {};
}

std::string replaceControlChars(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '_';
    return out;
}

std::string levTrackName(const QString& path) {
    return replaceControlChars(toCp1251(QFileInfo(path).completeBaseName(), '_'));
}

namespace {

// Reads a ".lev" file, refusing a large one before reading it whole.
Message readLevFile(const QString& path, std::string& bytes) {
    if (QFileInfo(path).isDir()) return Message::line(kLineLevIsFolder);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return fileError(f);
    // One byte more than a track can hold is enough to know the file is too large.
    const QByteArray read = f.read(kMaxLevBytes + 1);
    if (f.error() != QFileDevice::NoError) return fileError(f);
    if (read.size() > kMaxLevBytes) return tooLarge(std::max(f.size(), qint64(read.size())));
    bytes.assign(read.constData(), size_t(read.size()));
    return {};
}

} // namespace

std::vector<Message> loadLevFiles(const QStringList& paths, TrackTable& importTracks, Rows& rows) {
    std::vector<Message> refused;
    importTracks.ClearArrays();
    rows.clear();
    std::string bytes;
    for (const QString& path : paths) {
        if (Message why = readLevFile(path, bytes); !why.empty()) {
            refused.push_back(pathMessage(path, why));
            continue;
        }
        if (importTracks.full()) {
            refused.push_back(pathMessage(path, Message::line(kLineLevTooMany, kMaxTracks)));
            continue;
        }
        const int n = importTracks.createTrack({});
        fillLevTrack(bytes, levTrackName(path), importTracks[n]);
        importTracks.GroupCount[1] = n;
        rows.push_back(n);
    }
    return refused;
}

std::string_view levBytes(const TTrackInfo& t) {
    const int n = std::clamp(t.PointsLen, 0, kBufferSize);
    return {reinterpret_cast<const char*>(t.Points.data()), size_t(n)};
}

Message exportLevFile(const TTrackInfo& t, const QString& path) {
    return writeFileChecked(path, levBytes(t));
}

} // namespace korvo
