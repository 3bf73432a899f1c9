// libFuzzer target: any bytes as a characteristic text file to import. An
// import either fails with its code and message and leaves the points, or
// gives a characteristic that fits the board's 4096 values.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "characteristic/files.h"
#include "characteristic/model.h"
#include "config/model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    namespace kl = characteristic;
    config::StandardwerteSetzen();
    if (kl::KennlinienInit() != 0)
        std::abort();
    const kl::Importergebnis e =
        kl::KennlinieImportText(std::string_view(reinterpret_cast<const char*>(daten), groesse));
    const kl::Kennlinie& k = kl::gKennlinie;
    if (e.code > 0 || (e.code == 0) != e.meldung.empty())
        std::abort();
    if (e.code != 0 && k.geraden != kl::Startkennlinie().geraden)
        std::abort();
    if (k.anzahl < 1 || static_cast<std::size_t>(k.anzahl) != k.geraden.size())
        std::abort();
    for (const kl::Gerade& g : k.geraden)
        if (g.y < 0 || g.y > kl::kMaxRoh || g.laenge < 0)
            std::abort();
    std::array<int, kl::kWerte> werte{};
    if (kl::Kennlinie_Abtasten(werte) != 0)
        std::abort();
    return 0;
}
