#pragma once
// The one QApplication of the window benchmarks, offscreen unless a platform
// is chosen.

#include "pack/pack_file.h"
#include "pack/sample_pack.h"
#include "settings/options.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace korvo::bench {

inline void ensureApp() {
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "benchmarks";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    (void)app;
}

// Puts beside a pack what the program expects in its base folder: the
// language files, and settings without autosave (no save inside a timing),
// so no start-up report or dialog waits for an answer.
inline bool prepareBaseFolder(const QString& folder) {
    const QDir base(folder);
    base.mkpath("lang");
    for (const char* name : {"english.lng", "russian.lng"})
        QFile::copy(QString(BASE_DIR "/lang/") + name, base.filePath("lang/") + name);
    QFile ini(base.filePath("opt.ini"));
    if (!ini.open(QIODevice::WriteOnly)) return false;
    ini.write(QByteArray(kDefaultOptionsText).replace("AutoSave=1", "AutoSave=0"));
    return true;
}

// A base folder holding a "levels.mrg" of 4095 tracks of 499 segments, the
// language files, and settings without autosave (no save inside a timing).
inline QString bigBaseFolder() {
    static QTemporaryDir dir;
    static const bool written = [] {
        if (!prepareBaseFolder(dir.path())) return false;
        TrackTable table;
        SampleOptions opt;
        opt.tracks = kMaxTracks;
        opt.segments = kMaxSegments;
        const Rows rows = makeSamplePack(table, opt);
        return savePackFile(QDir(dir.path()).filePath("levels.mrg"), table, rows).empty();
    }();
    (void)written;
    return dir.path();
}

} // namespace korvo::bench
