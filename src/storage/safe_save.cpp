#include "storage/safe_save.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace storage {
namespace fs = std::filesystem;
namespace {

// What is found at the path a save is going to.
enum class Zielart { Fehlt, Datei, Ordner, Geraet };

enum class Anlage { Ok, Belegt, Fehler };

// Links inside a chain this long are a loop.
constexpr int kLinkTiefe = 40;
// Random names that collide this often in a row mean the folder is not ours to write.
constexpr int kZufallsVersuche = 100;
constexpr int kNummern = 1000;
// A temporary's name is the target's name, "$", this many random characters and ".TMP".
constexpr std::size_t kZufallsLaenge = 10;
constexpr std::string_view kTempEndung = ".TMP";
constexpr std::size_t kTempZusatz = 1 + kZufallsLaenge + kTempEndung.size();
// The longest name a folder takes where it cannot be asked.
constexpr std::size_t kNamensGrenze = 255;
// A temporary untouched this long belongs to a save that was killed.
constexpr auto kRestAlter = std::chrono::hours(1);

// The file a chain of symbolic links ends at (a dangling link ends at the
// file it would create); nothing for a loop or an unreadable link.
std::optional<fs::path> LinksAufloesen(fs::path pfad) {
    for (int tiefe = 0; tiefe < kLinkTiefe; ++tiefe) {
        std::error_code ec;
        if (!fs::is_symlink(pfad, ec))
            return pfad;
        const fs::path weiter = fs::read_symlink(pfad, ec);
        if (ec)
            return std::nullopt;
        pfad = weiter.is_absolute() ? weiter : pfad.parent_path() / weiter;
    }
    return std::nullopt;
}

Zielart ArtVon(const fs::path& pfad) {
    std::error_code ec;
    const fs::file_status s = fs::status(pfad, ec);
    switch (s.type()) {
        case fs::file_type::not_found:
            return Zielart::Fehlt;
        case fs::file_type::regular:
            return Zielart::Datei;
        case fs::file_type::directory:
            return Zielart::Ordner;
        default:
            // A status that cannot be read at all is left to the opening to judge.
            return ec ? Zielart::Fehlt : Zielart::Geraet;
    }
}

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
bool ZielSchreibbar(const fs::path& ziel, Zielart art) {
    std::error_code ec;
#ifdef _WIN32
    // A read-only file is not to be replaced: checked by its attribute, as an
    // administrator's open succeeds all the same and the rename would follow.
    if (art == Zielart::Datei) {
        const DWORD attribute = GetFileAttributesW(ziel.wstring().c_str());
        if (attribute != INVALID_FILE_ATTRIBUTES && (attribute & FILE_ATTRIBUTE_READONLY))
            return false;
    }
#endif
    if (art == Zielart::Datei) {
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
Anlage TempAnlegen(const fs::path& pfad, int& fd) {
    fd = _wopen(pfad.wstring().c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                _S_IREAD | _S_IWRITE);
    if (fd >= 0)
        return Anlage::Ok;
    return errno == EEXIST ? Anlage::Belegt : Anlage::Fehler;
}

bool AllesSchreiben(int fd, std::string_view inhalt) {
    const char* p = inhalt.data();
    std::size_t rest = inhalt.size();
    while (rest > 0) {
        const unsigned stueck = rest > 1u << 30 ? 1u << 30 : static_cast<unsigned>(rest);
        const int n = _write(fd, p, stueck);
        if (n <= 0)
            return false;
        p += n;
        rest -= static_cast<std::size_t>(n);
    }
    return true;
}

bool Sichern(int fd) {
    return _commit(fd) == 0;
}

bool Schliessen(int fd) {
    return _close(fd) == 0;
}

void AttributeUebernehmen(int, const fs::path&) {}

int GeraetOeffnen(const fs::path& pfad) {
    return _wopen(pfad.wstring().c_str(), _O_WRONLY | _O_BINARY);
}

std::size_t NamensGrenze(const fs::path&) {
    return kNamensGrenze;
}

int UeberschreibenOeffnen(const fs::path& pfad) {
    return _wopen(pfad.wstring().c_str(), _O_WRONLY | _O_BINARY);
}

// Growing the file to the new length takes the space before anything is overwritten.
bool Reservieren(int fd, std::size_t laenge) {
    const long long alt = _lseeki64(fd, 0, SEEK_END);
    const bool ok = alt >= 0 && (static_cast<long long>(laenge) <= alt ||
                                 _chsize_s(fd, static_cast<long long>(laenge)) == 0);
    return _lseeki64(fd, 0, SEEK_SET) == 0 && ok;
}

bool Kuerzen(int fd, std::size_t laenge) {
    return _chsize_s(fd, static_cast<long long>(laenge)) == 0;
}

bool Ersetzen(const fs::path& temp, const fs::path& ziel) {
    return MoveFileExW(temp.wstring().c_str(), ziel.wstring().c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
#else
Anlage TempAnlegen(const fs::path& pfad, int& fd) {
    // O_EXCL: never write into someone else's file, whatever the name.
    fd = ::open(pfad.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0)
        return Anlage::Ok;
    return errno == EEXIST ? Anlage::Belegt : Anlage::Fehler;
}

bool AllesSchreiben(int fd, std::string_view inhalt) {
    const char* p = inhalt.data();
    std::size_t rest = inhalt.size();
    while (rest > 0) {
        const ssize_t n = ::write(fd, p, rest);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        rest -= static_cast<std::size_t>(n);
    }
    return true;
}

bool Sichern(int fd) {
    return ::fsync(fd) == 0;
}

bool Schliessen(int fd) {
    return ::close(fd) == 0;
}

// The replacement looks to others as the old file did. Only root may give a
// file away; group alone is tried when the owner cannot be kept. The mode is
// set last, as changing the owner clears set-id bits.
void AttributeUebernehmen(int fd, const fs::path& alt) {
    struct stat s {};
    if (::stat(alt.c_str(), &s) != 0)
        return;
    if (::fchown(fd, s.st_uid, s.st_gid) != 0) {
        // The owner stays the saver's; the contents matter more.
        [[maybe_unused]] const int r = ::fchown(fd, static_cast<uid_t>(-1), s.st_gid);
    }
    ::fchmod(fd, s.st_mode & 07777);
}

// A FIFO without a reader would block the save for good: refused instead.
int GeraetOeffnen(const fs::path& pfad) {
    const int fd = ::open(pfad.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

std::size_t NamensGrenze(const fs::path& ordner) {
    const long n = ::pathconf(ordner.empty() ? "." : ordner.c_str(), _PC_NAME_MAX);
    return n > 0 ? static_cast<std::size_t>(n) : kNamensGrenze;
}

int UeberschreibenOeffnen(const fs::path& pfad) {
    return ::open(pfad.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
}

bool Reservieren(int fd, std::size_t laenge) {
    return laenge == 0 || ::posix_fallocate(fd, 0, static_cast<off_t>(laenge)) == 0;
}

bool Kuerzen(int fd, std::size_t laenge) {
    return ::ftruncate(fd, static_cast<off_t>(laenge)) == 0;
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

// A device or FIFO takes the bytes as they come; there is no old contents to keep.
Speicherergebnis DirektSchreiben(const fs::path& ziel, std::string_view inhalt) {
    const int fd = GeraetOeffnen(ziel);
    if (fd < 0)
        return Speicherergebnis::NichtSchreibbar;
    const bool ok = AllesSchreiben(fd, inhalt);
    return Schliessen(fd) && ok ? Speicherergebnis::Ok : Speicherergebnis::SchreibFehler;
}

// A file that can be written in a folder that cannot takes the new contents in
// place. The new length is reserved first, so a full disk refuses the save
// while the old contents are still whole.
Speicherergebnis AnOrtSchreiben(const fs::path& ziel, std::string_view inhalt) {
    const int fd = UeberschreibenOeffnen(ziel);
    if (fd < 0)
        return Speicherergebnis::NichtSchreibbar;
    bool ok = Reservieren(fd, inhalt.size()) && AllesSchreiben(fd, inhalt) &&
              Kuerzen(fd, inhalt.size()) && Sichern(fd);
    ok = Schliessen(fd) && ok;
    return ok ? Speicherergebnis::Ok : Speicherergebnis::SchreibFehler;
}

std::string ZufallsTeil() {
    static std::random_device zufall;
    static std::mt19937_64 folge(zufall());
    static const char* const kZiffern = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string teil;
    for (std::uint64_t z = folge(); teil.size() < kZufallsLaenge; z /= 36)
        teil.push_back(kZiffern[z % 36]);
    return teil;
}

bool IstZufallsZeichen(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z');
}

std::string Utf8Name(const fs::path& pfad) {
    const std::u8string name = pfad.filename().u8string();
    return {name.begin(), name.end()};
}

// What a temporary's name starts with: the target's name, cut (never inside a
// character) so that the whole temporary name stays within the folder's limit.
std::string TempVorsilbe(const fs::path& ziel) {
    std::string name = Utf8Name(ziel);
    const std::size_t grenze = NamensGrenze(ziel.parent_path());
    const std::size_t platz = grenze > kTempZusatz ? grenze - kTempZusatz : 0;
    if (name.size() > platz) {
        std::size_t n = platz;
        while (n > 0 && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80)
            --n;
        name.resize(n);
    }
    return name;
}

fs::path TempPfad(const fs::path& ordner, const std::string& vorsilbe) {
    const std::string name = vorsilbe + "$" + ZufallsTeil() + std::string(kTempEndung);
    return ordner / fs::path(std::u8string(name.begin(), name.end()));
}

bool IstEigenerRest(const std::string& name, const std::string& vorsilbe) {
    if (name.size() != vorsilbe.size() + kTempZusatz || !name.starts_with(vorsilbe) ||
        name[vorsilbe.size()] != '$' || !name.ends_with(kTempEndung))
        return false;
    const auto anfang = name.begin() + static_cast<std::ptrdiff_t>(vorsilbe.size() + 1);
    return std::all_of(anfang, anfang + kZufallsLaenge, IstZufallsZeichen);
}

// Temporaries of saves of this target that were killed part-way would stay for
// ever; one untouched for an hour is no save still running.
void AlteResteEntfernen(const fs::path& ordner, const std::string& vorsilbe) {
    const auto grenze = fs::file_time_type::clock::now() - kRestAlter;
    std::error_code ec;
    fs::directory_iterator it(ordner.empty() ? fs::path(".") : ordner, ec);
    for (; !ec && it != fs::directory_iterator{}; it.increment(ec)) {
        const fs::path& p = it->path();
        std::error_code e;
        if (!IstEigenerRest(Utf8Name(p), vorsilbe) ||
            !fs::is_regular_file(fs::symlink_status(p, e)))
            continue;
        const auto zeit = fs::last_write_time(p, e);
        if (!e && zeit < grenze)
            fs::remove(p, e);
    }
}

// Creates the temporary file: the numbered names in order, or random names.
Anlage TempFinden(const fs::path& ordner, const Temporaername* nummeriert,
                  const std::string& vorsilbe, fs::path& temp, int& fd) {
    const int versuche = nummeriert ? kNummern : kZufallsVersuche;
    for (int n = 0; n < versuche; ++n) {
        temp = nummeriert ? ordner / (nummeriert->vorsilbe + std::to_string(n) + nummeriert->endung)
                          : TempPfad(ordner, vorsilbe);
        const Anlage a = TempAnlegen(temp, fd);
        if (a != Anlage::Belegt)
            return a;
    }
    return Anlage::Belegt;
}

// The temporary is written, flushed and renamed over the target; a failure removes it.
Speicherergebnis UeberTempSchreiben(const fs::path& ziel, Zielart art, std::string_view inhalt,
                                    const fs::path& temp, int fd) {
    if (art == Zielart::Datei)
        AttributeUebernehmen(fd, ziel);
    bool ok = AllesSchreiben(fd, inhalt);
    ok = ok && Sichern(fd);
    ok = Schliessen(fd) && ok;
    std::error_code ec;
    if (!ok) {
        fs::remove(temp, ec);
        return Speicherergebnis::SchreibFehler;
    }
    if (!Ersetzen(temp, ziel)) {
        fs::remove(temp, ec);
        return Speicherergebnis::UmbenennFehler;
    }
    return Speicherergebnis::Ok;
}

Speicherergebnis Speichern(const fs::path& ziel, std::string_view inhalt,
                           const Temporaername* nummeriert) {
    const std::optional<fs::path> echt = LinksAufloesen(ziel);
    if (!echt)
        return Speicherergebnis::NichtSchreibbar;
    const Zielart art = ArtVon(*echt);
    if (art == Zielart::Ordner)
        return Speicherergebnis::NichtSchreibbar;
    if (art == Zielart::Geraet)
        return DirektSchreiben(*echt, inhalt);
    if (!ZielSchreibbar(*echt, art))
        return Speicherergebnis::NichtSchreibbar;

    const fs::path ordner = echt->parent_path();
    const std::string vorsilbe = nummeriert ? std::string() : TempVorsilbe(*echt);
    if (!nummeriert)
        AlteResteEntfernen(ordner, vorsilbe);
    fs::path temp;
    int fd = -1;
    switch (TempFinden(ordner, nummeriert, vorsilbe, temp, fd)) {
        case Anlage::Ok:
            return UeberTempSchreiben(*echt, art, inhalt, temp, fd);
        case Anlage::Belegt:
            return Speicherergebnis::KeinTemporaername;
        case Anlage::Fehler:
            break;
    }
    return art == Zielart::Datei ? AnOrtSchreiben(*echt, inhalt) : Speicherergebnis::SchreibFehler;
}

}  // namespace

Speicherergebnis SicherSchreiben(const fs::path& ziel, std::string_view inhalt) {
    return Speichern(ziel, inhalt, nullptr);
}

Speicherergebnis SicherSchreiben(const fs::path& ziel, std::string_view inhalt,
                                 const Temporaername& temp) {
    return Speichern(ziel, inhalt, &temp);
}

}  // namespace storage
