#include "recovery_keeper.h"

#include "editor_controller.h"
#include "io/checked_write.h"
#include "list_controller.h"
#include "pack/pack_file.h"
#include "pack_commands.h"
#include "prompts.h"
#include "recovery_window.h"
#include "text/lang_added.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace korvo {

// Writes journals on a thread of its own, the newest only: a write that is
// overtaken before it starts is skipped. Removals keep their order with the
// writes.
class JournalWriter {
public:
    JournalWriter() : thread_([this] { run(); }) {}
    ~JournalWriter() {
        {
            std::lock_guard lock(m_);
            stop_ = true;
        }
        cv_.notify_all();
        thread_.join();
    }
    // `bytes` makes the file's bytes: the parts are put together and summed
    // here, off the window's thread.
    void write(const QString& file, std::function<QByteArray()> bytes) {
        std::lock_guard lock(m_);
        // A newer write of the same file replaces one that has not started.
        std::erase_if(jobs_, [&](const Job& j) { return !j.remove && j.file == file; });
        jobs_.push_back({file, std::move(bytes), false});
        cv_.notify_all();
    }
    void remove(const QString& file) {
        std::lock_guard lock(m_);
        std::erase_if(jobs_, [&](const Job& j) { return j.file == file; });
        jobs_.push_back({file, {}, true});
        cv_.notify_all();
    }
    void wait() {
        std::unique_lock lock(m_);
        cv_.wait(lock, [this] { return jobs_.empty() && !busy_; });
    }
    // The reason of the last failed write, once.
    Message takeFailure() {
        std::lock_guard lock(m_);
        return std::exchange(failure_, {});
    }

private:
    struct Job {
        QString file;
        std::function<QByteArray()> bytes;
        bool remove = false;
    };
    void run() {
        std::unique_lock lock(m_);
        for (;;) {
            cv_.wait(lock, [this] { return stop_ || !jobs_.empty(); });
            if (jobs_.empty()) return;
            Job job = std::move(jobs_.front());
            jobs_.erase(jobs_.begin());
            busy_ = true;
            lock.unlock();
            Message why;
            if (job.remove) {
                removeJournal(job.file);
            } else {
                const QByteArray bytes = job.bytes();
                why = writeFileChecked(job.file,
                                       std::string_view(bytes.constData(), size_t(bytes.size())));
            }
            lock.lock();
            if (!why.empty()) failure_ = why;
            busy_ = false;
            cv_.notify_all();
        }
    }

    std::mutex m_;
    std::condition_variable cv_;
    std::vector<Job> jobs_;
    bool busy_ = false, stop_ = false;
    Message failure_;
    std::thread thread_;
};

RecoveryKeeper::RecoveryKeeper(AppContext& app, ListController& list, EditorController& editor,
                               PackCommands& pack)
    : QObject(&pack), app_(app), list_(list), editor_(editor), pack_(pack),
      folder_(recoveryFolder(app.BaseFolder)), writer_(std::make_unique<JournalWriter>()) {
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::write);
    PackDocument& doc = app_.doc;
    connect(&doc.history(), &QUndoStack::indexChanged, this, &RecoveryKeeper::packChanged);
    connect(&doc, &PackDocument::modifiedChanged, this, &RecoveryKeeper::changed);
    connect(&doc, &PackDocument::fileNameChanged, this, &RecoveryKeeper::packChanged);
    OpenTrack& track = editor_.track();
    for (auto signal : {&OpenTrack::opened, &OpenTrack::closed, &OpenTrack::changed,
                        &OpenTrack::shapeChanged, &OpenTrack::modeChanged})
        connect(&track, signal, this, &RecoveryKeeper::changed);
    connect(&track, &OpenTrack::toolChanged, this, &RecoveryKeeper::changed);
    connect(&pack_, &PackCommands::packReplaced, this, &RecoveryKeeper::packReplaced);
}

RecoveryKeeper::~RecoveryKeeper() = default;

