#pragma once
// mux6ctl's kennlinie commands on the characteristic model: send, read,
// export, import, block and select, with the scaling of --konfig or the
// program's start-up configuration.

#include <optional>

#include "run.h"

namespace ctl {

// The exit status when the words name one of these commands, else nullopt.
std::optional<int> KennlinieAusfuehren(Lauf& l, const Aufruf& a);

}  // namespace ctl
