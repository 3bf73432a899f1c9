#pragma once
// The message table behind ORV_Fehlermeldung, one row per group.

#include <array>

namespace errors::detail {

struct Fehlertext {
    int gruppe;
    const char* deutsch;
    const char* englisch;
};

extern const std::array<Fehlertext, 133> kFehlertexte;

}  // namespace errors::detail
