#pragma once
// Where the recovery files live and whose they are. Each session writes its
// own file, "<pack's key>.<process>-<n>.journal", in the user's state folder
// ("recovery"), and holds an advisory lock on "<file>.lock" while it owns it:
// the system lets go of the lock when the process ends however it ends, so a
// journal whose lock is free was left by a session that stopped unsaved.

#include "recovery_file.h"

#include <QString>
#include <QStringList>

namespace korvo {

// The state folder's "recovery", or the base folder's ".korvote/recovery"
// when the user's state folder cannot be made.
QString recoveryFolder(const QString& baseFolder);

// The journals in `folder` that no running session owns, newest first; with
// `pack`, only those of that pack.
QStringList leftJournals(const QString& folder, const QString& pack = {});

// The process that wrote a journal, by its name (0 when it does not say).
qint64 journalProcess(const QString& file);

// Takes a left journal out of the way: it and its lock file are removed.
void removeJournal(const QString& file);
// Renames a journal that cannot be read to "<file>.refused", so it is not
// offered again (`korvote --recover` still lists it).
void setAsideJournal(const QString& file);

// The journal of this session for one pack, owned from construction on.
class JournalOwner {
public:
    JournalOwner(const QString& folder, const QString& pack);
    ~JournalOwner(); // lets go of the lock; the journal stays unless removed
    JournalOwner(const JournalOwner&) = delete;
    JournalOwner& operator=(const JournalOwner&) = delete;

    const QString& file() const { return file_; }
    const QString& pack() const { return pack_; }
    // Removes the journal and its lock file.
    void remove();

private:
    QString file_, pack_;
    int fd_ = -1;
};

// One line per journal for `korvote --recover`: the pack, when it was
// written, the file; a journal that cannot be read says why.
class LangLines;
QString describeJournals(const QString& folder, const LangLines& lang);

} // namespace korvo
