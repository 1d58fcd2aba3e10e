#include "lang_added.h"

namespace korvo {

// The lines of the solver: trackpack ride --solve and check --solve.
const std::vector<AddedLine>& solverLines() {
    static const std::vector<AddedLine> lines = {
        {443, "trackpack: the usage of ride --solve and check --solve",
         "  ride PACK N --solve [--budget SECONDS] [--keys-out FILE] [--json]\r\n"
         "                         search keys that finish the N-th track, each key state\r\n"
         "                         held at least 100 ms, for at most SECONDS of wall time\r\n"
         "                         (default 10, ended early once the best time stops\r\n"
         "                         improving); prints the best ride found (its time is the\r\n"
         "                         track's par time) or how far it got, and writes its keys\r\n"
         "                         to FILE; exit 0 finished, 1 not\r\n"
         "  check PACK --solve [--budget SECONDS] [--json]\r\n"
         "                         the check with the solver in place of the test rider, on\r\n"
         "                         every core, with progress on standard error; a finish is\r\n"
         "                         kept beside the pack in PACK.rides; Ctrl+C stops it, lists\r\n"
         "                         what was checked and exits 130",
         "  ride PACK N --solve [--budget СЕКУНДЫ] [--keys-out FILE] [--json]\r\n"
         "                         искать клавиши, которыми N-й трек проходится, держа\r\n"
         "                         каждое их состояние не меньше 100 мс, не дольше СЕКУНД\r\n"
         "                         (по умолчанию 10, раньше, когда лучшее время перестаёт\r\n"
         "                         улучшаться); печатает лучший найденный заезд (его время -\r\n"
         "                         контрольное время трека) или докуда он доехал и пишет его\r\n"
         "                         клавиши в FILE; код 0 доехал, 1 нет\r\n"
         "  check PACK --solve [--budget СЕКУНДЫ] [--json]\r\n"
         "                         проверка, в которой вместо тестового мотоциклиста ищет\r\n"
         "                         решатель, на всех ядрах, ход - в стандартный поток ошибок;\r\n"
         "                         пройденные треки сохраняются рядом с пакетом в PACK.rides;\r\n"
         "                         Ctrl+C останавливает её, перечисляет проверенное и\r\n"
         "                         выходит с кодом 130"},
        {444, "trackpack check --solve: progress; %1 tracks done, %2 of all",
         "%1 of %2 tracks checked", "проверено треков: %1 из %2"},
        {445, "trackpack check --solve: stopped by Ctrl+C; %1 tracks done, %2 of all",
         "stopped: %1 of %2 tracks checked", "остановлено: проверено треков %1 из %2"},
    };
    return lines;
}

} // namespace korvo
