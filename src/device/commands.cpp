#include "device/commands.h"

#include "device/frames.h"
#include "device/link.h"
#include "storage/c_numbers.h"

#include <new>

namespace device {

namespace {

// "x1".."x4" -> 1..4, else 0.
int Kanalnummer(std::string_view kanal, char buchstabe) {
    if (kanal.size() == 2 && kanal[0] == buchstabe && kanal[1] >= '1' && kanal[1] <= '4') {
        return kanal[1] - '0';
    }
    return 0;
}

bool AdressePasst(const Befehl& b, char adresse) {
    return b.alleErlaubt ? AdresseEinzelnOderAlle(adresse) : AdresseEinzeln(adresse);
}

std::string Dezimal(int wert) {
    return std::to_string(wert);  // integers carry no locale
}

// "V1R".."V4W": the channel's request, built in place. A chain of string
// additions here makes GCC's optimiser warn about overlapping copies.
std::string Kanalbefehl(int kanal, char art) {
    return std::string{'V', static_cast<char>('0' + kanal), art};
}

// A value with three decimals as the board reads it. Zero goes out without a
// sign: a falling scale turns its 0 V end into -0.0 (which passes the range
// check), and a board that parses strictly refuses "-0.000".
std::string Boardwert(double wert) {
    std::string text = storage::ZahlFest(wert, 3);
    if (!text.empty() && text[0] == '-' && text.find_first_not_of("0.", 1) == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

// A writing command: the frame, the ACK, nothing else; no answer for '&'.
int Schreibbefehl(int port, const Befehl& b, char adresse, std::string_view text) {
    const Bytes rahmen = Rahmen(adresse, text);
    return Austauschen(port, b, rahmen, adresse != kAlleGeraete);
}

}  // namespace

int ORVKAP1_IDLesen(int port, char adresse, std::string& identitaet) {
    const Befehl& b = befehle::kIdLesen;
    if (!AdressePasst(b, adresse)) {
        return b.orte.adresse;
    }
    const Bytes rahmen = Rahmen(adresse, "IDR");
    Bytes zeile;
    const int fehler = Austauschen(port, b, rahmen, true, &zeile, b.maxZeile);
    if (fehler != 0) {
        return fehler;
    }
    return IdAntwortDecodieren(zeile, adresse, identitaet);
}

int ORVKAP1_DeviceFunction(int port, char adresse, std::string_view funktion) {
    const Befehl& b = befehle::kDeviceFunction;
    if (!AdressePasst(b, adresse)) {
        return b.orte.adresse;
    }
    std::string_view text;
    if (funktion == "start") {
        text = "DF1";
    } else if (funktion == "stopp") {
        text = "DF2";
    } else {
        return -401035;
    }
    return Schreibbefehl(port, b, adresse, text);
}

int ORVKAP1_EingangLesen(int port, char adresse, std::string_view kanal, double& wert) {
    const Befehl& b = befehle::kEingangLesen;
    if (!AdressePasst(b, adresse)) {
        return b.orte.adresse;
    }
    const int k = Kanalnummer(kanal, 'e');
    if (k == 0) {
        return -401044;
    }
    const Bytes rahmen = Rahmen(adresse, Kanalbefehl(k, 'R'));
    Bytes zeile;
    const int fehler = Austauschen(port, b, rahmen, true, &zeile, b.maxZeile);
    if (fehler != 0) {
        return fehler;
    }
    return EingangAntwortDecodieren(zeile, adresse, k, wert);
}

int ORVKAP1_AusgangSchreiben(int port, char adresse, std::string_view kanal, double wert) {
    const Befehl& b = befehle::kAusgangSchreiben;
    if (!AdressePasst(b, adresse)) {
        return b.orte.adresse;
    }
    const int k = Kanalnummer(kanal, 'a');
    if (k == 0) {
        return -401060;
    }
    // Written so that a value that is not a number fails as well.
    if (!(wert >= 0.0 && wert <= 10.0)) {
        return kAusgangBereichFehler[k - 1];
    }
    std::string text = Kanalbefehl(k, 'W');
    text += Boardwert(wert);
    return Schreibbefehl(port, b, adresse, text);
}

int ORVKAP1_SpeicherLesen(int port, char adresse, int typ, int start, int laenge,
                          std::vector<std::uint8_t>& daten) {
    const Befehl& b = befehle::kSpeicherLesen;
    if (!AdressePasst(b, adresse)) {
        return b.orte.adresse;
    }
    if (start < 0 || start > kHoechsteAdresse) {
        return -894093;
    }
    // The request carries the length in four hex digits, so 0x10000 cannot be
    // asked for without a malformed frame.
    if (laenge < 1 || laenge > kSpeicherLesenMax) {
        return -895094;
    }
    if (typ != kSpeichertyp) {
        return -896095;
    }
    const Bytes rahmen = SpeicherLesenRahmen(adresse, typ, start, laenge);
    const std::size_t zeilenlaenge = SpeicherZeilenlaenge(static_cast<std::size_t>(laenge));
    try {
        Bytes zeile;
        zeile.reserve(zeilenlaenge + 1);
        const int fehler = Austauschen(port, b, rahmen, true, &zeile, zeilenlaenge);
        if (fehler != 0) {
            return fehler;
        }
        return SpeicherAntwortDecodieren(zeile, adresse, typ, start, laenge, daten);
    } catch (const std::bad_alloc&) {
        return -600103;
    }
}

int ORVKAP1_SpeicherSchreiben(int port, char adresse, int typ, int start, int laenge,
                              std::span<const std::uint8_t> daten) {
    const Befehl& b = befehle::kSpeicherSchreiben;
    if (!AdressePasst(b, adresse)) {
        return b.orte.adresse;
    }
    if (start < 0 || start > kHoechsteAdresse) {
        return -894119;
    }
    // A length beyond the bytes given would read past the caller's buffer.
    if (laenge < 0 || laenge > kSpeicherSchreibenMax ||
        static_cast<std::size_t>(laenge) > daten.size()) {
        return -895120;
    }
    if (typ != kSpeichertyp) {
        return -896121;
    }
    const Bytes rahmen =
        SpeicherSchreibenRahmen(adresse, typ, start, daten.first(static_cast<std::size_t>(laenge)));
    return Austauschen(port, b, rahmen, adresse != kAlleGeraete);
}

int ORVKAP1_StatusLesen(int port, char adresse, int art, int& wert) {
    const Befehl& b = befehle::kStatusLesen;
    if (!AdressePasst(b, adresse)) {
        return b.orte.adresse;
    }
    if (art != 1 && art != 2) {
        return -401136;
    }
    const Bytes rahmen = Rahmen(adresse, art == 1 ? "S1R" : "S2R");
    Bytes zeile;
    const int fehler = Austauschen(port, b, rahmen, true, &zeile, b.maxZeile);
    if (fehler != 0) {
        return fehler;
    }
    return StatusAntwortDecodieren(zeile, adresse, art, wert);
}

int ORVKAP1_ModusLesen(int port, char adresse, int& modus) {
    const Befehl& b = befehle::kModusLesen;
    if (!AdressePasst(b, adresse)) {
        return b.orte.adresse;
    }
    const Bytes rahmen = Rahmen(adresse, "M1R");
    Bytes zeile;
    const int fehler = Austauschen(port, b, rahmen, true, &zeile, b.maxZeile);
    if (fehler != 0) {
        return fehler;
    }
    return ModusAntwortDecodieren(zeile, adresse, modus);
}

int ORVKAP1_ModusSchreiben(int port, char adresse, int setzen, unsigned maske) {
    const Befehl& b = befehle::kModusSchreiben;
    if (!AdressePasst(b, adresse)) {
        return b.orte.adresse;
    }
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string text = setzen != 0 ? "M1S" : "M1C";
    text += kHex[(maske >> 4) & 0xF];
    text += kHex[maske & 0xF];
    return Schreibbefehl(port, b, adresse, text);
}

int ORVVEK1_BaudrateSchreiben(int port, int adresse, int baud) {
    const Befehl& b = befehle::kBaudrateSchreiben;
    if (adresse < 0 || adresse > 9) {
        return b.orte.adresse;
    }
    if (!BaudrateErlaubt(baud)) {
        return -125017;
    }
    constexpr int kAlleBaud = 9;  // every board takes it, none answers
    const Bytes rahmen = Rahmen(static_cast<char>('0' + adresse), "BRW" + Dezimal(baud));
    return Austauschen(port, b, rahmen, adresse != kAlleBaud);
}

int ORVVEK1_AdresseSchreiben(int port, int adresse, int neueAdresse) {
    const Befehl& b = befehle::kAdresseSchreiben;
    if (adresse < 0 || adresse > 8) {
        return b.orte.adresse;
    }
    if (neueAdresse < 0 || neueAdresse > 8) {
        return -401026;
    }
    const Bytes rahmen = Rahmen(static_cast<char>('0' + adresse), "DAW" + Dezimal(neueAdresse));
    return Austauschen(port, b, rahmen, true);
}

int ORVMUX6_ParameterLesen() {
    return 0;
}

int ORVMUX6_ParameterSchreiben() {
    return 0;
}

}  // namespace device
