#include "ini_file.h"

#include "io/checked_write.h"
#include "text/cp1251.h"
#include "text/text_file_limits.h"

#include <QFile>
#include <vector>

namespace korvo {

namespace {

// One line of the file: text [begin, end), line break [end, next).
struct Line {
    qsizetype begin, end, next;
};

enum class Kind { Other, Section, Key };

struct Parsed {
    Kind kind = Kind::Other;
    QString name;
    qsizetype valueBegin = 0, valueEnd = 0; // the value's bytes, blanks trimmed
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// A UTF-8 byte-order mark some editors put at the start; kept, never parsed.
constexpr char kBom[] = "\xEF\xBB\xBF";

qsizetype bomLength(const QByteArray& b) {
    return b.startsWith(kBom) ? 3 : 0;
}

std::vector<Line> splitLines(const QByteArray& b) {
    std::vector<Line> lines;
    const qsizetype n = b.size();
    qsizetype start = bomLength(b);
    for (qsizetype i = 0; i < n; ++i) {
        if (b[i] != '\r' && b[i] != '\n') continue;
        const qsizetype end = i;
        if (b[i] == '\r' && i + 1 < n && b[i + 1] == '\n') ++i;
        lines.push_back({start, end, i + 1});
        start = i + 1;
    }
    if (start < n) lines.push_back({start, n, n});
    return lines;
}

QString decodeTrimmed(const QByteArray& b, qsizetype from, qsizetype to) {
    while (from < to && isBlank(b[from])) ++from;
    while (to > from && isBlank(b[to - 1])) --to;
    return fromCp1251(std::string_view(b.constData() + from, size_t(to - from)));
}

Parsed parseLine(const QByteArray& b, const Line& line) {
    Parsed p;
    qsizetype at = line.begin;
    while (at < line.end && isBlank(b[at])) ++at;
    if (at == line.end || b[at] == ';') return p;
    if (b[at] == '[') {
        const qsizetype close = b.indexOf(']', at + 1);
        if (close < 0 || close >= line.end) return p;
        p.kind = Kind::Section;
        p.name = decodeTrimmed(b, at + 1, close);
        return p;
    }
    const qsizetype eq = b.indexOf('=', at);
    if (eq < 0 || eq >= line.end) return p;
    p.name = decodeTrimmed(b, at, eq);
    if (p.name.isEmpty()) return p;
    p.kind = Kind::Key;
    p.valueBegin = eq + 1;
    while (p.valueBegin < line.end && isBlank(b[p.valueBegin])) ++p.valueBegin;
    p.valueEnd = line.end;
    while (p.valueEnd > p.valueBegin && isBlank(b[p.valueEnd - 1])) --p.valueEnd;
    return p;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isBlankLine(const QByteArray& b, const Line& line) {
    for (qsizetype i = line.begin; i < line.end; ++i)
        if (!isBlank(b[i])) return false;
    return true;
}

// The lines of a section: [header, end) in line indices; header -1 if absent.
struct SectionSpan {
    int header = -1, end = 0;
};

SectionSpan findSection(const QByteArray& b, const std::vector<Line>& lines,
                        const QString& section) {
    SectionSpan span;
    const int n = int(lines.size());
    for (int i = 0; i < n; ++i) {
        const Parsed p = parseLine(b, lines[size_t(i)]);
        if (p.kind != Kind::Section) continue;
        if (span.header >= 0) {
            span.end = i;
            return span;
        }
        if (sameName(p.name, section)) span.header = i;
    }
    span.end = n;
    return span;
}

// The key's line inside the section, with its parse; -1 when absent.
int findKey(const QByteArray& b, const std::vector<Line>& lines, const SectionSpan& span,
            const QString& key, Parsed* parsed = nullptr) {
    for (int i = span.header + 1; i < span.end; ++i) {
        Parsed p = parseLine(b, lines[size_t(i)]);
        if (p.kind == Kind::Key && sameName(p.name, key)) {
            if (parsed) *parsed = std::move(p);
            return i;
        }
    }
    return -1;
}

// The file's own line break (its first one), CR LF for a file without any.
QByteArray lineBreakOf(const QByteArray& b, const std::vector<Line>& lines) {
    for (const Line& l : lines)
        if (l.next > l.end) return b.mid(l.end, l.next - l.end);
    return "\r\n";
}

// Text the file can hold on one line, in its code page.
bool storable(const QString& s) {
    if (s.contains('\r') || s.contains('\n') || s.contains(QChar(0))) return false;
    const std::string bytes = toCp1251(s);
    return fromCp1251(bytes) == s;
}

bool trimmedAlready(const QString& s) {
    return !s.isEmpty() && !isBlank(s.front().toLatin1()) && !isBlank(s.back().toLatin1());
}

bool validSection(const QString& s) {
    return trimmedAlready(s) && storable(s) && !s.contains(']');
}

bool validKey(const QString& k) {
    return trimmedAlready(k) && storable(k) && !k.contains('=') && k.front() != '[' &&
           k.front() != ';';
}

QByteArray encode(const QString& s) {
    const std::string bytes = toCp1251(s);
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

} // namespace

std::optional<QString> IniText::value(const QString& section, const QString& key) const {
    const auto lines = splitLines(bytes_);
    const SectionSpan span = findSection(bytes_, lines, section);
    if (span.header < 0) return std::nullopt;
    Parsed p;
    if (findKey(bytes_, lines, span, key, &p) < 0) return std::nullopt;
    return fromCp1251(
        std::string_view(bytes_.constData() + p.valueBegin, size_t(p.valueEnd - p.valueBegin)));
}

bool IniText::hasKeys(const QString& section) const {
    const auto lines = splitLines(bytes_);
    const SectionSpan span = findSection(bytes_, lines, section);
    for (int i = span.header + 1; span.header >= 0 && i < span.end; ++i)
        if (parseLine(bytes_, lines[size_t(i)]).kind == Kind::Key) return true;
    return false;
}

bool IniText::setValue(const QString& section, const QString& key, const QString& value) {
    if (!validSection(section) || !validKey(key) || !storable(value)) return false;
    const auto lines = splitLines(bytes_);
    const QByteArray eol = lineBreakOf(bytes_, lines);
    const QByteArray entry = encode(key) + '=' + encode(value);
    const SectionSpan span = findSection(bytes_, lines, section);
    if (span.header < 0) {
        if (bytes_.size() > bomLength(bytes_) && !bytes_.endsWith('\n') && !bytes_.endsWith('\r'))
            bytes_ += eol;
        bytes_ += '[' + encode(section) + ']' + eol + entry + eol;
        return true;
    }
    Parsed p;
    if (findKey(bytes_, lines, span, key, &p) >= 0) {
        bytes_.replace(p.valueBegin, p.valueEnd - p.valueBegin, encode(value));
        return true;
    }
    int last = span.end - 1;
    while (last > span.header && isBlankLine(bytes_, lines[size_t(last)])) --last;
    // The new line takes the line break of the line before it, so it never
    // joins a following lone LF into a CR LF.
    const Line& after = lines[size_t(last)];
    if (after.next == after.end)
        bytes_.insert(after.end, eol + entry + eol);
    else
        bytes_.insert(after.next, entry + bytes_.mid(after.end, after.next - after.end));
    return true;
}

bool IniText::removeKey(const QString& section, const QString& key) {
    const auto lines = splitLines(bytes_);
    const SectionSpan span = findSection(bytes_, lines, section);
    if (span.header < 0) return false;
    const int at = findKey(bytes_, lines, span, key);
    if (at < 0) return false;
    const Line& l = lines[size_t(at)];
    bytes_.remove(l.begin, l.next - l.begin);
    return true;
}

std::optional<IniText> readIniFile(const QString& file, Message* error) {
    if (!QFile::exists(file)) return IniText();
    QByteArray bytes;
    if (const Message why = readTextFileWithinLimits(file, bytes); !why.empty()) {
        if (error) *error = why;
        return std::nullopt;
    }
    return IniText(std::move(bytes));
}

bool writeIniFile(const QString& file, const IniText& text, Message* error) {
    const QByteArray& bytes = text.bytes();
    const Message why =
        writeFileChecked(file, std::string_view(bytes.constData(), size_t(bytes.size())));
    if (!why.empty() && error) *error = why;
    return why.empty();
}

QString ReadString(const QString& section, const QString& key, const QString& file,
                   const QString& def) {
    const auto text = readIniFile(file);
    return text ? text->readString(section, key, def) : def;
}

bool WriteString(const QString& section, const QString& key, const QString& file,
                 const QString& value, Message* error) {
    return updateIniFile(
        file,
        [&](IniText& text) {
            if (text.setValue(section, key, value)) return true;
            if (error)
                *error = Message::plain(file + ": [" + section + "] " + key +
                                        ": value cannot be stored");
            return false;
        },
        error);
}

bool SectionExe(const QString& section, const QString& file) {
    const auto text = readIniFile(file);
    return text && text->hasKeys(section);
}

} // namespace korvo
