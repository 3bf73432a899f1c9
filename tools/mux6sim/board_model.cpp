#include "board_model.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace mux6sim {

namespace {

constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;
constexpr std::uint8_t kCan = 0x18;
constexpr std::uint8_t kCr = 0x0D;
// A frame longer than the longest request (a 64-byte memory write, 147 bytes)
// with room to spare is noise; the board waits for the next '#'.
constexpr std::size_t kRahmenMax = 512;
constexpr std::size_t kBildAnfang = 0x1000;
constexpr std::size_t kErsteKurve = 0x1020;
constexpr std::size_t kUeberlaenge = 40;

int Hex(char c) {
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

// Hex digits of `text` at pos..pos+n, or -1.
long HexFeld(std::string_view text, std::size_t pos, std::size_t n) {
    if (pos + n > text.size()) {
        return -1;
    }
    long wert = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const int z = Hex(text[pos + i]);
        if (z < 0) {
            return -1;
        }
        wert = wert * 16 + z;
    }
    return wert;
}

void Hex2(std::string& s, unsigned v) {
    constexpr char kZ[] = "0123456789ABCDEF";
    s += kZ[(v >> 4) & 0xF];
    s += kZ[v & 0xF];
}

void Hex4(std::string& s, unsigned v) {
    Hex2(s, (v >> 8) & 0xFF);
    Hex2(s, v & 0xFF);
}

std::string Volt(double v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 3);
    return std::string(buf, r.ptr);
}

