#include "storage/checksum.h"

namespace storage {

std::uint16_t Pruefsumme(std::span<const std::uint8_t> bytes) {
    std::uint32_t summe = 1;
    for (std::uint8_t b : bytes)
        summe += b;
    return static_cast<std::uint16_t>(summe);
}

}  // namespace storage
