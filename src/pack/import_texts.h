#pragma once
// Texts of the import, ".lev" export and level-picture commands that the
// numbered language lines do not hold yet: each as an English and a Russian
// text (UTF-8 here). "%1" stands for the value the message names.

#include <cstddef>
#include <iterator>

namespace korvo {

struct ImportTextPair {
    const char* english;
    const char* russian;
};

enum class ImportText {
    CopyLeftOut,         // %1: how many ticked tracks did not fit
    LevFilesRefused,     // %1: one "<file>: <reason>" per line
    PackRefused,         // %1: "<file>: <reason>"
    ImagesFolderMissing, // %1: the folder
    PicturesFailed,      // %1: "<file>: <reason>"
    SaveLevCommand,      // menu item and pop-up item
    SaveLevFailed,       // %1: "<file>: <reason>"
    LevFileFilter,       // file dialog filter of ".lev" files
};

inline constexpr ImportTextPair kImportTexts[] = {
    {"%1 of the ticked tracks were not copied: a pack holds at most 4095 tracks. Records of "
     "deleted tracks stay in use while the undo history can bring them back; saving and "
     "reopening the pack frees them.",
     "%1 из отмеченных треков не скопированы: в наборе может быть не больше 4095 треков. Записи "
     "удалённых треков заняты, пока их может вернуть отмена; сохранение и повторное открытие "
     "набора освобождает их."},
    {"These files were not added:\n%1", "Эти файлы не добавлены:\n%1"},
    {"The pack could not be read:\n%1", "Не удалось прочитать набор:\n%1"},
    {"The folder %1 does not exist; level pictures are written into it.",
     "Папка %1 не найдена; картинки уровней записываются в неё."},
    {"Level pictures could not be written:\n%1", "Не удалось записать картинки уровней:\n%1"},
    {"Save track as *.lev", "Сохранить трек как *.lev"},
    {"The track could not be saved:\n%1", "Не удалось сохранить трек:\n%1"},
    {"Level (*.lev)", "Level (*.lev)"},
};

static_assert(std::size(kImportTexts) == size_t(ImportText::LevFileFilter) + 1);

inline const ImportTextPair& importText(ImportText t) {
    return kImportTexts[int(t)];
}

} // namespace korvo
