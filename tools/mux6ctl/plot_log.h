#pragma once
// mux6ctl messen plot LOG OUT [--block N]: the inputs of one block of a
// measurement log (the last by default) over time in their units, with a
// legend, drawn by the same graph and picture code as curve plot.

#include <string>

#include "run.h"

namespace ctl {

int MessbildSchreiben(Lauf& l, const Aufruf& a, const std::string& log, const std::string& ziel);

}  // namespace ctl
