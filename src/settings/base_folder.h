#pragma once
// The base folder of a start: the current folder, a folder named on the
// command line, or the per-user data folder, which is made on first use and
// given the files shipped with the program.

#include "command_line.h"

#include "text/message.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace korvo {

// The folder of the files shipped with the program ("lang", "images",
// "tomail"): `installed` when it holds "lang", otherwise `fallback` (the
// source tree's "base", for a program run from its build folder).
QString shippedFilesFolder(const QString& installed, const QString& fallback);

// Makes `folder` a base folder from `shipped`: missing folders are made and
// missing files copied; a shipped language file ("lang/*.lng") replaces its
// copy when it is newer. Everything else stays: the user's own language
// files, "opt.ini", packs, pictures. Returns what could not be done, one
// "<path>: <reason>" each.
std::vector<Message> fillBaseFolder(const QString& shipped, const QString& folder);

// The base folder the command line chose, ready for the window.
struct BaseChoice {
    QString folder;       // absolute
    QStringList problems; // told once the window is up; the start goes on
    QString error;        // the program does not start (a --base folder that is not there)
};
// `userFolder` is the per-user data folder, filled from `shipped` with
// fillBaseFolder when --user chose it.
BaseChoice chooseBaseFolder(const CommandLine& line, const QString& shipped,
                            const QString& userFolder);

} // namespace korvo
