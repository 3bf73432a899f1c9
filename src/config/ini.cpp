#include "config/ini.h"

#include <string>

#include "storage/cp1252.h"

namespace config {

namespace {

std::string Schluessel(const char* name, std::size_t i) {
    return std::string(name) + std::to_string(i);
}

void EinheitLesen(const settings::IniText& ini, const std::string& key, std::string& einheit) {
    std::string roh;
    settings::Ini_GetRawStringIntoBuffer(ini, kIniSektion, key, roh, kEinheitZeichen + 1);
    einheit = storage::Cp1252ZuUtf8(roh);
}

void EinheitSchreiben(settings::IniText& ini, const std::string& key, const std::string& einheit) {
    std::string roh = storage::Utf8ZuCp1252Ersetzt(EinheitBereinigen(einheit));
    if (roh.size() > kEinheitZeichen)
        roh.resize(kEinheitZeichen);
    settings::Ini_PutRawString(ini, kIniSektion, key, roh);
}

}  // namespace

void KonfigIniLesen(const settings::IniText& ini, Konfig& k) {
    k = Konfig{};
    settings::Ini_GetDouble(ini, kIniSektion, "voutmax", k.voutmax);
    settings::Ini_GetDouble(ini, kIniSektion, "vinmax", k.vinmax);
    for (std::size_t i = 0; i < kKanaele; ++i) {
        settings::Ini_GetDouble(ini, kIniSektion, Schluessel("outmin", i), k.outmin[i]);
        settings::Ini_GetDouble(ini, kIniSektion, Schluessel("outmax", i), k.outmax[i]);
        settings::Ini_GetDouble(ini, kIniSektion, Schluessel("outskalamin", i), k.outskalamin[i]);
        settings::Ini_GetDouble(ini, kIniSektion, Schluessel("outskalamax", i), k.outskalamax[i]);
        EinheitLesen(ini, Schluessel("outeinheit", i), k.outeinheit[i]);
        settings::Ini_GetDouble(ini, kIniSektion, Schluessel("inmin", i), k.inmin[i]);
        settings::Ini_GetDouble(ini, kIniSektion, Schluessel("inmax", i), k.inmax[i]);
        settings::Ini_GetDouble(ini, kIniSektion, Schluessel("inskalamin", i), k.inskalamin[i]);
        settings::Ini_GetDouble(ini, kIniSektion, Schluessel("inskalamax", i), k.inskalamax[i]);
        EinheitLesen(ini, Schluessel("ineinheit", i), k.ineinheit[i]);
    }
    KonfigBereinigen(k);
}

void KonfigIniSchreiben(settings::IniText& ini, const Konfig& k) {
    // Written from a sound copy, so no infinity or NaN reaches the file.
    Konfig sauber = k;
    KonfigBereinigen(sauber);
    settings::Ini_PutDouble(ini, kIniSektion, "voutmax", sauber.voutmax);
    settings::Ini_PutDouble(ini, kIniSektion, "vinmax", sauber.vinmax);
    for (std::size_t i = 0; i < kKanaele; ++i) {
        settings::Ini_PutDouble(ini, kIniSektion, Schluessel("outmin", i), sauber.outmin[i]);
        settings::Ini_PutDouble(ini, kIniSektion, Schluessel("outmax", i), sauber.outmax[i]);
        settings::Ini_PutDouble(ini, kIniSektion, Schluessel("outskalamin", i),
                                sauber.outskalamin[i]);
        settings::Ini_PutDouble(ini, kIniSektion, Schluessel("outskalamax", i),
                                sauber.outskalamax[i]);
        EinheitSchreiben(ini, Schluessel("outeinheit", i), sauber.outeinheit[i]);
        settings::Ini_PutDouble(ini, kIniSektion, Schluessel("inmin", i), sauber.inmin[i]);
        settings::Ini_PutDouble(ini, kIniSektion, Schluessel("inmax", i), sauber.inmax[i]);
        settings::Ini_PutDouble(ini, kIniSektion, Schluessel("inskalamin", i),
                                sauber.inskalamin[i]);
        settings::Ini_PutDouble(ini, kIniSektion, Schluessel("inskalamax", i),
                                sauber.inskalamax[i]);
        EinheitSchreiben(ini, Schluessel("ineinheit", i), sauber.ineinheit[i]);
    }
}

}  // namespace config
