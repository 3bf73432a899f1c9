#include "device/line_settings.h"

#ifdef __linux__
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif
#ifndef _WIN32
#include <unistd.h>

#include <string_view>
#endif

namespace device {

int LeitungEinstellen(Leitungssteller& s, const Leitungseinstellung& e, bool pseudoterminal) {
    // Each call is made even after a refusal, so a tolerated refusal does not
    // leave the later settings unset.
    bool ok = s.Baud(e.baud);
    ok = s.Datenbits(e.datenbits) && ok;
    ok = s.Paritaet(e.paritaet) && ok;
    ok = s.Stoppbits(e.stoppbits) && ok;
    ok = s.OhneFlusssteuerung() && ok;
    return ok || pseudoterminal ? 0 : SerialPort::kFehler;
}

bool IstPseudoterminal(int fd) {
#ifdef _WIN32
    (void)fd;
    return false;
#else
#ifdef __linux__
    // Majors 136..143 are the terminal sides of Unix98 pseudo-terminals.
    struct stat s {};
    if (::fstat(fd, &s) == 0 && S_ISCHR(s.st_mode)) {
        const unsigned m = major(s.st_rdev);
        if (m >= 136 && m <= 143)
            return true;
    }
#endif
    const char* name = ::ttyname(fd);
    return name && std::string_view(name).starts_with("/dev/pts/");
#endif
}

}  // namespace device
