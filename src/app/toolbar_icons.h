#pragma once
// The pictures of the tool bar, the jar menu item and the program, each
// drawn when first shown: simple 16-pixel artwork of our own.

#include <QIcon>

namespace korvo {

enum class ToolIcon {
    MoveUp,
    MoveDown,
    Clone,
    Delete,
    EditTrack,
    Preview,
    AddNode,
    DeleteNode,
    MoveWithTrack,
    Rider,
    Jar,
    Program,
    Undo,
    Redo,
    ZoomFit,
};

QIcon toolIcon(ToolIcon which);

} // namespace korvo
