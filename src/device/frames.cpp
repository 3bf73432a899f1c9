#include "device/frames.h"

#include <charconv>
#include <cmath>

#include "storage/checksum.h"

namespace device {

namespace befehle {
// Sites: adresse, flush, schreibfehler, kurzGeschrieben, nak, can, keineAntwort,
// anderesByte, zeileLesefehler.
const Befehl kIdLesen{"ORVKAP1_IDLesen",
                      false,
                      kIdZeileMax,
                      {-400006, 0, -101008, -114009, -402010, -405011, -403012, -404013, -404014}};
const Befehl kDeviceFunction{"ORVKAP1_DeviceFunction",
                             true,
                             0,
                             {-400034, 0, -101037, -101038, -402039, -405040, -403041, -404042, 0}};
const Befehl kEingangLesen{
    "ORVKAP1_EingangLesen",
    false,
    kKurzeZeileMax,
    {-400043, -112046, -101047, -114048, -402049, -405050, -403051, -404052, -404053}};
const Befehl kAusgangSchreiben{
    "ORVKAP1_AusgangSchreiben",
    true,
    0,
    {-400055, -112062, -101063, -101064, -402065, -405066, -403067, -404068, 0}};
const Befehl kSpeicherLesen{
    "ORVKAP1_SpeicherLesen",
    false,
    0,
    {-400092, 0, -101097, -114098, -402099, -405100, -403101, -404102, -404104}};
const Befehl kSpeicherSchreiben{
    "ORVKAP1_SpeicherSchreiben",
    true,
    0,
    {-400118, 0, -101125, -101126, -402127, -405128, -403129, -404130, 0}};
const Befehl kStatusLesen{
    "ORVKAP1_StatusLesen",
    false,
    kKurzeZeileMax,
    {-400135, 0, -101138, -114139, -402140, -405141, -403142, -404143, -404144}};
const Befehl kModusLesen{
    "ORVKAP1_ModusLesen",
    false,
    kKurzeZeileMax,
    {-400150, 0, -101152, -114153, -402154, -405155, -403156, -404157, -404158}};
const Befehl kModusSchreiben{
    "ORVKAP1_ModusSchreiben",
    true,
    0,
    {-400160, -112162, -101163, -101164, -402165, -405166, -403167, -404168, 0}};
// The baud and address commands take the address as a number, so '&' is not a
// question for them; address 9 of the baud command is answered by nobody.
const Befehl kBaudrateSchreiben{
    "ORVVEK1_BaudrateSchreiben",
    false,
    0,
    {-400016, 0, -101019, -101020, -402021, -405022, -403023, -404024, 0}};
const Befehl kAdresseSchreiben{
    "ORVVEK1_AdresseSchreiben",
    false,
    0,
    {-400025, 0, -101028, -101029, -402030, -405031, -403032, -404033, 0}};
}  // namespace befehle

namespace {

constexpr char kHexziffern[] = "0123456789ABCDEF";

void Hex2Anhaengen(Bytes& b, unsigned wert) {
    b.push_back(static_cast<std::uint8_t>(kHexziffern[(wert >> 4) & 0xF]));
    b.push_back(static_cast<std::uint8_t>(kHexziffern[wert & 0xF]));
}

void Hex4Anhaengen(Bytes& b, unsigned wert) {
    Hex2Anhaengen(b, (wert >> 8) & 0xFF);
    Hex2Anhaengen(b, wert & 0xFF);
}

void TextAnhaengen(Bytes& b, std::string_view text) {
    b.insert(b.end(), text.begin(), text.end());
}

// The board takes its hex digits in upper case: everything from the seventh
// character on is converted, so a lower-case address ('a'..'f') stays as it is.
void AbSiebtemGross(Bytes& b) {
    for (std::size_t i = 6; i < b.size(); ++i) {
        if (b[i] >= 'a' && b[i] <= 'z') {
            b[i] = static_cast<std::uint8_t>(b[i] - 'a' + 'A');
        }
    }
}

// Hex digits at zeile[pos..pos+stellen), either case; -1 for a bad digit.
int HexLesen(ByteSpan zeile, std::size_t pos, std::size_t stellen) {
    int wert = 0;
    for (std::size_t i = 0; i < stellen; ++i) {
        const int z = Hexchar2Int(static_cast<char>(zeile[pos + i]));
        if (z < 0) {
            return -1;
        }
        wert = wert * 16 + z;
    }
    return wert;
}

bool Ist(ByteSpan zeile, std::size_t pos, char c) {
    return pos < zeile.size() && zeile[pos] == static_cast<std::uint8_t>(c);
}

bool Leerraum(std::uint8_t c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// '#', address, 'X', digit, 'R', '$', hex2, CR: the shape of the status and
// mode replies. The digit is returned for the caller to compare.
bool BytezeileLesen(ByteSpan zeile, char adresse, char buchstabe, char& ziffer, int& wert) {
    if (zeile.size() != 9 || !Ist(zeile, 0, '#') || !Ist(zeile, 1, adresse) ||
        !Ist(zeile, 2, buchstabe) || !Ist(zeile, 4, 'R') || !Ist(zeile, 5, '$') ||
        zeile[8] != kCr) {
        return false;
    }
    const int w = HexLesen(zeile, 6, 2);
    if (w < 0) {
        return false;
    }
    ziffer = static_cast<char>(zeile[3]);
    wert = w;
    return true;
}

}  // namespace

int Hexchar2Int(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool AdresseEinzeln(char adresse) {
    return (adresse >= '1' && adresse <= '9') || (adresse >= 'a' && adresse <= 'f');
}

bool AdresseEinzelnOderAlle(char adresse) {
    return adresse == kAlleGeraete || AdresseEinzeln(adresse);
}

Bytes Rahmen(char adresse, std::string_view text) {
    Bytes b;
    b.reserve(text.size() + 3);
    b.push_back(kStart);
    b.push_back(static_cast<std::uint8_t>(adresse));
    TextAnhaengen(b, text);
    b.push_back(kCr);
    return b;
}

Bytes SpeicherLesenRahmen(char adresse, int typ, int start, int laenge) {
    Bytes b;
    b.reserve(15);
    b.push_back(kStart);
    b.push_back(static_cast<std::uint8_t>(adresse));
    TextAnhaengen(b, "BDR");
    b.push_back(static_cast<std::uint8_t>('0' + typ % 10));
    Hex4Anhaengen(b, static_cast<unsigned>(start));
    Hex4Anhaengen(b, static_cast<unsigned>(laenge));
    AbSiebtemGross(b);
    b.push_back(kCr);
    return b;
}

Bytes SpeicherSchreibenRahmen(char adresse, int typ, int start, ByteSpan daten) {
    Bytes b;
    b.reserve(2 * daten.size() + 19);
    b.push_back(kStart);
    b.push_back(static_cast<std::uint8_t>(adresse));
    TextAnhaengen(b, "BDW");
    b.push_back(static_cast<std::uint8_t>('0' + typ % 10));
    Hex4Anhaengen(b, static_cast<unsigned>(start));
    Hex4Anhaengen(b, static_cast<unsigned>(daten.size()));
    for (std::uint8_t d : daten) {
        Hex2Anhaengen(b, d);
    }
    Hex4Anhaengen(b, storage::Pruefsumme(daten));
    AbSiebtemGross(b);
    b.push_back(kCr);
    return b;
}

int IdAntwortDecodieren(ByteSpan zeile, char adresse, std::string& identitaet) {
    constexpr int kFehlerhaft = -404015;
    // '#', address, a text that ends at the first white space, then CR as the
    // last byte: a blank in the text leaves the blank where CR must be.
    if (!Ist(zeile, 0, '#') || !Ist(zeile, 1, adresse)) {
        return kFehlerhaft;
    }
    std::size_t ende = 2;
    while (ende < zeile.size() && !Leerraum(zeile[ende]) && zeile[ende] != 0) {
        ++ende;
    }
    if (ende == 2 || ende + 1 != zeile.size() || zeile[ende] != kCr) {
        return kFehlerhaft;
    }
    identitaet.assign(zeile.begin() + 2, zeile.begin() + static_cast<std::ptrdiff_t>(ende));
    return 0;
}

int EingangAntwortDecodieren(ByteSpan zeile, char adresse, int kanal, double& wert) {
    constexpr int kFehlerhaft = -404054;
    if (zeile.size() < 7 || !Ist(zeile, 0, '#') || !Ist(zeile, 1, adresse) || !Ist(zeile, 2, 'V') ||
        !Ist(zeile, 3, static_cast<char>('0' + kanal)) || !Ist(zeile, 4, 'R') ||
        zeile.back() != kCr) {
        return kFehlerhaft;
    }
    // The value in the C locale, filling everything between 'R' and CR.
    const char* anfang = reinterpret_cast<const char*>(zeile.data()) + 5;
    const char* ende = reinterpret_cast<const char*>(zeile.data()) + zeile.size() - 1;
    double w = 0;
    const auto [ptr, ec] = std::from_chars(anfang, ende, w, std::chars_format::general);
    if (ec != std::errc() || ptr != ende || !std::isfinite(w)) {
        return kFehlerhaft;
    }
    wert = w;
    return 0;
}

int StatusAntwortDecodieren(ByteSpan zeile, char adresse, int art, int& wert) {
    char ziffer = 0;
    int w = 0;
    if (!BytezeileLesen(zeile, adresse, 'S', ziffer, w)) {
        return -404145;
    }
    if (art == 1 && ziffer != '1') {
        return -404146;
    }
    if (art == 2 && ziffer != '2') {
        return -404147;
    }
    wert = w;
    return 0;
}

int ModusAntwortDecodieren(ByteSpan zeile, char adresse, int& modus) {
    char ziffer = 0;
    int w = 0;
    if (!BytezeileLesen(zeile, adresse, 'M', ziffer, w) || ziffer != '1') {
        return -404159;
    }
    modus = w;
    return 0;
}

int SpeicherAntwortDecodieren(ByteSpan zeile, char adresse, int typ, int start, int laenge,
                              std::vector<std::uint8_t>& daten) {
    if (zeile.empty() || zeile.back() != kCr) {
        return -404105;
    }
    const std::size_t n = static_cast<std::size_t>(laenge);
    if (zeile.size() != SpeicherZeilenlaenge(n)) {
        return -404106;
    }
    if (!Ist(zeile, 0, '#') || !Ist(zeile, 1, adresse) || !Ist(zeile, 2, 'B') ||
        !Ist(zeile, 3, 'D') || !Ist(zeile, 4, 'R') || zeile[5] < '0' || zeile[5] > '9' ||
        zeile[5] - '0' != typ || HexLesen(zeile, 6, 4) != start ||
        HexLesen(zeile, 10, 4) != laenge) {
        return -404107;
    }
    std::vector<std::uint8_t> gelesen;
    gelesen.reserve(n);
    std::size_t pos = 14;
    for (std::size_t i = 0; i < n; ++i, pos += 2) {
        const int hoch = Hexchar2Int(static_cast<char>(zeile[pos]));
        if (hoch < 0) {
            return -404108;
        }
        const int tief = Hexchar2Int(static_cast<char>(zeile[pos + 1]));
        if (tief < 0) {
            return -404109;
        }
        const auto byte = static_cast<std::uint8_t>(hoch * 16 + tief);
        gelesen.push_back(byte);
    }
    constexpr int kZifferFehler[4] = {-404110, -404111, -404112, -404113};
    unsigned pruef = 0;
    for (int i = 0; i < 4; ++i) {
        const int z = Hexchar2Int(static_cast<char>(zeile[pos + static_cast<std::size_t>(i)]));
        if (z < 0) {
            return kZifferFehler[i];
        }
        pruef = pruef * 16 + static_cast<unsigned>(z);
    }
    if (pruef != static_cast<unsigned>(storage::Pruefsumme(gelesen))) {
        return -406114;
    }
    daten = std::move(gelesen);
    return 0;
}

}  // namespace device
