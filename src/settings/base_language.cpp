// Where a base folder keeps its settings and which language it speaks: kept
// apart from the options themselves, which hold colours, so that a program
// that only needs the language (jarpacker's command line) loads no Qt GUI.
#include "options.h"

#include "ini_file.h"
#include "lang_lines.h"

#include <QDir>
#include <QFileInfo>

namespace korvo {

QString optionsPath(const QString& baseFolder) {
    return QDir(baseFolder).filePath("opt.ini");
}

LangLines languageOfBase(const QString& baseFolder, const QString& langFolder) {
    QString file = Options().Lang;
    const QString path = optionsPath(baseFolder);
    if (QFileInfo::exists(path))
        // A missing key reads as "0", as readOptions() reads it.
        if (const std::optional<IniText> ini = readIniFile(path))
            file = ini->readString("Options", "Lang", "0");
    LangLines lang;
    lang.load(langFilePath(langFolder.isEmpty() ? baseFolder : langFolder, file));
    return lang;
}

} // namespace korvo
