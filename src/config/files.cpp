#include "config/files.h"

#include <cstring>
#include <string>
#include <string_view>

#include "storage/byte_order.h"
#include "storage/read_file.h"
#include "storage/safe_save.h"

namespace config {

namespace {

constexpr std::size_t kOffVersion = 32;
constexpr std::size_t kOffKonfig = 40;

}  // namespace

std::vector<std::uint8_t> KonfigDateiBild(const Konfig& k) {
    std::vector<std::uint8_t> bild;
    bild.reserve(kKonfigDateiGroesse);
    const std::string_view typ = kKonfigDateityp;
    for (std::size_t n = 0; n < kKonfigDateitypFeld; ++n)
        bild.push_back(n < typ.size() ? static_cast<std::uint8_t>(typ[n]) : 0);
    storage::PutLE32(bild, kKonfigDateiVersion);
    storage::PutLE32(bild, 0);
    KonfigBildSchreiben(k, bild);
    return bild;
}

int KonfigDateiBildLesen(std::span<const std::uint8_t> bytes, Konfig& k, bool* beschaedigt) {
    if (bytes.size() < kKonfigDateiGroesse)
        return kFehlerKonfigZuKurz;
    // The type text runs to its NUL within the 32-byte field; a field without
    // a NUL is 32 characters long and so never the type text.
    std::size_t laenge = 0;
    while (laenge < kKonfigDateitypFeld && bytes[laenge] != 0)
        ++laenge;
    const std::string_view typ(reinterpret_cast<const char*>(bytes.data()), laenge);
    if (typ != kKonfigDateityp)
        return kFehlerKonfigDateityp;
    if (storage::GetLE32(bytes, kOffVersion) != kKonfigDateiVersion)
        return kFehlerKonfigVersion;
    Konfig neu;
    const bool bereinigt = KonfigBildLesen(bytes.subspan(kOffKonfig, kKonfigBildGroesse), neu);
    if (beschaedigt)
        *beschaedigt = bereinigt;
    k = std::move(neu);
    return 0;
}

int KonfigurationSpeichernNach(const std::filesystem::path& datei, const Konfig& k) {
    const std::vector<std::uint8_t> bild = KonfigDateiBild(k);
    const std::string_view inhalt(reinterpret_cast<const char*>(bild.data()), bild.size());
    switch (storage::SicherSchreiben(datei, inhalt)) {
        case storage::Speicherergebnis::Ok:
            return 0;
        case storage::Speicherergebnis::NichtSchreibbar:
        case storage::Speicherergebnis::KeinTemporaername:
            return kFehlerKonfigOeffnenSchreiben;
        case storage::Speicherergebnis::SchreibFehler:
        case storage::Speicherergebnis::UmbenennFehler:
            return kFehlerKonfigSchreiben;
    }
    return kFehlerKonfigSchreiben;
}

int KonfigurationLadenVon(const std::filesystem::path& datei, Konfig& k, bool* beschaedigt) {
    // Only the first 392 bytes matter, however long the file is. A read that
    // breaks off keeps what came before, judged like a file cut short.
    std::vector<std::uint8_t> bytes;
    if (storage::DateiLesen(datei, bytes, kKonfigDateiGroesse) ==
        storage::Leseergebnis::NichtLesbar)
        return kFehlerKonfigOeffnenLesen;
    return KonfigDateiBildLesen(bytes, k, beschaedigt);
}

}  // namespace config
