// All level pictures of a 4095-track pack of game-sized tracks (40, 120 and
// 200 segments), drawn, encoded and written, in a RAM folder where there is
// one (the disk's own speed is not what this measures).
#include "pack/sample_pack.h"
#include "render/level_pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace korvo;

namespace {

void gameSizedPack(TrackTable& tracks, Rows& rows) {
    SampleOptions opt;
    opt.tracks = kMaxTracks;
    rows = makeSamplePack(tracks, opt);
    const int sizes[] = {40, 120, 200};
    for (int j = 1; j <= tracks.TrackCount; ++j)
        makeSampleTrack(tracks[j], sizes[j % 3], uint32_t(j));
}

void BM_AllPicturesOfAGameSizedPack(benchmark::State& state) {
    TrackTable tracks;
    Rows rows;
    gameSizedPack(tracks, rows);
    const QString ram = QStringLiteral("/dev/shm");
    QTemporaryDir dir(QFileInfo(ram).isWritable() ? ram + "/pictures-XXXXXX"
                                                  : QDir::tempPath() + "/pictures-XXXXXX");
    DecodedTrack st;
    for (auto _ : state) {
        const PictureRun run = makeAllPictures(tracks, rows, dir.path(), kDefaultRatioPic, st);
        if (!run.error.empty() || run.pictures != kMaxTracks) state.SkipWithError("run failed");
    }
}
BENCHMARK(BM_AllPicturesOfAGameSizedPack)->Unit(benchmark::kMillisecond);

} // namespace
