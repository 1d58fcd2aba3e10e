#include "open_track.h"

#include "pack/mrg_format.h"
#include "pack/templates.h"

namespace korvo {

OpenTrack::OpenTrack(TrackTable& tracks, QObject* parent)
    : QObject(parent), session_(tracks, state_) {
    nodes_.setHistory(&history_);
    connect(&history_.stack(), &QUndoStack::indexChanged, this, [this] {
        if (!isOpen()) return;
        emit changed();
        settle();
    });
}

void OpenTrack::restart() {
    history_.restart();
    told_ = now();
}

OpenTrack::Told OpenTrack::now() const {
    Told t;
    t.modified = modified();
    t.tool = tool();
    t.selected = selectedNode();
    t.shape = session_.shapeRevision;
    t.lines = session_.record().Lines;
    t.field = session_.canvasSize;
    t.correctionOpen = session_.Gesture.CorrOpen;
    t.editing = session_.isEditing();
    t.drawing = session_.isNewTrack();
    t.storable = session_.SaveEnabled;
    return t;
}

PanelResult OpenTrack::open(int track, int viewHeight) {
    const PanelResult r = session_.openSelectedTrack(track, viewHeight);
    if (!r.ok()) return r;
    restart();
    emit opened();
    return r;
}

PanelResult OpenTrack::startNew(const QString& typed, int viewHeight) {
    const PanelResult r = session_.startNewTrack(typed, viewHeight);
    if (!r.ok()) return r;
    restart();
    emit opened();
    return r;
}

SaveOutcome OpenTrack::store(const QString& nameText) {
    SaveOutcome out = session_.storeTrack(nameText);
    if (!out.ok() || out.track == 0) return out;
    restart();
    emit modifiedChanged(false);
    emit closed();
    return out;
}

CloseOutcome OpenTrack::discard() {
    if (!isOpen()) return {};
    const CloseOutcome out = session_.closeWithoutStoring();
    restart();
    emit modifiedChanged(false);
    emit closed();
    return out;
}

TTrackInfo OpenTrack::shownRecord(bool* ok) const {
    TTrackInfo r;
    const bool stored = session_.recordToStore(session_.TrackName, r).ok();
    if (ok) *ok = stored;
    return stored ? r : session_.record();
}

void OpenTrack::settle() {
    const Told was = told_;
    told_ = now();
    const Told& is = told_;
    if (is.field != was.field) emit fieldChanged(is.field);
    if (is.tool != was.tool) emit toolChanged(is.tool);
    if (is.selected != was.selected) emit selectionChanged(is.selected);
    if (was.correctionOpen && !is.correctionOpen) emit correctionDropped();
    if (is.lines != was.lines) emit linesChanged(is.lines);
    if (is.shape != was.shape) emit shapeChanged();
    if (is.modified != was.modified) emit modifiedChanged(is.modified);
    if (is.modified != was.modified || is.tool != was.tool || is.editing != was.editing ||
        is.drawing != was.drawing || is.storable != was.storable)
        emit modeChanged();
}

} // namespace korvo
