#include "curves/transfer.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "curves/view.h"
#include "device/commands.h"
#include "device/serial_port.h"
#include "storage/byte_order.h"
#include "storage/c_numbers.h"
#include "storage/checksum.h"

namespace curves {

namespace {

// A board address as the offset into the bytes read from 0x1000.
constexpr std::size_t Versatz(std::size_t adresse) {
    return adresse - kSpeicherStart;
}

}  // namespace

// ---- the length check ---------------------------------------------------------------

Laengenpruefung KurvenlaengenPruefen() {
    Laengenpruefung p;
    std::vector<int> betrachtet;
    const int zahl = std::min(gKurvenzahl, kKurven);
    for (int i = 0; i < zahl; ++i) {
        if (gKurven[static_cast<std::size_t>(i)].geraden.size() > 1) {
            betrachtet.push_back(i);
        }
    }
    if (betrachtet.size() < 2) {
        return p;
    }
    // Durations are whole µs (ticks times whole tick lengths); compare them so.
    const auto ganz = [](int i) { return std::llround(Kurve_Dauer(i)); };
    const long long erste = ganz(betrachtet.front());
    for (int i : betrachtet) {
        if (ganz(i) != erste) {
            p.frage = true;
        }
    }
    if (!p.frage) {
        return p;
    }
    p.text = kLaengenFrageAnfang;
    for (int i : betrachtet) {
        p.text += "Kurve " + std::to_string(i + 1) + ": " +
                  storage::ZahlFest(Kurve_Dauer(i) / 1e6, 5) + " sek\n";
    }
    return p;
}

// ---- sending ----------------------------------------------------------------------------

int SpeicherabbildSenden(int port, char adresse, const Speicherabbild& abbild,
                         const Fortschritt& fortschritt) {
    if (!device::PortnummerGueltig(port)) {
        return kSendenOhnePort;
    }
    return device::SpeicherBlockweiseSchreiben(port, adresse, kSpeichertyp,
                                               static_cast<int>(kSpeicherStart),
                                               abbild.Sendebereich(), fortschritt);
}

Sendeergebnis KurvenSenden(int port, char adresse, const Fortschritt& fortschritt) {
    Sendeergebnis e;
    Speicherabbild abbild;
    try {
        if (!SpeicherabbildBauen(abbild)) {
            e.speicherVoll = true;
            return e;
        }
    } catch (const std::bad_alloc&) {
        // No site of its own: the image buffer is the read-back's too.
        e.code = kKeinSpeicherAbbild;
        return e;
    }
    e.code = SpeicherabbildSenden(port, adresse, abbild, fortschritt);
    return e;
}

Sendeergebnis KurvenSendenNachFrage(int antwort, int port, char adresse,
                                    const Fortschritt& fortschritt) {
    if (!AntwortSendet(antwort)) {
        return {};
    }
    return KurvenSenden(port, adresse, fortschritt);
}

// ---- reading back -------------------------------------------------------------------------

Speicherkopf KopfDecodieren(std::span<const std::uint8_t> kopf) {
    Speicherkopf k;
    k.pruefsumme = storage::GetBE16(kopf, Versatz(kKopfPruefsumme));
    for (std::size_t i = 0; i < kKurven; ++i) {
        k.endadresse[i] = storage::GetBE16(kopf, Versatz(kKopfEndadressen) + 2 * i);
        k.zyklen[i] = storage::GetBE16(kopf, Versatz(kKopfZyklen) + 2 * i);
        k.ruhezustand[i] = storage::GetBE16(kopf, Versatz(kKopfRuhezustand) + 2 * i);
    }
    k.kurvenzahl = kopf[Versatz(kKopfKurvenzahl)];
    return k;
}

int KurvenbereichPruefen(std::int64_t start, std::int64_t ende, std::int64_t speicherEnde) {
    if (start < static_cast<std::int64_t>(kDatenStart) || ende < start) {
        return kBereichUngueltig;
    }
    if (ende + 1 > static_cast<std::int64_t>(kSpeicherGroesse) || ende + 1 > speicherEnde) {
        return kBereichZuGross;
    }
    return 0;
}

Rueckgelesen SpeicherabbildDecodieren(std::span<const std::uint8_t> bild, int kurve) {
    Rueckgelesen r;
    if (bild.size() < kKopfGroesse) {
        r.code = kBereichZuGross;
        return r;
    }
    if (kurve < 0 || kurve >= kKurven) {
        r.code = kBereichUngueltig;
        return r;
    }
    r.kopf = KopfDecodieren(bild);
    const std::int64_t speicherEnde =
        static_cast<std::int64_t>(kSpeicherStart) + static_cast<std::int64_t>(bild.size());
    const std::int64_t ende1 = r.kopf.endadresse[0];
    if (ende1 < static_cast<std::int64_t>(kDatenStart)) {
        r.code = kKeineKurve;
        return r;
    }
    // The board's read gives exactly 0x1000 .. curve 1's end; fewer bytes
    // cannot be summed.
    if (ende1 + 1 > speicherEnde) {
        r.code = kBereichZuGross;
        return r;
    }
    const auto bei = [&](std::int64_t adresse) {
        return static_cast<std::size_t>(adresse - static_cast<std::int64_t>(kSpeicherStart));
    };
    const std::uint16_t summe =
        storage::Pruefsumme(bild.subspan(bei(kPruefsummeAb), bei(ende1 + 1) - bei(kPruefsummeAb)));
    if (summe != r.kopf.pruefsumme) {
        r.code = kPruefsummeFalsch;
        return r;
    }
    std::int64_t start = static_cast<std::int64_t>(kDatenStart);
    for (int k = 0; k < kurve; ++k) {
        start = static_cast<std::int64_t>(r.kopf.endadresse[static_cast<std::size_t>(k)]) + 1;
    }
    const std::int64_t ende = r.kopf.endadresse[static_cast<std::size_t>(kurve)];
    r.code = KurvenbereichPruefen(start, ende, speicherEnde);
    if (r.code != 0) {
        return r;
    }
    const std::span<const std::uint8_t> daten =
        bild.subspan(bei(start), static_cast<std::size_t>(ende - start + 1));
    try {
        r.geraden.reserve(daten.size() / 2);
    } catch (const std::bad_alloc&) {
        r.code = kKeinSpeicherGeraden;
        return r;
    }
    for (std::size_t i = 0; i + 1 < daten.size(); i += 2) {
        const std::uint16_t wort = storage::GetBE16(daten, i);
        if ((wort & 0x8000) != 0) {
            r.code = kWortUngueltig;
            r.geraden.clear();
            return r;
        }
        Gerade g;
        g.y = wort & 0x0FFF;
        g.laenge = 1;
        g.zeitbasis = static_cast<std::int8_t>(((wort & 0x7000) >> 12) + 1);
        r.geraden.push_back(g);
    }
    if (daten.size() % 2 != 0) {
        r.code = kUngeradeLaenge;
        r.geraden.clear();
    }
    return r;
}

namespace {

// Everything but what the read itself changes; the step after every read.
void NachDemLesen() {
    Kurvenpanel_Titel("");
    ZoomGesamtkurve();
}

int Lesen(int port, char adresse, const Fortschritt& fortschritt) {
    if (!device::PortnummerGueltig(port)) {
        return kLesenOhnePort;
    }
    std::vector<std::uint8_t> kopf;
    int code =
        device::ORVKAP1_SpeicherLesen(port, adresse, kSpeichertyp, static_cast<int>(kSpeicherStart),
                                      static_cast<int>(kKopfGroesse), kopf);
    if (code != 0) {
        return code;
    }
    if (kopf.size() < kKopfGroesse) {
        return kBereichZuGross;
    }
    const std::size_t ende1 = KopfDecodieren(kopf).endadresse[0];
    if (ende1 < kDatenStart) {
        return kKeineKurve;
    }
    std::vector<std::uint8_t> bild;
    try {
        bild.resize(ende1 + 1 - kSpeicherStart);
    } catch (const std::bad_alloc&) {
        return kKeinSpeicherAbbild;
    }
    code = device::SpeicherBlockweiseLesen(port, adresse, kSpeichertyp,
                                           static_cast<int>(kSpeicherStart), bild, fortschritt);
    if (code != 0) {
        return code;
    }
    Rueckgelesen r = SpeicherabbildDecodieren(bild, 0);
    if (r.code != 0) {
        return r.code;
    }
    // The decoded array becomes the curve's own: nothing left to allocate.
    Kurve& k = gKurven[0];
    k.geraden.swap(r.geraden);
    k.anzahl = static_cast<std::int32_t>(k.geraden.size());
    gZyklen[0] = r.kopf.zyklen[0];
    gRuhezustand[0] = r.kopf.ruhezustand[0];
    return 0;
}

}  // namespace

int KurvenLesen(int port, char adresse, const Fortschritt& fortschritt) {
    const int code = Lesen(port, adresse, fortschritt);
    NachDemLesen();
    return code;
}

}  // namespace curves
