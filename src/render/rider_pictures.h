#pragma once
// The two bike pictures of the editor, drawn by the program itself: a rider on
// a motorbike facing right, on pure white. Pure white, RGB (255, 255, 255),
// is the transparent colour of both.

#include <QImage>
#include <QPoint>
#include <QRect>

namespace korvo {

// The rider sprite held against the track by the rider tool: 52 x 52, 24-bit.
QImage motobmp1();

// The bike-shaped player marker: 42 x 42, 24-bit. It stands on the player
// point with the bottom centre of the picture.
QImage moto_v();

// `picture` as a 32-bit image with alpha in which every pixel that is exactly
// white is fully transparent and every other pixel is opaque and unchanged.
// Painting it is the same as copying `picture` with white left out.
QImage whiteAsTransparent(const QImage& picture);

// Where the player marker of size `size` is drawn so that its bottom centre
// stands on canvas point `foot`: from (x - w/2, y - h) to (x + w/2, y).
QRect bikeMarkerRect(QPoint foot, QSize size);

} // namespace korvo
