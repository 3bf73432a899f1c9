#pragma once
// The board's 16-bit checksum: 1 plus the sum of the bytes, modulo 65536 (an
// empty block gives 0x0001). The memory commands' frames carry it, and so do
// the images the program keeps in board memory.

#include <cstdint>
#include <span>

namespace storage {

std::uint16_t Pruefsumme(std::span<const std::uint8_t> bytes);

}  // namespace storage
