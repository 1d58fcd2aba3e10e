#pragma once
// Messages of the core compared with the texts the tests expect: worded in
// the language the test speaks (ActiveLanguage), "" for no message.

#include "active_language.h"

#include <ostream>

namespace korvo {

inline QString said(const Message& m) {
    return test::wordingLanguage().say(m);
}
// The message as the tests read it: UTF-8 text, "" for no message.
inline std::string text(const Message& m) {
    return said(m).toStdString();
}
inline bool operator==(const Message& m, const char* text) {
    return *text == 0 ? m.empty() : said(m) == QString::fromUtf8(text);
}
inline bool operator==(const Message& m, const std::string& text) {
    return m == text.c_str();
}
inline bool operator==(const Message& m, const QString& text) {
    return text.isEmpty() ? m.empty() : said(m) == text;
}
inline std::string operator+(const std::string& s, const Message& m) {
    return s + said(m).toStdString();
}
inline std::ostream& operator<<(std::ostream& os, const Message& m) {
    return os << said(m).toStdString();
}
inline void PrintTo(const Message& m, std::ostream* os) {
    *os << said(m).toStdString();
}

} // namespace korvo
