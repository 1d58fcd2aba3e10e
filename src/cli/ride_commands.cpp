#include "ride_commands.h"

#include "cli_common.h"
#include "io/checked_write.h"
#include "pack/pack_file.h"
#include "ride/pack_check.h"
#include "ride/ride_records.h"
#include "ride/ride_solver.h"
#include "ride/test_rider.h"
#include "text/cp1251.h"
#include "text/lang_added.h"
#include "text/text_file_limits.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <mutex>
#include <thread>

namespace korvo::cli {

namespace {

void printJson(const QJsonObject& o) {
    std::printf("%s\n", QJsonDocument(o).toJson(QJsonDocument::Compact).constData());
}

QString fixed(double v, int digits) {
    return QString::number(v, 'f', digits);
}

// The whole number after option i (which it skips), or 0 when there is none.
int wholeNumberAfter(const QStringList& args, int& i) {
    bool ok = false;
    const int v = i + 1 < args.size() ? args[i + 1].toInt(&ok) : 0;
    if (ok) ++i;
    return ok ? v : 0;
}

} // namespace

namespace {

// Ctrl+C during `check --solve`: the check stops after the rides in hand.
std::atomic<bool>* interrupted = nullptr;

extern "C" void stopOnSignal(int) {
    if (interrupted) interrupted->store(true);
}

// The progress of a check on standard error, once a second and at the end.
void reportProgress(const Cli& cli, const CheckProgress& progress, const std::atomic<bool>& over) {
    int told = -1;
    while (!over) {
        for (int i = 0; i < 10 && !over; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (progress.done != told) {
            told = progress.done;
            std::fprintf(stderr, "%s\n",
                         cli.lang()
                             .say(Message::line(kLineCliCheckProgress, told, int(progress.total)))
                             .toUtf8()
                             .constData());
        }
    }
}

} // namespace

int checkCommand(const Cli& cli, const QStringList& args) {
    QStringList rest;
    bool json = false;
    std::optional<SolveOptions> solve;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") {
            json = true;
        } else if (args[i] == "--solve") {
            if (!solve) solve.emplace();
        } else if (args[i] == "--budget") {
            const int s = wholeNumberAfter(args, i);
            if (s <= 0) return cli.usageError(Message::line(kLineCliNeedsNumber, "--budget"));
            if (!solve) solve.emplace();
            solve->budgetSeconds = s;
        } else if (args[i].startsWith("--")) {
            return cli.usageError(Message::line(kLineCliUnknownOption, args[i]));
        } else {
            rest << args[i];
        }
    }
    if (rest.size() != 1) return cli.usageError(Message::line(kLineCliCheckArgs));
    const QString path = rest[0];
    TrackTable tracks;
    Rows rows;
    std::vector<Finding> found;
    CheckProgress progress;
    bool stopped = false;
    Message notKept;
    if (Message why = loadPackFile(path, tracks, rows); !why.empty())
        found.push_back(unreadablePack(cli.lang().say(why)));
    else {
        // Tracks without a finished ride beside the pack are hints: not validated.
        RideRecords records;
        const Message unread = records.load(ridesPathOf(path));
        if (!unread.empty()) found.push_back(unreadableRides(cli.lang().say(unread)));
        CheckOptions options;
        options.records = &records;
        options.progress = &progress;
        // The solver's finishes, kept beside the pack once the check is over.
        std::mutex finishesLock;
        std::vector<std::pair<const TTrackInfo*, SolveResult>> finishes;
        std::atomic<bool> over{false};
        std::optional<std::jthread> reporter;
        if (solve) {
            solve->stop = &progress.cancel;
            options.solve = &*solve;
            options.solved = [&](const CheckedTrack& c, const SolveResult& r) {
                const std::lock_guard lock(finishesLock);
                finishes.emplace_back(c.record, r);
            };
            interrupted = &progress.cancel;
            std::signal(SIGINT, stopOnSignal);
            reporter.emplace([&] { reportProgress(cli, progress, over); });
        }
        const auto more = checkPack(tracks, rows, rideParamsOfBase(QDir::currentPath()), options);
        over = true;
        reporter.reset();
        stopped = progress.cancel;
        found.insert(found.end(), more.begin(), more.end());
        // Read again and written once: a window may have kept a ride meanwhile.
        // A file that cannot be read is left as it is (the check said why).
        RideRecords now;
        bool kept = false;
        const RidesFileLock lock(ridesPathOf(path));
        if (!finishes.empty() && now.load(ridesPathOf(path)).empty()) {
            for (const auto& [record, r] : finishes)
                kept |= now.offer(trackKey(*record),
                                  BestRide{int(std::lround(r.ride.ms)), "solver", r.keys});
            if (kept) notKept = now.save(ridesPathOf(path));
        }
    }
    const auto faults =
        std::count_if(found.begin(), found.end(), [](const Finding& f) { return !f.hint(); });
    if (json) {
        QJsonArray list;
        for (const Finding& f : found)
            list.append(QJsonObject{{"track", f.track},
                                    {"name", fromCp1251(f.name)},
                                    {"kind", findingKindName(f.kind)},
                                    {"node", f.node},
                                    {"x", f.x},
                                    {"hint", f.hint()},
                                    {"text", findingText(f, cli.lang())}});
        printJson({{"findings", list}, {"faults", qint64(faults)}});
    } else {
        for (const Finding& f : found)
            std::printf("%s\n", findingLine(f, cli.lang()).toUtf8().constData());
        if (!found.empty() && faults == 0)
            std::printf("%s\n", cli.lang()[kLineCheckOnlyHints].toUtf8().constData());
    }
    if (!notKept.empty()) return cli.fail(notKept);
    if (stopped) {
        std::fprintf(
            stderr, "trackpack: %s\n",
            cli.lang()
                .say(Message::line(kLineCliCheckStopped, int(progress.done), int(progress.total)))
                .toUtf8()
                .constData());
        return 130;
    }
    return faults == 0 ? 0 : 1;
}

