#include "lang_added.h"

#include <iterator>
#include <vector>

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
    {151, "pack reader: a block outside the file",
     "track %1: block offset %2 lies outside the file (%3 bytes)",
     "трек %1: смещение блока %2 лежит за концом файла (%3 байт)"},
    {152, "pack reader: a block shorter than a header",
     "track %1: block of %2 bytes is shorter than a 27-byte track header",
     "трек %1: блок из %2 байт короче 27-байтного заголовка трека"},
    {153, "pack reader: a block shorter than its long header",
     "track %1: block of %2 bytes is shorter than its 36-byte track header",
     "трек %1: блок из %2 байт короче своего 36-байтного заголовка трека"},
    {154, "pack reader: a block with too many points",
     "track %1: block holds %2 point bytes, more than the 1000 a track can hold",
     "трек %1: в блоке %2 байт точек, а трек вмещает не больше 1000"},
    {155, "pack reader: the directory ends at a count",
     "file ends inside the directory (group %1 count)",
     "файл кончается внутри оглавления (число треков группы %1)"},
    {156, "pack reader: too many tracks", "more than %1 tracks", "больше %1 треков"},
    {157, "pack reader: the directory ends at an entry",
     "file ends inside the directory (entry of track %1)",
     "файл кончается внутри оглавления (запись трека %1)"},
    {158, "pack reader: a name without its end", "name of track %1 has no terminator",
     "у названия трека %1 нет завершающего нуля"},
    {159, "pack reader: the file cannot be a pack",
     "not a level pack (its first bytes do not make a track directory)",
     "не пакет уровней (его первые байты не образуют оглавление треков)"},
    {160, ".lev reader: the file is too large",
     "the file holds %1 bytes, more than the %2 (%3 segments) a track can hold",
     "в файле %1 байт, а трек вмещает не больше %2 (%3 отрезков)"},
    {161, ".lev reader: a folder was chosen", "is a folder, not a file", "это папка, а не файл"},
    {162, ".lev reader: too many files", "more than %1 files chosen at once",
     "выбрано больше %1 файлов сразу"},
    {163, "writer: the .old copy failed", "the previous version could not be kept: %1",
     "предыдущую версию сохранить не удалось: %1"},
    {164, "writer: the folder refuses, the file would not",
     "%1 (the folder cannot be written to, although the file can; use Save as to choose another "
     "folder)",
     "%1 (в папку нельзя записывать, хотя в файл можно; выберите другую папку командой "
     "\"Сохранить как\")"},
    {165, "writer: the contents failed", "the contents could not be made",
     "содержимое не удалось составить"},
    {166, "system: ENOENT", "No such file or directory", "Нет такого файла или папки"},
    {167, "system: EACCES", "Permission denied", "Отказано в доступе"},
    {168, "system: EPERM", "Operation not permitted", "Операция не позволена"},
    {169, "system: ENOSPC", "No space left on device", "На диске не осталось места"},
    {170, "system: EDQUOT", "Disk quota exceeded", "Превышена дисковая квота"},
    {171, "system: EFBIG", "File too large", "Файл слишком велик"},
    {172, "system: EROFS", "Read-only file system", "Диск доступен только для чтения"},
    {173, "system: EISDIR", "Is a directory", "Это папка"},
    {174, "system: ENOTDIR", "Not a directory", "Это не папка"},
    {175, "system: EIO", "Input/output error", "Ошибка ввода-вывода"},
    {176, "system: EMFILE", "Too many open files", "Слишком много открытых файлов"},
    {177, "system: ENAMETOOLONG", "File name too long", "Слишком длинное имя файла"},
    {178, "system: any other error; %1: its number", "system error %1", "системная ошибка %1"},
    {179, "pictures: the folder is missing", "the folder does not exist", "папка не существует"},
    {180, "pictures: the picture is too large",
     "the picture would be %1 x %2 pixels at ratio %3, too large to make",
     "картинка вышла бы %1 x %2 точек при масштабе %3, это слишком много"},
    {181, "pictures: the GIF encoder failed; %1: its error number",
     "the GIF encoder failed (error %1)", "ошибка кодировщика GIF (%1)"},
    {182, "zip: an entry too large", "too large for a zip archive",
     "слишком велико для архива zip"},
    {183, "zip: compression failed", "the data could not be compressed", "данные не удалось сжать"},
    {184, "mail: sending while not connected", "not connected", "нет соединения"},
    {185, "mail: no recipient", "no recipient", "нет получателя"},
    {186, "mail: an unexpected reply; %1: the reply", "the server answered %1",
     "сервер ответил: %1"},
    {187, "mail: data before TLS", "the server sent data before the TLS handshake",
     "сервер прислал данные до установки TLS"},
    {188, "mail: the server closed", "the server closed the connection",
     "сервер закрыл соединение"},
    {189, "mail: no connection in time; %1: seconds", "no connection within %1 s",
     "нет соединения за %1 с"},
    {190, "mail: no answer to the message in time; %1: seconds",
     "no answer to the message within %1 s", "нет ответа на письмо за %1 с"},
    {191, "mail: no answer in time; %1: seconds", "no answer from the server within %1 s",
     "нет ответа от сервера за %1 с"},
    {192, "mail: a reply line too long", "the server sent a line too long for SMTP",
     "сервер прислал слишком длинную для SMTP строку"},
    {193, "mail: a reply that is not SMTP; %1: its start", "the server's reply is not SMTP: %1",
     "ответ сервера не по протоколу SMTP: %1"},
    {194, "mail: the reply code changed", "the server changed the reply code within one reply",
     "сервер сменил код ответа внутри одного ответа"},
    {195, "mail: a reply too long", "the server's reply has too many lines",
     "в ответе сервера слишком много строк"},
    {196, "submission: send the open pack", "send the loaded levels.mrg?",
     "отправить загруженный levels.mrg?"},
    {197, "submission: choose another pack", "open another levels.mrg?",
     "открыть другой levels.mrg?"},
    {198, "submission: choose the file", "Browse...", "Обзор..."},
    {199, "submission: the author's nick", "* Author's name (nick)", "* Имя(ник) автора"},
    {200, "submission: the author's e-mail", "* Author's e-mail", "* Email автора"},
    {201, "submission: the level name", "* Level name", "* Название уровня"},
    {202, "submission: the note", "Note", "Примечание"},
    {203, "submission: required fields", "Fields marked * must be filled in!",
     "Поля помеченные * обязательны для заполнения!"},
    {204, "submission: keep the archive", "make the archive and keep it in /tomail/?",
     "создать архив и сохранить в /tomail/?"},
    {205, "submission: mail the archive", "make the archive and send it from the program?",
     "создать архив и отправить программой?"},
    {206, "submission: the button that starts", "Ok", "ОК"},
    {207, "submission: no pack chosen", "No file chosen.", "Не выбран файл."},
    {208, "submission: a required field is empty", "One of the required fields is empty.",
     "Не заполнено одно из обязательных полей."},
    {209, "submission: too few tracks", "The level has too few tracks. At least 30 tracks!",
     "В уровне не достаточно треков. Минимум 30 треков!"},
    {210, "submission log: the archive kept", "The file is saved in the folder \\tomail\\",
     "Файл сохранён в директорию \\tomail\\"},
    {211, "submission log: the archive made", "The file is made.", "Файл создан."},
    {212, "submission log: connecting", "Connecting to the SMTP server",
     "Соединение с сервером SMTP"},
    {213, "submission log: logged in", "SMTP login", "Авторизация SMTP"},
    {214, "submission log: no errors", "No errors", "Ошибок нет"},
    {215, "submission log: connection failed; %1: why", "Connection error: %1",
     "Ошибка соединения: %1"},
    {216, "submission log: every attempt failed", "No connection to the SMTP server",
     "Соединение с сервером SMTP отсутствует"},
    {217, "submission log: the archive is gone; %1: its path",
     "The attached file does not exist (%1) ", "Присоединённого файла не существует (%1) "},
    {218, "submission log: sending", "Sending...", "Отправляется..."},
    {219, "submission log: sent", "Sending finished.", "Отправка завершена."},
    {220, "submission: a field of several lines",
     "The nick, e-mail and level name must be single lines of text.",
     "Ник, e-mail и название уровня должны быть одной строкой текста."},
    {221, "submission: the pack is unreadable; %1: why", "The level file cannot be read: %1",
     "Файл уровня не читается: %1"},
    {222, "submission: not a pack; %1: why", "The file is not a level pack: %1",
     "Файл не является файлом уровней: %1"},
    {223, "submission: no tomail folder; %1: the folder",
     "The folder %1 does not exist; create it and try again.",
     "Папки %1 нет; создайте её и повторите."},
    {224, "submission: the archive failed; %1: why", "The archive could not be written: %1",
     "Архив не записан: %1"},
    {225, "submission: the author not kept; %1: why",
     "The author could not be stored in opt.ini: %1", "Автор не записан в opt.ini: %1"},
    {226, "submission log: login refused; %1: the reply", "The server refused the login: %1",
     "Сервер отказал во входе: %1"},
    {227, "submission log: certificate refused; %1: why",
     "The server's certificate was not accepted: %1", "Сертификат сервера не принят: %1"},
    {228, "submission log: not connected", "Not connected to the SMTP server.",
     "Нет соединения с сервером SMTP."},
    {229, "submission log: sending failed; %1: why", "Sending failed: %1", "Ошибка отправки: %1"},
    {230, "submission log: stopped", "Sending was stopped.", "Отправка прервана."},
    {231, "submission log: sent; %1: the mailbox", "The level was sent to %1.",
     "Уровень отправлен на %1."},
    {232, "submission log: not sent", "The level was not sent.", "Уровень не отправлен."},
    {233, "submission: the mailbox is unusable; %1: the address",
     "The mailbox address \"%1\" is not usable ([Mail] Mailbox in opt.ini).",
     "Адрес ящика \"%1\" не годится ([Mail] Mailbox в opt.ini)."},
    {234, "game archive: the packer is missing; %1 packer, %2 folder, %3 PATH folders",
     "The game archive packer \"%1\" was not found. Looked in %2 and in the folders of PATH "
     "(%3).",
     "Программа сборки игры \"%1\" не найдена. Искали в %2 и в папках PATH (%3)."},
    {235, "game archive: the packer did not start; %1: its path",
     "The game archive packer %1 could not be started.",
     "Программу сборки игры %1 не удалось запустить."},
    {236, "progress window", "Processing . . .", "Обработка . . ."},
    {237, "options: the autosave period is no number",
     "Enter the autosave period as a whole number of minutes from 1 to 35791.",
     "Введите период автосохранения целым числом минут от 1 до 35791."},
    {238, "options: opt.ini not written; %1: why",
     "The settings could not be saved to opt.ini and were not changed.\r\n\r\n%1",
     "Настройки не сохранены в opt.ini и не изменены.\r\n\r\n%1"},
    {239, "colour", "Black", "Чёрный"},
    {240, "colour", "Maroon", "Тёмно-бордовый"},
    {241, "colour", "Green", "Зелёный"},
    {242, "colour", "Olive", "Оливковый"},
    {243, "colour", "Navy", "Тёмно-синий"},
    {244, "colour", "Purple", "Фиолетовый"},
    {245, "colour", "Teal", "Сине-зелёный"},
    {246, "colour", "Gray", "Серый"},
    {247, "colour", "Silver", "Серебристый"},
    {248, "colour", "Red", "Красный"},
    {249, "colour", "Lime", "Ярко-зелёный"},
    {250, "colour", "Yellow", "Жёлтый"},
    {251, "colour", "Blue", "Синий"},
    {252, "colour", "Fuchsia", "Фуксия"},
    {253, "colour", "Aqua", "Голубой"},
    {254, "colour", "White", "Белый"},
    {255, "colour", "Money Green", "Светло-зелёный"},
    {256, "colour", "Sky Blue", "Небесно-голубой"},
    {257, "colour", "Cream", "Кремовый"},
    {258, "colour", "Medium Gray", "Средне-серый"},
    {259, "colour list: choose another colour", "Custom...", "Другой..."},
    {260, "recent packs not written; %1: why",
     "The list of recent packs could not be saved to opt.ini.\r\n\r\n%1",
     "Список последних пакетов не удалось сохранить в opt.ini.\r\n\r\n%1"},
    {261, "the pack named at start-up; %1: why",
     "The pack named at start-up was not opened:\r\n\r\n%1",
     "Пакет, указанный при запуске, не открыт:\r\n\r\n%1"},
    {262, "opt.ini not created; %1: why",
     "The settings file opt.ini could not be created: the default settings are used until the "
     "program ends.\r\n\r\n%1",
     "Файл настроек opt.ini не удалось создать: до конца работы действуют настройки по "
     "умолчанию.\r\n\r\n%1"},
    {263, "opt.ini unreadable; %1: why",
     "The settings file opt.ini could not be read: the default settings are used until the "
     "program ends, and the file is left as it is.\r\n\r\n%1",
     "Файл настроек opt.ini не удалось прочитать: до конца работы действуют настройки по "
     "умолчанию, а файл остаётся как есть.\r\n\r\n%1"},
    {264, "file dialog filter of packs", "Levels (*.mrg)", "Уровни (*.mrg)"},
    {265, "file dialog filter of other packs", "Quokka Levels (*.lvl)", "Уровни Quokka (*.lvl)"},
    {266, "track panel: the unit of the field size", "px.", "пикс."},
    {267, "game archive packer: the game", "Game archive (*.jar)", "Архив игры (*.jar)"},
    {268, "game archive packer: the pack", "Level pack (*.mrg)", "Пакет уровней (*.mrg)"},
    {269, "game archive packer: the new archive", "Output archive (*.jar)", "Новый архив (*.jar)"},
    {270, "game archive packer: file dialog filter", "Java archives (*.jar)",
     "Архивы Java (*.jar)"},
    {271, "game archive packer: the button", "Build", "Собрать"},
    {272, "game archive packer: a file is missing",
     "Choose the game archive, the level pack and the output archive.",
     "Выберите архив игры, пакет уровней и новый архив."},
    {273, "game archive packer: done; %1: the files written", "Written: %1", "Записано: %1"},
    {274, "game archive packer: no memory", "out of memory", "не хватает памяти"},
    {275, "game archive packer: the game is no zip", "not a zip archive", "это не архив zip"},
    {276, "game archive packer: the game has no pack", "the archive holds no \"levels.mrg\"",
     "в архиве нет \"levels.mrg\""},
    {277, "game archive packer: the result unreadable", "the new archive could not be read back",
     "новый архив не удалось прочитать"},
    {278, "game archive packer: output over the game",
     "the output must not be the game archive itself",
     "новый архив не может быть самим архивом игры"},
    {279, "game archive packer: the pack refused; %1: why", "not a level pack: %1",
     "не пакет уровней: %1"},
    {280, "trackpack: the usage",
     "usage: trackpack COMMAND ...\r\n\r\n  info PACK              groups, rows \"j/name\" and the "
     "count text\r\n  info --json PACK       the same as one JSON object:\r\n                      "
     "   {\"counts\":[e,m,h],\"tracks\":[{number, group, numInGroup, name,\r\n                     "
     "     headerLen, pointsLen, nodeCount, templ, startX, startY,\r\n                          "
     "anchorY, trailing}, ...]}\r\n  count PACK             the track counts as \"e/m/h total\", "
     "e.g. \"12/10/8 30\"\r\n  resave IN OUT          read IN as the editor reads it and save it "
     "to OUT as the\r\n                         editor saves (an existing OUT is kept as OUT.old "
     "once)\r\n  sample OUT [--tracks N] [--segments M] [--seed S]\r\n                         "
     "write a pack of N generated tracks (default 30) with M\r\n                         segments "
     "each (default 60, at most 499)\r\n  import PACK OUT --from SOURCE.mrg [--pick N,N,...]\r\n   "
     "                      copy tracks of SOURCE (numbered 1.. in pack order; all of\r\n          "
     "               them without --pick) to the ends of their groups, save to OUT\r\n  import "
     "PACK OUT --lev FILE.lev...\r\n                         the same with single-track files, at "
     "the end of Easy\r\n  export-lev PACK N OUT.lev\r\n                         the delta pairs "
     "of the N-th track (as info numbers it)\r\n  pictures PACK OUTDIR [--ratio Q]\r\n             "
     "            a GIF picture of every track at 1/Q (default 8) and the\r\n                      "
     "   catalogue bdpic.dat, in OUTDIR (made when missing)\r\n  submit PACK --nick N --email E "
     "--level L [--note T] [--save-only]\r\n                         in a base folder: pack PACK "
     "(at least 30 tracks) with\r\n                         info.txt into tomail/levels.zip and "
     "mail it to the\r\n                         submission mailbox ([Mail] in opt.ini); "
     "--save-only keeps\r\n                         the archive only. Log lines go to standard "
     "error",
     "использование: trackpack КОМАНДА ...\r\n\r\n  info PACK              группы, строки "
     "\"j/название\" и текст с числом треков\r\n  info --json PACK       то же одним объектом "
     "JSON:\r\n                         {\"counts\":[e,m,h],\"tracks\":[{number, group, "
     "numInGroup, name,\r\n                          headerLen, pointsLen, nodeCount, templ, "
     "startX, startY,\r\n                          anchorY, trailing}, ...]}\r\n  count PACK       "
     "      число треков в виде \"e/m/h всего\", например \"12/10/8 30\"\r\n  resave IN OUT        "
     "  прочитать IN, как читает редактор, и сохранить в OUT, как\r\n                         "
     "сохраняет редактор (прежний OUT один раз остаётся как OUT.old)\r\n  sample OUT [--tracks N] "
     "[--segments M] [--seed S]\r\n                         записать пакет из N созданных треков "
     "(по умолчанию 30) по M\r\n                         отрезков (по умолчанию 60, не больше "
     "499)\r\n  import PACK OUT --from SOURCE.mrg [--pick N,N,...]\r\n                         "
     "скопировать треки SOURCE (номера с 1 по порядку пакета; без\r\n                         "
     "--pick все) в концы их групп, сохранить в OUT\r\n  import PACK OUT --lev FILE.lev...\r\n     "
     "                    то же с файлами одного трека, в конец группы Easy\r\n  export-lev PACK N "
     "OUT.lev\r\n                         пары приращений N-го трека (в нумерации info)\r\n  "
     "pictures PACK OUTDIR [--ratio Q]\r\n                         картинка GIF каждого трека в "
     "масштабе 1/Q (по умолчанию 8) и\r\n                         каталог bdpic.dat, в OUTDIR "
     "(создаётся, если её нет)\r\n  submit PACK --nick N --email E --level L [--note T] "
     "[--save-only]\r\n                         в базовой папке: упаковать PACK (не меньше 30 "
     "треков) с\r\n                         info.txt в tomail/levels.zip и отправить на ящик "
     "приёма\r\n                         уровней ([Mail] в opt.ini); --save-only только "
     "создаёт\r\n                         архив. Журнал идёт в стандартный поток "
     "ошибок"},
    {281, "trackpack: a command without its pack; %1 the command", "%1 takes one pack file",
     "%1: нужен один файл пакета"},
    {282, "trackpack: resave without its files", "resave takes an input and an output file",
     "resave: нужны входной и выходной файлы"},
    {283, "trackpack: sample without its file", "sample takes an output file",
     "sample: нужен выходной файл"},
    {284, "trackpack: an unknown option; %1 the option", "unknown option %1",
     "неизвестный параметр %1"},
    {285, "trackpack: an option without its number; %1 the option", "%1 needs a whole number",
     "%1: нужно целое число"},
    {286, "trackpack: a number out of range; %1 option, %2..%3 the range", "%1 must lie in %2..%3",
     "%1: число должно лежать в %2..%3"},
    {287, "trackpack: no command", "no command given", "не задана команда"},
    {288, "trackpack: an unknown command; %1 the command", "unknown command %1",
     "неизвестная команда %1"},
    {289, "trackpack: import without its files",
     "import takes a pack, an output file and --from or --lev",
     "import: нужны пакет, выходной файл и --from или --lev"},
    {290, "trackpack: an option without its value; %1 the option", "%1 needs a value",
     "%1: нужно значение"},
    {291, "trackpack: bad track numbers", "--pick takes track numbers above 0 separated by commas",
     "--pick: нужны номера треков больше 0 через запятую"},
    {292, "trackpack: --from with --lev", "--from and --lev do not mix in one call",
     "--from и --lev нельзя задать вместе"},
    {293, "trackpack: import without a source",
     "import needs --from SOURCE.mrg or --lev FILE.lev...",
     "import: нужен --from SOURCE.mrg или --lev FILE.lev..."},
    {294, "trackpack: --lev without files", "--lev needs at least one file",
     "--lev: нужен хотя бы один файл"},
    {295, "trackpack: --pick without --from", "--pick belongs to --from",
     "--pick задаётся только вместе с --from"},
    {296, "trackpack: no such track; %1 the number, %2 the tracks in the pack",
     "there is no track %1; the pack holds %2", "трека %1 нет; в пакете треков: %2"},
    {297, "trackpack: tracks left out; %1 the number, %2 the most tracks",
     "%1 of the tracks were not copied: a pack holds at most %2 tracks",
     "не скопировано треков: %1; в пакете может быть не больше %2 треков"},
    {298, "trackpack: export-lev without its arguments",
     "export-lev takes a pack, a track number and a file",
     "export-lev: нужны пакет, номер трека и файл"},
    {299, "trackpack: a bad track number", "the track number must be a whole number above 0",
     "номер трека должен быть целым числом больше 0"},
    {300, "trackpack: pictures without its arguments", "pictures takes a pack and an output folder",
     "pictures: нужны пакет и выходная папка"},
    {301, "trackpack: a bad ratio", "--ratio takes a whole number above 0",
     "--ratio: нужно целое число больше 0"},
    {302, "trackpack: a folder not made", "the folder cannot be made", "папку не удалось создать"},
    {303, "trackpack: picture progress; %1 the percentage", "pictures %1%", "картинки %1%"},
    {304, "trackpack: submit without its fields", "submit needs --nick, --email and --level",
     "submit: нужны --nick, --email и --level"},
    {305, "trackpack: submit without its pack", "submit takes a pack file first",
     "submit: первым нужен файл пакета"},
    {306, "the per-user folder not fully prepared; %1 one problem a line",
     "The per-user folder could not be fully prepared:\r\n\r\n%1",
     "Папку пользователя не удалось подготовить полностью:\r\n\r\n%1"},
    {307, "per-user folder: a folder not made", "the folder could not be made",
     "папку не удалось создать"},
    {308, "per-user folder: the shipped files missing",
     "the program's own files are not there (it is not fully installed)",
     "файлов самой программы здесь нет (она установлена не полностью)"},
    {309, "writer: a file the user may not write", "the file is read-only",
     "файл доступен только для чтения"},
    {310, "Save: the pack is read-only; %1 the file",
     "%1 is read-only: the pack cannot be saved into it.\r\n\r\nSave it under another name?",
     "%1 доступен только для чтения: сохранить пакет в него нельзя.\r\n\r\nСохранить под "
     "другим именем?"},
    {311, "Save: the pack changed on disk; %1 the file",
     "%1 was changed on disk by another program after it was opened or saved here.\r\n\r\n"
     "Overwrite it with the pack in the editor, or save the pack under another name?",
     "%1 изменён на диске другой программой после того, как был открыт или сохранён "
     "здесь.\r\n\r\nПерезаписать его пакетом из редактора или сохранить пакет под другим "
     "именем?"},
    {312, "button: overwrite the file", "Overwrite", "Перезаписать"},
    {313, "button: save under another name", "Save as...", "Сохранить как..."},
    {314, "button: cancel", "Cancel", "Отмена"},
    {315, "status bar: autosave held back", "Not autosaved: the pack was changed on disk",
     "Автосохранение отложено: пакет изменён на диске"},
    {316, "focus: the pack changed on disk, nothing unsaved; %1 the file",
     "%1 was changed on disk by another program.\r\n\r\nLoad it again?",
     "%1 изменён на диске другой программой.\r\n\r\nЗагрузить его заново?"},
    {317, "focus: the pack changed on disk, with unsaved changes; %1 the file",
     "%1 was changed on disk by another program, and the pack in the editor has unsaved "
     "changes.\r\n\r\nSave will ask before it overwrites the file; Open loads the other "
     "version.",
     "%1 изменён на диске другой программой, а в пакете в редакторе есть несохранённые "
     "изменения.\r\n\r\nСохранение спросит, прежде чем перезаписать файл; команда Открыть "
     "загрузит другую версию."},
    {318, "reading: a file too large; %1 the file, %2 the limit in bytes",
     "%1: the file is larger than %2 bytes and is not loaded; the defaults are used",
     "%1: файл больше %2 байт и не загружен; действуют значения по умолчанию"},
    {319, "reading: a line too long; %1 the file, %2 the limit in bytes",
     "%1: a line is longer than %2 bytes; the file is not loaded and the defaults are used",
     "%1: строка длиннее %2 байт; файл не загружен, действуют значения по умолчанию"},
    {320, "trackpack: the helper program of a command cannot be started",
     "%1 could not be started: %2", "не удалось запустить %1: %2"},
    {321, "game archive packer: the usage",
     "usage: jarpacker GAME.jar PACK OUT.jar\r\n"
     "  Writes OUT.jar: GAME.jar with its entry \"levels.mrg\" replaced by PACK, every\r\n"
     "  other entry kept byte for byte. When GAME.jad lies beside the game, OUT.jad is\r\n"
     "  written beside OUT.jar with MIDlet-Jar-Size and MIDlet-Jar-URL updated; the two\r\n"
     "  are written together or not at all.\r\n"
     "  Without arguments a window asks for the three files.\r\n"
     "\r\n"
     "  -h, --help     print this text and exit\r\n"
     "  --version      print the version and exit\r\n"
     "\r\n"
     "Messages come in the language of opt.ini in the current folder; without one,\r\n"
     "in the locale's (LC_ALL, LC_MESSAGES, LANG): Russian for ru*, English otherwise.\r\n"
     "Exit status: 0 written, 1 refused or failed (nothing written), 2 usage error.",
     "использование: jarpacker ИГРА.jar ПАКЕТ НОВЫЙ.jar\r\n"
     "  Пишет НОВЫЙ.jar: ИГРА.jar, в котором элемент \"levels.mrg\" заменён ПАКЕТОМ,\r\n"
     "  а все остальные сохранены байт в байт. Если рядом с игрой лежит ИГРА.jad,\r\n"
     "  рядом с НОВЫЙ.jar пишется НОВЫЙ.jad с новыми MIDlet-Jar-Size и MIDlet-Jar-URL;\r\n"
     "  оба файла пишутся вместе или ни один.\r\n"
     "  Без аргументов открывается окно, где выбираются три файла.\r\n"
     "\r\n"
     "  -h, --help     напечатать этот текст и выйти\r\n"
     "  --version      напечатать версию и выйти\r\n"
     "\r\n"
     "Сообщения идут на языке opt.ini текущей папки, а без него - на языке локали\r\n"
     "(LC_ALL, LC_MESSAGES, LANG): русском для ru*, иначе английском.\r\n"
     "Код выхода: 0 записано, 1 отказ или ошибка (ничего не записано), 2 ошибка вызова."},
    {322, "game archive packer: not three files", "three files are needed", "нужны три файла"},
    {323, "game archive packer: an output that is an input; %1 the output",
     "%1 is one of the files read; choose another output",
     "%1 - один из читаемых файлов; выберите другой новый архив"},
    {324, "game archive packer: the game is an empty file", "an empty file, not a zip archive",
     "пустой файл, а не архив zip"},
    {325, "game archive packer: two level entries", "the archive holds \"levels.mrg\" twice",
     "в архиве два элемента \"levels.mrg\""},
    {326, "game archive packer: a damaged archive",
     "a damaged zip archive (its records point outside it)",
     "повреждённый архив zip (его записи указывают за его пределы)"},
    {327, "game archive packer: an archive it cannot rewrite",
     "a zip archive of a kind not supported (ZIP64, several parts or an encrypted \"levels.mrg\")",
     "архив zip неподдерживаемого вида (ZIP64, несколько частей или зашифрованный "
     "\"levels.mrg\")"},
    {328, "game archive packer: too large", "the new archive would be too large for zip",
     "новый архив слишком велик для zip"},
    {329, "game archive packer: the window program missing; %1 its path",
     "the window of the packer (%1) could not be started",
     "окно программы сборки (%1) не удалось запустить"},
    {330, "submission log: stopped after the message went out",
     "Stopped after the message was sent: the server may have delivered it. Check the mailbox "
     "before sending it again.",
     "Остановлено после отправки письма: сервер мог его доставить. Проверьте почту, прежде чем "
     "отправлять снова."},
    {331, "submission log: the run took too long; %1 seconds", "no answer within %1 seconds in all",
     "нет ответа за %1 с в сумме"},
    {332, "submission: the nick 0", "\"0\" is no nick: enter yours.",
     "\"0\" - не ник: введите свой."},
    {333, "submission: characters Windows-1251 cannot hold; %1 the characters",
     "These characters cannot be sent (Windows-1251 has no place for them): %1",
     "Эти символы отправить нельзя (в Windows-1251 их нет): %1"},
    {334, "mail: connection refused", "the server refused the connection",
     "сервер отказал в соединении"},
    {335, "mail: host not found", "the server's name was not found", "имя сервера не найдено"},
    {336, "mail: a network error; %1 the system's text", "network error (%1)", "ошибка сети (%1)"},
    {337, "submission: the open pack has unsaved changes",
     "The open pack has changes that are not saved. Save it first, or send the file as it was "
     "last saved?",
     "В открытом пакете есть несохранённые изменения. Сохранить его сначала или отправить файл "
     "в том виде, в каком он был сохранён?"},
    {338, "submission: save the pack first", "Save first", "Сначала сохранить"},
    {339, "submission: send the pack as saved", "Send as saved", "Отправить сохранённый"},
    {369, "drop: a pack together with other files",
     "Drop one pack (\".mrg\", \".lvl\") or \".lev\" files, not both together.",
     "Перетащите один пакет (\".mrg\", \".lvl\") или файлы \".lev\", но не вместе."},
    {370, "drop: a track is open",
     "Files cannot be dropped while a track is open: store or close the track first.",
     "Файлы нельзя перетащить, пока открыт трек: сначала сохраните или закройте его."},
    {387, "pictures: how many a run wrote", "%1 pictures written.", "Записано картинок: %1."},
    {388, "trackpack: the usage after the commands: options, language, exit codes",
     "  -h, --help             print this text and exit\r\n"
     "  --version              print the version and exit\r\n"
     "\r\n"
     "Messages come in the language of opt.ini in the current folder; without one,\r\n"
     "in the locale's (LC_ALL, LC_MESSAGES, LANG): Russian for ru*, English otherwise.\r\n"
     "Exit status: 0 success, 1 a file was refused or could not be written (submit: the\r\n"
     "run was refused or the mail not accepted; check: a fault was found, hints alone\r\n"
     "exit 0; ride: the track was not finished), 2 usage error, 130 check --solve\r\n"
     "stopped by Ctrl+C. import exits 1 when a track asked for was not copied (a pack\r\n"
     "holds at most 4095): it tells how many were left out and writes OUT only when\r\n"
     "some were copied.",
     "  -h, --help             напечатать этот текст и выйти\r\n"
     "  --version              напечатать версию и выйти\r\n"
     "\r\n"
     "Сообщения идут на языке opt.ini текущей папки, а без него - на языке локали\r\n"
     "(LC_ALL, LC_MESSAGES, LANG): русском для ru*, иначе английском.\r\n"
     "Код выхода: 0 успех, 1 файл отвергнут или не записан (submit: отправка отвергнута\r\n"
     "или письмо не принято; check: найдена ошибка, одни подсказки дают 0; ride: трек\r\n"
     "не пройден), 2 ошибка в командной строке, 130 check --solve остановлена Ctrl+C.\r\n"
     "import выходит с кодом 1, если запрошенный трек не скопирован (в пакете не больше\r\n"
     "4095 треков): сообщает, сколько не вошло, и записывает OUT, только если часть\r\n"
     "скопирована."},
    {389, "game archive packer: a cut run found, the pair it left agrees; %1 the archive",
     "%1: an earlier run was cut short; the archive and its descriptor agree and are kept.",
     "%1: предыдущий запуск был прерван; архив и его дескриптор согласованы и оставлены."},
    {390, "game archive packer: a cut run found, the previous archive put back; %1 the archive",
     "%1: an earlier run was cut short; the previous archive is back beside its descriptor.",
     "%1: предыдущий запуск был прерван; прежний архив возвращён к своему дескриптору."},
    {391, "game archive packer: a cut run found, its unfinished archive removed; %1 the archive",
     "%1: an earlier run was cut short; its unfinished archive was removed.",
     "%1: предыдущий запуск был прерван; его недописанный архив удалён."},
};

} // namespace

const std::vector<AddedLine>& listAndFileLines() {
    static const std::vector<AddedLine> lines(std::begin(kAdded), std::end(kAdded));
    return lines;
}

} // namespace korvo
