#include "lang_added.h"

namespace korvo {

// The lines of the best rides beside the pack, the check on threads, the
// ride view's readouts and ghost, and the submission's question.
const std::vector<AddedLine>& ridesLines() {
    static const std::vector<AddedLine> lines = {
        {421, "best rides file: not one of ours", "not a file of best rides",
         "это не файл лучших заездов"},
        {422, "best rides file: another version; %1 the file's, %2 the one this program reads",
         "best rides of version %1; this program reads version %2",
         "лучшие заезды версии %1; эта программа читает версию %2"},
        {423, "best rides file: damaged; %1 the line", "damaged at line %1",
         "повреждён в строке %1"},
        {424, "check: a hint: nobody has finished the track (window ride or solver)",
         "hint: not validated, nobody has finished it yet",
         "подсказка: не проверен, его ещё никто не прошёл"},
        {425, "ride: the best ride could not be kept; %1 why", "The best ride is not kept: %1",
         "Лучший заезд не сохранён: %1"},
        {426, "check window: progress; %1 tracks done, %2 all", "Checked %1 of %2 tracks",
         "Проверено %1 из %2 треков"},
        {427, "check window: the button that stops the check", "&Cancel", "&Отмена"},
        {428, "check window: the check was cancelled; %1 tracks done, %2 all",
         "Cancelled after %1 of %2 tracks: the list is not complete",
         "Отменено после %1 из %2 треков: список неполон"},
        {429, "submission: the tracks nobody has finished; %1 the count, %2 all",
         "Not validated: %1 of %2 tracks", "Не проверено: %1 из %2 треков"},
        {430, "submission: asks before sending unvalidated tracks; %1 the count",
         "%1 tracks of this pack are not validated: nobody has finished them in a test ride or "
         "with the solver. Send the pack anyway?",
         "%1 треков этого пакета не проверены: их никто не прошёл ни в тест-заезде, ни "
         "решателем. Всё равно отправить пакет?"},
        {431, "ride view: the speed; %1 km/h", "%1 km/h", "%1 км/ч"},
        {432, "ride view: the distance to the finish; %1 metres", "%1 m to the finish",
         "%1 м до финиша"},
        {433, "ride view: the best ride's time at the finish; %1 its seconds, %2 the difference",
         "best %1 s, this ride %2 s", "лучший %1 с, этот заезд %2 с"},
        {434, "ride view: paused", "Paused: P goes on", "Пауза: P продолжает"},
        {435, "the command that shows the test rider riding the track", "Watch the test rider",
         "Смотреть тестового мотоциклиста"},
        {436, "the command that saves the last ride's keys to a file", "Save ride keys...",
         "Сохранить клавиши заезда..."},
        {437, "the command that rides the keys of a file", "Ride keys from a file...",
         "Заезд по клавишам из файла..."},
        {438, "ride view: the test rider rides; %1 number/name", "Test rider: %1",
         "Тестовый мотоциклист: %1"},
        {439, "file dialogs: key files", "Key files (*.keys *.txt)", "Файлы клавиш (*.keys *.txt)"},
        {440, "ride view: a new best ride; %1 seconds", "New best: %1 s", "Новый лучший: %1 с"},
        {441, "ride view: the ghost, the best ride, follows", "ghost: best %1 s",
         "призрак: лучший %1 с"},
    };
    return lines;
}

} // namespace korvo
