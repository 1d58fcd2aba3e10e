#include "pack_document.h"

#include <algorithm>

namespace korvo {

namespace {

// A record before and after a step.
struct RecordChange {
    int j = 0;
    TTrackInfo before, after;
};

} // namespace

// One step of the pack's history. The change was made already when the step
// is pushed, so its first redo does nothing.
class PackEditCommand : public QUndoCommand {
public:
    PackEditCommand(PackDocument& doc, const StepName& name, const QString& text,
                    SpanChange<RowItem> rows, std::vector<RecordChange> records, int subject)
        : QUndoCommand(text), name_(name), doc_(doc), rows_(std::move(rows)),
          records_(std::move(records)), subject_(subject) {}

    const StepName name_;

    void redo() override {
        if (std::exchange(done_, false)) return;
        apply(true);
    }
    void undo() override { apply(false); }

private:
    void apply(bool forward) {
        for (const RecordChange& r : records_) doc_.Tracks[r.j] = forward ? r.after : r.before;
        const std::vector<RowItem> old = doc_.rowItems();
        const std::vector<RowItem> items = rows_.applied(old, forward);
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
            if (subject_ > 0 && now[r].data == subject_) return int(r);
        return int(rows_.first);
    }

    PackDocument& doc_;
    SpanChange<RowItem> rows_;
    std::vector<RecordChange> records_;
    int subject_; // the record selected when the step was made (0: none)
    bool done_ = true;
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
        step->setText(textOf(step->name_));
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
    history_.push(new PackEditCommand(*this, name, textOf(name), std::move(rows),
                                      std::move(changed), subject));
    return true;
}

} // namespace korvo
