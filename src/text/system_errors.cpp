#include "system_errors.h"

#include "lang_added.h"
#include "lang_lines.h"

#include <QDir>
#include <QFileDevice>

#include <cerrno>
#include <cstring>

namespace korvo {

std::string pathMessage(const QString& path, const std::string& why) {
    return QDir::toNativeSeparators(path).toStdString() + ": " + why;
}

namespace {

// The errors a file can meet, in the order of their language lines.
constexpr int kSystemErrors[] = {ENOENT, EACCES, EPERM,   ENOSPC, EDQUOT, EFBIG,
                                 EROFS,  EISDIR, ENOTDIR, EIO,    EMFILE, ENAMETOOLONG};

} // namespace

std::string systemErrorText(int error) {
    if (!activeLang().cyrillic()) return std::strerror(error);
    for (size_t i = 0; i < std::size(kSystemErrors); ++i)
        if (kSystemErrors[i] == error) return activeText(kLineSystemFirst + int(i));
    return activeText(kLineSystemOther, error);
}

std::string fileErrorText(const QFileDevice& file) {
    // Qt words a system error with qt_error_string(), in the language of
    // Qt's translation if one is installed: the error is found by that text.
    const QString said = file.errorString();
    for (int error : kSystemErrors)
        if (said == qt_error_string(error)) return systemErrorText(error);
    if (!activeLang().cyrillic()) return said.toStdString();
    return activeText(kLineSystemOther, int(file.error()));
}

} // namespace korvo
