#pragma once
// Colours and view options of the canvas and the previews, filled by the main
// window from the settings. ColorMode 1 = view, 2 = edit, 3 = new track.

#include <QColor>

#include <array>

namespace korvo {

struct CanvasStyle {
    std::array<QColor, 4> BG{QColor(), Qt::white, Qt::white, Qt::white}; // by ColorMode 1..3
    std::array<QColor, 4> Line{QColor(), Qt::red, Qt::red, Qt::red};
    QColor Node1 = Qt::red; // node dots, every mode
    int VMoto = 0;          // player marker: 0 dot, 1 bike picture
    bool pntnd = true;      // "Точки на узлах": dots on the nodes

    QColor background(int colorMode) const { return BG[size_t(clampMode(colorMode))]; }
    QColor line(int colorMode) const { return Line[size_t(clampMode(colorMode))]; }

private:
    static int clampMode(int m) { return m < 1 || m > 3 ? 1 : m; }
};

} // namespace korvo
