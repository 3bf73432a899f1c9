#include "storage/read_file.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace storage {

namespace {

// Read in pieces, so a limit never allocates more than the file holds and a
// device or FIFO, whose size is unknown, reads to its end.
constexpr std::size_t kStueck = 64 * 1024;

template <typename Puffer>
Leseergebnis Lesen(const std::filesystem::path& pfad, Puffer& ziel, std::size_t hoechstens) {
    std::error_code ec;
    // A folder opens as a stream on some systems but is no file to read.
    if (std::filesystem::is_directory(pfad, ec))
        return Leseergebnis::NichtLesbar;
    std::ifstream in(pfad, std::ios::binary);
    if (!in)
        return Leseergebnis::NichtLesbar;
    Puffer daten;
    while (daten.size() < hoechstens) {
        const std::size_t bisher = daten.size();
        const std::size_t n = std::min(kStueck, hoechstens - bisher);
        daten.resize(bisher + n);
        in.read(reinterpret_cast<char*>(daten.data() + bisher), static_cast<std::streamsize>(n));
        const auto gelesen = static_cast<std::size_t>(in.gcount());
        daten.resize(bisher + gelesen);
        if (gelesen < n)
            break;
    }
    const bool abgebrochen = in.bad();
    ziel = std::move(daten);
    return abgebrochen ? Leseergebnis::Lesefehler : Leseergebnis::Ok;
}

}  // namespace

Leseergebnis DateiLesen(const std::filesystem::path& pfad, std::vector<std::uint8_t>& bytes,
                        std::size_t hoechstens) {
    return Lesen(pfad, bytes, hoechstens);
}

Leseergebnis DateiLesen(const std::filesystem::path& pfad, std::string& inhalt,
                        std::size_t hoechstens) {
    return Lesen(pfad, inhalt, hoechstens);
}

}  // namespace storage
