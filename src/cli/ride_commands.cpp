#include "ride_commands.h"

#include "cli_common.h"
#include "io/checked_write.h"
#include "pack/pack_file.h"
#include "ride/pack_check.h"
#include "ride/test_rider.h"
#include "text/cp1251.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace korvo::cli {

namespace {

void printJson(const QJsonObject& o) {
    std::printf("%s\n", QJsonDocument(o).toJson(QJsonDocument::Compact).constData());
}

QString fixed(double v, int digits) {
    return QString::number(v, 'f', digits);
}

} // namespace

int checkCommand(const QStringList& args) {
    const bool json = args.size() == 2 && args.contains("--json");
    if (args.size() != 1 && !json) return usageError(activeText(kLineCliCheckArgs));
    const QString path = args[0] == "--json" ? args[1] : args[0];
    TrackTable tracks;
    Rows rows;
    std::vector<Finding> found;
    if (std::string why = loadPackFile(path, tracks, rows); !why.empty())
        found.push_back(unreadablePack(QString::fromStdString(why)));
    else
        found = checkPack(tracks, rows, rideParamsOfBase(QDir::currentPath()));
    if (json) {
        QJsonArray list;
        for (const Finding& f : found)
            list.append(QJsonObject{{"track", f.track},
                                    {"name", fromCp1251(f.name)},
                                    {"kind", findingKindName(f.kind)},
                                    {"node", f.node},
                                    {"x", f.x},
                                    {"hint", f.hint()},
                                    {"text", findingText(f)}});
        printJson({{"findings", list}});
    } else {
        for (const Finding& f : found) std::printf("%s\n", findingLine(f).toUtf8().constData());
    }
    return found.empty() ? 0 : 1;
}

int rideCommand(const QStringList& args) {
    QStringList rest;
    QString keyFile;
    bool json = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") {
            json = true;
        } else if (args[i] == "--keys") {
            if (i + 1 >= args.size()) return usageError(activeText(kLineCliNeedsValue, "--keys"));
            keyFile = args[++i];
        } else if (args[i].startsWith("--")) {
            return usageError(activeText(kLineCliUnknownOption, args[i]));
        } else {
            rest << args[i];
        }
    }
    if (rest.size() != 2) return usageError(activeText(kLineCliRideArgs));
    bool ok = false;
    const int n = rest[1].toInt(&ok);
    if (!ok || n < 1) return usageError(activeText(kLineCliTrackNumber));
    std::optional<std::vector<KeyEvent>> keys;
    if (!keyFile.isEmpty()) {
        QFile file(keyFile);
        if (!file.open(QIODevice::ReadOnly))
            return fail(keyFile.toStdString() + ": " + file.errorString().toStdString());
        int bad = 0;
        keys = parseKeyFile(QString::fromUtf8(file.readAll()), &bad);
        if (!keys) return usageError(activeText(kLineCliKeyFile, keyFile, bad));
    }
    TrackTable tracks;
    Rows rows;
    if (std::string why = loadPackFile(rest[0], tracks, rows); !why.empty()) return fail(why);
    int seen = 0;
    for (int j : rows) {
        if (j == kHeaderRow || ++seen != n) continue;
        const RideTrack track = rideTrackOf(tracks[j]);
        const RideParams params = rideParamsOfBase(QDir::currentPath());
        const RideResult r =
            keys ? rideByKeys(track, params, *keys) : rideByTestRider(track, params);
        if (json)
            printJson({{"end", rideEndName(r.end)},
                       {"ms", r.ms},
                       {"steps", r.steps},
                       {"x", r.x},
                       {"placeX", r.place.x()},
                       {"placeY", r.place.y()}});
        else
            std::printf("%s %s s x %s\n", rideEndName(r.end),
                        fixed(r.ms / 1000, 3).toUtf8().constData(),
                        fixed(r.x, 3).toUtf8().constData());
        return r.end == RideEnd::Finished ? 0 : 1;
    }
    return fail(pathMessage(rest[0], activeText(kLineCliNoSuchTrack, n, seen)));
}

} // namespace korvo::cli
