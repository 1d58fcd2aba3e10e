#include "level_submission.h"

#include "io/checked_write.h"
#include "pack/mrg_format.h"
#include "pack/pack_file.h"
#include "settings/options.h"
#include "submission_files.h"
#include "text/cp1251.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace korvo {

namespace {

constexpr int kMinTracks = 30;
constexpr int kMissingAttachmentPauseMs = 300;

bool oneLine(const QString& s) {
    for (QChar c : s)
        if (c.category() == QChar::Other_Control) return false;
    return true;
}

} // namespace

LevelSubmission::LevelSubmission(QString baseFolder, const LangLines& lang, QObject* parent)
    : QObject(parent), base_(std::move(baseFolder)), lang_(lang), client_(lang) {
    wait_.setSingleShot(true);
    connect(&wait_, &QTimer::timeout, this, [this] {
        if (auto then = std::exchange(afterWait_, nullptr)) then();
    });
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this,
            [this] { stopMailing(say(kLineMailDeadline, settings_.deadlineMs / 1000), true); });
    connect(&client_, &SmtpClient::opened, this, [this] {
        log(say(kLineAuthorised), LogColour::Blue);
        log(say(kLineNoErrors), LogColour::Blue);
        connectionDone();
    });
    connect(&client_, &SmtpClient::openFailed, this, [this](const QString& why, SmtpFailure kind) {
        log(say(kLineConnectError, why), LogColour::Blue);
        ++attempts_;
        // A refused login or an unverified certificate stays so: nothing is
        // sent, and the password never goes over a connection not trusted.
        if (kind != SmtpFailure::Connection) {
            log(say(kind == SmtpFailure::LoginRefused ? kLineLoginRefused : kLineUntrusted, why),
                LogColour::Red);
            return sendDone(false);
        }
        after(settings_.retryDelayMs, [this] { nextAttempt(); });
    });
    connect(&client_, &SmtpClient::sent, this, [this] {
        log(say(kLineSent), LogColour::Green);
        sendDone(true);
    });
    connect(&client_, &SmtpClient::sendFailed, this, [this](const QString& why) {
        log(say(kLineSendFailed, why), LogColour::Red);
        sendDone(false);
    });
}

void LevelSubmission::after(int ms, std::function<void()> then) {
    afterWait_ = std::move(then);
    wait_.start(ms);
}

void LevelSubmission::start(const SubmissionRequest& r) {
    if (running_) return;
    running_ = true;
    pieces_[0] = kPasswordPieces[0];
    if (r.packPath.isEmpty()) return refuse(say(kLineNoFile));
    if (!checkFields(r)) return;
    nick_ = r.nick;
    email_ = r.email;
    pieces_[1] = kPasswordPieces[1];
    QString countText;
    if (!countPack(r.packPath, countText) || !writeArchive(r, countText)) return;
    if (!r.mail) {
        log(say(kLineSavedToDisk), LogColour::Green);
        storeAuthorOfRun();
        return end(true);
    }
    log(say(kLineArchiveMade), LogColour::Green);
    pieces_[3] = kPasswordPieces[3];
    settings_ = readMailSettings(optionsPath(base_));
    SendEmail(settings_.mailbox, archivePath(base_),
              submissionBody(r.nick, r.email, r.levelName, countText, r.note),
              submission_text::kSubject);
}

bool LevelSubmission::checkFields(const SubmissionRequest& r) {
    if (r.nick.trimmed().isEmpty() || r.email.trimmed().isEmpty() ||
        r.levelName.trimmed().isEmpty()) {
        refuse(say(kLineMissingField));
        return false;
    }
    // A line break in these would add lines to "info.txt" and to the mail.
    if (!oneLine(r.nick) || !oneLine(r.email) || !oneLine(r.levelName)) {
        refuse(say(kLineBadField));
        return false;
    }
    // "0" is what an empty author section used to show: no one's nick.
    if (r.nick.trimmed() == "0") {
        refuse(say(kLineNickZero));
        return false;
    }
    // They go out in Windows-1251: a character it cannot hold would become "?".
    QString bad;
    for (const QString& text : {r.nick, r.email, r.levelName, QFileInfo(r.packPath).fileName()})
        for (const QChar c : notInCp1251(text))
            if (!bad.contains(c)) bad += c;
    if (!bad.isEmpty()) {
        refuse(say(kLineNotInCp1251, bad));
        return false;
    }
    return true;
}

bool LevelSubmission::countPack(const QString& path, QString& countText) {
    std::string bytes;
    if (Message why = readWholeFile(path, bytes); !why.empty()) {
        refuse(say(kLinePackUnreadable, lang_.say(pathMessage(path, why))));
        return false;
    }
    int total = 0;
    std::string text;
    if (!countTracks(bytes, total, text)) {
        PackDirectory dir;
        refuse(say(kLineSubmitNotAPack, lang_.say(pathMessage(path, parseDirectory(bytes, dir)))));
        return false;
    }
    if (total < kMinTracks) {
        refuse(say(kLineTooFewTracks));
        return false;
    }
    countText = QString::fromStdString(text);
    return true;
}