QString RecoveryKeeper::journal() const {
    return owner_ ? owner_->file() : QString();
}

void RecoveryKeeper::changed() {
    if (!keeping_ || restoring_) return;
    // Nothing left unsaved (a save, an undo back to it): the journal goes at
    // once, so a stop right after a save offers nothing.
    if (owner_ && !unsavedWork()) {
        timer_.stop();
        dropJournal();
        return;
    }
    if (!timer_.isActive()) timer_.start();
}

void RecoveryKeeper::setKeeping(bool on) {
    keeping_ = on;
    if (!on) endSession();
}

void RecoveryKeeper::packChanged() {
    packBytes_.clear();
    changed();
}

// Another pack took the window's place: the user answered for the old one's
// unsaved work already, so its journal goes. A journal left for the new one
// is offered once the window is free.
void RecoveryKeeper::packReplaced() {
    if (restoring_) return;
    timer_.stop();
    dropJournal();
    packBytes_.clear();
    offered_.clear();
    QTimer::singleShot(0, this, &RecoveryKeeper::offerLeftJournal);
}

bool RecoveryKeeper::unsavedWork() const {
    const OpenTrack& t = editor_.track();
    return app_.doc.modified() || t.modified() ||
           (t.isOpen() && (t.isNew() || editor_.history().pending()));
}

void RecoveryKeeper::dropJournal() {
    if (!owner_) return;
    writer_->remove(owner_->file());
    owner_.reset();
}

void RecoveryKeeper::write() {
    timer_.stop();
    if (const Message why = writer_->takeFailure(); !why.empty() && !failureShown_) {
        failureShown_ = true;
        emit statusMessage(app_.text(kLineRecoveryNotWritten, app_.Lang.say(why)));
    }
    if (!unsavedWork()) {
        dropJournal();
        return;
    }
    PackDocument& doc = app_.doc;
    if (owner_ && owner_->pack() != doc.fileName()) dropJournal();
    if (!owner_) owner_ = std::make_unique<JournalOwner>(folder_, doc.fileName());
    if (packBytes_.isEmpty()) packBytes_ = encodeRecoveryPack(doc.Tracks, doc.Rows);
    // Each step is encoded once: it keeps its bytes while the history keeps it.
    std::vector<std::pair<quint64, QByteArray>> kept;
    std::vector<QByteArray> steps;
    for (int i = 0; i < doc.stepCount(); ++i) {
        const quint64 serial = doc.stepSerial(i);
        QByteArray step = i < int(packSteps_.size()) && packSteps_[size_t(i)].first == serial
                              ? packSteps_[size_t(i)].second
                              : encodePackStep(doc.step(i));
        steps.push_back(step);
        kept.emplace_back(serial, std::move(step));
    }
    packSteps_ = std::move(kept);
    const QUndoStack& h = doc.history();
    // The parts share their bytes with what is kept here: handing them over
    // copies nothing, and they are put together and summed on the writer's
    // thread.
    writer_->write(owner_->file(), [head = encodeRecoveryHead(doc.fileName(), pack_.knownIdentity(),
                                                              QDateTime::currentDateTimeUtc()),
                                    pack = packBytes_, steps, index = h.index(),
                                    clean = h.cleanIndex(), track = trackPart()] {
        return recoveryFileBytes(head, pack, steps, index, clean, track);
    });
    // A journal left for this pack and not recovered goes with the first
    // change after it was offered: until then a wrong click loses nothing.
    for (const QString& left : std::exchange(offered_, {})) writer_->remove(left);
}

