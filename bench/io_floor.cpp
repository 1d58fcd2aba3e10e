// The floor the trackpack commands that neither draw nor mail are measured
// against: a program with Qt Core only, doing the same input and output.
//   io_floor read FILE        reads the whole file, prints its size
//   io_floor durable IN OUT   reads IN, writes it to a temporary file beside
//                             OUT, syncs it, renames it over OUT, syncs the folder
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

static bool writeDurably(const QByteArray& bytes, const QString& out) {
    const QByteArray path = QFile::encodeName(out);
    const QByteArray temp = path + ".tmp";
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0) return false;
        done += n;
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) return false;
    if (::rename(temp.constData(), path.constData()) != 0) return false;
    const int dir = ::open(QFile::encodeName(QFileInfo(out).absolutePath()).constData(),
                           O_RDONLY | O_DIRECTORY);
    if (dir < 0) return false;
    const bool synced = ::fsync(dir) == 0;
    ::close(dir);
    return synced;
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) return 2;
    QFile in(args[1]);
    if (!in.open(QIODevice::ReadOnly)) return 1;
    const QByteArray bytes = in.readAll();
    if (args[0] == "read") {
        std::printf("%lld\n", static_cast<long long>(bytes.size()));
        return 0;
    }
    if (args[0] == "durable" && args.size() == 3) return writeDurably(bytes, args[2]) ? 0 : 1;
    return 2;
}
