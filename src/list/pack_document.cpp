#include "pack_document.h"

#include <algorithm>

namespace korvo {

// One step of the pack's history. The change was made already when the step
// is pushed, so its first redo does nothing.
class PackEditCommand : public QUndoCommand {
public:
    PackEditCommand(PackDocument& doc, const QString& text, PackStep step, bool done = true)
        : QUndoCommand(text), step_(std::move(step)), doc_(doc), done_(done) {}

    const PackStep step_;
    // Told apart from every other step of the process, even one made later
    // at the same address.
    const quint64 serial_ = ++lastSerial;
    static inline quint64 lastSerial = 0;

    void redo() override {
        if (std::exchange(done_, false)) return;
        apply(true);
    }
    void undo() override { apply(false); }

private:
    void apply(bool forward) {
        for (const RecordChange& r : step_.records) doc_.Tracks[r.j] = forward ? r.after : r.before;
        const std::vector<RowItem> old = doc_.rowItems();
        const std::vector<RowItem> items = step_.rows.applied(old, forward);
        Rows data;
        std::vector<std::string> captions;
        data.reserve(items.size());
        captions.reserve(items.size());
        for (const RowItem& item : items) {
            data.push_back(item.data);
            captions.push_back(item.caption);
        }
        doc_.Rows.assign(data, captions);
        doc_.renumber();
        emit doc_.rowsRestored(cameBack(old, items));
    }

    // The row of the track that came back: one that was not in the rows
    // before (a deleted track restored, a copy made again), else the track
    // the step was made on (moved), else the first row that changed.
    int cameBack(const std::vector<RowItem>& old, const std::vector<RowItem>& now) const {
        auto has = [](const std::vector<RowItem>& items, int j) {
            return std::any_of(items.begin(), items.end(),
                               [j](const RowItem& i) { return i.data == j; });
        };
        for (size_t r = 0; r < now.size(); ++r)
            if (now[r].data != kHeaderRow && !has(old, now[r].data)) return int(r);
        for (size_t r = 0; r < now.size(); ++r)
            if (step_.subject > 0 && now[r].data == step_.subject) return int(r);
        return int(step_.rows.first);
    }

    PackDocument& doc_;
    bool done_;
};

PackDocument::PackDocument() {
    connect(&history_, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

void PackDocument::setFileName(const QString& path) {
    fileName_ = path;
    emit fileNameChanged(path);
}

void PackDocument::startFresh() {
    const bool wasModified = modified();
    history_.clear();
    history_.setClean();
    if (wasModified) emit modifiedChanged(false);
}

std::vector<RowItem> PackDocument::rowItems() const {
    std::vector<RowItem> items;
    items.reserve(size_t(Rows.size()));
    for (int r = 0; r < Rows.size(); ++r) items.push_back({Rows.data(r), Rows.caption(r)});
    return items;
}

QString PackDocument::textOf(const StepName& name) const {
    return name.line != 0 && names_ ? names_(name) : name.text;
}

void PackDocument::retranslate() {
    for (int i = 0; i < history_.count(); ++i) {
        auto* step = static_cast<PackEditCommand*>(const_cast<QUndoCommand*>(history_.command(i)));
        step->setText(textOf(step->step_.name));
    }
}

bool PackDocument::edit(const StepName& name, const std::function<void()>& change,
                        const std::vector<int>& records) {
    const std::vector<RowItem> before = rowItems();
    const int subject = selected_ ? selected_() : 0;
    std::vector<RecordChange> changed;
    // A record the change creates (a new track stored) starts out empty.
    for (int j : records)
        if (j >= 1 && j <= kMaxTracks)
            changed.push_back({j, j <= Tracks.TrackCount ? Tracks[j] : TTrackInfo{}, {}});
    change();
    renumber();
    SpanChange<RowItem> rows = SpanChange<RowItem>::between(before, rowItems());
    std::erase_if(changed, [this](RecordChange& r) {
        if (r.j > Tracks.TrackCount) return true;
        r.after = Tracks[r.j];
        return r.before == r.after;
    });
    if (rows.empty() && changed.empty()) return false;
    history_.push(new PackEditCommand(*this, textOf(name),
                                      {name, std::move(rows), std::move(changed), subject}));
    return true;
}

const PackStep& PackDocument::step(int i) const {
    return static_cast<const PackEditCommand*>(history_.command(i))->step_;
}

quint64 PackDocument::stepSerial(int i) const {
    return static_cast<const PackEditCommand*>(history_.command(i))->serial_;
}

void PackDocument::restoreHistory(std::vector<PackStep> steps, int index, int cleanIndex) {
    history_.clear();
    // The steps up to `index` are done already; those after it are redone
    // as they are pushed and then undone, so each finds the state it left.
    for (size_t i = 0; i < steps.size(); ++i) {
        const QString text = textOf(steps[i].name);
        history_.push(new PackEditCommand(*this, text, std::move(steps[i]), int(i) < index));
    }
    if (cleanIndex >= 0 && cleanIndex <= history_.count()) {
        history_.setIndex(cleanIndex);
        history_.setClean();
    } else {
        history_.resetClean();
    }
    history_.setIndex(index);
    emit modifiedChanged(modified());
}

} // namespace korvo
