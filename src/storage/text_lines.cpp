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

}  // namespace storage
