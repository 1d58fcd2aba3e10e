#include "message.h"

namespace korvo {

Message Message::systemError(int error) {
    Message m;
    m.kind_ = Kind::System;
    m.number_ = error;
    return m;
}

Message Message::qtError(int code, const QString& said) {
    Message m;
    m.kind_ = Kind::Qt;
    m.number_ = code;
    m.text_ = said;
    return m;
}

Message Message::plain(const QString& text) {
    Message m;
    m.kind_ = Kind::Plain;
    m.text_ = text;
    return m;
}

Message Message::atPath(const QString& path, const Message& why) {
    Message m;
    m.kind_ = Kind::Path;
    m.text_ = path;
    m.args_.push_back(asArg(why));
    return m;
}

bool Message::operator==(const Message& other) const {
    if (kind_ != other.kind_ || number_ != other.number_ || text_ != other.text_ ||
        args_.size() != other.args_.size())
        return false;
    for (size_t i = 0; i < args_.size(); ++i) {
        const Arg& a = args_[i];
        const Arg& b = other.args_[i];
        if (a.index() != b.index()) return false;
        if (const auto* m = std::get_if<std::shared_ptr<const Message>>(&a)) {
            if (!(**m == *std::get<std::shared_ptr<const Message>>(b))) return false;
        } else if (a != b) {
            return false;
        }
    }
    return true;
}

} // namespace korvo
