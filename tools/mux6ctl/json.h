#pragma once
// mux6ctl --json: the reading commands' results and every failure as JSON
// objects on standard output, one a line, for scripts.

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "run.h"

namespace ctl {

// A number as the text output shows it ("1.234", "-----"): the same value as
// a JSON number, null for "-----".
nlohmann::json Zahlwert(std::string_view text);

// One object and its line end onto standard output.
void JsonAusgeben(Lauf& l, const nlohmann::json& objekt);

// A measured or set value: {"wert": 1.234, "einheit": "V", "stellen": 3}, or
// null when the text shows "-----".
nlohmann::json Messwert(std::string_view text, const std::string& einheit, int stellen);

// One logged cycle ("24.01.2012\t14:05:09\t<4 inputs>\t<4 outputs>"): its time
// in ISO 8601 and the values with their units.
nlohmann::json Messzeile(std::string_view zeile);

// The curve or characteristic in the state: its segments as stored.
nlohmann::json Kurvenpunkte();
nlohmann::json Kennlinienpunkte(double ausgang2, double anstiegszeit);

}  // namespace ctl
