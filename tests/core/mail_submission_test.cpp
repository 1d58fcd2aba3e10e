// A submission mailed to a real SMTP server on 127.0.0.1, and how a run ends
// when the server is missing, refuses the login, drops the line or stalls.
#include "../common/active_language.h"
#include "dist/level_submission.h"
#include "dist/submission_files.h"
#include "settings/ini_file.h"
#include "text/cp1251.h"

#include "mail_test_util.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

using namespace korvo;
using namespace korvo::test;

namespace {

struct LogLine {
    QString text;
    LogColour colour;
};

struct RunResult {
    bool finished = false, ok = false;
    QStringList messages;
    std::vector<LogLine> log;
    qint64 ms = 0;

    int count(const QString& prefix, LogColour colour) const {
        return int(std::count_if(log.begin(), log.end(), [&](const LogLine& l) {
            return l.colour == colour && l.text.startsWith(prefix);
        }));
    }
};

RunResult submit(const SubmissionFolder& folder, SubmissionRequest request, int limitMs = 60000) {
    ensureCoreApp();
    const ActiveLanguage russian("russian.lng"); // the log lines below are the Russian ones
    LevelSubmission run(folder.base, test::wordingLanguage());
    RunResult result;
    QEventLoop loop;
    QObject::connect(&run, &LevelSubmission::message,
                     [&](const QString& text) { result.messages << text; });
    QObject::connect(&run, &LevelSubmission::logLine, [&](const QString& text, LogColour c) {
        result.log.push_back({text, c});
    });
    QObject::connect(&run, &LevelSubmission::finished, [&](bool ok) {
        result.finished = true;
        result.ok = ok;
        loop.quit();
    });
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    run.start(request);
    if (!result.finished) loop.exec();
    result.ms = clock.elapsed();
    return result;
}

SubmissionRequest request(const SubmissionFolder& folder) {
    SubmissionRequest r;
    r.packPath = folder.pack;
    r.nick = QString::fromUtf8("Вася");
    r.email = "vasya@example.net";
    r.levelName = QString::fromUtf8("Лесные трассы");
    return r;
}

// The folder's settings send through `server`, with `settings` added; the
// run mails the folder's usual request.
RunResult submitThrough(const SmtpTestServer& server, const SubmissionFolder& folder,
                        const QByteArray& settings) {
    folder.mailTo(server.port(), settings);
    return submit(folder, request(folder));
}

QByteArray cp1251(const QString& s) {
    return QByteArray::fromStdString(toCp1251(s));
}

} // namespace

