// libFuzzer target: any bytes as the board's memory from 0x1000, decoded as
// the read-back does, for curve 1 and (by the last byte) for curves 2..4.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "curves/transfer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    const std::span<const std::uint8_t> bild(daten, groesse);
    const int kurve = groesse > 0 ? daten[groesse - 1] % curves::kKurven : 0;
    for (int k : {0, kurve}) {
        const curves::Rueckgelesen r = curves::SpeicherabbildDecodieren(bild, k);
        if (r.code != 0 && !r.geraden.empty())
            std::abort();
        if (r.code == 0 && (r.geraden.empty() || r.geraden.size() * 2 > groesse))
            std::abort();
        for (const curves::Gerade& g : r.geraden)
            if (g.laenge != 1 || g.zeitbasis < 1 || g.zeitbasis > 8 || g.y < 0 || g.y > 4095)
                std::abort();
    }
    return 0;
}
