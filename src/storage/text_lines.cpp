#include "storage/text_lines.h"

namespace storage {

std::string_view OhneBom(std::string_view text) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (text.substr(0, kBom.size()) == kBom)
        text.remove_prefix(kBom.size());
    return text;
}

bool NaechsteZeile(std::string_view& rest, std::string_view& zeile, std::size_t hoechstens) {
    if (rest.empty())
        return false;
    const std::size_t ende = rest.find_first_of("\r\n");
    zeile = rest.substr(0, ende).substr(0, hoechstens);
    if (ende == std::string_view::npos) {
        rest = {};
        return true;
    }
    const bool crlf = rest[ende] == '\r' && ende + 1 < rest.size() && rest[ende + 1] == '\n';
    rest.remove_prefix(ende + (crlf ? 2 : 1));
    return true;
}

namespace {
bool IstLeer(char c) {
    return c == ' ' || c == '\t';
}
}  // namespace

bool Ueberspringbar(std::string_view zeile) {
    std::size_t pos = 0;
    const std::string_view feld = NaechstesFeld(zeile, pos);
    return feld.empty() || feld.front() == '#';
}

bool Datenzeilen::Naechste(std::string_view& zeile, int& nummer) {
    while (NaechsteZeile(rest_, zeile, hoechstens_)) {
        ++nummer_;
        if (!Ueberspringbar(zeile)) {
            nummer = nummer_;
            return true;
        }
    }
    return false;
}

std::string_view NaechstesFeld(std::string_view zeile, std::size_t& pos) {
    while (pos < zeile.size() && IstLeer(zeile[pos]))
        ++pos;
    const std::size_t anfang = pos;
    while (pos < zeile.size() && !IstLeer(zeile[pos]))
        ++pos;
    return zeile.substr(anfang, pos - anfang);
}

Importergebnis Importfehler(int zeile, int code, const std::string& text) {
    return Importergebnis{code, "Fehler in Zeile " + std::to_string(zeile) + ":\n" + text, {}};
}

}  // namespace storage
