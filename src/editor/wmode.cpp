#include "wmode.h"

#include "text/lang_lines.h"

namespace korvo {

StatusTexts statusTexts(const ModeFlags& f, const LangLines& lang) {
    StatusTexts out;
    out.mode = lang[47];
    if (f.IsEditing) out.mode += lang[48];
    if (f.IsNewTrack) out.mode += lang[49];
    if (f.tool == Tool::AddNode) out.mode += lang[50];
    if (f.tool == Tool::DeleteNode) out.mode += lang[51];
    if (f.tool == Tool::MoveTail) out.mode += lang[52];
    if (!f.IsEditing && !f.IsNewTrack && f.tool != Tool::MoveTail) out.mode = lang[53];
    out.state = f.PackModified ? lang[54] : lang[55];
    if (f.TrackModified) {
        out.enableSave = true;
        out.state = lang[54];
    }
    return out;
}

QString pointerText(int canvasX, int canvasY, int yOffset) {
    return "X = " + QString::number(canvasX) + ";  " + "Y = " + QString::number(yOffset - canvasY);
}

} // namespace korvo
