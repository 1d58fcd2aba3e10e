// trackpack: the command-line companion of the track editor. Reads, counts,
// re-saves and generates level packs exactly as the editor does.

#include "cli_common.h"
#include "import_commands.h"
#include "pack/cp1251.h"
#include "pack/mrg_format.h"
#include "pack/pack_file.h"
#include "pack/sample_pack.h"
#include "pack/templates.h"
#include "ride_commands.h"
#include "settings/lang_added.h"
#include "settings/lang_lines.h"
#include "settings/options.h"
#include "submit_command.h"

#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <string>

using namespace korvo;
using namespace korvo::cli;

std::string korvo::cli::usageText() {
    QString text = activeLang()[kLineCliUsage] + "\r\n" + activeLang()[kLineCliRideUsage];
    return text.replace("\r\n", "\n").toStdString() + "\n";
}

int korvo::cli::usageError(const std::string& why) {
    std::fprintf(stderr, "trackpack: %s\n%s", why.c_str(), usageText().c_str());
    return 2;
}

int korvo::cli::fail(const std::string& why) {
    std::fprintf(stderr, "trackpack: %s\n", why.c_str());
    return 1;
}

namespace {

std::string jsonString(const QString& s) {
    std::string out = "\"";
    for (unsigned char c : s.toUtf8().toStdString()) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += char(c);
            }
        }
    }
    return out + "\"";
}

std::string trackJson(const TrackTable& table, int j) {
    const TTrackInfo& t = table[j];
    const int anchor = int32_t(readBE32(t.Header.data() + t.HeaderLen - 4));
    const std::string trailing =
        t.PointsLen >= 0 ? std::to_string(t.Points[size_t(t.PointsLen)]) : "null";
    return "{\"number\":" + std::to_string(j) + ",\"group\":" + std::to_string(t.Group) +
           ",\"numInGroup\":" + std::to_string(t.NumInGroup) +
           ",\"name\":" + jsonString(fromCp1251(t.Name)) +
           ",\"headerLen\":" + std::to_string(t.HeaderLen) +
           ",\"pointsLen\":" + std::to_string(t.PointsLen) +
           ",\"nodeCount\":" + std::to_string(readBE16(t.Header.data() + 17)) +
           ",\"templ\":" + std::to_string(t.Templ) + ",\"startX\":" + std::to_string(t.StartX) +
           ",\"startY\":" + std::to_string(t.StartY) + ",\"anchorY\":" + std::to_string(anchor) +
           ",\"trailing\":" + trailing + "}";
}

int info(const QStringList& args) {
    const bool json = args.size() == 2 && args[0] == "--json";
    if (args.size() != 1 && !json) return usageError(activeText(kLineCliTakesPack, "info"));
    const QString path = args.back();
    TrackTable table;
    Rows rows;
    if (std::string why = loadPackFile(path, table, rows); !why.empty()) return fail(why);
    if (json) {
        std::string out = "{\"counts\":[" + std::to_string(table.GroupCount[1]) + "," +
                          std::to_string(table.GroupCount[2]) + "," +
                          std::to_string(table.GroupCount[3]) + "],\"tracks\":[";
        bool first = true;
        for (int data : rows) {
            if (data == kHeaderRow) continue;
            if (!first) out += ",";
            first = false;
            out += trackJson(table, data);
        }
        std::printf("%s]}\n", out.c_str());
        return 0;
    }
    int g = 0;
    for (int data : rows) {
        const QString caption =
            data == kHeaderRow ? QString(groupCaption(++g)) : fromCp1251(table.caption(data));
        std::printf("%s%s\n", data == kHeaderRow ? "" : "  ", caption.toUtf8().constData());
    }
    std::printf("%s\n", table.countText().c_str());
    return 0;
}

int count(const QStringList& args) {
    if (args.size() != 1) return usageError(activeText(kLineCliTakesPack, "count"));
    std::string bytes;
    if (std::string why = readWholeFile(args[0], bytes); !why.empty())
        return fail(args[0].toStdString() + ": " + why);
    PackDirectory dir;
    if (std::string why = parseDirectory(bytes, dir); !why.empty())
        return fail(args[0].toStdString() + ": " + why);
    int total = 0;
    std::string text;
    countTracks(bytes, total, text);
    std::printf("%s %d\n", text.c_str(), total);
    return 0;
}

int resave(const QStringList& args) {
    if (args.size() != 2) return usageError(activeText(kLineCliResaveArgs));
    TrackTable table;
    Rows rows;
    if (std::string why = loadPackFile(args[0], table, rows); !why.empty()) return fail(why);
    if (std::string why = savePackFile(args[1], table, rows); !why.empty()) return fail(why);
    return 0;
}

bool numberOption(const QStringList& args, int& i, int& value) {
    if (i + 1 >= args.size()) return false;
    bool ok = false;
    value = args[++i].toInt(&ok);
    return ok;
}

int sample(const QStringList& args) {
    if (args.isEmpty()) return usageError(activeText(kLineCliSampleArgs));
    SampleOptions opt;
    int seed = int(opt.seed);
    for (int i = 1; i < args.size(); ++i) {
        bool ok = false;
        if (args[i] == "--tracks")
            ok = numberOption(args, i, opt.tracks);
        else if (args[i] == "--segments")
            ok = numberOption(args, i, opt.segments);
        else if (args[i] == "--seed")
            ok = numberOption(args, i, seed);
        else
            return usageError(activeText(kLineCliUnknownOption, args[i]));
        if (!ok) return usageError(activeText(kLineCliNeedsNumber, args[i - 1]));
    }
    if (opt.tracks < 0 || opt.tracks > kMaxTracks)
        return usageError(activeText(kLineCliOutOfRange, "--tracks", 0, kMaxTracks));
    if (opt.segments < 1 || opt.segments > kMaxSegments)
        return usageError(activeText(kLineCliOutOfRange, "--segments", 1, kMaxSegments));
    opt.seed = uint32_t(seed);
    TrackTable table;
    const Rows rows = makeSamplePack(table, opt);
    if (std::string why = savePackFile(args[0], table, rows); !why.empty()) return fail(why);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // Messages come in the language the editor uses in this folder.
    setActiveLang(languageOfBase(QDir::currentPath()));
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) return usageError(activeText(kLineCliNoCommand));
    const QString cmd = args.takeFirst();
    if (cmd == "--help" || cmd == "-h" || cmd == "help") {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (cmd == "info") return info(args);
    if (cmd == "count") return count(args);
    if (cmd == "resave") return resave(args);
    if (cmd == "sample") return sample(args);
    if (cmd == "import") return importCommand(args);
    if (cmd == "export-lev") return exportLevCommand(args);
    if (cmd == "pictures") return picturesCommand(args);
    if (cmd == "submit") return submit(args);
    if (cmd == "check") return checkCommand(args);
    if (cmd == "ride") return rideCommand(args);
    return usageError(activeText(kLineCliUnknownCommand, cmd));
}
