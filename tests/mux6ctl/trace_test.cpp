// mux6ctl --trace against the simulated board: the trace holds exactly what
// went over the line, in order, and survives a run that is ended half-way;
// and the frames of "Ausgänge auf Null" on a falling scale.

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <sstream>

#include "board_model.h"
#include "config/model.h"
#include "ctl.h"
#include "curves/curve_fixture.h"
#include "curves/files.h"
#include "curves/model.h"
#include "device/forwarding_port.h"
#include "device/frames.h"
#include "device/link.h"
#include "device/trace_port.h"
#include "direct_io/model.h"
#include "direct_io/outputs.h"
#include "simulated_port.h"
#include "support/process.h"
#include "support/temp_dir.h"
#include "trace.h"

namespace {

using mux6sim::Stoerung;
using Bytes = std::vector<std::uint8_t>;

// What the simulated board saw and answered, call by call: "->" a write,
// "<-" one byte read, "--" a read that timed out.
struct Ereignis {
    std::string richtung;
    Bytes bytes;
};
using Ereignisse = std::shared_ptr<std::vector<Ereignis>>;

class Mitschnitt final : public device::WeiterleitenderPort {
  public:
    Mitschnitt(std::shared_ptr<mux6sim::Leitung> l, Ereignisse e)
        : WeiterleitenderPort(std::make_unique<mux6sim::SimulatedPort>(std::move(l))),
          e_(std::move(e)) {}
    int write(std::span<const std::uint8_t> b) override {
        e_->push_back({"->", Bytes(b.begin(), b.end())});
        return WeiterleitenderPort::write(b);
    }
    int readByte() override {
        const int b = WeiterleitenderPort::readByte();
        e_->push_back(b >= 0 ? Ereignis{"<-", {static_cast<std::uint8_t>(b)}} : Ereignis{"--", {}});
        return b;
    }

  private:
    Ereignisse e_;
};

// The trace's lines after the first, without their time: "-> #1IDR\r".
std::vector<std::string> Zeilen(const std::string& spur) {
    static const std::regex kZeile(R"( *[0-9]+ ((->|<-|--) .*))");
    std::vector<std::string> z;
    std::istringstream ein(spur);
    std::string zeile;
    std::getline(ein, zeile);  // the first line
    for (std::smatch m; std::getline(ein, zeile); z.push_back(m[1]))
        EXPECT_TRUE(std::regex_match(zeile, m, kZeile)) << zeile;
    return z;
}

// The recorded calls as the lines a trace must hold: every write one line,
// the bytes read after it one answer that ends at CR, a time-out a line.
std::vector<std::string> Erwartet(const std::vector<Ereignis>& ereignisse) {
    std::vector<std::string> z;
    Bytes antwort;
    const auto beenden = [&] {
        if (!antwort.empty())
            z.push_back("<- " + device::SpurText(antwort));
        antwort.clear();
    };
    for (const Ereignis& e : ereignisse) {
        const bool gelesen = e.richtung == "<-";
        if (gelesen)
            antwort.push_back(e.bytes[0]);
        if (!gelesen || e.bytes[0] == device::kCr)
            beenden();
        if (!gelesen)
            z.push_back(e.richtung == "->" ? "-> " + device::SpurText(e.bytes) : "-- Zeitlimit");
    }
    beenden();
    return z;
}

class Spur : public curves::test::KurvenTest {
  protected:
    device::PortFabrik Fabrik() {
        return [l = leitung, e = ereignisse](int) { return std::make_unique<Mitschnitt>(l, e); };
    }
    int Lauf(const std::vector<std::string>& argumente) {
        aus.str("");
        fehler.str("");
        ctl::Umgebung u{Fabrik(), aus, fehler, false, {}};
        return ctl::Ausfuehren(argumente, u);
    }
    // Curve 1 as `geraden` in the file `name`; the curves afterwards as at the start.
    void Kurvendatei(const std::string& name = "a.skr",
                     std::vector<curves::Gerade> geraden = {
                         {0, 90, 4}, {4000, 40, 4}, {1000, 1, 1}}) {
        Setze(std::move(geraden));
        ASSERT_EQ(curves::KurvenSpeichernNach(dir / name), 0);
        ASSERT_EQ(curves::KurvenInit(), 0);
    }