bool LevelSubmission::writeArchive(const SubmissionRequest& r, const QString& countText) {
    if (!QFileInfo(tomailFolder(base_)).isDir()) {
        refuse(say(kLineNoMailFolder, QDir::toNativeSeparators(tomailFolder(base_))));
        return false;
    }
    const QString info = infoFilePath(base_);
    const QByteArray text = infoText(r.levelName, r.nick, r.email, countText);
    if (Message why =
            writeFileChecked(info, std::string_view(text.constData(), size_t(text.size())));
        !why.empty()) {
        refuse(say(kLineArchiveFailed, lang_.say(why)));
        return false;
    }
    pieces_[2] = kPasswordPieces[2];
    const Message why = CompressFiles({r.packPath, info}, base_);
    // "info.txt" lives only as long as it takes to pack it.
    QFile::remove(info);
    if (!why.empty()) {
        refuse(say(kLineArchiveFailed, lang_.say(why)));
        return false;
    }
    return true;
}

void LevelSubmission::SendEmail(const QString& recipient, const QString& attachmentPath,
                                const QByteArray& body, const QString& subject) {
    recipientText_ = recipient;
    attachmentPath_ = attachmentPath;
    body_ = body;
    subject_ = subject;
    if (!usableMailbox(settings_.mailbox)) {
        log(say(kLineBadMailbox, settings_.mailbox), LogColour::Red);
        return sendDone(false);
    }
    PerformConnection();
}

void LevelSubmission::PerformConnection() {
    attempts_ = 0;
    deadline_.start(settings_.deadlineMs);
    nextAttempt();
}

void LevelSubmission::nextAttempt() {
    if (attempts_ >= kConnectAttempts) {
        log(say(kLineNoConnection), LogColour::Red);
        return connectionDone();
    }
    SetSMTP();
    log(say(kLineConnecting), LogColour::Blue);
    client_.open(endpoint_);
}

void LevelSubmission::SetSMTP() {
    pieces_[4] = kPasswordPieces[4];
    endpoint_.host = settings_.host;
    endpoint_.port = settings_.port;
    endpoint_.user = settings_.mailbox;
    endpoint_.password = settings_.password.isEmpty()
                             ? pieces_[0] + pieces_[1] + pieces_[2] + pieces_[3] + pieces_[4]
                             : settings_.password;
    endpoint_.startTls = settings_.startTls;
    endpoint_.timeoutMs = settings_.timeoutMs;
}

void LevelSubmission::CleanContext() {
    message_ = MailMessage{};
    message_.fromName = submission_text::kMailerName;
    message_.mailbox = settings_.mailbox;
    message_.date = QDateTime::currentDateTime();
}

// The rest of SendEmail, once PerformConnection has connected or given up.
void LevelSubmission::connectionDone() {
    CleanContext();
    if (!attachmentPath_.isEmpty() && !QFileInfo::exists(attachmentPath_)) {
        log(say(kLineNoAttachment, attachmentPath_), LogColour::Navy);
        return after(kMissingAttachmentPauseMs, [this] { sendDone(false); });
    }
    message_.recipients = splitRecipients(recipientText_);
    for (const QString& address : message_.recipients)
        if (!usableMailbox(address)) {
            log(say(kLineBadMailbox, address), LogColour::Red);
            return sendDone(false);
        }
    if (!subject_.isEmpty()) message_.subject = subject_;
    message_.text = body_;
    if (!attachmentPath_.isEmpty()) {
        QFile f(attachmentPath_);
        if (!f.open(QIODevice::ReadOnly)) {
            log(say(kLineSendFailed, lang_.say(pathMessage(attachmentPath_, fileError(f)))),
                LogColour::Red);
            return sendDone(false);
        }
        message_.attachmentName = QFileInfo(attachmentPath_).fileName();
        message_.attachment = f.readAll();
    }
    if (!client_.isOpen()) {
        log(say(kLineSendFailed, say(kLineNotConnected)), LogColour::Red);
        return sendDone(false);
    }
    log(say(kLineSending), LogColour::Green);
    client_.send(message_.mailbox, message_.recipients, composeMessage(message_, newBoundary()));
}

void LevelSubmission::sendDone(bool ok) {
    client_.abort();
    if (ok) {
        log(say(kLineOutcomeSent, recipientText_), LogColour::Green);
        storeAuthorOfRun();
    } else
        log(say(kLineOutcomeNotSent), LogColour::Red);
    end(ok);
}

// The author of a run that succeeded is the one the next run offers.
void LevelSubmission::storeAuthorOfRun() {
    if (const Message why = storeAuthor(base_, nick_, email_); !why.empty())
        log(say(kLineAuthorNotStored, why), LogColour::Red);
}

void LevelSubmission::cancel() {
    if (running_) stopMailing(say(kLineCancelled), false);
}

// Ends a mailing run from outside the dialogue with the server: `why` (and
// the outcome "not sent" when `withOutcome`) when nothing was delivered,
// otherwise that the mail may have been.
void LevelSubmission::stopMailing(const QString& why, bool withOutcome) {
    if (client_.messageAccepted()) { // only QUIT was still going on
        log(say(kLineSent), LogColour::Green);
        return sendDone(true);
    }
    const bool mayBeDelivered = client_.messageMayBeDelivered();
    client_.abort();
    wait_.stop();
    afterWait_ = nullptr;
    if (mayBeDelivered) {
        log(say(kLineMaybeDelivered), LogColour::Navy);
        return end(false);
    }
    log(why, LogColour::Red);
    if (withOutcome) return sendDone(false);
    end(false);
}

void LevelSubmission::refuse(const QString& text) {
    emit message(text);
    end(false);
}

void LevelSubmission::end(bool ok) {
    deadline_.stop();
    running_ = false;
    emit finished(ok);
}

} // namespace korvo
