#pragma once
// One editor per pack: a lock file per pack in the user's state folder
// ($XDG_STATE_HOME/korvote/locks, ~/.local/state/korvote/locks by default),
// held with an advisory lock for as long as the editor has the pack open.
// The system lets go of it when the process ends however it ends, so a lock
// of a program that no longer runs is never in the way; the file tells who
// holds it (program, process, since when).

#include <QDateTime>
#include <QString>

#include <optional>

namespace korvo {

// The user's state folder of the program; "" when it cannot be made.
QString userStateFolder();

// Where the session of process `pid` keeps `pack` as it opened it, before a
// save replaces it: "opened/NAME.ID.PROCESS.mrg" in the state folder (the
// base folder's ".korvote" when there is none).
QString asOpenedCopyPath(const QString& baseFolder, const QString& pack, qint64 pid);

struct LockHolder {
    QString program;
    qint64 pid = 0;
    QDateTime since;
};

class PackLock {
public:
    // `folder`: where the lock files go (the state folder's "locks").
    explicit PackLock(QString folder);
    ~PackLock();
    PackLock(const PackLock&) = delete;
    PackLock& operator=(const PackLock&) = delete;

    // Who else holds the lock of `pack` now, if another process does.
    std::optional<LockHolder> otherHolder(const QString& pack) const;
    // Holds the lock of `pack` for this editor from now on, letting go of the
    // one it held; false when another process holds it (then none is held).
    bool take(const QString& pack, const QString& program);
    void release();
    // The pack whose lock is held ("" for none).
    const QString& held() const { return held_; }

private:
    QString lockFileOf(const QString& pack) const;

    QString folder_;
    QString held_; // the lock file of the pack held
};

} // namespace korvo
