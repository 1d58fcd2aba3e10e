#pragma once
// Reading a whole file into memory.

#include "text/message.h"

#include <QString>
#include <string>

namespace korvo {

// Reads a whole file. Returns no message, or the reason it failed.
Message readWholeFile(const QString& path, std::string& bytes);

} // namespace korvo
