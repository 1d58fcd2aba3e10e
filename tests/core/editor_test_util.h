#pragma once
// Builders for records with a given node list, shared by the editor tests.

#include "editor/editor_state.h"
#include "pack/templates.h"
#include "pack/track_geometry.h"

#include <QPoint>

#include <vector>

namespace korvo::test {

// Fills `r` as the pack reader would for a track whose nodes are `nodes`
// (node 1 at x 0) with the header of template t, or, for t = -1, a header no
// template matches. Templ, StartY and the node count bytes are set.
inline void setTrack(TTrackInfo& r, const std::vector<QPoint>& nodes, int t) {
    copyTemplateHeader(r, t >= 1 ? t : 1);
    if (t < 1) r.Header[4] = 0x77; // breaks the signature
    EditorState st;
    st.NodeCount = int(nodes.size());
    for (size_t i = 0; i < nodes.size(); ++i) st.setNode(int(i + 1), nodes[i].x(), nodes[i].y());
    st.encode(r);
    r.Points[size_t(r.PointsLen)] = 0;
    writeBE16(r.Header.data() + 17, uint16_t(nodes.size()));
    r.DataLen = r.HeaderLen + r.PointsLen + 1;
    r.Templ = int16_t(matchTemplate(r.Header.data()));
    r.StartX = 0;
    r.StartY = nodes.empty() ? 0 : nodes.front().y();
}

// Nodes every `step` pixels along y = `y`, from x 0 to `width`.
inline std::vector<QPoint> levelNodes(int width, int step, int y = 0) {
    std::vector<QPoint> n;
    for (int x = 0; x <= width; x += step) n.emplace_back(x, y);
    return n;
}

} // namespace korvo::test
