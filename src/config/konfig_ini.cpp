#include "config/konfig_ini.h"

#include <string>

#include "storage/cp1252.h"

namespace config {

namespace {

std::string Schluessel(const char* name, std::size_t i) {
    return std::string(name) + std::to_string(i);
}

void EinheitLesen(const shell::IniText& ini, const std::string& key, std::string& einheit) {
    std::string roh;
    shell::Ini_GetRawStringIntoBuffer(ini, kIniSektion, key, roh, kEinheitZeichen + 1);
    einheit = storage::Cp1252ZuUtf8(roh);
}

void EinheitSchreiben(shell::IniText& ini, const std::string& key, const std::string& einheit) {
    std::string roh = storage::Utf8ZuCp1252Ersetzt(EinheitBereinigen(einheit));
    if (roh.size() > kEinheitZeichen)
        roh.resize(kEinheitZeichen);
    shell::Ini_PutRawString(ini, kIniSektion, key, roh);
}

}  // namespace

void KonfigIniLesen(const shell::IniText& ini, Konfig& k) {
    k = Konfig{};
    shell::Ini_GetDouble(ini, kIniSektion, "voutmax", k.voutmax);
    shell::Ini_GetDouble(ini, kIniSektion, "vinmax", k.vinmax);
    for (std::size_t i = 0; i < kKanaele; ++i) {
        shell::Ini_GetDouble(ini, kIniSektion, Schluessel("outmin", i), k.outmin[i]);
        shell::Ini_GetDouble(ini, kIniSektion, Schluessel("outmax", i), k.outmax[i]);
        shell::Ini_GetDouble(ini, kIniSektion, Schluessel("outskalamin", i), k.outskalamin[i]);
        shell::Ini_GetDouble(ini, kIniSektion, Schluessel("outskalamax", i), k.outskalamax[i]);
        EinheitLesen(ini, Schluessel("outeinheit", i), k.outeinheit[i]);
        shell::Ini_GetDouble(ini, kIniSektion, Schluessel("inmin", i), k.inmin[i]);
        shell::Ini_GetDouble(ini, kIniSektion, Schluessel("inmax", i), k.inmax[i]);
        shell::Ini_GetDouble(ini, kIniSektion, Schluessel("inskalamin", i), k.inskalamin[i]);
        shell::Ini_GetDouble(ini, kIniSektion, Schluessel("inskalamax", i), k.inskalamax[i]);
        EinheitLesen(ini, Schluessel("ineinheit", i), k.ineinheit[i]);
    }
    KonfigBereinigen(k);
}

void KonfigIniSchreiben(shell::IniText& ini, const Konfig& k) {
    // Written from a sound copy, so no infinity or NaN reaches the file.
    Konfig sauber = k;
    KonfigBereinigen(sauber);
    shell::Ini_PutDouble(ini, kIniSektion, "voutmax", sauber.voutmax);
    shell::Ini_PutDouble(ini, kIniSektion, "vinmax", sauber.vinmax);
    for (std::size_t i = 0; i < kKanaele; ++i) {
        shell::Ini_PutDouble(ini, kIniSektion, Schluessel("outmin", i), sauber.outmin[i]);
        shell::Ini_PutDouble(ini, kIniSektion, Schluessel("outmax", i), sauber.outmax[i]);
        shell::Ini_PutDouble(ini, kIniSektion, Schluessel("outskalamin", i), sauber.outskalamin[i]);
        shell::Ini_PutDouble(ini, kIniSektion, Schluessel("outskalamax", i), sauber.outskalamax[i]);
        EinheitSchreiben(ini, Schluessel("outeinheit", i), sauber.outeinheit[i]);
        shell::Ini_PutDouble(ini, kIniSektion, Schluessel("inmin", i), sauber.inmin[i]);
        shell::Ini_PutDouble(ini, kIniSektion, Schluessel("inmax", i), sauber.inmax[i]);
        shell::Ini_PutDouble(ini, kIniSektion, Schluessel("inskalamin", i), sauber.inskalamin[i]);
        shell::Ini_PutDouble(ini, kIniSektion, Schluessel("inskalamax", i), sauber.inskalamax[i]);
        EinheitSchreiben(ini, Schluessel("ineinheit", i), sauber.ineinheit[i]);
    }
}

}  // namespace config
