// What a program that shows no window needs of the settings: where "opt.ini"
// is and the language it names. Kept apart from the colours of the options,
// so such a program does not load the drawing libraries.
#include "ini_file.h"
#include "options.h"
#include "text/lang_lines.h"

#include <QDir>
#include <QFileInfo>

namespace korvo {

QString optionsPath(const QString& baseFolder) {
    return QDir(baseFolder).filePath("opt.ini");
}

LangLines languageOfBase(const QString& baseFolder, const QString& langFolder) {
    QString Lang = kDefaultLangFile;
    const QString path = optionsPath(baseFolder);
    if (QFileInfo::exists(path))
        if (const std::optional<IniText> ini = readIniFile(path))
            Lang = ini->readString("Options", "Lang", "0"); // as the options read it
    LangLines lang;
    // Without the file the built-in texts speak; why it could not be read
    // would go unread, and wording it costs a language of its own.
    const QString file = langFilePath(langFolder.isEmpty() ? baseFolder : langFolder, Lang);
    if (QFileInfo::exists(file)) lang.load(file);
    return lang;
}

QString localeLanguageFile() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty()) return value.startsWith("ru") ? "russian.lng" : kDefaultLangFile;
    }
    return kDefaultLangFile;
}

LangLines languageOfCommandLine(const QString& folder, const QString& shippedFolder) {
    if (QFileInfo::exists(optionsPath(folder))) return languageOfBase(folder);
    const QString name = localeLanguageFile();
    QString file = ":/lang/" + name;
    for (const QString& from : {folder, shippedFolder}) {
        if (from.isEmpty()) continue;
        if (const QString there = langFilePath(from, name); QFileInfo::exists(there)) {
            file = there;
            break;
        }
    }
    LangLines lang;
    lang.load(file);
    return lang;
}

QString besideProgram(const QString& relative) {
    const QFileInfo self(QFileInfo("/proc/self/exe").symLinkTarget());
    return QDir::cleanPath(self.absolutePath() + "/" + relative);
}

} // namespace korvo
