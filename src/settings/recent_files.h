#pragma once
// The recent packs of File > "Выбрать": up to nine full paths, kept in the
// section `LastFiles` of "opt.ini" under the keys "1".."9".

#include "text/message.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace korvo {

constexpr int kRecentMax = 9;

// One entry of the submenu: caption "n: path", hint the path alone.
struct RecentItem {
    int number = 0; // the key it is stored under
    QString path;
    QString caption() const { return QString::number(number) + ": " + path; }
};

struct RecentLookup {
    bool found = false;
    int index = -1;
};

class RecentFiles {
public:
    // `iniPath` is the settings file ("opt.ini" in the base folder).
    explicit RecentFiles(QString iniPath) : ini_(std::move(iniPath)) {}

    // Reads keys "1".."9" (`buildRecentMenu` without the menu). A key that is
    // missing, empty or exactly "0" gives no entry; the numbers of the other
    // entries stay those of their keys, so gaps stay gaps.
    void load();

    // `LastFilesList`: the paths in submenu order.
    const QStringList& LastFilesList() const { return paths_; }
    // The submenu's items in order.
    const QList<RecentItem>& items() const { return items_; }

    // First entry equal to the path (exact, case-sensitive).
    RecentLookup check_ini(const QString& path) const;

    // Records a pack as just opened. A new path goes to the end while there
    // is room and to the front once the list is full (the last entry drops
    // out); a path already listed moves to the front. Returns false with the
    // reason in `error` when the settings file could not be written; list
    // and menu items change all the same. The path is taken by value: it may
    // be one of the list's own entries.
    bool write_ini(QString path, Message* error = nullptr);
    // Takes a pack off the list (its file is gone); the rest are numbered
    // afresh. False with the reason when the settings file could not be written.
    bool remove(const QString& path, Message* error = nullptr);

private:
    bool rewriteAll(bool clearRest, Message* error);

    QString ini_;
    QStringList paths_;
    QList<RecentItem> items_;
};

} // namespace korvo
