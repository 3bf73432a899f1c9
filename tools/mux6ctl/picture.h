#pragma once
// mux6ctl's pictures (kurve zeichnen, kennlinie zeichnen, messen zeichnen): drawn
// offscreen by the windows' own drawing code into a graph of the size asked
// for, for test reports.

#include <functional>
#include <string>

#include "run.h"

namespace ui {
class Graph;
}

namespace ctl {

// Checks the command line (picture format, --breite, --hoehe; `befehl` names
// the command in the refusal), runs `laden` (an exit status, a failure
// already reported), takes --konfig, lets `zeichnen` draw (false: no memory
// for it) and writes the picture to `ziel`. Needs a QApplication, which
// main() makes for it.
int BildSchreiben(Lauf& l, const Aufruf& a, const std::string& befehl, const std::string& ziel,
                  const std::function<int()>& laden,
                  const std::function<bool(ui::Graph&)>& zeichnen);

// Checks the command line (picture format, --breite, --hoehe), then runs
// `laden` (the curve file into the curve state; an exit status, a failure
// already reported) and writes the picture to `ziel`. Needs a QApplication,
// which main() makes for it.
// kennlinie zeichnen: the characteristic `laden` loads, as the characteristic
// window draws it.
int KennlinienbildSchreiben(Lauf& l, const Aufruf& a, const std::string& ziel,
                            const std::function<int()>& laden);

int KurvenbildSchreiben(Lauf& l, const Aufruf& a, const std::string& ziel,
                        const std::function<int()>& laden);

}  // namespace ctl
