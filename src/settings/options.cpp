#include "options.h"

#include "ini_file.h"
#include "text/lang_lines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <tuple>
#include <vector>

namespace korvo {

const QByteArray kDefaultOptionsText = "[Options]\r\n"
                                       "NewLevel=0\r\n"
                                       "Lang=english.lng\r\n"
                                       "LevFile=0\r\n"
                                       "GenPic=0\r\n"
                                       "RatioPic=8\r\n"
                                       "VMoto=0\r\n"
                                       "VList=0\r\n"
                                       "[AutoSave]\r\n"
                                       "AutoSave=1\r\n"
                                       "Savetime=5\r\n"
                                       "[Colors]\r\n"
                                       "BG1=16777215\r\n"
                                       "BG2=16777215\r\n"
                                       "BG3=16777215\r\n"
                                       "Line1=255\r\n"
                                       "Line2=255\r\n"
                                       "Line3=255\r\n"
                                       "Node1=255\r\n";

QColor Options::bgColor(int colorMode) const {
    return colorMode == 2 ? BG2 : colorMode == 3 ? BG3 : BG1;
}

QColor Options::lineColor(int colorMode) const {
    return colorMode == 2 ? Line2 : colorMode == 3 ? Line3 : Line1;
}

int iniInt(const QString& text, int def) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    return ok ? v : def;
}

QColor iniColor(const QString& text, const QColor& def) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (!ok || v < 0 || v > 0xFFFFFF) return def;
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

QString colorToIni(const QColor& color) {
    return QString::number(color.red() | (color.green() << 8) | (color.blue() << 16));
}

int autosavePeriodMs(int minutes) {
    if (minutes < 1) return 0;
    return qMin(minutes, kMaxAutosaveMinutes) * 60000;
}

void readOptions(const IniText& ini, Options& o) {
    // Every read passes "0" as the default, so a missing key reads as "0".
    auto read = [&](const char* section, const char* key) {
        return ini.readString(section, key, "0");
    };
    const Options d; // the defaults stand in for values that are not numbers
    o.autoSaveEnabled = read("AutoSave", "AutoSave") == "1";
    if (o.autoSaveEnabled)
        o.autoSavePeriodMs = autosavePeriodMs(iniInt(read("AutoSave", "Savetime"), 5));
    o.Lang = read("Options", "Lang");
    // Values other than 0 and 1 have no meaning; they read as the default 0.
    o.NewLevel = iniInt(read("Options", "NewLevel"), 0) == 1 ? kNewTrackAtEnd : kNewTrackAtStart;
    o.RatioPic = iniInt(read("Options", "RatioPic"), d.RatioPic);
    if (o.RatioPic <= 0) o.RatioPic = d.RatioPic; // a divisor must be positive
    o.VMoto = iniInt(read("Options", "VMoto"), 0) == 1 ? kRiderSprite : kRiderDot;
    o.ViewMode = iniInt(read("Options", "VList"), 0) == 1 ? kViewTree : kViewList;
    o.BG1 = iniColorKey(ini, "BG1", d.BG1);
    o.BG2 = iniColorKey(ini, "BG2", d.BG2);
    o.BG3 = iniColorKey(ini, "BG3", d.BG3);
    o.Line1 = iniColorKey(ini, "Line1", d.Line1);
    o.Line2 = iniColorKey(ini, "Line2", d.Line2);
    o.Line3 = iniColorKey(ini, "Line3", d.Line3);
    o.Node1 = iniColorKey(ini, "Node1", d.Node1);
}

QColor iniColorKey(const IniText& ini, const char* key, const QColor& def) {
    return iniColor(ini.readString("Colors", key, QString()), def);
}

namespace {

// The keys of Apply with the values a choice gives them; an empty value is
// not written (the minutes while autosave is off, a language not chosen).
std::vector<std::tuple<const char*, const char*, QString>> optionValues(const OptionsChoice& c) {
    const Options& o = c.values;
    return {{"AutoSave", "AutoSave", o.autoSaveEnabled ? "1" : "0"},
            {"AutoSave", "Savetime", o.autoSaveEnabled ? c.savetime : QString()},
            {"Options", "NewLevel", QString::number(o.NewLevel)},
            {"Options", "Lang", o.Lang},
            {"Options", "VMoto", QString::number(o.VMoto)},
            {"Options", "VList", c.VList == kViewTree ? "1" : "0"},
            {"Colors", "BG1", colorToIni(o.BG1)},
            {"Colors", "BG2", colorToIni(o.BG2)},
            {"Colors", "BG3", colorToIni(o.BG3)},
            {"Colors", "Line1", colorToIni(o.Line1)},
            {"Colors", "Line2", colorToIni(o.Line2)},
            {"Colors", "Line3", colorToIni(o.Line3)},
            {"Colors", "Node1", colorToIni(o.Node1)}};
}

} // namespace

bool writeOptions(const QString& path, const OptionsChoice& choice, Message* error,
                  const OptionsChoice* shown) {
    const auto chosen = optionValues(choice);
    const auto before = shown ? optionValues(*shown) : decltype(chosen)();
    // Its other sections (recent packs, author) stay; a file that cannot be
    // read is not written at all, or they would be lost.
    return updateIniFile(
        path,
        [&](IniText& text) {
            for (size_t i = 0; i < chosen.size(); ++i) {
                const auto& [section, key, value] = chosen[i];
                if (value.isEmpty() || (shown && std::get<2>(before[i]) == value)) continue;
                text.setValue(section, key, value);
            }
            return true;
        },
        error);
}

void useOptionsChoice(const OptionsChoice& choice, Options& options) {
    const int view = options.ViewMode;
    const QString lang = options.Lang;
    const int ratio = options.RatioPic;
    options = choice.values;
    if (options.autoSaveEnabled)
        options.autoSavePeriodMs = autosavePeriodMs(iniInt(choice.savetime, 5));
    options.ViewMode = view;
    options.RatioPic = ratio;
    if (options.Lang.isEmpty()) options.Lang = lang;
}

OptionsLoad LoadOptions(const QString& baseFolder, Options& options) {
    OptionsLoad result;
    const QString path = optionsPath(baseFolder);
    IniText ini(kDefaultOptionsText);
    if (!QFile::exists(path)) {
        result.createdDefaults = true;
        writeIniFile(path, ini, &result.problem);
    } else if (auto text = readIniFile(path, &result.problem)) {
        ini = std::move(*text);
    } else {
        result.unreadable = true;
    }
    readOptions(ini, options);
    return result;
}

} // namespace korvo
