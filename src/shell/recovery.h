#pragma once
// Work in hand at an end without questions (the program ended by a signal):
// each window's unsaved work is saved, as its "Speichern" saves it, as a
// recovery copy beside the settings file, and the copies are listed so that
// the next start names them once in a "Warnung" box.

#include <QString>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "ui/registry.h"

namespace shell {

struct Wiederherstellungsziel {
    ui::Fenster fenster;
    const char* fenstername;  // as the box names the window that loads it
    const char* name;         // the copy's file name without its ending
    const char* endung;
};
inline constexpr std::array<Wiederherstellungsziel, 2> kWiederherstellungsziele = {{
    {ui::Fenster::Kurven, "Kurvengenerator", "Kurven-Wiederherstellung", ".skr"},
    {ui::Fenster::Kennlinie, "Kennlinienregler", "Kennlinie-Wiederherstellung", ".ske"},
}};
// The copies not yet named at a start, one file name a line.
inline constexpr const char* kWiederherstellungsliste =
    "vek7MKurvengenerator-Wiederherstellung.txt";
inline constexpr int kMaxKopiennummer = 99;

// A name in `ordner` no file has: <name><endung>, else <name>-2<endung> up to
// -99, so an earlier copy is never overwritten. Empty when all are taken.
std::filesystem::path FreierKopiename(const std::filesystem::path& ordner,
                                      const Wiederherstellungsziel& ziel);

// "<was>: Fehler #<number> <text>", for stderr where no box can be shown.
std::string Fehlerzeile(const std::string& was, int code);

// Saves every window's unsaved work as its recovery copy in `ordner` and adds
// the copies to the list. Returns what failed, as lines for the operator
// (empty: everything in hand is saved).
std::vector<std::string> WiederherstellungskopienSpeichern(const std::filesystem::path& ordner);

// The listed copies that still exist, as "<window>: <file name>" lines.
std::vector<std::string> WiederherstellungskopienLesen(const std::filesystem::path& ordner);
// Once the operator was told: each copy is named at one start only.
void WiederherstellungslisteLoeschen(const std::filesystem::path& ordner);

// The text of the "Warnung" box for the copies in `ordner`.
QString WiederherstellungsHinweis(const std::vector<std::string>& kopien,
                                  const std::filesystem::path& ordner);

}  // namespace shell
