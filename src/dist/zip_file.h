#pragma once
// TZipFile: a small in-memory writer of ZIP archives. Every entry is
// deflated, carries no extra field and no comment, and the archive is a
// single disk without ZIP64; the files the submission packs are small.

#include "io/checked_write.h"

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvo {

// Little-endian fields, as zip files hold them, appended to a byte string.
inline void putLE16(std::string& out, uint16_t v) {
    out += char(v & 0xFF);
    out += char(v >> 8);
}
inline void putLE32(std::string& out, uint32_t v) {
    putLE16(out, uint16_t(v & 0xFFFF));
    putLE16(out, uint16_t(v >> 16));
}

// The fields shared by a local entry and its central copy, in file order
// (the 26 bytes after the signature).
struct TZipSharedHeader {
    uint16_t VersionNeeded = 20;
    uint16_t Flags = 0;      // no data descriptor, no encryption
    uint16_t Method = 8;     // deflate
    uint32_t ModifiedAt = 0; // MS-DOS time in the low half, date in the high half
    uint32_t Crc32 = 0;      // of the uncompressed bytes
    uint32_t CompressedSize = 0;
    uint32_t UncompressedSize = 0;
    uint16_t NameLength = 0;
    uint16_t ExtraLength = 0;
};

struct TLocalFile {
    uint32_t Signature = 0x04034B50;
    TZipSharedHeader Header;
    std::string Name;
    std::string Extra;
    std::string Data; // raw deflate
};

struct TFileHeader {
    uint32_t Signature = 0x02014B50;
    uint16_t VersionMadeBy = 20;
    TZipSharedHeader Header;
    uint16_t CommentLength = 0;
    uint16_t DiskNumberStart = 0;
    uint16_t InternalAttributes = 0;
    uint32_t ExternalAttributes = 0;
    uint32_t LocalHeaderOffset = 0;
    std::string Name;
    std::string Extra;
    std::string Comment;
};

struct TEndOfCentralDir {
    uint32_t Signature = 0x06054B50;
    uint16_t ThisDisk = 0;
    uint16_t CentralDirDisk = 0;
    uint16_t EntriesOnDisk = 0;
    uint16_t TotalEntries = 0;
    uint32_t CentralDirSize = 0;
    uint32_t CentralDirOffset = 0;
    uint16_t CommentLength = 0;
};

// The standard CRC-32 of the ZIP format (zlib's crc32).
uint32_t ZipCrc32(std::string_view bytes);

// A local time as MS-DOS time (low 16 bits) and date (high 16 bits); times
// before 1980 become 1980-01-01 00:00:00.
uint32_t dosDateTime(int year, int month, int day, int hour, int minute, int second);

// The current local time as dosDateTime().
uint32_t nowDosDateTime();

// `bytes` as raw deflate data (no zlib header or trailer) at zlib's default
// level, the one zip uses; false when zlib failed.
bool rawDeflate(std::string_view bytes, std::string& out);

class TZipFile {
public:
    // Appends an entry with empty data, stamped with the current local time.
    void AddEntry(const std::string& name, uint32_t externalAttributes);
    // Replaces an entry's name; the lengths and the central copy follow at
    // the next SetEntryData. Returns "" or "Index out of range.".
    Message SetEntryName(size_t index, const std::string& name);
    // Deflates and stores an entry's data. Returns "" or the reason it was
    // refused ("Index out of range.", or data too large for the format).
    Message SetEntryData(size_t index, std::string_view bytes);

    // Hands the whole archive to `sink`; false when the sink refused a piece.
    bool WriteArchive(const FileSink& sink);
    // The archive's bytes.
    std::string archiveBytes();
    // Writes the archive through the checked write path: "" or "<path>: <reason>".
    Message SaveArchive(const QString& fileName);

    size_t entryCount() const { return Local_.size(); }
    const TLocalFile& local(size_t i) const { return Local_[i]; }
    const TFileHeader& central(size_t i) const { return Central_[i]; }
    const TEndOfCentralDir& endRecord() const { return End_; }

private:
    std::vector<TLocalFile> Local_;
    std::vector<TFileHeader> Central_;
    TEndOfCentralDir End_;
    std::string Comment_;
};

} // namespace korvo