    testsupport::TempDir dir{true};
    std::shared_ptr<mux6sim::Leitung> leitung = std::make_shared<mux6sim::Leitung>();
    Ereignisse ereignisse = std::make_shared<std::vector<Ereignis>>();
    std::ostringstream aus, fehler;
};

struct Spurfall {
    const char* name;
    std::vector<std::string> befehl;
    Stoerung stoerung;
    std::vector<long> bei;
    int status;
    int zeitlimits;  // "-- Zeitlimit" lines the trace must show
};

class JedeSpur : public Spur, public ::testing::WithParamInterface<Spurfall> {};

TEST_P(JedeSpur, HaeltGenauDieRahmenUndAntwortenInIhrerFolge) {
    const Spurfall& f = GetParam();
    leitung->StoerungSetzen({f.stoerung, f.bei});
    Kurvendatei();
    std::vector<std::string> argumente = f.befehl;
    argumente.insert(argumente.end(), {"--trace", "t.txt"});
    EXPECT_EQ(Lauf(argumente), f.status) << fehler.str();

    const std::string spur = testsupport::Lesen(dir / "t.txt");
    EXPECT_EQ(spur.substr(0, spur.find('\n')),
              std::string(ctl::kProgrammVersion) + "; " + device::PortGeraetename(1) + "; " +
                  device::EinstellungText(device::Leitungseinstellung{}));
    const std::vector<std::string> zeilen = Zeilen(spur);
    EXPECT_EQ(zeilen, Erwartet(*ereignisse));
    EXPECT_EQ(std::count(zeilen.begin(), zeilen.end(), "-- Zeitlimit"), f.zeitlimits);
    EXPECT_GT(ereignisse->size(), 1u);
}

const Spurfall kSpurfaelle[] = {
    {"Id", {"id"}, Stoerung::Keine, {}, 0, 0},
    {"IdOhneAntwort", {"id"}, Stoerung::Stille, {1}, 1, 1},
    {"IdMitNak", {"id"}, Stoerung::Nak, {1}, 1, 0},
    {"IdAbgebrocheneZeile", {"id"}, Stoerung::KurzeZeile, {1}, 1, 1},
    {"Suche", {"suchen"}, Stoerung::Keine, {}, 0, 7},
    {"KurveSenden", {"kurve", "senden", "a.skr"}, Stoerung::Keine, {}, 0, 0},
    {"KurveSendenStille", {"kurve", "senden", "a.skr"}, Stoerung::Stille, {2}, 1, 1},
};
INSTANTIATE_TEST_SUITE_P(Faelle, JedeSpur, ::testing::ValuesIn(kSpurfaelle),
                         [](const auto& fall) { return std::string(fall.param.name); });

TEST(SpurText, JedesByteLiestSichZurueck) {
    const struct {
        Bytes bytes;
        const char* text;
    } faelle[] = {
        {{'#', '1', 'I', 'D', 'R', 0x0D}, "#1IDR\\r"},
        {{0x06, 0x15, 0x18}, "<ACK><NAK><CAN>"},
        {{0x00, 0x0A, 0x1F, 0x7F, 0x80, 0xFF}, "\\x00\\x0A\\x1F\\x7F\\x80\\xFF"},
        {{'<', '\\', '>', ' ', '~'}, "\\x3C\\\\> ~"},
        {{}, ""},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(device::SpurText(f.bytes), f.text);
}

// The trace's own failures: a file that cannot be made stops the command
// before anything is sent; a trace that cannot be written fails the run,
// which still finishes what it does on the board.
TEST_F(Spur, DateiNichtZuMachenOderVoll) {
    EXPECT_EQ(Lauf({"id", "--spur", (dir / "fehlt" / "t.txt").string()}), ctl::kFehlschlag);
    EXPECT_NE(fehler.str().find("Fehler #308470"), std::string::npos) << fehler.str();
    EXPECT_TRUE(ereignisse->empty());
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_EQ(Lauf({"id", "--spur", "/dev/full"}), ctl::kFehlschlag);
        EXPECT_EQ(aus.str(), std::string(mux6sim::kStandardIdentitaet) + "\n");
        EXPECT_NE(fehler.str().find("Fehler #301471"), std::string::npos) << fehler.str();
    }
    // A command that never reaches a board makes no trace.
    Kurvendatei();
    EXPECT_EQ(Lauf({"kurve", "exportieren", "a.skr", "a.txt", "--spur", "t.txt"}), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "t.txt"));
}

// A run ended by a signal half-way through a paced transfer leaves every line
// it wrote whole.
TEST_F(Spur, AbgebrochenerLaufHinterlaesstGanzeZeilen) {
    Kurvendatei("lang.skr", {{0, 4000, 1}, {4095, 1, 1}});
    testsupport::SimProzess sim(dir / "com1", {"--baud", "9600"});
    ASSERT_TRUE(sim.ok());
    const auto r =
        testsupport::CtlAusfuehren({"kurve", "senden", "lang.skr", "--spur", "t.txt"},
                                   std::chrono::seconds(30), std::chrono::milliseconds(1500));
    EXPECT_NE(r.status, 0);
    const std::string spur = testsupport::Lesen(dir / "t.txt");
    ASSERT_FALSE(spur.empty());
    EXPECT_EQ(spur.back(), '\n');
    const std::vector<std::string> zeilen = Zeilen(spur);
    EXPECT_GE(std::count_if(zeilen.begin(), zeilen.end(),
                            [](const std::string& z) { return z.starts_with("-> #1BDW4"); }),
              2);
}

// "Ausgänge auf Null" on a falling scale: the 0 V end comes out of the
// conversion as -0.0 and goes to the board without its sign.
TEST_F(Spur, NullAufFallenderSkalaOhneVorzeichen) {
    config::gKonfig.outskalamin[1] = 0.0;
    config::gKonfig.outskalamax[1] = -100.0;
    direct_io::DirektModellInit();
    device::PortFabrikSetzen(Fabrik());
    ASSERT_EQ(device::ORVKAP1_Open(1, 9600), 0);
    EXPECT_EQ(direct_io::AusgangAufNull(1, '1', 1).code, 0);
    device::PortTabelleLeeren();
    device::PortFabrikSetzen(nullptr);
    ASSERT_FALSE(ereignisse->empty());
    const Bytes& rahmen = ereignisse->front().bytes;
    EXPECT_EQ(std::string(rahmen.begin(), rahmen.end()), "#1V2W0.000\r");
}

}  // namespace
