#include "settings/settings_file.h"

namespace settings {

int ReadIni(std::span<const IniLeser> leser, const std::filesystem::path& datei) {
    auto ini = Ini_New(true);
    const int r = Ini_ReadFromFile(*ini, datei);
    if (r == kIniNichtGefunden)
        return kIniNichtGefundenFehler;
    if (r != kIniOk)
        return kIniLeseFehler;
    for (const IniLeser& l : leser) {
        if (l)
            l(*ini);
    }
    return 0;
}

int WriteIni(std::span<const IniSchreiber> schreiber, const std::filesystem::path& datei) {
    auto ini = Ini_New(true);
    for (const IniSchreiber& s : schreiber) {
        if (s)
            s(*ini);
    }
    if (Ini_WriteToFile(*ini, datei) != kIniOk)
        return kIniSchreibFehler;
    Ini_Dispose(ini);
    return 0;
}

}  // namespace settings
