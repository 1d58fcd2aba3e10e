#include "jar_build.h"

#include "dist/zip_file.h"
#include "io/checked_write.h"
#include "jad_file.h"
#include "jar_splice.h"
#include "pack/mrg_format.h"
#include "pack/pack_file.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace korvo {

namespace {

JarBuildResult refused(const QString& message) {
    return {1, message};
}

Message faultText(JarFault fault) {
    switch (fault) {
    case JarFault::Empty:
        return Message::line(kLineJarEmpty);
    case JarFault::NotZip:
        return Message::line(kLineJarNotZip);
    case JarFault::NoLevels:
        return Message::line(kLineJarNoLevels);
    case JarFault::TwoLevels:
        return Message::line(kLineJarTwoLevels);
    case JarFault::Damaged:
        return Message::line(kLineJarDamaged);
    case JarFault::Unsupported:
        return Message::line(kLineJarUnsupported);
    case JarFault::TooLarge:
        return Message::line(kLineJarTooLarge);
    case JarFault::None:
        break;
    }
    return {};
}

// The same file, whether named the same way or through links.
bool sameFile(const QString& a, const QString& b) {
    const QFileInfo x(a), y(b);
    if (x.absoluteFilePath() == y.absoluteFilePath()) return true;
    return x.exists() && y.exists() && x.canonicalFilePath() == y.canonicalFilePath();
}

// A run that writes an archive and its descriptor marks the pair as being
// written (OUT.jar.jarpacker-run, holding whether OUT.jar was there before)
// until both are in place, so that a run killed between the two is found by
// the next run with the same OUT and put right before anything else.

// The file OUT names, through links; OUT itself when it is not there.
QString resolvedPath(const QString& path) {
    const QFileInfo info(path);
    const QString real = info.canonicalFilePath();
    return real.isEmpty() ? info.absoluteFilePath() : real;
}

QString runMarkerOf(const QString& outJar) {
    return resolvedPath(outJar) + ".jarpacker-run";
}

// A hard link to the archive a run replaces, beside the file itself.
QString previousOf(const QString& outJar) {
    return resolvedPath(outJar) + ".jarpacker-previous";
}

// A hard link to the previous OUT.jar, so that it can be put back when
// OUT.jad cannot be written. Costs no space, so a full disk does not stop it.
class PreviousFile {
public:
    explicit PreviousFile(const QString& path) {
        const QFileInfo info(path);
        if (!info.isFile()) return; // nothing there, or a device written into
        target_ = info.canonicalFilePath();
        const QString link = previousOf(target_);
        ::unlink(QFile::encodeName(link).constData()); // left by a run of an older version
        if (::link(QFile::encodeName(target_).constData(), QFile::encodeName(link).constData()) ==
            0)
            link_ = link;
        else
            error_ = errno;
    }
    ~PreviousFile() { forget(); }
    // The new file stands: the previous one is let go.
    void forget() {
        if (!link_.isEmpty()) ::unlink(QFile::encodeName(link_).constData());
        link_.clear();
    }
    bool existed() const { return !target_.isEmpty(); }
    bool kept() const { return !link_.isEmpty(); }
    int error() const { return error_; }
    // Puts the previous file back in place of the new one.
    bool restore() {
        if (link_.isEmpty()) return false;
        const bool ok = ::rename(QFile::encodeName(link_).constData(),
                                 QFile::encodeName(target_).constData()) == 0;
        if (ok) link_.clear();
        return ok;
    }

private:
    QString target_, link_;
    int error_ = 0;
};

bool pairAgrees(const QString& outJar) {
    std::string jad;
    const QFileInfo jar(outJar);
    return jar.isFile() && readWholeFile(jadPathFor(outJar), jad).empty() &&
           jadJarSize(QByteArray::fromStdString(jad)) == jar.size();
}

void removeFile(const QString& path) {
    ::unlink(QFile::encodeName(path).constData());
}

// What an earlier run cut short left: none, or what was done about it.
Message finishCutRun(const QString& outJar) {
    const QString marker = runMarkerOf(outJar), previous = previousOf(outJar);
    std::string mark;
    if (!readWholeFile(marker, mark).empty()) return {};
    const QString shown = QDir::toNativeSeparators(outJar);
    Message done = Message::line(kLineJarCutRunKept, shown);
    if (!pairAgrees(outJar)) {
        if (mark.rfind("existed", 0) == 0) {
            if (QFileInfo::exists(previous) &&
                ::rename(QFile::encodeName(previous).constData(),
                         QFile::encodeName(resolvedPath(outJar)).constData()) != 0)
                return pathMessage(previous, systemError(errno));
            done = Message::line(kLineJarCutRunRolledBack, shown);
        } else {
            removeFile(outJar);
            done = Message::line(kLineJarCutRunRemoved, shown);
        }
    }
    removeFile(previous);
    removeFile(marker);
    return done;
}

Message writeSplice(const QString& path, const SplicedJar& jar) {
    return writeFileChecked(path, [&](const FileSink& sink) {
        for (const std::string_view piece :
             {jar.before, std::string_view(jar.levels), jar.after, std::string_view(jar.central)})
            if (!piece.empty() && !sink(piece.data(), piece.size())) return false;
        return true;
    });
}

} // namespace

