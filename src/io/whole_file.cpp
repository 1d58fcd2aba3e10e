#include "whole_file.h"

#include "checked_write.h"

#include <QFile>

namespace korvo {

Message readWholeFile(const QString& path, std::string& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return fileError(f);
    const qint64 size = f.size();
    bytes.resize(size_t(size));
    if (size > 0 && f.read(bytes.data(), size) != size) return fileError(f);
    return {};
}

} // namespace korvo
