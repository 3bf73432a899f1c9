// The board link against the simulated boards in-process: the commands as the
// windows use them, through the port table, with no pseudo-terminal.

#include "device/commands.h"
#include "device/link.h"
#include "simulated_port.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using mux6sim::Leitung;
using mux6sim::Platine;
using mux6sim::Stoerplan;
using mux6sim::Stoerung;

constexpr int kPort = 2;

class AmSimulator : public ::testing::Test {
  protected:
    void Aufbauen(std::vector<Platine> platinen) {
        leitung = std::make_shared<Leitung>(std::move(platinen));
        device::PortTabelleLeeren();
        device::PortFabrikSetzen(mux6sim::SimulierteFabrik(leitung));
        ASSERT_EQ(device::ORVKAP1_Open(kPort, 9600), 0);
        ASSERT_EQ(device::ORVKAP1_Timeout(kPort, 0.5), 0);
    }
    void SetUp() override { Aufbauen(std::vector<Platine>(1)); }
    void TearDown() override {
        device::PortTabelleLeeren();
        device::PortFabrikSetzen(nullptr);
    }
    mux6sim::SimulatedPort& Port() {
        return *static_cast<mux6sim::SimulatedPort*>(device::OffenerPort(kPort));
    }
    std::shared_ptr<Leitung> leitung;
};

TEST_F(AmSimulator, Identitaet) {
    std::string id;
    EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, '1', id), 0);
    EXPECT_EQ(id, mux6sim::kStandardIdentitaet);
    EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, '2', id), -403012);
}

TEST_F(AmSimulator, SucheUeberAlleAdressen) {
    std::vector<Platine> p(3);
    p[0].adresse = '2';
    p[1].adresse = '5';
    p[2].adresse = '3';
    p[2].identitaet = "OTHER-DEVICE_1.0";
    Aufbauen(std::move(p));
    std::string gefunden;
    for (char a = '1'; a <= '8'; ++a) {
        std::string id;
        const int r = device::ORVKAP1_IDLesen(kPort, a, id);
        if (a == '2' || a == '3' || a == '5') {
            EXPECT_EQ(r, 0) << a;
            gefunden += a;
            EXPECT_EQ(id.rfind("ORV-VEK7M", 0) == 0, a != '3') << id;
        } else {
            EXPECT_EQ(r, -403012) << a;
        }
    }
    EXPECT_EQ(gefunden, "235");
}

TEST_F(AmSimulator, GanzerSpeicherIn64ByteBloecken) {
    std::vector<std::uint8_t> bild(0x10000);
    std::uint32_t x = 12345;
    for (auto& b : bild) {
        x = x * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(x >> 16);
    }
    for (int start = 0; start < 0x10000; start += 64) {
        ASSERT_EQ(device::ORVKAP1_SpeicherSchreiben(
                      kPort, '1', 4, start, 64,
                      std::span(bild).subspan(static_cast<std::size_t>(start), 64)),
                  0)
            << start;
    }
    EXPECT_EQ(leitung->Platinen()[0].speicher, bild);
    std::vector<std::uint8_t> zurueck;
    for (int start = 0; start < 0x10000; start += 64) {
        std::vector<std::uint8_t> block;
        ASSERT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 4, start, 64, block), 0) << start;
        zurueck.insert(zurueck.end(), block.begin(), block.end());
    }
    EXPECT_EQ(zurueck, bild);
}

TEST_F(AmSimulator, GrosserLeseblock) {
    leitung->Platinen()[0].speicher[0xFFFE] = 0x5A;
    std::vector<std::uint8_t> d;
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 4, 0, 0xFFFF, d), 0);
    ASSERT_EQ(d.size(), 0xFFFFu);
    EXPECT_EQ(d[0xFFFE], 0x5A);
}

TEST_F(AmSimulator, AusgangUndEingang) {
    EXPECT_EQ(device::ORVKAP1_AusgangSchreiben(kPort, '1', "a3", 4.25), 0);
    double v = 0;
    EXPECT_EQ(device::ORVKAP1_EingangLesen(kPort, '1', "e3", v), 0);
    EXPECT_DOUBLE_EQ(v, 4.25);
}

TEST_F(AmSimulator, StartAnAlleUndStatus) {
    std::vector<Platine> p(2);
    p[1].adresse = '4';
    Aufbauen(std::move(p));
    EXPECT_EQ(device::ORVKAP1_DeviceFunction(kPort, '&', "start"), 0);
    for (char a : {'1', '4'}) {
        int s = 0;
        EXPECT_EQ(device::ORVKAP1_StatusLesen(kPort, a, 1, s), 0);
        EXPECT_EQ(s & device::kStatusKurvengeneratorAktiv, device::kStatusKurvengeneratorAktiv);
    }
    EXPECT_EQ(device::ORVKAP1_DeviceFunction(kPort, '4', "stopp"), 0);
    int s = -1;
    EXPECT_EQ(device::ORVKAP1_StatusLesen(kPort, '4', 1, s), 0);
    EXPECT_EQ(s, 0);
}

