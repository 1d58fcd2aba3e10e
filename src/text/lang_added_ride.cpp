#include "lang_added.h"

namespace korvo {

// The lines of the test ride and the pack check: the commands, the check
// window's findings, the ride's status texts and trackpack's check and ride.
const std::vector<AddedLine>& rideLines() {
    static const std::vector<AddedLine> lines = {
        {340, "the Ride command (tool button, F5)", "Ride", "Тест-заезд"},
        {341, "the Replay command: the last ride's keys again", "Replay", "Повтор заезда"},
        {342, "the Check pack command (Edit menu)", "Check pack", "Проверить пакет"},
        {343, "the title of the check window", "Pack check", "Проверка пакета"},
        {344, "the check found nothing", "Nothing found", "Ничего не найдено"},
        {345, "check: the pack cannot be read; %1 why", "the pack cannot be read: %1",
         "пакет не читается: %1"},
        {346, "check: too few tracks; %1 there are, %2 needed",
         "the pack holds %1 tracks, a submission needs %2",
         "в пакете %1 треков, для отправки нужно %2"},
        {347, "check: a segment past the limits; %1 dx, %2 dy (up positive)",
         "a segment outside the limits (dx %1, dy %2)", "отрезок вне пределов (dx %1, dy %2)"},
        {348, "check: a track without segments", "no segment", "нет ни одного отрезка"},
        {349, "check: node count; %1 in the header, %2 by the point bytes",
         "the header counts %1 nodes, the point bytes hold %2",
         "в заголовке %1 точек, в байтах точек %2"},
        {350, "check: the finish falls back to node 1",
         "the finish mark does not lie right of the start (the track is shorter than its preset)",
         "финиш не правее старта (трек короче своей длины)"},
        {351, "check: no template", "no template: no start, finish or rider",
         "нет шаблона: нет старта, финиша и мотоциклиста"},
        {352, "check: the name has bytes outside the code page",
         "the name has characters the code page cannot hold",
         "в названии есть знаки вне кодовой страницы"},
        {353, "check: control characters in the name", "the name has control characters",
         "в названии есть управляющие знаки"},
        {354, "check: a long name; %1 the most the list shows",
         "the name is longer than the list shows (%1 characters)",
         "название длиннее, чем показывает список (%1 знаков)"},
        {355, "check: a name used twice; %1 the other track", "the name is used by track %1 too",
         "то же название у трека %1"},
        {356, "check hint: the test rider gets stuck; %1 the x",
         "hint: the test rider cannot finish, it stops at x %1",
         "подсказка: тестовый мотоциклист не доезжает, он встаёт на x %1"},
        {357, "check hint: the test rider falls; %1 the x",
         "hint: the test rider cannot finish, it falls at x %1",
         "подсказка: тестовый мотоциклист не доезжает, он падает на x %1"},
        {358, "check: where; %1 the node, %2 its x", "node %1, x %2", "точка %1, x %2"},
        {359, "ride: the timer; %1 seconds", "%1 s", "%1 с"},
        {360, "ride: finished; %1 seconds", "Finished in %1 s", "Финиш за %1 с"},
        {361, "ride: crashed; %1 the x", "Crashed at x %1", "Падение на x %1"},
        {362, "ride: stopped; %1 the x", "Stopped at x %1", "Остановка на x %1"},
        {363, "ride: the keys",
         "Up: throttle, Down: brake, Left/Right: lean, Space: again, P: pause, Escape: back",
         "Вверх: газ, вниз: тормоз, влево/вправо: наклон, пробел: заново, P: пауза, Esc: назад"},
        {364, "ride: nothing to ride", "Select a track with segments or open one to ride it.",
         "Выберите трек с отрезками или откройте его для заезда."},
        {365, "trackpack: the usage of check and ride",
         "  check PACK [--json]    list what a player or the submission site would trip over,\r\n"
         "                         one line per finding; exit 0 nothing found or only hints\r\n"
         "                         (the last line says so), 1 a fault found\r\n"
         "  ride PACK N [--keys FILE] [--json]\r\n"
         "                         ride the N-th track without a window, by the keys of FILE\r\n"
         "                         (lines \"milliseconds up|down|left|right down|up\", '#'\r\n"
         "                         starts a comment, at most 1 MiB) or the test rider, for at\r\n"
         "                         most 5 minutes; prints finished, crashed, stopped or\r\n"
         "                         unfinishable (the track ends left of its start), the time\r\n"
         "                         and the frame's x; exit 0 finished, 1 not",
         "  check PACK [--json]    перечислить, обо что споткнутся игрок или сайт отправки,\r\n"
         "                         по строке на находку; код 0 ничего или одни подсказки\r\n"
         "                         (о чём скажет последняя строка), 1 найдена ошибка\r\n"
         "  ride PACK N [--keys FILE] [--json]\r\n"
         "                         проехать N-й трек без окна по клавишам из FILE (строки\r\n"
         "                         \"миллисекунды up|down|left|right down|up\", '#' начинает\r\n"
         "                         комментарий, не больше 1 МиБ) или тестовым мотоциклистом,\r\n"
         "                         не дольше 5 минут; печатает finished, crashed, stopped или\r\n"
         "                         unfinishable (трек кончается левее старта), время и x\r\n"
         "                         рамы мотоцикла; код 0 доехал, 1 нет"},
        {366, "trackpack: check without its pack",
         "check takes a pack file (and --json, --solve, --budget SECONDS)",
         "check: нужен файл пакета (и --json, --solve, --budget СЕКУНДЫ)"},
        {367, "trackpack: ride without its arguments",
         "ride takes a pack file and a track number (and --keys FILE or --solve with "
         "--budget SECONDS and --keys-out FILE, --json)",
         "ride: нужны файл пакета и номер трека (и --keys FILE или --solve с --budget "
         "СЕКУНДЫ и --keys-out FILE, --json)"},
        {368, "trackpack: a bad key file; %1 the file, %2 the line",
         "%1: line %2 is not \"milliseconds key down|up\"",
         "%1: строка %2 не в виде \"миллисекунды клавиша down|up\""},
        {394, "check: the track ends left of where the bike starts; %1 the start's x",
         "the track ends left of its start (x %1), so it cannot be finished",
         "трек кончается левее старта (x %1), его нельзя пройти"},
        {395, "ride: the track ends left of its start",
         "This track cannot be finished: it ends left of its start",
         "Этот трек нельзя пройти: он кончается левее старта"},
        {396, "check: the last line when all findings are hints", "only hints, no faults",
         "только подсказки, ошибок нет"},
        {397, "ride view: the track of a replay; %1 number/name", "Replay: %1", "Повтор: %1"},
        {398, "trackpack: a key file too large; %1 the file, %2 bytes, %3 bytes a line",
         "%1: a key file holds at most %2 bytes and lines of at most %3 bytes; it is not read",
         "%1: файл клавиш должен быть не больше %2 байт, а строки не длиннее %3 байт; он не "
         "прочитан"},
    };
    return lines;
}

} // namespace korvo
