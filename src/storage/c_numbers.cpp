#include "storage/c_numbers.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

namespace storage {
namespace {

bool IstLeer(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool GleichOhneGross(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

std::string ZahlG16(double wert) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, wert, std::chars_format::general, 16);
    return std::string(buf, r.ptr);
}

std::string ZahlFest(double wert, int stellen) {
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, wert, std::chars_format::fixed, stellen);
    if (r.ec != std::errc())
        return ZahlG16(wert);
    return std::string(buf, r.ptr);
}

bool GanzzahlLesen(std::string_view text, int& wert) {
    std::size_t a = 0, e = text.size();
    while (a < e && IstLeer(text[a]))
        ++a;
    while (e > a && IstLeer(text[e - 1]))
        --e;
    text = text.substr(a, e - a);
    bool negativ = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negativ = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0])))
        return false;
    std::int64_t v = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
        v = v * 10 + (c - '0');
        if (v > std::int64_t{std::numeric_limits<int>::max()} + 1)
            return false;
    }
    if (negativ)
        v = -v;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    wert = static_cast<int>(v);
    return true;
}

ZahlErgebnis KommazahlLesen(std::string_view text, double& wert) {
    std::size_t a = 0;
    while (a < text.size() && IstLeer(text[a]))
        ++a;
    text.remove_prefix(a);

    for (auto [name, v] : {std::pair{"inf", 1.0}, {"+inf", 1.0}, {"-inf", -1.0}}) {
        if (GleichOhneGross(text, name)) {
            wert = v * std::numeric_limits<double>::infinity();
            return ZahlErgebnis::Ganz;
        }
    }
    // from_chars takes no '+'; the C library does.
    std::string_view zahl = text;
    bool negativ = false;
    if (!zahl.empty() && zahl[0] == '+') {
        zahl.remove_prefix(1);
        if (!zahl.empty() && zahl[0] == '-') {
            wert = 0;
            return ZahlErgebnis::KeineZahl;
        }
    } else if (!zahl.empty() && zahl[0] == '-') {
        negativ = true;
        zahl.remove_prefix(1);
        if (!zahl.empty() && (zahl[0] == '-' || zahl[0] == '+')) {
            wert = 0;
            return ZahlErgebnis::KeineZahl;
        }
    }
    double v = 0;
    const auto r = std::from_chars(zahl.data(), zahl.data() + zahl.size(), v);
    if (r.ec == std::errc::invalid_argument) {
        wert = 0;
        return ZahlErgebnis::KeineZahl;
    }
    if (r.ec == std::errc::result_out_of_range) {
        // Like strtod: overflow gives infinity, underflow zero.
        std::string_view teil(zahl.data(), static_cast<std::size_t>(r.ptr - zahl.data()));
        const bool gross = teil.find_first_of("eE") == std::string_view::npos ||
                           teil.find('-', teil.find_first_of("eE")) == std::string_view::npos;
        v = gross ? std::numeric_limits<double>::infinity() : 0.0;
    }
    wert = negativ ? -v : v;
    return r.ptr == zahl.data() + zahl.size() ? ZahlErgebnis::Ganz : ZahlErgebnis::Anfang;
}

}  // namespace storage