TEST_F(AmSimulator, FehlerbyteUndModus) {
    leitung->Platinen()[0].fehler = 0x12;
    int w = 0;
    EXPECT_EQ(device::ORVKAP1_StatusLesen(kPort, '1', 2, w), 0);
    EXPECT_EQ(w, 0x12);
    EXPECT_EQ(device::ORVKAP1_ModusSchreiben(kPort, '1', 0, device::kModusKurvenGespeichert), 0);
    EXPECT_EQ(device::ORVKAP1_ModusSchreiben(kPort, '1', 1, device::kModusKennlinienGespeichert),
              0);
    int m = 0;
    EXPECT_EQ(device::ORVKAP1_ModusLesen(kPort, '1', m), 0);
    EXPECT_EQ(m, device::kModusKennlinienGespeichert);
}

TEST_F(AmSimulator, BaudUndAdresseDerPlatine) {
    EXPECT_EQ(device::ORVVEK1_BaudrateSchreiben(kPort, 1, 38400), 0);
    EXPECT_EQ(leitung->Platinen()[0].baud, 38400);
    EXPECT_EQ(device::ORVVEK1_BaudrateSchreiben(kPort, 9, 4800), 0);
    EXPECT_EQ(leitung->Platinen()[0].baud, 4800);
    EXPECT_EQ(device::ORVVEK1_AdresseSchreiben(kPort, 1, 6), 0);
    std::string id;
    EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, '6', id), 0);
}

TEST_F(AmSimulator, SpaeteBytesWerdenVerworfen) {
    const std::string alt = "\x06#1IDRALT\r";
    Port().Einspeisen(std::span(reinterpret_cast<const std::uint8_t*>(alt.data()), alt.size()));
    int m = 0;
    EXPECT_EQ(device::ORVKAP1_ModusLesen(kPort, '1', m), 0);
    EXPECT_EQ(m, 0x04);
}

TEST_F(AmSimulator, PortVerschwindet) {
    Port().Wegnehmen();
    std::string id;
    EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, '1', id), -124148);
    int m = 0;
    EXPECT_EQ(device::ORVKAP1_ModusSchreiben(kPort, '1', 1, 1), -112162);
    EXPECT_EQ(device::ORVKAP1_ModusLesen(kPort, '1', m), -124148);
    // The window can close it and open it again.
    EXPECT_EQ(device::ORVKAP1_Close(kPort), -103004);
    EXPECT_EQ(device::ORVKAP1_Open(kPort, 9600), 0);
    EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, '1', id), 0);
}

struct Fehlerfall {
    Stoerung art;
    int id;        // ORVKAP1_IDLesen
    int speicher;  // ORVKAP1_SpeicherLesen
    int schreib;   // ORVKAP1_SpeicherSchreiben
};

class InjizierterFehler : public AmSimulator, public ::testing::WithParamInterface<Fehlerfall> {
  protected:
    void Stoeren() {
        Stoerplan plan;
        plan.art = GetParam().art;
        plan.beiRahmen = {leitung->Rahmenzahl() + 1};
        leitung->StoerungSetzen(plan);
    }
};

TEST_P(InjizierterFehler, JederBefehlSeinCode) {
    std::string id = "vorher";
    Stoeren();
    EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, '1', id), GetParam().id);
    std::vector<std::uint8_t> d;
    Stoeren();
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 4, 0x1000, 64, d), GetParam().speicher);
    const std::vector<std::uint8_t> block(64, 0x33);
    Stoeren();
    EXPECT_EQ(device::ORVKAP1_SpeicherSchreiben(kPort, '1', 4, 0x1000, 64, block),
              GetParam().schreib);
    // The next exchange is fine again.
    EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, '1', id), 0);
}

INSTANTIATE_TEST_SUITE_P(Alle, InjizierterFehler,
                         ::testing::Values(Fehlerfall{Stoerung::Nak, -402010, -402099, -402127},
                                           Fehlerfall{Stoerung::Can, -405011, -405100, -405128},
                                           Fehlerfall{Stoerung::Stille, -403012, -403101, -403129},
                                           Fehlerfall{Stoerung::FalschesByte, -404013, -404102,
                                                      -404130},
                                           Fehlerfall{Stoerung::KurzeZeile, -404014, -404104, 0},
                                           Fehlerfall{Stoerung::LangeZeile, -404015, -404105, 0},
                                           Fehlerfall{Stoerung::FalschePruefsumme, 0, -406114, 0}),
                         [](const auto& fall) {
                             std::string n = mux6sim::StoerungName(fall.param.art);
                             std::erase(n, '-');
                             return n;
                         });

}  // namespace
