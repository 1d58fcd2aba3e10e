#pragma once
// Paints the open track on the canvas: any exposed rectangle, straight from
// the editor state. Nothing is drawn incrementally, so nothing is left behind.

#include "canvas_style.h"
#include "editor_state.h"

#include <QImage>
#include <QRect>

class QPainter;

namespace korvo {

// What a gesture in progress adds to the picture (see NodeEditor::overlay).
struct CanvasOverlay {
    bool startDot = false;   // node 1 of a track being drawn
    bool rubberBand = false; // line RubberFrom -> RubberTo, track coordinates
    QPoint RubberFrom, RubberTo;
    bool cross = false; // add-node cross at crossAt, track coordinates
    QPoint crossAt;
    int highlightNode = 0; // node being dragged or corrected: gets its dot
    int selectedNode = 0;  // node the keys act on: framed, so it shows among the dots
    bool rider = false;    // rider sprite centred on riderCentre, track pixels
    QPoint riderCentre;
};

struct CanvasScene {
    CanvasScene(const EditorState& st, const CanvasStyle& sty) : state(st), style(sty) {}

    const EditorState& state;
    const CanvasStyle& style;
    int ColorMode = 1;
    bool IsEditing = false;
    bool IsNewTrack = false;
    int Templ = -1;    // of record CurTrack: marks are drawn when above 0
    int width = 0;     // canvas width; the zero line runs from 0 to it
    double zoom = 1.0; // canvas pixels per track pixel (the view's zoom)
    CanvasOverlay overlay;
    QImage motoV;      // bike marker (VMoto 1), white = transparent; a dot when null
    QImage riderImage; // rider sprite of the rider tool, white = transparent
};

// MapImgPaint for the canvas rectangle `exposed` (canvas pixels; the painter's
// coordinates are canvas pixels too): background, lines, node dots, zero line,
// marks, then the overlay.
void MapImgPaint(QPainter& painter, const QRect& exposed, const CanvasScene& scene);

// DrawSFM: start flag, finish flag when right of the start, player marker.
void DrawSFM(QPainter& painter, const QRect& exposed, const CanvasScene& scene);

// The canvas rectangle the bike marker covers: bottom centre on the player point.
QRect playerMarkerRect(const CanvasScene& scene);

// The canvas rectangle the flags and the player marker cover (they keep their
// size in pixels at every zoom); empty when the track shows no marks.
QRect marksRect(const CanvasScene& scene);

// The add-node cross at (cx, cy), canvas pixels covered (at zoom 1).
QRect crossRect(QPoint at, int yOffset);

} // namespace korvo
