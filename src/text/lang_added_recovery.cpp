#include "lang_added.h"

namespace korvo {

// The lines of the recovery of unsaved work: the window offered at start and
// its refusals.
const std::vector<AddedLine>& recoveryLines() {
    static const std::vector<AddedLine> lines = {
        {399, "the recovery window's title", "Recover unsaved work",
         "Восстановление несохранённой работы"},
        {400, "the recovery window's first line",
         "The editor stopped before this work was saved. It can come back with its undo history.",
         "Редактор завершился, не сохранив эту работу. Её можно вернуть вместе с историей "
         "отмены."},
        {401, "recovery: %1 the pack's file", "Pack: %1", "Пакет: %1"},
        {402, "recovery: %1 date and time of the last write", "Kept at: %1", "Записано: %1"},
        {403, "recovery: %1 steps of the pack, %2 of the open track",
         "Steps to undo: %1 in the pack, %2 in the open track",
         "Шагов отмены: %1 в пакете, %2 в открытом треке"},
        {404, "recovery: %1 the changed tracks", "Changed: %1", "Изменены: %1"},
        {405, "recovery: %1 the added tracks", "Added: %1", "Добавлены: %1"},
        {406, "recovery: %1 the deleted tracks", "Deleted: %1", "Удалены: %1"},
        {407, "recovery: an empty list of tracks", "none", "нет"},
        {408, "recovery: %1 the open track", "Open track: %1", "Открытый трек: %1"},
        {409, "recovery: %1 a new track's name", "%1 (a new track)", "%1 (новый трек)"},
        {410, "recovery: no track was open", "No track was open.", "Открытого трека не было."},
        {411, "the Recover button", "&Recover", "&Восстановить"},
        {412, "the button that opens the pack as saved", "&Open the saved pack",
         "&Открыть сохранённый пакет"},
        {413, "the button that saves the recovered pack elsewhere",
         "&Save the recovered pack as...", "&Сохранить восстановленный пакет как..."},
        {414, "recovery: the pack's file changed since", "The pack's file changed on disk since.",
         "Файл пакета с тех пор изменился на диске."},
        {415, "recovery: the pack's file is gone", "The pack's file is no longer on disk.",
         "Файла пакета больше нет на диске."},
        {416, "a recovery file refused; %1 the file, %2 why",
         "The recovery file %1 cannot be used: %2",
         "Файл восстановления %1 нельзя использовать: %2"},
        {417, "why: not a recovery file", "it is not a recovery file",
         "это не файл восстановления"},
        {418, "why: another version", "it was written by another version of the program",
         "он записан другой версией программы"},
        {419, "why: damaged", "it is damaged", "он повреждён"},
        {420, "the journal cannot be written; %1 why",
         "Unsaved work cannot be kept for recovery: %1",
         "Несохранённую работу не удаётся сохранить для восстановления: %1"},
        {442, "the start: unsaved work of other packs can be recovered; %1 the packs",
         "Unsaved work of %1 can be recovered: open that pack.",
         "Несохранённую работу в %1 можно восстановить: откройте этот пакет."},
        {446, "recovery: %1 the copy of the pack as the stopped session opened it",
         "The pack as that session opened it: %1", "Пакет, каким его открыл тот сеанс: %1"},
    };
    return lines;
}

} // namespace korvo
