#pragma once
// Makes one shipped language the active one for the life of the object and
// brings the previous one back afterwards.

#include "settings/lang_lines.h"

namespace korvo::test {

class ActiveLanguage {
public:
    explicit ActiveLanguage(const char* file) : previous_(activeLang()) {
        LangLines lang;
        lang.load(QString(BASE_DIR "/lang/") + file);
        setActiveLang(lang);
    }
    ~ActiveLanguage() { setActiveLang(previous_); }
    ActiveLanguage(const ActiveLanguage&) = delete;
    ActiveLanguage& operator=(const ActiveLanguage&) = delete;

private:
    LangLines previous_;
};

} // namespace korvo::test
