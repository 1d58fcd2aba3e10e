#pragma once
// The editor's preferences: the settings file "opt.ini" in the base folder and
// the in-memory copies the main window keeps for the whole run.

#include "text/message.h"

#include <QByteArray>
#include <QColor>
#include <QString>

namespace korvo {

class IniText;
class LangLines;

// The settings file as written on the first start: 19 lines, CR LF, 224 bytes.
extern const QByteArray kDefaultOptionsText;
// The language file of the defaults.
inline constexpr char kDefaultLangFile[] = "english.lng";

// Where a newly created track goes in its group (`NewLevel`).
constexpr int kNewTrackAtStart = 0;
constexpr int kNewTrackAtEnd = 1;
// How the rider is shown (`VMoto`).
constexpr int kRiderDot = 0;
constexpr int kRiderSprite = 1;
// Which list view is used (`VList`, `ViewMode`).
constexpr int kViewList = 0;
constexpr int kViewTree = 1;

// The in-memory copies of the settings.
struct Options {
    QString Lang = kDefaultLangFile; // language file inside base folder + "lang/"
    int NewLevel = kNewTrackAtStart;
    int RatioPic = 8; // level pictures are drawn at 1/RatioPic scale
    int VMoto = kRiderDot;
    int ViewMode = kViewList; // from `VList`, fixed for the whole run
    // Canvas colours per ColorMode (1 view, 2 edit, 3 new track).
    QColor BG1{255, 255, 255}, BG2{255, 255, 255}, BG3{255, 255, 255};
    QColor Line1{255, 0, 0}, Line2{255, 0, 0}, Line3{255, 0, 0};
    QColor Node1{255, 0, 0};
    // The autosave timer `autotime`.
    bool autoSaveEnabled = true;
    int autoSavePeriodMs = 5 * 60000;

    // Background and line colour of a ColorMode (1..3); mode 1 for others.
    QColor bgColor(int colorMode) const;
    QColor lineColor(int colorMode) const;
};

// Result of `LoadOptions`: whether the defaults were written, and a problem
// the user should see (the file could not be created or read).
struct OptionsLoad {
    bool createdDefaults = false;
    bool unreadable = false; // the file exists but could not be read
    Message problem;
};

// The path of "opt.ini" in the base folder.
QString optionsPath(const QString& baseFolder);

// Start-up: writes the defaults when "opt.ini" is missing, then reads it into
// `options`. A file that cannot be created or read leaves the defaults in
// force for this run and is reported in the result.
OptionsLoad LoadOptions(const QString& baseFolder, Options& options);
// The language the editor would speak in `baseFolder`: the file its
// "opt.ini" names (the defaults' when there is none), looked for in the "lang"
// folder of `langFolder` (the base folder itself when empty), with the same
// fallback to the built-in texts. Reads only.
LangLines languageOfBase(const QString& baseFolder, const QString& langFolder = {});
// The language file the locale asks for: "russian.lng" when the first
// non-empty of LC_ALL, LC_MESSAGES and LANG starts with "ru", otherwise
// "english.lng".
QString localeLanguageFile();
// The language `trackpack` and `jarpacker` speak in `folder`: with an
// "opt.ini" there, the one it names (languageOfBase()); without one, the
// locale's, from the folder's "lang", else from the "lang" of `shippedFolder`
// (the installed files), else from the program's own copy.
LangLines languageOfCommandLine(const QString& folder, const QString& shippedFolder);
// `relative` taken from the folder of the running program.
QString besideProgram(const QString& relative);

// Reads the copies from a settings text (a missing key reads as "0", a
// missing colour as its default).
void readOptions(const IniText& ini, Options& options);
// A key of [Colors]; missing or not a colour reads as `def`.
QColor iniColorKey(const IniText& ini, const char* key, const QColor& def);

// What Apply in the options dialog chose.
struct OptionsChoice {
    Options values;   // autoSaveEnabled, NewLevel, VMoto, the colours; Lang empty: unchanged
    QString savetime; // the autosave minutes as typed, written while autosave is on
    int VList = kViewList;
};
// Writes the choice into "opt.ini" at `path` in one atomic write, keeping
// every other byte of the file as it is on disk now. With `shown` (what the
// dialog showed), only the values the user changed are written, so a value
// another window or a hand edit set meanwhile stays; nothing changed writes
// nothing. A file that exists but cannot be read is not touched. Returns
// false with the reason in `error`; nothing is written then.
bool writeOptions(const QString& path, const OptionsChoice& choice, Message* error,
                  const OptionsChoice* shown = nullptr);
// Puts a written choice into force in the run's copies (the view stays: it
// changes from the next start).
void useOptionsChoice(const OptionsChoice& choice, Options& options);

// Settings numbers: decimal integers, blanks around allowed. Anything else
// reads as `def`.
int iniInt(const QString& text, int def);
// Colours are stored as the decimal value of 0x00BBGGRR; values outside
// 0..16777215 or not a number read as `def`.
QColor iniColor(const QString& text, const QColor& def);
QString colorToIni(const QColor& color);

// Autosave minutes (as typed) to a timer period; 0 for minutes below 1 (no
// ticks), and at most what a timer can hold.
int autosavePeriodMs(int minutes);
constexpr int kMaxAutosaveMinutes = 35791; // 35791 * 60000 ms still fits an int

} // namespace korvo
