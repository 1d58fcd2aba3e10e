#pragma once
// Language lines added after the 96 numbered lines that language files have
// always had. Line numbers are a file format once shipped: a line keeps its
// number for good, new lines go at the end of this table, nothing is ever
// renumbered (the test ride's lines are in lang_added_ride.cpp). Both shipped files carry these
// lines; a file that ends before them takes them from this table, in English or Russian after its
// own lines.

#include <QString>

#include <vector>

namespace korvo {

constexpr int kFirstAddedLine = 96;

struct AddedLine {
    int number;
    const char* purpose;
    const char* english;
    const char* russian; // UTF-8 here; Windows-1251 in the language file
};

// The table, in line order from kFirstAddedLine: every part's lines below.
const AddedLine* addedLines();
int addedLineCount();
// The tables: the list's, files' and programs' lines (lang_added.cpp), then
// one file a part; lang_added_index.cpp puts them in one order.
const std::vector<AddedLine>& listAndFileLines();
const std::vector<AddedLine>& rideLines();
const std::vector<AddedLine>& windowLines();
const std::vector<AddedLine>& recoveryLines();
const std::vector<AddedLine>& ridesLines();
const std::vector<AddedLine>& solverLines();

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
    kLinePopupUp = 140,             // pop-up items of the list
    kLinePopupDown = 141,
    kLinePopupClone = 142,
    kLinePopupDelete = 143,
    kLinePopupEdit = 144,
    kLineBuildGameCommand = 145, // File menu: the game archive
    kLineSendLevelCommand = 146, // File menu item; also the submission window's title
    kLineRecentMenu = 147,       // File menu: the recent packs
    kLineRiderTool = 148,        // the rider tool button's hint
    kLinePreviewTitle = 149,     // the floating preview's title
    kLineHelpNotOpened = 150,    // Help: the desktop cannot open the file
    // Messages of the pack reader and writer; %1.. as in QString::arg.
    kLineBlockOutside = 151,   // %1 track, %2 offset, %3 file size
    kLineBlockShort = 152,     // %1 track, %2 block size
    kLineBlockShortLong = 153, // %1 track, %2 block size
    kLineBlockTooLong = 154,   // %1 track, %2 point bytes
    kLineDirEndsAtCount = 155, // %1 group
    kLineTooManyTracks = 156,  // %1 the most tracks
    kLineDirEndsAtEntry = 157, // %1 track
    kLineNameUnended = 158,    // %1 track
    kLineNotAPackReason = 159,
    kLineLevTooLarge = 160, // %1 bytes, %2 the most bytes, %3 the most segments
    kLineLevIsFolder = 161,
    kLineLevTooMany = 162,    // %1 the most files
    kLineOldNotKept = 163,    // %1 why
    kLineFolderRefuses = 164, // %1 the system's reason
    kLineContentsFailed = 165,
    kLineSystemFirst = 166, // 166..177: system errors, see systemErrorText()
    kLineSystemOther = 178, // %1 the error number
    kLineFolderMissing = 179,
    kLinePictureTooLarge = 180, // %1 x %2 pixels, %3 ratio
    kLineGifFailed = 181,       // %1 giflib's error number
    kLineZipTooLarge = 182,
    kLineZipNotCompressed = 183,
    kLineMailNotConnected = 184,
    kLineMailNoRecipient = 185,
    kLineMailAnswered = 186, // %1 the reply
    kLineMailDataBeforeTls = 187,
    kLineMailClosed = 188,
    kLineMailNoConnectionIn = 189, // %1 seconds
    kLineMailNoMessageAnswerIn = 190,
    kLineMailNoAnswerIn = 191,
    kLineMailLineTooLong = 192,
    kLineMailNotSmtp = 193, // %1 the reply's start
    kLineMailCodeChanged = 194,
    kLineMailTooManyLines = 195,
    // The submission window, its messages and its log.
    kLineSendOpenPack = 196,
    kLineSendOtherPack = 197,
    kLineBrowse = 198,
    kLineAuthorNick = 199,
    kLineAuthorEmail = 200,
    kLineLevelName = 201,
    kLineNote = 202,
    kLineRequiredFields = 203,
    kLineKeepArchive = 204,
    kLineMailArchive = 205,
    kLineSubmitButton = 206,
    kLineNoFile = 207,
    kLineMissingField = 208,
    kLineTooFewTracks = 209,
    kLineSavedToDisk = 210,
    kLineArchiveMade = 211,
    kLineConnecting = 212,
    kLineAuthorised = 213,
    kLineNoErrors = 214,
    kLineConnectError = 215, // %1 why
    kLineNoConnection = 216,
    kLineNoAttachment = 217, // %1 the archive
    kLineSending = 218,
    kLineSent = 219,
    kLineBadField = 220,
    kLinePackUnreadable = 221,  // %1 why
    kLineSubmitNotAPack = 222,  // %1 why
    kLineNoMailFolder = 223,    // %1 the folder
    kLineArchiveFailed = 224,   // %1 why
    kLineAuthorNotStored = 225, // %1 why
    kLineLoginRefused = 226,    // %1 the reply
    kLineUntrusted = 227,       // %1 why
    kLineNotConnected = 228,
    kLineSendFailed = 229, // %1 why
    kLineCancelled = 230,
    kLineOutcomeSent = 231, // %1 the mailbox
    kLineOutcomeNotSent = 232,
    kLineBadMailbox = 233,       // %1 the address
    kLinePackerNotFound = 234,   // %1 packer, %2 its folder, %3 the PATH folders
    kLinePackerNotStarted = 235, // %1 the packer's path
    kLineProcessing = 236,       // the progress window
    kLineBadAutosavePeriod = 237,
    kLineOptionsNotSaved = 238, // %1 why
    kLineColourFirst = 239,     // 239..258: the named colours of the colour lists
    kLineCustomColour = 259,
    kLineRecentNotWritten = 260,   // %1 why
    kLineStartPackNotOpened = 261, // %1 why
    kLineSettingsNotWritten = 262, // %1 why
    kLineSettingsUnreadable = 263, // %1 why
    kLinePackFilter = 264,
    kLineLvlFilter = 265,
    kLinePixelUnit = 266,
    // The game-archive packer's window and messages.
    kLineJarGame = 267,
    kLineJarPack = 268,
    kLineJarOutput = 269,
    kLineJarFilter = 270,
    kLineJarBuild = 271,
    kLineJarChooseAll = 272,
    kLineJarWritten = 273, // %1 the files written
    kLineJarNoMemory = 274,
    kLineJarNotZip = 275,
    kLineJarNoLevels = 276,
    kLineJarUnreadable = 277,
    kLineJarOverGame = 278,
    kLineJarNotAPack = 279, // %1 why
    // trackpack's usage and its refusals.
    kLineCliUsage = 280,
    kLineCliTakesPack = 281, // %1 the command
    kLineCliResaveArgs = 282,
    kLineCliSampleArgs = 283,
    kLineCliUnknownOption = 284, // %1 the option
    kLineCliNeedsNumber = 285,   // %1 the option
    kLineCliOutOfRange = 286,    // %1 the option, %2..%3 the range
    kLineCliNoCommand = 287,
    kLineCliUnknownCommand = 288, // %1 the command
    kLineCliImportArgs = 289,
    kLineCliNeedsValue = 290, // %1 the option
    kLineCliBadPick = 291,
    kLineCliFromWithLev = 292,
    kLineCliImportSource = 293,
    kLineCliLevFiles = 294,
    kLineCliPickWithoutFrom = 295,
    kLineCliNoSuchTrack = 296,   // %1 the number, %2 the tracks there are
    kLineCliTracksLeftOut = 297, // %1 the tracks, %2 the most a pack holds
    kLineCliExportArgs = 298,
    kLineCliTrackNumber = 299,
    kLineCliPicturesArgs = 300,
    kLineCliRatio = 301,
    kLineCliFolderNotMade = 302,
    kLineCliPictureProgress = 303, // %1 the percentage
    kLineCliSubmitFields = 304,
    kLineCliSubmitPack = 305,
    kLineUserFolderProblems = 306, // %1 the problems, one a line
    kLineFolderNotMade = 307,
    kLineNotInstalled = 308,
    // Files never harmed: read-only and changed packs, oversized settings.
    kLineFileReadOnly = 309,
    kLineSaveReadOnly = 310,  // %1 the file
    kLineChangedOnDisk = 311, // %1 the file
    kLineButtonOverwrite = 312,
    kLineButtonSaveAs = 313,
    kLineButtonCancel = 314,
    kLineAutosaveHeld = 315,
    kLineReloadChanged = 316,       // %1 the file
    kLineChangedUnsaved = 317,      // %1 the file
    kLineFileTooLarge = 318,        // %1 the file, %2 the limit
    kLineLineTooLong = 319,         // %1 the file, %2 the limit
    kLineCliHelperNotStarted = 320, // %1 the helper program, %2 the reason
    kLineJarUsage = 321,
    kLineJarThreeFiles = 322,
    kLineJarOverInput = 323, // %1 the output
    kLineJarEmpty = 324,
    kLineJarTwoLevels = 325,
    kLineJarDamaged = 326,
    kLineJarUnsupported = 327,
    kLineJarTooLarge = 328,
    kLineJarWindowMissing = 329, // %1 the window program
    kLineMaybeDelivered = 330,
    kLineMailDeadline = 331, // %1 seconds
    kLineNickZero = 332,
    kLineNotInCp1251 = 333, // %1 the characters
    kLineSocketRefused = 334,
    kLineSocketHostNotFound = 335,
    kLineSocketNetwork = 336, // %1 the system's text
    kLineSendUnsavedQuestion = 337,
    kLineSendSaveFirst = 338,
    kLineSendAsSaved = 339,
    // The test ride and the pack check.
    kLineRideCommand = 340,
    kLineReplayCommand = 341,
    kLineCheckPackCommand = 342,
    kLineCheckWindowTitle = 343,
    kLineCheckNothing = 344,
    kLineFindUnreadable = 345,
    kLineFindFewTracks = 346,
    kLineFindStep = 347,
    kLineFindNoSegment = 348,
    kLineFindNodeCount = 349,
    kLineFindFinish = 350,
    kLineFindNoTemplate = 351,
    kLineFindNameCodePage = 352,
    kLineFindNameControl = 353,
    kLineFindNameLong = 354,
    kLineFindNameTwice = 355,
    kLineFindRiderStops = 356,
    kLineFindRiderCrashes = 357,
    kLineFindAt = 358,
    kLineRideTime = 359,
    kLineRideFinished = 360,
    kLineRideCrashed = 361,
    kLineRideStopped = 362,
    kLineRideKeys = 363,
    kLineRideNoTrack = 364,
    kLineCliRideUsage = 365,
    kLineCliCheckArgs = 366,
    kLineCliRideArgs = 367,
    kLineCliKeyFile = 368,
    kLineDropMixed = 369,
    kLineDropWhileEditing = 370,
    kLineWaitsForTrack = 371,
    kLineLegendPlayer = 372,
    kLineFinishLeftOfStart = 373,
    kLineTakeLongestLength = 374,
    kLineStoreAsItIs = 375,
    kLineNoLengthFits = 376,
    kLineHelpTitle = 377,
    kLineHelpContents = 378,
    kLineHelpIndex = 379,
    kLineHelpSearch = 380,
    kLineHelpLookFor = 381,
    kLineHelpNothingFound = 382,
    kLineHelpBack = 383,
    kLineHelpForward = 384,
    kLineHelpClose = 385,
    kLinePlayerUpButton = 386, // "^^^" with a letter its Alt key presses it by
    kLinePicturesWritten = 387,
    kLineCliOptionsAndExit = 388, // trackpack --help after the commands
    kLineJarCutRunKept = 389,
    kLineJarCutRunRolledBack = 390,
    kLineJarCutRunRemoved = 391,
    kLinePackOpenElsewhere = 392,
    kLineOpenAnyway = 393,
    kLineFindEndsLeft = 394, // %1 the start's x
    kLineRideUnfinishable = 395,
    kLineCheckOnlyHints = 396,
    kLineRideReplayOf = 397,       // %1 number/name
    kLineCliKeyFileTooLarge = 398, // %1 the file, %2 bytes, %3 bytes a line
    // The recovery of unsaved work.
    kLineRecoveryTitle = 399,
    kLineRecoveryIntro = 400,
    kLineRecoveryPack = 401,    // %1 the pack's file
    kLineRecoveryWritten = 402, // %1 date and time
    kLineRecoverySteps = 403,   // %1 the pack's steps, %2 the track's
    kLineRecoveryChanged = 404,
    kLineRecoveryAdded = 405,
    kLineRecoveryDeleted = 406,
    kLineRecoveryNone = 407,
    kLineRecoveryOpenTrack = 408,
    kLineRecoveryNewTrack = 409,
    kLineRecoveryNoTrack = 410,
    kLineRecover = 411,
    kLineRecoveryOpenSaved = 412,
    kLineRecoverySaveAs = 413,
    kLineRecoveryPackChanged = 414,
    kLineRecoveryPackGone = 415,
    kLineRecoveryRefused = 416, // %1 the file, %2 why
    kLineRecoveryNotOurs = 417,
    kLineRecoveryOtherVersion = 418,
    kLineRecoveryDamaged = 419,
    kLineRecoveryNotWritten = 420, // %1 why
    // The best rides, the check on threads, the ride's readouts.
    kLineRidesNotOurs = 421,
    kLineRidesVersion = 422,
    kLineRidesDamaged = 423,
    kLineFindNotValidated = 424,
    kLineRideNotKept = 425,
    kLineCheckProgress = 426,
    kLineCheckCancel = 427,
    kLineCheckCancelled = 428,
    kLineSubmitUnvalidated = 429,
    kLineSubmitAskUnvalidated = 430,
    kLineRideSpeed = 431,
    kLineRideToFinish = 432,
    kLineRideBestDiff = 433,
    kLineRidePaused = 434,
    kLineWatchRider = 435,
    kLineSaveRideKeys = 436,
    kLineLoadRideKeys = 437,
    kLineRideTestRiderOf = 438,
    kLineKeyFileFilter = 439,
    kLineRideNewBest = 440,
    kLineRideGhost = 441,
    kLineRecoveryOtherPacks = 442, // %1 the packs
    kLineCliSolveUsage = 443,
    kLineCliCheckProgress = 444, // %1 tracks done, %2 of all
    kLineCliCheckStopped = 445,  // %1 tracks done, %2 of all
    kLineRecoveryAsOpened = 446, // %1 the copy of the pack as opened
};

} // namespace korvo
