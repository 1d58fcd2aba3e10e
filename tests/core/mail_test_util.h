#pragma once
// Helpers for the submission tests: a base folder with a generated pack, an
// SMTP server on 127.0.0.1 run by Python (aiosmtpd, or a scripted one that
// drops or stalls), and Python's zipfile as an outside judge of archives.

#include "pack/pack_file.h"
#include "pack/sample_pack.h"
#include "settings_files.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <gtest/gtest.h>

namespace korvo::test {

// Sockets and timers need an application object; the core tests have none.
inline void ensureCoreApp() {
    static int argc = 1;
    static char name[] = "core_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
}

// The user and password the test servers accept.
inline const char* const kTestMailbox = "levels@test.example";
inline const char* const kTestPassword = "secret";

class SmtpTestServer {
public:
    // mode: accept, refuse, tls or a scripted one (see tests/tools/smtp_server.py).
    explicit SmtpTestServer(const QString& mode) {
        ensureCoreApp();
        log_ = dir_.filePath("events.jsonl");
        process_.start(SYSTEM_PYTHON, {TEST_TOOLS_DIR "/smtp_server.py", mode, log_});
        process_.waitForStarted(15000);
        QElapsedTimer clock;
        clock.start();
        while (!process_.canReadLine() && process_.state() == QProcess::Running &&
               clock.elapsed() < 15000)
            process_.waitForReadyRead(100);
        const QByteArray line = process_.readLine().trimmed();
        if (line.startsWith("PORT ")) port_ = line.mid(5).toInt();
        if (port_ == 0)
            std::fprintf(stderr, "the SMTP test server did not start (%s): %s\n",
                         qPrintable(process_.errorString()),
                         process_.readAllStandardError().constData());
    }
    ~SmtpTestServer() {
        process_.kill();
        process_.waitForFinished(5000);
    }
    int port() const { return port_; }

    QJsonArray events() const {
        QJsonArray out;
        for (const QByteArray& line : fileBytes(log_).split('\n'))
            if (!line.isEmpty()) out.append(QJsonDocument::fromJson(line).object());
        return out;
    }
    QStringList commands() const {
        QStringList out;
        for (const auto& e : events())
            if (e.toObject().contains("command")) out << e.toObject()["command"].toString();
        return out;
    }
    // Waits (running the event loop) until the server logged an event with
    // this key, at most `ms`; true when it did.
    bool waitFor(const QString& key, int ms = 20000) const {
        return QTest::qWaitFor(
            [&] {
                for (const auto& e : events())
                    if (e.toObject().contains(key)) return true;
                return false;
            },
            ms);
    }
    QJsonObject message() const {
        for (const auto& e : events())
            if (e.toObject().contains("message")) return e.toObject()["message"].toObject();
        return {};
    }

private:
    QTemporaryDir dir_;
    QString log_;
    QProcess process_;
    int port_ = 0;
};

// A base folder with "tomail" and a generated pack "levels.mrg".
struct SubmissionFolder {
    QTemporaryDir dir;
    QString base = dir.path();
    QString pack = dir.filePath("levels.mrg");

    explicit SubmissionFolder(int tracks = 30) {
        QDir(base).mkpath("tomail");
        TrackTable table;
        SampleOptions options;
        options.tracks = tracks;
        options.segments = 20;
        const Rows rows = makeSamplePack(table, options);
        savePackFile(pack, table, rows);
    }
    QString path(const QString& name) const { return QDir(base).filePath(name); }
    // "opt.ini" with [Mail] pointing at a local port.
    void mailTo(int port, const QByteArray& more = {}) const {
        putFile(path("opt.ini"), "[Mail]\r\nHost=127.0.0.1\r\nPort=" + QByteArray::number(port) +
                                     "\r\nMailbox=" + kTestMailbox +
                                     "\r\nPassword=" + kTestPassword + "\r\n" + more);
    }
};

// The entries of an archive as Python's zipfile reads them:
// {"ok": testzip passed, "entries": [{name, method, date_time, crc, data}]}.
inline QJsonObject zipDump(const QString& archive) {
    QProcess p;
    p.start(SYSTEM_PYTHON, {TEST_TOOLS_DIR "/zip_tool.py", "dump", archive});
    p.waitForFinished(30000);
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

// An entry's local date and time as zipDump() reads it: two-second units.
inline QDateTime zipTime(const QJsonValue& dateTime) {
    const QJsonArray t = dateTime.toArray();
    return QDateTime(QDate(t[0].toInt(), t[1].toInt(), t[2].toInt()),
                     QTime(t[3].toInt(), t[4].toInt(), t[5].toInt()));
}
// The latest time a zip entry can hold that is not after `t`.
inline QDateTime evenSecondsBefore(QDateTime t) {
    t = t.addMSecs(-t.time().msec());
    return t.addSecs(-(t.time().second() % 2));
}

inline QByteArray fromBase64(const QJsonValue& v) {
    return QByteArray::fromBase64(v.toString().toLatin1());
}

} // namespace korvo::test
