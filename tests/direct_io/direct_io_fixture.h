#pragma once
// The direct input/output model in its start state, the simulated board open
// behind port 1, a clock fixed at 24.01.2012 14:05:09 and a fresh folder for
// logs as the working directory (where a settings file would be looked for).

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "board_model.h"
#include "config/model.h"
#include "device/link.h"
#include "device/serial_port.h"
#include "direct_io/log.h"
#include "direct_io/model.h"
#include "direct_io/sampling.h"
#include "errors/errors.h"
#include "simulated_port.h"
#include "support/temp_dir.h"

namespace direct_io::test {

class DirektTest : public ::testing::Test {
  protected:
    static constexpr int kPort = 1;
    static constexpr char kAdresse = '1';

    void SetUp() override {
        config::StandardwerteSetzen();
        DirektModellInit();
        UhrSetzen({[] { return Datum{24, 1, 2012}; }, [] { return Uhrzeit{14, 5, 9}; }});
        device::PortTabelleLeeren();
        device::PortFabrikSetzen(mux6sim::SimulierteFabrik(leitung));
        ASSERT_EQ(device::ORVKAP1_Open(kPort, 9600), 0);
    }
    void TearDown() override {
        DirektModellInit();
        UhrSetzen({});
        ProtokollfabrikSetzen({});
        device::PortTabelleLeeren();
        device::PortFabrikSetzen(nullptr);
        config::StandardwerteSetzen();
    }

    mux6sim::Platine& Board() { return leitung->Platinen().front(); }
    DateiWaehlen Datei(const std::string& name) {
        return [p = dir / name] { return Dateiwahl{Dateiwahl::Ergebnis::Gewaehlt, p}; };
    }
    // Starts sampling with a log into `name`; input 4 as the mode byte says.
    void Starten(const std::string& name = "log.txt") {
        const Start s = AbfrageStarten(kPort, kAdresse, true, Datei(name));
        ASSERT_EQ(s.protokollCode, 0);
        ASSERT_EQ(s.code, 0);
    }
    std::string Log(const std::string& name = "log.txt") { return testsupport::Lesen(dir / name); }

    testsupport::TempDir dir{true};
    std::shared_ptr<mux6sim::Leitung> leitung = std::make_shared<mux6sim::Leitung>();
};

inline mux6sim::Stoerplan Plan(mux6sim::Stoerung art, std::vector<long> bei = {},
                               double anteil = 0.0, std::uint32_t seed = 1) {
    mux6sim::Stoerplan p;
    p.art = art;
    p.beiRahmen = std::move(bei);
    p.anteil = anteil;
    p.seed = seed;
    return p;
}

}  // namespace direct_io::test
