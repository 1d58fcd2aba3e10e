#pragma once
// The status bar texts of the editor: mode, pack state and pointer read-out.

#include "gesture_state.h"

#include <QString>

namespace korvo {

class LangLines;

struct ModeFlags {
    bool IsEditing = false;
    bool IsNewTrack = false;
    Tool tool = Tool::None;
    bool PackModified = false;
    bool TrackModified = false;
};

struct StatusTexts {
    QString mode;            // status panel 2
    QString state;           // status panel 3
    bool enableSave = false; // enable "Сохранить и Закрыть" (never disables it)
};

// statusTexts: mode text from lines 47..53, state text from lines 54/55.
StatusTexts statusTexts(const ModeFlags& flags, const LangLines& lang);

// Status panel 0: "X = x;  Y = y" in shown coordinates (y up).
QString pointerText(int canvasX, int canvasY, int yOffset);

} // namespace korvo
