#pragma once
// What an install puts where, shared by the install into a prefix and the
// Debian package, and how the tests read it: the files below a folder, the
// programs' help, the manual pages.

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

namespace korvo::test {

inline const QStringList kIconSizes = {"16", "22", "24", "32", "48", "64", "128", "256"};

// The files an install puts below its prefix, each after `under` ("" for a
// prefix, "usr/" in the package). The databases the desktop's tools make of
// them are left out.
inline QStringList installedFiles(const QString& under) {
    QStringList files = {BIN_DIR "/jarpacker",
                         BIN_DIR "/jarpacker-window",
                         BIN_DIR "/korvote",
                         BIN_DIR "/trackpack",
                         DATA_DIR "/applications/korvote.desktop",
                         DATA_DIR "/bash-completion/completions/trackpack",
                         DATA_DIR "/icons/hicolor/scalable/apps/korvote.svg",
                         DATA_DIR "/korvote/images/",
                         DATA_DIR "/korvote/lang/english.lng",
                         DATA_DIR "/korvote/lang/russian.lng",
                         DATA_DIR "/korvote/tomail/",
                         DATA_DIR "/metainfo/" APPSTREAM_ID ".metainfo.xml",
                         DATA_DIR "/mime/packages/korvote.xml",
                         DATA_DIR "/zsh/vendor-completions/_trackpack",
                         DOC_DIR "/changelog.gz",
                         DOC_DIR "/copyright",
                         LIBEXEC_DIR "/korvote/trackpack-mail",
                         LIBEXEC_DIR "/korvote/trackpack-pictures",
                         MAN_DIR "/man1/jarpacker-window.1.gz",
                         MAN_DIR "/man1/jarpacker.1.gz",
                         MAN_DIR "/man1/korvote.1.gz",
                         MAN_DIR "/man1/trackpack.1.gz"};
    for (const QString& size : kIconSizes)
        files << DATA_DIR "/icons/hicolor/" + size + "x" + size + "/apps/korvote.png";
    for (QString& file : files) file.prepend(under);
    files.sort();
    return files;
}

// Files and empty folders below `root`, as paths relative to it.
inline QStringList tree(const QString& root) {
    QStringList found;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        if (entry.isDir() && !entry.isSymLink() && !QDir(entry.filePath()).isEmpty()) continue;
        found << QDir(root).relativeFilePath(entry.filePath()) +
                     (entry.isDir() && !entry.isSymLink() ? "/" : "");
    }
    found.sort();
    return found;
}

// What `command` printed to standard output, run by the shell with
// `arguments` as $0, $1, ...; empty with a failure when it failed.
inline QString shellOutput(const QString& command, const QStringList& arguments = {},
                           const QString& folder = {}) {
    QProcess p;
    if (!folder.isEmpty()) p.setWorkingDirectory(folder);
    p.start("sh", QStringList{"-c", command} + arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << command.toStdString() << ": " << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The options a text names: "-x" and "--word", at the start of a word or
// after "[", "(", "," or "|".
inline QSet<QString> optionsIn(const QString& text) {
    static const QRegularExpression option(R"((?:^|[\s\[(,|])(--?[a-z][a-z-]*))");
    QSet<QString> found;
    for (const QRegularExpressionMatch& m : option.globalMatch(text)) found << m.captured(1);
    return found;
}

// A gzipped manual page as the reader sees it, in lines long enough that no
// word is broken.
inline QString manualPageText(const QString& gzipped) {
    return shellOutput("gzip -dc \"$0\" | groff -man -Tascii -P-cbou -rLL=250n -rHY=0", {gzipped});
}

// The text of one section of a page: the lines after its heading, up to the
// next heading.
inline QString manualSection(const QString& page, const QString& heading) {
    const qsizetype at = page.indexOf("\n" + heading + "\n");
    if (at < 0) return {};
    static const QRegularExpression nextHeading("\n[A-Z]");
    const qsizetype start = at + heading.size() + 2;
    const qsizetype end = page.indexOf(nextHeading, start);
    return page.mid(start, end < 0 ? -1 : end - start);
}

} // namespace korvo::test
