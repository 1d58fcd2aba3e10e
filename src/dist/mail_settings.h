#pragma once
// Where a submission is mailed: the built-in endpoints, each of which the
// section [Mail] of "opt.ini" can override (keys Host, Port, Mailbox,
// Password, StartTls, Timeout, RetryDelay, Deadline; every key optional).

#include <QString>
#include <array>

namespace korvo {

// The SMTP host presets; the first is the one used.
extern const std::array<const char*, 3> kSmtpHostPresets;
// The submission mailbox: recipient, sender, reply-to address and login name.
extern const char* const kSubmissionMailbox;
constexpr int kSmtpPort = 25;
constexpr int kDefaultTimeoutSeconds = 30;
constexpr int kDefaultRetryDelayMs = 1000;
constexpr int kConnectAttempts = 20;
constexpr int kDefaultDeadlineSeconds = 120;

struct MailSettings {
    QString host;
    int port = kSmtpPort;
    QString mailbox;
    // The login password; empty means the built-in one, which is joined from
    // its pieces only when the connection is set up (SetSMTP).
    QString password;
    bool startTls = true;                          // upgrade to TLS when the server offers it
    int timeoutMs = kDefaultTimeoutSeconds * 1000; // connection and each reply
    int retryDelayMs = kDefaultRetryDelayMs;       // pause between connection attempts
    // A whole run, from the first attempt to its last line, every attempt included.
    int deadlineMs = kDefaultDeadlineSeconds * 1000;
};

// The built-in endpoints overridden by [Mail] of the settings file `iniPath`.
// Values that are not numbers in range keep their defaults.
MailSettings readMailSettings(const QString& iniPath);

// The five pieces of the built-in password, in the order they are joined.
extern const std::array<const char*, 5> kPasswordPieces;

// True for an address usable in SMTP commands and headers: local@domain
// without blanks, control characters or the characters that end an address.
bool usableMailbox(const QString& address);

} // namespace korvo
