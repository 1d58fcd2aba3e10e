#pragma once
// A message of the core, not yet worded: a numbered language line with its
// arguments, a system error, or a text that needs no language, with an
// optional path before it. The layer that shows it words it with the
// language it holds (LangLines::say), so two languages can word the same
// message side by side.

#include <QString>

#include <memory>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace korvo {

class Message {
public:
    // A line's argument: a text, a number, or a message worded in the same language.
    using Arg = std::variant<QString, long long, std::shared_ptr<const Message>>;

    // No message: what a call that went well returns.
    Message() = default;

    // Line n of the language with %1, %2, ... filled in by `args`.
    template <class... A> static Message line(int n, const A&... args) {
        Message m;
        m.kind_ = Kind::Line;
        m.number_ = n;
        (m.args_.push_back(asArg(args)), ...);
        return m;
    }
    // A system error (errno), worded by the language.
    static Message systemError(int error);
    // An error Qt reported as `said`, with the device's error code `code`.
    static Message qtError(int code, const QString& said);
    // A text the same in every language (already worded, or a name).
    static Message plain(const QString& text);
    // `why` with the path in front ("path: why").
    static Message atPath(const QString& path, const Message& why);

    bool empty() const { return kind_ == Kind::None; }
    explicit operator bool() const { return !empty(); }

    enum class Kind { None, Line, System, Qt, Plain, Path };
    Kind kind() const { return kind_; }
    // The line (Line), the errno (System) or the device's code (Qt).
    int number() const { return number_; }
    // The text (Plain, Qt) or the path (Path).
    const QString& text() const { return text_; }
    const std::vector<Arg>& args() const { return args_; }

    bool operator==(const Message& other) const;

private:
    static Arg asArg(const Message& m) { return std::make_shared<const Message>(m); }
    static Arg asArg(const QString& s) { return s; }
    static Arg asArg(const std::string& s) { return QString::fromStdString(s); }
    static Arg asArg(const char* s) { return QString::fromUtf8(s); }
    template <class N>
    requires std::is_arithmetic_v<N>
    static Arg asArg(N n) { return static_cast<long long>(n); }

    Kind kind_ = Kind::None;
    int number_ = 0;
    QString text_;
    std::vector<Arg> args_;
};

} // namespace korvo
