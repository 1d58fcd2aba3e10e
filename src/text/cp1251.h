#pragma once
// Windows-1251, the single-byte code page of names and language files.

#include <QString>
#include <string>
#include <string_view>

namespace korvo {

QString fromCp1251(std::string_view bytes);
// Characters that Windows-1251 cannot hold become `replacement` (one byte
// per character, also for a character outside the 16-bit range).
std::string toCp1251(const QString& text, char replacement = '?');
// The characters of `text` that Windows-1251 cannot hold, each once, in order.
QString notInCp1251(const QString& text);

} // namespace korvo
