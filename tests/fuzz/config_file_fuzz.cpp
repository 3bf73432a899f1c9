// libFuzzer target: any bytes as a configuration file "*.sko". A file is
// refused with one of its codes and the record left as it was, or taken as a
// sound record that saves and loads back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "config/files.h"
#include "config/model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    config::Konfig k;
    k.outeinheit[0] = "vorher";  // what a refused file must leave alone
    const config::Konfig vorher = k;
    const int code = config::KonfigDateiBildLesen(std::span<const std::uint8_t>(daten, groesse), k);
    if (code != 0) {
        if (code != config::kFehlerKonfigZuKurz && code != config::kFehlerKonfigDateityp &&
            code != config::kFehlerKonfigVersion)
            std::abort();
        if (config::KonfigurationenVergleichen(k, vorher) != 1)
            std::abort();
        return 0;
    }
    config::Konfig nochmal = k;
    if (config::KonfigBereinigen(nochmal))
        std::abort();
    config::Konfig zurueck;
    if (config::KonfigDateiBildLesen(config::KonfigDateiBild(k), zurueck) != 0 ||
        config::KonfigurationenVergleichen(zurueck, k) != 1)
        std::abort();
    return 0;
}
