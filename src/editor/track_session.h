#pragma once
// One track open in the editor, driven by the track properties panel: opening
// a record into the editor state, starting a new track, the length preset, the
// player height, the field size, and storing the track back into its record.
// The panel widget shows the values held here and passes typed text in.

#include "editor_messages.h"
#include "editor_state.h"
#include "gesture_state.h"
#include "pack/app_flags.h"
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

class TrackSession {
public:
    TrackSession(TrackTable& tracks, EditorState& state, AppFlags& flags);

    TrackTable& tracks() { return tracks_; }
    EditorState& state() { return state_; }
    const EditorState& state() const { return state_; }
    AppFlags& flags() { return flags_; }
    const AppFlags& flags() const { return flags_; }
    TTrackInfo& record() { return tracks_[state_.CurTrack]; }
    const TTrackInfo& record() const { return tracks_[state_.CurTrack]; }

    GestureState Gesture;

    int ColorMode = 1;                 // 1 view, 2 edit, 3 new track
    bool LengthPending = false;        // a new track without a chosen preset
    bool LengthChanged = false;        // the open track got another preset
    bool SaveEnabled = false;          // "Сохранить и Закрыть"
    bool PlayerButtonsEnabled = false; // "^^^" and "vvv"
    QSize canvasSize;  // MapImg; "Ширина поля"/"Высота поля" show it
    QString TrackName; // "Название трека"
    int LengthRow = 0; // ListLenT selection 1..13, 0 = none

    // "Начать": a new record named after `typed`, an empty canvas.
    PanelResult NewTrackClick(const QString& typed, int viewHeight);
    // Opens record `row` for editing (EditTrackBtnClick with TrackPaint).
    PanelResult EditTrackBtnClick(int row, int viewHeight);
    // Reads record `row` into the editor state and sizes the canvas.
    void TrackPaint(int row, int viewHeight);
    // Recomputes the marks for the record's template.
    void ListLenTChange();
    // The user picked preset t (1..13).
    void ListLenTSelect(int t, bool byUser = true);
    // "Обновить область" with the texts of the two TP2 rows; both are checked
    // before either is applied.
    PanelResult UpdateTInfoClick(const QString& widthText, const QString& heightText);
    // "^^^" / "vvv" with the text of Edit1 (set to "0" when empty).
    PanelResult PlyrUpClick(QString& edit1);
    PanelResult PlyrDownClick(QString& edit1);
    // Any edit in TrackProp.
    void TrackPropStringsChange();
    // "Сохранить и Закрыть" with the text of the name row; ends with ClosePropClick.
    SaveOutcome SaveTPropClick(const QString& nameText);
    // "Закрыть без сохранения", and the last step of saving.
    CloseOutcome ClosePropClick();

    // Grows the field to hold the track, its flags and its player marker as
    // opening does (100 pixels above the highest node and below the lowest,
    // the marks whole, the last node inside); it never shrinks. Returns how
    // far everything moved down on the canvas (the view scrolls as much).
    int fitField();

    ModeFlags modeFlags() const;
    // wmode texts; enables SaveTProp when the track is modified.
    StatusTexts wmode(const LangLines& lang);

private:
    PanelResult movePlayer(QString& edit1, int sign);
    void storeNewTrack(TTrackInfo& r);
    void storeExistingTrack(TTrackInfo& r);
    void closingSteps(TTrackInfo& r);

    TrackTable& tracks_;
    EditorState& state_;
    AppFlags& flags_;
};

} // namespace korvo
