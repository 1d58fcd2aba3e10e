// The zip writer: the fields it stores, and archives that standard tools read.
#include "dist/submission_files.h"
#include "dist/zip_file.h"

#include "mail_test_util.h"

using namespace korvo;
using namespace korvo::test;

namespace {

uint32_t le32(const std::string& b, size_t at) {
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
           uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}
uint16_t le16(const std::string& b, size_t at) {
    return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}

} // namespace

TEST(ZipFile, StoresTheFieldsOfEachEntryAndTheCentralDirectory) {
    EXPECT_EQ(ZipCrc32("123456789"), 0xCBF43926u); // the check value of CRC-32
    // Dates from 1980 on as they are (seconds halved); earlier ones as 1980-01-01.
    EXPECT_EQ(dosDateTime(1980, 1, 2, 3, 4, 7),
              uint32_t(1 << 5 | 2) << 16 | (3 << 11 | 4 << 5 | 3));
    EXPECT_EQ(dosDateTime(1979, 12, 31, 23, 59, 59), uint32_t(1 << 5 | 1) << 16);
    std::string data;
    for (int i = 0; i < 5000; ++i) data += char('a' + i * 7 % 26);
    TZipFile zip;
    zip.AddEntry("/home/user/tomail/empty.txt", 0);
    zip.AddEntry("/home/user/levels.mrg", 0);
    ASSERT_EQ(zip.SetEntryName(0, "empty.txt"), "");
    ASSERT_EQ(zip.SetEntryData(0, ""), "");
    ASSERT_EQ(zip.SetEntryName(1, "levels.mrg"), "");
    ASSERT_EQ(zip.SetEntryData(1, data), "");
    EXPECT_EQ(zip.SetEntryData(2, "x"), "Index out of range.");
    EXPECT_EQ(zip.SetEntryName(2, "x"), "Index out of range.");
    const std::string b = zip.archiveBytes();

    // First local entry: the empty file, its raw deflate encoding of no data.
    EXPECT_EQ(le32(b, 0), 0x04034B50u);
    EXPECT_EQ(le16(b, 4), 20);  // version needed
    EXPECT_EQ(le16(b, 6), 0);   // flags
    EXPECT_EQ(le16(b, 8), 8);   // deflate
    EXPECT_EQ(le32(b, 14), 0u); // CRC-32 of nothing
    EXPECT_EQ(le32(b, 18), 2u); // compressed size
    EXPECT_EQ(le32(b, 22), 0u); // uncompressed size
    EXPECT_EQ(le16(b, 26), 9);  // bare name length
    EXPECT_EQ(le16(b, 28), 0);  // no extra field
    EXPECT_EQ(b.substr(30, 9), "empty.txt");
    EXPECT_EQ(b.substr(39, 2), std::string("\x03\x00", 2));
    const size_t second = 41;
    EXPECT_EQ(le32(b, second), 0x04034B50u);
    EXPECT_EQ(le32(b, second + 14), ZipCrc32(data));
    EXPECT_EQ(le32(b, second + 22), 5000u);
    const size_t central = second + 30 + 10 + le32(b, second + 18);

    // The end record: two entries, the central directory where it starts.
    const size_t end = b.size() - 22;
    EXPECT_EQ(le32(b, end), 0x06054B50u);
    EXPECT_EQ(le16(b, end + 4), 0);
    EXPECT_EQ(le16(b, end + 6), 0);
    EXPECT_EQ(le16(b, end + 8), 2);
    EXPECT_EQ(le16(b, end + 10), 2);
    EXPECT_EQ(le32(b, end + 16), central);
    EXPECT_EQ(le32(b, end + 12), end - central);
    EXPECT_EQ(le16(b, end + 20), 0);

    // The central entries copy the local headers and point at them.
    size_t at = central;
    for (const uint32_t offset : {0u, uint32_t(second)}) {
        EXPECT_EQ(le32(b, at), 0x02014B50u);
        EXPECT_EQ(le16(b, at + 4), 20);                            // made by
        EXPECT_EQ(b.substr(at + 6, 26), b.substr(offset + 4, 26)); // shared header
        EXPECT_EQ(le16(b, at + 32), 0);                            // comment length
        EXPECT_EQ(le16(b, at + 34), 0);                            // disk
        EXPECT_EQ(le16(b, at + 36), 0);                            // internal attributes
        EXPECT_EQ(le32(b, at + 38), 0u);                           // external attributes
        EXPECT_EQ(le32(b, at + 42), offset);
        at += 46 + le16(b, at + 28);
    }
    EXPECT_EQ(at, end);
}

TEST(ZipFile, CompressFilesMakesAnArchiveThatUnzipAndPythonRead) {
    ensureCoreApp();
    SubmissionFolder folder;
    putFile(folder.path("tomail/info.txt"), "");
    const QDateTime before = evenSecondsBefore(QDateTime::currentDateTime());
    ASSERT_EQ(CompressFiles({folder.pack, folder.path("tomail/info.txt")}, folder.base), "");
    const QDateTime after = QDateTime::currentDateTime();
    const QString archive = archivePath(folder.base);

    QProcess unzip;
    unzip.start("unzip", {"-t", archive});
    ASSERT_TRUE(unzip.waitForFinished(30000));
    EXPECT_EQ(unzip.exitCode(), 0) << unzip.readAllStandardOutput().toStdString();

    const QJsonObject dump = zipDump(archive);
    EXPECT_TRUE(dump["ok"].toBool());
    const QJsonArray entries = dump["entries"].toArray();
    ASSERT_EQ(entries.size(), 2);
    const QJsonObject pack = entries[0].toObject(), info = entries[1].toObject();
    EXPECT_EQ(pack["name"].toString(), "levels.mrg");
    EXPECT_EQ(pack["method"].toInt(), 8);
    EXPECT_EQ(fromBase64(pack["data"]), fileBytes(folder.pack));
    // Stamped now, to the second as the format holds it.
    for (const QJsonObject& entry : {pack, info}) {
        const QDateTime stamped = zipTime(entry["date_time"]);
        EXPECT_TRUE(stamped >= before && stamped <= after)
            << stamped.toString(Qt::ISODate).toStdString();
    }
    EXPECT_EQ(info["name"].toString(), "info.txt");
    EXPECT_EQ(fromBase64(info["data"]), QByteArray());
    EXPECT_EQ(info["crc"].toInt(), 0);

    // An empty list writes nothing.
    QFile::remove(archive);
    EXPECT_EQ(CompressFiles({}, folder.base), "");
    EXPECT_FALSE(QFile::exists(archive));
}
