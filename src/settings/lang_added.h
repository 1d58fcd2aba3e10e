#pragma once
// Language lines added after the 96 numbered lines that language files have
// always had. Line numbers are a file format once shipped: a line keeps its
// number for good, new lines go at the end of this table, nothing is ever
// renumbered. Both shipped files carry these lines; a file that ends before
// them takes them from this table, in English or Russian after its own lines.

#include <QString>

namespace korvo {

constexpr int kFirstAddedLine = 96;

struct AddedLine {
    int number;
    const char* purpose;
    const char* english;
    const char* russian; // UTF-8 here; Windows-1251 in the language file
};

// The table, in line order from kFirstAddedLine.
const AddedLine* addedLines();
int addedLineCount();

// Numbers of the added lines, for the code that shows them.
enum AddedLineNumber : int {
    kLineUndo = 96,          // prefix of the undo command: "Undo"
    kLineRedo = 97,          // prefix of the redo command: "Redo"
    kLineEditMenu = 98,      // the menu "Edit"
    kLineStepMoveTrack = 99, // undo step names, in the form "Undo <name>"
    kLineStepCloneTrack = 100,
    kLineStepDeleteTracks = 101, // %d: the number of tracks
    kLineStepDropTracks = 102,
    kLineStepStoreTrack = 103,
    kLineStepNewTrack = 104,
    kLineStepMoveNode = 105,
    kLineStepAddNode = 106,
    kLineStepDeleteNode = 107,
    kLineStepMoveTail = 108,
    kLineStepPlaceNode = 109,
    kLineStepEndDrawing = 110,
    kLineStepCorrectNode = 111,
    kLineStepRename = 112,
    kLineStepLengthPreset = 113,
    kLineStepPlayerHeight = 114,
    kLineStepFieldSize = 115,
    kLineCloseUnsavedTrack = 116, // question before "Close without saving" drops edits
    kLinePackFull = 117,          // %d: the table's size
    kLinePackFullOfDeleted = 118, // %d: the table's size; deleted tracks hold records
    kLineSegmentCapacity = 119,   // %d: the most segments a track holds
    kLineNotANumber = 120,        // %s: the text typed
    kLineNameNotStorable = 121,   // %s: the characters a pack cannot hold
    kLineNoSegment = 122,         // storing a track without a segment
    kLineNewPackQuestion = 123,   // %s: the pack whose unsaved changes New drops
    kLineHelpMissing = 124,       // %s: the help file looked for
    kLineNotAPack = 125,          // a file whose directory cannot be a level pack
    kLineRecentGone = 126,        // %s: a recent pack whose file is gone
    kLineZoomIn = 127,            // Edit menu: the zoom commands
    kLineZoomOut = 128,
    kLineZoomActual = 129,
    kLineZoomFit = 130,             // also the tool button's hint
    kLineCopyLeftOut = 131,         // %d: ticked tracks that did not fit
    kLineLevFilesRefused = 132,     // %s: one "<file>: <reason>" per line
    kLineImportPackRefused = 133,   // %s: "<file>: <reason>"
    kLineImagesFolderMissing = 134, // %s: the folder
    kLinePicturesFailed = 135,      // %s: "<file>: <reason>"
    kLineSaveLevCommand = 136,      // menu and pop-up item
    kLineSaveLevFailed = 137,       // %s: "<file>: <reason>"
    kLineLevFilter = 138,           // file dialog filter
    kLineStepImport = 139,          // undo step: tracks imported
    kLineHelpNotOpened = 150,       // Help: the desktop cannot open the file
};

} // namespace korvo
