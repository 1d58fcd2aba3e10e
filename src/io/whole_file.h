#pragma once
// Reading a whole file into memory.

#include <QString>
#include <string>

namespace korvo {

// Reads a whole file. Returns an empty string, or the reason it failed.
std::string readWholeFile(const QString& path, std::string& bytes);

} // namespace korvo
