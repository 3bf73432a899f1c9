#pragma once
// Safe saving: the new contents go to a temporary file in the target's folder,
// are flushed to disk, and the temporary file is renamed over the target. A
// failed or interrupted save leaves the old file as it was.
//
// The save follows the operator's target rather than its name: a symbolic link
// is saved through (the file it points at is replaced, the link stays), an
// existing file keeps its permissions and, where the process may, its owner,
// and a device or FIFO is written straight into, never replaced by a file. A
// folder is refused like a target that cannot be opened. A file that may be
// written in a folder that may not takes the new contents in place, its new
// length reserved first so that a full disk refuses the save beforehand.

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
    // Numbered temporary names <vorsilbe><n><endung> for n = 0..999, the first free one.
    std::string vorsilbe;
    std::string endung = ".TMP";
};

// Through a temporary name of its own, "<file name>$<unique part>.TMP" beside
// the file (the file name cut where the whole would pass the folder's name
// limit): leftovers of killed saves never block a later save, and a later
// save removes those an hour old.
Speicherergebnis SicherSchreiben(const std::filesystem::path& ziel, std::string_view inhalt);

// Through the first free numbered temporary name (a file whose format fixes it).
Speicherergebnis SicherSchreiben(const std::filesystem::path& ziel, std::string_view inhalt,
                                 const Temporaername& temp);

}  // namespace storage
