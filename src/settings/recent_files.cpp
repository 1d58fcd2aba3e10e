#include "recent_files.h"

#include "ini_file.h"

namespace korvo {

namespace {

const QString kSection = "LastFiles";

bool recordable(const QString& path) {
    IniText probe;
    return path != "0" && !path.trimmed().isEmpty() && probe.setValue(kSection, "1", path) &&
           probe.value(kSection, "1") == path;
}

} // namespace

void RecentFiles::load() {
    paths_.clear();
    items_.clear();
    const IniText ini = readIniFile(ini_).value_or(IniText());
    for (int n = 1; n <= kRecentMax; ++n) {
        const QString path = ini.readString(kSection, QString::number(n), "0");
        if (path == "0" || path.isEmpty()) continue;
        paths_.append(path);
        items_.append({n, path});
    }
}

RecentLookup RecentFiles::check_ini(const QString& path) const {
    const int at = int(paths_.indexOf(path));
    return {at >= 0, at};
}

bool RecentFiles::write_ini(QString path, Message* error) {
    if (!recordable(path)) {
        if (error)
            *error = Message::plain(path + ": this path cannot be kept in the settings file");
        return false;
    }
    load(); // the list as it is on disk now: another window may have changed it
    const int count = int(paths_.size());
    bool gaps = false;
    for (int i = 0; i < count; ++i) gaps = gaps || items_[i].number != i + 1;
    const RecentLookup seen = check_ini(path);
    if (count >= kRecentMax || seen.found) {
        paths_.removeAt(seen.found ? seen.index : kRecentMax - 1);
        paths_.prepend(path);
    } else if (!gaps) {
        paths_.append(path);
        items_.append({count + 1, path});
        return updateIniFile(
            ini_,
            [&](IniText& ini) { return ini.setValue(kSection, QString::number(count + 1), path); },
            error);
    } else {
        paths_.append(path);
    }
    return rewriteAll(gaps, error);
}

// Numbered afresh from 1. Keys beyond the list would bring back stale or
// doubled entries at the next start; with `clearRest` they go.
bool RecentFiles::rewriteAll(bool clearRest, Message* error) {
    items_.clear();
    for (int i = 0; i < int(paths_.size()); ++i) items_.append({i + 1, paths_[i]});
    return updateIniFile(
        ini_,
        [&](IniText& ini) {
            for (const RecentItem& item : items_)
                ini.setValue(kSection, QString::number(item.number), item.path);
            for (int n = int(items_.size()) + 1; clearRest && n <= kRecentMax; ++n)
                ini.removeKey(kSection, QString::number(n));
            return true;
        },
        error);
}

bool RecentFiles::remove(const QString& path, Message* error) {
    load();
    if (paths_.removeAll(path) == 0) return true;
    return rewriteAll(true, error);
}

} // namespace korvo
