// One frame of the ride view on a 499-segment track: a physics step and the
// paint of the view at the window's size (820 x 554), as the 60 frames per
// second of a ride ask for; the goal is under 2 ms a frame.
#include "bench_app.h"
#include "ride/ui/ride_view.h"
#include "text/lang_lines.h"

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cmath>

using namespace korvo;

namespace {

// 499 segments of 100 units rolling gently up and down, a preset's marks.
RideTrack longTrack() {
    RideTrack t;
    for (int i = 0; i <= 499; ++i)
        t.nodes.push_back({i * 100, int(std::lround(60 * std::sin(i * 0.3)))});
    t.hasMarks = true;
    t.start = t.nodes[1];
    t.player = {97, -112};
    t.finish = t.nodes[498];
    return t;
}

void BM_RideFrame(benchmark::State& state) {
    bench::ensureApp();
    static LangLines lang;
    RideView view(lang);
    view.resize(820, 554);
    view.start(longTrack(), RideParams{}, 1.0, "1/bench");
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &up);
    QImage image(view.size(), QImage::Format_RGB32);
    int frame = 0;
    for (auto _ : state) {
        // Throttle held; a new ride whenever one ends, so every frame moves.
        if (view.world()->end() != RideEnd::Running)
            view.start(longTrack(), RideParams{}, 1.0, "1/bench");
        view.advance(1);
        view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
        ++frame;
    }
    state.counters["frames"] = frame;
}
BENCHMARK(BM_RideFrame)->Unit(benchmark::kMicrosecond)->Repetitions(5);

} // namespace
