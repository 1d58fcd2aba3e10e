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

} // namespace korvo
