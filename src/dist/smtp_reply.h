#pragma once
// Replies of an SMTP server, taken out of the bytes as they arrive. A reply
// is one or more lines "ddd-text" ending with a line "ddd text" (or "ddd"),
// each ended by CR LF; a lone LF is accepted too. Anything else, or a line
// longer than any server sends, is a protocol error and ends the dialogue.

#include "text/message.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvo {

struct SmtpReply {
    int code = 0;                   // 200..599
    std::vector<std::string> lines; // the text after "ddd-" / "ddd " of each line

    // "250 first line" (the code and the first line), for log lines.
    std::string summary() const;
};

class SmtpReplyReader {
public:
    // Longest line accepted (RFC 5321 allows 512 bytes; some servers send longer).
    static constexpr size_t kMaxLine = 4096;
    // Most lines in one reply (an EHLO answer lists a few dozen at most).
    static constexpr size_t kMaxLines = 256;

    // Adds received bytes.
    void feed(std::string_view bytes);
    // The next complete reply, if the bytes so far hold one. After an error
    // no more replies come and error() says why.
    std::optional<SmtpReply> next();
    const Message& error() const { return error_; }
    // Bytes received but not yet part of a complete line.
    size_t pending() const { return buffer_.size() - start_; }

private:
    std::string buffer_;
    size_t start_ = 0; // first byte not yet consumed
    SmtpReply partial_;
    Message error_;

    bool fail(Message why);
};

// The extensions an EHLO reply announces (every line after the first).
struct SmtpExtensions {
    bool startTls = false;
    bool authLogin = false;
};
SmtpExtensions parseEhloReply(const SmtpReply& reply);

// Text of a server as the log shows it: control characters (a NUL, a line
// break, an escape) as "\xNN", so nothing is cut, drawn as a box or split.
std::string printableReply(std::string_view text);

} // namespace korvo
