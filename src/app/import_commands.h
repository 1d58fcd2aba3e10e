#pragma once
// Tracks in and pictures out: "Добавить трек из ..." (another pack) and
// "Добавить *.lev" open the copy dialog, whose ticked tracks are copied as
// one undoable step; files dropped onto the window do the same; "Сохранить
// трек как *.lev" exports the selected track; "Генерация картинок уровней"
// writes the GIF picture of the selected track or of every track into
// "images" of the base folder.

#include "app_context.h"

#include <QObject>

class QAction;
class QMenu;
class QMimeData;

namespace korvo {

class EditorController;
class ListController;
class CopyTracksDialog;

class ImportCommands : public QObject {
    Q_OBJECT
public:
    ImportCommands(AppContext& app, ListController& list, EditorController& editor,
                   QWidget* window);

    // By object name: "N9", "levv11", "SaveLev", "N12" and "N13".
    QAction* action(const char* name) const;
    QMenu* picturesMenu() const { return picturesMenu_; }

    void importFromPack();    // "Добавить трек из ...": tracks of another pack
    void chooseLevFiles();    // "Добавить *.lev": single-track files
    void pictureOfSelected(); // "Выбранный": the picture of the selected track
    void picturesOfAll();     // "Все уровни": every track's picture and "bdpic.dat"
    void exportLev();         // "Сохранить трек как *.lev"

    // Files dragged from the file manager: ".lev" files, or one pack.
    static bool takesFiles(const QMimeData* data);
    // Why the dragged files cannot be dropped now: "" when they can, or when
    // the drag holds no files at all.
    QString dropRefusal(const QMimeData* data);
    void dropFiles(const QMimeData* data);

private:
    void importPack(const QString& path);
    void importLevFiles(const QStringList& paths);
    void copyFromDialog(CopyTracksDialog& dialog);
    QString imagesFolder();

    AppContext& app_;
    ListController& list_;
    EditorController& editor_;
    TrackTable ImportTracks; // the second pack, read only to copy tracks out of it
    QAction *importPackAction_, *importLevAction_, *SaveLev, *pictureOfSelectedAction_,
        *picturesOfAllAction_;
    QMenu* picturesMenu_; // "Генерация картинок уровней"
};

} // namespace korvo
