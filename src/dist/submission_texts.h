#pragma once
// The texts of the level submission and of the packer launch. The window's captions and the fixed
// messages are Russian in every language; the texts this program adds of
// its own come in English and Russian (kOwnTexts) and follow the language
// the editor runs in.

#include <QColor>
#include <QString>
#include <QTime>

namespace korvo {

class LangLines;

// Captions and fixed messages.
namespace submission_text {
inline const QString kNoFile = QString::fromUtf8("Не выбран файл.");
inline const QString kMissingField = QString::fromUtf8("Не заполнено одно из обязательных полей.");
inline const QString kTooFewTracks =
    QString::fromUtf8("В уровне не достаточно треков. Минимум 30 треков!");
inline const QString kSavedToDisk = QString::fromUtf8("Файл сохранён в директорию \\tomail\\");
inline const QString kArchiveMade = QString::fromUtf8("Файл создан.");
inline const QString kConnecting = QString::fromUtf8("Соединение с сервером SMTP");
inline const QString kAuthorised = QString::fromUtf8("Авторизация SMTP");
inline const QString kNoErrors = QString::fromUtf8("Ошибок нет");
inline const QString kConnectError = QString::fromUtf8("Ошибка соединения: ");
inline const QString kNoConnection = QString::fromUtf8("Соединение с сервером SMTP отсутствует");
inline const QString kNoAttachment = QString::fromUtf8("Присоединённого файла не существует (");
inline const QString kSending = QString::fromUtf8("Отправляется...");
inline const QString kSent = QString::fromUtf8("Отправка завершена.");
inline const QString kSubject = QStringLiteral("KorvoTE/New Levels");
inline const QString kMailerName = QStringLiteral("KorvoTE Mailer");
} // namespace submission_text

// Texts of our own, each in both languages.
enum class OwnText {
    BadField,        // a field holds a line break or another control character
    PackUnreadable,  // %1: the reason
    NotAPack,        // %1: the reason
    NoMailFolder,    // %1: the folder
    WriteFailed,     // %1: the reason
    AuthorNotStored, // %1: the reason
    LoginRefused,    // %1: the server's reply
    Untrusted,       // %1: why the certificate was refused
    NotConnected,
    SendFailed, // %1: the reason
    Cancelled,
    Outcome_Sent, // %1: the mailbox
    Outcome_NotSent,
    BadMailbox,       // %1: the address
    PackerNotFound,   // %1: the packer, %2: its program folder, %3: the PATH folders
    PackerNotStarted, // %1: the packer's path
    Count_
};
constexpr int kOwnTextCount = int(OwnText::Count_);

struct OwnTextPair {
    OwnText id;
    const char* english;
    const char* russian;
};

// The table of our own texts, one pair for each OwnText.
extern const OwnTextPair kOwnTexts[kOwnTextCount];

// An own text in the chosen language.
QString ownText(OwnText id, bool russian);
// True when the loaded interface language is Russian (its menu texts are
// written in Cyrillic).
bool languageIsRussian(const LangLines& lang);

// The colours of the log.
enum class LogColour { Green, Blue, Red, Navy };
QColor logColour(LogColour c);

} // namespace korvo

namespace korvo {
// The time stamp of a log line: the system's long time format (without the
// time zone), for example "14:05:09".
QString logTimeText(const QTime& time);
} // namespace korvo
