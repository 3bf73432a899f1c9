#include "editor/mark.h"

#include <gtest/gtest.h>

#include <vector>

#include "punkt.h"

namespace editor {
namespace {

using test::Laenge;
using test::Punkt;

// Points at X 0, 10, 20, 30 (the last one closes the chain).
const std::vector<Punkt> kVier{{0, 10}, {1, 10}, {2, 10}, {3, 1}};

TEST(Markierung, MarkierteGeradenNurWennGanzDrin) {
    struct Fall {
        double start, ende;
        int von, bis;
    };
    const Fall faelle[] = {
        {0, 30, 0, 2}, {5, 30, 1, 2}, {0, 25, 0, 1}, {10, 20, 1, 1}, {5, 15, 1, 0},
    };
    for (const Fall& f : faelle) {
        const Bereich r = MarkierteGeraden(kVier, f.start, f.ende, Laenge);
        EXPECT_EQ(r.von, f.von) << f.start << ".." << f.ende;
        EXPECT_EQ(r.bis, f.bis) << f.start << ".." << f.ende;
        EXPECT_EQ(r.leer(), f.bis < f.von);
    }
}

}  // namespace
}  // namespace editor
