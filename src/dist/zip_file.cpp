#include "zip_file.h"

#include "text/lang_added.h"
#include "text/message.h"

#include <QDateTime>
#include <limits>
#include <zlib.h>

namespace korvo {

namespace {

constexpr const char* kIndexOutOfRange = "Index out of range.";

void putShared(std::string& out, const TZipSharedHeader& h) {
    putLE16(out, h.VersionNeeded);
    putLE16(out, h.Flags);
    putLE16(out, h.Method);
    putLE32(out, h.ModifiedAt);
    putLE32(out, h.Crc32);
    putLE32(out, h.CompressedSize);
    putLE32(out, h.UncompressedSize);
    putLE16(out, h.NameLength);
    putLE16(out, h.ExtraLength);
}

} // namespace

uint32_t nowDosDateTime() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return dosDateTime(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

// zlib at the default level (6), its 2-byte header and 4-byte Adler-32
// trailer dropped: what remains is the raw deflate data.
bool rawDeflate(std::string_view bytes, std::string& out) {
    uLongf size = compressBound(uLong(bytes.size()));
    std::string stream(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(stream.data()), &size,
                  reinterpret_cast<const Bytef*>(bytes.data()), uLong(bytes.size()),
                  Z_DEFAULT_COMPRESSION) != Z_OK ||
        size < 6)
        return false;
    out.assign(stream, 2, size - 6);
    return true;
}

uint32_t ZipCrc32(std::string_view bytes) {
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes at most 4 GiB at once; the archive format cannot hold more anyway.
    while (!bytes.empty()) {
        const size_t piece = std::min<size_t>(bytes.size(), 1u << 30);
        crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), uInt(piece));
        bytes.remove_prefix(piece);
    }
    return uint32_t(crc);
}

uint32_t dosDateTime(int year, int month, int day, int hour, int minute, int second) {
    if (year < 1980) return uint32_t(1 << 5 | 1) << 16; // 1980-01-01 00:00:00
    const uint32_t date = uint32_t((std::min(year, 2107) - 1980) << 9 | month << 5 | day);
    const uint32_t time = uint32_t(hour << 11 | minute << 5 | second / 2);
    return date << 16 | time;
}

void TZipFile::AddEntry(const std::string& name, uint32_t externalAttributes) {
    TLocalFile local;
    local.Header.ModifiedAt = nowDosDateTime();
    local.Name = name;
    local.Header.NameLength = uint16_t(std::min<size_t>(name.size(), 0xFFFF));
    TFileHeader central;
    central.Header = local.Header;
    central.ExternalAttributes = externalAttributes;
    central.Name = local.Name;
    central.Extra = local.Extra;
    Local_.push_back(std::move(local));
    Central_.push_back(std::move(central));
}

Message TZipFile::SetEntryName(size_t index, const std::string& name) {
    if (index >= Local_.size()) return Message::plain(kIndexOutOfRange);
    Local_[index].Name = name;
    return {};
}

Message TZipFile::SetEntryData(size_t index, std::string_view bytes) {
    if (index >= Local_.size()) return Message::plain(kIndexOutOfRange);
    TLocalFile& local = Local_[index];
    if (bytes.size() > std::numeric_limits<uint32_t>::max() || local.Name.size() > 0xFFFF ||
        local.Extra.size() > 0xFFFF)
        return Message::line(kLineZipTooLarge);
    std::string data;
    if (!rawDeflate(bytes, data)) return Message::line(kLineZipNotCompressed);
    TZipSharedHeader& h = local.Header;
    h = TZipSharedHeader{};
    h.ModifiedAt = nowDosDateTime();
    h.Crc32 = bytes.empty() ? 0 : ZipCrc32(bytes);
    h.CompressedSize = uint32_t(data.size());
    h.UncompressedSize = uint32_t(bytes.size());
    h.NameLength = uint16_t(local.Name.size());
    h.ExtraLength = uint16_t(local.Extra.size());
    local.Data = std::move(data);

    TFileHeader& central = Central_[index];
    central.Header = h;
    central.CommentLength = 0;
    central.DiskNumberStart = 0;
    central.InternalAttributes = 0;
    central.LocalHeaderOffset = 0;
    central.Name = local.Name;
    central.Extra = local.Extra;
    central.Comment.clear();
    return {};
}

bool TZipFile::WriteArchive(const FileSink& sink) {
    if (Local_.size() > 0xFFFF) return false;
    uint64_t position = 0;
    std::string piece;
    auto out = [&](const std::string& bytes) {
        position += bytes.size();
        return sink(bytes.data(), bytes.size());
    };
    for (size_t i = 0; i < Local_.size(); ++i) {
        const TLocalFile& local = Local_[i];
        if (position > std::numeric_limits<uint32_t>::max()) return false;
        Central_[i].LocalHeaderOffset = uint32_t(position);
        piece.clear();
        putLE32(piece, local.Signature);
        putShared(piece, local.Header);
        piece += local.Name.substr(0, local.Header.NameLength);
        piece += local.Extra.substr(0, local.Header.ExtraLength);
        if (!out(piece) || !out(local.Data)) return false;
    }
    const uint64_t centralStart = position;
    for (const TFileHeader& central : Central_) {
        piece.clear();
        putLE32(piece, central.Signature);
        putLE16(piece, central.VersionMadeBy);
        putShared(piece, central.Header);
        putLE16(piece, central.CommentLength);
        putLE16(piece, central.DiskNumberStart);
        putLE16(piece, central.InternalAttributes);
        putLE32(piece, central.ExternalAttributes);
        putLE32(piece, central.LocalHeaderOffset);
        piece += central.Name.substr(0, central.Header.NameLength);
        piece += central.Extra.substr(0, central.Header.ExtraLength);
        piece += central.Comment.substr(0, central.CommentLength);
        if (!out(piece)) return false;
    }
    if (position > std::numeric_limits<uint32_t>::max()) return false;
    End_.EntriesOnDisk = End_.TotalEntries = uint16_t(Central_.size());
    End_.CentralDirSize = uint32_t(position - centralStart);
    End_.CentralDirOffset = uint32_t(centralStart);
    End_.CommentLength = uint16_t(Comment_.size());
    piece.clear();
    putLE32(piece, End_.Signature);
    putLE16(piece, End_.ThisDisk);
    putLE16(piece, End_.CentralDirDisk);
    putLE16(piece, End_.EntriesOnDisk);
    putLE16(piece, End_.TotalEntries);
    putLE32(piece, End_.CentralDirSize);
    putLE32(piece, End_.CentralDirOffset);
    putLE16(piece, End_.CommentLength);
    piece += Comment_;
    return out(piece);
}

std::string TZipFile::archiveBytes() {
    std::string out;
    WriteArchive([&out](const char* data, size_t size) {
        out.append(data, size);
        return true;
    });
    return out;
}

Message TZipFile::SaveArchive(const QString& fileName) {
    return writeFileChecked(fileName, [this](const FileSink& sink) { return WriteArchive(sink); });
}

} // namespace korvo
