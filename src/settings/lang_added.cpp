#include "lang_added.h"

#include <iterator>

namespace korvo {

namespace {

const AddedLine kAdded[] = {
    {96, "undo command prefix", "Undo", "Отменить"},
    {97, "redo command prefix", "Redo", "Повторить"},
    {98, "Edit menu", "&Edit", "&Правка"},
    {99, "step: a track moved up or down", "move track", "перемещение трека"},
    {100, "step: a track cloned", "clone track", "копирование трека"},
    {101, "step: tracks deleted", "delete %d tracks", "удаление треков (%d)"},
    {102, "step: tracks dragged", "move tracks", "перетаскивание треков"},
    {103, "step: an edited track stored", "store track", "сохранение трека"},
    {104, "step: a new track stored", "add new track", "добавление нового трека"},
    {105, "step: a node dragged", "move node", "перемещение узла"},
    {106, "step: a node added", "add node", "добавление узла"},
    {107, "step: a node deleted", "delete node", "удаление узла"},
    {108, "step: a node moved with the track", "move node with the track",
     "перемещение узла с треком"},
    {109, "step: a node placed on a new track", "place node", "новый узел"},
    {110, "step: drawing ended", "end drawing", "конец рисования"},
    {111, "step: node coordinates corrected", "correct node", "коррекция узла"},
    {112, "step: the track renamed", "rename track", "название трека"},
    {113, "step: length preset chosen", "length preset", "длина трека"},
    {114, "step: player marker moved", "player height", "высота игрока"},
    {115, "step: field resized", "field size", "размер поля"},
    {116, "question before closing a changed track unsaved",
     "The track has changes that are not stored. Close it and lose them?",
     "В треке есть несохранённые изменения. Закрыть его и потерять их?"},
    {117, "clone or new track refused: the table is full",
     "The pack holds %d tracks already: no more can be added.",
     "В пакете уже %d треков: больше добавить нельзя."},
    {118, "the table is full, but of deleted tracks that undo may bring back",
     "All %d track records are in use: deleted tracks keep theirs so that undo can bring them "
     "back. Save the pack and open it again to free them.",
     "Заняты все %d записей треков: удалённые треки хранят свои, чтобы их можно было вернуть "
     "отменой. Сохраните пакет и откройте его снова, чтобы освободить их."},
    {119, "refusal: the track is full",
     "A track holds at most %d segments: the node was not added.",
     "Трек не может содержать больше %d отрезков: узел не добавлен."},
    {120, "refusal: a field holds no whole number",
     "\"%s\" is not a valid whole number. Nothing was changed.",
     "\"%s\" не является допустимым целым числом. Ничего не изменено."},
    {121, "refusal: the name has characters a pack cannot hold",
     "The track name cannot hold these characters: %s",
     "Название трека не может содержать эти символы: %s"},
    {122, "refusal: storing a track without a segment",
     "A track needs at least one segment: place two nodes before storing it.",
     "У трека должен быть хотя бы один отрезок: поставьте два узла перед сохранением."},
    {123, "question before New drops unsaved changes",
     "Start a new pack? The changes to %s that are not saved will be lost.",
     "Создать новый пакет? Несохранённые изменения в %s будут потеряны."},
    {124, "Help: the help file is missing", "The help file %s is missing.",
     "Файл справки %s не найден."},
    {125, "Open: the file is not a level pack", "The file is not a level pack.",
     "Этот файл не является пакетом уровней."},
    {126, "a recent pack whose file is gone",
     "The pack %s is not there any more. Take it off the list?",
     "Пакета %s больше нет. Убрать его из списка?"},
    {127, "Edit menu: zoom in", "Zoom &in", "&Крупнее"},
    {128, "Edit menu: zoom out", "Zoom &out", "&Мельче"},
    {129, "Edit menu: actual size", "&Actual size", "&Натуральный размер"},
    {130, "Edit menu and tool button: the whole track", "&Fit the whole track", "&Весь трек"},
    {131, "copy: ticked tracks that did not fit",
     "%d of the ticked tracks were not copied: a pack holds at most 4095 tracks. Records of "
     "deleted tracks stay in use while the undo history can bring them back; saving and reopening "
     "the pack frees them.",
     "%d из отмеченных треков не скопированы: в пакете может быть не больше 4095 треков. Записи "
     "удалённых треков заняты, пока их может вернуть отмена; сохранение и повторное открытие "
     "пакета освобождает их."},
    {132, "import: .lev files refused", "These files were not added:\r\n%s",
     "Эти файлы не добавлены:\r\n%s"},
    {133, "import: the second pack refused", "The pack could not be read:\r\n%s",
     "Не удалось прочитать пакет:\r\n%s"},
    {134, "pictures: the images folder is missing",
     "The folder %s does not exist; level pictures are written into it.",
     "Папка %s не найдена; картинки уровней записываются в неё."},
    {135, "pictures: a write failed", "Level pictures could not be written:\r\n%s",
     "Не удалось записать картинки уровней:\r\n%s"},
    {136, "File menu and pop-up item: export the track", "Save track as *.lev",
     "Сохранить трек как *.lev"},
    {137, "export: the .lev file could not be written", "The track could not be saved:\r\n%s",
     "Не удалось сохранить трек:\r\n%s"},
    {138, "file dialog filter of .lev files", "Level (*.lev)", "Уровень (*.lev)"},
    {139, "step: tracks imported", "import tracks", "добавление треков"},
    {140, "pop-up item: move up", "&Up", "&Вверх"},
    {141, "pop-up item: move down", "&Down", "В&низ"},
    {142, "pop-up item: clone", "&Clone", "&Копировать"},
    {143, "pop-up item: delete", "De&lete", "&Удалить"},
    {144, "pop-up item: edit", "&Edit", "&Редактировать"},
    {145, "File menu: build the game archive", "Build the game *.jar",
     "Создать готовую игру *.jar"},
    {146, "File menu: send the level to the site", "Send the level to the site",
     "Отправка уровня на сайт"},
    {147, "File menu: the recent packs", "Recent packs", "Выбрать"},
    {148, "tool button: the rider", "Rider", "Мотоциклист"},
    {149, "the floating preview's title", "Track preview", "Предпросмотр трека"},
    {150, "Help: the help file cannot be opened", "Cannot open the help file.",
     "Немогу выполнить !"},
};

} // namespace

const AddedLine* addedLines() {
    return kAdded;
}

int addedLineCount() {
    return int(std::size(kAdded));
}

} // namespace korvo
