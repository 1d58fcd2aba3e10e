#pragma once
// The numbered text lines of the interface language. A language file holds
// one text per line, addressed by line number from 0. Lines a file lacks are
// taken from the built-in Russian texts, so a lookup never fails; the lines
// added after the first 96 come in English for a file that is not Cyrillic.

#include <QString>
#include <QStringList>

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
    // reason (missing file, or fewer lines than the program uses). The lines
    // that could not be loaded keep their built-in texts.
    QString load(const QString& path);

    // Line n; the built-in text where the loaded file has none.
    QString operator[](int n) const;
    QString text(int n) const { return (*this)[n]; }
    // Line n with "%s" replaced by `arg` (lines 57 and 72).
    QString format(int n, const QString& arg) const;
    // Line n with "%d" replaced by `value` (line 63).
    QString format(int n, int value) const;

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

} // namespace korvo
