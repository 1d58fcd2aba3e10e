#include "submission_texts.h"

#include "settings/lang_lines.h"

#include <QLocale>

namespace korvo {

const OwnTextPair kOwnTexts[kOwnTextCount] = {
    {OwnText::BadField, "The nick, e-mail and level name must be single lines of text.",
     "Ник, e-mail и название уровня должны быть одной строкой текста."},
    {OwnText::PackUnreadable, "The level file cannot be read: %1", "Файл уровня не читается: %1"},
    {OwnText::NotAPack, "The file is not a level pack: %1", "Файл не является файлом уровней: %1"},
    {OwnText::NoMailFolder, "The folder %1 does not exist; create it and try again.",
     "Папки %1 нет; создайте её и повторите."},
    {OwnText::WriteFailed, "The archive could not be written: %1", "Архив не записан: %1"},
    {OwnText::AuthorNotStored, "The author could not be stored in opt.ini: %1",
     "Автор не записан в opt.ini: %1"},
    {OwnText::LoginRefused, "The server refused the login: %1", "Сервер отказал во входе: %1"},
    {OwnText::Untrusted, "The server's certificate was not accepted: %1",
     "Сертификат сервера не принят: %1"},
    {OwnText::NotConnected, "Not connected to the SMTP server.", "Нет соединения с сервером SMTP."},
    {OwnText::SendFailed, "Sending failed: %1", "Ошибка отправки: %1"},
    {OwnText::Cancelled, "Sending was stopped.", "Отправка прервана."},
    {OwnText::Outcome_Sent, "The level was sent to %1.", "Уровень отправлен на %1."},
    {OwnText::Outcome_NotSent, "The level was not sent.", "Уровень не отправлен."},
    {OwnText::BadMailbox, "The mailbox address \"%1\" is not usable ([Mail] Mailbox in opt.ini).",
     "Адрес ящика \"%1\" не годится ([Mail] Mailbox в opt.ini)."},
    {OwnText::PackerNotFound,
     "The game archive packer \"%1\" was not found. Looked in %2 and in the folders of PATH "
     "(%3).",
     "Программа сборки игры \"%1\" не найдена. Искали в %2 и в папках PATH (%3)."},
    {OwnText::PackerNotStarted, "The game archive packer %1 could not be started.",
     "Программу сборки игры %1 не удалось запустить."},
};

QString ownText(OwnText id, bool russian) {
    for (const OwnTextPair& pair : kOwnTexts)
        if (pair.id == id) return QString::fromUtf8(russian ? pair.russian : pair.english);
    return {};
}

bool languageIsRussian(const LangLines& lang) {
    // Line 70 is the menu item "Открыть *.mrg" (File > Open).
    const QString text = lang[70];
    for (QChar c : text)
        if (c.script() == QChar::Script_Cyrillic) return true;
    return false;
}

QColor logColour(LogColour c) {
    switch (c) {
    case LogColour::Green:
        return QColor(0, 128, 0);
    case LogColour::Blue:
        return QColor(0, 0, 255);
    case LogColour::Red:
        return QColor(255, 0, 0);
    case LogColour::Navy:
        return QColor(0, 0, 128);
    }
    return QColor(0, 0, 0);
}

} // namespace korvo

namespace korvo {

QString logTimeText(const QTime& time) {
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove('t'); // the time zone
    format = format.trimmed();
    if (format.isEmpty()) format = "HH:mm:ss";
    return QLocale::system().toString(time, format);
}

} // namespace korvo
