// Feeds arbitrary server bytes, in pieces of varying size, to the SMTP reply
// reader. It never crashes, holds no more than one line plus one piece,
// yields only codes 200..599 with at least one line, and stops for good
// after an error.
#include "dist/smtp_reply.h"

#include <cstdlib>

using namespace korvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t piece = 1 + data[0] % 64;
    std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    SmtpReplyReader reader;
    bool failed = false;
    while (!bytes.empty()) {
        const size_t n = std::min(piece, bytes.size());
        reader.feed(bytes.substr(0, n));
        bytes.remove_prefix(n);
        while (auto reply = reader.next()) {
            if (failed) std::abort();
            if (reply->code < 200 || reply->code > 599 || reply->lines.empty()) std::abort();
            for (const std::string& line : reply->lines)
                if (line.size() > SmtpReplyReader::kMaxLine) std::abort();
            parseEhloReply(*reply);
            (void)reply->summary();
        }
        if (!reader.error().empty()) failed = true;
        if (reader.pending() > SmtpReplyReader::kMaxLine + 64) std::abort();
    }
    return 0;
}
