#pragma once
// A file operation's outcome as the program's result code. Each operation has
// its own codes (a curve file's save -308432 / -301433, a configuration
// file's -308261 / -301262, ...); which outcome takes which of them is the
// same for every file and decided here once.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "storage/read_file.h"
#include "storage/safe_save.h"
#include "storage/text_lines.h"

namespace storage {

struct Speichercodes {
    int oeffnen;    // the target can be neither written nor created nor replaced
    int schreiben;  // the new contents could not be written whole
};

// 0 for a save that succeeded, else the operation's code for it.
int Speichercode(Speicherergebnis ergebnis, const Speichercodes& codes);

// Saves safely (SicherSchreiben): 0 or the operation's code.
int DateiSpeichern(const std::filesystem::path& ziel, std::string_view inhalt,
                   const Speichercodes& codes);
int DateiSpeichern(const std::filesystem::path& ziel, std::span<const std::uint8_t> inhalt,
                   const Speichercodes& codes);

// The contents that `bauen` gives, saved: no memory to build them is a
// failure to write them.
template <class Bauen>
int GebautSpeichern(const std::filesystem::path& ziel, Bauen&& bauen, const Speichercodes& codes) {
    try {
        const auto inhalt = bauen();
        return DateiSpeichern(ziel, inhalt, codes);
    } catch (const std::bad_alloc&) {
        return codes.schreiben;
    }
}

struct Lesecodes {
    int oeffnen;   // missing, a folder, or not to be opened
    int lesen;     // reading broke off: what the file holds is unknown
    int speicher;  // no memory for its bytes
};

// The file's bytes, at most `hoechstens` of them: 0, or the operation's code
// with `bytes` not to be used.
int DateiEinlesen(const std::filesystem::path& pfad, std::vector<std::uint8_t>& bytes,
                  const Lesecodes& codes, std::size_t hoechstens = kGanzeDatei);
// The same for a text to import.
int DateiEinlesen(const std::filesystem::path& pfad, std::string& text, const Lesecodes& codes);

// A file read whole and handed to its reader, whose result it gives; a
// failure to read is that result with only its code set. A read that broke
// off is no file cut short: what it would have held is unknown, so the
// reader never sees it.
template <class Puffer, class Einlesen>
auto DateiLaden(const std::filesystem::path& pfad, const Lesecodes& codes, Einlesen&& einlesen) {
    Puffer inhalt;
    if (const int code = DateiEinlesen(pfad, inhalt, codes); code != 0) {
        decltype(einlesen(inhalt)) e{};
        e.code = code;
        return e;
    }
    return einlesen(inhalt);
}

// A text file read whole and handed to its importer.
template <class Importieren>
Importergebnis TextImportieren(const std::filesystem::path& pfad, const Lesecodes& codes,
                               Importieren&& importieren) {
    return DateiLaden<std::string>(pfad, codes, importieren);
}

}  // namespace storage
