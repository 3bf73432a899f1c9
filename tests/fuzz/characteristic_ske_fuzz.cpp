// libFuzzer target: any bytes as a characteristic file. Whatever loads must
// be a sound characteristic with usable fields, and sampling it must end.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "characteristic/files.h"
#include "characteristic/model.h"
#include "config/model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    namespace kl = characteristic;
    config::StandardwerteSetzen();
    if (kl::KennlinienInit() != 0)
        std::abort();
    const kl::Ladeergebnis e =
        kl::KennliniendateiEinlesen(std::span<const std::uint8_t>(daten, groesse), "fuzz.ske");
    const kl::Kennlinie& k = kl::gKennlinie;
    if (k.anzahl < 1 || k.anzahl > kl::kMaxPunkte ||
        static_cast<std::size_t>(k.anzahl) != k.geraden.size())
        std::abort();
    std::int64_t x = 0;
    for (std::size_t i = 0; i < k.geraden.size(); ++i) {
        const kl::Gerade& g = k.geraden[i];
        const bool letzter = i + 1 == k.geraden.size();
        if (g.y < 0 || g.y > kl::kMaxRoh || g.laenge < (letzter ? 0 : 1) ||
            g.laenge > kl::kMaxLaenge)
            std::abort();
        x += letzter ? 0 : g.laenge;
    }
    if (x > kl::kMaxRoh)
        std::abort();
    if (e.code == 0 && (!std::isfinite(e.felder.begrenzung) || !(e.felder.anstiegszeit > 0.0) ||
                        !std::isfinite(e.felder.anstiegszeit)))
        std::abort();
    std::array<std::uint8_t, kl::kBlockGroesse> block{};
    const int code = kl::KennlinienblockBauen(e.felder, block);
    if (code != 0 && code != kl::kZuVieleWerte)
        std::abort();
    return 0;
}
