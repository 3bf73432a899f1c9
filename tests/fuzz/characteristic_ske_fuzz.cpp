// libFuzzer target: any bytes as a characteristic file. Whatever loads must
// be a characteristic whose count matches its points, with usable fields,
// and sampling it must end.
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
    // Points are kept as they stand (values and lengths are the board's to
    // refuse when sampled or sent); the count always matches the points.
    const kl::Kennlinie& k = kl::gKennlinie;
    if (k.anzahl < 1 || static_cast<std::size_t>(k.anzahl) != k.geraden.size())
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