int rideCommand(const Cli& cli, const QStringList& args) {
    QStringList rest;
    QString keyFile, keysOut;
    bool json = false, solve = false;
    SolveOptions solveOptions;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") {
            json = true;
        } else if (args[i] == "--solve") {
            solve = true;
        } else if (args[i] == "--budget") {
            if (const int s = wholeNumberAfter(args, i); s > 0)
                solveOptions.budgetSeconds = s;
            else
                return cli.usageError(Message::line(kLineCliNeedsNumber, "--budget"));
        } else if (args[i] == "--keys-out") {
            if (i + 1 >= args.size())
                return cli.usageError(Message::line(kLineCliNeedsValue, "--keys-out"));
            keysOut = args[++i];
        } else if (args[i] == "--keys") {
            if (i + 1 >= args.size())
                return cli.usageError(Message::line(kLineCliNeedsValue, "--keys"));
            keyFile = args[++i];
        } else if (args[i].startsWith("--")) {
            return cli.usageError(Message::line(kLineCliUnknownOption, args[i]));
        } else {
            rest << args[i];
        }
    }
    if (rest.size() != 2 || (solve && !keyFile.isEmpty()) || (!solve && !keysOut.isEmpty()))
        return cli.usageError(Message::line(kLineCliRideArgs));
    bool ok = false;
    const int n = rest[1].toInt(&ok);
    if (!ok || n < 1) return cli.usageError(Message::line(kLineCliTrackNumber));
    std::optional<std::vector<KeyEvent>> keys;
    if (!keyFile.isEmpty()) {
        keys.emplace();
        if (Message why = readKeyFile(keyFile, *keys); !why.empty())
            return why.kind() == Message::Kind::Line && why.number() == kLineCliKeyFile
                       ? cli.inputError(why)
                       : cli.fail(why);
    }
    TrackTable tracks;
    Rows rows;
    if (Message why = loadPackFile(rest[0], tracks, rows); !why.empty()) return cli.fail(why);
    int seen = 0;
    for (int j : rows) {
        if (j == kHeaderRow || ++seen != n) continue;
        const RideTrack track = rideTrackOf(tracks[j]);
        const RideParams params = rideParamsOfBase(QDir::currentPath());
        RideResult r;
        QJsonObject more;
        if (solve) {
            // The best ride found; one that does not finish tells how far it got.
            const SolveResult found = solveTrack(track, params, solveOptions);
            r = found.ride;
            if (r.end != RideEnd::Finished) r.x = found.reach;
            more = {{"rides", found.rides}};
            if (!keysOut.isEmpty())
                if (Message why = writeFileChecked(keysOut, keyFileText(found.keys).toStdString());
                    !why.empty())
                    return cli.fail(why);
        } else {
            r = keys ? rideByKeys(track, params, *keys) : rideByTestRider(track, params);
        }
        if (json) {
            QJsonObject o{{"end", rideEndName(r.end)}, {"ms", r.ms},
                          {"steps", r.steps},          {"x", r.x},
                          {"placeX", r.place.x()},     {"placeY", r.place.y()}};
            for (auto it = more.begin(); it != more.end(); ++it) o.insert(it.key(), it.value());
            printJson(o);
        } else {
            std::printf("%s %s s x %s\n", rideEndName(r.end),
                        fixed(r.ms / 1000, 3).toUtf8().constData(),
                        fixed(r.x, 3).toUtf8().constData());
        }
        return r.end == RideEnd::Finished ? 0 : 1;
    }
    return cli.fail(pathMessage(rest[0], Message::line(kLineCliNoSuchTrack, n, seen)));
}

} // namespace korvo::cli
