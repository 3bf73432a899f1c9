#pragma once
// Numbers in files and on the line are written and read in the C locale,
// whatever locale the process runs in (a German locale would write commas).

#include <string>
#include <string_view>

namespace storage {

// As printf "%.16g" in the C locale: 10 -> "10", 4.095 -> "4.095".
std::string ZahlG16(double wert);

// As printf "%.<stellen>f" in the C locale.
std::string ZahlFest(double wert, int stellen);

// A whole integer text: white space around it, one '+' or '-' directly before
// the digits, within the signed 32-bit range. False leaves `wert` unchanged.
bool GanzzahlLesen(std::string_view text, int& wert);

enum class ZahlErgebnis {
    Ganz,      // the whole text is the number
    Anfang,    // only a leading part is a number; `wert` holds it
    KeineZahl  // no leading part is a number; `wert` is 0
};

// A decimal floating-point text; "Inf", "+Inf" and "-Inf" in any case are the
// infinities. Leading white space is skipped, as the C library does.
ZahlErgebnis KommazahlLesen(std::string_view text, double& wert);

}  // namespace storage
