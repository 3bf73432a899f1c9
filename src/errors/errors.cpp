#include "errors/errors.h"

#include "errors/texts.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

namespace errors {
namespace {

constexpr int kEnglisch = 2;
constexpr int kNieGezeigt = -6;
constexpr const char* kUnbekanntDeutsch = "Ein unbekannter Fehler ist aufgetreten";
constexpr const char* kUnbekanntEnglisch = "A unknown error occured";

int sgSprache = 1;
char sgMeldung[400];

}  // namespace

int FehlerGruppe(int code) {
    return code / 1000;
}  // C++ division truncates towards zero

const char* ORV_Fehlermeldung(int code) {
    const int gruppe = FehlerGruppe(code);
    const bool englisch = sgSprache == kEnglisch;
    const auto& tabelle = detail::kFehlertexte;
    const auto it = std::find_if(tabelle.begin(), tabelle.end(),
                                 [gruppe](const auto& t) { return t.gruppe == gruppe; });
    const char* text = it == tabelle.end() ? (englisch ? kUnbekanntEnglisch : kUnbekanntDeutsch)
                                           : (englisch ? it->englisch : it->deutsch);
    std::snprintf(sgMeldung, sizeof sgMeldung, "%s", text);
    return sgMeldung;
}

void ORV_Fehlersprache(int sprache) {
    sgSprache = sprache;
}

std::optional<std::string> FehlerpopupTitel(int code, const std::string& titel) {
    if (FehlerGruppe(code) == kNieGezeigt)
        return std::nullopt;
    // -code as a 64-bit value: INT_MIN has no positive int.
    return titel + " #" + std::to_string(-static_cast<long long>(code));
}

std::optional<std::string> FehlerpopupTitel(int code) {
    return FehlerpopupTitel(code, sgSprache == kEnglisch ? "Error" : "Fehler");
}

}  // namespace errors
