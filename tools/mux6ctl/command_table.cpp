#include "command_table.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string_view>

#include "characteristic.h"
#include "direct_io.h"
#include "fast.h"
#include "plot_log.h"

namespace ctl {

const char* const kExitstatus =
    "Exit status:\n"
    "  0  success\n"
    "  1  failure: \"Fehler #N: \" and the German text of the program's error code N\n"
    "     on standard error (with --json also {\"fehler\": N, \"text\": \"...\"} on\n"
    "     standard output); an import error first prints its own message, a curve\n"
    "     too long for the board's memory and refused unequal lengths print the\n"
    "     program's text without a code; a result that could not be written to\n"
    "     standard output is a failure too\n"
    "  2  a wrong command line\n";

namespace {

constexpr const char* kBeschreibung =
    "Talks to MUX-6 boards on a serial line, reads and sets their inputs and\n"
    "outputs, logs measurements and converts curve and characteristic files, on\n"
    "the same code as the program. Commands and options are German; the older\n"
    "English spellings are still accepted.";

constexpr const char* kFuss =
    "A damaged curve, characteristic or configuration file (cut short, or a count\n"
    "out of range) is refused unless --erzwingen is given. A file named - is\n"
    "standard input or output; lesen - writes the text format. Results go to\n"
    "standard output; progress of a transfer goes to standard error only when\n"
    "that is a terminal and the trace does not go there. -- ends the options: what follows are "
    "arguments.\n\n";

constexpr const char* kPlatine =
    "id|suchen|start|stopp|kurve senden|kurve lesen|eingang|"
    "ausgang|messen|kennlinie senden|kennlinie lesen|"
    "kennlinie waehlen";
constexpr const char* kSkalierung = "eingang|ausgang|messen|kennlinie|kurve zeichnen";
constexpr const char* kBild = "kurve zeichnen|kennlinie zeichnen|messen zeichnen";

// clang-format off
constexpr Befehl kBefehle[] = {
    {"", "id", "", "", "the identity of the board at the address", 0, 0, &GeraetAusfuehren, false},
    {"", "suchen", "scan", "", "eight lines, for addresses 1..8 in turn: the identity of the "
     "board there, or -", 0, 0, &GeraetAusfuehren, false},
    {"", "start", "", "", "start the board's curve output", 0, 0, &GeraetAusfuehren, false},
    {"", "stopp", "stop", "", "stop the board's curve output", 0, 0, &GeraetAusfuehren, false},
    {"", "baudrate", "", "B", "switch the board at --baud to B and confirm it there (a board "
     "left at another rate: mux6ctl --baud 19200 baudrate 9600)", 1, 1, &BaudrateAusfuehren,
     false},
    {"", "kurve", "curve", "", "curve files and the board's curve memory", 0, 0, nullptr, false},
    {"kurve", "senden", "send", "DATEI.skr", "curve 1 of the file into the board's memory; "
     "with curves of unequal length only with --erzwingen", 1, 1, &KurveAusfuehren, false},
    {"kurve", "lesen", "read", "ZIEL", "the board's curve 1 into a fresh curve state, saved "
     "as ZIEL: a curve file for *.skr, the text format for *.txt or -", 1, 1, &KurveAusfuehren,
     false},
    {"kurve", "exportieren", "export", "DATEI.skr ZIEL.txt", "curve 1 of the file in the text "
     "format", 2, 2, &KurveAusfuehren, false},
    {"kurve", "importieren", "import", "QUELLE.txt ZIEL.skr", "the text as curve 1 of a fresh "
     "curve file", 2, 2, &KurveAusfuehren, false},
    {"kurve", "abbild", "image", "DATEI.skr ZIEL.bin", "the bytes from 0x1000 to the last "
     "sample byte, exactly as kurve senden writes them", 2, 2, &KurveAusfuehren, false},
    {"kurve", "zeichnen", "plot", "DATEI.skr BILD.png|pdf|svg", "curve 1 of the file whole "
     "as the curve window draws it (lines and steps), --breite x --hoehe pixels (50..8000, "
     "default 1000 x 600), the Y axis in the scaling of --konfig; needs no display", 2, 2,
     &KurveAusfuehren, true},
    {"", "eingang", "", "[N]", "input N (1..4), or all four one a line, in its physical unit "
     "with the channel's decimals; ----- for input 4 while the mode byte makes it the "
     "start/stop input", 0, 1, &DirektAusfuehren, false},
    {"", "ausgang", "", "N WERT | null", "output N to the physical value WERT, held below its "
     "limit (grenzeN of the settings file's section direkt, else 10), a value outside the "
     "output's range refused; prints the value set. null: all four outputs to physical zero",
     1, 2, &DirektAusfuehren, false},
    {"", "messen", "", "", "sets the outputs of --setze as ausgang does, then reads the inputs "
     "every --intervall seconds (0.2 at least) and appends a block to the measurement log "
     "--protokoll (- : standard output); else each line goes to standard output as well. "
     "Ends after --anzahl cycles, or on Ctrl-C or SIGTERM, with \"Datenerfassung beendet\"; "
     "a failed reading or log line ends the block with its error lines (exit 1). An output "
     "this run did not set is logged as -----", 0, 0, &DirektAusfuehren, false},
    {"messen", "zeichnen", "plot", "PROTOKOLL.txt BILD.png|pdf|svg", "the inputs of block "
     "--block of a measurement log (the last without it) over time in their units, with a "
     "legend, --breite x --hoehe pixels; the lines of one second share it evenly", 2, 2,
     &MessbildAusfuehren, true},
    {"", "kennlinie", "", "", "characteristic files and the board's slots", 0, 0, nullptr,
     false},
    {"kennlinie", "senden", "send", "DATEI.ske", "the characteristic with the file's output-2 "
     "value and rise time into slot --platz; a board whose characteristic memory is not valid "
     "gets all seven slots initialised first", 1, 1, &KennlinieAusfuehren, false},
    {"kennlinie", "lesen", "read", "ZIEL", "slot --platz saved as ZIEL: a characteristic file "
     "for *.ske (with output-2 value and rise time as read), the text format for *.txt or -",
     1, 1, &KennlinieAusfuehren, false},
    {"kennlinie", "exportieren", "export", "DATEI.ske ZIEL.txt", "the characteristic in the "
     "text format", 2, 2, &KennlinieAusfuehren, false},
    {"kennlinie", "importieren", "import", "QUELLE.txt ZIEL.ske", "the text as a fresh "
     "characteristic file", 2, 2, &KennlinieAusfuehren, false},
    {"kennlinie", "block", "", "DATEI.ske ZIEL.bin", "the 8224 bytes exactly as kennlinie "
     "senden writes them into the slot", 2, 2, &KennlinieAusfuehren, false},
    {"kennlinie", "waehlen", "select", "", "output 4 to slot --platz's selection voltage, N "
     "volts", 0, 0, &KennlinieAusfuehren, false},
    {"kennlinie", "zeichnen", "plot", "DATEI.ske BILD.png|pdf|svg", "the characteristic as the "
     "characteristic window draws it, --breite x --hoehe pixels, both axes in the units of "
     "--konfig; needs no display", 2, 2, &KennlinieAusfuehren, true},
};

constexpr Option kOptionen[] = {
    {"--port", "N", &Aufruf::port, "serial port 1..8, mapped as by the program: a file or "
     "link comN in the working directory, else /dev/ttyS<N-1> (COMN on Windows). Default 1",
     kPlatine},
    {"--geraet,--device", "PFAD", &Aufruf::geraet, "this serial device instead of a port "
     "number", kPlatine},
    {"--adresse,--address", "A", &Aufruf::adresseText, "board address 1..8, or & for all "
     "boards (start, stopp, ausgang and kurve senden only; nobody answers &). Default 1",
     kPlatine},
    {"--baud", "B", &Aufruf::baud, "4800, 9600, 19200 or 38400. Default 9600", kPlatine},
    {"--erzwingen,--force", "", &Aufruf::erzwingen, "kurve senden: send even when the curves "
     "differ in length; every command: take a damaged curve, characteristic or configuration "
     "file with what could be kept", ""},
    {"--konfig", "DATEI.sko", &Aufruf::konfig, "the scaling of this configuration file; else "
     "the program's start-up one (section konfig of vek7MKurvengenerator.ini here, or 0..10 V "
     "shown as 0..10 V). Characteristic files written carry it", kSkalierung},
    {"--platz,--slot", "N", &Aufruf::slot, "the board's characteristic slot 1..7",
     "kennlinie senden|kennlinie lesen|kennlinie waehlen"},
    {"--ausgang2,--output2", "WERT", &Aufruf::ausgang2, "output 2's value in its unit, instead "
     "of the file's", "kennlinie senden|kennlinie block"},
    {"--anstieg,--rise", "MS", &Aufruf::anstieg, "the rise time in ms instead of the file's",
     "kennlinie senden|kennlinie block"},
    {"--breite", "W", &Aufruf::breite, "the picture's width in pixels", kBild},
    {"--hoehe", "H", &Aufruf::hoehe, "the picture's height in pixels", kBild},
    {"--block", "N", &Aufruf::block, "the block of the measurement log, 1 for the first",
     "messen zeichnen"},
    {"--spur,--trace", "DATEI", &Aufruf::spur, "each frame and answer on the line with the "
     "milliseconds since the start into DATEI (- : standard error), after a first line naming "
     "the device", kPlatine},
    {"--intervall", "S", &Aufruf::intervall, "seconds between two readings", "messen"},
    {"--anzahl", "N", &Aufruf::anzahl, "this many cycles, then the end", "messen"},
    {"--setze", "N=WERT", &Aufruf::setze, "output N to WERT first (may be repeated)", "messen"},
    {"--protokoll,--log", "DATEI", &Aufruf::log, "the measurement log", "messen"},
    {"--schnell,--fast", "", &Aufruf::schnell, "--schnell[=B]: the transfer "
     "at B baud (38400, or 19200): the board is switched to B and confirmed by its identity, then "
     "switched back to 9600 and confirmed, after a failure, Ctrl-C or SIGTERM too; a board "
     "silent at B is written at 9600 after a note. Not for &",
     "kurve senden|kurve lesen|kennlinie senden|kennlinie lesen"},
    {"--pruefen,--verify", "", &Aufruf::pruefen, "read what was written back and compare it "
     "byte for byte", "kurve senden|kennlinie senden"},
    {"--alle-raten,--all-rates", "", &Aufruf::alleRaten, "try 9600, 4800, 19200 and 38400 and "
     "name the rate each board answered at", "suchen"},
    {"--json", "", &Aufruf::json, "one JSON object on standard output instead of the text "
     "(messen: one a cycle)", "id|suchen|eingang|kurve lesen|kennlinie lesen|messen"},
};
// clang-format on

// Options that mean nothing elsewhere and would mislead a script there: a
// usage error on any command not in their list.
constexpr const char* kNurBeiIhrenBefehlen[] = {"--json"};

// The usage error's text when such an option is given to `b`, else empty.
std::string Fehl(const CLI::App& app, const Befehl& b) {
    for (const char* name : kNurBeiIhrenBefehlen) {
        const auto o = std::find_if(
            std::begin(kOptionen), std::end(kOptionen),
            [&](const Option& x) { return std::string_view(x.namen).starts_with(name); });
        if (o == std::end(kOptionen) || app.count(name) == 0)
            continue;
        const std::vector<std::string> befehle = Teile(o->befehle, '|');
        if (std::find(befehle.begin(), befehle.end(), Pfad(b)) == befehle.end())
            return std::string(name) + " is only for " + o->befehle;
    }
    return {};
}

constexpr std::size_t kSpalte = 30;
constexpr std::size_t kBreite = 79;

// "  name      text", the text wrapped at word ends into its column.
std::string Hilfezeile(const std::string& name, const std::string& text) {
    std::string zeile = "  " + name;
    std::string aus;
    const auto umbrechen = [&] {
        aus += zeile + "\n";
        zeile.assign(kSpalte, ' ');
    };
    if (zeile.size() + 1 > kSpalte)
        umbrechen();
    zeile.resize(kSpalte, ' ');
    std::istringstream woerter(text);
    bool erstes = true;
    for (std::string w; woerter >> w; erstes = false) {
        if (!erstes && zeile.size() + 1 + w.size() > kBreite)
            umbrechen();
        else if (!erstes)
            zeile += ' ';
        zeile += w;
    }
    return aus + zeile + "\n";
}

// Wrapped at 79 columns; the top-level help lists the commands of each group
// as well, with the group's name in front and each name and alias once:
// "kurve senden, send".
class Hilfeformat final : public CLI::Formatter {
  public:
    // The usage line first, then the description, as man pages made from the
    // help (help2man) and scripts reading its first line expect.
    std::string make_help(const CLI::App* app, std::string name,
                          CLI::AppFormatMode mode) const override {
        if (mode == CLI::AppFormatMode::Sub)
            return make_expanded(app);
        return make_usage(app, name) + "\n" + make_description(app) + make_positionals(app) +
               make_groups(app, mode) + make_subcommands(app, mode) + '\n' + make_footer(app);
    }
    std::string make_subcommand(const CLI::App* sub) const override {
        const CLI::App* gruppe = sub->get_parent();
        const bool unten = gruppe && gruppe->get_parent();
        std::string name = sub->get_display_name(true);
        if (unten)
            name = gruppe->get_name() + " " + name;
        std::string text = Hilfezeile(name, sub->get_description());
        if (!unten)
            for (const CLI::App* u : sub->get_subcommands({}))
                text += make_subcommand(u);
        return text;
    }
    std::string make_option(const CLI::Option* o, bool positional) const override {
        return Hilfezeile(make_option_name(o, positional) + make_option_opts(o),
                          make_option_desc(o));
    }
};

struct Bau {
    CLI::App app{kBeschreibung, "mux6ctl"};
    std::map<const CLI::App*, const Befehl*> befehle;
};

void OptionAnlegen(CLI::App& app, const Option& o, Aufruf& a) {
    CLI::Option* opt = std::visit(
        [&](auto feld) -> CLI::Option* {
            using Feld = decltype(feld);
            constexpr bool kSchalter = std::is_same_v<Feld, bool Aufruf::*>;
            // A number without a value's name counts when given bare
            // (--schnell) and takes one after '=' (--schnell=19200).
            if constexpr (kSchalter || std::is_same_v<Feld, int Aufruf::*>)
                if (kSchalter || !*o.wert)
                    return app.add_flag(o.namen, a.*feld, o.hilfe);
            return app.add_option(o.namen, a.*feld, o.hilfe);
        },
        o.ziel);
    if (*o.wert)
        opt->type_name(o.wert);
}

std::unique_ptr<Bau> Bauen(Aufruf& a) {
    auto bau = std::make_unique<Bau>();
    CLI::App& app = bau->app;
    app.formatter(std::make_shared<Hilfeformat>());
    app.set_help_flag("-h,--hilfe,--help", "this text");
    app.footer(std::string(kFuss) + kExitstatus);
    app.require_subcommand(0, 1);
    app.fallthrough();
    for (const Option& o : kOptionen)
        OptionAnlegen(app, o, a);
    std::map<std::string, CLI::App*> gruppen{{"", &app}};
    for (const Befehl& b : kBefehle) {
        CLI::App* sub = gruppen.at(b.gruppe)->add_subcommand(
            b.name, *b.argumente ? std::string(b.argumente) + ": " + b.hilfe : b.hilfe);
        for (const std::string& alias : Teile(b.aliase, ','))
            sub->alias(alias);
        sub->fallthrough();
        // A command may have commands of its own ("messen zeichnen").
        gruppen[b.name] = sub;
        if (!b.ausfuehren) {
            sub->require_subcommand(1);
            continue;
        }
        if (b.hoechstens > 0)
            sub->add_option("argumente", a.woerter, b.argumente)
                ->type_name(b.argumente)
                ->expected(b.mindestens, b.hoechstens)
                ->required(b.mindestens > 0);
        bau->befehle[sub] = &b;
    }
    return bau;
}

// The command chosen, its path in front of its arguments.
const Befehl* Gewaehlt(const Bau& bau, Aufruf& a) {
    const CLI::App* app = &bau.app;
    while (!app->get_subcommands().empty())
        app = app->get_subcommands().front();
    const auto b = bau.befehle.find(app);
    if (b == bau.befehle.end())
        return nullptr;
    std::vector<std::string> pfad;
    if (*b->second->gruppe)
        pfad.emplace_back(b->second->gruppe);
    pfad.emplace_back(b->second->name);
    a.woerter.insert(a.woerter.begin(), pfad.begin(), pfad.end());
    return b->second;
}

}  // namespace

std::span<const Befehl> Befehle() {
    return kBefehle;
}

std::string Pfad(const Befehl& b) {
    return *b.gruppe ? std::string(b.gruppe) + " " + b.name : b.name;
}

std::vector<std::string> Teile(const char* liste, char trenner) {
    std::vector<std::string> teile;
    std::istringstream s(liste);
    for (std::string t; std::getline(s, t, trenner);)
        if (!t.empty())
            teile.push_back(t);
    return teile;
}

std::span<const Option> Optionen() {
    return kOptionen;
}

Zerlegung Zerlegen(const std::vector<std::string>& argumente, Aufruf& a) {
    Zerlegung z;
    const std::unique_ptr<Bau> bau = Bauen(a);
    std::vector<std::string> rueckwaerts(argumente.rbegin(), argumente.rend());
    try {
        bau->app.parse(rueckwaerts);
    } catch (const CLI::CallForHelp&) {
        z.art = Zerlegung::Art::Hilfe;
        z.text = bau->app.help();
        return z;
    } catch (const CLI::ParseError& e) {
        z.text = e.what();
        return z;
    }
    a.portGegeben = bau->app.count("--port") > 0;
    if (a.portGegeben && !a.geraet.empty()) {
        z.text = "--port and --geraet exclude each other";
        return z;
    }
    if (!a.adresseText.empty()) {
        const char c = a.adresseText[0];
        if (a.adresseText.size() != 1 || !((c >= '1' && c <= '8') || c == '&')) {
            z.text = "--adresse needs 1..8 or &";
            return z;
        }
        a.adresse = c;
    }
    z.befehl = Gewaehlt(*bau, a);
    if (!z.befehl) {
        z.text = "no command";
        return z;
    }
    z.text = Fehl(bau->app, *z.befehl);
    if (!z.text.empty())
        return z;
    z.art = Zerlegung::Art::Befehl;
    return z;
}

}  // namespace ctl
