// libFuzzer target: any bytes as a curve file, loaded and appended.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "config/model.h"
#include "curves/files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    static const bool bereit = (config::StandardwerteSetzen(), curves::KurvenInit() == 0);
    (void)bereit;
    const std::span<const std::uint8_t> bytes(daten, groesse);
    const bool anhaengen = groesse > 0 && (daten[groesse - 1] & 1) != 0;
    curves::KurvendateiEinlesen(bytes, anhaengen, "fuzz.skr");
    for (const curves::Kurve& k : curves::gKurven) {
        if (k.anzahl < 1 || static_cast<std::size_t>(k.anzahl) != k.geraden.size())
            std::abort();
        for (const curves::Gerade& g : k.geraden)
            if (g.laenge < 1 || g.laenge > 65535 || g.zeitbasis < 1 || g.zeitbasis > 8 || g.y < 0 ||
                g.y > 4095)
                std::abort();
    }
    // Appending keeps growing the curves; start afresh before they get large.
    if (curves::gKurven[0].geraden.size() > 100000)
        curves::KurvenInit();
    return 0;
}
