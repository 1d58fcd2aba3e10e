// trackpack: the command-line companion of the track editor. Reads, counts,
// re-saves and generates level packs exactly as the editor does.

#include "cli_common.h"
#include "import_commands.h"
#include "io/checked_write.h"
#include "pack/mrg_format.h"
#include "pack/pack_file.h"
#include "pack/sample_pack.h"
#include "pack/templates.h"
#include "ride_commands.h"
#include "settings/options.h"
#include "text/cp1251.h"
#include "text/lang_added.h"
#include "text/version.h"

#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

using namespace korvo;
using namespace korvo::cli;

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

int info(const Cli& cli, const QStringList& args) {
    const bool json = !args.isEmpty() && args[0] == "--json";
    if (args.size() != (json ? 2 : 1))
        return cli.usageError(Message::line(kLineCliTakesPack, "info"));
    const QString path = args.back();
    TrackTable table;
    Rows rows;
    if (Message why = loadPackFile(path, table, rows); !why.empty()) return cli.fail(why);
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

int count(const Cli& cli, const QStringList& args) {
    if (args.size() != 1) return cli.usageError(Message::line(kLineCliTakesPack, "count"));
    std::string bytes;
    if (Message why = readWholeFile(args[0], bytes); !why.empty())
        return cli.fail(pathMessage(args[0], why));
    PackDirectory dir;
    if (Message why = parseDirectory(bytes, dir); !why.empty())
        return cli.fail(pathMessage(args[0], why));
    int total = 0;
    std::string text;
    countTracks(bytes, total, text);
    std::printf("%s %d\n", text.c_str(), total);
    return 0;
}

int resave(const Cli& cli, const QStringList& args) {
    if (args.size() != 2) return cli.usageError(Message::line(kLineCliResaveArgs));
    TrackTable table;
    Rows rows;
    if (Message why = loadPackFile(args[0], table, rows); !why.empty()) return cli.fail(why);
    if (Message why = savePackFile(args[1], table, rows); !why.empty()) return cli.fail(why);
    return 0;
}

bool numberOption(const QStringList& args, int& i, int& value) {
    if (i + 1 >= args.size()) return false;
    bool ok = false;
    value = args[++i].toInt(&ok);
    return ok;
}

int sample(const Cli& cli, const QStringList& args) {
    if (args.isEmpty()) return cli.usageError(Message::line(kLineCliSampleArgs));
    SampleOptions opt;
    int seed = int(opt.seed);
    for (int i = 1; i < args.size(); ++i) {
        const int option = i;
        bool ok = false;
        if (args[i] == "--tracks")
            ok = numberOption(args, i, opt.tracks);
        else if (args[i] == "--segments")
            ok = numberOption(args, i, opt.segments);
        else if (args[i] == "--seed")
            ok = numberOption(args, i, seed);
        else
            return cli.usageError(Message::line(kLineCliUnknownOption, args[i]));
        // The option itself, also when its value is missing.
        if (!ok) return cli.usageError(Message::line(kLineCliNeedsNumber, args[option]));
    }
    if (opt.tracks < 0 || opt.tracks > kMaxTracks)
        return cli.usageError(Message::line(kLineCliOutOfRange, "--tracks", 0, kMaxTracks));
    if (opt.segments < 1 || opt.segments > kMaxSegments)
        return cli.usageError(Message::line(kLineCliOutOfRange, "--segments", 1, kMaxSegments));
    opt.seed = uint32_t(seed);
    TrackTable table;
    const Rows rows = makeSamplePack(table, opt);
    if (Message why = savePackFile(args[0], table, rows); !why.empty()) return cli.fail(why);
    return 0;
}

// Pictures and mail need the drawing and network libraries. Their commands
// run in helper programs, so every other command starts without loading
// them: trackpack hands the whole command line to the helper, which then is
// the process (same standard streams, same exit status). The helper lies
// beside trackpack in the build folder, and in the program's private folder
// when installed.
int runHelper(const char* helper, char** argv) {
    std::string self(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", self.data(), self.size() - 1);
    const std::string dir = n > 0 ? std::string(self.data(), size_t(n)) : std::string();
    const std::string folder = dir.substr(0, dir.rfind('/') + 1);
    const std::string candidates[] = {folder + helper,
                                      folder + KORVO_HELPERS_FROM_BIN "/" + helper};
    int error = ENOENT;
    for (const std::string& path : candidates) {
        argv[0] = const_cast<char*>(path.c_str());
        execv(path.c_str(), argv);
        if (errno != ENOENT) error = errno;
    }
    int justTheProgram = 1;
    QCoreApplication app(justTheProgram, argv);
    const Cli cli;
    return cli.fail(Message::line(kLineCliHelperNotStarted, helper, Message::systemError(error)));
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "pictures") == 0)
        return runHelper("trackpack-pictures", argv);
    if (argc > 1 && std::strcmp(argv[1], "submit") == 0) return runHelper("trackpack-mail", argv);
    QCoreApplication app(argc, argv);
    const Cli cli;
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) return cli.usageError(Message::line(kLineCliNoCommand));
    const QString cmd = args.takeFirst();
    if (cmd == "--help" || cmd == "-h" || cmd == "help") {
        std::fputs(cli.usageText().c_str(), stdout);
        return 0;
    }
    if (cmd == "--version") {
        std::printf("trackpack %s\n", kVersion);
        return 0;
    }
    if (cmd == "info") return info(cli, args);
    if (cmd == "count") return count(cli, args);
    if (cmd == "resave") return resave(cli, args);
    if (cmd == "sample") return sample(cli, args);
    if (cmd == "import") return importCommand(cli, args);
    if (cmd == "export-lev") return exportLevCommand(cli, args);
    if (cmd == "check") return checkCommand(cli, args);
    if (cmd == "ride") return rideCommand(cli, args);
    return cli.usageError(Message::line(kLineCliUnknownCommand, cmd));
}
