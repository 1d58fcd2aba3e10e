#include "pack_lock.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace korvo {

namespace {

// The locks this process holds, by lock file: two windows of one process on
// one pack share one (flock would set them against each other).
struct Held {
    int fd = -1;
    int users = 0;
};
QHash<QString, Held>& heldHere() {
    static QHash<QString, Held> held;
    return held;
}

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

QString canonical(const QString& path) {
    const QFileInfo info(path);
    const QString real = info.canonicalFilePath();
    return real.isEmpty() ? info.absoluteFilePath() : real;
}

std::optional<LockHolder> readHolder(int fd) {
    char buffer[1024];
    const ssize_t n = ::pread(fd, buffer, sizeof buffer - 1, 0);
    if (n <= 0) return LockHolder{};
    LockHolder h;
    for (const QByteArray& line : QByteArray(buffer, qsizetype(n)).split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq < 0) continue;
        const QByteArray key = line.left(eq), value = line.mid(eq + 1);
        if (key == "program") h.program = QString::fromUtf8(value);
        if (key == "pid") h.pid = value.toLongLong();
        if (key == "since")
            h.since = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODate);
    }
    return h;
}

} // namespace

QString userStateFolder() {
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) base = QDir::homePath() + "/.local/state";
    const QString folder = QDir(base).filePath("korvote");
    // A folder there that this user may not write is as good as none.
    return QDir().mkpath(folder) && QFileInfo(folder).isWritable() ? folder : QString();
}

QString asOpenedCopyPath(const QString& baseFolder, const QString& pack, qint64 pid) {
    QString folder = userStateFolder();
    if (folder.isEmpty()) folder = QDir(baseFolder).filePath(".korvote");
    const QString id =
        QString::fromLatin1(QCryptographicHash::hash(QFileInfo(pack).absoluteFilePath().toUtf8(),
                                                     QCryptographicHash::Sha1)
                                .toHex()
                                .left(8));
    return QDir(QDir(folder).filePath("opened"))
        .filePath(QFileInfo(pack).fileName() + "." + id + "." + QString::number(pid) + ".mrg");
}

PackLock::PackLock(QString folder) : folder_(std::move(folder)) {}

PackLock::~PackLock() {
    release();
}

QString PackLock::lockFileOf(const QString& pack) const {
    const QByteArray id =
        QCryptographicHash::hash(canonical(pack).toUtf8(), QCryptographicHash::Sha1).toHex();
    return QDir(folder_).filePath(QString::fromLatin1(id) + ".lock");
}

std::optional<LockHolder> PackLock::otherHolder(const QString& pack) const {
    if (folder_.isEmpty()) return std::nullopt;
    const QString file = lockFileOf(pack);
    if (heldHere().contains(file)) return std::nullopt; // this editor's own
    const int fd = ::open(native(file).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return std::nullopt;
    std::optional<LockHolder> other;
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK) other = readHolder(fd);
    ::close(fd);
    return other;
}

bool PackLock::take(const QString& pack, const QString& program) {
    release();
    if (folder_.isEmpty() || !QDir().mkpath(folder_)) return true; // nowhere to keep it
    const QString file = lockFileOf(pack);
    if (auto it = heldHere().find(file); it != heldHere().end()) {
        ++it->users;
        held_ = file;
        return true;
    }
    const int fd =
        ::open(native(file).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return true; // a lock that cannot be kept stops nothing
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    const QByteArray who =
        "program=" + program.toUtf8() +
        "\npid=" + QByteArray::number(QCoreApplication::applicationPid()) +
        "\nsince=" + QDateTime::currentDateTime().toString(Qt::ISODate).toLatin1() +
        "\npack=" + canonical(pack).toUtf8() + "\n";
    if (::ftruncate(fd, 0) == 0 && ::pwrite(fd, who.constData(), size_t(who.size()), 0) < 0) {
        // the holder's name is only for others to read; the lock holds without it
    }
    held_ = file;
    heldHere().insert(file, {fd, 1});
    return true;
}

// The lock file stays: removing it could let two editors each lock a file
// of their own under the one name.
void PackLock::release() {
    if (held_.isEmpty()) return;
    auto it = heldHere().find(held_);
    if (it != heldHere().end() && --it->users <= 0) {
        ::close(it->fd);
        heldHere().erase(it);
    }
    held_.clear();
}

} // namespace korvo
