// jarpacker-window: the packer's window, which `jarpacker` started without
// arguments becomes (as the editor starts it, in its base folder).
#include "packer_window.h"

#include "settings/options.h"
#include "settings/ui/lang_apply.h"
#include "text/lang_lines.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Started in the editor's base folder: the editor's language; started
    // elsewhere (no "opt.ini"), the locale's.
    const korvo::LangLines lang = korvo::languageOfCommandLine(
        QDir::currentPath(), korvo::besideProgram(KORVO_SHIPPED_FROM_PROGRAM));
    korvo::useQtTranslation(lang.cyrillic());
    korvo::PackerWindow window(lang);
    window.show();
    return app.exec();
}
