#include "smtp_reply.h"

#include "text/lang_added.h"

#include <algorithm>
#include <cctype>

namespace korvo {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// The words of a line, split at blanks.
std::vector<std::string> words(std::string_view line) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const size_t from = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > from) out.emplace_back(line.substr(from, i - from));
    }
    return out;
}

} // namespace

std::string printableReply(std::string_view text) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u != 0x7F) {
            out += c;
            continue;
        }
        out += "\\x";
        out += digits[u >> 4];
        out += digits[u & 0xF];
    }
    return out;
}

std::string SmtpReply::summary() const {
    std::string s = std::to_string(code);
    if (!lines.empty() && !lines.front().empty()) s += " " + printableReply(lines.front());
    return s;
}

bool SmtpReplyReader::fail(Message why) {
    error_ = std::move(why);
    buffer_.clear();
    start_ = 0;
    return false;
}

void SmtpReplyReader::feed(std::string_view bytes) {
    if (!error_.empty()) return;
    // Drop what was consumed before growing the buffer.
    if (start_ > 0) {
        buffer_.erase(0, start_);
        start_ = 0;
    }
    buffer_.append(bytes);
}

std::optional<SmtpReply> SmtpReplyReader::next() {
    while (error_.empty()) {
        const size_t end = buffer_.find('\n', start_);
        if (end == std::string::npos) {
            if (pending() > kMaxLine) fail(Message::line(kLineMailLineTooLong));
            return std::nullopt;
        }
        std::string_view line(buffer_.data() + start_, end - start_);
        start_ = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() > kMaxLine) {
            fail(Message::line(kLineMailLineTooLong));
            break;
        }
        if (line.size() < 3 || !isDigit(line[0]) || !isDigit(line[1]) || !isDigit(line[2]) ||
            line[0] < '2' || line[0] > '5' ||
            (line.size() > 3 && line[3] != ' ' && line[3] != '-')) {
            fail(Message::line(kLineMailNotSmtp, "\"" + printableReply(line.substr(0, 80)) + "\""));
            break;
        }
        const int code = (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
        if (!partial_.lines.empty() && code != partial_.code) {
            fail(Message::line(kLineMailCodeChanged));
            break;
        }
        if (partial_.lines.size() >= kMaxLines) {
            fail(Message::line(kLineMailTooManyLines));
            break;
        }
        partial_.code = code;
        partial_.lines.emplace_back(line.size() > 4 ? line.substr(4) : std::string_view());
        if (line.size() > 3 && line[3] == '-') continue;
        SmtpReply done = std::move(partial_);
        partial_ = SmtpReply{};
        return done;
    }
    return std::nullopt;
}

SmtpExtensions parseEhloReply(const SmtpReply& reply) {
    SmtpExtensions ext;
    for (size_t i = 1; i < reply.lines.size(); ++i) {
        const std::vector<std::string> w = words(upper(reply.lines[i]));
        if (w.empty()) continue;
        if (w[0] == "STARTTLS") ext.startTls = true;
        // "AUTH LOGIN PLAIN", or the old form "AUTH=LOGIN PLAIN".
        std::vector<std::string> mechanisms;
        if (w[0] == "AUTH")
            mechanisms.assign(w.begin() + 1, w.end());
        else if (w[0].rfind("AUTH=", 0) == 0) {
            mechanisms.assign(w.begin(), w.end());
            mechanisms[0] = mechanisms[0].substr(5);
        }
        if (std::find(mechanisms.begin(), mechanisms.end(), "LOGIN") != mechanisms.end())
            ext.authLogin = true;
    }
    return ext;
}

} // namespace korvo
