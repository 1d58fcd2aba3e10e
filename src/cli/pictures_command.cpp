#include "pictures_command.h"

#include "cli_common.h"
#include "io/checked_write.h"
#include "pack/pack_file.h"
#include "render/level_pictures.h"
#include "text/lang_added.h"

#include <QDir>
#include <cstdio>
#include <unistd.h>

namespace korvo::cli {

int picturesCommand(const Cli& cli, const QStringList& args) {
    if (args.size() != 2 && args.size() != 4)
        return cli.usageError(Message::line(kLineCliPicturesArgs));
    int q = kDefaultRatioPic;
    if (args.size() == 4) {
        bool ok = false;
        q = args[3].toInt(&ok);
        if (args[2] != "--ratio")
            return cli.usageError(Message::line(kLineCliUnknownOption, args[2]));
        if (!ok || q < 1) return cli.usageError(Message::line(kLineCliRatio));
    }
    TrackTable tracks;
    Rows rows;
    if (Message why = loadPackFile(args[0], tracks, rows); !why.empty()) return cli.fail(why);
    const QString folder = args[1];
    if (!QDir().mkpath(folder))
        return cli.fail(pathMessage(folder, Message::line(kLineCliFolderNotMade)));
    const bool terminal = isatty(STDERR_FILENO);
    DecodedTrack st;
    int shown = -1; // the percentage on the line, printed again only when it changes
    const auto progress = [&cli, terminal, &shown](int value) {
        const int percent = value * 100 / 130;
        if (!terminal || percent == shown) return;
        shown = percent;
        const QString padded = QString("%1").arg(percent, 3);
        std::fprintf(stderr, "\rtrackpack: %s",
                     cli.said(Message::line(kLineCliPictureProgress, padded)).c_str());
    };
    const PictureRun run = makeAllPictures(tracks, rows, folder, q, st, progress);
    if (terminal) std::fputc('\n', stderr);
    const std::string count = cli.said(Message::line(kLinePicturesWritten, run.pictures));
    if (!run.error.empty()) {
        std::fprintf(stderr, "trackpack: %s\n", count.c_str());
        return cli.fail(run.error);
    }
    std::printf("%s\n", count.c_str());
    return 0;
}

} // namespace korvo::cli
