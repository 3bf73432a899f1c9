#include "storage/file_codes.h"

#include <new>

namespace storage {

int Speichercode(Speicherergebnis ergebnis, const Speichercodes& codes) {
    switch (ergebnis) {
        case Speicherergebnis::Ok:
            return 0;
        case Speicherergebnis::SchreibFehler:
            return codes.schreiben;
        // The old file stays in each of these: as for a target the program
        // could not open for replacing.
        case Speicherergebnis::NichtSchreibbar:
        case Speicherergebnis::KeinTemporaername:
        case Speicherergebnis::UmbenennFehler:
            return codes.oeffnen;
    }
    return codes.oeffnen;
}

int DateiSpeichern(const std::filesystem::path& ziel, std::string_view inhalt,
                   const Speichercodes& codes) {
    return Speichercode(SicherSchreiben(ziel, inhalt), codes);
}

int DateiSpeichern(const std::filesystem::path& ziel, std::span<const std::uint8_t> inhalt,
                   const Speichercodes& codes) {
    return DateiSpeichern(
        ziel, std::string_view(reinterpret_cast<const char*>(inhalt.data()), inhalt.size()), codes);
}

namespace {
template <class Puffer>
int Einlesen(const std::filesystem::path& pfad, Puffer& puffer, const Lesecodes& codes,
             std::size_t hoechstens) {
    try {
        switch (DateiLesen(pfad, puffer, hoechstens)) {
            case Leseergebnis::Ok:
                return 0;
            case Leseergebnis::NichtLesbar:
                return codes.oeffnen;
            case Leseergebnis::Lesefehler:
                return codes.lesen;
        }
    } catch (const std::bad_alloc&) {
        return codes.speicher;
    }
    return codes.lesen;
}
}  // namespace

int DateiEinlesen(const std::filesystem::path& pfad, std::vector<std::uint8_t>& bytes,
                  const Lesecodes& codes, std::size_t hoechstens) {
    return Einlesen(pfad, bytes, codes, hoechstens);
}

int DateiEinlesen(const std::filesystem::path& pfad, std::string& text, const Lesecodes& codes) {
    return Einlesen(pfad, text, codes, kGanzeDatei);
}

}  // namespace storage
