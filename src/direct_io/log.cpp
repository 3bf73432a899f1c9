#include "direct_io/log.h"

#include <cstddef>
#include <utility>

#include "config/model.h"
#include "direct_io/model.h"
#include "errors/errors.h"
#include "storage/c_numbers.h"
#include "storage/cp1252.h"

namespace direct_io {

namespace {

// The open log (the file handle of the window's state), or none.
std::unique_ptr<Protokollziel> gProtokollDatei;
Protokollfabrik sgFabrik;
Uhr sgUhr;

// A clock that never agrees with itself must not hang the cycle.
constexpr int kZeitVersuche = 10;

// UTF-8 with "\n" line ends -> the file's Windows-1252 with CR LF.
std::string Dateitext(std::string_view utf8) {
    std::string mitCrLf;
    mitCrLf.reserve(utf8.size() + 8);
    for (char c : utf8) {
        if (c == '\n') {
            mitCrLf += '\r';
        }
        mitCrLf += c;
    }
    return storage::Utf8ZuCp1252Ersetzt(mitCrLf);
}

std::string Zweistellig(int n) {
    std::string s = std::to_string(n);
    return s.size() < 2 ? "0" + s : s;
}

std::string Vierstellig(int n) {
    std::string s = std::to_string(n);
    while (s.size() < 4) {
        s.insert(s.begin(), '0');
    }
    return s;
}

bool Gleich(const Datum& a, const Datum& b) {
    return a.tag == b.tag && a.monat == b.monat && a.jahr == b.jahr;
}

// Date and time of one day: the date asked before and after the time agree.
std::pair<Datum, Uhrzeit> Zeitpunkt() {
    const auto datum = sgUhr.datum ? sgUhr.datum : SystemDatum;
    const auto uhrzeit = sgUhr.uhrzeit ? sgUhr.uhrzeit : SystemUhrzeit;
    Datum vorher;
    Uhrzeit zeit;
    for (int versuch = 0; versuch < kZeitVersuche; ++versuch) {
        vorher = datum();
        zeit = uhrzeit();
        if (Gleich(vorher, datum())) {
            break;
        }
    }
    return {vorher, zeit};
}

// "Eingang1: 0.000..10.000 V" with the channel's decimals and its unit.
std::string Bereichszeile(const char* art, int i, const Bereich& b, const std::string& einheit) {
    return std::string(art) + std::to_string(i + 1) + ": " + storage::ZahlFest(b.lo, b.stellen) +
           ".." + storage::ZahlFest(b.hi, b.stellen) + " " + einheit + "\n";
}

std::string Spaltenkopf() {
    std::string s = "Datum\tUhrzeit";
    for (int i = 0; i < kKanaele; ++i) {
        s += "\tEing" + std::to_string(i + 1) + "[" +
             config::gKonfig.ineinheit[static_cast<std::size_t>(i)] + "]";
    }
    for (int i = 0; i < kKanaele; ++i) {
        s += "\tAusg" + std::to_string(i + 1) + "[" +
             config::gKonfig.outeinheit[static_cast<std::size_t>(i)] + "]";
    }
    return s + "\n";
}

// A failed write: the pieces since the last whole line are taken back, so
// the log never ends in a torn line; the error lines follow where the file
// still takes them, and the log is closed.
int Scheitern(int code) {
    gProtokollDatei->Verwerfen();
    ProtokollAbbrechen(code);
    return code;
}

// Writes one piece of the log; a failure ends it with `code`.
int Teil(std::string_view utf8, int code) {
    return gProtokollDatei->Schreiben(Dateitext(utf8)) ? 0 : Scheitern(code);
}

int KopfSchreiben() {
    if (int c = Teil(kTextGestartet, kFehlerKopfStart); c != 0) {
        return c;
    }
    std::string eingaenge;
    std::string ausgaenge;
    for (int i = 0; i < kKanaele; ++i) {
        const auto n = static_cast<std::size_t>(i);
        eingaenge += Bereichszeile("Eingang", i, EingangBereich(i), config::gKonfig.ineinheit[n]);
        ausgaenge += Bereichszeile("Ausgang", i, AusgangBereich(i), config::gKonfig.outeinheit[n]);
    }
    if (int c = Teil(eingaenge, kFehlerKopfEingang); c != 0) {
        return c;
    }
    if (int c = Teil(ausgaenge, kFehlerKopfAusgang); c != 0) {
        return c;
    }
    if (int c = Teil(Spaltenkopf(), kFehlerKopfSpalten); c != 0) {
        return c;
    }
    if (!gProtokollDatei->Sichern()) {
        return Scheitern(kFehlerKopfSpalten);
    }
    return 0;
}

std::string Eingaenge() {
    std::string s;
    for (int i = 0; i < kKanaele; ++i) {
        if (i == kKanaele - 1 && !gEingang4Aktiv) {
            s += kNichtAbgefragt;
        } else {
            s += storage::ZahlFest(EingangPhysikalisch(i), EingangBereich(i).stellen);
        }
        s += '\t';
    }
    return s;
}

// The outputs, the last one ending the line instead of a tab. An output that
// took nothing since the start state holds whatever the board has: not known.
std::string Ausgaenge() {
    std::string s;
    for (int i = 0; i < kKanaele; ++i) {
        s += gAusgangGesendet[static_cast<std::size_t>(i)]
                 ? storage::ZahlFest(AusgangPhysikalisch(i), AusgangBereich(i).stellen)
                 : kNichtAbgefragt;
        s += i + 1 < kKanaele ? "\t" : "\n";
    }
    return s;
}

}  // namespace

int ProtokollOeffnen(bool speichern, const DateiWaehlen& waehlen) {
    if (!speichern) {
        ProtokollSchliessen();
        return 0;
    }
    const Dateiwahl wahl = waehlen ? waehlen() : Dateiwahl{Dateiwahl::Ergebnis::Fehler, {}};
    if (wahl.ergebnis == Dateiwahl::Ergebnis::Fehler) {
        return kFehlerDateidialog;
    }
    ProtokollSchliessen();
    if (wahl.ergebnis == Dateiwahl::Ergebnis::Abgebrochen) {
        return 0;
    }
    gProtokollDatei = sgFabrik ? sgFabrik(wahl.pfad) : DateiAnhaengen(wahl.pfad);
    if (!gProtokollDatei) {
        return kFehlerProtokollOeffnen;
    }
    return KopfSchreiben();
}

void ProtokollSchliessen() {
    if (gProtokollDatei) {
        gProtokollDatei->Sichern();
        gProtokollDatei.reset();
    }
}

bool ProtokollOffen() {
    return gProtokollDatei != nullptr;
}

int ProtokollZeileSchreiben(std::string* zeile) {
    if (!gProtokollDatei) {
        return 0;
    }
    const auto [datum, zeit] = Zeitpunkt();
    const std::string zeitteil = Zweistellig(datum.tag) + "." + Zweistellig(datum.monat) + "." +
                                 Vierstellig(datum.jahr) + "\t" + Zweistellig(zeit.stunde) + ":" +
                                 Zweistellig(zeit.minute) + ":" + Zweistellig(zeit.sekunde) + "\t";
    const std::string eingaenge = Eingaenge();
    const std::string ausgaenge = Ausgaenge();
    if (int c = Teil(zeitteil, kFehlerZeileZeit); c != 0) {
        return c;
    }
    if (int c = Teil(eingaenge, kFehlerZeileEingang); c != 0) {
        return c;
    }
    if (int c = Teil(ausgaenge, kFehlerZeileAusgang); c != 0) {
        return c;
    }
    if (!gProtokollDatei->Sichern()) {
        return Scheitern(kFehlerZeileAusgang);
    }
    if (zeile) {
        *zeile = zeitteil + eingaenge + ausgaenge.substr(0, ausgaenge.size() - 1);
    }
    return 0;
}

int ProtokollText(std::string_view text) {
    if (!gProtokollDatei) {
        return 0;
    }
    if (!gProtokollDatei->Schreiben(Dateitext(text)) || !gProtokollDatei->Sichern()) {
        gProtokollDatei->Verwerfen();
        return kFehlerText;
    }
    return 0;
}

void ProtokollAbbrechen(int code) {
    ProtokollText(kTextAbgebrochen);
    ProtokollText(errors::ORV_Fehlermeldung(code));
    ProtokollText("\n");
    ProtokollSchliessen();
}

void UhrSetzen(Uhr uhr) {
    sgUhr = std::move(uhr);
}

void ProtokollfabrikSetzen(Protokollfabrik fabrik) {
    sgFabrik = std::move(fabrik);
}

}  // namespace direct_io
