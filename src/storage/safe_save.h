#pragma once
// Safe saving: the new contents go to a temporary file in the target's folder,
// are flushed to disk, and the temporary file is renamed over the target. A
// failed or interrupted save leaves the old file as it was.

#include <filesystem>
#include <string>
#include <string_view>

namespace storage {

enum class Speicherergebnis {
    Ok,
    NichtSchreibbar,    // the target can be neither opened for writing nor created
    KeinTemporaername,  // every temporary name is taken
    SchreibFehler,      // writing or flushing the temporary file failed
    UmbenennFehler      // the temporary file could not replace the target
};

struct Temporaername {
    // Temporary names are <vorsilbe><n><endung> for n = 0..999, the first free one.
    std::string vorsilbe;
    std::string endung = ".TMP";
};

// The default temporary name is "<file name>$<n>.TMP" beside the target.
Temporaername StandardTemporaername(const std::filesystem::path& ziel);

Speicherergebnis SicherSchreiben(const std::filesystem::path& ziel, std::string_view inhalt,
                                 const Temporaername& temp);

inline Speicherergebnis SicherSchreiben(const std::filesystem::path& ziel,
                                        std::string_view inhalt) {
    return SicherSchreiben(ziel, inhalt, StandardTemporaername(ziel));
}

}  // namespace storage
