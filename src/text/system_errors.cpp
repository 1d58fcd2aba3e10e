#include "system_errors.h"

#include <QDir>

namespace korvo {

std::string pathMessage(const QString& path, const std::string& why) {
    return QDir::toNativeSeparators(path).toStdString() + ": " + why;
}

} // namespace korvo
