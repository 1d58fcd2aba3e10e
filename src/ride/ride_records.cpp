#include "ride_records.h"

#include "io/checked_write.h"
#include "io/whole_file.h"
#include "pack/pack_file.h"
#include "pack/track_info.h"
#include "settings/pack_lock.h"
#include "text/lang_added.h"
#include "text/system_errors.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <algorithm>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace korvo {

namespace {

const QByteArray kMagic = "korvote-rides";

} // namespace

QByteArray trackKey(const TTrackInfo& track) {
    QCryptographicHash sha(QCryptographicHash::Sha1);
    const auto part = [&sha](const auto& buffer, int32_t len) {
        sha.addData(QByteArrayView(reinterpret_cast<const char*>(buffer.data()),
                                   std::clamp(len, 0, kBufferSize)));
    };
    part(track.Header, track.HeaderLen);
    part(track.Points, track.PointsLen);
    return sha.result();
}

QString ridesPathOf(const QString& packPath) {
    return packPath + ".rides";
}

const BestRide* RideRecords::bestFor(const QByteArray& key) const {
    const auto it = best_.find(key);
    return it == best_.end() ? nullptr : &it->second;
}

bool RideRecords::offer(const QByteArray& key, const BestRide& ride) {
    const auto [it, fresh] = best_.emplace(key, ride);
    if (fresh) return true;
    if (ride.ms >= it->second.ms) return false;
    it->second = ride;
    return true;
}

void RideRecords::merge(const RideRecords& other) {
    for (const auto& [key, ride] : other.best_) offer(key, ride);
}

QByteArray RideRecords::text() const {
    QByteArray out = kMagic + ' ' + QByteArray::number(kVersion) + '\n';
    for (const auto& [key, ride] : best_) {
        out += "track " + key.toHex() + ' ' + QByteArray::number(ride.ms) + ' ' +
               (ride.by.isEmpty() ? QByteArray("-") : ride.by.toUtf8()) + '\n';
        out += keyFileText(ride.keys).toUtf8();
        out += "end\n";
    }
    return out;
}

Message RideRecords::parse(const QByteArray& text, const QString& path) {
    const QList<QByteArray> lines = text.split('\n');
    const QList<QByteArray> head = lines.value(0).trimmed().split(' ');
    if (head.size() != 2 || head[0] != kMagic)
        return pathMessage(path, Message::line(kLineRidesNotOurs));
    bool ok = false;
    const int version = head[1].toInt(&ok);
    if (!ok || version != kVersion)
        return pathMessage(path,
                           Message::line(kLineRidesVersion, QString::fromUtf8(head[1]), kVersion));
    std::map<QByteArray, BestRide> read;
    const auto damaged = [&path](qsizetype line) {
        return pathMessage(path, Message::line(kLineRidesDamaged, qint64(line + 1)));
    };
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty()) continue;
        const QList<QByteArray> f = line.split(' ');
        if (f.size() != 4 || f[0] != "track" || f[1].size() != 40) return damaged(i);
        const QByteArray key = QByteArray::fromHex(f[1]);
        BestRide ride;
        ride.ms = f[2].toInt(&ok);
        if (key.size() != 20 || !ok || ride.ms < 0) return damaged(i);
        ride.by = f[3] == "-" ? QString() : QString::fromUtf8(f[3]);
        const qsizetype first = i + 1;
        while (++i < lines.size() && lines[i].trimmed() != "end") {
        }
        if (i >= lines.size()) return damaged(first - 1);
        int bad = 0;
        const auto keys =
            parseKeyFile(QString::fromUtf8(lines.mid(first, i - first).join('\n')), &bad);
        if (!keys) return damaged(first + bad - 1);
        ride.keys = *keys;
        read[key] = std::move(ride);
    }
    best_ = std::move(read);
    return {};
}

Message RideRecords::load(const QString& path) {
    if (!QFileInfo::exists(path)) {
        best_.clear();
        return {};
    }
    std::string bytes;
    if (Message why = readWholeFile(path, bytes); !why.empty()) return why;
    return parse(QByteArray::fromStdString(bytes), path);
}

Message RideRecords::save(const QString& path) const {
    const QByteArray bytes = text();
    return writeFileChecked(path, std::string_view(bytes.constData(), size_t(bytes.size())));
}

RidesFileLock::RidesFileLock(const QString& ridesPath) {
    QString folder = userStateFolder();
    folder = folder.isEmpty() ? QDir::tempPath() : QDir(folder).filePath("locks");
    QDir().mkpath(folder);
    const QFileInfo info(ridesPath);
    const QString real =
        info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
    const QString lock = QDir(folder).filePath(
        QString::fromLatin1(
            QCryptographicHash::hash(real.toUtf8(), QCryptographicHash::Sha1).toHex()) +
        ".rides.lock");
    const QByteArray name = QFile::encodeName(lock);
    fd_ = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) fd_ = ::open(name.constData(), O_RDONLY | O_CLOEXEC); // another user's
    // Without a lock the rides are still kept, as before there was one.
    if (fd_ >= 0) ::flock(fd_, LOCK_EX);
}

RidesFileLock::~RidesFileLock() {
    if (fd_ >= 0) ::close(fd_);
}

Message recordFinish(const QString& packPath, const TTrackInfo& track, int ms,
                     const std::vector<KeyEvent>& keys, const QString& by, bool* kept) {
    const QString path = ridesPathOf(packPath);
    const RidesFileLock lock(path);
    RideRecords records;
    if (kept) *kept = false;
    if (Message why = records.load(path); !why.empty()) return why;
    if (!records.offer(trackKey(track), BestRide{ms, by, keys})) return {};
    Message why = records.save(path);
    if (kept) *kept = why.empty();
    return why;
}

Message unvalidatedInPack(const QString& packPath, Unvalidated& out) {
    out = {};
    TrackTable tracks;
    Rows rows;
    if (Message why = loadPackFile(packPath, tracks, rows); !why.empty()) return why;
    RideRecords records;
    const Message unread = records.load(ridesPathOf(packPath));
    for (int j : rows) {
        if (j == kHeaderRow) continue;
        ++out.total;
        if (!records.validated(trackKey(tracks[j]))) ++out.count;
    }
    return unread;
}

} // namespace korvo
