#include "editor_messages.h"

#include "pack/track_info.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"

namespace korvo {

int messageLangLine(EditorMessage m) {
    switch (m) {
    case EditorMessage::SegmentLimits:
        return 39;
    case EditorMessage::NoTrackName:
        return 40;
    case EditorMessage::NoTrackSelected:
        return 41;
    case EditorMessage::SegmentCapacity:
        return kLineSegmentCapacity;
    case EditorMessage::NotANumber:
        return kLineNotANumber;
    case EditorMessage::NameNotStorable:
        return kLineNameNotStorable;
    case EditorMessage::NoSegment:
        return kLineNoSegment;
    default:
        return -1;
    }
}

QString messageText(EditorMessage m, const LangLines& lang, const QString& field) {
    if (m == EditorMessage::SegmentCapacity) return lang.format(kLineSegmentCapacity, kMaxSegments);
    if (const int line = messageLangLine(m); line >= 0) return lang.format(line, field);
    switch (m) {
    case EditorMessage::PackFull:
        return QString("В пакете уже %1 треков: новый трек не создан.").arg(kMaxTracks);
    default:
        return {};
    }
}

} // namespace korvo
