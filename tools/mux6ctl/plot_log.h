#pragma once
// mux6ctl messen zeichnen LOG BILD [--block N]: the inputs of one block of a
// measurement log (the last by default) over time in their units, with a
// legend, drawn by the same graph and picture code as kurve zeichnen.

#include <optional>
#include <string>

#include "run.h"

namespace ctl {

int MessbildSchreiben(Lauf& l, const Aufruf& a, const std::string& log, const std::string& ziel);

// The command table's entry: "messen zeichnen PROTOKOLL BILD".
std::optional<int> MessbildAusfuehren(Lauf& l, const Aufruf& a);

}  // namespace ctl
