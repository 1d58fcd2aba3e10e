// The status bar: mode and pack-state texts, the count text, panel access.
#include "main_window.h"

#include "pack/cp1251.h"

#include <QLabel>

namespace korvo {

// Panel 2 tells the mode, panel 3 whether the pack has unsaved changes.
// The editor adds its tool modes to the mode text when it lands.
void TForm1::wmode() {
    QString mode = Lang[47];
    if (Flags.IsEditing) mode += Lang[48];
    if (Flags.IsNewTrack) mode += Lang[49];
    if (!Flags.IsEditing && !Flags.IsNewTrack) mode = Lang[53];
    setStatusText(2, mode);
    setStatusText(3, Flags.PackModified || Flags.TrackModified ? Lang[54] : Lang[55]);
}

void TForm1::setPackModified() {
    Flags.PackModified = true;
    wmode();
}

void TForm1::updateCountText() {
    setStatusText(4, QString::fromStdString(Tracks.countText()));
}

void TForm1::UpdateCntNum() {
    ops_->UpdateCntNum();
}

void TForm1::setStatusText(int panel, const QString& text) {
    StatusPanels[panel]->setText(text);
}

QString TForm1::statusText(int panel) const {
    return StatusPanels[panel]->text();
}

} // namespace korvo
