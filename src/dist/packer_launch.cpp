#include "packer_launch.h"

#include "text/lang_added.h"
#include "text/message.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace korvo {

namespace {

QString executableIn(const QString& folder) {
    if (folder.isEmpty()) return {};
    const QFileInfo info(QDir(folder).filePath(kPackerName));
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
}

} // namespace

PackerLookup currentPackerLookup() {
    PackerLookup lookup;
    lookup.programFolder = QCoreApplication::applicationDirPath();
    const QString path = qEnvironmentVariable("PATH");
    lookup.pathFolders = path.split(QDir::listSeparator(), Qt::SkipEmptyParts);
    return lookup;
}

QString findPacker(const PackerLookup& lookup) {
    if (QString found = executableIn(lookup.programFolder); !found.isEmpty()) return found;
    for (const QString& folder : lookup.pathFolders)
        if (QString found = executableIn(folder); !found.isEmpty()) return found;
    return {};
}

Message buildGameArchive(const QString& baseFolder, const PackerLookup& lookup) {
    const QString program = findPacker(lookup);
    if (program.isEmpty()) {
        QStringList folders;
        for (const QString& f : lookup.pathFolders) folders << QDir::toNativeSeparators(f);
        return Message::line(kLinePackerNotFound, kPackerName,
                             QDir::toNativeSeparators(lookup.programFolder),
                             folders.join(QDir::listSeparator()));
    }
    if (QProcess::startDetached(program, {}, baseFolder)) return {};
    return Message::line(kLinePackerNotStarted, QDir::toNativeSeparators(program));
}

} // namespace korvo
