#include "json.h"

#include <array>
#include <cstddef>
#include <vector>

#include "characteristic/model.h"
#include "config/model.h"
#include "curves/model.h"
#include "direct_io/log.h"
#include "direct_io/model.h"

namespace ctl {

namespace {

using nlohmann::json;

std::vector<std::string_view> Spalten(std::string_view zeile) {
    std::vector<std::string_view> spalten;
    for (std::size_t tab; (tab = zeile.find('\t')) != std::string_view::npos;) {
        spalten.push_back(zeile.substr(0, tab));
        zeile.remove_prefix(tab + 1);
    }
    spalten.push_back(zeile);
    return spalten;
}

// "24.01.2012" and "14:05:09" as "2012-01-24T14:05:09".
std::string Iso8601(std::string_view datum, std::string_view zeit) {
    if (datum.size() != 10)
        return std::string(datum) + "T" + std::string(zeit);
    return std::string(datum.substr(6, 4)) + "-" + std::string(datum.substr(3, 2)) + "-" +
           std::string(datum.substr(0, 2)) + "T" + std::string(zeit);
}

template <class Gerade>
json Geraden(const std::vector<Gerade>& geraden) {
    json punkte = json::array();
    for (const Gerade& g : geraden)
        punkte.push_back({{"y", g.y}, {"laenge", g.laenge}, {"zeitbasis", g.zeitbasis}});
    return punkte;
}

}  // namespace

json Zahlwert(std::string_view text) {
    if (text == direct_io::kNichtAbgefragt)
        return nullptr;
    // The JSON parser reads numbers in the C locale whatever the program's is.
    return json::parse(text, nullptr, false);
}

void JsonAusgeben(Lauf& l, const json& objekt) {
    l.aus() << objekt.dump() << '\n';
}

json Messwert(std::string_view text, const std::string& einheit, int stellen) {
    if (text == direct_io::kNichtAbgefragt)
        return nullptr;
    return {{"wert", Zahlwert(text)}, {"einheit", einheit}, {"stellen", stellen}};
}

json Messzeile(std::string_view zeile) {
    namespace dio = direct_io;
    const std::vector<std::string_view> s = Spalten(zeile);
    json o = {{"zeit", s.size() > 1 ? Iso8601(s[0], s[1]) : ""}};
    json eingaenge = json::array();
    json ausgaenge = json::array();
    for (std::size_t i = 0; i < dio::kKanaele; ++i) {
        const int k = static_cast<int>(i);
        const std::size_t ein = 2 + i;
        const std::size_t aus = 2 + dio::kKanaele + i;
        eingaenge.push_back(ein < s.size() ? Messwert(s[ein], config::gKonfig.ineinheit[i],
                                                      dio::EingangBereich(k).stellen)
                                           : json(nullptr));
        ausgaenge.push_back(aus < s.size() ? Messwert(s[aus], config::gKonfig.outeinheit[i],
                                                      dio::AusgangBereich(k).stellen)
                                           : json(nullptr));
    }
    o["eingaenge"] = eingaenge;
    o["ausgaenge"] = ausgaenge;
    return o;
}

json Kurvenpunkte() {
    return {{"geraden", Geraden(curves::gKurven[0].geraden)}};
}

json Kennlinienpunkte(double ausgang2, double anstiegszeit) {
    return {{"geraden", Geraden(characteristic::gKennlinie.geraden)},
            {"ausgang2", ausgang2},
            {"anstiegszeit", anstiegszeit}};
}

}  // namespace ctl
