#include "recovery_file.h"

#include "pack/track_geometry.h"
#include "text/lang_added.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <map>
#include <set>

namespace korvo {

namespace {

const char kMagic[] = "KORVOTE-RECOVERY\n";
constexpr int kMagicSize = sizeof(kMagic) - 1;
constexpr int kHashSize = 20;
constexpr int kPrefixSize = kMagicSize + 4 + 8 + kHashSize;

// A part being encoded: its bytes and the stream into them.
struct Part {
    QByteArray bytes;
    QDataStream out{&bytes, QIODevice::WriteOnly};
    Part() { out.setVersion(QDataStream::Qt_6_0); }
};

// A buffer's bytes up to its last one that is not zero: the record comes back
// byte for byte, and a short track does not carry a thousand zeros.
QByteArray usedBytes(const uint8_t* data, size_t size) {
    while (size > 0 && data[size - 1] == 0) --size;
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

void putRecord(QDataStream& out, const TTrackInfo& r) {
    out << qint32(r.Group) << qint32(r.NumInGroup) << r.AnchorY << r.StartX << r.StartY
        << r.FileOffset << r.DataLen << r.Lines
        << QByteArray(r.Name.data(), qsizetype(r.Name.size()))
        << usedBytes(r.Header.data(), r.Header.size()) << r.HeaderLen
        << usedBytes(r.Points.data(), r.Points.size()) << r.PointsLen << r.Templ;
}

void putRow(QDataStream& out, const RowItem& row) {
    out << qint32(row.data) << QByteArray(row.caption.data(), qsizetype(row.caption.size()));
}

template <class T, class Put> void putSpan(QDataStream& out, const SpanChange<T>& span, Put put) {
    out << quint32(span.first) << quint32(span.from.size());
    for (const T& item : span.from) put(out, item);
    out << quint32(span.to.size());
    for (const T& item : span.to) put(out, item);
}

void putPoint(QDataStream& out, const QPoint& p) {
    out << qint32(p.x()) << qint32(p.y());
}

void putLook(QDataStream& out, const TrackLook& l) {
    out << qint32(l.YOffset);
    for (const QPoint& p : {l.StartPt, l.FinishPt, l.PlayerPt, l.RubberFrom}) putPoint(out, p);
    out << l.TrackYShift << l.PlayerYOffset << l.TrackName << qint32(l.LengthRow) << l.LengthPending
        << l.LengthChanged << l.PlayerButtonsEnabled << l.SaveEnabled << l.IsEditing
        << qint32(l.canvasSize.width()) << qint32(l.canvasSize.height()) << l.Templ << l.Lines
        << qint32(l.NextNode);
}

// Reads with every count checked before it is used: a damaged file that
// passed its checksum by chance still never makes us read past its end or
// hold more than a pack can.
class Reader {
public:
    explicit Reader(const QByteArray& body) : in_(body) { in_.setVersion(QDataStream::Qt_6_0); }
    bool ok() const { return ok_ && in_.status() == QDataStream::Ok; }
    bool atEnd() const { return in_.atEnd(); }
    void fail() { ok_ = false; }

    template <class T> T get() {
        T v{};
        in_ >> v;
        return v;
    }
    int number(int low, int high) {
        const qint32 v = get<qint32>();
        if (v < low || v > high) fail();
        return ok() ? v : low;
    }
    size_t count(size_t high) {
        const quint32 v = get<quint32>();
        if (v > high) fail();
        return ok() ? v : 0;
    }
    std::string bytes(size_t high) {
        const QByteArray b = get<QByteArray>();
        if (size_t(b.size()) > high) fail();
        return ok() ? b.toStdString() : std::string();
    }
    QPoint point() {
        const int x = get<qint32>();
        return {x, get<qint32>()};
    }

    void record(TTrackInfo& r) {
        r.Group = number(0, kGroups);
        r.NumInGroup = number(0, kMaxTracks);
        in_ >> r.AnchorY >> r.StartX >> r.StartY >> r.FileOffset >> r.DataLen >> r.Lines;
        r.Name = bytes(255);
        const std::string header = bytes(kBufferSize);
        std::copy(header.begin(), header.end(), r.Header.begin());
        r.HeaderLen = number(0, kBufferSize);
        const std::string points = bytes(kBufferSize);
        std::copy(points.begin(), points.end(), r.Points.begin());
        r.PointsLen = number(0, kBufferSize - 1);
        in_ >> r.Templ;
    }
    RowItem row() {
        RowItem item;
        item.data = number(kHeaderRow, kMaxTracks);
        item.caption = bytes(300);
        return item;
    }
    template <class T, class Get> SpanChange<T> span(size_t high, Get get) {
        SpanChange<T> s;
        s.first = count(high);
        for (size_t n = count(high); n > 0 && ok(); --n) s.from.push_back(get());
        for (size_t n = count(high); n > 0 && ok(); --n) s.to.push_back(get());
        return s;
    }
    TrackLook look() {
        TrackLook l;
        l.YOffset = get<qint32>();
        l.StartPt = point();
        l.FinishPt = point();
        l.PlayerPt = point();
        l.RubberFrom = point();
        in_ >> l.TrackYShift >> l.PlayerYOffset >> l.TrackName;
        l.LengthRow = number(0, 13);
        in_ >> l.LengthPending >> l.LengthChanged >> l.PlayerButtonsEnabled >> l.SaveEnabled >>
            l.IsEditing;
        const int w = number(-1, 1 << 24); // -1: no size yet
        l.canvasSize = QSize(w, number(-1, 1 << 24));
        in_ >> l.Templ >> l.Lines;
        l.NextNode = number(0, kNodeCapacity + 1);
        return l;
    }

private:
    QDataStream in_;
    bool ok_ = true;
};

constexpr size_t kMaxRows = kMaxTracks + kGroups;
constexpr size_t kMaxSteps = 1 << 20;

// The rows are the shape a pack's rows have: three group headers, the Easy
// one first, each track once and only tracks that have a record.
bool soundRows(const std::vector<RowItem>& rows, int trackCount) {
    if (rows.empty() || rows.front().data != kHeaderRow) return false;
    std::vector<bool> seen(size_t(trackCount) + 1);
    int headers = 0;
    for (const RowItem& row : rows) {
        if (row.data == kHeaderRow) {
            ++headers;
        } else if (row.data < 1 || row.data > trackCount || seen[size_t(row.data)]) {
            return false;
        } else {
            seen[size_t(row.data)] = true;
        }
    }
    return headers == kGroups;
}

template <class T> bool fits(const SpanChange<T>& s, size_t size, bool forward) {
    return s.first + (forward ? s.from.size() : s.to.size()) <= size;
}

// Walks the pack's history from the rows at `index` back to the first step
// and forward to the last: every step must fit the rows it meets and leave
// rows of a pack's shape, so undo and redo after a recovery are safe.
bool soundPackHistory(const RecoveryData& d) {
    const int tracks = int(d.records.size());
    for (const PackStep& s : d.steps)
        for (const RecordChange& r : s.records)
            if (r.j < 1 || r.j > tracks) return false;
    for (int dir : {-1, 1}) {
        std::vector<RowItem> rows = d.rows;
        for (int i = dir < 0 ? d.index - 1 : d.index; i >= 0 && i < int(d.steps.size()); i += dir) {
            const SpanChange<RowItem>& span = d.steps[size_t(i)].rows;
            if (!fits(span, rows.size(), dir > 0)) return false;
            rows = span.applied(rows, dir > 0);
            if (!soundRows(rows, tracks)) return false;
        }
    }
    return true;
}

bool soundTrackHistory(const KeptTrack& t) {
    for (int dir : {-1, 1}) {
        std::vector<QPoint> nodes = t.nodes;
        for (int i = dir < 0 ? t.index - 1 : t.index; i >= 0 && i < int(t.steps.size()); i += dir) {
            const SpanChange<QPoint>& span = t.steps[size_t(i)].nodes;
            if (!fits(span, nodes.size(), dir > 0)) return false;
            nodes = span.applied(nodes, dir > 0);
            if (nodes.size() > size_t(kNodeCapacity)) return false;
        }
    }
    return true;
}

} // namespace

QByteArray encodeRecoveryHead(const QString& packPath, const FileIdentity& identity,
                              const QDateTime& written) {
    Part part;
    QDataStream& out = part.out;
    out << packPath << identity.exists << quint64(identity.device) << quint64(identity.inode)
        << qint64(identity.size) << qint64(identity.modifiedSeconds)
        << qint64(identity.modifiedNanoseconds) << written.toMSecsSinceEpoch();
    return part.bytes;
}

QByteArray encodeRecoveryPack(const TrackTable& tracks, const LevelRows& rows) {
    Part part;
    QDataStream& out = part.out;
    out << quint32(tracks.TrackCount);
    for (int g = 1; g <= kGroups; ++g) out << qint32(tracks.GroupCount[size_t(g)]);
    for (int j = 1; j <= tracks.TrackCount; ++j) putRecord(out, tracks[j]);
    out << quint32(rows.size());
    for (int r = 0; r < rows.size(); ++r) putRow(out, {rows.data(r), rows.caption(r)});
    return part.bytes;
}

QByteArray encodePackStep(const PackStep& step) {
    Part part;
    QDataStream& out = part.out;
    out << qint32(step.name.line) << qint32(step.name.count) << step.name.text;
    putSpan(out, step.rows, putRow);
    out << quint32(step.records.size());
    for (const RecordChange& r : step.records) {
        out << qint32(r.j);
        putRecord(out, r.before);
        putRecord(out, r.after);
    }
    out << qint32(step.subject);
    return part.bytes;
}

QByteArray encodeTrackStep(const TrackStepData& step) {
    Part part;
    QDataStream& out = part.out;
    out << qint32(step.step);
    putSpan(out, step.nodes, putPoint);
    putLook(out, step.before);
    putLook(out, step.after);
    out << step.keyRun << step.continuesRun;
    return part.bytes;
}

QByteArray encodeKeptTrack(const KeptTrack& t, const std::vector<QByteArray>& steps) {
    Part part;
    QDataStream& out = part.out;
    out << true << t.isNew << qint32(t.record) << qint32(t.tool) << t.zoom;
    putPoint(out, t.scroll);
    putLook(out, t.look);
    out << quint32(t.nodes.size());
    for (const QPoint& p : t.nodes) putPoint(out, p);
    out << qint32(t.index) << qint32(t.cleanIndex) << quint32(steps.size());
    QByteArray bytes = part.bytes;
    for (const QByteArray& s : steps) bytes += s;
    return bytes;
}

QByteArray encodeNoTrack() {
    Part part;
    part.out << false;
    return part.bytes;
}

QByteArray recoveryFileBytes(const QByteArray& head, const QByteArray& pack,
                             const std::vector<QByteArray>& packSteps, int index, int cleanIndex,
                             const QByteArray& track) {
    Part part;
    part.out << qint32(index) << qint32(cleanIndex) << quint32(packSteps.size());
    const QByteArray& counts = part.bytes;
    qsizetype size = head.size() + pack.size() + counts.size() + track.size();
    for (const QByteArray& s : packSteps) size += s.size();
    QByteArray body;
    body.reserve(size);
    body += head;
    body += pack;
    body += counts;
    for (const QByteArray& s : packSteps) body += s;
    body += track;

    QByteArray file(kPrefixSize, '\0');
    std::copy(kMagic, kMagic + kMagicSize, file.begin());
    qToBigEndian<quint32>(kRecoveryVersion, file.data() + kMagicSize);
    qToBigEndian<quint64>(quint64(body.size()), file.data() + kMagicSize + 4);
    const QByteArray hash = QCryptographicHash::hash(body, QCryptographicHash::Sha1);
    std::copy(hash.begin(), hash.end(), file.begin() + kMagicSize + 12);
    return file + body;
}

std::optional<RecoveryData> decodeRecoveryFile(const QByteArray& bytes, Message* why) {
    auto refuse = [why](int line) -> std::optional<RecoveryData> {
        if (why) *why = Message::line(line);
        return std::nullopt;
    };
    if (bytes.size() < kMagicSize || !bytes.startsWith(kMagic)) return refuse(kLineRecoveryNotOurs);
    if (bytes.size() < kPrefixSize) return refuse(kLineRecoveryDamaged);
    if (qFromBigEndian<quint32>(bytes.constData() + kMagicSize) != kRecoveryVersion)
        return refuse(kLineRecoveryOtherVersion);
    const quint64 size = qFromBigEndian<quint64>(bytes.constData() + kMagicSize + 4);
    const QByteArray body = bytes.mid(kPrefixSize);
    if (quint64(body.size()) != size || QCryptographicHash::hash(body, QCryptographicHash::Sha1) !=
                                            bytes.mid(kMagicSize + 12, kHashSize))
        return refuse(kLineRecoveryDamaged);

    Reader in(body);
    RecoveryData d;
    d.packPath = in.get<QString>();
    d.identity.exists = in.get<bool>();
    d.identity.device = dev_t(in.get<quint64>());
    d.identity.inode = ino_t(in.get<quint64>());
    d.identity.size = off_t(in.get<qint64>());
    d.identity.modifiedSeconds = in.get<qint64>();
    d.identity.modifiedNanoseconds = long(in.get<qint64>());
    d.written = QDateTime::fromMSecsSinceEpoch(in.get<qint64>(), Qt::UTC);
    d.records.resize(in.count(kMaxTracks));
    for (int g = 1; g <= kGroups; ++g) d.groupCount[size_t(g)] = in.number(0, kMaxTracks);
    for (TTrackInfo& r : d.records) {
        if (!in.ok()) break;
        in.record(r);
    }
    for (size_t n = in.count(kMaxRows); n > 0 && in.ok(); --n) d.rows.push_back(in.row());
    d.index = in.number(0, int(kMaxSteps));
    d.cleanIndex = in.number(-1, int(kMaxSteps));
    for (size_t n = in.count(kMaxSteps); n > 0 && in.ok(); --n) {
        PackStep s;
        s.name.line = in.get<qint32>();
        s.name.count = in.get<qint32>();
        s.name.text = in.get<QString>();
        s.rows = in.span<RowItem>(kMaxRows, [&] { return in.row(); });
        for (size_t k = in.count(kMaxTracks); k > 0 && in.ok(); --k) {
            RecordChange r;
            r.j = in.number(1, kMaxTracks);
            in.record(r.before);
            in.record(r.after);
            s.records.push_back(std::move(r));
        }
        s.subject = in.number(0, kMaxTracks);
        d.steps.push_back(std::move(s));
    }
    KeptTrack& t = d.track;
    t.open = in.get<bool>();
    if (t.open) {
        t.isNew = in.get<bool>();
        t.record = in.number(0, kMaxTracks + 1);
        t.tool = in.number(0, 4);
        t.zoom = in.get<double>();
        t.scroll = in.point();
        t.look = in.look();
        for (size_t n = in.count(kNodeCapacity); n > 0 && in.ok(); --n)
            t.nodes.push_back(in.point());
        t.index = in.number(0, int(kMaxSteps));
        t.cleanIndex = in.number(-1, int(kMaxSteps));
        for (size_t n = in.count(kMaxSteps); n > 0 && in.ok(); --n) {
            TrackStepData s;
            s.step = TrackStep(in.number(0, int(TrackStep::FieldSize)));
            s.nodes = in.span<QPoint>(kNodeCapacity, [&] { return in.point(); });
            s.before = in.look();
            s.after = in.look();
            s.keyRun = in.get<bool>();
            s.continuesRun = in.get<bool>();
            t.steps.push_back(std::move(s));
        }
    }
    const bool sound =
        in.ok() && in.atEnd() && soundRows(d.rows, int(d.records.size())) &&
        d.index <= int(d.steps.size()) && d.cleanIndex <= int(d.steps.size()) &&
        soundPackHistory(d) &&
        (!t.open || (t.index <= int(t.steps.size()) && t.cleanIndex <= int(t.steps.size()) &&
                     t.zoom > 0 && t.zoom <= 64 && soundTrackHistory(t)));
    if (!sound) return refuse(kLineRecoveryDamaged);
    return d;
}

RecoveryDifference compareWithFile(const RecoveryData& data, const TrackTable& onDisk,
                                   const Rows& diskRows) {
    // Tracks are matched by name: the numbers of a pack are its order on
    // disk, and a session may have moved, added and deleted tracks.
    std::multimap<std::string, const TTrackInfo*> disk;
    for (int row : diskRows)
        if (row >= 1 && row <= onDisk.TrackCount) disk.emplace(onDisk[row].Name, &onDisk[row]);
    auto same = [](const TTrackInfo& a, const TTrackInfo& b) {
        return a.HeaderLen == b.HeaderLen && a.PointsLen == b.PointsLen &&
               std::equal(a.Header.begin(), a.Header.begin() + a.HeaderLen, b.Header.begin()) &&
               std::equal(a.Points.begin(), a.Points.begin() + a.PointsLen + 1, b.Points.begin()) &&
               a.StartX == b.StartX && a.StartY == b.StartY && a.AnchorY == b.AnchorY &&
               a.Templ == b.Templ;
    };
    RecoveryDifference diff;
    for (const RowItem& row : data.rows) {
        if (row.data == kHeaderRow) continue;
        const TTrackInfo& r = data.records[size_t(row.data - 1)];
        const auto found = disk.find(r.Name);
        if (found == disk.end()) {
            diff.added.push_back(row.caption);
            continue;
        }
        if (!same(r, *found->second)) diff.changed.push_back(row.caption);
        disk.erase(found);
    }
    std::set<const TTrackInfo*> left;
    for (const auto& [name, record] : disk) left.insert(record);
    for (int row : diskRows)
        if (row >= 1 && row <= onDisk.TrackCount && left.count(&onDisk[row]))
            diff.deleted.push_back(onDisk.caption(row));
    return diff;
}

} // namespace korvo