TEST(MailSubmission, MailsTheArchiveWithTheBodyAndHeadersTheServerExpects) {
    SmtpTestServer server("accept");
    ASSERT_GT(server.port(), 0);
    SubmissionFolder folder;
    folder.mailTo(server.port());
    SubmissionRequest r = request(folder);
    // A line starting with a dot must arrive as typed (dot-stuffing), and a
    // long line must be wrapped for the wire and joined again.
    r.note = QString::fromUtf8("Первая строка\n.вторая строка\r\n") + QString(120, 'x');
    const RunResult run = submit(folder, r);
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(run.ok);

    EXPECT_EQ(server.commands().mid(1),
              (QStringList{"AUTH LOGIN", QByteArray(kTestMailbox).toBase64(),
                           QByteArray(kTestPassword).toBase64(), "RSET",
                           QString("MAIL FROM:<%1>").arg(kTestMailbox),
                           QString("RCPT TO:<%1>").arg(kTestMailbox), "DATA", "QUIT"}));
    EXPECT_TRUE(server.commands().value(0).startsWith("EHLO "));

    const QJsonObject m = server.message();
    EXPECT_EQ(m["from"].toString(), kTestMailbox);
    EXPECT_EQ(m["to"].toArray(), QJsonArray{kTestMailbox});
    const QJsonObject h = m["headers"].toObject();
    EXPECT_EQ(h["From"].toString(), QString("\"KorvoTE Mailer\" <%1>").arg(kTestMailbox));
    EXPECT_EQ(h["Reply-To"].toString(), kTestMailbox);
    EXPECT_EQ(h["To"].toString(), kTestMailbox);
    EXPECT_EQ(h["Subject"].toString(), "KorvoTE/New Levels");
    const QDateTime date = QDateTime::fromString(h["Date"].toString(), Qt::RFC2822Date);
    EXPECT_LE(std::abs(date.secsTo(QDateTime::currentDateTime())), 120)
        << h["Date"].toString().toStdString();
    EXPECT_EQ(m["content_type"].toString(), "multipart/mixed");
    EXPECT_LE(m["longest_line"].toInt(), 78);

    const QJsonArray parts = m["parts"].toArray();
    ASSERT_EQ(parts.size(), 2);
    const QJsonObject text = parts[0].toObject();
    EXPECT_EQ(text["type"].toString(), "text/plain");
    EXPECT_EQ(text["charset"].toString(), "windows-1251");
    EXPECT_EQ(fromBase64(text["bytes"]),
              cp1251(QString::fromUtf8("Автор : Вася\r\nE-Mail : vasya@example.net\r\n"
                                       "Название уровня : Лесные трассы\r\n"
                                       "Колво треков : 10/10/10\r\n"
                                       "Примечание : Первая строка\r\n.вторая строка\r\n") +
                     QString(120, 'x')));
    const QJsonObject zip = parts[1].toObject();
    EXPECT_EQ(zip["filename"].toString(), "levels.zip");
    EXPECT_TRUE(zip["zip_ok"].toBool());
    const QJsonArray entries = zip["entries"].toArray();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].toArray()[0].toString(), "levels.mrg");
    EXPECT_EQ(fromBase64(entries[0].toArray()[1]), fileBytes(folder.pack));
    EXPECT_EQ(entries[1].toArray()[0].toString(), "info.txt");
    EXPECT_EQ(
        fromBase64(entries[1].toArray()[1]),
        cp1251(QString::fromUtf8("Лесные трассы\r\nВася\r\nvasya@example.net\r\n10/10/10\r\n")));

    EXPECT_FALSE(QFile::exists(infoFilePath(folder.base)));
    ASSERT_FALSE(run.log.empty());
    EXPECT_EQ(run.log.back().colour, LogColour::Green);
    EXPECT_EQ(run.count(QString::fromUtf8("Отправка завершена."), LogColour::Green), 1);
}

TEST(MailSubmission, ExactlyTwentyAttemptsThenTheRunEndsInRed) {
    SmtpTestServer server("busy"); // greets every connection with 421 and hangs up
    ASSERT_GT(server.port(), 0);
    SubmissionFolder folder;
    const RunResult run = submitThrough(server, folder, "RetryDelay=0\r\n");
    ASSERT_TRUE(run.finished);
    EXPECT_FALSE(run.ok);
    int connections = 0;
    for (const auto& e : server.events()) connections += e.toObject().contains("connection");
    EXPECT_EQ(connections, 20);
    EXPECT_EQ(run.count(QString::fromUtf8("Соединение с сервером SMTP"), LogColour::Blue), 20);
    // The reply's control characters shown, not cutting the line.
    EXPECT_EQ(run.count(QString::fromUtf8(
                            "Ошибка соединения: сервер ответил: 421 test.example\\x00busy\\x1B"),
                        LogColour::Blue),
              20);
    // Nothing was sent: the author is not stored.
    EXPECT_EQ(ReadString("Author", "Name", folder.path("opt.ini"), "-"), "-");
    // The red line, then the send error and the outcome, both red.
    ASSERT_GE(run.log.size(), 3u);
    const size_t n = run.log.size();
    EXPECT_EQ(run.log[n - 3].text, QString::fromUtf8("Соединение с сервером SMTP отсутствует"));
    EXPECT_EQ(run.log[n - 3].colour, LogColour::Red);
    EXPECT_EQ(run.log[n - 2].colour, LogColour::Red);
    EXPECT_EQ(run.log[n - 1].text, QString::fromUtf8("Уровень не отправлен."));
    EXPECT_EQ(run.log[n - 1].colour, LogColour::Red);

    // Nothing listening (port 1): each attempt says the server refused.
    folder.mailTo(1, "RetryDelay=0\r\n");
    const RunResult refused = submit(folder, request(folder));
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.count(QString::fromUtf8("Ошибка соединения: сервер отказал в соединении"),
                            LogColour::Blue),
              20);
}

