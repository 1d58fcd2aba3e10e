#pragma once
// The language the tests word the core's messages in (message_compare.h):
// the shipped English file, or another one for the life of an
// ActiveLanguage object.

#include "text/lang_lines.h"

namespace korvo::test {

inline LangLines shippedLanguage(const char* file) {
    LangLines lang;
    lang.load(QString(BASE_DIR "/lang/") + file);
    return lang;
}

inline LangLines& wordingLanguage() {
    static LangLines lang = shippedLanguage("english.lng");
    return lang;
}

class ActiveLanguage {
public:
    explicit ActiveLanguage(const char* file) : previous_(wordingLanguage()) {
        wordingLanguage() = shippedLanguage(file);
    }
    ~ActiveLanguage() { wordingLanguage() = previous_; }
    ActiveLanguage(const ActiveLanguage&) = delete;
    ActiveLanguage& operator=(const ActiveLanguage&) = delete;

private:
    LangLines previous_;
};

} // namespace korvo::test
