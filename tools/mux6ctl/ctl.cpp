#include "ctl.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <iterator>
#include <memory>
#include <optional>
#include <ostream>
#include <string_view>

#include "characteristic.h"
#include "config/model.h"
#include "curves/files.h"
#include "curves/model.h"
#include "curves/transfer.h"
#include "device/commands.h"
#include "device/errors.h"
#include "device/link.h"
#include "direct_io.h"
#include "picture.h"
#include "plot_log.h"
#include "run.h"
#include "storage/safe_save.h"

namespace ctl {

const char* const kHilfe =
    "Usage: mux6ctl [options] COMMAND [ARGUMENTS]\n"
    "Talks to MUX-6 boards on a serial line, reads and sets their inputs and\n"
    "outputs, logs measurements and converts curve files, on the same code as the\n"
    "program.\n"
    "\n"
    "Options (anywhere on the line):\n"
    "  --port N        serial port 1..8, mapped as by the program: a file or link\n"
    "                  comN in the working directory, else /dev/ttyS<N-1> (COMN on\n"
    "                  Windows). Default 1\n"
    "  --device PATH   this serial device instead of a port number\n"
    "  --address A     board address 1..8, or & for all boards (start, stop,\n"
    "                  ausgang and curve send only; nobody answers &). Default 1\n"
    "  --baud B        4800, 9600, 19200 or 38400. Default 9600\n"
    "  --force         curve send: send even when the curves differ in length;\n"
    "                  every command: take a damaged curve, characteristic or\n"
    "                  configuration file with what could be kept\n"
    "  --konfig FILE.sko  eingang, ausgang, messen, kennlinie: the scaling of this\n"
    "                  configuration file; else the program's start-up one (the\n"
    "                  section konfig of vek7MKurvengenerator.ini here, or the\n"
    "                  defaults: 0..10 V shown as 0..10 V). Characteristic files\n"
    "                  written carry it\n"
    "  --slot N        kennlinie send, read, select: the board's slot 1..7\n"
    "  --output2 V     kennlinie send, block: output 2's value in its unit,\n"
    "                  instead of the file's\n"
    "  --rise MS       kennlinie send, block: the rise time in ms instead of the\n"
    "                  file's\n"
    "  --trace FILE    every command that talks to a board: each frame and answer\n"
    "                  with the milliseconds since the start into FILE (- for\n"
    "                  standard error), after a first line naming the device\n"
    "  -h, --help      this text\n"
    "\n"
    "Commands:\n"
    "  id                          the identity of the board at the address\n"
    "  scan                        eight lines, for addresses 1..8 in turn: the\n"
    "                              identity of the board there, or -\n"
    "  start, stop                 start or stop the board's curve output\n"
    "  curve send FILE.skr         curve 1 of the file into the board's memory;\n"
    "                              with curves of unequal length only with --force\n"
    "  curve read OUT              the board's curve 1 into a fresh curve state,\n"
    "                              saved as OUT: a curve file for *.skr, the text\n"
    "                              format for *.txt\n"
    "  curve export FILE.skr OUT.txt   curve 1 of the file in the text format\n"
    "  curve import IN.txt OUT.skr     the text as curve 1 of a fresh curve file\n"
    "  curve image FILE.skr OUT.bin    the bytes from 0x1000 to the last sample\n"
    "                              byte, exactly as curve send writes them\n"
    "  curve plot FILE.skr OUT.png|OUT.pdf|OUT.svg [--breite W] [--hoehe H]\n"
    "                              curve 1 of the file whole as the curve window\n"
    "                              draws it (lines and steps), W x H pixels (50..8000,\n"
    "                              default 1000 x 600), the Y axis in the scaling of\n"
    "                              --konfig or the defaults; needs no display\n"
    "  eingang [N]                 input N (1..4), or all four one a line, in its\n"
    "                              physical unit with the channel's decimals;\n"
    "                              ----- for input 4 while the mode byte makes it\n"
    "                              the start/stop input\n"
    "  ausgang N WERT              output N to the physical value WERT, held below\n"
    "                              its limit (grenzeN of the settings file's section\n"
    "                              direkt, else 10); prints the value set. A value\n"
    "                              outside the output's range is refused\n"
    "  ausgang null                all four outputs to physical zero (0 V only when\n"
    "                              the scaling maps 0 V to 0)\n"
    "  messen --intervall S [--anzahl N] [--setze N=WERT ...] --log DATEI\n"
    "                              sets the outputs given as ausgang does, then\n"
    "                              reads the inputs every S seconds (0.2 at least)\n"
    "                              and appends a block to the measurement log DATEI;\n"
    "                              each line goes to standard output as well. Ends\n"
    "                              after N cycles, or on Ctrl-C or SIGTERM, with\n"
    "                              \"Datenerfassung beendet\"; a failed reading ends\n"
    "                              the block with its error lines (exit 1)\n"
    "  kennlinie send FILE.ske --slot N   the characteristic with the file's output-2\n"
    "                              value and rise time into slot N; a board whose\n"
    "                              characteristic memory is not valid gets all\n"
    "                              seven slots initialised first\n"
    "  kennlinie read --slot N OUT  slot N saved as OUT: a characteristic file for\n"
    "                              *.ske (with output-2 value and rise time as\n"
    "                              read), the text format for *.txt\n"
    "  kennlinie export FILE.ske OUT.txt   the characteristic in the text format\n"
    "  kennlinie import IN.txt OUT.ske     the text as a fresh characteristic file\n"
    "  kennlinie block FILE.ske OUT.bin    the 8224 bytes exactly as kennlinie\n"
    "                              send writes them into the slot\n"
    "  kennlinie select --slot N   output 4 to slot N's selection voltage, N volts\n"
    "  kennlinie plot FILE.ske OUT.png|OUT.pdf|OUT.svg [--breite W] [--hoehe H]\n"
    "                              the characteristic as the characteristic window\n"
    "                              draws it, both axes in the units of --konfig\n"
    "  messen plot LOG.txt OUT.png|OUT.pdf|OUT.svg [--block N] [--breite W] [--hoehe H]\n"
    "                              the inputs of block N of a measurement log (the\n"
    "                              last without --block) over time in their units,\n"
    "                              with a legend; lines of one second share it evenly\n"
    "  A damaged curve, characteristic or configuration file (cut short, or a\n"
    "  count or value out of range) is refused unless --force is given.\n"
    "  A file named - is standard input or output; read - writes the text format\n"
    "\n"
    "Exit status: 0 on success; 1 on failure, with \"Fehler #N: \" and the German\n"
    "text of the program's error code N on standard error (an import error first\n"
    "prints its own message; a curve too long for the board's memory and refused\n"
    "unequal lengths print the program's text without a code); 2 for a wrong\n"
    "command line. Results go to standard output; progress of a transfer goes to\n"
    "standard error only when that is a terminal.\n";

namespace {

namespace fs = std::filesystem;

bool Zahl(std::string_view s, int& wert) {
    const auto r = std::from_chars(s.data(), s.data() + s.size(), wert);
    return !s.empty() && r.ec == std::errc() && r.ptr == s.data() + s.size();
}

// Options whose value is kept as text; the command that uses it checks it.
struct Textoption {
    const char* name;
    std::string Aufruf::*feld;
    const char* fehlt;
};
constexpr Textoption kTextoptionen[] = {
    {"--device", &Aufruf::geraet, "--device needs a path"},
    {"--konfig", &Aufruf::konfig, "--konfig needs a configuration file"},
    {"--intervall", &Aufruf::intervall, "--intervall needs seconds"},
    {"--anzahl", &Aufruf::anzahl, "--anzahl needs a number"},
    {"--log", &Aufruf::log, "--log needs a file"},
    {"--slot", &Aufruf::slot, "--slot needs a slot number 1..7"},
    {"--output2", &Aufruf::ausgang2, "--output2 needs a value in output 2's unit"},
    {"--rise", &Aufruf::anstieg, "--rise needs milliseconds above 0"},
    {"--breite", &Aufruf::breite, "--breite needs pixels"},
    {"--hoehe", &Aufruf::hoehe, "--hoehe needs pixels"},
    {"--trace", &Aufruf::spur, "--trace needs a file or -"},
    {"--block", &Aufruf::block, "--block needs a block number from 1"},
};

// 0 or the usage error's text.
std::string Lesen(const std::vector<std::string>& argumente, Aufruf& a) {
    for (std::size_t i = 0; i < argumente.size(); ++i) {
        std::string name = argumente[i];
        std::string wert;
        bool hatWert = false;
        if (name.rfind("--", 0) == 0) {
            const auto gleich = name.find('=');
            if (gleich != std::string::npos) {
                wert = name.substr(gleich + 1);
                name.resize(gleich);
                hatWert = true;
            }
        }
        const auto holen = [&]() {
            if (!hatWert && i + 1 < argumente.size()) {
                wert = argumente[++i];
                hatWert = true;
            }
            return hatWert;
        };
        if (name == "-h" || name == "--help") {
            a.hilfe = true;
        } else if (name == "--force") {
            a.erzwingen = true;
        } else if (name == "--port") {
            // A number outside 1..8 reaches the link, which reports its code.
            if (!holen() || !Zahl(wert, a.port)) {
                return "--port needs a number 1..8";
            }
            a.portGegeben = true;
        } else if (const auto t = std::find_if(std::begin(kTextoptionen), std::end(kTextoptionen),
                                               [&](const Textoption& o) { return name == o.name; });
                   t != std::end(kTextoptionen)) {
            if (!holen() || wert.empty()) {
                return t->fehlt;
            }
            a.*(t->feld) = wert;
        } else if (name == "--setze") {
            if (!holen() || wert.empty()) {
                return "--setze needs N=WERT";
            }
            a.setze.push_back(wert);
        } else if (name == "--address") {
            if (!holen() || wert.size() != 1 ||
                !((wert[0] >= '1' && wert[0] <= '8') || wert[0] == '&')) {
                return "--address needs 1..8 or &";
            }
            a.adresse = wert[0];
        } else if (name == "--baud") {
            // A rate the board does not know reaches the link as well.
            if (!holen() || !Zahl(wert, a.baud)) {
                return "--baud needs a number";
            }
        } else if (name.size() > 1 && name[0] == '-') {
            return "unknown option '" + name + "'";
        } else {
            a.woerter.push_back(argumente[i]);
        }
    }
    if (a.portGegeben && !a.geraet.empty()) {
        return "--port and --device exclude each other";
    }
    return {};
}

bool EndetMit(const std::string& pfad, std::string_view endung) {
    std::string e = fs::path(pfad).extension().string();
    std::transform(e.begin(), e.end(), e.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return e == endung;
}

// A fresh curve state and configuration, as after the program's start.
int Frisch() {
    config::StandardwerteSetzen();
    return curves::KurvenInit();
}

// The curves of a file ("-": standard input) into a fresh state; a damaged
// file only with --force. An exit status.
int Kurvendatei(Lauf& l, const Aufruf& a, const std::string& pfad) {
    if (const int code = Frisch(); code != 0) {
        return l.Fehler(code);
    }
    // The file's configuration plays no part here: the curves are raw counts.
    curves::Ladeergebnis e;
    std::vector<std::uint8_t> bytes;
    if (!Lauf::Strom(pfad)) {
        e = curves::KurvenLadenNach(pfad);
    } else if (l.Einlesen(bytes)) {
        e = curves::KurvendateiEinlesen(bytes, false, {});
    } else {
        e.code = -308435;
    }
    if (e.code != 0) {
        return l.Fehler(e.code);
    }
    if (e.schaden.beschaedigt()) {
        return l.Beschaedigt(a, pfad, curves::Schadensbeschreibung(e.schaden));
    }
    return kErfolg;
}

// Curve 1 as text into a file or, for "-", onto standard output.
int TextSchreiben(Lauf& l, const std::string& ziel) {
    if (!Lauf::Strom(ziel)) {
        return curves::KurvenExportierenNach(ziel);
    }
    return l.Ausgeben(curves::KurvenExportText()) ? 0 : -301442;
}

// The whole curve file into a file or onto standard output.
int KurvenSchreiben(Lauf& l, const std::string& ziel) {
    if (!Lauf::Strom(ziel)) {
        return curves::KurvenSpeichernNach(ziel);
    }
    return l.Ausgeben(curves::KurvendateiBild()) ? 0 : -301433;
}

int Id(Lauf& l, const Aufruf& a) {
    int code = l.Oeffnen(a);
    std::string id;
    if (code == 0) {
        code = device::ORVKAP1_IDLesen(a.port, a.adresse, id);
    }
    if (code != 0) {
        return l.Fehler(code);
    }
    l.aus() << id << '\n';
    return kErfolg;
}

int Suchen(Lauf& l, const Aufruf& a) {
    const int code = l.Oeffnen(a);
    if (code != 0) {
        return l.Fehler(code);
    }
    // A silent address is no error: it is what the scan is for.
    for (char adresse = '1'; adresse <= '8'; ++adresse) {
        std::string id;
        if (device::ORVKAP1_IDLesen(a.port, adresse, id) == 0) {
            l.aus() << id << '\n';
        } else {
            l.aus() << "-\n";
        }
    }
    return kErfolg;
}

int StartStopp(Lauf& l, const Aufruf& a, const char* funktion) {
    int code = l.Oeffnen(a);
    if (code == 0) {
        code = device::ORVKAP1_DeviceFunction(a.port, a.adresse, funktion);
    }
    return code == 0 ? kErfolg : l.Fehler(code);
}

int Senden(Lauf& l, const Aufruf& a, const std::string& datei) {
    if (const int status = Kurvendatei(l, a, datei); status != kErfolg) {
        return status;
    }
    const curves::Laengenpruefung pruefung = curves::KurvenlaengenPruefen();
    if (pruefung.frage) {
        l.Text(pruefung.text);
        if (!a.erzwingen) {
            return l.Text("Nichts gesendet; --force sendet trotzdem.");
        }
    }
    curves::Speicherabbild abbild;
    if (!curves::SpeicherabbildBauen(abbild)) {
        return l.Text(curves::kSpeicherVollText);
    }
    int code = l.Oeffnen(a);
    if (code == 0) {
        code =
            curves::SpeicherabbildSenden(a.port, a.adresse, abbild, l.Anzeige(curves::kSendenText));
        l.AnzeigeBeenden();
    }
    return code == 0 ? kErfolg : l.Fehler(code);
}

int Rueckholen(Lauf& l, const Aufruf& a, const std::string& ziel) {
    const bool skr = EndetMit(ziel, ".skr");
    int code = Frisch();
    if (code == 0) {
        code = l.Oeffnen(a);
    }
    if (code == 0) {
        code = curves::KurvenLesen(a.port, a.adresse, l.Anzeige(curves::kLesenText));
        l.AnzeigeBeenden();
    }
    if (code == 0) {
        code = skr ? KurvenSchreiben(l, ziel) : TextSchreiben(l, ziel);
    }
    return code == 0 ? kErfolg : l.Fehler(code);
}

int Exportieren(Lauf& l, const Aufruf& a, const std::string& datei, const std::string& ziel) {
    if (const int status = Kurvendatei(l, a, datei); status != kErfolg) {
        return status;
    }
    const int code = TextSchreiben(l, ziel);
    return code == 0 ? kErfolg : l.Fehler(code);
}

curves::Importergebnis TextLesen(Lauf& l, const std::string& text) {
    if (!Lauf::Strom(text)) {
        return curves::KurvenImportierenNach(text);
    }
    std::vector<std::uint8_t> bytes;
    if (!l.Einlesen(bytes)) {
        return {-308445, {}, {}};
    }
    return curves::KurvenImportText(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

int Importieren(Lauf& l, const std::string& text, const std::string& ziel) {
    int code = Frisch();
    if (code == 0) {
        const curves::Importergebnis e = TextLesen(l, text);
        if (!e.meldung.empty()) {
            l.Text(e.meldung);
        }
        if (!e.fehlerText.empty()) {
            l.Text(e.fehlerText);
        }
        code = e.code;
    }
    if (code == 0) {
        code = KurvenSchreiben(l, ziel);
    }
    return code == 0 ? kErfolg : l.Fehler(code);
}

int Abbild(Lauf& l, const Aufruf& a, const std::string& datei, const std::string& ziel) {
    if (const int status = Kurvendatei(l, a, datei); status != kErfolg) {
        return status;
    }
    curves::Speicherabbild abbild;
    if (!curves::SpeicherabbildBauen(abbild)) {
        return l.Text(curves::kSpeicherVollText);
    }
    const auto bytes = abbild.Sendebereich();
    if (Lauf::Strom(ziel)) {
        return l.Ausgeben(bytes) ? kErfolg : l.Fehler(-301433);
    }
    const std::string_view inhalt(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    // The image is the curve file's bytes in the board's order: its codes.
    switch (storage::SicherSchreiben(ziel, inhalt)) {
        case storage::Speicherergebnis::Ok:
            return kErfolg;
        case storage::Speicherergebnis::SchreibFehler:
            return l.Fehler(-301433);
        default:
            return l.Fehler(-308432);
    }
}

}  // namespace

bool GrafikBenoetigt(const std::vector<std::string>& argumente) {
    Aufruf a;
    const auto& w = a.woerter;
    return Lesen(argumente, a).empty() && w.size() >= 2 && w[1] == "plot" &&
           (w[0] == "curve" || w[0] == "kennlinie" || w[0] == "messen");
}

namespace {

// The command the words name; its exit status.
int Befehl(Lauf& l, const Aufruf& a) {
    const std::vector<std::string>& w = a.woerter;
    if (w.empty()) {
        return l.Aufruffehler("no command");
    }
    const auto genau = [&](std::size_t n) { return w.size() == n; };
    if (w[0] == "id" && genau(1)) {
        return Id(l, a);
    }
    if (w[0] == "scan" && genau(1)) {
        return Suchen(l, a);
    }
    if (w[0] == "start" && genau(1)) {
        return StartStopp(l, a, "start");
    }
    if (w[0] == "stop" && genau(1)) {
        return StartStopp(l, a, "stopp");
    }
    if (w[0] == "curve" && w.size() >= 2) {
        const std::string& was = w[1];
        if (was == "send" && genau(3)) {
            return Senden(l, a, w[2]);
        }
        if (was == "read" && genau(3)) {
            if (!EndetMit(w[2], ".skr") && !EndetMit(w[2], ".txt") && !Lauf::Strom(w[2])) {
                return l.Aufruffehler("curve read saves *.skr, *.txt or - (text)");
            }
            return Rueckholen(l, a, w[2]);
        }
        if (was == "export" && genau(4)) {
            return Exportieren(l, a, w[2], w[3]);
        }
        if (was == "import" && genau(4)) {
            return Importieren(l, w[2], w[3]);
        }
        if (was == "image" && genau(4)) {
            return Abbild(l, a, w[2], w[3]);
        }
        if (was == "plot" && genau(4)) {
            return KurvenbildSchreiben(l, a, w[3], [&] { return Kurvendatei(l, a, w[2]); });
        }
    }
    if (const std::optional<int> status = KennlinieAusfuehren(l, a)) {
        return *status;
    }
    if (w[0] == "messen" && w.size() == 4 && w[1] == "plot") {
        return MessbildSchreiben(l, a, w[2], w[3]);
    }
    if (const std::optional<int> status = DirektAusfuehren(l, a)) {
        return *status;
    }
    std::string zeile;
    for (const std::string& s : w) {
        zeile += (zeile.empty() ? "" : " ") + s;
    }
    return l.Aufruffehler("unknown command or wrong arguments: '" + zeile + "'");
}

}  // namespace

int Ausfuehren(const std::vector<std::string>& argumente, Umgebung& umgebung) {
    device::ORV_Fehlersprache(1);
    Lauf l(umgebung);
    Aufruf a;
    const std::string fehler = Lesen(argumente, a);
    if (!fehler.empty()) {
        return l.Aufruffehler(fehler);
    }
    if (a.hilfe) {
        umgebung.aus << kHilfe;
        return kErfolg;
    }
    return l.Abschliessen(Befehl(l, a));
}

}  // namespace ctl
