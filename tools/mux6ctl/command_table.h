#pragma once
// mux6ctl's command line as one table: every command and every option with
// its German name, the older spellings it still answers to, its help text and
// what runs it. The parser, --help and the shell completion are all made from
// it, so none of them can drift from the others. A new command or option is
// one entry in kBefehle or kOptionen (command_table.cpp).

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "run.h"

namespace ctl {

// Runs a command: its words are in Aufruf::woerter, the command's own path
// first ("kurve", "senden", then the arguments). nullopt: the arguments do
// not fit the command, a usage error.
using Ausfuehrung = std::optional<int> (*)(Lauf& l, const Aufruf& a);

struct Befehl {
    // The group it belongs to ("" at the top, "kurve" for "kurve senden").
    const char* gruppe;
    const char* name;
    // Older spellings, comma-separated, still accepted ("" when none).
    const char* aliase;
    // The arguments as the help shows them ("" when none).
    const char* argumente;
    const char* hilfe;
    // How many arguments it takes; a group takes none and has no `ausfuehren`.
    int mindestens;
    int hoechstens;
    Ausfuehrung ausfuehren;
    // Draws a picture: needs the widgets' application object.
    bool grafik;
};

// Where an option's value goes: a text, a whole number, a switch, a list.
using Ziel = std::variant<std::string Aufruf::*, int Aufruf::*, bool Aufruf::*,
                          std::vector<std::string> Aufruf::*>;

struct Option {
    // The name, then the older spellings: "--adresse,--address".
    const char* namen;
    // The value's name in the help ("" for a switch).
    const char* wert;
    Ziel ziel;
    const char* hilfe;
    // The commands that use it, space-separated paths joined by "|"
    // ("kurve senden|messen"); "" for every command. The completion offers it
    // after these; the parser takes it anywhere on the line.
    const char* befehle;
};

std::span<const Befehl> Befehle();
// "kurve senden": the group's name, then the command's.
std::string Pfad(const Befehl& b);
// The pieces of a list ("senden,send" by ',').
std::vector<std::string> Teile(const char* liste, char trenner);
std::span<const Option> Optionen();

struct Zerlegung {
    // What to do: run `befehl`, print the help, or report a usage error.
    enum class Art { Befehl, Hilfe, Aufruffehler } art = Art::Aufruffehler;
    const Befehl* befehl = nullptr;
    std::string text;  // the help or the usage error's text
};

// The arguments after the program name into `a`.
Zerlegung Zerlegen(const std::vector<std::string>& argumente, Aufruf& a);

// The bash completion script for mux6ctl, made from the tables.
std::string BashVervollstaendigung();

// The exit statuses, as --help and the man page list them.
extern const char* const kExitstatus;

}  // namespace ctl
