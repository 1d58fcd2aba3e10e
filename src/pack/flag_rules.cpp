#include "flag_rules.h"

namespace korvo {

namespace {
// Only the three group headers: no track that could be lost, unless a track
// being drawn or edited holds changes of its own.
bool nothingToLose(const AppFlags& f, int rowCount) {
    return rowCount <= 3 && !f.trackEditsUnsaved();
}
} // namespace

int questionLine(Proceed p) {
    switch (p) {
    case Proceed::AskTrack:
        return 56;
    case Proceed::AskPack:
        return 57;
    case Proceed::AskOpenOpen:
        return 71;
    case Proceed::AskOpenPack:
        return 72;
    case Proceed::Go:
        break;
    }
    return 0;
}

Proceed windowCloseRule(const AppFlags& f, int rowCount) {
    if (nothingToLose(f, rowCount)) return Proceed::Go;
    const bool open = f.IsEditing || f.IsNewTrack;
    if (open && f.TrackModified) return Proceed::AskTrack;
    if (!f.PackModified) return Proceed::Go;
    // The pack is changed: with no track open, and also with a track open
    // whose own edits are stored already.
    return Proceed::AskPack;
}

Proceed exitRule(const AppFlags& f, int rowCount) {
    if (nothingToLose(f, rowCount)) return Proceed::Go;
    if (f.IsEditing && f.TrackModified) return Proceed::AskTrack;
    if (!f.PackModified) return Proceed::Go;
    return Proceed::AskPack;
}

Proceed replacePackRule(const AppFlags& f, int rowCount) {
    if (nothingToLose(f, rowCount)) return Proceed::Go;
    if (f.IsEditing) return f.PackModified || f.TrackModified ? Proceed::AskOpenOpen : Proceed::Go;
    return f.PackModified || f.TrackModified ? Proceed::AskOpenPack : Proceed::Go;
}

} // namespace korvo
