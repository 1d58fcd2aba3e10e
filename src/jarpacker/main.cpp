// jarpacker: puts a level pack into the game's Java archive.
//   jarpacker GAME.jar PACK OUT.jar   build OUT.jar (and OUT.jad when GAME.jad exists)
//   jarpacker                         the same in a small window
#include "jar_build.h"
#include "packer_window.h"

#include "settings/options.h"
#include "settings/ui/lang_apply.h"
#include "text/lang_lines.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

namespace {

const char* const kUsage =
    "usage: jarpacker GAME.jar PACK OUT.jar\n"
    "  Writes OUT.jar: GAME.jar with its entry \"levels.mrg\" replaced by PACK, every\n"
    "  other entry kept as it is. When GAME.jad lies beside the game, OUT.jad is\n"
    "  written beside OUT.jar with MIDlet-Jar-Size and MIDlet-Jar-URL updated.\n"
    "  Without arguments a window asks for the three files.\n"
    "Exit status: 0 written, 1 refused or failed (nothing written), 2 usage error.\n";

int commandLine(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    korvo::setActiveLang(korvo::languageOfBase(QDir::currentPath()));
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args.size() != 3) {
        std::fprintf(stderr, "jarpacker: three files are needed\n%s", kUsage);
        return 2;
    }
    const korvo::JarBuildResult r = korvo::buildGameJar(args[0], args[1], args[2]);
    if (r.status != 0) {
        std::fprintf(stderr, "jarpacker: %s\n", r.message.toUtf8().constData());
        if (r.status == 2) std::fputs(kUsage, stderr);
    }
    return r.status;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1) return commandLine(argc, argv);
    QApplication app(argc, argv);
    // The editor starts the packer in its base folder: the same language.
    korvo::setActiveLang(korvo::languageOfBase(QDir::currentPath()));
    korvo::useQtTranslation(korvo::activeLang().cyrillic());
    korvo::PackerWindow window;
    window.show();
    return app.exec();
}