bool ZahlLesen(std::string_view text, double& wert) {
    if (text.empty()) {
        return false;
    }
    const auto r =
        std::from_chars(text.data(), text.data() + text.size(), wert, std::chars_format::fixed);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

bool GanzLesen(std::string_view text, int& wert) {
    if (text.empty()) {
        return false;
    }
    const auto r = std::from_chars(text.data(), text.data() + text.size(), wert);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

Bytes Nur(std::uint8_t b) {
    return Bytes{b};
}

Bytes MitZeile(const std::string& zeile) {
    Bytes b;
    b.reserve(zeile.size() + 2);
    b.push_back(kAck);
    b.insert(b.end(), zeile.begin(), zeile.end());
    b.push_back(kCr);
    return b;
}

std::uint16_t Wort(const Bytes& m, std::size_t adresse) {
    return static_cast<std::uint16_t>((m[adresse] << 8) | m[adresse + 1]);
}

bool BaudBekannt(int baud) {
    return baud == 4800 || baud == 9600 || baud == 19200 || baud == 38400;
}

void Starten(Platine& p, bool an) {
    p.gestartet = an;
    p.status = static_cast<std::uint8_t>(an ? (p.status | 0x01) : (p.status & ~0x01));
    p.abspielAdresse.fill(0);
    p.abspielRest.fill(std::chrono::microseconds(0));
    p.abspielNeu = an;
}

// One request as a command sees it: the text after the address, the head
// of its reply line, and whether anybody listens for an answer ('&').
struct Anfrage {
    std::string_view befehl;
    std::string kopf;
    bool antwortet;
};

Bytes Identitaet(Platine& p, const Anfrage& a) {
    return MitZeile(a.kopf + p.identitaet);
}

Bytes StartStopp(Platine& p, const Anfrage& a) {
    Starten(p, a.befehl == "DF1");
    return Nur(kAck);
}

std::size_t Kanal(std::string_view befehl) {
    return static_cast<std::size_t>(befehl[1] - '1');
}

Bytes EingangLesen(Platine& p, const Anfrage& a) {
    // Inputs 1..4 are wired back to the outputs.
    return MitZeile(a.kopf + std::string(a.befehl) + Volt(p.ausgaenge[Kanal(a.befehl)]));
}

Bytes AusgangSchreiben(Platine& p, const Anfrage& a) {
    double v = 0;
    if (!ZahlLesen(a.befehl.substr(3), v) || v < 0.0 || v > 10.0) {
        return Nur(kNak);
    }
    p.ausgaenge[Kanal(a.befehl)] = v;
    return Nur(kAck);
}

Bytes SpeicherLesen(Platine& p, const Anfrage& a) {
    const long start = HexFeld(a.befehl, 4, 4);
    const long laenge = HexFeld(a.befehl, 8, 4);
    if (a.befehl.size() != 12 || a.befehl[3] != '4' || start < 0 || laenge < 1 ||
        static_cast<std::size_t>(start + laenge) > kSpeichergroesse) {
        return Nur(kNak);
    }
    std::string zeile = a.kopf + std::string(a.befehl);
    unsigned summe = 1;
    for (long i = 0; i < laenge; ++i) {
        const std::uint8_t b = p.speicher[static_cast<std::size_t>(start + i)];
        Hex2(zeile, b);
        summe += b;
    }
    Hex4(zeile, summe & 0xFFFF);
    return MitZeile(zeile);
}

Bytes SpeicherSchreiben(Platine& p, const Anfrage& a) {
    const std::string_view befehl = a.befehl;
    const long start = HexFeld(befehl, 4, 4);
    const long laenge = HexFeld(befehl, 8, 4);
    if (befehl.size() < 16 || befehl[3] != '4' || start < 0 || laenge < 0 ||
        befehl.size() != 16 + 2 * static_cast<std::size_t>(laenge) ||
        static_cast<std::size_t>(start + laenge) > kSpeichergroesse) {
        return Nur(kNak);
    }
    Bytes daten;
    unsigned summe = 1;
    for (long i = 0; i < laenge; ++i) {
        const long b = HexFeld(befehl, 12 + 2 * static_cast<std::size_t>(i), 2);
        if (b < 0) {
            return Nur(kNak);
        }
        daten.push_back(static_cast<std::uint8_t>(b));
        summe += static_cast<unsigned>(b);
    }
    const long pruef = HexFeld(befehl, befehl.size() - 4, 4);
    if (pruef < 0 || static_cast<unsigned>(pruef) != (summe & 0xFFFF)) {
        return Nur(kNak);
    }
    std::copy(daten.begin(), daten.end(), p.speicher.begin() + static_cast<std::ptrdiff_t>(start));
    if (const auto v = p.verfaelschteAdresse; v && *v >= static_cast<std::size_t>(start) &&
                                              *v < static_cast<std::size_t>(start + laenge)) {
        p.speicher[*v] ^= 0x10;  // a cell that does not hold what it was given
    }
    return Nur(kAck);
}

Bytes StatusLesen(Platine& p, const Anfrage& a) {
    std::string zeile = a.kopf + std::string(a.befehl) + "$";
    Hex2(zeile, a.befehl[1] == '1' ? p.status : p.fehler);
    return MitZeile(zeile);
}

Bytes ModusLesen(Platine& p, const Anfrage& a) {
    std::string zeile = a.kopf + "M1R$";
    Hex2(zeile, p.modus);
    return MitZeile(zeile);
}

Bytes ModusAendern(Platine& p, const Anfrage& a) {
    const long maske = a.befehl.size() == 5 ? HexFeld(a.befehl, 3, 2) : -1;
    if (maske < 0) {
        return Nur(kNak);
    }
    p.modus =
        static_cast<std::uint8_t>(a.befehl[2] == 'S' ? (p.modus | maske) : (p.modus & ~maske));
    return Nur(kAck);
}

Bytes BaudSchreiben(Platine& p, const Anfrage& a) {
    int baud = 0;
    if (!GanzLesen(a.befehl.substr(3), baud) || !BaudBekannt(baud)) {
        return Nur(kNak);
    }
    // The acknowledgement still leaves at the old rate.
    if (!p.baudIgnorieren) {
        p.baud = baud;
    }
    return a.antwortet ? Nur(kAck) : Bytes{};
}

Bytes AdresseSchreiben(Platine& p, const Anfrage& a) {
    if (a.befehl.size() != 4 || a.befehl[3] < '0' || a.befehl[3] > '8') {
        return Nur(kNak);
    }
    // Answered under the old address, then the board listens on the new one.
    p.adresse = a.befehl[3];
    return Nur(kAck);
}

// The board's commands: three letters, where '?' is a channel 1..4, then
// parameters where `parameter` says so (each command checks its own).
struct Befehl {
    const char* muster;
    bool parameter;
    Bytes (*antworten)(Platine&, const Anfrage&);
};

constexpr Befehl kBefehle[] = {
    {"IDR", false, Identitaet},       {"DF1", false, StartStopp},      {"DF2", false, StartStopp},
    {"V?R", false, EingangLesen},     {"V?W", true, AusgangSchreiben}, {"BDR", true, SpeicherLesen},
    {"BDW", true, SpeicherSchreiben}, {"S1R", false, StatusLesen},     {"S2R", false, StatusLesen},
    {"M1R", false, ModusLesen},       {"M1S", true, ModusAendern},     {"M1C", true, ModusAendern},
    {"BRW", true, BaudSchreiben},     {"DAW", true, AdresseSchreiben},
};

bool Passt(const Befehl& b, std::string_view befehl) {
    if (befehl.size() < 3 || (!b.parameter && befehl.size() != 3)) {
        return false;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        const bool kanal = b.muster[i] == '?' && befehl[i] >= '1' && befehl[i] <= '4';
        if (!kanal && befehl[i] != b.muster[i]) {
            return false;
        }
    }
    return true;
}

const Befehl* BefehlFinden(std::string_view befehl) {
    const auto* b = std::find_if(std::begin(kBefehle), std::end(kBefehle),
                                 [&](const Befehl& k) { return Passt(k, befehl); });
    return b == std::end(kBefehle) ? nullptr : b;
}

}  // namespace

std::optional<Stoerung> StoerungAusName(std::string_view name) {
    for (Stoerung s : {Stoerung::Nak, Stoerung::Can, Stoerung::Stille, Stoerung::FalschesByte,
                       Stoerung::KurzeZeile, Stoerung::LangeZeile, Stoerung::FalschePruefsumme}) {
        if (name == StoerungName(s)) {
            return s;
        }
    }
    return std::nullopt;
}

const char* StoerungName(Stoerung s) {
    switch (s) {
        case Stoerung::Keine:
            return "none";
        case Stoerung::Nak:
            return "nak";
        case Stoerung::Can:
            return "can";
        case Stoerung::Stille:
            return "silence";
        case Stoerung::FalschesByte:
            return "wrong-byte";
        case Stoerung::KurzeZeile:
            return "short-line";
        case Stoerung::LangeZeile:
            return "long-line";
        case Stoerung::FalschePruefsumme:
            return "bad-checksum";
    }
    return "none";
}

std::chrono::microseconds Zeitbasis(std::uint16_t wort) {
    using std::chrono::microseconds;
    constexpr long kTick[8] = {1000, 2000, 5000, 10000, 50000, 100000, 500000, 1000000};
    return microseconds(kTick[(wort >> 12) & 0x7]);
}

Leitung::Leitung() : platinen_(1) {}

Leitung::Leitung(std::vector<Platine> platinen) : platinen_(std::move(platinen)) {}

void Leitung::StoerungSetzen(const Stoerplan& plan) {
    plan_ = plan;
    zufall_.seed(plan.seed);
}

Platine* Leitung::Finden(char adresse) {
    for (Platine& p : platinen_) {
        if (p.adresse == adresse) {
            return &p;
        }
    }
    return nullptr;
}

bool Leitung::JemandVersteht() const {
    return std::any_of(platinen_.begin(), platinen_.end(),
                       [this](const Platine& p) { return Versteht(p); });
}

Bytes Leitung::Empfangen(std::span<const std::uint8_t> bytes) {
    Bytes aus;
    const bool rauschen = !JemandVersteht();
    for (std::uint8_t roh : bytes) {
        // Sampled at the wrong rate a character falls apart into other bits;
        // whatever it becomes, it is no '#' and no CR, so no frame survives.
        const auto c = rauschen ? '~' : static_cast<char>(roh & 0x7F);
        if (c == '#') {
            // Not `= "#"`: GCC 12 sees a bogus overlap in that copy when optimising.
            puffer_.clear();
            puffer_.push_back('#');
            imRahmen_ = true;
            continue;
        }
        if (!imRahmen_) {
            continue;
        }
        if (c == '\r') {
            const Bytes antwort = Rahmen(puffer_);
            aus.insert(aus.end(), antwort.begin(), antwort.end());
            puffer_.clear();
            imRahmen_ = false;
            continue;
        }
        puffer_ += c;
        if (puffer_.size() > kRahmenMax) {
            puffer_.clear();
            imRahmen_ = false;
        }
    }
    return aus;
}

bool Leitung::JetztStoeren() {
    if (plan_.art == Stoerung::Keine) {
        return false;
    }
    if (plan_.anteil > 0.0) {
        std::uniform_real_distribution<double> v(0.0, 1.0);
        return v(zufall_) < plan_.anteil;
    }
    if (!plan_.beiRahmen.empty()) {
        return std::find(plan_.beiRahmen.begin(), plan_.beiRahmen.end(), rahmenzahl_) !=
               plan_.beiRahmen.end();
    }
    return true;
}

Bytes Leitung::Rahmen(std::string_view rahmen) {
    ++rahmenzahl_;
    const bool stoeren = JetztStoeren();
    if (rahmen.size() < 2) {
        return {};
    }
    const char adresse = rahmen[1];
    const std::string_view befehl = rahmen.substr(2);
    // '&' reaches every board, and baud rate address 9 likewise; nobody answers.
    if (adresse == '&' || (adresse == '9' && befehl.starts_with("BRW"))) {
        for (Platine& p : platinen_) {
            if (Versteht(p)) {
                Antworten(p, befehl, false);
            }
        }
        return {};
    }
    Platine* p = Finden(adresse);
    if (!p || !Versteht(*p)) {
        return {};
    }
    if (stoeren) {
        ++gestoert_;
        switch (plan_.art) {
            case Stoerung::Nak:
                return Nur(kNak);
            case Stoerung::Can:
                return Nur(kCan);
            case Stoerung::Stille:
                return {};
            case Stoerung::FalschesByte:
                return Nur('X');
            default:
                break;
        }
    }
    Bytes antwort = Antworten(*p, befehl, true);
    if (!stoeren || antwort.size() < 2) {
        return antwort;
    }
    // Faults of the reply line (commands without one answer as usual).
    switch (plan_.art) {
        case Stoerung::KurzeZeile:
            antwort.resize(1 + (antwort.size() - 1) / 2);
            break;
        case Stoerung::LangeZeile:
            antwort.insert(antwort.end() - 1, kUeberlaenge, '0');
            break;
        case Stoerung::FalschePruefsumme:
            if (befehl.starts_with("BDR") && antwort.size() >= 6) {
                const std::string_view z(reinterpret_cast<const char*>(antwort.data()),
                                         antwort.size());
                const long summe = HexFeld(z, antwort.size() - 5, 4);
                std::string neu;
                Hex4(neu, static_cast<unsigned>(summe + 1) & 0xFFFF);
                std::copy(neu.begin(), neu.end(), antwort.end() - 5);
            }
            break;
        default:
            break;
    }
    return antwort;
}

Bytes Leitung::Antworten(Platine& p, std::string_view befehl, bool antwortet) {
    const Befehl* b = BefehlFinden(befehl);
    if (!b) {
        return Nur(kNak);
    }
    return b->antworten(p, Anfrage{befehl, std::string("#") + p.adresse, antwortet});
}

void Leitung::Fortschreiten(std::chrono::microseconds dauer) {
    // Bound the work for a long pause: each step plays at least one tick.
    constexpr int kSchritteMax = 100000;
    for (Platine& p : platinen_) {
        if (!p.gestartet) {
            continue;
        }
        p.abspielNeu = false;
        std::size_t anfang = kErsteKurve;
        for (std::size_t k = 0; k < 4; ++k) {
            const std::size_t ende = Wort(p.speicher, kBildAnfang + 2 + 2 * k);
            const std::size_t kurvenanfang = anfang;
            if (ende != 0) {
                anfang = ende + 1;
            }
            if (ende < kurvenanfang + 1 || ende >= kSpeichergroesse) {
                continue;  // curve k is not in the image
            }
            std::uint32_t& pos = p.abspielAdresse[k];
            auto& rest = p.abspielRest[k];
            if (pos < kurvenanfang || pos + 1 > ende) {
                pos = static_cast<std::uint32_t>(kurvenanfang);
                rest = Zeitbasis(Wort(p.speicher, pos));
            }
            rest -= dauer;
            for (int i = 0; rest.count() <= 0 && i < kSchritteMax; ++i) {
                pos += 2;
                if (pos + 1 > ende) {
                    pos = static_cast<std::uint32_t>(kurvenanfang);
                }
                rest += Zeitbasis(Wort(p.speicher, pos));
            }
            if (rest.count() <= 0) {
                rest = Zeitbasis(Wort(p.speicher, pos));
            }
            p.ausgaenge[k] = (Wort(p.speicher, pos) & 0x0FFF) * 10.0 / 4095.0;
        }
    }
}

std::optional<std::chrono::microseconds> Leitung::BisZurNaechstenAenderung() const {
    std::optional<std::chrono::microseconds> naechste;
    for (const Platine& p : platinen_) {
        if (!p.gestartet) {
            continue;
        }
        if (p.abspielNeu) {
            return std::chrono::microseconds(0);
        }
        for (std::size_t k = 0; k < 4; ++k) {
            // Only the outputs whose curve is in the image are playing.
            if (p.abspielAdresse[k] != 0 && (!naechste || p.abspielRest[k] < *naechste)) {
                naechste = p.abspielRest[k];
            }
        }
    }
    return naechste;
}

}  // namespace mux6sim
