// The editor side of the main window: opening a track for editing and
// closing it. The track editor replaces these with the full commands; until
// then a track cannot be opened, and closing only returns to the list.
#include "main_window.h"

#include <QActionGroup>
#include <QScrollArea>

namespace korvo {

// EditTrackBtnClick: tool button "Редактировать трек", double click on a
// track row, pop-up item "Редактировать".
void TForm1::EditTrackBtnClick() {}

// ClosePropClick: leaves the open track without storing it.
void TForm1::ClosePropClick() {
    Flags.IsEditing = false;
    Flags.IsNewTrack = false;
    if (QAction* tool = nodeTools->checkedAction()) tool->setChecked(false);
    for (QAction* a : {AddPoint, DelPoint, motopic, movemap, preimg}) a->setEnabled(false);
    wmode();
    showCanvas(false);
    VisiblePanel(Panel2);
}

void TForm1::VisiblePanel(QWidget* panel) {
    if (panel == Panel1) {
        Panel2->hide();
        Panel1->show();
    } else if (panel == Panel2) {
        Panel1->hide();
        Panel2->show();
    }
}

void TForm1::showCanvas(bool on) {
    Panel7->setVisible(!on);
    Panel5->setVisible(on);
}

void TForm1::setMapImg(QWidget* canvas) {
    delete ScrollBox1->takeWidget();
    canvas->setObjectName("MapImg");
    ScrollBox1->setWidget(canvas);
    MapImg = canvas;
}

} // namespace korvo
