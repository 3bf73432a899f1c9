#include "storage/fields.h"

#include <algorithm>

#include "storage/byte_order.h"
#include "storage/cp1252.h"

namespace storage {

bool Feldleser::Enthaelt(std::size_t at, std::size_t laenge) const {
    return at <= daten_.size() && laenge <= daten_.size() - at;
}

std::optional<std::int32_t> Feldleser::Int32(std::size_t at) const {
    if (!Enthaelt(at, 4))
        return std::nullopt;
    return static_cast<std::int32_t>(GetLE32(daten_, at));
}

std::optional<std::int8_t> Feldleser::Int8(std::size_t at) const {
    if (!Enthaelt(at, 1))
        return std::nullopt;
    return static_cast<std::int8_t>(daten_[at]);
}

std::optional<double> Feldleser::Double(std::size_t at) const {
    if (!Enthaelt(at, 8))
        return std::nullopt;
    return GetLEDouble(daten_, at);
}

std::optional<std::string_view> Feldleser::Rohtext(std::size_t at, std::size_t breite) const {
    if (!Enthaelt(at, breite))
        return std::nullopt;
    const auto feld = daten_.subspan(at, breite);
    const auto ende = std::find(feld.begin(), feld.end(), std::uint8_t{0});
    return std::string_view(reinterpret_cast<const char*>(feld.data()),
                            static_cast<std::size_t>(ende - feld.begin()));
}

std::optional<std::string> Feldleser::Text(std::size_t at, std::size_t breite) const {
    const auto roh = Rohtext(at, breite);
    if (!roh)
        return std::nullopt;
    return Cp1252ZuUtf8(*roh);
}

std::optional<std::span<const std::uint8_t>> Feldleser::Teil(std::size_t at,
                                                             std::size_t laenge) const {
    if (!Enthaelt(at, laenge))
        return std::nullopt;
    return daten_.subspan(at, laenge);
}

int KopfPruefen(const Feldleser& r, const Dateikopf& kopf) {
    if (r.Groesse() < kopf.groesse || !r.Enthaelt(0, kDateiversionOffset + 4))
        return kopf.zuKurz;
    if (*r.Rohtext(0, kDateitypFeld) != kopf.typ)
        return kopf.falscherTyp;
    if (*r.Int32(kDateiversionOffset) != kopf.version)
        return kopf.falscheVersion;
    return 0;
}

void Feldschreiber::Int32(std::int32_t wert) {
    PutLE32(ziel_, static_cast<std::uint32_t>(wert));
}

void Feldschreiber::Int8(std::int8_t wert) {
    ziel_.push_back(static_cast<std::uint8_t>(wert));
}

void Feldschreiber::Double(double wert) {
    PutLEDouble(ziel_, wert);
}

void Feldschreiber::Nullen(std::size_t anzahl) {
    ziel_.insert(ziel_.end(), anzahl, 0);
}

void Feldschreiber::Text(std::string_view utf8, std::size_t breite) {
    std::string bild = Utf8ZuCp1252Ersetzt(utf8);
    bild.resize(std::min(bild.size(), breite - 1));
    ziel_.insert(ziel_.end(), bild.begin(), bild.end());
    Nullen(breite - bild.size());
}

}  // namespace storage
