#pragma once
// The configuration file "*.sko": exactly 392 bytes, little-endian.
//   0  32  file type text "vek7mKurven Konfigdatei", NUL-terminated
//  32   4  version, 32-bit integer, 1
//  36   4  padding
//  40 352  the record's image (model.h)
// The bytes after the type text's NUL and the padding carry no meaning: written
// as zeros, ignored on reading. A longer file is read from its first 392 bytes.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "config/model.h"

namespace config {

inline constexpr std::size_t kKonfigDateiGroesse = 392;
inline constexpr std::size_t kKonfigDateitypFeld = 32;
inline constexpr const char* kKonfigDateityp = "vek7mKurven Konfigdatei";
inline constexpr std::uint32_t kKonfigDateiVersion = 1;

inline constexpr int kFehlerKonfigOeffnenSchreiben = -308261;  // "Fehler beim Öffnen der Datei"
inline constexpr int kFehlerKonfigSchreiben = -301262;         // "Fehler beim Schreiben auf Datei"
inline constexpr int kFehlerKonfigOeffnenLesen = -308263;      // "Fehler beim Öffnen der Datei"
inline constexpr int kFehlerKonfigZuKurz = -304264;            // "Fehler beim Lesen der Datei"
inline constexpr int kFehlerKonfigDateityp = -1021265;  // "... keine MUX-6 Konfigurationsdatei."
inline constexpr int kFehlerKonfigVersion = -303266;  // "Die Datei hat die falsche Versionsnummer"

// The 392 bytes of a file holding k.
std::vector<std::uint8_t> KonfigDateiBild(const Konfig& k);

// Checks and reads a file's bytes: 0 and k set (made sound), or the code of
// the first check that fails (length, type text, version) with k unchanged.
// `beschaedigt`, when given, tells whether a field had to be made sound: a
// damaged file, which the window warns about and mux6ctl takes only with --force.
int KonfigDateiBildLesen(std::span<const std::uint8_t> bytes, Konfig& k,
                         bool* beschaedigt = nullptr);

// Saves k through a temporary file renamed over the target, so a failed save
// leaves the old file as it was. 0, -308261 when the target can be neither
// written nor created nor replaced, -301262 when writing fails.
int KonfigurationSpeichernNach(const std::filesystem::path& datei, const Konfig& k);

// Loads a file: 0 and k set, or -308263 (cannot be opened), -304264 (shorter
// than 392 bytes), -1021265 (type text), -303266 (version) with k unchanged.
int KonfigurationLadenVon(const std::filesystem::path& datei, Konfig& k,
                          bool* beschaedigt = nullptr);

// The warning's text for a damaged configuration file.
inline constexpr const char* kKonfigSchaden =
    "Werte der Konfiguration sind keine gültigen Zahlen; sie haben ihren Standardwert.";

}  // namespace config
