// Settings work done on the GUI thread: start-up reading of "opt.ini", one
// recorded recent pack (read, edit, atomic write), loading a language file.
#include "settings/options.h"
#include "settings/recent_files.h"
#include "text/lang_lines.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace korvo;

namespace {

// A settings file as it looks after a while: defaults, nine recent packs.
QByteArray grownSettings() {
    QByteArray text = kDefaultOptionsText + "[LastFiles]\r\n";
    for (int n = 1; n <= 9; ++n)
        text += QByteArray::number(n) + "=C:\\Games\\Moto\\packs\\pack" + QByteArray::number(n) +
                "\\levels.mrg\r\n";
    return text + "[Author]\r\nName=rider\r\nEmail=rider@example.org\r\n";
}

void putFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

void BM_LoadOptions(benchmark::State& state) {
    QTemporaryDir dir;
    putFile(dir.filePath("opt.ini"), grownSettings());
    for (auto _ : state) {
        Options o;
        LoadOptions(dir.path(), o);
        benchmark::DoNotOptimize(o.autoSavePeriodMs);
    }
}
BENCHMARK(BM_LoadOptions);

void BM_RecordRecentPack(benchmark::State& state) {
    QTemporaryDir dir;
    putFile(dir.filePath("opt.ini"), grownSettings());
    RecentFiles recent(dir.filePath("opt.ini"));
    recent.load();
    int i = 0;
    for (auto _ : state) recent.write_ini(recent.LastFilesList()[++i % 9]); // full list rewritten
}
BENCHMARK(BM_RecordRecentPack);

void BM_LoadLanguage(benchmark::State& state) {
    const QString path = QString(BASE_DIR) + "/lang/english.lng";
    for (auto _ : state) {
        LangLines lang;
        benchmark::DoNotOptimize(lang.load(path));
    }
}
BENCHMARK(BM_LoadLanguage);

} // namespace
