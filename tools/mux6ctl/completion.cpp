// The bash completion of mux6ctl, written from the command table: the commands
// and their older spellings, the group's commands after a group ("kurve" ->
// "senden send ..."), the options a command takes, and file names for
// arguments and for options that take a value.

#include <map>
#include <set>
#include <sstream>
#include <string>

#include "command_table.h"

namespace ctl {

namespace {

std::string Verbunden(const std::set<std::string>& woerter) {
    std::string s;
    for (const std::string& w : woerter)
        s += (s.empty() ? "" : " ") + w;
    return s;
}

// Whether option `o` belongs to the command at `pfad` (a group's options are
// its commands' options).
bool Gehoert(const Option& o, const std::string& pfad) {
    if (!*o.befehle)
        return true;
    for (const std::string& b : Teile(o.befehle, '|'))
        if (b == pfad || b.starts_with(pfad + " ") || pfad.starts_with(b + " "))
            return true;
    return false;
}

}  // namespace

std::string BashVervollstaendigung() {
    // Words after a path, every spelling of a word leading to the path it names.
    std::map<std::string, std::set<std::string>> unter;
    std::map<std::string, std::string> weiter;
    for (const Befehl& b : Befehle()) {
        std::vector<std::string> namen = Teile(b.aliase, ',');
        namen.insert(namen.begin(), b.name);
        for (const std::string& n : namen) {
            unter[b.gruppe].insert(n);
            weiter[*b.gruppe ? std::string(b.gruppe) + " " + n : n] = Pfad(b);
        }
    }
    std::set<std::string> mitWert;
    std::map<std::string, std::set<std::string>> optionen;
    for (const Option& o : Optionen()) {
        for (const std::string& n : Teile(o.namen, ',')) {
            if (*o.wert)
                mitWert.insert(n);
            optionen[""].insert(n);
            for (const auto& [von, pfad] : weiter)
                if (Gehoert(o, pfad))
                    optionen[pfad].insert(n);
        }
    }
    optionen[""].insert("--hilfe");
    std::ostringstream s;
    s << "# bash completion for mux6ctl, written by mux6ctl from its command table\n"
         "_mux6ctl() {\n"
         "    local -A unter=(\n";
    // bash keys cannot be empty: the top level is "_".
    const auto schluessel = [](const std::string& pfad) { return pfad.empty() ? "_" : pfad; };
    for (const auto& [pfad, woerter] : unter)
        s << "        [\"" << schluessel(pfad) << "\"]=\"" << Verbunden(woerter) << "\"\n";
    s << "    )\n    local -A weiter=(\n";
    for (const auto& [von, pfad] : weiter)
        s << "        [\"" << von << "\"]=\"" << pfad << "\"\n";
    s << "    )\n    local -A optionen=(\n";
    for (const auto& [pfad, namen] : optionen)
        s << "        [\"" << schluessel(pfad) << "\"]=\"" << Verbunden(namen) << "\"\n";
    s << "    )\n"
         "    local mitwert=\" "
      << Verbunden(mitWert)
      << " \"\n"
         "    local cur=\"${COMP_WORDS[COMP_CWORD]}\" pfad=\"\" w k i\n"
         "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
         "        w=\"${COMP_WORDS[i]}\"\n"
         "        [[ $w == -- ]] && break\n"
         "        if [[ $mitwert == *\" $w \"* ]]; then\n"
         "            ((i++))\n"
         "            continue\n"
         "        fi\n"
         "        k=\"${pfad:+$pfad }$w\"\n"
         "        [[ -n ${weiter[$k]+x} ]] && pfad=\"${weiter[$k]}\"\n"
         "    done\n"
         "    COMPREPLY=()\n"
         "    if ((COMP_CWORD > 1)) && [[ $mitwert == *\" ${COMP_WORDS[COMP_CWORD - 1]} \"* ]]; "
         "then\n"
         "        return 0\n"
         "    fi\n"
         "    pfad=\"${pfad:-_}\"\n"
         "    if [[ $cur == -* ]]; then\n"
         "        COMPREPLY=($(compgen -W \"${optionen[$pfad]}\" -- \"$cur\"))\n"
         "    elif [[ -n ${unter[$pfad]+x} ]]; then\n"
         "        COMPREPLY=($(compgen -W \"${unter[$pfad]}\" -- \"$cur\"))\n"
         "    fi\n"
         "    return 0\n"
         "}\n"
         "# Arguments and option values are files: the default completion gives them.\n"
         "complete -o default -F _mux6ctl mux6ctl\n";
    return s.str();
}

}  // namespace ctl
