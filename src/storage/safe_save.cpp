#include "storage/safe_save.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace storage {
namespace fs = std::filesystem;
namespace {

// Paths on Windows are UTF-16; the narrow C library would lose umlauts.
std::FILE* Oeffnen(const fs::path& pfad, const char* modus) {
#ifdef _WIN32
    const std::string m(modus);
    return _wfopen(pfad.wstring().c_str(), std::wstring(m.begin(), m.end()).c_str());
#else
    return std::fopen(pfad.c_str(), modus);
#endif
}

// Opening the target for update (or creating and removing it) tells before any
// work whether the folder and the file let us write.
bool ZielSchreibbar(const fs::path& ziel) {
    std::error_code ec;
    if (fs::exists(ziel, ec)) {
        std::FILE* f = Oeffnen(ziel, "r+b");
        if (!f)
            return false;
        std::fclose(f);
        return true;
    }
    std::FILE* f = Oeffnen(ziel, "wb");
    if (!f)
        return false;
    std::fclose(f);
    fs::remove(ziel, ec);
    return true;
}

#ifdef _WIN32
bool SchreibenUndSichern(const fs::path& pfad, std::string_view inhalt) {
    std::FILE* f = _wfopen(pfad.wstring().c_str(), L"wbc");  // 'c': fflush commits to disk
    if (!f)
        return false;
    bool ok = std::fwrite(inhalt.data(), 1, inhalt.size(), f) == inhalt.size();
    ok = std::fflush(f) == 0 && ok;
    ok = _commit(_fileno(f)) == 0 && ok;
    return std::fclose(f) == 0 && ok;
}

bool Ersetzen(const fs::path& temp, const fs::path& ziel) {
    return MoveFileExW(temp.wstring().c_str(), ziel.wstring().c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
#else
bool SchreibenUndSichern(const fs::path& pfad, std::string_view inhalt) {
    // O_EXCL: the name was free a moment ago; never write into someone else's file.
    const int fd = ::open(pfad.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    bool ok = true;
    const char* p = inhalt.data();
    std::size_t rest = inhalt.size();
    while (ok && rest > 0) {
        const ssize_t n = ::write(fd, p, rest);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        p += n;
        rest -= static_cast<std::size_t>(n);
    }
    ok = ok && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

bool Ersetzen(const fs::path& temp, const fs::path& ziel) {
    if (std::rename(temp.c_str(), ziel.c_str()) != 0)
        return false;
    // The rename itself reaches the disk with the folder's entry.
    const fs::path ordner = ziel.has_parent_path() ? ziel.parent_path() : fs::path(".");
    const int dfd = ::open(ordner.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}
#endif

}  // namespace

Temporaername StandardTemporaername(const fs::path& ziel) {
    return Temporaername{ziel.filename().string() + "$", ".TMP"};
}

Speicherergebnis SicherSchreiben(const fs::path& ziel, std::string_view inhalt,
                                 const Temporaername& temp) {
    if (!ZielSchreibbar(ziel))
        return Speicherergebnis::NichtSchreibbar;

    const fs::path ordner = ziel.parent_path();
    fs::path tempPfad;
    std::error_code ec;
    for (int n = 0; n < 1000; ++n) {
        fs::path kandidat = ordner / (temp.vorsilbe + std::to_string(n) + temp.endung);
        if (!fs::exists(kandidat, ec)) {
            tempPfad = std::move(kandidat);
            break;
        }
    }
    if (tempPfad.empty())
        return Speicherergebnis::KeinTemporaername;

    if (!SchreibenUndSichern(tempPfad, inhalt)) {
        fs::remove(tempPfad, ec);
        return Speicherergebnis::SchreibFehler;
    }
    if (!Ersetzen(tempPfad, ziel)) {
        fs::remove(tempPfad, ec);
        return Speicherergebnis::UmbenennFehler;
    }
    return Speicherergebnis::Ok;
}

}  // namespace storage