QString jadPathFor(const QString& jarPath) {
    const QFileInfo info(jarPath);
    const QString name = info.fileName();
    const QString stem = name.endsWith(".jar", Qt::CaseInsensitive) ? name.chopped(4) : name;
    return info.dir().filePath(stem + ".jad");
}

namespace {

JarBuildResult writeGameJar(const QString& gameJar, const QString& pack, const QString& outJar,
                            const LangLines& lang) {
    const QString gameJad = jadPathFor(gameJar), outJad = jadPathFor(outJar);

    // The game is mapped where it can be: its bytes go from the page cache
    // straight into the new archive.
    QFile gameFile(gameJar);
    std::string gameCopy, packBytes;
    std::string_view gameBytes;
    if (gameFile.open(QIODevice::ReadOnly) && gameFile.size() > 0)
        if (const uchar* mapped = gameFile.map(0, gameFile.size()))
            gameBytes =
                std::string_view(reinterpret_cast<const char*>(mapped), size_t(gameFile.size()));
    if (gameBytes.empty()) {
        if (Message why = readWholeFile(gameJar, gameCopy); !why.empty())
            return refused(lang.say(pathMessage(gameJar, why)));
        gameBytes = gameCopy;
    }
    if (Message why = readWholeFile(pack, packBytes); !why.empty())
        return refused(lang.say(pathMessage(pack, why)));
    {
        TrackTable table;
        Rows rows;
        if (Message why = readPack(packBytes, table, rows); !why.empty())
            return refused(lang.say(pathMessage(pack, Message::line(kLineJarNotAPack, why))));
    }

    SplicedJar jar;
    if (const JarFault fault = spliceLevels(gameBytes, packBytes, nowDosDateTime(), jar);
        fault != JarFault::None)
        return refused(QDir::toNativeSeparators(gameJar) + ": " + lang.say(faultText(fault)));

    // OUT.jad, when the game has a descriptor: made before anything is written.
    QByteArray jadBytes;
    // A device or FIFO as OUT (a sink) has no descriptor beside it.
    const QFileInfo outInfo(outJar);
    const bool sink = outInfo.exists() && !outInfo.isFile() && !outInfo.isDir();
    const bool withJad = QFileInfo(gameJad).isFile() && !sink;
    if (withJad) {
        std::string old;
        if (Message why = readWholeFile(gameJad, old); !why.empty())
            return refused(lang.say(pathMessage(gameJad, why)));
        jadBytes = updatedJad(QByteArray::fromStdString(old), qint64(jar.size()),
                              QFileInfo(outJar).fileName());
        if (QFileInfo(outJad).isDir())
            return refused(lang.say(pathMessage(outJad, systemError(EISDIR))));
    }

    if (!withJad) {
        if (Message why = writeSplice(outJar, jar); !why.empty()) return refused(lang.say(why));
        return {0, outJar};
    }
    // Both or neither: when OUT.jad fails, the previous OUT.jar comes back;
    // when the run is killed, the next one puts the pair right.
    const QString marker = runMarkerOf(outJar);
    if (Message why = writeFileChecked(marker, outInfo.isFile() ? "existed\n" : "new\n");
        !why.empty())
        return refused(lang.say(why));
    PreviousFile previous(outJar);
    Message why;
    if (previous.existed() && !previous.kept())
        why = pathMessage(outJar, systemError(previous.error()));
    if (why.empty()) why = writeSplice(outJar, jar);
    if (why.empty())
        if (why = writeFileChecked(outJad,
                                   std::string_view(jadBytes.constData(), size_t(jadBytes.size())));
            !why.empty()) {
            if (previous.existed())
                previous.restore();
            else
                QFile::remove(outJar);
        }
    previous.forget();
    removeFile(marker);
    if (!why.empty()) return refused(lang.say(why));
    return {0, outJar + ", " + outJad};
}

} // namespace

JarBuildResult buildGameJar(const QString& gameJar, const QString& pack, const QString& outJar,
                            const LangLines& lang) {
    const QString gameJad = jadPathFor(gameJar), outJad = jadPathFor(outJar);
    // Nothing that is read may be written: not the game, its descriptor or the pack.
    if (sameFile(gameJar, outJar)) return {2, lang.say(Message::line(kLineJarOverGame))};
    for (const QString& input : {gameJad, pack})
        for (const QString& output : {outJar, outJad})
            if (sameFile(input, output))
                return {2, lang.say(
                               Message::line(kLineJarOverInput, QDir::toNativeSeparators(output)))};
    // A run with this OUT that was cut short is put right first, and said.
    const QString note = lang.say(finishCutRun(outJar));
    JarBuildResult built = writeGameJar(gameJar, pack, outJar, lang);
    built.note = note;
    return built;
}

} // namespace korvo
