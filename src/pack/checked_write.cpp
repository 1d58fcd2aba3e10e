#include "checked_write.h"

#include "settings/lang_added.h"
#include "settings/lang_lines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvo {

std::string pathMessage(const QString& path, const std::string& why) {
    return QDir::toNativeSeparators(path).toStdString() + ": " + why;
}

namespace {

// The errors a file can meet, in the order of their language lines.
constexpr int kSystemErrors[] = {ENOENT, EACCES, EPERM,   ENOSPC, EDQUOT, EFBIG,
                                 EROFS,  EISDIR, ENOTDIR, EIO,    EMFILE, ENAMETOOLONG};

} // namespace

std::string systemErrorText(int error) {
    if (!activeLang().cyrillic()) return std::strerror(error);
    for (size_t i = 0; i < std::size(kSystemErrors); ++i)
        if (kSystemErrors[i] == error) return activeText(kLineSystemFirst + int(i));
    return activeText(kLineSystemOther, error);
}

std::string fileErrorText(const QFileDevice& file) {
    // Qt words a system error with qt_error_string(), in the language of
    // Qt's translation if one is installed: the error is found by that text.
    const QString said = file.errorString();
    for (int error : kSystemErrors)
        if (said == qt_error_string(error)) return systemErrorText(error);
    if (!activeLang().cyrillic()) return said.toStdString();
    return activeText(kLineSystemOther, int(file.error()));
}

namespace {

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

std::string systemReason(int error) {
    return systemErrorText(error);
}

bool lexists(const QString& path) {
    struct stat st;
    return ::lstat(native(path).constData(), &st) == 0;
}

// The file a path finally names: symbolic links followed (also a dangling
// one, whose target the write then creates).
QString followLinks(const QString& path) {
    QString at = QFileInfo(path).absoluteFilePath();
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(at);
        if (!info.isSymLink()) return at;
        const QString target = info.symLinkTarget();
        if (target.isEmpty()) return at;
        at = QDir::cleanPath(QDir(info.absolutePath()).absoluteFilePath(target));
    }
    return at;
}

// Writes into one open descriptor through a buffer, keeping the first
// system error (a short write is retried; only a real error stops it).
class FdWriter {
public:
    explicit FdWriter(int fd) : fd_(fd) {} // the buffer grows as it is filled

    bool put(const char* data, size_t size) {
        if (error_) return false;
        if (buffer_.size() + size > kBuffer && !flush()) return false;
        if (size >= kBuffer) return writeAll(data, size);
        buffer_.append(data, size);
        return true;
    }
    bool flush() {
        if (error_) return false;
        const bool ok = writeAll(buffer_.data(), buffer_.size());
        buffer_.clear();
        return ok;
    }
    int error() const { return error_; }

private:
    static constexpr size_t kBuffer = 256 * 1024;

    bool writeAll(const char* data, size_t size) {
        while (size > 0) {
            const ssize_t n = ::write(fd_, data, size);
            if (n < 0) {
                if (errno == EINTR) continue;
                error_ = errno;
                return false;
            }
            if (n == 0) { // cannot happen for a regular file; never loop on it
                error_ = EIO;
                return false;
            }
            data += n;
            size -= size_t(n);
        }
        return true;
    }

    int fd_;
    int error_ = 0;
    std::string buffer_;
};

