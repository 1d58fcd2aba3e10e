#include "import_commands.h"

#include "actions.h"
#include "editor_controller.h"
#include "list/track_copy.h"
#include "list/ui/copy_dialog.h"
#include "list_controller.h"
#include "pack/track_import.h"
#include "render/level_pictures.h"
#include "render/ui/progress_window.h"
#include "text/cp1251.h"
#include "text/lang_added.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace korvo {

namespace {

bool isLev(const QString& path) {
    return QFileInfo(path).suffix().compare("lev", Qt::CaseInsensitive) == 0;
}

QStringList localFiles(const QMimeData* data) {
    QStringList files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) files << url.toLocalFile();
    return files;
}
} // namespace

ImportCommands::ImportCommands(AppContext& app, ListController& list, EditorController& editor,
                               QWidget* window)
    : QObject(window), app_(app), list_(list), editor_(editor) {
    importPackAction_ = namedAction(this, "N9", "Добавить трек из ...");
    importLevAction_ = namedAction(this, "levv11", "Добавить *.lev");
    SaveLev = namedAction(this, "SaveLev", "Сохранить трек как *.lev");
    picturesMenu_ = namedMenu(window, "N11", "Генерация картинок уровней");
    pictureOfSelectedAction_ = namedAction(this, "N12", "Выбранный");
    picturesOfAllAction_ = namedAction(this, "N13", "Все уровни");
    picturesMenu_->addActions({pictureOfSelectedAction_, picturesOfAllAction_});
    connect(importPackAction_, &QAction::triggered, this, &ImportCommands::importFromPack);
    connect(importLevAction_, &QAction::triggered, this, &ImportCommands::chooseLevFiles);
    connect(SaveLev, &QAction::triggered, this, &ImportCommands::exportLev);
    connect(pictureOfSelectedAction_, &QAction::triggered, this,
            &ImportCommands::pictureOfSelected);
    connect(picturesOfAllAction_, &QAction::triggered, this, &ImportCommands::picturesOfAll);
}

QAction* ImportCommands::action(const char* name) const {
    for (QAction* a : {importPackAction_, importLevAction_, SaveLev, pictureOfSelectedAction_,
                       picturesOfAllAction_})
        if (a->objectName() == name) return a;
    return nullptr;
}

// importFromPack
void ImportCommands::importFromPack() {
    const QString path = app_.ask().openFileName(app_.window, importPackAction_->text(),
                                                 app_.BaseFolder, app_.packFilter(true));
    if (!path.isEmpty()) importPack(path);
}

// The "*.lev" files chosen in a dialog
void ImportCommands::chooseLevFiles() {
    const QStringList paths = app_.ask().openFileNames(app_.window, importLevAction_->text(),
                                                       app_.BaseFolder, app_.Lang[kLineLevFilter]);
    if (!paths.isEmpty()) importLevFiles(paths);
}

// A malformed pack is refused with the reader's message, and nothing is shown.
void ImportCommands::importPack(const QString& path) {
    Rows rows;
    if (const Message why = loadImportPack(path, ImportTracks, rows); !why.empty()) {
        app_.ask().error(app_.window, QString(),
                         app_.Lang.format(kLineImportPackRefused, app_.Lang.say(why)));
        return;
    }
    CopyTracksDialog dialog(ImportTracks, rows, app_.Lang, CopyTracksDialog::Source::Pack,
                            app_.window);
    copyFromDialog(dialog);
}

// The files that cannot be taken are named; the others still come in.
void ImportCommands::importLevFiles(const QStringList& paths) {
    Rows rows;
    const std::vector<Message> refused = loadLevFiles(paths, ImportTracks, rows);
    if (!refused.empty()) {
        QStringList lines;
        for (const Message& why : refused) lines << app_.Lang.say(why);
        app_.ask().warning(app_.window, app_.Lang.format(kLineLevFilesRefused, lines.join("\r\n")));
    }
    if (rows.empty()) return;
    CopyTracksDialog dialog(ImportTracks, rows, app_.Lang, CopyTracksDialog::Source::LevFiles,
                            app_.window);
    copyFromDialog(dialog);
}

// The ticked tracks go to the ends of their groups as new records, in one
// undoable step; the canvas repaints whatever the dialog's outcome.
void ImportCommands::copyFromDialog(CopyTracksDialog& dialog) {
    const bool accepted = app_.ask().chooseTracks(dialog);
    if (accepted) {
        TrackCopy copy;
        app_.doc.edit(StepName(kLineStepImport), [&] {
            copy = copyTracks(app_.doc.Tracks, app_.doc.Rows, ImportTracks, dialog.rows(),
                              dialog.tickedRows());
        });
        if (copy.leftOut > 0)
            app_.ask().warning(app_.window, app_.Lang.format(kLineCopyLeftOut, copy.leftOut));
    }
    editor_.styleChanged();
}

