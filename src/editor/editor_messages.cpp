#include "editor_messages.h"

#include "pack/track_info.h"
#include "settings/lang_lines.h"

namespace korvo {

int messageLangLine(EditorMessage m) {
    switch (m) {
    case EditorMessage::SegmentLimits:
        return 39;
    case EditorMessage::NoTrackName:
        return 40;
    case EditorMessage::NoTrackSelected:
        return 41;
    default:
        return -1;
    }
}

QString messageText(EditorMessage m, const LangLines& lang, const QString& field) {
    if (const int line = messageLangLine(m); line >= 0) return lang[line];
    switch (m) {
    case EditorMessage::SegmentCapacity:
        return QString("Трек не может содержать больше %1 отрезков: узел не добавлен.")
            .arg(kMaxSegments);
    case EditorMessage::NotANumber:
        return QString("\"%1\" не является допустимым целым числом. Ничего не изменено.")
            .arg(field);
    case EditorMessage::PackFull:
        return QString("В пакете уже %1 треков: новый трек не создан.").arg(kMaxTracks);
    default:
        return {};
    }
}

} // namespace korvo
