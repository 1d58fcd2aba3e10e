// The track previews: the list preview in `previewimg` and the floating
// preview window of the open track (tool button "Предпросмотр трека").
#include "main_window.h"

#include "editor/ui/track_canvas.h"
#include "image_box.h"
#include "render/track_preview.h"
#include "render/ui/preview_window.h"

#include <QAction>

namespace korvo {

namespace {
PreviewColors colorsOf(const CanvasStyle& style, int colorMode) {
    return {style.background(colorMode), style.line(colorMode)};
}
} // namespace

void TForm1::connectPreview() {
    preimg->setCheckable(true);
    connect(preimg, &QAction::triggered, this, &TForm1::preimgClick);
    connect(preimg_f, &Tpreimg_f::closed, this, &TForm1::FormClose);
    // The floating preview draws the nodes as the editor holds them.
    preimg_f->drawTrack = [this](QImage& image) {
        korvo::drawpreimg(Tracks, Editor.CurTrack, Editor, image,
                          colorsOf(Style, Session.ColorMode), PreviewTarget::Floating);
    };
}

// drawpreimg: called when a track row is selected, at start-up and after Open
// for the first track, and when the track panel closes; track 0 leaves the
// preview empty. The preview decodes into the editor state, so it waits while
// a track is open (the list and this preview are hidden then).
void TForm1::drawpreimg(int track) {
    if (editorOpen_) return;
    if (track < 1 || track > Tracks.TrackCount) {
        previewimg->clear(Style.background(Session.ColorMode));
        return;
    }
    QImage image(previewimg->size(), QImage::Format_RGB32);
    korvo::drawpreimg(Tracks, track, Editor, image, colorsOf(Style, Session.ColorMode),
                      PreviewTarget::List);
    previewimg->setImage(image);
}

// preimgClick: the button went down (show the floating preview) or up (close it).
void TForm1::preimgClick() {
    if (preimg->isChecked())
        preimg_f->showPreview();
    else
        preimg_f->close();
}

// FormClose of the floating preview: the button goes up, the canvas repaints.
void TForm1::FormClose() {
    preimg->setChecked(false);
    MapImg->update();
}

void TForm1::refreshFloatingPreview() {
    if (preimg->isChecked() && preimg_f->isVisible()) preimg_f->redraw();
}

void TForm1::styleChanged() {
    MapImg->update();
    drawpreimg(CurItem.Track);
    refreshFloatingPreview();
}

} // namespace korvo
