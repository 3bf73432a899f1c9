#include "device/memory_transfer.h"

#include <algorithm>
#include <vector>

#include "device/commands.h"

namespace device {

namespace {

void Melden(const Fortschritt& fortschritt, int prozent) {
    if (fortschritt)
        fortschritt(prozent);
}

// Runs `stueck(ab, n)` for each piece, `ab` counted from `start`; the first
// non-zero code ends it.
template <typename Stueck>
int Stueckweise(int start, std::size_t gesamt, const Fortschritt& fortschritt, Seitengrenzen seiten,
                Stueck stueck) {
    Melden(fortschritt, 0);
    std::size_t ab = 0;
    while (ab < gesamt) {
        const std::size_t n =
            Stueckgroesse(static_cast<std::size_t>(start) + ab, gesamt - ab, seiten);
        if (const int code = stueck(ab, n); code != 0)
            return code;
        ab += n;
        Melden(fortschritt, static_cast<int>(ab * 100 / gesamt));
    }
    return 0;
}

}  // namespace

std::size_t Stueckgroesse(std::size_t adresse, std::size_t rest, Seitengrenzen seiten) {
    const std::size_t bisSeitenende = kSeitengroesse - adresse % kSeitengroesse;
    const std::size_t grenze = seiten == Seitengrenzen::Einhalten ? bisSeitenende : kStueckMax;
    return std::min({rest, kStueckMax, grenze});
}

int SpeicherBlockweiseSchreiben(int port, char adresse, int typ, int start,
                                std::span<const std::uint8_t> daten, const Fortschritt& fortschritt,
                                Seitengrenzen seiten) {
    return Stueckweise(
        start, daten.size(), fortschritt, seiten, [&](std::size_t ab, std::size_t n) {
            return ORVKAP1_SpeicherSchreiben(port, adresse, typ, start + static_cast<int>(ab),
                                             static_cast<int>(n), daten.subspan(ab, n));
        });
}

int SpeicherBlockweiseLesen(int port, char adresse, int typ, int start,
                            std::span<std::uint8_t> ziel, const Fortschritt& fortschritt,
                            Seitengrenzen seiten) {
    std::vector<std::uint8_t> stueck;
    return Stueckweise(start, ziel.size(), fortschritt, seiten, [&](std::size_t ab, std::size_t n) {
        const int code = ORVKAP1_SpeicherLesen(port, adresse, typ, start + static_cast<int>(ab),
                                               static_cast<int>(n), stueck);
        if (code == 0)
            std::copy_n(stueck.begin(), std::min(n, stueck.size()),
                        ziel.begin() + static_cast<std::ptrdiff_t>(ab));
        return code;
    });
}

}  // namespace device
