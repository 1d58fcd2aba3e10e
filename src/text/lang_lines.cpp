#include "lang_lines.h"

#include "lang_added.h"
#include "text/cp1251.h"
#include "text_file_limits.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

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

Message LangLines::load(const QString& path) {
    if (path.startsWith(':')) registerLangResource(); // the program's own copy
    QByteArray bytes;
    bool beyondLimits = false;
    if (const Message why = readTextFileWithinLimits(path, bytes, &beyondLimits); !why.empty()) {
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
        return Message::plain(path + ": " + QString::number(loaded_.size()) + " lines, " +
                              QString::number(kLangLineCount) + " expected");
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

namespace {

// The errors a file can meet, in the order of their language lines.
constexpr int kSystemErrors[] = {ENOENT, EACCES, EPERM,   ENOSPC, EDQUOT, EFBIG,
                                 EROFS,  EISDIR, ENOTDIR, EIO,    EMFILE, ENAMETOOLONG};

// s.arg() with all arguments at once, as one pass fills %1, %2, ...
QString fillIn(const QString& s, const QStringList& a) {
    switch (a.size()) {
    case 0:
        return s;
    case 1:
        return s.arg(a[0]);
    case 2:
        return s.arg(a[0], a[1]);
    case 3:
        return s.arg(a[0], a[1], a[2]);
    case 4:
        return s.arg(a[0], a[1], a[2], a[3]);
    case 5:
        return s.arg(a[0], a[1], a[2], a[3], a[4]);
    default:
        return s.arg(a[0], a[1], a[2], a[3], a[4], a[5]);
    }
}

} // namespace

QString LangLines::say(const Message& m) const {
    switch (m.kind()) {
    case Message::Kind::None:
        return {};
    case Message::Kind::Plain:
        return m.text();
    case Message::Kind::Path:
        return QDir::toNativeSeparators(m.text()) + ": " +
               say(*std::get<std::shared_ptr<const Message>>(m.args().front()));
    case Message::Kind::System:
        if (!cyrillic()) return QString::fromUtf8(std::strerror(m.number()));
        for (size_t i = 0; i < std::size(kSystemErrors); ++i)
            if (kSystemErrors[i] == m.number()) return (*this)[kLineSystemFirst + int(i)];
        return (*this)[kLineSystemOther].arg(m.number());
    case Message::Kind::Qt:
        return cyrillic() ? (*this)[kLineSystemOther].arg(m.number()) : m.text();
    case Message::Kind::Line:
        break;
    }
    QStringList args;
    for (const Message::Arg& a : m.args()) {
        if (const auto* text = std::get_if<QString>(&a))
            args << *text;
        else if (const auto* n = std::get_if<long long>(&a))
            args << QString::number(*n);
        else
            args << say(*std::get<std::shared_ptr<const Message>>(a));
    }
    return fillIn((*this)[m.number()], args);
}

Message fileError(const QFileDevice& file) {
    // Qt words a system error with qt_error_string(), in the language of
    // Qt's translation if one is installed: the error is found by that text.
    // Qt refuses to open a folder with words of its own, not the system's.
    if (file.error() == QFileDevice::OpenError && QFileInfo(file.fileName()).isDir())
        return Message::systemError(EISDIR);
    const QString said = file.errorString();
    for (int error : kSystemErrors)
        if (said == qt_error_string(error)) return Message::systemError(error);
    return Message::qtError(int(file.error()), said);
}

QString langFilePath(const QString& baseFolder, const QString& Lang) {
    const QDir dir(QDir(baseFolder).filePath("lang"));
    const QString name = QFileInfo(Lang).fileName();
    if (name.isEmpty() || dir.exists(name)) return dir.filePath(name);
    for (const QString& entry : dir.entryList(QDir::Files))
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(entry);
    return dir.filePath(name);
}

} // namespace korvo
