#include "lang_targets.h"

#include "text/lang_added.h"

namespace korvo {

namespace {

constexpr auto M = LangForm::Main;
constexpr auto O = LangForm::Options;
constexpr auto A = LangForm::About;
constexpr auto Cap = LangTarget::Caption;
constexpr auto Hint = LangTarget::Hint;
constexpr auto Title = LangTarget::WindowTitle;
constexpr auto Key = LangTarget::RowKey;

// clang-format off
constexpr LangBinding kBindings[] = {
    {0, M, Cap, "N1"},           {1, M, Cap, "N4"},          {2, M, Cap, "N6"},
    {3, M, Cap, "N9"},           {4, M, Cap, "levv11"},      {5, M, Cap, "N11"},
    {6, M, Cap, "N7"},           {7, M, Cap, "N12"},         {8, M, Cap, "N13"},
    {9, M, Cap, "N3"},           {10, M, Cap, "N2"},         {10, A, Title, "TAbout_f"},
    {11, M, LangTarget::Notice, "N5"},
    {12, M, Cap, "StaticText1"},
    {13, M, Key, "TrackProp", 0}, {14, M, Key, "TrackProp", 1},
    {15, M, Key, "TP2", 0},       {16, M, Key, "TP2", 1},
    {17, M, Cap, "GroupBox3"},   {18, M, Cap, "GroupBox1"},  {19, M, Cap, "CloseProp"},
    {20, M, Cap, "SaveTProp"},   {21, M, Cap, "UpdateTInfo"}, {22, M, Cap, "Memo2"},
    {23, M, Cap, "StaticText2"}, {24, M, Hint, "EditTrackBtn"}, {25, M, Cap, "GroupBox2"},
    {26, M, Cap, "Label5"},      {27, M, Cap, "NewTrack"},   {28, M, Hint, "UpItem"},
    {29, M, Hint, "DelItem"},    {30, M, Hint, "DownItem"},
    {32, M, Hint, "AddPoint"},   {33, M, Hint, "DelPoint"},  {34, M, Hint, "movemap"},
    {42, M, Cap, "StatusPanel1"},
    {58, M, Cap, "N19"},         {58, O, Title, "Toptions_f"},
    {59, O, Cap, "cb_autotime"}, {60, O, Cap, "Label1"},     {61, O, Cap, "closeopt"},
    {62, O, Cap, "applyopt"},    {64, M, Hint, "CopyItem"},  {65, O, Cap, "GroupBox5"},
    {66, O, Cap, "GroupBox6"},   {67, O, Cap, "RadioButton1"}, {68, O, Cap, "RadioButton2"},
    {69, M, Cap, "N14"},         {70, M, Cap, "N16"},        {73, M, Hint, "preimg"},
    {74, A, Cap, "GotoSite"},    {75, O, Cap, "GroupBox7"},  {76, O, Cap, "Label11"},
    {77, O, Cap, "Label14"},     {78, O, Cap, "Label17"},
    {79, O, Cap, "Label12"},     {79, O, Cap, "Label15"},    {79, O, Cap, "Label20"},
    {80, O, Cap, "Label13"},     {80, O, Cap, "Label16"},    {80, O, Cap, "Label21"},
    {81, O, Cap, "Label2"},      {82, O, Cap, "GroupBox1"},  {83, O, Cap, "RadioButton3"},
    {84, O, Cap, "RadioButton4"}, {85, O, Cap, "GroupBox2"}, {86, O, Cap, "RadioButton5"},
    {87, O, Cap, "RadioButton6"}, {89, M, Cap, "mrg1"},      {90, M, Cap, "Label13"},
    {91, M, Cap, "Label6"},      {92, M, Cap, "Label1"},
    {93, M, Cap, "Label7"},      {93, M, Cap, "Label8"},
    {94, M, Cap, "Label12"},     {94, M, Cap, "Label11"},
    {95, M, Cap, "pntnd"},
    {kLineEditMenu, M, Cap, "EditMenu"},
    {kLineZoomIn, M, Cap, "ZoomIn"},     {kLineZoomOut, M, Cap, "ZoomOut"},    {kLineZoomActual, M, Cap, "ZoomActual"},
    {kLineZoomFit, M, Cap, "ZoomFit"},    {kLineZoomFit, M, Hint, "ZoomFit"},   {kLineSaveLevCommand, M, Cap, "SaveLev"},
    {kLinePopupUp, M, Cap, "N10"},        {kLinePopupDown, M, Cap, "N22"},        {kLinePopupClone, M, Cap, "N23"},
    {kLinePopupDelete, M, Cap, "N24"},        {kLinePopupEdit, M, Cap, "N25"},        {kLineBuildGameCommand, M, Cap, "jar1"},
    {kLineSendLevelCommand, M, Cap, "N17"},        {kLineRecentMenu, M, Cap, "N18"},        {kLineRiderTool, M, Hint, "motopic"},
    {kLinePreviewTitle, M, Title, "preimg_f"}, {kLinePixelUnit, M, Cap, "Label9"},
    {kLineRideCommand, M, Cap, "RideBtn"}, {kLineRideCommand, M, Hint, "RideBtn"},
    {kLineReplayCommand, M, Cap, "ReplayRide"}, {kLineCheckPackCommand, M, Cap, "CheckPack"},
    {kLineWatchRider, M, Cap, "WatchRider"}, {kLineLoadRideKeys, M, Cap, "LoadRideKeys"},
    {kLineSaveRideKeys, M, Cap, "SaveRideKeys"},
    {kLineLegendPlayer, M, Cap, "PlayerLegendNew"}, {kLineLegendPlayer, M, Cap, "PlayerLegendEdit"},
    {kLinePlayerUpButton, M, Cap, "PlyrUp"},
};
// clang-format on

} // namespace

std::span<const LangBinding> langBindings() {
    return kBindings;
}

QString noticeCaption(const QString& line11, const QStringList& contacts) {
    QString text = line11;
    while (text.endsWith(' ')) text.chop(1);
    return contacts.isEmpty() ? text : text + ' ' + contacts.join(", ");
}

} // namespace korvo