TEST(MailSubmission, AServerThatNeverGreetsEndsTheRunAtTheDeadline) {
    SmtpTestServer server("silent");
    ASSERT_GT(server.port(), 0);
    SubmissionFolder folder;
    // Each reply may take 30 s; the whole run only 2.
    const RunResult run = submitThrough(server, folder, "Timeout=30\r\nDeadline=2\r\n");
    ASSERT_TRUE(run.finished);
    EXPECT_FALSE(run.ok);
    EXPECT_GE(run.ms, 1900);
    EXPECT_LT(run.ms, 4000);
    EXPECT_EQ(run.count(QString::fromUtf8("нет ответа за 2 с в сумме"), LogColour::Red), 1);
    EXPECT_EQ(run.log.back().text, QString::fromUtf8("Уровень не отправлен."));
}

// A login refused for good (5xx) is tried once; one refused for now (4xx)
// is tried again like a connection that failed. Nothing is sent either way.
TEST(MailSubmission, ARefusedLoginSendsNothingAndIsRetriedOnlyWhenTemporary) {
    const struct {
        const char* mode;
        const char* reply;
        int attempts;
    } cases[] = {{"refuse", "535", 1}, {"authbusy", "454", 20}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        SmtpTestServer server(c.mode);
        ASSERT_GT(server.port(), 0);
        SubmissionFolder folder;
        const RunResult run = submitThrough(server, folder, "RetryDelay=0\r\n");
        ASSERT_TRUE(run.finished);
        EXPECT_FALSE(run.ok);
        const QStringList commands = server.commands();
        EXPECT_EQ(commands.count("AUTH LOGIN"), c.attempts);
        EXPECT_FALSE(commands.contains("RSET") || commands.contains("DATA"));
        EXPECT_TRUE(server.message().isEmpty());
        EXPECT_EQ(run.count(QString::fromUtf8("Ошибка соединения: сервер ответил: ") + c.reply,
                            LogColour::Blue),
                  c.attempts);
        EXPECT_EQ(run.log.back().colour, LogColour::Red);
    }
}

TEST(MailSubmission, AMessageDroppedUnansweredOrRefusedIsNotSent) {
    for (const char* mode : {"drop", "stall", "reply451", "reply554"}) {
        SCOPED_TRACE(mode);
        SmtpTestServer server(mode);
        ASSERT_GT(server.port(), 0);
        SubmissionFolder folder;
        const RunResult run = submitThrough(server, folder, "Timeout=1\r\n");
        ASSERT_TRUE(run.finished);
        EXPECT_FALSE(run.ok);
        EXPECT_EQ(run.count(QString::fromUtf8("Ошибка отправки: "), LogColour::Red), 1);
        EXPECT_EQ(run.count(QString::fromUtf8("Отправка завершена."), LogColour::Green), 0);
        EXPECT_EQ(run.log.back().colour, LogColour::Red);
        EXPECT_LT(run.ms, 10000);
        const QString key = QString(mode) == "drop"    ? "dropped"
                            : QString(mode) == "stall" ? "stalled"
                                                       : "refused";
        if (key == "refused") {
            EXPECT_EQ(run.count(QString::fromUtf8("Ошибка отправки: сервер ответил: ") + (mode + 5),
                                LogColour::Red),
                      1);
        }
        EXPECT_EQ(run.log.back().text, QString::fromUtf8("Уровень не отправлен."));
        // The server notes what it did after it answered: wait for the note.
        EXPECT_TRUE(server.waitFor(key, 3000));
    }
}

