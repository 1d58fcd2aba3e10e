#include "mrg_format.h"

#include "templates.h"
#include "text/lang_added.h"

#include <cstring>

namespace korvo {

namespace {

const char* const kGroupCaptions[kGroups + 1] = {"", "---===  Easy  ===---",
                                                 "---===  Medium  ===---", "---===  Hard  ===---"};

const uint8_t* bytesAt(std::string_view s, size_t pos) {
    return reinterpret_cast<const uint8_t*>(s.data()) + pos;
}

// Where one block lies and how its header splits.
struct BlockSpan {
    size_t offset = 0;
    size_t length = 0;
    int headerLen = 27;
};

// Block length from the next entry's offset; the last block, and a block whose
// next offset lies before it, run to the end of the file.
size_t blockLength(const PackDirectory& dir, size_t i, size_t fileSize) {
    const size_t off = dir.entries[i].offset;
    if (i + 1 < dir.entries.size() && dir.entries[i + 1].offset >= off)
        return dir.entries[i + 1].offset - off;
    return fileSize - off;
}

Message checkBlocks(std::string_view bytes, const PackDirectory& dir,
                    std::vector<BlockSpan>& spans) {
    spans.resize(dir.entries.size());
    for (size_t i = 0; i < dir.entries.size(); ++i) {
        BlockSpan& b = spans[i];
        b.offset = dir.entries[i].offset;
        if (b.offset >= bytes.size())
            return Message::line(kLineBlockOutside, i + 1, b.offset, bytes.size());
        b.length = blockLength(dir, i, bytes.size());
        if (b.length > bytes.size() - b.offset) b.length = bytes.size() - b.offset;
        if (b.length < 27) return Message::line(kLineBlockShort, i + 1, b.length);
        b.headerLen = (b.length > 27 && uint8_t(bytes[b.offset + 27]) == 255) ? 36 : 27;
        if (b.length < size_t(b.headerLen))
            return Message::line(kLineBlockShortLong, i + 1, b.length);
        if (b.length - b.headerLen > size_t(kBufferSize))
            return Message::line(kLineBlockTooLong, i + 1, b.length - b.headerLen);
    }
    return {};
}

} // namespace

Message notAPackReason() {
    return Message::line(kLineNotAPackReason);
}

const char* groupCaption(int g) {
    return kGroupCaptions[g];
}

Message parseDirectory(std::string_view bytes, PackDirectory& dir) {
    dir = PackDirectory{};
    size_t pos = 0;
    size_t total = 0;
    for (int g = 1; g <= kGroups; ++g) {
        if (bytes.size() - pos < 4) return Message::line(kLineDirEndsAtCount, g);
        const uint32_t count = readBE32(bytesAt(bytes, pos));
        pos += 4;
        total += count;
        // Every entry takes five bytes at least: a count the file cannot
        // hold says the file is something else.
        if (uint64_t(count) * 5 > bytes.size() - pos) return notAPackReason();
        if (count > uint32_t(kMaxTracks) || total > size_t(kMaxTracks))
            return Message::line(kLineTooManyTracks, kMaxTracks);
        dir.counts[g] = int(count);
        for (uint32_t k = 0; k < count; ++k) {
            if (bytes.size() - pos < 4)
                return Message::line(kLineDirEndsAtEntry, dir.entries.size() + 1);
            PackDirectory::Entry e;
            e.offset = readBE32(bytesAt(bytes, pos));
            pos += 4;
            const void* zero = std::memchr(bytes.data() + pos, 0, bytes.size() - pos);
            if (!zero) return Message::line(kLineNameUnended, dir.entries.size() + 1);
            const size_t end = size_t(static_cast<const char*>(zero) - bytes.data());
            e.name = bytes.substr(pos, end - pos);
            pos = end + 1;
            dir.entries.push_back(e);
        }
    }
    dir.size = pos;
    return {};
}

Message readPack(std::string_view bytes, TrackTable& table, Rows& rows) {
    PackDirectory dir;
    if (Message why = parseDirectory(bytes, dir); !why.empty()) return why;
    std::vector<BlockSpan> spans;
    if (Message why = checkBlocks(bytes, dir, spans); !why.empty()) return why;

    table.ClearArrays();
    Rows out;
    out.reserve(dir.entries.size() + kGroups);
    int j = 0;
    for (int g = 1; g <= kGroups; ++g) {
        table.GroupCount[g] = dir.counts[g];
        out.push_back(kHeaderRow);
        for (int k = 1; k <= dir.counts[g]; ++k) {
            ++j;
            const PackDirectory::Entry& e = dir.entries[size_t(j - 1)];
            const BlockSpan& b = spans[size_t(j - 1)];
            const int slot = table.createTrack(std::string(e.name));
            TTrackInfo& t = table[slot];
            t.Group = g;
            t.NumInGroup = k;
            t.FileOffset = int32_t(e.offset);
            t.DataLen = int32_t(b.length);
            t.HeaderLen = b.headerLen;
            const uint8_t* block = bytesAt(bytes, b.offset);
            std::memcpy(t.Header.data(), block, size_t(b.headerLen));
            std::memcpy(t.Points.data(), block + b.headerLen, b.length - size_t(b.headerLen));
            t.PointsLen = int32_t(b.length) - b.headerLen - 1;
            t.Templ = int16_t(matchTemplate(t.Header.data()));
            t.StartX = onesComplement16(t.Header[1], t.Header[2]);
            t.StartY = onesComplement16(t.Header[5], t.Header[6]);
            out.push_back(j);
        }
    }
    rows = std::move(out);
    return {};
}

void renumberFromRows(TrackTable& table, const Rows& rows) {
    int g = 0;
    int k = 0;
    table.GroupCount = {};
    for (int data : rows) {
        if (data == kHeaderRow) {
            if (g < kGroups) ++g;
            k = 0;
            continue;
        }
        if (g == 0) g = 1; // a track before any header belongs to Easy
        TTrackInfo& t = table[data];
        t.Group = g;
        t.NumInGroup = ++k;
        ++table.GroupCount[g];
    }
}

namespace {

// Collects small pieces into a buffer that is handed on when it fills up.
class ChunkWriter {
public:
    explicit ChunkWriter(const ByteSink& sink) : sink_(sink) { buf_.reserve(kChunk); }
    void put(const void* data, size_t n) {
        if (buf_.size() + n > kChunk) flush();
        if (n > kChunk) {
            ok_ = ok_ && sink_(static_cast<const char*>(data), n);
            return;
        }
        buf_.append(static_cast<const char*>(data), n);
    }
    void putBE32(uint32_t v) {
        uint8_t b[4];
        writeBE32(b, v);
        put(b, 4);
    }
    bool finish() {
        flush();
        return ok_;
    }

private:
    static constexpr size_t kChunk = 256 * 1024;
    void flush() {
        if (!buf_.empty()) ok_ = ok_ && sink_(buf_.data(), buf_.size());
        buf_.clear();
    }
    const ByteSink& sink_;
    std::string buf_;
    bool ok_ = true;
};

} // namespace

bool writePack(TrackTable& table, const Rows& rows, const ByteSink& sink) {
    renumberFromRows(table, rows);
    // The rows stand in group order: header, its tracks, next header, ...
    size_t dirSize = 12;
    for (int data : rows)
        if (data != kHeaderRow) dirSize += 5 + table[data].Name.size();

    ChunkWriter out(sink);
    size_t dataPos = dirSize;
    size_t r = 0;
    for (int g = 1; g <= kGroups; ++g) {
        out.putBE32(uint32_t(table.GroupCount[g]));
        while (r < rows.size() && rows[r] == kHeaderRow) ++r;
        for (int k = 0; k < table.GroupCount[g]; ++k, ++r) {
            const TTrackInfo& t = table[rows[r]];
            out.putBE32(uint32_t(dataPos));
            out.put(t.Name.c_str(), t.Name.size() + 1);
            dataPos += size_t(t.HeaderLen) + size_t(t.PointsLen + 1);
        }
    }
    for (int data : rows) {
        if (data == kHeaderRow) continue;
        const TTrackInfo& t = table[data];
        out.put(t.Header.data(), size_t(t.HeaderLen));
        out.put(t.Points.data(), size_t(t.PointsLen + 1));
    }
    return out.finish();
}

std::string writePack(TrackTable& table, const Rows& rows) {
    std::string image;
    writePack(table, rows, [&image](const char* data, size_t n) {
        image.append(data, n);
        return true;
    });
    return image;
}

Rows rowsForGroups(const TrackTable& table) {
    Rows rows;
    rows.reserve(size_t(table.TrackCount) + kGroups);
    int j = 0;
    for (int g = 1; g <= kGroups; ++g) {
        rows.push_back(kHeaderRow);
        for (int k = 0; k < table.GroupCount[g]; ++k) rows.push_back(++j);
    }
    return rows;
}

bool countTracks(std::string_view bytes, int& total, std::string& text) {
    PackDirectory dir;
    if (!parseDirectory(bytes, dir).empty()) return false;
    total = 0;
    text.clear();
    for (int g = 1; g <= kGroups; ++g) {
        text += std::to_string(dir.counts[g]) + "/";
        total += dir.counts[g];
    }
    text.pop_back();
    return true;
}

} // namespace korvo
