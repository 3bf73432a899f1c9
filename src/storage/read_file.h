#pragma once
// Reading a file whole, or its first bytes up to a limit, for every loader of
// the program: the settings file, configuration files, curve files and text
// imports.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

namespace storage {

enum class Leseergebnis {
    Ok,
    NichtLesbar,  // missing, a folder, or not to be opened; the buffer is untouched
    Lesefehler    // reading broke off; the buffer holds what came before
};

inline constexpr std::size_t kGanzeDatei = std::numeric_limits<std::size_t>::max();

// At most `hoechstens` bytes from the start of the file; a shorter file gives
// all it holds. A failed allocation throws std::bad_alloc, for the caller to
// turn into its own code.
Leseergebnis DateiLesen(const std::filesystem::path& pfad, std::vector<std::uint8_t>& bytes,
                        std::size_t hoechstens = kGanzeDatei);
Leseergebnis DateiLesen(const std::filesystem::path& pfad, std::string& inhalt,
                        std::size_t hoechstens = kGanzeDatei);

}  // namespace storage
