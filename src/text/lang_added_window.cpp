#include "lang_added.h"

namespace korvo {

// The lines of the editor's window that help a user along: commands that
// wait while a track is open, the store question of a track too short for its
// length, the player marker's legend and button, the manual's window, and the
// question about a pack another editor has open.
const std::vector<AddedLine>& windowLines() {
    static const std::vector<AddedLine> lines = {
        {371, "a command that waits while a track is open",
         "\"%s\" waits while a track is open: store the track (\"Save and close\") or close it "
         "first.",
         "«%s» недоступно, пока открыт трек: сначала сохраните трек («Сохранить и Закрыть») или "
         "закройте его."},
        {372, "legend: the player marker", "- Player", "- Игрок"},
        {373, "store: the finish would lie left of the start",
         "The track is too short for the length \"%s\": its finish would lie left of the start, "
         "and "
         "the game could not be finished. Take the longest length that fits?",
         "Трек слишком короткий для длины «%s»: финиш оказался бы левее старта, и уровень нельзя "
         "было бы пройти. Взять самую большую длину, которая подходит?"},
        {374, "store: button taking the longest length that fits", "&Take the longest length",
         "&Взять подходящую длину"},
        {375, "store: button storing the track as it is", "&Store as it is", "&Сохранить как есть"},
        {376, "store: no length fits",
         "The track is too short for every length: its finish would lie left of the start, and the "
         "game could not be finished. Store it all the same?",
         "Трек слишком короткий для любой длины: финиш оказался бы левее старта, и уровень нельзя "
         "было бы пройти. Всё равно сохранить?"},
        {377, "help window title", "Korvo Track Editor Help", "Справка Korvo Track Editor"},
        {378, "help window: contents tab", "&Contents", "&Содержание"},
        {379, "help window: index tab", "&Index", "&Указатель"},
        {380, "help window: search tab", "Sea&rch", "&Поиск"},
        {381, "help window: what to look for", "&Look for:", "&Искать:"},
        {382, "help window: nothing found", "No page holds \"%s\".",
         "Ни на одной странице нет «%s»."},
        {383, "help window: back button", "&Back", "&Назад"},
        {384, "help window: forward button", "&Forward", "&Вперёд"},
        {385, "help window: close button", "Close", "Закрыть"},
        {386, "track panel: the button that raises the player marker, with its Alt letter",
         "^^^ (&R)", "^^^ (&В)"},
        {392,
         "open: the pack is open in another editor; %1 the pack, %2 the program, %3 its process, "
         "%4 "
         "since when",
         "%1 is open in another editor (%2, process %3) since %4. Changes saved by one would be "
         "lost "
         "in the other. Open it anyway?",
         "%1 уже открыт в другом редакторе (%2, процесс %3) с %4. Изменения, сохранённые в одном, "
         "пропадут в другом. Всё равно открыть?"},
        {393, "open: button opening a pack another editor has open", "&Open anyway",
         "&Всё равно открыть"},
    };
    return lines;
}

} // namespace korvo
