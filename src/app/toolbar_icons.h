#pragma once
// The pictures of the tool bar, the jar menu item and the program, drawn at
// start-up: simple 16-pixel artwork of our own.

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
};

QIcon toolIcon(ToolIcon which);

} // namespace korvo