// When the run's deadline comes after the whole message went out: a server
// that took it (a recipient answered 251, QUIT answered by hanging up or
// not at all) ends the run as sent, and the author is kept for the next run;
// one that never answered the message may have delivered it, and the run
// says so in navy, never that it was not sent.
TEST(MailSubmission, AfterTheMessageTheRunIsSentOrMayBeDeliveredNeverNotSent) {
    const struct {
        const char* mode;
        bool ok;
        LogColour last;
    } cases[] = {{"hangup", true, LogColour::Green},
                 {"noquit", true, LogColour::Green},
                 {"stall", false, LogColour::Navy}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        SmtpTestServer server(c.mode);
        ASSERT_GT(server.port(), 0);
        SubmissionFolder folder;
        const RunResult run = submitThrough(server, folder, "Timeout=30\r\nDeadline=2\r\n");
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.ok, c.ok);
        ASSERT_FALSE(run.log.empty());
        EXPECT_EQ(run.log.back().colour, c.last) << run.log.back().text.toStdString();
        EXPECT_EQ(run.count(QString::fromUtf8("Уровень не отправлен."), LogColour::Red), 0);
        EXPECT_EQ(ReadString("Author", "Name", folder.path("opt.ini"), "-"),
                  c.ok ? QString::fromUtf8("Вася") : "-");
    }
}

TEST(MailSubmission, AnUntrustedCertificateEndsTheRunBeforeTheLoginUnlessTlsIsOff) {
    SmtpTestServer server("tls"); // offers STARTTLS with a self-signed certificate
    ASSERT_GT(server.port(), 0);
    SubmissionFolder folder;
    RunResult run = submitThrough(server, folder, "RetryDelay=0\r\n");
    ASSERT_TRUE(run.finished);
    EXPECT_FALSE(run.ok);
    QStringList commands = server.commands();
    ASSERT_EQ(commands.size(), 2) << commands.join(" | ").toStdString();
    EXPECT_EQ(commands[1], "STARTTLS");
    EXPECT_EQ(run.count(QString::fromUtf8("Сертификат сервера не принят: "), LogColour::Red), 1);

    // StartTls=0: the same server, without the upgrade.
    run = submitThrough(server, folder, "StartTls=0\r\n");
    EXPECT_TRUE(run.ok);
    commands = server.commands().mid(2);
    EXPECT_EQ(commands.value(1), "AUTH LOGIN");
    EXPECT_FALSE(commands.contains("STARTTLS"));
    EXPECT_FALSE(server.message().isEmpty());
}

TEST(MailSubmission, StartTlsOnTheFirstExtensionLineIsUsedAndNothingMayPrecedeTheHandshake) {
    struct Case {
        const char* mode;
        const char* logged; // the reason every attempt ends with
    };
    for (const Case& c : {Case{"starttls", "сервер ответил: 454"},
                          Case{"inject", "сервер прислал данные до установки TLS"}}) {
        SCOPED_TRACE(c.mode);
        SmtpTestServer server(c.mode);
        ASSERT_GT(server.port(), 0);
        SubmissionFolder folder;
        const RunResult run = submitThrough(server, folder, "RetryDelay=0\r\n");
        ASSERT_TRUE(run.finished);
        EXPECT_FALSE(run.ok);
        const QStringList commands = server.commands();
        EXPECT_EQ(commands.count("STARTTLS"), 20);
        // The login never goes over a connection that is not encrypted.
        EXPECT_FALSE(commands.contains("AUTH LOGIN"));
        EXPECT_EQ(run.count(QString::fromUtf8("Ошибка соединения: ") + QString::fromUtf8(c.logged),
                            LogColour::Blue),
                  20);
    }
}
