// The log's file and the local clock: the two places where the log meets the
// operating system.

#include <cerrno>
#include <chrono>
#include <ctime>
#include <utility>

#include "direct_io/log.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace direct_io {

namespace {

#ifdef _WIN32
int Oeffnen(const std::filesystem::path& datei) {
    return _wopen(datei.wstring().c_str(), _O_WRONLY | _O_APPEND | _O_CREAT | _O_BINARY,
                  _S_IREAD | _S_IWRITE);
}
long Schreibe(int fd, const char* p, std::size_t n) {
    return _write(fd, p, static_cast<unsigned>(n));
}
bool AufPlatte(int fd) {
    return _commit(fd) == 0;
}
void Zu(int fd) {
    _close(fd);
}
bool Ortszeit(std::time_t t, std::tm& tm) {
    return localtime_s(&tm, &t) == 0;
}
long long Laenge(int fd) {
    return _lseeki64(fd, 0, SEEK_END);
}
void Kuerzen(int fd, long long laenge) {
    _chsize_s(fd, laenge);
}
// An open file cannot be removed here, so it stays the one opened.
struct Kennung {
    bool Gleich(int, const std::filesystem::path&) const { return true; }
};
Kennung KennungVon(int) {
    return {};
}
#else
int Oeffnen(const std::filesystem::path& datei) {
    // A FIFO without a reader would hold the window until one came: refused
    // instead, like a file that cannot be opened; writing then blocks as usual.
    const int fd = ::open(datei.c_str(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
    if (fd >= 0)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}
long Schreibe(int fd, const char* p, std::size_t n) {
    return static_cast<long>(::write(fd, p, n));
}
bool AufPlatte(int fd) {
    // A device or pipe as the log (EINVAL) has nothing to bring to a disk.
    return ::fdatasync(fd) == 0 || errno == EINVAL;
}
void Zu(int fd) {
    ::close(fd);
}
bool Ortszeit(std::time_t t, std::tm& tm) {
    return localtime_r(&t, &tm) != nullptr;
}
long long Laenge(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}
void Kuerzen(int fd, long long laenge) {
    // A pipe or device cannot be cut back; it keeps what it got.
    [[maybe_unused]] const int r = ::ftruncate(fd, static_cast<off_t>(laenge));
}
// Which file the descriptor is: a log whose folder was removed, or that was
// replaced by another file, is still open but no longer on disk under its name.
struct Kennung {
    dev_t geraet = 0;
    ino_t knoten = 0;
    bool Gleich(int fd, const std::filesystem::path& datei) const {
        struct stat offen {};
        struct stat benannt {};
        return ::fstat(fd, &offen) == 0 && offen.st_nlink > 0 &&
               ::stat(datei.c_str(), &benannt) == 0 && benannt.st_dev == geraet &&
               benannt.st_ino == knoten;
    }
};
Kennung KennungVon(int fd) {
    struct stat st {};
    ::fstat(fd, &st);
    return {st.st_dev, st.st_ino};
}
#endif

// Unbuffered: every write reaches the operating system at once, so a full
// disk is reported by the write that meets it.
class Anhangdatei final : public Protokollziel {
  public:
    Anhangdatei(int fd, std::filesystem::path datei)
        : fd_(fd), datei_(std::move(datei)), kennung_(KennungVon(fd)), gesichert_(Laenge(fd)) {}
    ~Anhangdatei() override { Zu(fd_); }
    Anhangdatei(const Anhangdatei&) = delete;
    Anhangdatei& operator=(const Anhangdatei&) = delete;

    bool Schreiben(std::string_view bytes) override {
        if (!kennung_.Gleich(fd_, datei_)) {
            return false;
        }
        while (!bytes.empty()) {
            const long n = Schreibe(fd_, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }
    bool Sichern() override {
        if (!AufPlatte(fd_) || !kennung_.Gleich(fd_, datei_)) {
            return false;
        }
        gesichert_ = Laenge(fd_);
        return true;
    }
    void Verwerfen() override {
        if (gesichert_ >= 0 && Laenge(fd_) > gesichert_) {
            Kuerzen(fd_, gesichert_);
        }
    }

  private:
    int fd_;
    std::filesystem::path datei_;
    Kennung kennung_;
    // The length up to the last whole line on disk (-1: not known, as for a pipe).
    long long gesichert_;
};

std::tm Jetzt() {
    std::tm tm{};
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    if (!Ortszeit(t, tm)) {
        tm = std::tm{};
    }
    return tm;
}

}  // namespace

std::unique_ptr<Protokollziel> DateiAnhaengen(const std::filesystem::path& datei) {
    std::error_code ec;
    // A folder opens on some systems; it is no log.
    if (std::filesystem::is_directory(datei, ec)) {
        return nullptr;
    }
    const int fd = Oeffnen(datei);
    if (fd < 0) {
        return nullptr;
    }
    return std::make_unique<Anhangdatei>(fd, datei);
}

Datum SystemDatum() {
    const std::tm tm = Jetzt();
    return {tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900};
}

Uhrzeit SystemUhrzeit() {
    const std::tm tm = Jetzt();
    return {tm.tm_hour, tm.tm_min, tm.tm_sec};
}

}  // namespace direct_io
