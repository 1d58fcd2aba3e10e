#include "text_file_limits.h"

#include "lang_added.h"
#include "system_errors.h"

#include <QDir>
#include <QFile>

namespace korvo {

namespace {

bool hasLongLine(const QByteArray& bytes) {
    qsizetype start = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n') continue;
        if (i - start > kMaxTextLineBytes) return true;
        start = i + 1;
    }
    return false;
}

} // namespace

Message readTextFileWithinLimits(const QString& path, QByteArray& bytes, bool* beyondLimits) {
    bytes.clear();
    if (beyondLimits) *beyondLimits = false;
    const QString shown = QDir::toNativeSeparators(path);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return pathMessage(path, fileError(f));
    // One byte past the limit tells a file that is too large, also where the
    // size is not known beforehand (a pipe).
    const bool tooLarge = f.size() > kMaxTextFileBytes ||
                          (bytes = f.read(kMaxTextFileBytes + 1)).size() > kMaxTextFileBytes;
    if (!tooLarge && f.error() != QFileDevice::NoError) {
        bytes.clear();
        return pathMessage(path, fileError(f));
    }
    if (beyondLimits) *beyondLimits = tooLarge || hasLongLine(bytes);
    if (tooLarge) {
        bytes.clear();
        return Message::line(kLineFileTooLarge, shown, kMaxTextFileBytes);
    }
    if (hasLongLine(bytes)) {
        bytes.clear();
        return Message::line(kLineLineTooLong, shown, kMaxTextLineBytes);
    }
    return {};
}

} // namespace korvo
