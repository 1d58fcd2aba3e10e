#include "checked_write.h"

#include "text/lang_added.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvo {

namespace {

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

Message systemReason(int error) {
    return systemError(error);
}

bool lexists(const QString& path) {
    struct stat st;
    return ::lstat(native(path).constData(), &st) == 0;
}

// Where the new contents of `path` go. A symbolic link is followed to the
// file it finally names (also a dangling one, whose target the write then
// creates); `error` is set for a chain that loops or cannot be resolved and
// for a folder. `special` is set for a device, FIFO or socket: those are
// written into where they are, never replaced.
struct Target {
    QString path;
    bool special = false;
    int error = 0;
};

Target resolveTarget(const QString& path) {
    Target t;
    const QByteArray name = native(path);
    struct stat st;
    if (::stat(name.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            t.error = EISDIR;
        } else if (!S_ISREG(st.st_mode)) {
            t.special = true; // the kernel resolves the path (also /dev/fd/N) at open
            t.path = path;
        } else if (char* real = ::realpath(name.constData(), nullptr)) {
            t.path = QFile::decodeName(real);
            std::free(real);
        } else {
            t.error = errno;
        }
        return t;
    }
    if (errno != ENOENT) {
        t.error = errno; // ELOOP, ENOTDIR, EACCES: nothing sensible to replace
        return t;
    }
    // Missing: a new file, or a dangling link whose last target is created.
    QString at = QFileInfo(path).absoluteFilePath();
    for (int hops = 0; hops < 40; ++hops) {
        char buffer[4096];
        const ssize_t n = ::readlink(native(at).constData(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno != EINVAL && errno != ENOENT) t.error = errno;
            t.path = at;
            return t;
        }
        if (size_t(n) == sizeof buffer) {
            t.error = ENAMETOOLONG;
            return t;
        }
        const QString target = QFile::decodeName(QByteArray(buffer, qsizetype(n)));
        at = QDir::cleanPath(QDir(QFileInfo(at).absolutePath()).absoluteFilePath(target));
    }
    t.error = ELOOP;
    return t;
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

// A temporary file is held locked (an advisory lock, gone with its writer)
// from its creation until it was renamed over the target: a sweep of
// leftovers by another save passes over it while it is being written.
bool sameFile(int fd, const QString& path) {
    struct stat byFd, byName;
    return ::fstat(fd, &byFd) == 0 && ::lstat(native(path).constData(), &byName) == 0 &&
           byFd.st_dev == byName.st_dev && byFd.st_ino == byName.st_ino;
}

int openTemporary(const QString& folder, const QString& name, QString& tmpPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tmpPath = QDir(folder).filePath(
            "." + name + "." + QString::number(QRandomGenerator::global()->generate(), 36) +
            ".tmp");
        const int fd =
            ::open(native(tmpPath).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return fd;
        if (fd < 0) continue;
        // Between the creation and the lock a sweep may have taken the new,
        // unlocked file for a leftover: then it is gone, and another name is tried.
        if (::flock(fd, LOCK_EX) == 0 && sameFile(fd, tmpPath)) return fd;
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

Message syncPath(const QString& path, int flags) {
    const int fd = ::open(native(path).constData(), flags | O_CLOEXEC);
    if (fd < 0) return pathMessage(path, systemReason(errno));
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL; // some file systems cannot sync folders
    const int error = errno;
    ::close(fd);
    return ok ? Message() : pathMessage(path, systemReason(error));
}

// Keeps the previous contents of `target` as `old`: a hard link to the real
// file costs nothing and holds the old bytes, because the new contents go to
// a new file renamed over the target. Where links are impossible, a copy.
Message keepPrevious(const QString& target, const QString& old, bool sync) {
    if (!QFileInfo::exists(target) || lexists(old)) return {};
    if (::link(native(target).constData(), native(old).constData()) == 0) return {};
    QFile in(target);
    if (!in.open(QIODevice::ReadOnly)) return pathMessage(target, fileError(in));
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) return pathMessage(target, fileError(in));
    WriteFileOptions plain;
    plain.sync = sync;
    if (Message why =
            writeFileChecked(old, std::string_view(bytes.constData(), size_t(bytes.size())), plain);
        !why.empty())
        return Message::line(kLineOldNotKept, why);
    return {};
}

// Up to this many files are synced file by file.
constexpr qsizetype kFilesSyncedOneByOne = 16;

Message folderRefused(const QString& path, const QString& target, int error) {
    Message why = systemReason(error);
    if ((error == EACCES || error == EPERM || error == EROFS) &&
        ::access(native(target).constData(), W_OK) == 0)
        why = Message::line(kLineFolderRefuses, why);
    return pathMessage(path, why);
}

// The direct mode of writeFileChecked. A FIFO is opened without waiting for
// a reader (none: the system's reason), then written as usual.
Message writeDirect(const QString& path, const FileProducer& produce, bool sync) {
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
        return pathMessage(path, error ? systemReason(error) : Message::line(kLineContentsFailed));
    if (sync) return syncPath(QFileInfo(path).absolutePath(), O_RDONLY | O_DIRECTORY);
    return {};
}

} // namespace

namespace {

// Runs the producer into an open descriptor; the first system error, or -1
// when the producer gave up for a reason of its own.
int produceInto(int fd, const FileProducer& produce) {
    FdWriter writer(fd);
    const bool produced =
        produce([&writer](const char* data, size_t size) { return writer.put(data, size); });
    if (writer.error()) return writer.error();
    if (!produced) return -1;
    return writer.flush() ? 0 : writer.error();
}

Message failure(const QString& path, int error) {
    return pathMessage(path, error > 0 ? systemReason(error) : Message::line(kLineContentsFailed));
}

// A device, FIFO or socket takes the bytes where it is, as `cp` writes into
// it: no temporary file, no ".old", no rename. A FIFO waits for its reader.
Message writeInto(const QString& path, const FileProducer& produce) {
    const int fd = ::open(native(path).constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return failure(path, errno);
    int error = produceInto(fd, produce);
    if (::close(fd) != 0 && !error) error = errno;
    return error ? failure(path, error) : Message();
}

// The permission of the user the program runs as (its effective ids, so
// root may write anyway); only a refusal of permission counts.
bool userMayWrite(const QString& path) {
    return ::faccessat(AT_FDCWD, native(path).constData(), W_OK, AT_EACCESS) == 0 ||
           (errno != EACCES && errno != EPERM);
}

// The kinds of file this program writes: a hidden temporary of one of them
// is ours, whatever its name.
bool isOurKindOfFile(QStringView name) {
    static const char* const kinds[] = {".mrg", ".lvl", ".lev", ".ini", ".gif",
                                        ".dat", ".jar", ".jad", ".zip", ".txt"};
    for (const char* kind : kinds)
        if (name.endsWith(QLatin1String(kind), Qt::CaseInsensitive)) return true;
    return false;
}

// ".<name>.<random>.tmp": a temporary file openTemporary() makes for a file
// of our kinds.
bool isOurTemporary(const QString& entry) {
    if (!entry.startsWith('.') || !entry.endsWith(".tmp")) return false;
    const QStringView inner = QStringView(entry).mid(1, entry.size() - 5);
    const qsizetype dot = inner.lastIndexOf('.');
    if (dot <= 0) return false;
    const QStringView random = inner.mid(dot + 1), of = inner.left(dot);
    if (random.isEmpty() || random.size() > 7) return false;
    for (QChar c : random)
        if (!(c >= '0' && c <= '9') && !(c >= 'a' && c <= 'z')) return false;
    return isOurKindOfFile(of);
}

// Temporary files a killed run left in the target's folder, of any file of
// ours, go with the next successful write there. One that its writer still
// holds (another save under way) stays. Only names that look like ours are
// opened; a folder of that name is not removed (unlinkat refuses it).
void removeLeftovers(const QString& folder) {
    DIR* dir = ::opendir(native(folder).constData());
    if (!dir) return;
    while (const dirent* e = ::readdir(dir)) {
        if (e->d_name[0] != '.' || !isOurTemporary(QFile::decodeName(e->d_name))) continue;
        const int fd =
            ::openat(::dirfd(dir), e->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue; // a link, or gone meanwhile
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(::dirfd(dir), e->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

} // namespace

bool isReadOnlyFile(const QString& path) {
    const Target target = resolveTarget(path);
    if (target.error || target.special) return false;
    return QFileInfo::exists(target.path) && !userMayWrite(target.path);
}

Message writeFileChecked(const QString& path, const FileProducer& produce,
                         const WriteFileOptions& options) {
    const Target resolved = resolveTarget(path);
    if (resolved.error) return failure(path, resolved.error);
    if (resolved.special) return writeInto(path, produce);
    if (options.direct) return writeDirect(resolved.path, produce, options.sync);
    const QString& target = resolved.path;
    const QFileInfo targetInfo(target);
    struct stat st;
    const bool existed = ::stat(native(target).constData(), &st) == 0;
    // The user's own permission decides (root may write anyway, as editors do).
    if (existed && !userMayWrite(target))
        return pathMessage(path, Message::line(kLineFileReadOnly));
    if (options.keepOld)
        if (Message why = keepPrevious(target, path + ".old", options.sync); !why.empty())
            return why;

    QString tmp;
    const int fd = openTemporary(targetInfo.absolutePath(), targetInfo.fileName(), tmp);
    if (fd < 0) return folderRefused(path, target, errno);
    if (existed) { // the new file keeps the old one's owner (as root) and permissions
        if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) &&
            ::fchown(fd, st.st_uid, st.st_gid) != 0) {
            // not root: the new file is the user's own, as any new file would be
        }
        ::fchmod(fd, st.st_mode & 07777);
    }

    // The temporary stays open, and so locked, until it is renamed.
    int error = produceInto(fd, produce);
    if (!error && options.sync && ::fsync(fd) != 0) error = errno;
    if (!error && options.removeFirst && ::unlink(native(target).constData()) != 0 &&
        errno != ENOENT)
        error = errno;
    if (!error && ::rename(native(tmp).constData(), native(target).constData()) != 0) error = errno;
    if (error) ::unlink(native(tmp).constData());
    if (::close(fd) != 0 && !error) error = errno;
    if (error) return failure(path, error);
    if (options.sweep) removeLeftovers(targetInfo.absolutePath());
    if (options.sync) return syncPath(targetInfo.absolutePath(), O_RDONLY | O_DIRECTORY);
    return {};
}

Message writeFileChecked(const QString& path, std::string_view bytes,
                         const WriteFileOptions& options) {
    return writeFileChecked(
        path, [bytes](const FileSink& sink) { return sink(bytes.data(), bytes.size()); }, options);
}

Message syncFiles(const QString& folder, const QStringList& files) {
    // Many files: one sync of the file system they lie on writes them and
    // their folder in one pass, where a sync per file waits for each in turn.
    if (files.size() > kFilesSyncedOneByOne) {
        const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return pathMessage(folder, systemReason(errno));
        const bool ok = ::syncfs(fd) == 0;
        const int error = errno;
        ::close(fd);
        return ok ? Message() : pathMessage(folder, systemReason(error));
    }
    for (const QString& file : files)
        if (Message why = syncPath(QDir(folder).filePath(file), O_RDONLY); !why.empty()) return why;
    return syncPath(folder, O_RDONLY | O_DIRECTORY);
}

} // namespace korvo
