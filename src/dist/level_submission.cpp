#include "level_submission.h"

#include "pack/checked_write.h"
#include "pack/mrg_format.h"
#include "pack/pack_file.h"
#include "settings/options.h"
#include "submission_files.h"

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

LevelSubmission::LevelSubmission(QString baseFolder, bool russian, QObject* parent)
    : QObject(parent), base_(std::move(baseFolder)), russian_(russian) {
    wait_.setSingleShot(true);
    connect(&wait_, &QTimer::timeout, this, [this] {
        if (auto then = std::exchange(afterWait_, nullptr)) then();
    });
    connect(&client_, &SmtpClient::opened, this, [this] {
        log(submission_text::kAuthorised, LogColour::Blue);
        log(submission_text::kNoErrors, LogColour::Blue);
        connectionDone();
    });
    connect(&client_, &SmtpClient::openFailed, this, [this](const QString& why, SmtpFailure kind) {
        log(submission_text::kConnectError + why, LogColour::Blue);
        ++attempts_;
        // A refused login or an unverified certificate stays so: nothing is
        // sent, and the password never goes over a connection not trusted.
        if (kind != SmtpFailure::Connection) {
            log(own(kind == SmtpFailure::LoginRefused ? OwnText::LoginRefused : OwnText::Untrusted)
                    .arg(why),
                LogColour::Red);
            return sendDone(false);
        }
        after(settings_.retryDelayMs, [this] { nextAttempt(); });
    });
    connect(&client_, &SmtpClient::sent, this, [this] {
        log(submission_text::kSent, LogColour::Green);
        sendDone(true);
    });
    connect(&client_, &SmtpClient::sendFailed, this, [this](const QString& why) {
        log(own(OwnText::SendFailed).arg(why), LogColour::Red);
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
    if (r.packPath.isEmpty()) return refuse(submission_text::kNoFile);
    if (!checkFields(r)) return;
    if (const QString why = storeAuthorOnce(base_, r.nick, r.email); !why.isEmpty())
        log(own(OwnText::AuthorNotStored).arg(why), LogColour::Red);
    pieces_[1] = kPasswordPieces[1];
    QString countText;
    if (!countPack(r.packPath, countText) || !writeArchive(r, countText)) return;
    if (!r.mail) {
        log(submission_text::kSavedToDisk, LogColour::Green);
        return end(true);
    }
    log(submission_text::kArchiveMade, LogColour::Green);
    pieces_[3] = kPasswordPieces[3];
    settings_ = readMailSettings(optionsPath(base_));
    SendEmail(settings_.mailbox, archivePath(base_),
              submissionBody(r.nick, r.email, r.levelName, countText, r.note),
              submission_text::kSubject);
}

bool LevelSubmission::checkFields(const SubmissionRequest& r) {
    if (r.nick.trimmed().isEmpty() || r.email.trimmed().isEmpty() ||
        r.levelName.trimmed().isEmpty()) {
        refuse(submission_text::kMissingField);
        return false;
    }
    // A line break in these would add lines to "info.txt" and to the mail.
    if (!oneLine(r.nick) || !oneLine(r.email) || !oneLine(r.levelName)) {
        refuse(own(OwnText::BadField));
        return false;
    }
    return true;
}

bool LevelSubmission::countPack(const QString& path, QString& countText) {
    std::string bytes;
    if (std::string why = readWholeFile(path, bytes); !why.empty()) {
        refuse(own(OwnText::PackUnreadable).arg(QString::fromStdString(pathMessage(path, why))));
        return false;
    }
    int total = 0;
    std::string text;
    if (!countTracks(bytes, total, text)) {
        PackDirectory dir;
        refuse(own(OwnText::NotAPack)
                   .arg(QString::fromStdString(pathMessage(path, parseDirectory(bytes, dir)))));
        return false;
    }
    if (total < kMinTracks) {
        refuse(submission_text::kTooFewTracks);
        return false;
    }
    countText = QString::fromStdString(text);
    return true;
}

bool LevelSubmission::writeArchive(const SubmissionRequest& r, const QString& countText) {
    if (!QFileInfo(tomailFolder(base_)).isDir()) {
        refuse(own(OwnText::NoMailFolder).arg(QDir::toNativeSeparators(tomailFolder(base_))));
        return false;
    }
    const QString info = infoFilePath(base_);
    const QByteArray text = infoText(r.levelName, r.nick, r.email, countText);
    if (std::string why =
            writeFileChecked(info, std::string_view(text.constData(), size_t(text.size())));
        !why.empty()) {
        refuse(own(OwnText::WriteFailed).arg(QString::fromStdString(why)));
        return false;
    }
    pieces_[2] = kPasswordPieces[2];
    const std::string why = CompressFiles({r.packPath, info}, base_);
    // "info.txt" lives only as long as it takes to pack it.
    QFile::remove(info);
    if (!why.empty()) {
        refuse(own(OwnText::WriteFailed).arg(QString::fromStdString(why)));
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
        log(own(OwnText::BadMailbox).arg(settings_.mailbox), LogColour::Red);
        return sendDone(false);
    }
    PerformConnection();
}

void LevelSubmission::PerformConnection() {
    attempts_ = 0;
    nextAttempt();
}

void LevelSubmission::nextAttempt() {
    if (attempts_ >= kConnectAttempts) {
        log(submission_text::kNoConnection, LogColour::Red);
        return connectionDone();
    }
    SetSMTP();
    log(submission_text::kConnecting, LogColour::Blue);
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
        log(submission_text::kNoAttachment + attachmentPath_ + ") ", LogColour::Navy);
        return after(kMissingAttachmentPauseMs, [this] { sendDone(false); });
    }
    message_.recipients = splitRecipients(recipientText_);
    for (const QString& address : message_.recipients)
        if (!usableMailbox(address)) {
            log(own(OwnText::BadMailbox).arg(address), LogColour::Red);
            return sendDone(false);
        }
    if (!subject_.isEmpty()) message_.subject = subject_;
    message_.text = body_;
    if (!attachmentPath_.isEmpty()) {
        QFile f(attachmentPath_);
        if (!f.open(QIODevice::ReadOnly)) {
            log(own(OwnText::SendFailed).arg(attachmentPath_ + ": " + f.errorString()),
                LogColour::Red);
            return sendDone(false);
        }
        message_.attachmentName = QFileInfo(attachmentPath_).fileName();
        message_.attachment = f.readAll();
    }
    if (!client_.isOpen()) {
        log(own(OwnText::SendFailed).arg(own(OwnText::NotConnected)), LogColour::Red);
        return sendDone(false);
    }
    log(submission_text::kSending, LogColour::Green);
    client_.send(message_.mailbox, message_.recipients, composeMessage(message_, newBoundary()));
}

void LevelSubmission::sendDone(bool ok) {
    client_.abort();
    if (ok)
        log(own(OwnText::Outcome_Sent).arg(recipientText_), LogColour::Green);
    else
        log(own(OwnText::Outcome_NotSent), LogColour::Red);
    end(ok);
}

void LevelSubmission::cancel() {
    if (!running_) return;
    client_.abort();
    wait_.stop();
    afterWait_ = nullptr;
    log(own(OwnText::Cancelled), LogColour::Red);
    end(false);
}

void LevelSubmission::refuse(const QString& text) {
    emit message(text);
    end(false);
}

void LevelSubmission::end(bool ok) {
    running_ = false;
    emit finished(ok);
}

} // namespace korvo
