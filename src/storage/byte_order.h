#pragma once
// Field-by-field access to byte buffers. The program's files are little-endian
// and built by appending; the board's memory images are big-endian and built
// in a buffer of fixed size, so their fields are set in place. Neither is ever
// memcpy'd from a struct.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace storage {

// ---- little-endian, the program's files -----------------------------------------

inline void PutLE32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline void PutLE64(std::vector<std::uint8_t>& out, std::uint64_t v) {
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline void PutLEDouble(std::vector<std::uint8_t>& out, double v) {
    PutLE64(out, std::bit_cast<std::uint64_t>(v));
}

// Readers take the offset of the field; the caller has checked the length.
inline std::uint32_t GetLE32(std::span<const std::uint8_t> in, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | in[at + static_cast<std::size_t>(i)];
    return v;
}

inline std::uint64_t GetLE64(std::span<const std::uint8_t> in, std::size_t at) {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | in[at + static_cast<std::size_t>(i)];
    return v;
}

inline double GetLEDouble(std::span<const std::uint8_t> in, std::size_t at) {
    return std::bit_cast<double>(GetLE64(in, at));
}

// ---- big-endian, the board's memory images --------------------------------------

inline void SetBE16(std::span<std::uint8_t> out, std::size_t at, std::uint16_t v) {
    out[at] = static_cast<std::uint8_t>(v >> 8);
    out[at + 1] = static_cast<std::uint8_t>(v);
}

inline std::uint16_t GetBE16(std::span<const std::uint8_t> in, std::size_t at) {
    return static_cast<std::uint16_t>((in[at] << 8) | in[at + 1]);
}

}  // namespace storage
