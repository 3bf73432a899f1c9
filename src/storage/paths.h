#pragma once
// Paths as the program's texts, which are UTF-8 everywhere. On Windows a
// path's narrow form (path::string(), path(std::string)) is the system's ANSI
// code page: "Messung ä€.skr" made from UTF-8 bytes would name another file,
// and a name back from it would show garbled in a window title. These two go
// through UTF-8 on every system.

#include <filesystem>
#include <string>
#include <string_view>

namespace storage {

inline std::string PfadAlsText(const std::filesystem::path& pfad) {
    const std::u8string text = pfad.u8string();
    return {text.begin(), text.end()};
}

inline std::filesystem::path PfadAusText(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace storage
