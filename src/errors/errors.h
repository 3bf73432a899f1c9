#pragma once
// Error codes and their texts. A code is -(G * 1000 + N): G picks the text,
// N names the check that failed, so a number the operator reads out can be
// traced to its site.

#include <optional>
#include <string>

namespace errors {

// Code ÷ 1000, truncated towards zero: -999 .. -1 fall into group 0.
int FehlerGruppe(int code);

// The text of the code's group in the current language; an unknown group gives
// the default text. The pointer stays valid until the next call.
const char* ORV_Fehlermeldung(int code);

// 2 selects English, every other value German (the start value is 1).
void ORV_Fehlersprache(int sprache);

// The title of the error box, "Fehler #<-code>" ("Error #" in English), or
// nullopt for group -6, which is never shown.
std::optional<std::string> FehlerpopupTitel(int code);
std::optional<std::string> FehlerpopupTitel(int code, const std::string& titel);

}  // namespace errors
