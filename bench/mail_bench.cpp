// Packing and encoding a maximal pack for submission: the zip writer and the
// wire form of the mail. Goal: well under a second each for a pack of 4095
// tracks of 499 segments (about 4 MB), so the window answers at once.
#include "dist/mime_message.h"
#include "dist/zip_file.h"
#include "maximal_pack.h"

#include <benchmark/benchmark.h>

using namespace korvo;
using korvo::bench::maximalPack;

namespace {

void BM_ZipMaximalPack(benchmark::State& state) {
    const std::string& pack = maximalPack();
    for (auto _ : state) {
        TZipFile zip;
        zip.AddEntry("levels.mrg", 0);
        zip.SetEntryData(0, pack);
        std::string bytes = zip.archiveBytes();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(pack.size()));
}
BENCHMARK(BM_ZipMaximalPack)->Unit(benchmark::kMillisecond);

void BM_MailWithMaximalPack(benchmark::State& state) {
    MailMessage m;
    m.fromName = "KorvoTE Mailer";
    m.mailbox = "levels@example.org";
    m.recipients = {m.mailbox};
    m.subject = "KorvoTE/New Levels";
    m.date = QDateTime::currentDateTime();
    m.text = submissionBody("nick", "a@example.net", "level", "1365/1365/1365", "note");
    m.attachmentName = "levels.zip";
    m.attachment = QByteArray::fromStdString(maximalPack());
    for (auto _ : state) {
        QByteArray data = dataBlock(composeMessage(m, newBoundary()));
        benchmark::DoNotOptimize(data);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(m.attachment.size()));
}
BENCHMARK(BM_MailWithMaximalPack)->Unit(benchmark::kMillisecond);

} // namespace
