#pragma once
// One track open in the editor, driven by the track properties panel: opening
// a record into the editor state, starting a new track, the length preset, the
// player height, the field size, and storing the track back into its record.
// The panel widget shows the values held here and passes typed text in.

#include "editor_messages.h"
#include "editor_state.h"
#include "gesture_state.h"
#include "wmode.h"

#include <QSize>
#include <QString>

#include <optional>
#include <string>

namespace korvo {

class LangLines;

// Name typed by the user: cut to 40 characters, every blank replaced by "_".
QString cleanTrackName(const QString& typed);

// A whole number typed into a field; nullopt when the text is not one.
std::optional<int> parseFieldNumber(const QString& text);

struct PanelResult {
    EditorMessage message = EditorMessage::None; // refusal: nothing was changed
    QString field;                               // the refused text, for NotANumber
    bool ok() const { return message == EditorMessage::None; }
};

struct CloseOutcome {
    bool wasNew = false;          // a new track was being drawn (preview the first track)
    bool removeSprite = false;    // the rider tool was on: take the sprite away
    bool closeCorrection = false; // the correction window was open: hide it
};

struct SaveOutcome : PanelResult {
    bool wasNew = false; // enter record `track` into the list by the NewLevel rule
    int track = 0;
    std::string name; // the stored name (Windows-1251), for the row caption
    CloseOutcome close;
};

// The session works on a copy of the track's record: the pack's record
// changes only when the track is stored, so closing without storing leaves
// the pack as it was before the track was opened.
class TrackSession {
public:
    TrackSession(TrackTable& tracks, EditorState& state);

    const TrackTable& tracks() const { return tracks_; }
    EditorState& state() { return state_; }
    const EditorState& state() const { return state_; }
    // The working copy of the open track's record.
    TTrackInfo& record() { return work_; }
    const TTrackInfo& record() const { return work_; }

    // What is open: a track of the pack (editing), a new track whose nodes
    // are being placed (drawing), or a new track whose drawing has ended.
    bool isOpen() const { return editing_ || newTrack_; }
    bool isNewTrack() const { return newTrack_; }
    // Editing a track of the pack, or placing the nodes of a new one.
    bool isEditing() const { return editing_; }
    bool isDrawing() const { return editing_ && newTrack_; }
    void setEditing(bool on) { editing_ = on; }

    GestureState Gesture;

    // The colours the canvas and previews use: 1 view, 2 edit, 3 new track.
    int colorMode() const { return newTrack_ ? 3 : editing_ ? 2 : 1; }
    bool LengthPending = false;        // a new track without a chosen preset
    bool LengthChanged = false;        // the open track got another preset
    bool SaveEnabled = false;          // "Сохранить и Закрыть"
    bool PlayerButtonsEnabled = false; // "^^^" and "vvv"
    QSize canvasSize;      // MapImg; "Ширина поля"/"Высота поля" show it
    int shapeRevision = 0; // counts the gestures that changed the nodes
    QString TrackName;     // "Название трека"
    int LengthRow = 0;     // ListLenT selection 1..13, 0 = none

    // "Начать": a new record named after `typed`, an empty canvas.
    PanelResult startNewTrack(const QString& typed, int viewHeight);
    // Opens record `row` for editing (openSelectedTrack with readTrack).
    PanelResult openSelectedTrack(int row, int viewHeight);
    // Reads record `row` into the editor state and sizes the canvas.
    void readTrack(int row, int viewHeight);
    // Recomputes the marks for the record's template.
    void placeMarks();
    // The user picked preset t (1..13).
    void choosePreset(int t);
    // Whether the finish of template t (1..36) lies right of its start on the
    // track as it would be stored; the game cannot be finished otherwise.
    bool finishRightOfStart(int t) const;
    // Storing would leave the finish left of the start where it was not: a new
    // track, or one whose edits or length made it so (a track of the pack that
    // was so already is the pack check's to tell).
    bool storeLosesFinish() const;
    // The template storing writes: a new track's preset (1 while none was
    // picked), an open track's own.
    int templateToStore() const;
    // The preset (1..13) with the longest run from start to finish whose
    // finish lies right of its start here; 0 when none does.
    int longestFittingPreset() const;
    // "Обновить область" with the width and height typed in the panel; both are
    // checked before either is applied.
    PanelResult applyFieldSize(const QString& widthText, const QString& heightText);
    // "^^^" / "vvv" with the step typed in the panel (set to "0" when empty).
    PanelResult playerUp(QString& stepText);
    PanelResult playerDown(QString& stepText);
    // The record storing would write, in `r`; nothing of the session or the
    // pack changes (a ".lev" export of the open track writes it).
    SaveOutcome recordToStore(const QString& nameText, TTrackInfo& r) const;
    // "Сохранить и Закрыть" with the text of the name row; ends with closeWithoutStoring.
    SaveOutcome storeTrack(const QString& nameText);
    // "Закрыть без сохранения", and the last step of saving.
    CloseOutcome closeWithoutStoring();

    // Grows the field to hold the track, its flags and its player marker as
    // opening does (100 pixels above the highest node and below the lowest,
    // the marks whole, the last node inside); it never shrinks. Returns how
    // far everything moved down on the canvas (the view scrolls as much).
    int fitField();

    // The status texts; `trackModified` and `packModified` come from the
    // two histories. Enables SaveTProp when the track is modified.
    StatusTexts statusTexts(const LangLines& lang, bool trackModified, bool packModified);

private:
    PanelResult movePlayer(QString& stepText, int sign);
    void storeNewTrack(TTrackInfo& r) const;
    void storeExistingTrack(TTrackInfo& r) const;
    void closingSteps(TTrackInfo& r) const;

    TrackTable& tracks_;
    EditorState& state_;
    TTrackInfo work_;
    bool editing_ = false;
    bool newTrack_ = false;
};

} // namespace korvo
