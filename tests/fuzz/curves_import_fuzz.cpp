// libFuzzer target: any bytes as a curve text file to import.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "config/model.h"
#include "curves/files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    static const bool bereit = (config::StandardwerteSetzen(), curves::KurvenInit() == 0);
    (void)bereit;
    const curves::Importergebnis e =
        curves::KurvenImportText(std::string_view(reinterpret_cast<const char*>(daten), groesse));
    if (e.code > 0 || (e.code == 0 && !e.meldung.empty()))
        std::abort();
    const curves::Kurve& k = curves::gKurven[0];
    if (k.anzahl < 1 || static_cast<std::size_t>(k.anzahl) != k.geraden.size())
        std::abort();
    for (const curves::Gerade& g : k.geraden)
        if (g.laenge < 1 || g.laenge > 65535 || g.zeitbasis < 1 || g.zeitbasis > 8 || g.y < 0 ||
            g.y > 4095)
            std::abort();
    return 0;
}
