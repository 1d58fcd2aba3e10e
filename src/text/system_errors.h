#pragma once
// The system's reasons for a failed file operation, in the interface language.

#include <QString>

#include <string>

class QFileDevice;

namespace korvo {

// The system's reason for error number `error` in the interface language:
// English as the system says it, Russian from the language lines.
std::string systemErrorText(int error);
// The reason a file could not be opened, read or written, in the interface
// language: Qt's English text, or its Russian line when one matches.
std::string fileErrorText(const QFileDevice& file);
// "<path>: <why>" with the path in the platform's separators.
std::string pathMessage(const QString& path, const std::string& why);

} // namespace korvo
