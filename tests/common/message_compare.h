#pragma once
// Messages of the core compared with the texts the tests expect: worded in
// the language the test speaks (ActiveLanguage), "" for no message.

#include "text/lang_lines.h"

#include <ostream>

namespace korvo {

inline bool operator==(const Message& m, const char* text) {
    return *text == 0 ? m.empty() : activeLang().say(m) == QString::fromUtf8(text);
}
inline bool operator==(const Message& m, const std::string& text) {
    return m == text.c_str();
}
inline std::string operator+(const std::string& s, const Message& m) {
    return s + activeLang().sayStd(m);
}
inline void PrintTo(const Message& m, std::ostream* os) {
    *os << activeLang().sayStd(m);
}

} // namespace korvo