bool ImportCommands::takesFiles(const QMimeData* data) {
    const QStringList files = localFiles(data);
    if (files.isEmpty()) return false;
    if (files.size() == 1 && !isLev(files[0])) return true; // a pack
    return std::all_of(files.begin(), files.end(), isLev);
}

QString ImportCommands::dropRefusal(const QMimeData* data) {
    if (localFiles(data).isEmpty()) return {};
    if (editor_.isOpen()) return app_.Lang[kLineDropWhileEditing];
    if (!takesFiles(data)) return app_.Lang[kLineDropMixed];
    return {};
}

void ImportCommands::dropFiles(const QMimeData* data) {
    if (!takesFiles(data) || editor_.isOpen()) return;
    const QStringList files = localFiles(data);
    if (files.size() == 1 && !isLev(files[0]))
        importPack(files[0]);
    else
        importLevFiles(files);
}

// "Сохранить трек как *.lev": the open track as the canvas shows it, or
// else the selected track's stored record.
void ImportCommands::exportLev() {
    TTrackInfo track;
    if (const OpenTrack& open = editor_.track(); open.isOpen()) {
        TTrackInfo shown;
        const SaveOutcome storable = open.session().recordToStore(open.session().TrackName, shown);
        if (!storable.ok()) {
            app_.ask().warning(app_.window,
                               messageText(storable.message, app_.Lang, storable.field));
            return;
        }
        track = shown;
    } else {
        const int j = list_.selectedTrack();
        if (j <= 0) {
            app_.ask().warning(app_.window, app_.Lang[41]);
            return;
        }
        track = app_.doc.Tracks[j];
    }
    // A name may hold characters a file name cannot: they become "_".
    const QString suggested =
        QDir(app_.BaseFolder).filePath(fromCp1251(cleanedName(track.Name)) + ".lev");
    const QString path = app_.ask().saveFileName(app_.window, SaveLev->text(), suggested,
                                                 app_.Lang[kLineLevFilter], "lev");
    if (path.isEmpty()) return;
    if (const Message why = exportLevFile(track, path); !why.empty())
        app_.ask().error(app_.window, QString(),
                         app_.Lang.format(kLineSaveLevFailed, app_.Lang.say(why)));
}

// The pictures go into "images" of the base folder, which must be there.
QString ImportCommands::imagesFolder() {
    const QString folder = QDir(app_.BaseFolder).filePath("images");
    if (QFileInfo(folder).isDir()) return folder;
    app_.ask().error(app_.window, QString(),
                     app_.Lang.format(kLineImagesFolderMissing, QDir::toNativeSeparators(folder)));
    return {};
}

// pictureOfSelected: the track selected last, while any row is selected (a
// group's header clicked after a track leaves that track).
void ImportCommands::pictureOfSelected() {
    const int j = list_.selectedRow() >= 0 ? list_.current().Track : 0;
    if (j <= 0) {
        app_.ask().error(app_.window, QString(), app_.Lang[38]); // select a track first
        return;
    }
    const QString folder = imagesFolder();
    if (folder.isEmpty()) return;
    app_.doc.renumber(); // the picture is named for the track's place in the pack
    const Message why =
        makegif(app_.doc.Tracks, j, folder, pictureRatio(app_.Settings.RatioPic), editor_.state());
    if (!why.empty())
        app_.ask().error(app_.window, QString(),
                         app_.Lang.format(kLinePicturesFailed, app_.Lang.say(why)));
    else
        app_.ask().information(app_.window, app_.Lang[37]); // the pictures are in "images"
}

// picturesOfAll: every track's picture with the progress window, then the catalogue.
void ImportCommands::picturesOfAll() {
    const QString folder = imagesFolder();
    if (folder.isEmpty()) return;
    ProgressWindow progress(app_.Lang, app_.window);
    const PictureRun run = progress.run([&](const PictureProgress& show) {
        return makeAllPictures(app_.doc.Tracks, app_.doc.Rows.rows(), folder,
                               pictureRatio(app_.Settings.RatioPic), editor_.state(), show);
    });
    const QString count = app_.text(kLinePicturesWritten, run.pictures);
    if (!run.error.empty())
        app_.ask().error(app_.window, QString(),
                         app_.Lang.format(kLinePicturesFailed, app_.Lang.say(run.error)) + "\n\n" +
                             count);
    else // the pictures are in "images"
        app_.ask().information(app_.window, app_.Lang[37] + "\n\n" + count);
}

} // namespace korvo
