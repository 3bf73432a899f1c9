#include "characteristic/transfer.h"

#include <algorithm>
#include <new>

#include "characteristic/view.h"
#include "config/model.h"
#include "device/commands.h"
#include "device/serial_port.h"
#include "storage/byte_order.h"
#include "storage/checksum.h"

namespace characteristic {

namespace {

bool ModusGueltig(int modus) {
    return (modus & device::kModusKennlinienGespeichert) != 0 &&
           (modus & device::kModusKurvenGespeichert) == 0;
}

// The mode query both directions start with.
int ModusPruefen(int port, char adresse, bool& gueltig) {
    int modus = 0;
    const int code = device::ORVKAP1_ModusLesen(port, adresse, modus);
    gueltig = code == 0 && ModusGueltig(modus);
    return code;
}

}  // namespace

int KennlinienspeicherGueltig(int port, char adresse, bool& gueltig) {
    if (!device::PortnummerGueltig(port))
        return kGueltigOhnePort;
    return ModusPruefen(port, adresse, gueltig);
}

int SpeicherplaetzeInitialisieren(int port, char adresse) {
    if (!device::PortnummerGueltig(port))
        return kInitOhnePort;
    const auto kurz = Kurzblock();
    for (int slot = 1; slot <= kSpeicherplaetze; ++slot)
        if (const int code =
                KennlinienblockSchreiben(port, adresse, kurz, Speicherplatzadresse(slot));
            code != 0)
            return code;
    return 0;
}

int KennlinienblockSchreiben(int port, char adresse, std::span<const std::uint8_t> daten, int start,
                             const Fortschritt& fortschritt) {
    if (!device::PortnummerGueltig(port))
        return kSchreibenOhnePort;
    int code = device::SpeicherBlockweiseSchreiben(port, adresse, kSpeichertyp, start, daten,
                                                   fortschritt, device::Seitengrenzen::Einhalten);
    if (code == 0)
        code = device::ORVKAP1_ModusSchreiben(port, adresse, 0, device::kModusKurvenGespeichert);
    if (code == 0)
        code =
            device::ORVKAP1_ModusSchreiben(port, adresse, 1, device::kModusKennlinienGespeichert);
    return code;
}

int KennlinienblockLesen(int port, char adresse, int start, std::span<std::uint8_t> ziel,
                         const Fortschritt& fortschritt) {
    if (!device::PortnummerGueltig(port))
        return kLesenOhnePort;
    bool gueltig = false;
    if (const int code = ModusPruefen(port, adresse, gueltig); code != 0)
        return code;
    if (!gueltig)
        return kSpeicherUngueltig;
    return device::SpeicherBlockweiseLesen(port, adresse, kSpeichertyp, start, ziel, fortschritt);
}

Blockinhalt KennlinienblockDecodieren(std::span<const std::uint8_t> block) {
    Blockinhalt b;
    b.code = kPruefsummeFalsch;
    if (block.size() < kKurzblockGroesse)
        return b;
    const bool kurz = block[kBlockForm] != 0;
    const std::size_t ende = kurz ? kKurzblockGroesse : kBlockGroesse;
    if (block.size() < ende ||
        storage::Pruefsumme(block.subspan(kBlockPruefsummeAb, ende - kBlockPruefsummeAb)) !=
            storage::GetBE16(block, 0))
        return b;
    b.code = 0;
    b.ausgang2 = storage::GetBE16(block, kBlockAusgang2);
    b.anstiegscode =
        (block[kBlockAnstiegszeit] << 16) | storage::GetBE16(block, kBlockAnstiegszeit + 1);
    const std::size_t anzahl = kurz ? 1 : kWerte;
    try {
        b.punkte.resize(anzahl);
    } catch (const std::bad_alloc&) {
        b.code = kKeinSpeicherPunkte;
        return b;
    }
    for (std::size_t k = 0; k < anzahl; ++k) {
        const int wert = storage::GetBE16(block, kBlockWerte + 2 * k);
        b.punkte[k] = Gerade{std::min(wert, kMaxRoh), 1, 0};
    }
    return b;
}

Uebertragung KennlinieSenden(int port, char adresse, int slot, const Felder& felder,
                             const Fortschritt& fortschritt) {
    Uebertragung u;
    std::array<std::uint8_t, kBlockGroesse> block{};
    if (const int code = KennlinienblockBauen(felder, block); code != 0) {
        u.code = code;
        return u;
    }
    // Checked before anything goes to the board, the slots' initialisation
    // included.
    if (!SpeicherplatzGueltig(slot)) {
        u.code = kSendenPlatzUngueltig;
        return u;
    }
    u.anzeigeLoeschen = true;
    bool gueltig = false;
    u.anzeige = KennlinienspeicherGueltig(port, adresse, gueltig);
    if (u.anzeige == 0 && !gueltig)
        u.anzeige = SpeicherplaetzeInitialisieren(port, adresse);
    if (u.anzeige == 0)
        u.anzeige =
            KennlinienblockSchreiben(port, adresse, block, Speicherplatzadresse(slot), fortschritt);
    return u;
}

namespace {

void Lesen(int port, char adresse, int slot, const Fortschritt& fortschritt, Uebertragung& u) {
    if (!SpeicherplatzGueltig(slot)) {
        u.code = kLesenPlatzUngueltig;
        return;
    }
    u.anzeigeLoeschen = true;
    bool gueltig = false;
    if (const int code = KennlinienspeicherGueltig(port, adresse, gueltig); code != 0) {
        u.code = code;
        return;
    }
    if (!gueltig) {
        u.anzeige = kKeineKennlinien;
        return;
    }
    std::array<std::uint8_t, kBlockGroesse> block{};
    u.anzeige = KennlinienblockLesen(port, adresse, Speicherplatzadresse(slot), block, fortschritt);
    if (u.anzeige != 0)
        return;
    Blockinhalt b = KennlinienblockDecodieren(block);
    if (b.code == kPruefsummeFalsch) {
        u.anzeige = b.code;
        return;
    }
    // Without memory for the points the fields are still read.
    u.code = b.code;
    if (b.code == 0) {
        gKennlinie.geraden.swap(b.punkte);
        gKennlinie.anzahl = static_cast<std::int32_t>(gKennlinie.geraden.size());
    }
    if (b.ausgang2 > kMaxRoh)
        u.anzeige = kAusgang2Fehlerhaft;
    else
        u.begrenzung = config::RohZuAnzeige(1, b.ausgang2);
    u.anstiegszeit = CodeZuAnstiegszeit(b.anstiegscode);
}

}  // namespace

Uebertragung KennlinieLesen(int port, char adresse, int slot, const Fortschritt& fortschritt) {
    Uebertragung u;
    Lesen(port, adresse, slot, fortschritt, u);
    Kennlinienpanel_Titel("");
    ZoomGesamtkurve();
    return u;
}

Uebertragung Ausgang4Setzen(int port, char adresse, int slot) {
    Uebertragung u;
    if (!device::PortnummerGueltig(port))
        u.anzeige = kAusgang4OhnePort;
    else if (!SpeicherplatzGueltig(slot))
        u.anzeige = kAusgang4PlatzUngueltig;
    else
        u.anzeige = device::ORVKAP1_AusgangSchreiben(port, adresse, "a4", slot);
    return u;
}

}  // namespace characteristic
