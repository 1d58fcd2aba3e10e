#pragma once
// The Java application descriptor ("*.jad") that lies beside a game archive:
// "Name: value" lines. A new archive needs its size and file name there.

#include <QByteArray>
#include <QString>

namespace korvo {

// The descriptor with MIDlet-Jar-Size and MIDlet-Jar-URL set (added at the
// end when missing, a repeated one dropped); every other line, every line
// break and a leading byte order mark kept.
QByteArray updatedJad(const QByteArray& jad, qint64 jarSize, const QString& jarUrl);

// The archive size the descriptor names (MIDlet-Jar-Size), -1 without one.
qint64 jadJarSize(const QByteArray& jad);

} // namespace korvo
