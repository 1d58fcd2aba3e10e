#pragma once
// A level submission (the window's "Ok" and `trackpack submit`): checks the
// fields and the pack, writes "info.txt",
// packs "tomail/levels.zip" and either leaves it there or mails it to the
// submission mailbox; the author of a run that succeeds goes into "opt.ini".
// Progress goes out as coloured log lines; the checks
// that refuse a run go out as messages. The mailing runs on the event loop,
// so a caller's window stays responsive; finished() ends every run.

#include "mail_settings.h"
#include "mime_message.h"
#include "smtp_client.h"
#include "submission_texts.h"

#include <QObject>
#include <QTimer>
#include <array>
#include <functional>

namespace korvo {

struct SubmissionRequest {
    QString packPath; // the pack file to send; empty when none was chosen
    QString nick, email, levelName, note;
    bool mail = true; // false: only build the archive (SendtoDisk)
};

class LevelSubmission : public QObject {
    Q_OBJECT
public:
    // The texts come in `lang`, which outlives the run.
    LevelSubmission(QString baseFolder, const LangLines& lang, QObject* parent = nullptr);

    // Starts a run; finished() follows, at once when a check refuses it.
    void start(const SubmissionRequest& request);
    // Stops a run that is mailing; finished(false) follows. Once the message
    // has gone out, the log says it may have been delivered, not "stopped".
    void cancel();
    bool running() const { return running_; }

signals:
    // A check refused the run (shown as a message box).
    void message(const QString& text);
    void logLine(const QString& text, korvo::LogColour colour);
    void finished(bool ok);

private:
    bool checkFields(const SubmissionRequest& r);
    bool countPack(const QString& path, QString& countText);
    bool writeArchive(const SubmissionRequest& r, const QString& countText);
    void SendEmail(const QString& recipient, const QString& attachmentPath, const QByteArray& body,
                   const QString& subject);
    void PerformConnection();
    void nextAttempt();
    void connectionDone();
    void SetSMTP();
    void CleanContext();
    void sendDone(bool ok);
    void storeAuthorOfRun();
    void stopMailing(const QString& why, bool withOutcome);
    void refuse(const QString& text);
    void end(bool ok);
    void log(const QString& text, LogColour colour) { emit logLine(text, colour); }
    void after(int ms, std::function<void()> then);

    template <class... A> QString say(int n, const A&... args) const {
        return lang_.say(Message::line(n, args...));
    }

    QString base_;
    const LangLines& lang_;
    bool running_ = false;
    QString nick_, email_; // the run's author
    MailSettings settings_;
    SmtpClient client_;
    SmtpEndpoint endpoint_;
    MailMessage message_; // the mail being composed
    QString recipientText_, attachmentPath_;
    QByteArray body_;
    QString subject_;
    int attempts_ = 0;
    std::array<QString, 5> pieces_; // the built-in password, set piece by piece
    QTimer wait_;
    std::function<void()> afterWait_;
    QTimer deadline_; // ends a mailing run that takes too long in all
};

} // namespace korvo
