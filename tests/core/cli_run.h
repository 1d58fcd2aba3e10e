#pragma once
// Runs trackpack as a user does and keeps what it said.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace korvo::test {

struct CliRun {
    int status = -1;
    QString out, err;
};

// The environment of a run whose locale is `locale`: the settings
// "NAME=value" of LC_ALL, LC_MESSAGES and LANG, the others unset. A folder
// without "opt.ini" speaks that locale's language.
inline QProcessEnvironment localeEnvironment(const QStringList& locale) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) env.remove(name);
    for (const QString& setting : locale)
        env.insert(setting.section('=', 0, 0), setting.section('=', 1));
    return env;
}

// Runs in `folder` (the base folder whose language it speaks), or here, with
// the locale `locale`: Russian unless a test says otherwise.
inline CliRun trackpack(const QStringList& args, const QString& folder = {},
                        const QStringList& locale = {"LANG=ru_RU.UTF-8"}) {
    QProcess p;
    p.setProcessEnvironment(localeEnvironment(locale));
    if (!folder.isEmpty()) p.setWorkingDirectory(folder);
    p.start(TRACKPACK_EXE, args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace korvo::test
