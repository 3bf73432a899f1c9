#include "characteristic/model.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "config/model.h"
#include "editor/sampling.h"
#include "storage/byte_order.h"
#include "storage/checksum.h"

namespace characteristic {

Kennlinie gKennlinie;
bool gKennlinieGeaendert = false;
std::string gKennliniendatei;
double gKennlAnsichtStart = 0.0;
double gKennlAnsichtEnde = kAnsichtLaenge - 1.0;
double gKennlMarkierungStart = 0.0;
double gKennlMarkierungEnde = -1.0;
bool gKennlMarkierungAktiv = false;
bool gKennlMarkierungNeu = true;
bool gKennlVerschiebenNeu = true;
int gKennlVerschiebePunkt = 0;
int gKennlDarstellung = 3;
std::int32_t gKennlYZoomMin = 0;
std::int32_t gKennlYZoomMax = kMaxRoh;
std::array<UndoSchritt, editor::kUndoSchritte> gKennlUndoRing;
int gKennlUndoAnzahl = 0;
int gKennlRedoAnzahl = 0;
int gKennlUndoPosition = 0;

Kennlinie Startkennlinie() {
    return Kennlinie{};
}

Felder StartFelder() {
    return Felder{config::EingangRohZuAnzeige(1, 0.0), kStartAnstiegszeit};
}

int KennlinienInit() {
    try {
        gKennlinie = Startkennlinie();
        for (UndoSchritt& s : gKennlUndoRing)
            s = UndoSchritt{1, Startkennlinie().geraden};
        gKennliniendatei.clear();
    } catch (const std::bad_alloc&) {
        return -600502;
    }
    gKennlinieGeaendert = false;
    gKennlAnsichtStart = 0.0;
    gKennlAnsichtEnde = kAnsichtLaenge - 1.0;
    gKennlMarkierungStart = 0.0;
    gKennlMarkierungEnde = -1.0;
    gKennlMarkierungAktiv = false;
    gKennlMarkierungNeu = true;
    gKennlVerschiebenNeu = true;
    gKennlVerschiebePunkt = 0;
    gKennlDarstellung = 3;
    gKennlYZoomMin = 0;
    gKennlYZoomMax = kMaxRoh;
    gKennlUndoAnzahl = 0;
    gKennlRedoAnzahl = 0;
    gKennlUndoPosition = 0;
    return 0;
}

void DarstellungSetzen(int wert) {
    gKennlDarstellung = (wert >= 1 && wert <= 3) ? wert : 3;
}

editor::Ansicht Kennlinienansicht() {
    return editor::Ansicht(gKennlAnsichtStart, gKennlAnsichtEnde);
}

editor::Markierung Kennlinienmarkierung() {
    return editor::Markierung(gKennlMarkierungStart, gKennlMarkierungEnde, gKennlMarkierungAktiv);
}

editor::UndoRing<Gerade> Kennlinienundo() {
    return editor::UndoRing<Gerade>(gKennlUndoRing, gKennlUndoAnzahl, gKennlRedoAnzahl,
                                    gKennlUndoPosition);
}

// ---- positions -------------------------------------------------------------------

double Kennlinie_PunktX(const Kennlinie& k, int i) {
    return editor::PunktX(k.geraden, i, Laenge);
}

double Kennlinie_PunktX(int i) {
    return Kennlinie_PunktX(gKennlinie, i);
}

int Kennlinie_GeradeBeiX(const Kennlinie& k, double x) {
    return editor::GeradeBeiX(k.geraden, x, Laenge);
}

int Kennlinie_GeradeBeiX(double x) {
    return Kennlinie_GeradeBeiX(gKennlinie, x);
}

// ---- sampling ----------------------------------------------------------------------

void Kennlinie_GeradeAbtasten(const Kennlinie& k, int i, std::vector<int>& werte, std::int64_t von,
                              std::int64_t bis) {
    const auto n = static_cast<int>(k.geraden.size());
    const Gerade& g = k.geraden[static_cast<std::size_t>(i)];
    const double y1 = i + 1 < n ? k.geraden[static_cast<std::size_t>(i) + 1].y : g.y;
    bis = std::min<std::int64_t>(bis, g.laenge);
    for (std::int64_t j = std::max<std::int64_t>(von, 0); j < bis; ++j)
        werte.push_back(editor::Abtastwert(g.y, y1, j, g.laenge));
}

int Kennlinie_Abtasten(const Kennlinie& k, std::array<int, kWerte>& werte) {
    std::size_t n = 0;
    int v = kMaxRoh;
    const std::size_t punkte = k.geraden.size();
    for (std::size_t i = 0; i < punkte; ++i) {
        const Gerade& g = k.geraden[i];
        const double y1 = i + 1 < punkte ? k.geraden[i + 1].y : g.y;
        v = std::clamp(g.y, 0, kMaxRoh);
        // Walks at most one value past the table, whatever the lengths say.
        for (std::int64_t j = 0; j < g.laenge; ++j) {
            if (n == kWerte)
                return kZuVieleWerte;
            v = editor::Abtastwert(g.y, y1, j, g.laenge);
            werte[n++] = v;
        }
    }
    std::fill(werte.begin() + static_cast<std::ptrdiff_t>(n), werte.end(), v);
    return 0;
}

int Kennlinie_Abtasten(std::array<int, kWerte>& werte) {
    return Kennlinie_Abtasten(gKennlinie, werte);
}

// ---- rise time -------------------------------------------------------------------------

namespace {
constexpr double kGanzerHub = 409.5;  // ms of a full-scale swing at step 1
constexpr std::int32_t kKuerzesterCode = 0xFFF00;
}  // namespace

std::int32_t AnstiegszeitZuCode(double t) {
    if (!(t > 0.0))
        return kKuerzesterCode;
    if (std::isinf(t))
        return 1;
    if (t <= kGanzerHub) {
        const double s = std::trunc(4095.0 * (0.1 / t));
        return static_cast<std::int32_t>(std::clamp(s, 1.0, 4095.0)) << 8;
    }
    const double c = std::trunc(256.0 - 1.0 / (4095.0 * (0.1 / t)) + 0.5);
    return static_cast<std::int32_t>(std::clamp(c, 1.0, 255.0));
}

double CodeZuAnstiegszeit(std::int32_t c) {
    c = std::max(c, 1);
    if (c > 255) {
        c = std::min(c, kKuerzesterCode) & ~0xFF;
        return 0.1 / (static_cast<double>(c >> 8) / 4095.0);
    }
    return 0.1 / ((1.0 / (256.0 - c)) / 4095.0);
}

double AnstiegszeitRealisierbar(double ms) {
    return CodeZuAnstiegszeit(AnstiegszeitZuCode(ms));
}

// ---- the block -----------------------------------------------------------------------------

int Speicherplatzadresse(int slot) {
    return (slot - 1) * static_cast<int>(kBlockGroesse);
}

bool SpeicherplatzGueltig(int slot) {
    return slot >= 1 && slot <= kSpeicherplaetze;
}

std::uint16_t Ausgang2Roh(double begrenzung) {
    // Limiting the counts, not the display value, holds for a scaling that
    // falls as well as for one that rises.
    const double r = config::RohBegrenzen(config::AnzeigeZuRoh(1, begrenzung));
    return static_cast<std::uint16_t>(std::trunc(r + 0.5));
}

int KennlinienblockBauen(const Kennlinie& k, const Felder& felder,
                         std::array<std::uint8_t, kBlockGroesse>& block) {
    std::array<int, kWerte> werte{};
    if (const int code = Kennlinie_Abtasten(k, werte); code != 0)
        return code;
    block.fill(0);
    const std::span<std::uint8_t> b(block);
    for (std::size_t i = 0; i < kWerte; ++i)
        storage::SetBE16(b, kBlockWerte + 2 * i, static_cast<std::uint16_t>(werte[i]));
    storage::SetBE16(b, kBlockAusgang2, Ausgang2Roh(felder.begrenzung));
    const auto code = static_cast<std::uint32_t>(AnstiegszeitZuCode(felder.anstiegszeit));
    b[kBlockAnstiegszeit] = static_cast<std::uint8_t>(code >> 16);
    storage::SetBE16(b, kBlockAnstiegszeit + 1, static_cast<std::uint16_t>(code));
    storage::SetBE16(b, 0, storage::Pruefsumme(b.subspan(kBlockPruefsummeAb)));
    return 0;
}

int KennlinienblockBauen(const Felder& felder, std::array<std::uint8_t, kBlockGroesse>& block) {
    return KennlinienblockBauen(gKennlinie, felder, block);
}

std::array<std::uint8_t, kKurzblockGroesse> Kurzblock() {
    std::array<std::uint8_t, kKurzblockGroesse> b{};
    b[kBlockForm] = 1;
    storage::SetBE16(b, kBlockWerte, kKurzblockWert);
    storage::SetBE16(b, 0, storage::Pruefsumme(std::span(b).subspan(kBlockPruefsummeAb)));
    return b;
}

}  // namespace characteristic
