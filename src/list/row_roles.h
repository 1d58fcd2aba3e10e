#pragma once
// What the level-list item models give their views beyond the caption.

#include <QMimeData>
#include <QString>
#include <Qt>

namespace korvo {

// Qt::DisplayRole: the row's caption. RowDataRole: -1 for a header row,
// otherwise the track number. RowIndexRole: the row's index in LevelRows
// (the absolute index in the tree).
constexpr int RowDataRole = Qt::UserRole;
constexpr int RowIndexRole = Qt::UserRole + 1;

// Rows are dragged only within their own view, which knows its selection;
// the drag carries this type and no payload.
inline const QString& levelRowsMimeType() {
    static const QString type = QStringLiteral("application/x-korvote-level-rows");
    return type;
}

inline QMimeData* makeLevelRowsMime() {
    auto* mime = new QMimeData;
    mime->setData(levelRowsMimeType(), QByteArray());
    return mime;
}

} // namespace korvo
