#pragma once
// mux6ctl curve plot: curve 1 of a curve file as a picture, drawn offscreen by
// the window's own drawing code, for test reports.

#include <functional>
#include <string>

#include "run.h"

namespace ctl {

// Checks the command line (picture format, --breite, --hoehe), then runs
// `laden` (the curve file into the curve state; an exit status, a failure
// already reported) and writes the picture to `ziel`. Needs a QApplication,
// which main() makes for it.
int KurvenbildSchreiben(Lauf& l, const Aufruf& a, const std::string& ziel,
                        const std::function<int()>& laden);

}  // namespace ctl
