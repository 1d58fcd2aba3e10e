// The status bar: mode and pack-state texts, the count text, panel access.
#include "main_window.h"

#include "editor/ui/track_properties_panel.h"
#include "pack/cp1251.h"

#include <QLabel>
#include <QPushButton>

namespace korvo {

// Panel 2 tells the mode and the tool, panel 3 whether anything is unsaved;
// a modified track can be stored ("Сохранить и Закрыть").
void TForm1::wmode() {
    const StatusTexts texts = Session.wmode(Lang);
    setStatusText(2, texts.mode);
    setStatusText(3, texts.state);
    Panel1->SaveTProp->setEnabled(Session.SaveEnabled);
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
