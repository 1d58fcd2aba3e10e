#include "replay.h"

#include "io/checked_write.h"
#include "text/lang_added.h"
#include "text/text_file_limits.h"

#include <QDir>
#include <QRegularExpression>
#include <QStringList>

namespace korvo {

namespace {

constexpr const char* kKeyNames[] = {"up", "down", "left", "right"};

bool& keyOf(RideInput& in, RideKey k) {
    switch (k) {
    case RideKey::Up:
        return in.up;
    case RideKey::Down:
        return in.down;
    case RideKey::Left:
        return in.left;
    case RideKey::Right:
        break;
    }
    return in.right;
}

} // namespace

int stepOfMs(int ms) {
    return int(int64_t(ms) * RideWorld::kStepsPerSecond / 1000);
}

int msOfStep(int step) {
    return int((int64_t(step) * 1000 + RideWorld::kStepsPerSecond - 1) /
               RideWorld::kStepsPerSecond);
}

std::optional<std::vector<KeyEvent>> parseKeyFile(const QString& text, int* badLine) {
    std::vector<KeyEvent> events;
    const QStringList lines = text.split('\n');
    static const QRegularExpression blanks("\\s+");
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].section('#', 0, 0).trimmed(); // '#' starts a comment
        if (line.isEmpty()) continue;
        const QStringList parts = line.split(blanks);
        bool ok = parts.size() == 3;
        KeyEvent e;
        if (ok) e.ms = parts[0].toInt(&ok);
        ok = ok && e.ms >= 0 && (events.empty() || e.ms >= events.back().ms);
        int key = -1;
        for (int k = 0; k < 4; ++k)
            if (ok && parts[1].compare(kKeyNames[k], Qt::CaseInsensitive) == 0) key = k;
        const QString state = ok ? parts[2].toLower() : QString();
        if (key < 0 || (state != "down" && state != "up")) {
            if (badLine) *badLine = i + 1;
            return std::nullopt;
        }
        e.key = RideKey(key);
        e.down = state == "down";
        events.push_back(e);
    }
    return events;
}

QString keyFileText(const std::vector<KeyEvent>& events) {
    QString text;
    for (const KeyEvent& e : events)
        text +=
            QString("%1 %2 %3\n").arg(e.ms).arg(kKeyNames[int(e.key)]).arg(e.down ? "down" : "up");
    return text;
}

Message readKeyFile(const QString& path, std::vector<KeyEvent>& keys) {
    // A key file is typed or recorded: one larger than kMaxTextFileBytes
    // (1 MiB) is refused before it is read.
    QByteArray bytes;
    bool tooLarge = false;
    if (Message why = readTextFileWithinLimits(path, bytes, &tooLarge); !why.empty())
        return tooLarge ? Message::line(kLineCliKeyFileTooLarge, QDir::toNativeSeparators(path),
                                        kMaxTextFileBytes, kMaxTextLineBytes)
                        : why;
    int bad = 0;
    auto read = parseKeyFile(QString::fromUtf8(bytes), &bad);
    if (!read) return Message::line(kLineCliKeyFile, QDir::toNativeSeparators(path), bad);
    keys = std::move(*read);
    return {};
}

Message writeKeyFile(const QString& path, const std::vector<KeyEvent>& keys) {
    const QByteArray bytes = keyFileText(keys).toUtf8();
    return writeFileChecked(path, std::string_view(bytes.constData(), size_t(bytes.size())));
}

RideInput KeyPlayer::inputForStep(int step) {
    while (next_ < events_.size() && stepOfMs(events_[next_].ms) <= step) {
        keyOf(held_, events_[next_].key) = events_[next_].down;
        ++next_;
    }
    return held_;
}

void KeyRecorder::record(int step, const RideInput& held) {
    RideInput now = held;
    for (int k = 0; k < 4; ++k) {
        const RideKey key = RideKey(k);
        if (keyOf(now, key) != keyOf(last_, key))
            events_.push_back({msOfStep(step), key, keyOf(now, key)});
    }
    last_ = now;
}

} // namespace korvo
