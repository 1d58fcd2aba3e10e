#pragma once
// The settings file "opt.ini": sections in brackets, "key=value" lines,
// comments starting with ';'. Text is Windows-1251 on disk.
//
// Section and key names match without regard to case; the first section and
// the first key of a name win. A missing key reads as the caller's default.
// A write replaces the value in place, adds a missing key after the last line
// of its section, or adds the section at the end of the file; every other byte
// of the file (other sections, comments, order, line ends) stays as it was.
// Files are written atomically: a crash never leaves half a file behind.

#include "text/message.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace korvo {

// One INI file's bytes, read and edited in memory.
class IniText {
public:
    IniText() = default;
    explicit IniText(QByteArray bytes) : bytes_(std::move(bytes)) {}

    const QByteArray& bytes() const { return bytes_; }

    // The value of the key, blanks around it removed; nullopt when absent.
    std::optional<QString> value(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key, const QString& def) const {
        return value(section, key).value_or(def);
    }
    // True when the section exists and holds at least one key.
    bool hasKeys(const QString& section) const;

    // Sets a value. Refuses (returns false, changes nothing) names or values
    // that the file cannot hold: line breaks, '=' or a leading '[' / ';' in a
    // key, ']' in a section name, characters outside Windows-1251.
    bool setValue(const QString& section, const QString& key, const QString& value);
    // Removes the key's line; false when there was no such key.
    bool removeKey(const QString& section, const QString& key);

private:
    QByteArray bytes_;
};

// Reads a whole INI file. A missing file reads as empty; nullopt when the
// file exists but cannot be read or is beyond the limits of a settings file
// (see text_file_limits.h; the reason goes to `error`).
std::optional<IniText> readIniFile(const QString& file, Message* error = nullptr);
// Replaces the file atomically; false with the reason in `error` on failure.
bool writeIniFile(const QString& file, const IniText& text, Message* error = nullptr);
// Reads the file as it is on disk now, lets `edit` change its own keys and
// writes it back only when a byte changed, so that what another program or
// a second window wrote in the meantime stays. False with the reason in
// `error` when the file cannot be read or written (nothing is written then).
template <class Edit>
bool updateIniFile(const QString& file, Edit&& edit, Message* error = nullptr) {
    std::optional<IniText> text = readIniFile(file, error);
    if (!text) return false;
    const QByteArray before = text->bytes();
    if (!edit(*text)) return false;
    return text->bytes() == before || writeIniFile(file, *text, error);
}

// One value from the file; `def` when the key or the file is missing.
QString ReadString(const QString& section, const QString& key, const QString& file,
                   const QString& def);
// Writes one value, creating key, section or file as needed.
bool WriteString(const QString& section, const QString& key, const QString& file,
                 const QString& value, Message* error = nullptr);
// True when the file has the section with at least one key in it.
bool SectionExe(const QString& section, const QString& file);

} // namespace korvo
