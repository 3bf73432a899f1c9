#pragma once
// The "konfig" section of the settings file: the whole record, one key per
// field, the index 0..3 of the channel in place of %d:
//   ineinheit%d inmax%d inmin%d inskalamax%d inskalamin%d
//   outeinheit%d outmax%d outmin%d outskalamax%d outskalamin%d  vinmax voutmax
// Unit texts stand in Windows-1252, at most 8 characters, in double quotes.

#include "config/model.h"
#include "settings/settings.h"

namespace config {

inline constexpr const char* kIniSektion = "konfig";

// k = the defaults, then every key that is present. A double that is not
// wholly a number keeps what its leading part reads as (the settings library's
// rule); a missing unit key gives an empty unit. The record is then made sound
// (KonfigBereinigen): "Inf" is a number to the settings library, not to the
// record.
void KonfigIniLesen(const settings::IniText& ini, Konfig& k);

// Puts voutmax, vinmax and the ten keys of each index; the settings library
// keeps them in alphabetical order.
void KonfigIniSchreiben(settings::IniText& ini, const Konfig& k);

}  // namespace config
