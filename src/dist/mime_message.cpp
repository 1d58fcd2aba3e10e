#include "mime_message.h"

#include "text/cp1251.h"

#include <QLocale>
#include <QRandomGenerator>

namespace korvo {

namespace {

QByteArray cp1251(const QString& s) {
    const std::string b = toCp1251(s);
    return QByteArray(b.data(), qsizetype(b.size()));
}

// Line breaks of typed text (CR LF, lone CR, lone LF) as CR LF.
QString crlfBreaks(const QString& text) {
    QString t = text;
    t.replace("\r\n", "\n").replace('\r', '\n');
    return t.replace("\n", "\r\n");
}

QByteArray hexByte(unsigned char c) {
    static const char* const kHex = "0123456789ABCDEF";
    return QByteArray("=") + kHex[c >> 4] + kHex[c & 15];
}

QByteArray rfc5322Date(const QDateTime& when) {
    const int offset = when.offsetFromUtc() / 60;
    const int a = std::abs(offset);
    return QLocale::c().toString(when, "ddd, dd MMM yyyy hh:mm:ss ").toLatin1() +
           (offset < 0 ? '-' : '+') + QByteArray::number(a / 60).rightJustified(2, '0') +
           QByteArray::number(a % 60).rightJustified(2, '0');
}

} // namespace

QByteArray submissionBody(const QString& nick, const QString& email, const QString& levelName,
                          const QString& countText, const QString& note) {
    QStringList lines = {QString::fromUtf8("Автор : ") + nick, "E-Mail : " + email,
                         QString::fromUtf8("Название уровня : ") + levelName,
                         QString::fromUtf8("Колво треков : ") + countText};
    if (!note.isEmpty()) lines << QString::fromUtf8("Примечание : ") + crlfBreaks(note);
    return cp1251(lines.join("\r\n"));
}

QStringList splitRecipients(const QString& text) {
    QStringList out;
    for (const QString& part : text.split(';')) {
        const QString address = part.trimmed();
        if (!address.isEmpty()) out << address;
    }
    return out;
}

QByteArray quotedPrintable(const QByteArray& bytes) {
    QByteArray out;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QByteArray line = lines[n];
        const bool hardBreak = n + 1 < lines.size();
        if (hardBreak && line.endsWith('\r')) line.chop(1);
        int column = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(line[i]);
            const bool last = i + 1 == line.size();
            const bool plain =
                (c >= 33 && c <= 126 && c != '=') || ((c == ' ' || c == '\t') && !last);
            const QByteArray token = plain ? QByteArray(1, char(c)) : hexByte(c);
            if (column + token.size() > 75) { // leave room for the soft break "="
                out += "=\r\n";
                column = 0;
            }
            out += token;
            column += int(token.size());
        }
        if (hardBreak) out += "\r\n";
    }
    return out;
}

QByteArray base64Lines(const QByteArray& bytes) {
    const QByteArray all = bytes.toBase64();
    QByteArray out;
    out.reserve(all.size() + all.size() / 38 + 2);
    for (qsizetype i = 0; i < all.size(); i += 76) out += all.mid(i, 76) + "\r\n";
    return out;
}

QByteArray newBoundary() {
    // '=' and '_' together never occur in base64, and "=_" never in quoted-printable.
    return "----=_KorvoTE_" +
           QByteArray::number(QRandomGenerator::global()->generate64(), 16).rightJustified(16, '0');
}

QByteArray composeMessage(const MailMessage& m, const QByteArray& boundary) {
    const QByteArray box = m.mailbox.toLatin1();
    const QByteArray domain = box.mid(box.lastIndexOf('@') + 1);
    QByteArray out;
    out += "From: \"" + m.fromName.toLatin1() + "\" <" + box + ">\r\n";
    out += "Reply-To: " + box + "\r\n";
    out += "To: " + m.recipients.join(", ").toLatin1() + "\r\n";
    out += "Subject: " + m.subject.toLatin1() + "\r\n";
    out += "Date: " + rfc5322Date(m.date) + "\r\n";
    out += "Message-ID: <" + QByteArray::number(QRandomGenerator::global()->generate64(), 36) +
           "." + QByteArray::number(m.date.toSecsSinceEpoch()) + "@" + domain + ">\r\n";
    out += "MIME-Version: 1.0\r\n";
    out += "X-Mailer: " + m.fromName.toLatin1() + "\r\n";
    out += "Content-Type: multipart/mixed;\r\n\tboundary=\"" + boundary + "\"\r\n";
    out += "\r\nThis is a multi-part message in MIME format.\r\n";
    out += "\r\n--" + boundary + "\r\n";
    out += "Content-Type: text/plain; charset=\"windows-1251\"\r\n";
    out += "Content-Transfer-Encoding: quoted-printable\r\n\r\n";
    out += quotedPrintable(m.text) + "\r\n";
    if (!m.attachmentName.isEmpty()) {
        const QByteArray name = m.attachmentName.toLatin1();
        out += "--" + boundary + "\r\n";
        out += "Content-Type: application/zip; name=\"" + name + "\"\r\n";
        out += "Content-Transfer-Encoding: base64\r\n";
        out += "Content-Disposition: attachment; filename=\"" + name + "\"\r\n\r\n";
        out += base64Lines(m.attachment);
    }
    out += "--" + boundary + "--\r\n";
    return out;
}

QByteArray dataBlock(const QByteArray& message) {
    QByteArray out;
    out.reserve(message.size() + message.size() / 64 + 8);
    bool lineStart = true;
    for (const char c : message) {
        if (lineStart && c == '.') out += '.';
        out += c;
        lineStart = c == '\n';
    }
    if (!out.endsWith("\r\n")) out += "\r\n";
    return out + ".\r\n";
}

} // namespace korvo
