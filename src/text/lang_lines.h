#pragma once
// The numbered text lines of the interface language. A language file holds
// one text per line, addressed by line number from 0. Lines a file lacks are
// taken from the built-in Russian texts, so a lookup never fails; the lines
// added after the first 96 come in English for a file that is not Cyrillic.

#include "message.h"

#include <QString>
#include <QStringList>

#include <string>
#include <type_traits>

namespace korvo {

constexpr int kLangLineCount = 96;

class LangLines {
public:
    // Starts with the built-in texts.
    LangLines();

    // Splits file bytes (Windows-1251) into lines: CR LF, lone CR and lone LF
    // end a line, a final break adds no empty entry, "^p" becomes CR LF.
    static QStringList parse(const QByteArray& bytes);

    // Loads a language file. Returns an empty string on success; otherwise the
    // reason (missing file, beyond the limits of text_file_limits.h, or fewer
    // lines than the program uses). The lines that could not be loaded keep
    // their built-in texts.
    Message load(const QString& path);

    // Line n; the built-in text where the loaded file has none.
    QString operator[](int n) const;
    QString text(int n) const { return (*this)[n]; }
    // Line n with "%s" replaced by `arg` (lines 57 and 72).
    QString format(int n, const QString& arg) const;
    // Line n with "%d" replaced by `value` (line 63).
    QString format(int n, int value) const;

    // The message in this language.
    QString say(const Message& message) const;
    std::string sayStd(const Message& message) const { return say(message).toStdString(); }

    // The lines are Cyrillic text (a Russian file, or the built-in texts).
    bool cyrillic() const;

    int loadedCount() const { return int(loaded_.size()); }
    static const QStringList& builtIn();

private:
    QStringList loaded_;
    bool cyrillic_ = false; // the loaded file is written in a Cyrillic language
};

// The language file `Lang` inside base folder + "lang/". Only the file-name
// part of `Lang` counts, so the file is always looked for in that folder; a
// file there whose name differs only in letter case is found too.
QString langFilePath(const QString& baseFolder, const QString& Lang);

// The language the program speaks now. The editor and `trackpack` set it when
// they load their language file; messages made below the windows (the pack
// reader and writer, pictures, mail) take their texts from it. Until one is
// set it is the shipped English file.
const LangLines& activeLang();
void setActiveLang(const LangLines& lang);

// Makes `lang` the active language for the life of the object, then brings
// the previous one back.
class ActiveLangScope {
public:
    explicit ActiveLangScope(const LangLines& lang) : previous_(activeLang()) {
        setActiveLang(lang);
    }
    ~ActiveLangScope() { setActiveLang(previous_); }
    ActiveLangScope(const ActiveLangScope&) = delete;
    ActiveLangScope& operator=(const ActiveLangScope&) = delete;

private:
    LangLines previous_;
};

namespace lang_detail {
inline QString asArg(const QString& s) {
    return s;
}
inline QString asArg(const std::string& s) {
    return QString::fromStdString(s);
}
inline QString asArg(const char* s) {
    return QString::fromUtf8(s);
}
template <class N>
requires std::is_arithmetic_v<N> QString asArg(N n) {
    return QString::number(n);
}
} // namespace lang_detail

// Line n of the active language with %1, %2, ... filled in.
template <class... A> QString activeQText(int n, const A&... args) {
    QString s = activeLang()[n];
    if constexpr (sizeof...(A) > 0) s = s.arg(lang_detail::asArg(args)...);
    return s;
}
// The same as UTF-8 bytes, for messages the core keeps as std::string.
template <class... A> std::string activeText(int n, const A&... args) {
    return activeQText(n, args...).toStdString();
}

} // namespace korvo
