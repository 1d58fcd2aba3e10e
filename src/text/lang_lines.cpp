#include "lang_lines.h"

#include "lang_added.h"
#include "text/cp1251.h"
#include "text_file_limits.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

// The resource lives in a static library, so it is registered by hand.
static void registerLangResource() {
    Q_INIT_RESOURCE(lang);
}

static QByteArray resourceBytes(const char* name) {
    registerLangResource();
    QFile f(QString(":/lang/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

namespace korvo {

static bool containsCyrillic(const QStringList& lines) {
    for (const QString& line : lines)
        for (QChar c : line)
            if (c.script() == QChar::Script_Cyrillic) return true;
    return false;
}

LangLines::LangLines() = default;

const QStringList& LangLines::builtIn() {
    static const QStringList lines = parse(resourceBytes("russian.lng"));
    return lines;
}

QStringList LangLines::parse(const QByteArray& bytes) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    auto take = [&](qsizetype end) {
        QString line = fromCp1251(std::string_view(bytes.constData() + start, size_t(end - start)));
        line.replace("^p", "\r\n");
        lines.append(line);
    };
    for (qsizetype i = 0; i < n; ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        take(i);
        if (bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < n) take(n);
    return lines;
}

QString LangLines::load(const QString& path) {
    QByteArray bytes;
    bool beyondLimits = false;
    if (const QString why = readTextFileWithinLimits(path, bytes, &beyondLimits); !why.isEmpty()) {
        // A shipped language refused for its size speaks from the program's own copy.
        const QString shipped = ":/lang/" + QFileInfo(path).fileName().toLower();
        registerLangResource();
        bytes = !beyondLimits || path.startsWith(':') || !QFile::exists(shipped)
                    ? QByteArray()
                    : resourceBytes(shipped.mid(7).toUtf8().constData());
        loaded_ = parse(bytes);
        cyrillic_ = containsCyrillic(loaded_);
        return why;
    }
    loaded_ = parse(bytes);
    cyrillic_ = containsCyrillic(loaded_);
    if (loaded_.size() < kLangLineCount)
        return path + ": " + QString::number(loaded_.size()) + " lines, " +
               QString::number(kLangLineCount) + " expected";
    return {};
}

QString LangLines::operator[](int n) const {
    if (n >= 0 && n < loaded_.size()) return loaded_[n];
    // Lines added later come in the language of the file that lacks them.
    if (n >= kFirstAddedLine && n < kFirstAddedLine + addedLineCount() && !loaded_.isEmpty() &&
        !cyrillic_)
        return QString::fromUtf8(addedLines()[n - kFirstAddedLine].english);
    const QStringList& fallback = builtIn();
    return n >= 0 && n < fallback.size() ? fallback[n] : QString();
}

bool LangLines::cyrillic() const {
    // Line 70 is the menu item "Open *.mrg", present in every language file.
    for (QChar c : (*this)[70])
        if (c.script() == QChar::Script_Cyrillic) return true;
    return false;
}

QString LangLines::format(int n, const QString& arg) const {
    QString s = (*this)[n];
    const qsizetype at = s.indexOf("%s");
    return at < 0 ? s : s.replace(at, 2, arg);
}

QString LangLines::format(int n, int value) const {
    QString s = (*this)[n];
    const qsizetype at = s.indexOf("%d");
    return at < 0 ? s : s.replace(at, 2, QString::number(value));
}

QString langFilePath(const QString& baseFolder, const QString& Lang) {
    const QDir dir(QDir(baseFolder).filePath("lang"));
    const QString name = QFileInfo(Lang).fileName();
    if (name.isEmpty() || dir.exists(name)) return dir.filePath(name);
    for (const QString& entry : dir.entryList(QDir::Files))
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(entry);
    return dir.filePath(name);
}

namespace {
// Empty until a language is set or first asked for: a program that sets its
// own never loads the English default.
std::optional<LangLines>& activeStore() {
    static std::optional<LangLines> lang;
    return lang;
}
} // namespace

const LangLines& activeLang() {
    std::optional<LangLines>& lang = activeStore();
    if (!lang) {
        registerLangResource();
        lang.emplace().load(":/lang/english.lng");
    }
    return *lang;
}

void setActiveLang(const LangLines& lang) {
    activeStore() = lang;
}

} // namespace korvo
