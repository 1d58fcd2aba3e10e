#include "jar_build.h"

#include "io/checked_write.h"
#include "jad_file.h"
#include "pack/mrg_format.h"
#include "pack/pack_file.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <zip.h>

namespace korvo {

namespace {

constexpr const char* kLevelsEntry = "levels.mrg";

JarBuildResult refused(const QString& message) {
    return {1, message};
}

QString zipReason(zip_error_t* error) {
    return QString::fromUtf8(zip_error_strerror(error));
}

// The archive's entries with "levels.mrg" replaced, as bytes. libzip reads
// the game from memory and writes the new archive into the same memory
// source, copying untouched entries as they are.
JarBuildResult replaceLevels(const std::string& game, const std::string& pack,
                             const QString& gameJar, std::string& out) {
    zip_error_t error;
    zip_error_init(&error);
    // libzip may write the new archive into the memory it was given (it
    // clones the unchanged start): it gets a copy of its own to do that in.
    void* copy = std::malloc(std::max<size_t>(game.size(), 1));
    if (!copy) return refused(gameJar + ": " + activeQText(kLineJarNoMemory));
    std::memcpy(copy, game.data(), game.size());
    zip_source_t* source = zip_source_buffer_create(copy, game.size(), 1, &error);
    if (!source) {
        std::free(copy);
        return refused(gameJar + ": " + zipReason(&error));
    }
    zip_t* archive = zip_open_from_source(source, 0, &error);
    if (!archive) {
        zip_source_free(source);
        const QString why = zip_error_code_zip(&error) == ZIP_ER_NOZIP ? activeQText(kLineJarNotZip)
                                                                       : zipReason(&error);
        zip_error_fini(&error);
        return refused(gameJar + ": " + why);
    }
    zip_source_keep(source); // it receives the new archive at zip_close
    std::unique_ptr<zip_source_t, void (*)(zip_source_t*)> keep(source, zip_source_free);

    const zip_int64_t index = zip_name_locate(archive, kLevelsEntry, ZIP_FL_ENC_RAW);
    if (index < 0) {
        zip_discard(archive);
        return refused(gameJar + ": " + activeQText(kLineJarNoLevels));
    }
    zip_source_t* levels = zip_source_buffer(archive, pack.data(), pack.size(), 0);
    if (!levels || zip_file_replace(archive, zip_uint64_t(index), levels, 0) != 0) {
        if (levels) zip_source_free(levels);
        const QString why = QString::fromUtf8(zip_strerror(archive));
        zip_discard(archive);
        return refused(why);
    }
    zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 0);
    zip_file_set_mtime(archive, zip_uint64_t(index), std::time(nullptr), 0);
    if (zip_close(archive) != 0) {
        const QString why = QString::fromUtf8(zip_strerror(archive));
        zip_discard(archive);
        return refused(why);
    }

    zip_stat_t st;
    if (zip_source_open(source) != 0) return refused(zipReason(zip_source_error(source)));
    zip_stat_init(&st);
    zip_source_stat(source, &st);
    out.resize(size_t(st.size));
    const zip_int64_t got = zip_source_read(source, out.data(), st.size);
    zip_source_close(source);
    if (got < 0 || zip_uint64_t(got) != st.size) return refused(activeQText(kLineJarUnreadable));
    return {};
}

} // namespace

QString jadPathFor(const QString& jarPath) {
    const QFileInfo info(jarPath);
    const QString name = info.fileName();
    const QString stem = name.endsWith(".jar", Qt::CaseInsensitive) ? name.chopped(4) : name;
    return info.dir().filePath(stem + ".jad");
}

JarBuildResult buildGameJar(const QString& gameJar, const QString& pack, const QString& outJar) {
    const QFileInfo game(gameJar), out(outJar);
    if (game.absoluteFilePath() == out.absoluteFilePath() ||
        (out.exists() && game.canonicalFilePath() == out.canonicalFilePath()))
        return {2, activeQText(kLineJarOverGame)};
    std::string gameBytes, packBytes;
    if (std::string why = readWholeFile(gameJar, gameBytes); !why.empty())
        return refused(QString::fromStdString(pathMessage(gameJar, why)));
    if (std::string why = readWholeFile(pack, packBytes); !why.empty())
        return refused(QString::fromStdString(pathMessage(pack, why)));
    PackDirectory dir;
    if (std::string why = parseDirectory(packBytes, dir); !why.empty())
        return refused(
            QString::fromStdString(pathMessage(pack, activeText(kLineJarNotAPack, why))));

    std::string built;
    if (JarBuildResult r = replaceLevels(gameBytes, packBytes, gameJar, built); r.status != 0)
        return r;
    if (std::string why = writeFileChecked(outJar, built); !why.empty())
        return refused(QString::fromStdString(why));
    QString message = outJar;

    const QString jad = jadPathFor(gameJar);
    if (QFileInfo(jad).isFile()) {
        std::string jadBytes;
        if (std::string why = readWholeFile(jad, jadBytes); !why.empty())
            return refused(QString::fromStdString(pathMessage(jad, why)));
        const QByteArray updated =
            updatedJad(QByteArray::fromStdString(jadBytes), qint64(built.size()), out.fileName());
        const QString outJad = jadPathFor(outJar);
        if (std::string why = writeFileChecked(
                outJad, std::string_view(updated.constData(), size_t(updated.size())));
            !why.empty())
            return refused(QString::fromStdString(why));
        message += ", " + outJad;
    }
    return {0, message};
}

} // namespace korvo
