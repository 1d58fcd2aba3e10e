#pragma once
// An SMTP client on QSslSocket, driven by the socket's signals: nothing here
// blocks, so the window stays responsive while a mail goes out.
//
// open(): connect, read the greeting (220), EHLO (HELO when EHLO is not
// answered with 250), STARTTLS when the server offers it and it is wanted
// (certificates verified, EHLO again), then AUTH LOGIN (334, 334, 235).
// send(): RSET, MAIL FROM, RCPT TO for each recipient (250 or 251), DATA
// (354), the dot-stuffed message and "." (250), then QUIT.
// Every step waits at most `timeoutMs` for the server.

#include "smtp_reply.h"
#include "text/lang_lines.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

class QSslSocket;

namespace korvo {

// Why a connection could not be opened: worth another attempt, or not.
enum class SmtpFailure {
    Connection,   // no connection, no answer, an unexpected reply: try again
    LoginRefused, // the server refused the user name or password
    Untrusted,    // the server's certificate could not be verified
};

struct SmtpEndpoint {
    QString host;
    int port = 25;
    QString user;
    QString password;
    bool startTls = true;
    int timeoutMs = 30000;
};

class SmtpClient : public QObject {
    Q_OBJECT
public:
    // Its failures are worded in `lang`.
    explicit SmtpClient(const LangLines& lang, QObject* parent = nullptr);
    ~SmtpClient() override;

    // Starts a connection; ends in opened() or openFailed().
    void open(const SmtpEndpoint& endpoint);
    // Sends one message on an open connection; ends in sent() or sendFailed().
    void send(const QString& from, const QStringList& recipients, const QByteArray& message);
    // Drops the connection at once; no signal follows.
    void abort();
    bool isOpen() const { return step_ == Step::Ready; }
    // The whole message and its final "." have left: the server may keep the
    // mail whatever happens next, so stopping now is no "not sent".
    // The server answered the message with 250: it has taken the mail.
    bool messageAccepted() const { return step_ == Step::Quit; }
    bool messageMayBeDelivered() const {
        return (step_ == Step::Body && bodyOut_) || step_ == Step::Quit;
    }

signals:
    void opened();
    void openFailed(const QString& why, korvo::SmtpFailure kind);
    void sent();
    void sendFailed(const QString& why);

private:
    enum class Step {
        Idle,
        Connect,
        Greeting,
        Ehlo,
        Helo,
        StartTls,
        Handshake,
        EhloTls,
        Auth,
        AuthUser,
        AuthPass,
        Ready,
        Rset,
        MailFrom,
        RcptTo,
        Data,
        Body,
        Quit
    };

    void onReadyRead();
    void onReply(const SmtpReply& reply);
    void onOpeningReply(const SmtpReply& reply);
    void onSendingReply(const SmtpReply& reply);
    void onEncrypted();
    void onClosed();
    void onTimeout();
    void command(const QByteArray& line, Step next);
    void startAuth();
    void fail(const QString& why, SmtpFailure kind = SmtpFailure::Connection);
    void finishSent();
    void dropSocket();
    bool sending() const { return step_ >= Step::Rset; }
    QString unexpected(const SmtpReply& reply) const;
    template <class... A> QString text(int n, const A&... args) const {
        return lang_.say(Message::line(n, args...));
    }

    QSslSocket* socket_ = nullptr;
    SmtpReplyReader reader_;
    const LangLines& lang_;
    QTimer timer_;
    SmtpEndpoint endpoint_;
    Step step_ = Step::Idle;
    QString from_;
    QStringList recipients_;
    int nextRecipient_ = 0;
    QByteArray message_;
    bool bodyOut_ = false; // every byte of the message written to the socket
};

} // namespace korvo
