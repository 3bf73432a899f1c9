#include "storage/cp1252.h"

#include <array>
#include <cstdint>

namespace storage {
namespace {

// Code points of the bytes 0x80..0x9F; the rest of the range equals Latin-1.
constexpr std::array<char32_t, 32> kC1 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Decodes one UTF-8 character at `i`; returns false on a malformed sequence.
bool NextCodePoint(std::string_view s, std::size_t& i, char32_t& cp) {
    const auto b0 = static_cast<std::uint8_t>(s[i]);
    int len = 0;
    if (b0 < 0x80) {
        cp = b0;
        len = 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        cp = b0 & 0x1F;
        len = 2;
    } else if ((b0 & 0xF0) == 0xE0) {
        cp = b0 & 0x0F;
        len = 3;
    } else if ((b0 & 0xF8) == 0xF0) {
        cp = b0 & 0x07;
        len = 4;
    } else {
        return false;
    }
    if (i + static_cast<std::size_t>(len) > s.size())
        return false;
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<std::uint8_t>(s[i + static_cast<std::size_t>(k)]);
        if ((b & 0xC0) != 0x80)
            return false;
        cp = (cp << 6) | (b & 0x3F);
    }
    i += static_cast<std::size_t>(len);
    return true;
}

std::optional<std::uint8_t> ToCp1252Byte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<std::uint8_t>(cp);
    for (std::size_t k = 0; k < kC1.size(); ++k) {
        if (kC1[k] == cp)
            return static_cast<std::uint8_t>(0x80 + k);
    }
    return std::nullopt;
}

}  // namespace

std::string Cp1252ZuUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size());
    for (char c : cp1252) {
        const auto b = static_cast<std::uint8_t>(c);
        AppendUtf8(out, (b >= 0x80 && b < 0xA0) ? kC1[b - 0x80] : char32_t{b});
    }
    return out;
}

std::optional<std::string> Utf8ZuCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        if (!NextCodePoint(utf8, i, cp))
            return std::nullopt;
        const auto b = ToCp1252Byte(cp);
        if (!b)
            return std::nullopt;
        out.push_back(static_cast<char>(*b));
    }
    return out;
}

std::string Utf8ZuCp1252Ersetzt(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        if (!NextCodePoint(utf8, i, cp)) {
            out.push_back('?');
            ++i;
            continue;
        }
        const auto b = ToCp1252Byte(cp);
        out.push_back(b ? static_cast<char>(*b) : '?');
    }
    return out;
}

bool IstCp1252Darstellbar(std::string_view utf8) {
    return Utf8ZuCp1252(utf8).has_value();
}

std::string Utf8Kuerzen(std::string_view utf8, std::size_t zeichen) {
    std::size_t i = 0;
    for (std::size_t n = 0; n < zeichen && i < utf8.size(); ++n) {
        std::size_t j = i;
        char32_t cp = 0;
        if (!NextCodePoint(utf8, j, cp))
            j = i + 1;
        i = j;
    }
    return std::string(utf8.substr(0, i));
}

}  // namespace storage
