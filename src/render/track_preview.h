#pragma once
// Small pictures of a whole track, scaled to fit: the list preview beside the
// track list, the floating preview of the open track, and the preview of a
// track of another pack in the copy dialog.

#include "pack/decoded_track.h"

#include <QColor>
#include <QImage>

namespace korvo {

// Background and line colour of the current ColorMode.
struct PreviewColors {
    QColor background = Qt::white;
    QColor line = Qt::red;
};

enum class PreviewTarget {
    List,     // decode record j, fit into the image, never enlarge
    Floating, // the open track's nodes as they are; the image takes the track's aspect ratio
};

// PreviewScale of the list and dialog previews: a track W wide and H high in
// a w x h image. Never below 1: small tracks are drawn at full size.
double PreviewScale(int W, int H, int w, int h);

// The floating preview's image height for a track W x H shown w wide:
// the nearest integer to w * H / W, kept within 1..kMaxFloatingHeight.
constexpr int kMaxFloatingHeight = 2048;
int floatingPreviewHeight(int W, int H, int w);

// drawPreview: track j of `tracks` into `image` (a list preview decodes it into
// `state` and sets its marks; a floating preview draws the nodes in `state`
// and may change the image's height). A record without a template is drawn
// as template 1; the record itself is never changed. Sets state.TrackYShift.
// Returns the scale used.
double drawPreview(const TrackTable& tracks, int j, DecodedTrack& state, QImage& image,
                   const PreviewColors& colors, PreviewTarget target);

// drawImportPreview: track d of `importTracks` on white (the transparent colour):
// green line, black zero line and poles, flags, red rider point.
double drawImportPreview(const TrackTable& importTracks, int d, DecodedTrack& state, QImage& image);

// fitPreviewWindow: the floating window's width-to-height ratio and height for its
// image size at opening; `captionHeight` is the height of a window caption.
struct PreviewWindowFit {
    double PreviewRatio = 1.0;
    int windowHeight = 0;
};
PreviewWindowFit fitPreviewWindow(int baseImgWidth, int baseImgHeight, int captionHeight);

// FormResize: the window width that keeps the ratio for a window height.
int previewWindowWidth(int windowHeight, double previewRatio);

} // namespace korvo
