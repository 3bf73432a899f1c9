// libFuzzer target: any bytes as the settings file. Whatever it holds, the
// indexes point at what was read, every item is found again by its section
// and name and reads as any type, and the configuration taken from its
// "konfig" section is sound.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config/ini.h"
#include "config/model.h"
#include "settings/settings.h"

namespace {

void IndexPruefen(const settings::IniText& ini) {
    if (ini.index.size() != ini.sections.size())
        std::abort();
    for (const auto& [name, i] : ini.index)
        if (i >= ini.sections.size())
            std::abort();
    for (const settings::IniSection& s : ini.sections) {
        if (s.index.size() != s.items.size())
            std::abort();
        for (const auto& [name, i] : s.index)
            if (i >= s.items.size())
                std::abort();
    }
}

void AllesNachschlagen(const settings::IniText& ini) {
    for (const settings::IniSection& s : ini.sections) {
        for (const settings::IniItem& item : s.items) {
            std::string puffer;
            if (settings::Ini_GetRawStringIntoBuffer(ini, s.name, item.name, puffer, 256) != 1 ||
                puffer.size() > 255)
                std::abort();
            int ganz = 0;
            double zahl = 0;
            settings::Ini_GetInt(ini, s.name, item.name, ganz);
            settings::Ini_GetDouble(ini, s.name, item.name, zahl);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    settings::IniText ini;
    settings::Ini_ReadFromText(ini,
                               std::string_view(reinterpret_cast<const char*>(daten), groesse));
    IndexPruefen(ini);
    AllesNachschlagen(ini);

    config::Konfig k;
    config::KonfigIniLesen(ini, k);
    if (config::KonfigBereinigen(k))
        std::abort();
    return 0;
}
