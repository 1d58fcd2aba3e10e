// Feeds arbitrary bytes to the language file reader: every line break ends
// exactly one line, and no "^p" survives.
#include "text/lang_lines.h"

#include <cstdlib>

using namespace korvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = LangLines::parse(bytes);
    const qsizetype breaks = bytes.count('\n') + bytes.count('\r') - bytes.count("\r\n");
    const bool finalBreak = bytes.endsWith('\n') || bytes.endsWith('\r');
    if (lines.size() != breaks + (bytes.isEmpty() || finalBreak ? 0 : 1)) std::abort();
    for (const QString& line : lines) {
        if (line.contains("^p")) std::abort();
        if (line.count('\n') != line.count("\r\n")) std::abort(); // only "^p" breaks a line
    }
    return 0;
}
