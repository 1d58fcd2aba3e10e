#include "mail_settings.h"

#include "settings/ini_file.h"
#include "settings/options.h"

namespace korvo {

const std::array<const char*, 3> kSmtpHostPresets = {"smtp.example.org", "mail.example.org",
                                                     "smtp.example.org"};
const char* const kSubmissionMailbox = "levels@example.org";
const std::array<const char*, 5> kPasswordPieces = {"kv", "-7Q", "e2", "p-s", "ub9"};

namespace {

int numberIn(const IniText& ini, const char* key, int def, int low, int high) {
    const auto text = ini.value("Mail", key);
    if (!text) return def;
    const int v = iniInt(*text, low - 1);
    return v >= low && v <= high ? v : def;
}

} // namespace

MailSettings readMailSettings(const QString& iniPath) {
    MailSettings s;
    s.host = kSmtpHostPresets[0];
    s.mailbox = kSubmissionMailbox;
    const auto ini = readIniFile(iniPath);
    if (!ini) return s;
    if (auto v = ini->value("Mail", "Host"); v && !v->isEmpty()) s.host = *v;
    if (auto v = ini->value("Mail", "Mailbox"); v && !v->isEmpty()) s.mailbox = *v;
    if (auto v = ini->value("Mail", "Password"); v && !v->isEmpty()) s.password = *v;
    s.port = numberIn(*ini, "Port", s.port, 1, 65535);
    s.startTls = numberIn(*ini, "StartTls", 1, 0, 1) == 1;
    s.timeoutMs = numberIn(*ini, "Timeout", kDefaultTimeoutSeconds, 1, 3600) * 1000;
    s.retryDelayMs = numberIn(*ini, "RetryDelay", kDefaultRetryDelayMs, 0, 600000);
    s.deadlineMs = numberIn(*ini, "Deadline", kDefaultDeadlineSeconds, 1, 3600) * 1000;
    return s;
}

bool usableMailbox(const QString& address) {
    const qsizetype at = address.lastIndexOf('@');
    if (at <= 0 || at == address.size() - 1 || address.size() > 254) return false;
    for (QChar c : address)
        if (c.unicode() <= ' ' || c.unicode() >= 127 || QStringLiteral("<>()[],;:\"\\").contains(c))
            return false;
    return true;
}

} // namespace korvo
