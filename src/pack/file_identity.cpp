#include "file_identity.h"

#include <QFile>
#include <sys/stat.h>

namespace korvo {

FileIdentity fileIdentity(const QString& path) {
    FileIdentity id;
    struct stat st;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0) return id;
    id.exists = true;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    id.size = st.st_size;
    id.modifiedSeconds = st.st_mtim.tv_sec;
    id.modifiedNanoseconds = st.st_mtim.tv_nsec;
    return id;
}

} // namespace korvo
