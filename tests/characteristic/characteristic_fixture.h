#pragma once
// A known start state for every characteristic test and a short way to lay
// out the points.

#include <gtest/gtest.h>

#include <vector>

#include "characteristic/model.h"
#include "config/model.h"

namespace characteristic::test {

class KennlinieTest : public ::testing::Test {
  protected:
    void SetUp() override {
        config::StandardwerteSetzen();
        ASSERT_EQ(KennlinienInit(), 0);
    }
    void TearDown() override {
        config::StandardwerteSetzen();
        KennlinienInit();
    }
    static void Setze(std::vector<Gerade> g) {
        gKennlinie.geraden = std::move(g);
        gKennlinie.anzahl = static_cast<std::int32_t>(gKennlinie.geraden.size());
    }
    static const std::vector<Gerade>& Punkte() { return gKennlinie.geraden; }
};

}  // namespace characteristic::test
