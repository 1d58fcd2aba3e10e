#include "smtp_client.h"

#include "text/lang_added.h"
#include "text/lang_lines.h"

#include "mime_message.h"

#include <QHostInfo>
#include <QSslSocket>

namespace korvo {

namespace {

// The name this machine greets with: its host name, reduced to the
// characters a domain may hold.
QByteArray greetingName() {
    QByteArray name;
    for (const char c : QHostInfo::localHostName().toLatin1())
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-') name += c;
    return name.isEmpty() ? QByteArray("localhost") : name;
}

// A socket's error in the interface language; Qt's own text where no line says it.
Message socketError(QAbstractSocket::SocketError error, const QString& qtText) {
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return Message::line(kLineSocketRefused);
    case QAbstractSocket::HostNotFoundError:
        return Message::line(kLineSocketHostNotFound);
    default:
        return Message::line(kLineSocketNetwork, qtText);
    }
}

QString seconds(int ms) {
    return QString::number((ms + 999) / 1000);
}

} // namespace

SmtpClient::SmtpClient(const LangLines& lang, QObject* parent) : QObject(parent), lang_(lang) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &SmtpClient::onTimeout);
}

SmtpClient::~SmtpClient() {
    dropSocket();
}

void SmtpClient::dropSocket() {
    timer_.stop();
    if (!socket_) return;
    socket_->disconnect(this);
    socket_->abort();
    socket_->deleteLater();
    socket_ = nullptr;
}

void SmtpClient::abort() {
    dropSocket();
    step_ = Step::Idle;
}

void SmtpClient::open(const SmtpEndpoint& endpoint) {
    abort();
    endpoint_ = endpoint;
    reader_ = SmtpReplyReader();
    socket_ = new QSslSocket(this);
    connect(socket_, &QSslSocket::connected, this, [this] {
        step_ = Step::Greeting;
        timer_.start(endpoint_.timeoutMs);
    });
    connect(socket_, &QSslSocket::readyRead, this, &SmtpClient::onReadyRead);
    connect(socket_, &QSslSocket::encrypted, this, &SmtpClient::onEncrypted);
    connect(socket_, &QSslSocket::disconnected, this, &SmtpClient::onClosed);
    connect(socket_, &QSslSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
        if (e == QAbstractSocket::RemoteHostClosedError) return onClosed();
        fail(lang_.say(socketError(e, socket_->errorString())));
    });
    connect(socket_, &QSslSocket::sslErrors, this, [this](const QList<QSslError>& errors) {
        QStringList texts;
        for (const QSslError& e : errors) texts << e.errorString();
        fail("TLS: " + texts.join("; "), SmtpFailure::Untrusted);
    });
    connect(socket_, &QSslSocket::bytesWritten, this, [this] {
        if (step_ != Step::Body) return;
        timer_.start(endpoint_.timeoutMs); // still moving
        if (socket_->bytesToWrite() == 0) bodyOut_ = true;
    });
    step_ = Step::Connect;
    timer_.start(endpoint_.timeoutMs);
    socket_->connectToHost(endpoint_.host, quint16(endpoint_.port));
}

void SmtpClient::send(const QString& from, const QStringList& recipients,
                      const QByteArray& message) {
    if (step_ != Step::Ready || recipients.isEmpty()) {
        emit sendFailed(text(step_ != Step::Ready ? kLineMailNotConnected : kLineMailNoRecipient));
        return;
    }
    from_ = from;
    recipients_ = recipients;
    nextRecipient_ = 0;
    message_ = message;
    command("RSET", Step::Rset);
}

void SmtpClient::command(const QByteArray& line, Step next) {
    step_ = next;
    socket_->write(line + "\r\n");
    timer_.start(endpoint_.timeoutMs);
}

void SmtpClient::onReadyRead() {
    if (!socket_) return;
    const QByteArray bytes = socket_->readAll();
    reader_.feed(std::string_view(bytes.constData(), size_t(bytes.size())));
    while (socket_) {
        const auto reply = reader_.next();
        if (!reply) break;
        onReply(*reply);
    }
    if (socket_ && !reader_.error().empty()) fail(lang_.say(reader_.error()));
}

QString SmtpClient::unexpected(const SmtpReply& reply) const {
    return text(kLineMailAnswered, reply.summary());
}

void SmtpClient::onReply(const SmtpReply& reply) {
    timer_.stop();
    if (sending())
        onSendingReply(reply);
    else
        onOpeningReply(reply);
}

