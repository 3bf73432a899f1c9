// The board's reply decoders on arbitrary lines: the first byte picks the
// decoder and its request, the rest is the line as it came off the port.

#include "device/frames.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    if (groesse == 0) {
        return 0;
    }
    const std::uint8_t wahl = daten[0];
    const std::span<const std::uint8_t> zeile(daten + 1, groesse - 1);
    const char adresse = static_cast<char>('1' + (wahl >> 4) % 8);
    switch (wahl % 5) {
        case 0: {
            std::string id;
            if (device::IdAntwortDecodieren(zeile, adresse, id) == 0 &&
                (id.empty() || id.find(' ') != std::string::npos)) {
                __builtin_trap();
            }
            break;
        }
        case 1: {
            double v = 0;
            device::EingangAntwortDecodieren(zeile, adresse, 1 + (wahl >> 3) % 4, v);
            break;
        }
        case 2: {
            int w = -1;
            if (device::StatusAntwortDecodieren(zeile, adresse, 1 + (wahl >> 3) % 2, w) == 0 &&
                (w < 0 || w > 0xFF)) {
                __builtin_trap();
            }
            break;
        }
        case 3: {
            int m = -1;
            device::ModusAntwortDecodieren(zeile, adresse, m);
            break;
        }
        case 4: {
            // The length the line would have for its own size, so the data and
            // checksum paths are reached, and any other length.
            const int laenge =
                zeile.size() > 19 ? static_cast<int>((zeile.size() - 19) / 2) : 1 + wahl % 64;
            std::vector<std::uint8_t> d;
            if (device::SpeicherAntwortDecodieren(zeile, adresse, 4, 0, laenge, d) == 0 &&
                d.size() != static_cast<std::size_t>(laenge)) {
                __builtin_trap();
            }
            break;
        }
    }
    return 0;
}
