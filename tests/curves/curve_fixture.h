#pragma once
// A known start state for every curve test and a short way to lay out the
// edited curve.

#include <gtest/gtest.h>

#include <vector>

#include "config/model.h"
#include "curves/model.h"

namespace curves::test {

class KurvenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        config::StandardwerteSetzen();
        ASSERT_EQ(KurvenInit(), 0);
    }
    void TearDown() override {
        config::StandardwerteSetzen();
        KurvenInit();
    }

    static void Setze(std::vector<Gerade> g, int k = 0) {
        Kurve& kurve = gKurven[static_cast<std::size_t>(k)];
        kurve.geraden = std::move(g);
        kurve.anzahl = static_cast<std::int32_t>(kurve.geraden.size());
    }
    static const std::vector<Gerade>& Geraden(int k = 0) {
        return gKurven[static_cast<std::size_t>(k)].geraden;
    }
    // anzahl must always follow the array.
    static void PruefeAnzahl() {
        for (const Kurve& k : gKurven) {
            ASSERT_EQ(static_cast<std::size_t>(k.anzahl), k.geraden.size());
            ASSERT_GE(k.anzahl, 1);
        }
    }
};

}  // namespace curves::test