void SmtpClient::startAuth() {
    command("AUTH LOGIN", Step::Auth);
}

void SmtpClient::onOpeningReply(const SmtpReply& reply) {
    const int code = reply.code;
    switch (step_) {
    case Step::Greeting:
        if (code != 220) return fail(unexpected(reply));
        return command("EHLO " + greetingName(), Step::Ehlo);
    case Step::Ehlo: {
        if (code != 250) return command("HELO " + greetingName(), Step::Helo);
        if (endpoint_.startTls && parseEhloReply(reply).startTls)
            return command("STARTTLS", Step::StartTls);
        return startAuth();
    }
    case Step::Helo:
    case Step::EhloTls:
        if (code != 250) return fail(unexpected(reply));
        return startAuth();
    case Step::StartTls:
        if (code != 220) return fail(unexpected(reply));
        // Bytes sent before the handshake could be injected into the
        // encrypted session: refuse them.
        if (reader_.pending() > 0 || socket_->bytesAvailable() > 0)
            return fail(text(kLineMailDataBeforeTls));
        step_ = Step::Handshake;
        socket_->setPeerVerifyName(endpoint_.host);
        timer_.start(endpoint_.timeoutMs);
        socket_->startClientEncryption();
        return;
    case Step::Auth:
        if (code != 334)
            return fail(unexpected(reply),
                        code >= 500 ? SmtpFailure::LoginRefused : SmtpFailure::Connection);
        return command(endpoint_.user.toUtf8().toBase64(), Step::AuthUser);
    case Step::AuthUser:
        if (code != 334) return fail(unexpected(reply), SmtpFailure::LoginRefused);
        return command(endpoint_.password.toUtf8().toBase64(), Step::AuthPass);
    case Step::AuthPass:
        if (code != 235) return fail(unexpected(reply), SmtpFailure::LoginRefused);
        step_ = Step::Ready;
        emit opened();
        return;
    default:
        // A reply nobody asked for (a server closing with 421 says so
        // before it drops the line; that is reported when it does).
        return;
    }
}

void SmtpClient::onSendingReply(const SmtpReply& reply) {
    const int code = reply.code;
    switch (step_) {
    case Step::Rset:
        if (code != 250) return fail(unexpected(reply));
        return command("MAIL FROM:<" + from_.toLatin1() + ">", Step::MailFrom);
    case Step::MailFrom:
    case Step::RcptTo:
        if (step_ == Step::MailFrom ? code != 250 : code != 250 && code != 251)
            return fail(unexpected(reply));
        if (nextRecipient_ < recipients_.size())
            return command("RCPT TO:<" + recipients_[nextRecipient_++].toLatin1() + ">",
                           Step::RcptTo);
        return command("DATA", Step::Data);
    case Step::Data:
        if (code != 354) return fail(unexpected(reply));
        step_ = Step::Body;
        bodyOut_ = false;
        socket_->write(dataBlock(message_));
        timer_.start(endpoint_.timeoutMs);
        return;
    case Step::Body:
        if (code != 250) return fail(unexpected(reply));
        return command("QUIT", Step::Quit);
    case Step::Quit:
        return finishSent();
    default:
        return;
    }
}

void SmtpClient::finishSent() {
    dropSocket();
    step_ = Step::Idle;
    emit sent();
}

void SmtpClient::onEncrypted() {
    reader_ = SmtpReplyReader();
    command("EHLO " + greetingName(), Step::EhloTls);
}

void SmtpClient::onClosed() {
    // After the message was accepted, a server that hangs up on QUIT has
    // still taken the mail.
    if (step_ == Step::Quit) return finishSent();
    fail(step_ == Step::Connect ? lang_.say(socketError(socket_->error(), socket_->errorString()))
                                : text(kLineMailClosed));
}

void SmtpClient::onTimeout() {
    if (step_ == Step::Quit) return finishSent();
    const int line = step_ == Step::Connect ? kLineMailNoConnectionIn
                     : step_ == Step::Body  ? kLineMailNoMessageAnswerIn
                                            : kLineMailNoAnswerIn;
    fail(text(line, seconds(endpoint_.timeoutMs)));
}

void SmtpClient::fail(const QString& why, SmtpFailure kind) {
    if (step_ == Step::Idle) return;
    const Step was = step_;
    dropSocket();
    step_ = Step::Idle;
    if (was == Step::Ready) return; // closed between two mails: send() says so
    if (was >= Step::Rset)
        emit sendFailed(why);
    else
        emit openFailed(why, kind);
}

} // namespace korvo
