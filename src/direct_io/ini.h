#pragma once
// The window's section "direkt" of the settings file: the four output limits
// and the four trace switches. mux6ctl reads the limits from it too, so a
// script is held below the same limits as the operator.

#include <array>

#include "direct_io/model.h"
#include "settings/settings.h"

namespace direct_io {

inline constexpr const char* kIniSektion = "direkt";
// The limit field's value before the settings are read, physical unit.
inline constexpr double kStandardgrenze = 10.0;

struct DirektEinstellungen {
    std::array<double, kKanaele> grenze{kStandardgrenze, kStandardgrenze, kStandardgrenze,
                                        kStandardgrenze};
    std::array<bool, kKanaele> kurve{true, true, true, true};
};

// "grenze1".."grenze4": taken when present and wholly a number, else the value
// stays. "kurve1".."kurve4": any integer but 0 switches the trace on, 0 off;
// missing or not an integer, the switch stays.
void DirektIniLesen(const settings::IniText& ini, DirektEinstellungen& e);

// The limits as doubles, the switches as 1 or 0.
void DirektIniSchreiben(settings::IniText& ini, const DirektEinstellungen& e);

}  // namespace direct_io
