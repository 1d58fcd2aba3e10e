#include "jad_file.h"

#include <QList>
#include <utility>

namespace korvo {

namespace {

// The line break a new line takes: the file's first one, CR LF without any.
QByteArray lineBreak(const QByteArray& jad) {
    const qsizetype lf = jad.indexOf('\n');
    if (lf < 0) return "\r\n";
    return lf > 0 && jad[lf - 1] == '\r' ? "\r\n" : "\n";
}

} // namespace

QByteArray updatedJad(const QByteArray& jad, qint64 jarSize, const QString& jarUrl) {
    const QList<std::pair<QByteArray, QByteArray>> values = {
        {"MIDlet-Jar-Size", QByteArray::number(jarSize)}, {"MIDlet-Jar-URL", jarUrl.toUtf8()}};
    QByteArray out;
    bool found[2] = {false, false};
    // A byte order mark before the first line stays, and the line is still read.
    const QByteArray bom = "\xEF\xBB\xBF";
    const bool marked = jad.startsWith(bom);
    if (marked) out = bom;
    qsizetype at = marked ? bom.size() : 0;
    while (at < jad.size()) {
        qsizetype end = jad.indexOf('\n', at);
        end = end < 0 ? jad.size() : end + 1;
        QByteArray line = jad.mid(at, end - at);
        at = end;
        qsizetype text = line.size();
        while (text > 0 && (line[text - 1] == '\n' || line[text - 1] == '\r')) --text;
        bool repeated = false;
        for (int i = 0; i < 2; ++i) {
            const QByteArray key = values[i].first + ':';
            if (!line.startsWith(key)) continue;
            // A second line of the same key would leave a phone two answers.
            repeated = found[i];
            line = key + ' ' + values[i].second + line.mid(text);
            found[i] = true;
        }
        if (!repeated) out += line;
    }
    const QByteArray eol = lineBreak(jad);
    if (out.size() > (marked ? bom.size() : 0) && !out.endsWith('\n')) out += eol;
    for (int i = 0; i < 2; ++i)
        if (!found[i]) out += values[i].first + ": " + values[i].second + eol;
    return out;
}

qint64 jadJarSize(const QByteArray& jad) {
    for (const QByteArray& line : jad.split('\n')) {
        QByteArray text = line.trimmed();
        if (text.startsWith("\xEF\xBB\xBF")) text = text.mid(3);
        if (!text.startsWith("MIDlet-Jar-Size:")) continue;
        bool ok = false;
        const qint64 size = text.mid(16).trimmed().toLongLong(&ok);
        return ok ? size : -1;
    }
    return -1;
}

} // namespace korvo
