// Block-wise memory transfer against the simulated board: the pieces, the
// progress, and the first failing piece ending the transfer.

#include "device/memory_transfer.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "board_model.h"
#include "device/frames.h"
#include "device/link.h"
#include "device/serial_port.h"
#include "simulated_port.h"

namespace {

using device::Seitengrenzen;
using Bytes = std::vector<std::uint8_t>;

constexpr int kPort = 1;
constexpr int kTyp = 4;
constexpr std::size_t kSlot = 8224;  // a characteristic slot, as the longest piece row

TEST(Stueckgroesse, HoechstensVierundsechzigUndAufWunschBisZumSeitenende) {
    struct Fall {
        std::size_t adresse;
        std::size_t rest;
        Seitengrenzen seiten;
        std::size_t erwartet;
    };
    constexpr auto E = Seitengrenzen::Einhalten;
    constexpr auto U = Seitengrenzen::Ueberschreiten;
    for (const Fall f : {Fall{0x2020, kSlot, E, 32}, Fall{0x2020, kSlot, U, 64},
                         Fall{0x2040, 8192, E, 64}, Fall{0x0000, 32, E, 32}, Fall{0x203F, 10, E, 1},
                         Fall{0x203F, 10, U, 10}, Fall{0x1000, 0, U, 0}, Fall{0xFFC0, 64, E, 64}}) {
        EXPECT_EQ(device::Stueckgroesse(f.adresse, f.rest, f.seiten), f.erwartet)
            << std::hex << f.adresse << " " << std::dec << f.rest;
    }
}

class Blockweise : public ::testing::Test {
  protected:
    void SetUp() override {
        device::PortTabelleLeeren();
        device::PortFabrikSetzen(mux6sim::SimulierteFabrik(leitung));
        ASSERT_EQ(device::ORVKAP1_Open(kPort, 9600), 0);
        rahmenVorher = leitung->Rahmenzahl();
    }
    void TearDown() override {
        device::PortTabelleLeeren();
        device::PortFabrikSetzen(nullptr);
    }
    Bytes& Speicher() { return leitung->Platinen().front().speicher; }
    long Rahmen() const { return leitung->Rahmenzahl() - rahmenVorher; }
    device::Fortschritt Mitzaehlen() {
        return [this](int p) { fortschritt.push_back(p); };
    }
    void StoerenBeiRahmen(long n) {
        mux6sim::Stoerplan plan;
        plan.art = mux6sim::Stoerung::Nak;
        plan.beiRahmen = {leitung->Rahmenzahl() + n};
        leitung->StoerungSetzen(plan);
    }
    static Bytes Muster(std::size_t n) {
        Bytes b(n);
        for (std::size_t i = 0; i < n; ++i)
            b[i] = static_cast<std::uint8_t>(i * 13 + 5);
        return b;
    }

    std::shared_ptr<mux6sim::Leitung> leitung = std::make_shared<mux6sim::Leitung>();
    long rahmenVorher = 0;
    std::vector<int> fortschritt;
};

TEST_F(Blockweise, SchreibenSeitenweiseMitFortschritt) {
    const Bytes daten = Muster(kSlot);
    ASSERT_EQ(device::SpeicherBlockweiseSchreiben(kPort, '1', kTyp, 0x2020, daten, Mitzaehlen(),
                                                  Seitengrenzen::Einhalten),
              0);
    EXPECT_TRUE(std::equal(daten.begin(), daten.end(), Speicher().begin() + 0x2020));
    EXPECT_EQ(Speicher()[0x2020 + kSlot], 0);
    // 32 bytes up to the page, then 128 pieces of 64.
    EXPECT_EQ(Rahmen(), 129);
    ASSERT_EQ(fortschritt.size(), 130u);
    EXPECT_EQ(fortschritt[0], 0);
    EXPECT_EQ(fortschritt[1], static_cast<int>(32 * 100 / kSlot));
    EXPECT_EQ(fortschritt[2], static_cast<int>(96 * 100 / kSlot));
    EXPECT_EQ(fortschritt.back(), 100);
    EXPECT_TRUE(std::is_sorted(fortschritt.begin(), fortschritt.end()));
}

TEST_F(Blockweise, ErsterFehlerBeendetDasSchreiben) {
    StoerenBeiRahmen(2);
    const int code = device::SpeicherBlockweiseSchreiben(kPort, '1', kTyp, 0x2020, Muster(kSlot),
                                                         Mitzaehlen(), Seitengrenzen::Einhalten);
    EXPECT_EQ(code, device::befehle::kSpeicherSchreiben.orte.nak);
    EXPECT_EQ(Rahmen(), 2);
    // Only the first piece arrived: up to the page end.
    EXPECT_EQ(Speicher()[0x203F], Muster(32)[31]);
    EXPECT_EQ(Speicher()[0x2040], 0);
    EXPECT_EQ(fortschritt, (std::vector<int>{0, 0}));
}

TEST_F(Blockweise, LesenInDenPufferMitFortschritt) {
    const Bytes daten = Muster(100);
    std::copy(daten.begin(), daten.end(), Speicher().begin() + 0x0FF0);
    Bytes ziel(100, 0xEE);
    ASSERT_EQ(device::SpeicherBlockweiseLesen(kPort, '1', kTyp, 0x0FF0, ziel, Mitzaehlen()), 0);
    EXPECT_EQ(ziel, daten);
    EXPECT_EQ(Rahmen(), 2);
    EXPECT_EQ(fortschritt, (std::vector<int>{0, 64, 100}));
}

TEST_F(Blockweise, ErsterFehlerBeendetDasLesen) {
    std::fill(Speicher().begin(), Speicher().begin() + 200, 0x11);
    StoerenBeiRahmen(2);
    Bytes ziel(200, 0xEE);
    const int code = device::SpeicherBlockweiseLesen(kPort, '1', kTyp, 0, ziel, Mitzaehlen());
    EXPECT_EQ(code, device::befehle::kSpeicherLesen.orte.nak);
    EXPECT_EQ(Rahmen(), 2);
    EXPECT_EQ(ziel[63], 0x11);
    EXPECT_EQ(ziel[64], 0xEE);
    EXPECT_EQ(fortschritt, (std::vector<int>{0, 32}));
}

TEST_F(Blockweise, NichtsZuUebertragen) {
    Bytes leer;
    EXPECT_EQ(device::SpeicherBlockweiseSchreiben(kPort, '1', kTyp, 0x1000, leer, Mitzaehlen()), 0);
    EXPECT_EQ(device::SpeicherBlockweiseLesen(kPort, '1', kTyp, 0x1000, leer, Mitzaehlen()), 0);
    EXPECT_EQ(Rahmen(), 0);
    EXPECT_EQ(fortschritt, (std::vector<int>{0, 0}));
}

}  // namespace
