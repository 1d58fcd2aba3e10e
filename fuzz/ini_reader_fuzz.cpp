// Feeds arbitrary bytes to the settings file reader. Reading never fails, and
// a write must read back and leave the other sections' values as they were.
#include "settings/ini_file.h"

#include <cstdlib>

using namespace korvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IniText ini(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const auto colour = ini.value("Colors", "BG1");
    const auto recent = ini.value("LastFiles", "1");
    const bool hadColours = ini.hasKeys("Colors");
    if (!ini.setValue("Options", "Lang", "english.lng")) std::abort();
    if (ini.value("options", "LANG") != QString("english.lng")) std::abort();
    if (!ini.setValue("AutoSave", "Savetime", " 7 ")) std::abort();
    if (ini.value("AutoSave", "Savetime") != QString("7")) std::abort();
    if (ini.value("Colors", "BG1") != colour || ini.value("LastFiles", "1") != recent ||
        ini.hasKeys("Colors") != hadColours)
        std::abort();
    if (!ini.removeKey("Options", "Lang")) std::abort();
    if (ini.value("Colors", "BG1") != colour) std::abort();
    return 0;
}
