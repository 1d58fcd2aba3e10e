#pragma once
// Warnings the editor asks the window to show. Some are numbered language
// lines; the others are the editor's own fixed texts.

#include <QString>

namespace korvo {

class LangLines;

enum class EditorMessage {
    None,
    SegmentLimits,   // line 39: a segment would leave the limits
    NoTrackName,     // line 40: "Начать" without a name
    NoTrackSelected, // line 41: nothing selected to edit
    SegmentCapacity, // a track holds at most 499 segments
    NotANumber,      // a field holds no valid whole number
    PackFull,        // the pack holds 4095 tracks already
    NameNotStorable, // the name has characters a pack cannot hold (named in `field`)
    NoSegment,       // a track without a segment cannot be stored
};

// The language line of a message, or -1 for the editor's own texts.
int messageLangLine(EditorMessage m);

// The text to show; `field` names the offending text for NotANumber and
// the offending characters for NameNotStorable.
QString messageText(EditorMessage m, const LangLines& lang, const QString& field = {});

} // namespace korvo
