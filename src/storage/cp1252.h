#pragma once
// Windows-1252 at rest, UTF-8 in memory.

#include <optional>
#include <string>
#include <string_view>

namespace storage {

// Every byte has a character: the five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, as
// Windows does, so any file text survives a round trip.
std::string Cp1252ZuUtf8(std::string_view cp1252);

// nullopt when the text holds a character Windows-1252 cannot hold, or is not
// valid UTF-8.
std::optional<std::string> Utf8ZuCp1252(std::string_view utf8);

// As above, but a character that cannot be held becomes '?'.
std::string Utf8ZuCp1252Ersetzt(std::string_view utf8);

bool IstCp1252Darstellbar(std::string_view utf8);

// The UTF-8 text cut to at most `zeichen` Windows-1252 characters, never
// inside a character ("µA" counts two).
std::string Utf8Kuerzen(std::string_view utf8, std::size_t zeichen);

}  // namespace storage
