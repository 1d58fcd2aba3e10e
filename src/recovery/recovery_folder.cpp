#include "recovery_folder.h"

#include "settings/pack_lock.h"
#include "text/lang_lines.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace korvo {

namespace {

QString keyOf(const QString& pack) {
    const QFileInfo info(pack);
    const QString real = info.canonicalFilePath();
    const QString path = real.isEmpty() ? info.absoluteFilePath() : real;
    return QString::fromLatin1(
        QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

QString lockOf(const QString& journal) {
    return journal + ".lock";
}

// Nobody holds the journal's lock: its session has ended.
bool unowned(const QString& journal) {
    const int fd = ::open(QFile::encodeName(lockOf(journal)).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return true;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd); // lets go of the lock taken to look
    return free;
}

} // namespace

QString recoveryFolder(const QString& baseFolder) {
    const QString state = userStateFolder();
    const QString folder = QDir(state).filePath("recovery");
    // A "recovery" there that this user may not write is as good as none.
    if (!state.isEmpty() && QDir().mkpath(folder) && QFileInfo(folder).isWritable()) return folder;
    return QDir(baseFolder).filePath(".korvote/recovery");
}

QStringList leftJournals(const QString& folder, const QString& pack) {
    const QString pattern = (pack.isEmpty() ? QString("*") : keyOf(pack)) + ".*.journal";
    const QFileInfoList found =
        QDir(folder).entryInfoList({pattern}, QDir::Files | QDir::Hidden, QDir::Time);
    QStringList left;
    for (const QFileInfo& info : found)
        if (unowned(info.filePath())) left << info.filePath();
    return left;
}

qint64 journalProcess(const QString& file) {
    // "<key>.<process>-<n>.journal"
    const QStringList parts = QFileInfo(file).fileName().split('.');
    return parts.size() == 3 ? parts[1].section('-', 0, 0).toLongLong() : 0;
}

void removeJournal(const QString& file) {
    QFile::remove(file);
    QFile::remove(lockOf(file));
}

void setAsideJournal(const QString& file) {
    QFile::remove(file + ".refused");
    QFile::rename(file, file + ".refused");
    QFile::remove(lockOf(file));
}

JournalOwner::JournalOwner(const QString& folder, const QString& pack) : pack_(pack) {
    // Two windows of one process each have a journal of their own.
    static std::atomic<int> sessions{0};
    QDir().mkpath(folder);
    file_ = QDir(folder).filePath(QString("%1.%2-%3.journal")
                                      .arg(keyOf(pack))
                                      .arg(QCoreApplication::applicationPid())
                                      .arg(++sessions));
    fd_ = ::open(QFile::encodeName(lockOf(file_)).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

JournalOwner::~JournalOwner() {
    if (fd_ >= 0) ::close(fd_);
}

void JournalOwner::remove() {
    QFile::remove(file_);
    QFile::remove(lockOf(file_));
}

QString describeJournals(const QString& folder, const LangLines& lang) {
    QString text;
    const QFileInfoList found = QDir(folder).entryInfoList({"*.journal", "*.journal.refused"},
                                                           QDir::Files | QDir::Hidden, QDir::Time);
    for (const QFileInfo& info : found) {
        QFile file(info.filePath());
        Message why;
        std::optional<RecoveryData> data;
        if (file.open(QIODevice::ReadOnly))
            data = decodeRecoveryFile(file.readAll(), &why);
        else
            why = Message::plain(file.errorString());
        const bool running = info.suffix() == "journal" && !unowned(info.filePath());
        if (data)
            text += QString("%1\t%2\t%3%4\n")
                        .arg(QDir::toNativeSeparators(data->packPath),
                             data->written.toLocalTime().toString("yyyy-MM-dd HH:mm:ss"),
                             info.filePath(), running ? "\t(in use)" : "");
        else
            text += QString("?\t%1\t%2\t%3\n")
                        .arg(info.lastModified().toString("yyyy-MM-dd HH:mm:ss"), info.filePath(),
                             lang.say(why));
    }
    return text;
}

} // namespace korvo
