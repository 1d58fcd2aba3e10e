#include "track_session.h"

#include "pack/mrg_format.h"
#include "pack/templates.h"
#include "text/cp1251.h"

#include <cstdint>
#include <optional>

namespace korvo {

namespace {

constexpr int kNameLength = 40;
constexpr int kNewFieldSize = 1800;
constexpr int kMaxFieldSize = 16777215;   // the largest widget size
constexpr int kMaxPlayerOffset = 1 << 24; // keeps AnchorY and canvas y far from overflow

// StartX and StartY as the pack reader derives them from the header.
void startFromHeader(TTrackInfo& r) {
    r.StartX = onesComplement16(r.Header[1], r.Header[2]);
    r.StartY = onesComplement16(r.Header[5], r.Header[6]);
}

} // namespace

QString cleanTrackName(const QString& typed) {
    QString name = typed.left(kNameLength);
    name.replace(' ', '_');
    return name;
}

std::optional<int> parseFieldNumber(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(v) : std::nullopt;
}

TrackSession::TrackSession(TrackTable& tracks, EditorState& state)
    : tracks_(tracks), state_(state) {}

PanelResult TrackSession::startNewTrack(const QString& typed, int viewHeight) {
    if (typed.isEmpty()) return {EditorMessage::NoTrackName, {}};
    if (const QString bad = notInCp1251(cleanTrackName(typed)); !bad.isEmpty())
        return {EditorMessage::NameNotStorable, bad};
    if (tracks_.full()) return {EditorMessage::PackFull, {}};
    LengthPending = true;
    LengthChanged = false;
    TrackName = cleanTrackName(typed);
    state_.PlayerYOffset = 0;
    state_.TrackYShift = 0;
    // The record the track will take when it is stored; until then it lives
    // only in the working copy.
    state_.CurTrack = tracks_.TrackCount + 1;
    work_ = TTrackInfo{};
    work_.Group = 1;
    work_.NumInGroup = 1;
    work_.Name = toCp1251(TrackName);
    Gesture.reset();
    editing_ = true;
    newTrack_ = true;
    state_.clearNodes();
    state_.clearSaved();
    state_.clearMarks();
    SaveEnabled = false;
    PlayerButtonsEnabled = false;
    canvasSize = QSize(kNewFieldSize, std::max(canvasSize.height(), viewHeight - 21));
    LengthRow = 1;
    return {};
}

PanelResult TrackSession::openSelectedTrack(int row, int viewHeight) {
    if (row < 1 || row > tracks_.TrackCount) return {EditorMessage::NoTrackSelected, {}};
    state_.PlayerYOffset = 0;
    LengthChanged = false;
    LengthPending = false;
    state_.CurTrack = row;
    work_ = tracks_[row];
    TrackName = fromCp1251(work_.Name);
    SaveEnabled = false;
    Gesture.reset();
    readTrack(row, viewHeight);
    return {};
}

void TrackSession::readTrack(int row, int viewHeight) {
    if (row < 1 || row > kMaxTracks) return;
    state_.CurTrack = row;
    TTrackInfo& r = record();
    newTrack_ = false;
    state_.PlayerYOffset = 0;
    PlayerButtonsEnabled = r.Templ != -1;
    r.Lines = int32_t(readBE16(r.Header.data() + 17)) - 1;
    r.AnchorY = headerAnchorY(r);
    state_.TrackYShift = trackYShiftOf(r);
    state_.decode(r);
    canvasSize = state_.canvasExtent(viewHeight);
    editing_ = true;
    LengthRow = r.Templ >= 1 && r.Templ <= kPresetCount ? r.Templ : 0;
    state_.clearMarks();
    if (r.Templ > 0) placeMarks();
    fitField(); // the marks are placed: the room above takes them in
}

void TrackSession::placeMarks() {
    if (newTrack_) state_.TrackYShift = 0;
    // A track drawn new starts where the first click fell; stored, it starts
    // at x 0. The marks are placed as they will lie on the stored track.
    const int32_t origin = newTrack_ && state_.NodeCount >= 1 ? state_.NodeX[1] : 0;
    state_.FindSFM(record().Templ, origin);
}

void TrackSession::choosePreset(int t) {
    if (t < 1 || t > kPresetCount) return;
    LengthPending = false;
    PlayerButtonsEnabled = true;
    LengthChanged = true;
    state_.PlayerYOffset = 0;
    record().Templ = int16_t(t);
    LengthRow = t;
    placeMarks();
}

bool TrackSession::finishRightOfStart(int t) const {
    DecodedTrack marks = state_;
    marks.FindSFM(t, newTrack_ && state_.NodeCount >= 1 ? state_.NodeX[1] : 0);
    return marks.FinishPt.x() > marks.StartPt.x();
}

int TrackSession::templateToStore() const {
    if (!newTrack_) return record().Templ;
    return LengthRow < 1 || LengthRow > kPresetCount || LengthPending ? 1 : LengthRow;
}

bool TrackSession::storeLosesFinish() const {
    const int t = templateToStore();
    if (!isOpen() || t <= 0 || state_.NodeCount < 2 || finishRightOfStart(t)) return false;
    if (newTrack_) return true;
    DecodedTrack stored;
    const TTrackInfo& was = tracks_[state_.CurTrack];
    stored.decode(was);
    if (was.Templ <= 0 || stored.NodeCount < 2) return true;
    stored.FindSFM(was.Templ);
    return stored.FinishPt.x() > stored.StartPt.x();
}

int TrackSession::longestFittingPreset() const {
    int best = 0, bestRun = 0;
    for (int t = 1; t <= kPresetCount; ++t) {
        const int run = templateRow(t).FinishX - templateRow(t).StartX;
        if (run > bestRun && finishRightOfStart(t)) best = t, bestRun = run;
    }
    return best;
}

PanelResult TrackSession::applyFieldSize(const QString& widthText, const QString& heightText) {
    const auto w = parseFieldNumber(widthText);
    if (!w || *w < 0 || *w > kMaxFieldSize) return {EditorMessage::NotANumber, widthText};
    const auto h = parseFieldNumber(heightText);
    if (!h || *h < 0 || *h > kMaxFieldSize) return {EditorMessage::NotANumber, heightText};
    canvasSize = QSize(*w, *h);
    return {};
}

PanelResult TrackSession::playerUp(QString& stepText) {
    return movePlayer(stepText, -1);
}
PanelResult TrackSession::playerDown(QString& stepText) {
    return movePlayer(stepText, +1);
}

PanelResult TrackSession::movePlayer(QString& stepText, int sign) {
    if (record().Templ <= 0) return {};
    const QString text = stepText.isEmpty() ? QString("0") : stepText;
    const auto step = parseFieldNumber(text);
    if (!step) return {EditorMessage::NotANumber, stepText};
    const int64_t moved = int64_t(state_.PlayerYOffset) + int64_t(sign) * *step;
    if (moved < -kMaxPlayerOffset || moved > kMaxPlayerOffset)
        return {EditorMessage::NotANumber, stepText};
    stepText = text;
    state_.PlayerYOffset = int32_t(moved);
    return {};
}

SaveOutcome TrackSession::recordToStore(const QString& nameText, TTrackInfo& r) const {
    SaveOutcome out;
    if (state_.CurTrack < 1 || !isOpen()) return out;
    if (state_.NodeCount > kMaxNodes) {
        out.message = EditorMessage::SegmentCapacity;
        return out;
    }
    if (state_.NodeCount < 2) {
        out.message = EditorMessage::NoSegment;
        return out;
    }
    if (const QString bad = notInCp1251(cleanTrackName(nameText)); !bad.isEmpty()) {
        out.message = EditorMessage::NameNotStorable;
        out.field = bad;
        return out;
    }
    if (newTrack_ && tracks_.full()) {
        out.message = EditorMessage::PackFull;
        return out;
    }
    r = work_;
    r.Name = toCp1251(cleanTrackName(nameText));
    if (newTrack_)
        storeNewTrack(r);
    else
        storeExistingTrack(r);
    closingSteps(r);
    out.wasNew = newTrack_;
    out.track = state_.CurTrack;
    out.name = r.Name;
    return out;
}

SaveOutcome TrackSession::storeTrack(const QString& nameText) {
    TTrackInfo r;
    SaveOutcome out = recordToStore(nameText, r);
    if (!out.ok() || out.track == 0) return out;
    SaveEnabled = false;
    LengthChanged = false;
    TrackName = cleanTrackName(nameText);
    // Only now the pack's record takes the track.
    if (newTrack_) state_.CurTrack = tracks_.createTrack(r.Name);
    tracks_[state_.CurTrack] = r;
    work_ = r;
    out.track = state_.CurTrack;
    out.close = closeWithoutStoring();
    return out;
}

void TrackSession::storeNewTrack(TTrackInfo& r) const {
    const int t = templateToStore();
    r.Templ = int16_t(t);
    r.FileOffset = 0;
    copyTemplateHeader(r, t);
    startFromHeader(r);
    r.AnchorY = templateAnchorY(t) + state_.PlayerYOffset;
    writeHeaderAnchorY(r, r.AnchorY);
    state_.encode(r);
}

void TrackSession::storeExistingTrack(TTrackInfo& r) const {
    state_.encode(r);
    if (LengthChanged && r.Templ >= 1 && r.Templ <= kTemplateCount) {
        copyTemplateHeader(r, r.Templ);
        startFromHeader(r);
    }
    r.AnchorY += state_.PlayerYOffset;
    writeHeaderAnchorY(r, r.AnchorY);
}

void TrackSession::closingSteps(TTrackInfo& r) const {
    r.Lines = std::max(state_.NodeCount, 1) - 1;
    writeBE16(r.Header.data() + 17, uint16_t(r.Lines + 1));
    r.DataLen = r.PointsLen;
}

CloseOutcome TrackSession::closeWithoutStoring() {
    CloseOutcome out;
    out.removeSprite = Gesture.holds(Tool::Rider);
    out.closeCorrection = Gesture.CorrOpen;
    out.wasNew = newTrack_;
    Gesture.reset();
    editing_ = false;
    newTrack_ = false;
    state_.clearMarks();
    return out;
}

int TrackSession::fitField() {
    EditorState& st = state_;
    if (st.NodeCount < 1) return 0;
    const auto [minY, maxY] = st.yRange(1);
    int32_t top = minY - 100;
    if (record().Templ > 0) { // flags 20 high, the bike marker 42: a little room over them
        top = std::min({top, st.StartPt.y() - 30, st.FinishPt.y() - 30,
                        st.PlayerPt.y() + st.PlayerYOffset - 52});
    }
    const int shift = std::max(0, -top - st.YOffset);
    st.YOffset += shift;
    const int bottom = st.YOffset + std::max(0, maxY) + 100;
    const int right = st.NodeX[size_t(st.NodeCount)];
    canvasSize =
        QSize(std::max(canvasSize.width(), right), std::max(canvasSize.height() + shift, bottom));
    return shift;
}

StatusTexts TrackSession::statusTexts(const LangLines& lang, bool trackModified,
                                      bool packModified) {
    ModeFlags m;
    m.IsEditing = editing_;
    m.IsNewTrack = newTrack_;
    m.tool = Gesture.tool;
    m.PackModified = packModified;
    m.TrackModified = isOpen() && trackModified;
    StatusTexts texts = korvo::statusTexts(m, lang);
    if (texts.enableSave) SaveEnabled = true;
    return texts;
}

} // namespace korvo
