#pragma once
// What the level submission writes besides its language lines: the mail's
// own fixed texts, the colours of the log and the time stamp of a log line.

#include <QColor>
#include <QString>
#include <QTime>

namespace korvo {

// The mail is data for the site: these stay the same in every language.
namespace submission_text {
inline const QString kSubject = QStringLiteral("KorvoTE/New Levels");
inline const QString kMailerName = QStringLiteral("KorvoTE Mailer");
} // namespace submission_text

// The colours of the log.
enum class LogColour { Green, Blue, Red, Navy };
QColor logColour(LogColour c);

// The time stamp of a log line: the system's long time format (without the
// time zone), for example "14:05:09".
QString logTimeText(const QTime& time);

} // namespace korvo
