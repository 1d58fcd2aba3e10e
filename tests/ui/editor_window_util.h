#pragma once
// The main window with the track editor: packs of tracks with known nodes,
// canvas points of nodes, pointer moves without a button, and the block a
// track is stored as, read back from the pack file.

#include "../core/editor_test_util.h"
#include "window_test_util.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>

#include <string>
#include <utility>
#include <vector>

namespace korvo::test {

struct PackTrack {
    std::string name;
    std::vector<QPoint> nodes; // node 1 at x 0
    int templ = 1;             // -1: a header no template matches
};
using TrackGroups = std::vector<std::vector<PackTrack>>;

// Writes a pack of the given tracks to `path`, in group order.
inline void writeTrackPack(const QString& path, const TrackGroups& groups) {
    TrackTable table;
    Rows rows;
    for (const auto& group : groups) {
        rows.push_back(kHeaderRow);
        for (const PackTrack& t : group) {
            const int j = table.createTrack(t.name);
            setTrack(table[j], t.nodes, t.templ);
            rows.push_back(j);
        }
    }
    ASSERT_EQ(savePackFile(path, table, rows), "");
}

// The bytes of the block of the `index`-th track (0-based, pack order) of the
// pack file at `path`; empty when there is no such track.
inline std::string storedBlock(const QString& path, int index) {
    std::string bytes;
    if (!readWholeFile(path, bytes).empty()) return {};
    PackDirectory dir;
    if (!parseDirectory(bytes, dir).empty() || index >= int(dir.entries.size())) return {};
    const size_t from = dir.entries[size_t(index)].offset;
    const size_t to =
        index + 1 < int(dir.entries.size()) ? dir.entries[size_t(index + 1)].offset : bytes.size();
    return bytes.substr(from, to - from);
}

// The name of the `index`-th track of the pack file, as stored.
inline std::string storedName(const QString& path, int index) {
    std::string bytes;
    PackDirectory dir;
    if (!readWholeFile(path, bytes).empty() || !parseDirectory(bytes, dir).empty()) return {};
    return index < int(dir.entries.size()) ? std::string(dir.entries[size_t(index)].name) : "";
}

// The block the editor stores for a track of preset t: the preset's header
// with the node count and the player height, the delta pairs, a trailing byte.
inline std::string editorBlock(int t, const std::vector<std::pair<int, int>>& pairs,
                               int32_t anchorY, uint8_t trailing) {
    const TTemplSF& row = templateRow(t);
    std::string b(reinterpret_cast<const char*>(row.Header.data()), size_t(row.HeaderLen));
    b[17] = char((pairs.size() + 1) >> 8);
    b[18] = char((pairs.size() + 1) & 0xff);
    for (int i = 0; i < 4; ++i)
        b[size_t(row.HeaderLen - 4 + i)] = char(uint32_t(anchorY) >> (24 - 8 * i));
    for (auto [dx, dy] : pairs) {
        b += char(uint8_t(dx));
        b += char(uint8_t(dy));
    }
    b += char(trailing);
    return b;
}

// The track properties panel of the window.
inline TrackPropertiesPanel* panel(MainWindow& w) {
    return ctl<TrackPropertiesPanel>(w, "Panel1");
}

// Pixel of the canvas widget where node k of the open track is shown (at
// the view's zoom).
inline QPoint canvasPoint(MainWindow& w, int k) {
    const QPoint track(w.editor().state().NodeX[size_t(k)],
                       w.editor().state().NodeY[size_t(k)] + w.editor().state().YOffset);
    return ctl<TrackCanvas>(w, "MapImg")->fromCanvas(track);
}

// A pointer move with no button held (QTest moves only with a button down).
inline void hover(QWidget* w, QPoint at, Qt::KeyboardModifiers mods = {}) {
    QMouseEvent e(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, mods);
    QApplication::sendEvent(w, &e);
}

// One wheel notch over `w` (away from the user for delta > 0); whether `w`
// took it (an event it leaves goes on to the scroll box, which scrolls).
inline bool wheelOver(QWidget* w, QPoint at, int delta) {
    QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
    return e.isAccepted();
}

// A left-button drag on the canvas through two moves.
inline void drag(QWidget* canvas, QPoint from, QPoint to) {
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    QTest::mouseMove(canvas, (from + to) / 2);
    QTest::mouseMove(canvas, to);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
}

// The hill most window tests open: up 20, down 50, up 30.
inline const std::vector<QPoint> kHill = {{0, 0}, {100, -20}, {200, 30}, {300, 0}};

// Easy: Hill, b; Medium: c; Hard: none.
inline void writeHillPack(const BaseFolder& base) {
    writeTrackPack(base.path("levels.mrg"), {{{"Hill", kHill, 1}, {"b", levelNodes(400, 100), 1}},
                                             {{"c", levelNodes(300, 100), 2}},
                                             {}});
}

// Draws a new track named `name` with left clicks at `clicks` and a right click.
inline void drawNewTrack(MainWindow& w, const QString& name, const std::vector<QPoint>& clicks) {
    w.findChild<QLineEdit*>("NameNewTrack")->setText(name);
    QTest::mouseClick(w.findChild<QPushButton*>("NewTrack"), Qt::LeftButton);
    auto* canvas = w.findChild<TrackCanvas*>("MapImg");
    for (QPoint p : clicks) QTest::mouseClick(canvas, Qt::LeftButton, {}, p);
    QTest::mouseClick(canvas, Qt::RightButton, {}, clicks.back() + QPoint(40, 0));
}

// Opens the track of `row` with a double click on it: press, release, the
// second press that makes it a double click, release.
inline void openRow(Started& s, int row) {
    s.click(row);
    QTest::mouseDClick(s.view()->viewport(), Qt::LeftButton, {}, s.pointOfRow(row));
    QTest::mouseRelease(s.view()->viewport(), Qt::LeftButton, {}, s.pointOfRow(row));
}

} // namespace korvo::test
