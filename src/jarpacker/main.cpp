// jarpacker: puts a level pack into the game's Java archive.
//   jarpacker GAME.jar PACK OUT.jar   build OUT.jar (and OUT.jad when GAME.jad exists)
//   jarpacker                         the same in a small window
// The command line needs Qt Core only; the window is a program of its own
// beside this one ("jarpacker-window"), which this one becomes when started
// without arguments, so a command never loads Qt Widgets.
#include "jar_build.h"

#include "io/checked_write.h"
#include "settings/options.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"
#include "text/version.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace {

constexpr const char* kWindowProgram = "jarpacker-window";

void printUsage(const korvo::LangLines& lang, FILE* to) {
    QString text = lang[korvo::kLineJarUsage];
    std::fprintf(to, "%s\n", text.replace("\r\n", "\n").toUtf8().constData());
}

// The folder's language when it has an "opt.ini", else the locale's.
korvo::LangLines language() {
    return korvo::languageOfCommandLine(QDir::currentPath(),
                                        korvo::besideProgram(KORVO_SHIPPED_FROM_PROGRAM));
}

int openWindow(char** argv) {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) self = argv[0];
    const std::string window = self.replace_filename(kWindowProgram).string();
    char* const args[] = {const_cast<char*>(window.c_str()), nullptr};
    ::execv(window.c_str(), args);
    const int why = errno;
    const korvo::LangLines lang = language();
    std::fprintf(stderr, "jarpacker: %s: %s\n",
                 lang.sayStd(korvo::Message::line(korvo::kLineJarWindowMissing, window)).c_str(),
                 lang.sayStd(korvo::systemError(why)).c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 1) return openWindow(argv);
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QFile::decodeName(argv[i]);
    if (args == QStringList{"--version"}) {
        std::printf("jarpacker %s\n", korvo::kVersion);
        return 0;
    }
    const korvo::LangLines lang = language();
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        printUsage(lang, stdout);
        return 0;
    }
    if (args.size() != 3) {
        std::fprintf(stderr, "jarpacker: %s\n",
                     lang.sayStd(korvo::Message::line(korvo::kLineJarThreeFiles)).c_str());
        printUsage(lang, stderr);
        return 2;
    }
    const korvo::JarBuildResult r = korvo::buildGameJar(args[0], args[1], args[2], lang);
    if (!r.note.isEmpty()) std::fprintf(stderr, "jarpacker: %s\n", r.note.toUtf8().constData());
    if (r.status != 0) {
        std::fprintf(stderr, "jarpacker: %s\n", r.message.toUtf8().constData());
        if (r.status == 2) printUsage(lang, stderr);
    }
    return r.status;
}
