#include "base_folder.h"

#include "io/checked_write.h"
#include "io/whole_file.h"
#include "settings/options.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace korvo {

namespace {

// A shipped language file is the program's own: newer ones replace the copy.
bool refreshedWhenNewer(const QString& relativePath) {
    return relativePath.startsWith("lang/") && relativePath.count('/') == 1 &&
           relativePath.endsWith(".lng", Qt::CaseInsensitive);
}

// Copies through the checked write path; the copy takes the shipped file's
// time, so that only a newer shipped file counts as newer.
Message copyShipped(const QFileInfo& from, const QString& to) {
    std::string bytes;
    if (Message why = readWholeFile(from.filePath(), bytes); !why.empty())
        return pathMessage(from.filePath(), why);
    if (Message why = writeFileChecked(to, bytes); !why.empty()) return why;
    QFile copy(to);
    if (!copy.open(QIODevice::ReadWrite) ||
        !copy.setFileTime(from.lastModified(), QFileDevice::FileModificationTime))
        return pathMessage(to, fileError(copy));
    return {};
}

void fillFolder(const QDir& shipped, const QString& relative, const QString& folder,
                std::vector<Message>& problems) {
    const QString target = QDir(folder).filePath(relative);
    if (!QDir().mkpath(target)) {
        problems.push_back(pathMessage(target, Message::line(kLineFolderNotMade)));
        return;
    }
    const QDir from(shipped.filePath(relative));
    for (const QFileInfo& entry :
         from.entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString path =
            relative.isEmpty() ? entry.fileName() : relative + "/" + entry.fileName();
        if (entry.isDir()) {
            fillFolder(shipped, path, folder, problems);
            continue;
        }
        const QFileInfo copy(QDir(folder).filePath(path));
        if (copy.exists() &&
            !(refreshedWhenNewer(path) && entry.lastModified() > copy.lastModified()))
            continue;
        if (Message problem = copyShipped(entry, copy.filePath()); !problem.empty())
            problems.push_back(problem);
    }
}

} // namespace

QString shippedFilesFolder(const QString& installed, const QString& fallback) {
    return QFileInfo(QDir(installed).filePath("lang")).isDir() ? QDir(installed).absolutePath()
                                                               : QDir(fallback).absolutePath();
}

std::vector<Message> fillBaseFolder(const QString& shipped, const QString& folder) {
    std::vector<Message> problems;
    if (!QFileInfo(shipped).isDir()) {
        problems.push_back(pathMessage(shipped, Message::line(kLineNotInstalled)));
        if (!QDir().mkpath(folder))
            problems.push_back(pathMessage(folder, Message::line(kLineFolderNotMade)));
        return problems;
    }
    fillFolder(QDir(shipped), QString(), folder, problems);
    return problems;
}

BaseChoice chooseBaseFolder(const CommandLine& line, const QString& shipped,
                            const QString& userFolder) {
    BaseChoice choice;
    switch (line.base) {
    case CommandLine::Base::Current:
        choice.folder = QDir::currentPath();
        break;
    case CommandLine::Base::Given:
        choice.folder = QDir::cleanPath(QFileInfo(line.baseDir).absoluteFilePath());
        if (!QFileInfo(choice.folder).isDir())
            choice.error = "The base folder " + QDir::toNativeSeparators(choice.folder) +
                           " is not there; give a folder that exists.";
        break;
    case CommandLine::Base::User:
        if (userFolder.isEmpty()) {
            choice.error = "The per-user data folder is unknown (is HOME set?).";
            break;
        }
        choice.folder = QDir(userFolder).absolutePath();
        // Told in the language the window will speak: the one the folder's
        // "opt.ini" names, as shipped (the fill brings that file over).
        const LangLines speaking = languageOfBase(choice.folder, shipped);
        if (const std::vector<Message> problems = fillBaseFolder(shipped, choice.folder);
            !problems.empty()) {
            QStringList said;
            for (const Message& problem : problems) said << speaking.say(problem);
            choice.problems << speaking.say(Message::line(kLineUserFolderProblems, said.join('\n')))
                                   .replace("\r\n", "\n");
        }
        break;
    }
    return choice;
}

} // namespace korvo
