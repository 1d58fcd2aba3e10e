// The rider sprite: one wheel step (turn the picture, place it), a pointer
// move with the sprite painted over a canvas-sized strip, and the bare turns.
#include "render/rider_sprite.h"
#include "render/rotate_bitmap.h"

#include <QPainter>

#include <benchmark/benchmark.h>

using namespace korvo;

namespace {

// One wheel notch: the sprite turned by a step more and drawn again.
void BM_RiderWheelStep(benchmark::State& state) {
    RiderSprite sprite;
    sprite.activate();
    sprite.drawmoto(300, 200);
    int angle = 0;
    for (auto _ : state) {
        angle = (angle + RiderSprite::kWheelStep) % 360;
        sprite.RotateBitmap_ads(angle);
        QRect dirty = sprite.drawmoto(300, 200);
        benchmark::DoNotOptimize(dirty);
    }
}
BENCHMARK(BM_RiderWheelStep)->Unit(benchmark::kMicrosecond);

void BM_RotateBitmap(benchmark::State& state) {
    const RiderSprite sprite;
    const double angle = double(state.range(0));
    for (auto _ : state) {
        QImage turned = RotateBitmap_ads(sprite.picture(), angle);
        benchmark::DoNotOptimize(turned);
    }
}
BENCHMARK(BM_RotateBitmap)->Arg(90)->Arg(10)->Arg(45)->Unit(benchmark::kMicrosecond);

// A pointer move: place the sprite and paint it over the repainted area.
void BM_RiderMoveAndPaint(benchmark::State& state) {
    QImage canvas(1000, 600, QImage::Format_RGB32);
    canvas.fill(qRgb(255, 255, 255));
    RiderSprite sprite;
    sprite.activate();
    sprite.RotateBitmap_ads(RiderSprite::kWheelStep);
    int x = 100;
    for (auto _ : state) {
        x = x >= 900 ? 100 : x + 3;
        const QRect dirty = sprite.drawmoto(x, 300);
        QPainter p(&canvas);
        p.fillRect(dirty, Qt::white);
        sprite.paint(p);
    }
}
BENCHMARK(BM_RiderMoveAndPaint)->Unit(benchmark::kMicrosecond);

} // namespace
