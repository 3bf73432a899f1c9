#pragma once
// The 12-byte point record that curve and characteristic files hold alike:
// int32 `y`, int32 `laenge`, int8 `zeitbasis`, 3 filler bytes. Both editors'
// `Gerade` carry these three fields.

#include <cstddef>
#include <utility>
#include <vector>

#include "storage/fields.h"

namespace storage {

inline constexpr std::size_t kGeradeBytes = 12;

template <class Gerade>
void GeradenSchreiben(Feldschreiber& w, const std::vector<Gerade>& geraden) {
    for (const Gerade& g : geraden) {
        w.Int32(g.y);
        w.Int32(g.laenge);
        w.Int8(g.zeitbasis);
        w.Nullen(3);
    }
}

// `anzahl` records from `at` on into `geraden`; false, with `geraden` as it
// was, when they do not lie whole in the file. A failed allocation throws
// std::bad_alloc.
template <class Gerade>
bool GeradenLesen(const Feldleser& r, std::size_t at, std::size_t anzahl,
                  std::vector<Gerade>& geraden) {
    if (anzahl > r.Groesse() / kGeradeBytes || !r.Enthaelt(at, anzahl * kGeradeBytes))
        return false;
    std::vector<Gerade> gelesen(anzahl);
    for (Gerade& g : gelesen) {
        g.y = *r.Int32(at);
        g.laenge = *r.Int32(at + 4);
        g.zeitbasis = *r.Int8(at + 8);
        at += kGeradeBytes;
    }
    geraden = std::move(gelesen);
    return true;
}

}  // namespace storage
