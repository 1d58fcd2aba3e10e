#pragma once
// Runs trackpack as a user does and keeps what it said.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace korvo::test {

struct CliRun {
    int status = -1;
    QString out, err;
};

// Runs in `folder` (the base folder whose language it speaks), or here.
inline CliRun trackpack(const QStringList& args, const QString& folder = {}) {
    QProcess p;
    if (!folder.isEmpty()) p.setWorkingDirectory(folder);
    p.start(TRACKPACK_EXE, args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace korvo::test
