#include "direct_io/ini.h"

#include <cmath>
#include <cstddef>
#include <string>

namespace direct_io {

namespace {

std::string Schluessel(const char* name, std::size_t i) {
    return std::string(name) + std::to_string(i + 1);
}

}  // namespace

void DirektIniLesen(const settings::IniText& ini, DirektEinstellungen& e) {
    for (std::size_t i = 0; i < kKanaele; ++i) {
        double grenze = 0.0;
        // NaN would hold no value below it; "Inf" is a number and no limit.
        if (settings::Ini_GetDouble(ini, kIniSektion, Schluessel("grenze", i), grenze) == 1 &&
            !std::isnan(grenze)) {
            e.grenze[i] = grenze;
        }
        int kurve = 0;
        if (settings::Ini_GetInt(ini, kIniSektion, Schluessel("kurve", i), kurve) == 1) {
            e.kurve[i] = kurve != 0;
        }
    }
}

void DirektIniSchreiben(settings::IniText& ini, const DirektEinstellungen& e) {
    for (std::size_t i = 0; i < kKanaele; ++i) {
        settings::Ini_PutDouble(ini, kIniSektion, Schluessel("grenze", i), e.grenze[i]);
        settings::Ini_PutInt(ini, kIniSektion, Schluessel("kurve", i), e.kurve[i] ? 1 : 0);
    }
}

}  // namespace direct_io
