#pragma once
// mux6ctl's commands on the direct input/output model: eingang, ausgang and
// messen, with the scaling of --konfig or the program's start-up configuration.

#include <optional>

#include "run.h"

namespace ctl {

// The exit status when the words name one of these commands, else nullopt.
std::optional<int> DirektAusfuehren(Lauf& l, const Aufruf& a);

}  // namespace ctl
