#include "config/files.h"

#include <string_view>

#include "storage/fields.h"
#include "storage/file_codes.h"

namespace config {

namespace {

constexpr std::size_t kOffKonfig = 40;
static_assert(kKonfigDateitypFeld == storage::kDateitypFeld);
constexpr storage::Dateikopf kKopf{
    kKonfigDateiGroesse, kKonfigDateityp,       static_cast<std::int32_t>(kKonfigDateiVersion),
    kFehlerKonfigZuKurz, kFehlerKonfigDateityp, kFehlerKonfigVersion};
static_assert(kOffKonfig + kKonfigBildGroesse == kKonfigDateiGroesse);

}  // namespace

std::vector<std::uint8_t> KonfigDateiBild(const Konfig& k) {
    std::vector<std::uint8_t> bild;
    bild.reserve(kKonfigDateiGroesse);
    storage::Feldschreiber w(bild);
    w.Text(kKonfigDateityp, kKonfigDateitypFeld);
    w.Int32(static_cast<std::int32_t>(kKonfigDateiVersion));
    w.Nullen(4);
    KonfigBildSchreiben(k, bild);
    return bild;
}

int KonfigDateiBildLesen(std::span<const std::uint8_t> bytes, Konfig& k, bool* beschaedigt) {
    const storage::Feldleser r(bytes);
    // The type text runs to its NUL within the 32-byte field; a field without
    // a NUL is 32 characters long and so never the type text.
    if (const int code = storage::KopfPruefen(r, kKopf); code != 0)
        return code;
    Konfig neu;
    const bool bereinigt = KonfigBildLesen(*r.Teil(kOffKonfig, kKonfigBildGroesse), neu);
    if (beschaedigt)
        *beschaedigt = bereinigt;
    k = std::move(neu);
    return 0;
}

int KonfigurationSpeichernNach(const std::filesystem::path& datei, const Konfig& k) {
    return storage::DateiSpeichern(datei, KonfigDateiBild(k),
                                   {kFehlerKonfigOeffnenSchreiben, kFehlerKonfigSchreiben});
}

int KonfigurationLadenVon(const std::filesystem::path& datei, Konfig& k, bool* beschaedigt) {
    // Only the first 392 bytes matter, however long the file is; a read that
    // breaks off before them is a file too short.
    std::vector<std::uint8_t> bytes;
    const int code = storage::DateiEinlesen(
        datei, bytes, {kFehlerKonfigOeffnenLesen, kFehlerKonfigZuKurz, kFehlerKonfigZuKurz},
        kKonfigDateiGroesse);
    return code != 0 ? code : KonfigDateiBildLesen(bytes, k, beschaedigt);
}

}  // namespace config
