#include "submission_texts.h"

#include <QLocale>

namespace korvo {

QColor logColour(LogColour c) {
    switch (c) {
    case LogColour::Green:
        return QColor(0, 128, 0);
    case LogColour::Blue:
        return QColor(0, 0, 255);
    case LogColour::Red:
        return QColor(255, 0, 0);
    case LogColour::Navy:
        return QColor(0, 0, 128);
    }
    return QColor(0, 0, 0);
}

QString logTimeText(const QTime& time) {
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove('t'); // the time zone
    format = format.trimmed();
    if (format.isEmpty()) format = "HH:mm:ss";
    return QLocale::system().toString(time, format);
}

} // namespace korvo
