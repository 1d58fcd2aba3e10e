#include "flag_rules.h"

namespace korvo {

namespace {
// Only the three group headers: no track that could be lost, unless a track
// being drawn or edited holds changes of its own.
bool nothingToLose(const UnsavedWork& f, int rowCount) {
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

// Closing the window and Exit ask the same: a track's own edits first, then
// the pack's (with a track open whose edits are stored already, too).
Proceed windowCloseRule(const UnsavedWork& f, int rowCount) {
    if (nothingToLose(f, rowCount)) return Proceed::Go;
    if (f.trackEditsUnsaved()) return Proceed::AskTrack;
    return f.packModified ? Proceed::AskPack : Proceed::Go;
}

Proceed exitRule(const UnsavedWork& f, int rowCount) {
    return windowCloseRule(f, rowCount);
}

Proceed replacePackRule(const UnsavedWork& f, int rowCount) {
    if (nothingToLose(f, rowCount)) return Proceed::Go;
    const bool unsaved = f.packModified || f.trackEditsUnsaved();
    if (f.trackOpen) return unsaved ? Proceed::AskOpenOpen : Proceed::Go;
    return unsaved ? Proceed::AskOpenPack : Proceed::Go;
}

} // namespace korvo