int openTemporary(const QString& folder, const QString& name, QString& tmpPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tmpPath = QDir(folder).filePath(
            "." + name + "." + QString::number(QRandomGenerator::global()->generate(), 36) +
            ".tmp");
        const int fd =
            ::open(native(tmpPath).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

std::string syncPath(const QString& path, int flags) {
    const int fd = ::open(native(path).constData(), flags | O_CLOEXEC);
    if (fd < 0) return pathMessage(path, systemReason(errno));
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL; // some file systems cannot sync folders
    const int error = errno;
    ::close(fd);
    return ok ? std::string() : pathMessage(path, systemReason(error));
}

// Keeps the previous contents of `target` as `old`: a hard link to the real
// file costs nothing and holds the old bytes, because the new contents go to
// a new file renamed over the target. Where links are impossible, a copy.
std::string keepPrevious(const QString& target, const QString& old, bool sync) {
    if (!QFileInfo::exists(target) || lexists(old)) return {};
    if (::link(native(target).constData(), native(old).constData()) == 0) return {};
    QFile in(target);
    if (!in.open(QIODevice::ReadOnly)) return pathMessage(target, fileErrorText(in));
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) return pathMessage(target, fileErrorText(in));
    WriteFileOptions plain;
    plain.sync = sync;
    if (std::string why =
            writeFileChecked(old, std::string_view(bytes.constData(), size_t(bytes.size())), plain);
        !why.empty())
        return activeText(kLineOldNotKept, why);
    return {};
}

// Up to this many files are synced file by file.
constexpr qsizetype kFilesSyncedOneByOne = 16;

std::string folderRefused(const QString& path, const QString& target, int error) {
    std::string why = systemReason(error);
    if ((error == EACCES || error == EPERM || error == EROFS) &&
        ::access(native(target).constData(), W_OK) == 0)
        why = activeText(kLineFolderRefuses, why);
    return pathMessage(path, why);
}

// The direct mode of writeFileChecked. A FIFO is opened without waiting for
// a reader (none: the system's reason), then written as usual.
std::string writeDirect(const QString& path, const FileProducer& produce, bool sync) {
    const int fd = ::open(native(path).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return pathMessage(path, systemReason(errno));
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FdWriter writer(fd);
    const bool produced =
        produce([&writer](const char* data, size_t size) { return writer.put(data, size); });
    int error = writer.error();
    if (produced && !error && !writer.flush()) error = writer.error();
    if (produced && !error && sync && ::fsync(fd) != 0 && errno != EINVAL) error = errno;
    if (::close(fd) != 0 && produced && !error) error = errno;
    if (!produced || error)
        return pathMessage(path, error ? systemReason(error) : activeText(kLineContentsFailed));
    if (sync) return syncPath(QFileInfo(path).absolutePath(), O_RDONLY | O_DIRECTORY);
    return {};
}

} // namespace

std::string writeFileChecked(const QString& path, const FileProducer& produce,
                             const WriteFileOptions& options) {
    if (options.direct) return writeDirect(path, produce, options.sync);
    const QString target = followLinks(path);
    const QFileInfo targetInfo(target);
    if (options.keepOld)
        if (std::string why = keepPrevious(target, path + ".old", options.sync); !why.empty())
            return why;

    QString tmp;
    const int fd = openTemporary(targetInfo.absolutePath(), targetInfo.fileName(), tmp);
    if (fd < 0) return folderRefused(path, target, errno);
    struct stat st;
    if (::stat(native(target).constData(), &st) == 0 && S_ISREG(st.st_mode))
        ::fchmod(fd, st.st_mode & 07777); // the new file keeps the old one's permissions

    FdWriter writer(fd);
    const bool produced =
        produce([&writer](const char* data, size_t size) { return writer.put(data, size); });
    int error = writer.error();
    if (produced && !error && !writer.flush()) error = writer.error();
    if (produced && !error && options.sync && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && produced && !error) error = errno;
    if (produced && !error && ::rename(native(tmp).constData(), native(target).constData()) != 0)
        error = errno;
    if (!produced || error) {
        ::unlink(native(tmp).constData());
        return pathMessage(path, error ? systemReason(error) : activeText(kLineContentsFailed));
    }
    if (options.sync) return syncPath(targetInfo.absolutePath(), O_RDONLY | O_DIRECTORY);
    return {};
}

std::string writeFileChecked(const QString& path, std::string_view bytes,
                             const WriteFileOptions& options) {
    return writeFileChecked(
        path, [bytes](const FileSink& sink) { return sink(bytes.data(), bytes.size()); }, options);
}

std::string syncFiles(const QString& folder, const QStringList& files) {
    // Many files: one sync of the file system they lie on writes them and
    // their folder in one pass, where a sync per file waits for each in turn.
    if (files.size() > kFilesSyncedOneByOne) {
        const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return pathMessage(folder, systemReason(errno));
        const bool ok = ::syncfs(fd) == 0;
        const int error = errno;
        ::close(fd);
        return ok ? std::string() : pathMessage(folder, systemReason(error));
    }
    for (const QString& file : files)
        if (std::string why = syncPath(QDir(folder).filePath(file), O_RDONLY); !why.empty())
            return why;
    return syncPath(folder, O_RDONLY | O_DIRECTORY);
}

} // namespace korvo
