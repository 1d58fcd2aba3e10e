#include "track_history.h"

namespace korvo {

class TrackEditCommand : public QUndoCommand {
public:
    TrackEditCommand(TrackHistory& h, const QString& text, TrackStepData data, bool done = true)
        : QUndoCommand(text), h_(h), d_(std::move(data)), done_(done) {}

    void redo() override {
        if (std::exchange(done_, false)) return;
        apply(true);
    }
    void undo() override { apply(false); }
    const TrackStepData& data() const { return d_; }
    int id() const override {
        if (h_.restoring_) return -1;
        return d_.keyRun ? 2 : d_.step == TrackStep::CorrectNode ? 1 : -1;
    }
    bool mergeWith(const QUndoCommand* other) override {
        const TrackStepData& next = static_cast<const TrackEditCommand*>(other)->d_;
        if (d_.keyRun && !next.continuesRun) return false;
        // A run goes on from its own last step (the history checked that);
        // the window may have changed the look between two presses.
        if (!d_.keyRun && !(next.before == d_.after)) return false;
        if (!d_.nodes.absorb(next.nodes)) return false;
        d_.after = next.after;
        return true;
    }

private:
    void apply(bool forward) {
        h_.put(forward ? d_.after : d_.before, d_.nodes.applied(h_.nodes(), forward));
    }

    TrackHistory& h_;
    TrackStepData d_;
    bool done_;
};

TrackHistory::TrackHistory(TrackSession& session) : s_(session) {
    // Told once the stack stands at its new index, so the modified state
    // read in answer is already the new one.
    connect(&stack_, &QUndoStack::indexChanged, this, [this] {
        if (!quiet_) emit restored();
    });
}

void TrackHistory::restart() {
    open_ = false;
    keyRunIndex_ = -1;
    quiet_ = true;
    stack_.clear();
    stack_.setClean();
    quiet_ = false;
}

TrackLook TrackHistory::look() const {
    const EditorState& st = s_.state();
    TrackLook l;
    l.YOffset = st.YOffset;
    l.StartPt = st.StartPt;
    l.FinishPt = st.FinishPt;
    l.PlayerPt = st.PlayerPt;
    l.TrackYShift = st.TrackYShift;
    l.PlayerYOffset = st.PlayerYOffset;
    l.TrackName = s_.TrackName;
    l.LengthRow = s_.LengthRow;
    l.LengthPending = s_.LengthPending;
    l.LengthChanged = s_.LengthChanged;
    l.PlayerButtonsEnabled = s_.PlayerButtonsEnabled;
    l.SaveEnabled = s_.SaveEnabled;
    l.IsEditing = s_.isEditing();
    l.canvasSize = s_.canvasSize;
    if (st.CurTrack >= 1) {
        l.Templ = s_.record().Templ;
        l.Lines = s_.record().Lines;
    }
    l.NextNode = s_.Gesture.NextNode;
    l.RubberFrom = s_.Gesture.RubberFrom;
    return l;
}

std::vector<QPoint> TrackHistory::nodes() const {
    const EditorState& st = s_.state();
    std::vector<QPoint> n;
    n.reserve(size_t(st.NodeCount));
    for (int i = 1; i <= st.NodeCount; ++i) n.push_back(st.node(i));
    return n;
}

void TrackHistory::put(const TrackLook& l, const std::vector<QPoint>& nodes) {
    EditorState& st = s_.state();
    st.NodeCount = int(nodes.size());
    for (int i = 1; i <= st.NodeCount; ++i)
        st.setNode(i, nodes[size_t(i - 1)].x(), nodes[size_t(i - 1)].y());
    st.YOffset = l.YOffset;
    st.StartPt = l.StartPt;
    st.FinishPt = l.FinishPt;
    st.PlayerPt = l.PlayerPt;
    st.TrackYShift = l.TrackYShift;
    st.PlayerYOffset = l.PlayerYOffset;
    s_.TrackName = l.TrackName;
    s_.LengthRow = l.LengthRow;
    s_.LengthPending = l.LengthPending;
    s_.LengthChanged = l.LengthChanged;
    s_.PlayerButtonsEnabled = l.PlayerButtonsEnabled;
    s_.SaveEnabled = l.SaveEnabled;
    s_.setEditing(l.IsEditing);
    s_.canvasSize = l.canvasSize;
    if (st.CurTrack >= 1) {
        s_.record().Templ = l.Templ;
        s_.record().Lines = l.Lines;
    }
    s_.Gesture.NextNode = l.NextNode;
    s_.Gesture.RubberFrom = l.RubberFrom;
}

void TrackHistory::retranslate() {
    if (!names_) return;
    for (int i = 0; i < stack_.count(); ++i) {
        auto* c = static_cast<TrackEditCommand*>(const_cast<QUndoCommand*>(stack_.command(i)));
        c->setText(names_(c->data().step));
    }
}

void TrackHistory::begin(TrackStep step) {
    if (open_) return;
    open_ = true;
    step_ = step;
    lookBefore_ = look();
    nodesBefore_ = nodes();
}

bool TrackHistory::end(bool keyRun, bool continuesRun) {
    if (!open_) return false;
    open_ = false;
    TrackLook after = look();
    SpanChange<QPoint> change = SpanChange<QPoint>::between(nodesBefore_, nodes());
    if (change.empty() && after == lookBefore_) return false;
    // A run goes on only from the step it left on top of the history.
    continuesRun = continuesRun && keyRun && stack_.index() == keyRunIndex_;
    const QString text = names_ ? names_(step_) : QString();
    quiet_ = true;
    stack_.push(new TrackEditCommand(*this, text,
                                     {step_, std::move(change), std::move(lookBefore_),
                                      std::move(after), keyRun, continuesRun}));
    keyRunIndex_ = keyRun ? stack_.index() : -1;
    quiet_ = false;
    return true;
}

const TrackStepData& TrackHistory::step(int i) const {
    return static_cast<const TrackEditCommand*>(stack_.command(i))->data();
}

std::optional<TrackStepData> TrackHistory::pending() const {
    if (!open_) return std::nullopt;
    TrackStepData d{step_, SpanChange<QPoint>::between(nodesBefore_, nodes()), lookBefore_, look()};
    if (d.nodes.empty() && d.before == d.after) return std::nullopt;
    return d;
}

void TrackHistory::restore(const TrackLook& l, const std::vector<QPoint>& n,
                           std::vector<TrackStepData> steps, int index, int cleanIndex) {
    restart();
    put(l, n);
    quiet_ = restoring_ = true;
    // The steps up to `index` are done already; those after it are redone as
    // they are pushed and undone again, so each finds the track it left.
    for (size_t i = 0; i < steps.size(); ++i) {
        const QString text = names_ ? names_(steps[i].step) : QString();
        stack_.push(new TrackEditCommand(*this, text, std::move(steps[i]), int(i) < index));
    }
    if (cleanIndex >= 0 && cleanIndex <= stack_.count()) {
        stack_.setIndex(cleanIndex);
        stack_.setClean();
    } else {
        stack_.resetClean();
    }
    stack_.setIndex(index);
    restoring_ = quiet_ = false;
    emit restored();
}

} // namespace korvo
