#pragma once
// Makes one shipped language the active one for the life of the object and
// brings the previous one back afterwards.

#include "text/lang_lines.h"

namespace korvo::test {

inline LangLines shippedLanguage(const char* file) {
    LangLines lang;
    lang.load(QString(BASE_DIR "/lang/") + file);
    return lang;
}

class ActiveLanguage : public ActiveLangScope {
public:
    explicit ActiveLanguage(const char* file) : ActiveLangScope(shippedLanguage(file)) {}
};

} // namespace korvo::test
