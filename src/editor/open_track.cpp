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
    tool_ = tool();
    selected_ = selectedNode();
    modified_ = false;
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
    if (const bool m = modified(); m != modified_) {
        modified_ = m;
        emit modifiedChanged(m);
    }
    if (const Tool t = tool(); t != tool_) {
        tool_ = t;
        emit toolChanged(t);
    }
    if (const int n = selectedNode(); n != selected_) {
        selected_ = n;
        emit selectionChanged(n);
    }
}

} // namespace korvo
