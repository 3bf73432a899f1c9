#pragma once
// What every mux6ctl command shares: the command line as read, and one run
// with its port, its output streams and its way of reporting failures.

#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ctl.h"
#include "curves/transfer.h"
#include "fast.h"
#include "trace.h"

namespace ctl {

struct Aufruf {
    int port = 1;
    bool portGegeben = false;
    std::string geraet;
    char adresse = '1';
    std::string adresseText;  // as written; checked into `adresse`
    // The reading commands print JSON instead of text.
    bool json = false;
    int baud = 9600;
    bool erzwingen = false;
    bool hilfe = false;
    // The configuration file for the scaling; empty: the program's start-up one.
    std::string konfig;
    // messen: as written on the line, checked by the command.
    std::string intervall;
    std::string anzahl;
    std::vector<std::string> setze;
    std::string log;
    // kennlinie: as written on the line, checked by the command.
    std::string slot;
    std::string ausgang2;
    std::string anstieg;
    // the pictures: the picture's size in pixels, as written on the line.
    std::string breite;
    std::string hoehe;
    // --schnell: the rate of the transfer, 0 for none; --pruefen; suchen --alle-raten.
    int schnell = 0;
    bool pruefen = false;
    bool alleRaten = false;
    // messen zeichnen: the block, as written on the line.
    std::string block;
    // --spur: the frame trace's file, "-" for standard error.
    std::string spur;
    // The command's path ("kurve", "senden"), then its arguments.
    std::vector<std::string> woerter;
};

// A "code" for Lauf::Fehler that only fails: the reason is on standard error already.
inline constexpr int kSchonGemeldet = 1;
// Standard output did not take the result (a full disk, a closed pipe).
inline constexpr int kFehlerAusgabe = -301480;

class Lauf {
  public:
    explicit Lauf(Umgebung& u) : u_(u) {}
    ~Lauf();
    Lauf(const Lauf&) = delete;
    Lauf& operator=(const Lauf&) = delete;

    // --json: a failure puts its object on standard output as well.
    void JsonSetzen(bool json) { json_ = json; }
    // Each returns the exit status it stands for.
    int Aufruffehler(const std::string& text);
    int Fehler(int code);
    int Text(const std::string& text);
    // The command's status, made a failure when its standard output was not
    // written whole (a result nobody got is no success) or the trace lost a
    // line.
    int Abschluss(int status);
    std::ostream& aus() { return u_.aus; }

    // "-" names standard input or output wherever a file is named.
    static bool Strom(const std::string& pfad) { return pfad == "-"; }
    // Standard input whole; false when there is none or it broke off.
    bool Einlesen(std::vector<std::uint8_t>& bytes);
    // Bytes to standard output; false when they did not all go.
    bool Ausgeben(std::string_view bytes);
    bool Ausgeben(std::span<const std::uint8_t> bytes);

    // A file that loaded although damaged: what was wrong, then exit 1 unless
    // --force. kErfolg when the command goes on with what was kept.
    int Beschaedigt(const Aufruf& a, const std::string& datei, const std::string& schaden);

    // --konfig into gKonfig, when given: 0, the load's code, or
    // kSchonGemeldet for a damaged file refused.
    int KonfigLaden(const Aufruf& a);
    Umgebung& umgebung() { return u_; }

    // Opens the port with the program's line settings and time-out; the port
    // is closed when the run ends. With --schnell the board is switched up.
    int Oeffnen(const Aufruf& a);

    // Progress of a transfer on standard error, when asked for.
    curves::Fortschritt Anzeige(const char* text);
    void AnzeigeBeenden();

  private:
    Umgebung& u_;
    Spurdatei spur_;
    int offen_ = -1;
    bool zeileOffen_ = false;
    bool spurAufFehler_ = false;
    bool json_ = false;
    Ratenwechsel wechsel_;
};

// The commands of ctl.cpp: id, suchen, start, stopp, and the kurve group.
// nullopt: the words do not fit.
std::optional<int> GeraetAusfuehren(Lauf& l, const Aufruf& a);
std::optional<int> KurveAusfuehren(Lauf& l, const Aufruf& a);

}  // namespace ctl
