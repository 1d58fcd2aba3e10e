#pragma once
// The submission mail as it goes over the wire: headers, a multipart/mixed
// body with a windows-1251 text part (quoted-printable) and the archive as a
// base64 attachment. No line is longer than 76 characters, every line ends
// with CR LF, and user text never reaches a header.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace korvo {

struct MailMessage {
    QString fromName;       // display name of the sender
    QString mailbox;        // sender and reply-to address
    QStringList recipients; // each a usable address
    QString subject;        // plain ASCII
    QDateTime date;
    QByteArray text;        // the body in windows-1251, lines ended by CR LF
    QString attachmentName; // plain ASCII file name; empty: no attachment
    QByteArray attachment;
};

// The body lines of a submission in windows-1251, joined by CR LF. The note
// line comes only for a non-empty note; its own line breaks become CR LF.
QByteArray submissionBody(const QString& nick, const QString& email, const QString& levelName,
                          const QString& countText, const QString& note);

// The recipients of a recipient text in which ';' separates addresses.
QStringList splitRecipients(const QString& text);

// The whole message (RFC 5322 / MIME), with the given multipart boundary.
QByteArray composeMessage(const MailMessage& m, const QByteArray& boundary);
// A boundary that does not occur in base64 or quoted-printable text.
QByteArray newBoundary();

// Quoted-printable (RFC 2045): CR LF line breaks kept, lines of at most 76.
QByteArray quotedPrintable(const QByteArray& bytes);
// Base64 in lines of 76 characters, each ended by CR LF.
QByteArray base64Lines(const QByteArray& bytes);

// The DATA block (RFC 5321): a dot doubled at the start of a line, a final
// CR LF added when missing, then the closing ".".
QByteArray dataBlock(const QByteArray& message);

} // namespace korvo
