#pragma once
// Turning a 24-bit picture by an angle, the way the rider sprite is turned:
// whole 90, 180 and 270 degrees exactly, every other angle by nearest
// neighbour followed by a trim back to the picture's own size.

#include "pack/rounding.h"
#include <QImage>

namespace korvo {

// `picture` turned by `angle` degrees, clockwise on the screen for a positive
// angle, as a 24-bit image (Format_RGB888). Pure white counts as empty.
//  - Whole 90 or 270: the exact turn, width and height swapped.
//  - Whole 180: the exact turn, same size.
//  - Any other angle (also 0, negative whole angles and fractions): every
//    target pixel takes the nearest source pixel, the rest is white; the
//    result is then cut back to the source's size around its non-white
//    content and the target's centre.
QImage RotateBitmap_ads(const QImage& picture, double angle);

} // namespace korvo
