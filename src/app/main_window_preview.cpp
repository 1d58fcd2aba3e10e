// The track preview in `previewimg`. The preview renderer draws the track
// here when it lands; until then the area shows the view background.
#include "main_window.h"

#include "image_box.h"

namespace korvo {

// drawpreimg: called when a track row is selected (the view colours, ColorMode 1,
// apply then), at start-up and after Open for the first track; track 0 leaves
// the preview empty.
void TForm1::drawpreimg(int /*track*/) {
    previewimg->clear(Qt::white);
}

} // namespace korvo
