#include "import_commands.h"

#include "cli_common.h"
#include "io/checked_write.h"
#include "list/track_copy.h"
#include "pack/pack_file.h"
#include "pack/track_import.h"
#include "text/lang_added.h"

#include <QDir>
#include <cstdio>
#include <set>

namespace korvo::cli {

namespace {

struct ImportArgs {
    QString pack, out, from;
    QStringList lev;
    bool pick = false;
    std::set<int> picked; // track numbers of the source pack, 1..
};

// "N,N,..." into `picked`; false when an item is not a whole number above 0.
bool parsePicks(const QString& list, std::set<int>& picked) {
    for (const QString& item : list.split(',')) {
        bool ok = false;
        const int n = item.trimmed().toInt(&ok);
        if (!ok || n < 1) return false;
        picked.insert(n);
    }
    return true;
}

// Returns "" or the usage problem.
Message parseImportArgs(const QStringList& args, ImportArgs& a) {
    if (args.size() < 2) return Message::line(kLineCliImportArgs);
    a.pack = args[0];
    a.out = args[1];
    bool lev = false;
    for (int i = 2; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == "--from" || arg == "--pick") {
            if (i + 1 >= args.size()) return Message::line(kLineCliNeedsValue, arg);
            const QString value = args[++i];
            if (arg == "--from") {
                a.from = value;
            } else {
                a.pick = true;
                if (!parsePicks(value, a.picked)) return Message::line(kLineCliBadPick);
            }
        } else if (arg == "--lev") {
            lev = true;
        } else if (lev && !arg.startsWith("--")) {
            a.lev << arg;
        } else {
            return Message::line(kLineCliUnknownOption, arg);
        }
    }
    if (!a.from.isEmpty() && lev) return Message::line(kLineCliFromWithLev);
    if (a.from.isEmpty() && !lev) return Message::line(kLineCliImportSource);
    if (lev && a.lev.isEmpty()) return Message::line(kLineCliLevFiles);
    if (a.pick && a.from.isEmpty()) return Message::line(kLineCliPickWithoutFrom);
    return {};
}

// The source rows to copy: every track row, or those of the picked numbers,
// in source order. Returns "" or the reason a number is refused.
Message pickedRows(const ImportArgs& a, const Rows& sourceRows, std::vector<int>& picked) {
    int tracks = 0;
    for (size_t r = 0; r < sourceRows.size(); ++r) {
        if (sourceRows[r] == kHeaderRow) continue;
        ++tracks;
        if (!a.pick || a.picked.count(tracks)) picked.push_back(int(r));
    }
    if (a.pick && *a.picked.rbegin() > tracks)
        return pathMessage(a.from, Message::line(kLineCliNoSuchTrack, *a.picked.rbegin(), tracks));
    return {};
}

} // namespace

int importCommand(const Cli& cli, const QStringList& args) {
    ImportArgs a;
    if (Message why = parseImportArgs(args, a); !why.empty()) return cli.usageError(why);
    TrackTable tracks;
    Rows packRows;
    if (Message why = loadPackFile(a.pack, tracks, packRows); !why.empty()) return cli.fail(why);
    TrackTable source;
    Rows sourceRows;
    std::vector<int> picked;
    if (!a.from.isEmpty()) {
        if (Message why = loadImportPack(a.from, source, sourceRows); !why.empty())
            return cli.fail(why);
        if (Message why = pickedRows(a, sourceRows, picked); !why.empty()) return cli.fail(why);
    } else {
        const std::vector<Message> refused = loadLevFiles(a.lev, source, sourceRows);
        if (!refused.empty()) return cli.fail(refused.front());
        for (size_t r = 0; r < sourceRows.size(); ++r) picked.push_back(int(r));
    }
    LevelRows rows;
    rows.reset(packRows, tracks);
    const TrackCopy copy = copyTracks(tracks, rows, source, sourceRows, picked);
    // A pack with none of the tracks asked for would only be a copy of PACK.
    if (!copy.records.empty() || copy.leftOut == 0)
        if (Message why = savePackFile(a.out, tracks, rows.rows()); !why.empty())
            return cli.fail(why);
    if (copy.leftOut > 0)
        return cli.fail(Message::line(kLineCliTracksLeftOut, copy.leftOut, kMaxTracks));
    return 0;
}

int exportLevCommand(const Cli& cli, const QStringList& args) {
    if (args.size() != 3) return cli.usageError(Message::line(kLineCliExportArgs));
    bool ok = false;
    const int n = args[1].toInt(&ok);
    if (!ok || n < 1) return cli.usageError(Message::line(kLineCliTrackNumber));
    TrackTable tracks;
    Rows rows;
    if (Message why = loadPackFile(args[0], tracks, rows); !why.empty()) return cli.fail(why);
    int seen = 0;
    for (int data : rows) {
        if (data == kHeaderRow || ++seen != n) continue;
        if (Message why = exportLevFile(tracks[data], args[2]); !why.empty()) return cli.fail(why);
        return 0;
    }
    return cli.fail(pathMessage(args[0], Message::line(kLineCliNoSuchTrack, n, seen)));
}

} // namespace korvo::cli