QByteArray RecoveryKeeper::trackPart() {
    if (!editor_.isOpen()) return encodeNoTrack();
    // The track's steps are few and small, and the top one grows as a run
    // of key presses merges into it: they are encoded afresh each time.
    TrackHistory& h = editor_.history();
    KeptTrack t = editor_.keptTrack();
    t.index = h.stack().index();
    t.cleanIndex = h.stack().cleanIndex();
    std::vector<QByteArray> steps;
    for (int i = 0; i < h.stepCount(); ++i) steps.push_back(encodeTrackStep(h.step(i)));
    // A drag under way is kept as the step it would become now: undone after
    // a recovery, it takes the track back to before the drag. It drops the
    // steps after the index as the step itself will.
    if (const std::optional<TrackStepData> pending = h.pending()) {
        steps.resize(size_t(t.index));
        steps.push_back(encodeTrackStep(*pending));
        if (t.cleanIndex > t.index) t.cleanIndex = -1;
        t.index = int(steps.size());
    }
    return encodeKeptTrack(t, steps);
}

void RecoveryKeeper::flush() {
    if (timer_.isActive()) write();
    writer_->wait();
}

void RecoveryKeeper::endSession() {
    timer_.stop();
    dropJournal();
    writer_->wait();
}

void RecoveryKeeper::abandon() {
    timer_.stop();
    writer_->wait();
    owner_.reset(); // the lock goes as it would with the process
}

void RecoveryKeeper::offerLeftJournal() {
    if (restoring_ || QApplication::activeModalWidget()) return;
    const QStringList left = leftJournals(folder_, app_.doc.fileName());
    if (left.isEmpty()) {
        // At the start, work left for other packs is told: it is offered
        // when its pack is opened.
        if (!std::exchange(startTold_, true)) tellOtherPacks();
        return;
    }
    startTold_ = true;
    const QString file = left.front();
    QFile in(file);
    Message why;
    std::optional<RecoveryData> data;
    if (in.open(QIODevice::ReadOnly))
        data = decodeRecoveryFile(in.readAll(), &why);
    else
        why = Message::plain(in.errorString());
    if (!data) {
        setAsideJournal(file);
        app_.ask().warning(app_.window, app_.text(kLineRecoveryRefused, file, app_.Lang.say(why)));
        return;
    }
    restoring_ = true;
    RecoveryWindow window(app_, *data, file, app_.window);
    const auto choice = RecoveryWindow::Choice(app_.ask().recoveryChoice(window));
    restoring_ = false;
    if (choice == RecoveryWindow::OpenSaved) {
        offered_ << file;
        return;
    }
    recover(*data);
    if (choice == RecoveryWindow::SaveAs) pack_.savePackAs();
}

void RecoveryKeeper::tellOtherPacks() {
    QStringList packs;
    for (const QString& file : leftJournals(folder_)) {
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly)) continue;
        if (const std::optional<RecoveryData> d = decodeRecoveryFile(in.readAll(), nullptr))
            if (!packs.contains(d->packPath)) packs << QDir::toNativeSeparators(d->packPath);
    }
    if (!packs.isEmpty()) emit statusMessage(app_.text(kLineRecoveryOtherPacks, packs.join(", ")));
}

void RecoveryKeeper::recover(const RecoveryData& d) {
    restoring_ = true;
    editor_.leaveEditor();
    PackDocument& doc = app_.doc;
    doc.Tracks.ClearArrays();
    for (const TTrackInfo& r : d.records) doc.Tracks.appendCopy(r);
    doc.Tracks.GroupCount = d.groupCount;
    Rows rows;
    for (const RowItem& row : d.rows) rows.push_back(row.data);
    doc.Rows.reset(rows, doc.Tracks);
    // The clean state stands where the pack equals its file only while the
    // file is the one the session knew.
    const bool sameFile = fileIdentity(d.packPath) == d.identity;
    pack_.adoptRecovered(d.packPath, d.identity);
    doc.restoreHistory(d.steps, d.index, sameFile ? d.cleanIndex : -1);
    list_.packReplaced();
    emit pack_.packReplaced();
    if (d.track.open) editor_.reopenKept(d.track);
    restoring_ = false;
    packBytes_.clear();
    // The recovered session is kept at once under this session's journal,
    // and the journal it came from goes.
    offered_ = leftJournals(folder_, d.packPath);
    timer_.start();
    flush();
}

} // namespace korvo
