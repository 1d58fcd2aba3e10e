#pragma once
// The system's reasons for a failed file operation, as messages the layer
// showing them words in its language (LangLines::say): English as the system
// says it, Russian from the language lines.

#include "message.h"

#include <QString>

#include <string>

class QFileDevice;

namespace korvo {

// The reason for error number `error`.
inline Message systemError(int error) {
    return Message::systemError(error);
}
// The reason a file could not be opened, read or written: Qt's English text,
// or its Russian line when one matches.
Message fileError(const QFileDevice& file);
// "<path>: <why>" with the path in the platform's separators.
inline Message pathMessage(const QString& path, const Message& why) {
    return Message::atPath(path, why);
}
// The same for a reason already worded.
std::string pathMessage(const QString& path, const std::string& why);

} // namespace korvo
