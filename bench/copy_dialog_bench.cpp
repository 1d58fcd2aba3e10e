// The copy dialog on a second pack of 4095 tracks (offscreen): reading the
// pack as "Добавить трек из ..." does, listing it, laying out and painting.
#include "bench_app.h"
#include "list/ui/copy_dialog.h"
#include "pack/pack_file.h"
#include "pack/sample_pack.h"
#include "pack/track_import.h"
#include "text/lang_lines.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace korvo;

namespace {

QString maximalPackFile() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = QDir(dir.path()).filePath("other.mrg");
        TrackTable table;
        SampleOptions opt;
        opt.tracks = kMaxTracks;
        opt.segments = kMaxSegments;
        const Rows rows = makeSamplePack(table, opt);
        return savePackFile(file, table, rows).empty() ? file : QString();
    }();
    return path;
}

void BM_CopyDialogListsMaximalPack(benchmark::State& state) {
    bench::ensureApp();
    const QString path = maximalPackFile();
    const LangLines lang;
    TrackTable importTracks;
    for (auto _ : state) {
        Rows rows;
        if (!loadImportPack(path, importTracks, rows).empty()) state.SkipWithError("not read");
        CopyTracksDialog dialog(importTracks, rows, lang, CopyTracksDialog::Source::Pack);
        dialog.show();
        QApplication::processEvents(); // layout and first paint
        state.PauseTiming();
        if (dialog.copyto->model()->rowCount() != kMaxTracks + kGroups)
            state.SkipWithError("the rows were not listed");
        dialog.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CopyDialogListsMaximalPack)->Unit(benchmark::kMillisecond);

} // namespace
