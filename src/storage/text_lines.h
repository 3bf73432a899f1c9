#pragma once
// Text files as operators' editors write them: a UTF-8 byte-order mark at the
// start (what common Windows editors put there) is no part of the text, and a
// line ends in LF, CR LF or CR alone.

#include <cstddef>
#include <string>
#include <string_view>

namespace storage {

// The text without a leading UTF-8 byte-order mark.
std::string_view OhneBom(std::string_view text);

// Takes the next line off `rest` into `zeile` (without its end, cut to
// `hoechstens` characters: the rest of an over-long line is dropped and the
// line counts once); false when `rest` is empty. A last line without an end
// counts as a line.
bool NaechsteZeile(std::string_view& rest, std::string_view& zeile,
                   std::size_t hoechstens = std::string_view::npos);

// ---- the importers' lines ------------------------------------------------------
// Fields of a data line stand apart by blanks and tabs.

// A line with nothing to read: empty, blanks only, or a comment ("#" as its
// first character that is not blank).
bool Ueberspringbar(std::string_view zeile);

// The data lines of an imported text: without a leading byte-order mark,
// each line cut to `hoechstens` characters, lines with nothing to read
// skipped but counted.
class Datenzeilen {
  public:
    Datenzeilen(std::string_view text, std::size_t hoechstens)
        : rest_(OhneBom(text)), hoechstens_(hoechstens) {}
    // The next data line and its number, every line counted from 1; false at
    // the end of the text.
    bool Naechste(std::string_view& zeile, int& nummer);

  private:
    std::string_view rest_;
    std::size_t hoechstens_;
    int nummer_ = 0;
};

// The next field from `pos` on, `pos` moved past it; empty at the end of the line.
std::string_view NaechstesFeld(std::string_view zeile, std::size_t& pos);

// What an import gives its window: the code, and the texts of its boxes.
struct Importergebnis {
    int code = 0;
    std::string meldung;     // the "Importfehler" box, shown before the code
    std::string fehlerText;  // a "Fehler" box: the undo step could not be kept
};

// A refused line: "Fehler in Zeile <zeile>:\n<text>" with its code.
Importergebnis Importfehler(int zeile, int code, const std::string& text);

}  // namespace storage
