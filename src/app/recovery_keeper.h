#pragma once
// Keeps the window's unsaved work in a recovery journal and offers a journal
// that a stopped session left. Every change of the pack or the open track
// starts a one-second timer; when it runs out the whole session is encoded
// (the pack's part only when the pack changed, each history step once) and
// written on a thread of its own through the checked write path, so a burst
// of drags is one write and a paint never waits for the disk. A save that
// leaves nothing unsaved, Close of the pack or a clean exit removes the
// journal; a crash, a kill or a power cut leaves it.

#include "app_context.h"
#include "recovery/recovery_folder.h"

#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>

namespace korvo {

class EditorController;
class ListController;
class PackCommands;
class JournalWriter;

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int kDelayMs = 1000; // from a change to its write

    RecoveryKeeper(AppContext& app, ListController& list, EditorController& editor,
                   PackCommands& pack);
    ~RecoveryKeeper() override;

    // The journal of this session ("" while there is none).
    QString journal() const;
    // Writes what is due now and waits for the disk (tests, and before the
    // recovered session is left to the user).
    void flush();
    // The session ended cleanly (the window closed): the journal goes.
    void endSession();
    // As if the program were killed now: the journal stays (tests).
    void abandon();
    // Journalling on (the default) or off (the benchmarks compare the two).
    void setKeeping(bool on);
    // Offers the newest journal left for the open pack, if there is one.
    void offerLeftJournal();
    // Puts a recovered session in place of the window's.
    void recover(const RecoveryData& data);

signals:
    void statusMessage(const QString& text);

private:
    void changed();
    void packChanged();
    void packReplaced();
    void write();
    bool unsavedWork() const;
    QByteArray trackPart();
    void dropJournal();
    void tellOtherPacks();

    AppContext& app_;
    ListController& list_;
    EditorController& editor_;
    PackCommands& pack_;
    QString folder_;
    QTimer timer_;
    std::unique_ptr<JournalWriter> writer_;
    std::unique_ptr<JournalOwner> owner_;
    QStringList offered_;    // left journals of the open pack kept until its next change
    bool restoring_ = false; // a recovery or an offer is under way
    bool failureShown_ = false;
    bool keeping_ = true;
    bool startTold_ = false; // work left for other packs was told at the start
    // What is encoded already: the pack's part until it changes, and the
    // pack's steps by their serial numbers.
    QByteArray packBytes_;
    std::vector<std::pair<quint64, QByteArray>> packSteps_;
};

} // namespace korvo
