// Feeds arbitrary bytes to the reader of the best rides beside a pack
// ("PACK.rides"). A file is read or refused with a message; one that is read
// is written the same way after a second read of what was written.
#include "ride/ride_records.h"

#include <cstdlib>

using namespace korvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RideRecords records;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const Message why = records.parse(bytes, "levels.mrg.rides");
    if (!why.empty()) {
        if (!records.empty()) std::abort(); // a refusal keeps the records as they were
        return 0;
    }
    const QByteArray text = records.text();
    RideRecords again;
    if (!again.parse(text, "levels.mrg.rides").empty() || again.text() != text ||
        again.size() != records.size())
        std::abort();
    return 0;
}
