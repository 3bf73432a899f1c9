// mux6ctl's command line against the simulated board in-process: the older
// spellings send exactly what the German ones send, negative numbers and --
// reach the commands, and the bash completion made from the command table.

#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <set>
#include <sstream>

#include "board_model.h"
#include "config/files.h"
#include "config/model.h"
#include "ctl.h"
#include "curves/files.h"
#include "curves/model.h"
#include "errors/errors.h"
#include "simulated_port.h"
#include "support/process.h"
#include "support/temp_dir.h"

namespace {

using mux6sim::Leitung;

// The simulated board, and every byte sent to it.
class MitschreibenderPort final : public device::SerialPort {
  public:
    MitschreibenderPort(std::shared_ptr<Leitung> l, std::shared_ptr<std::string> bytes)
        : port_(std::move(l)), bytes_(std::move(bytes)) {}
    int open(const std::string& g, const device::Leitungseinstellung& e) override {
        return port_.open(g, e);
    }
    int close() override { return port_.close(); }
    int setTimeout(std::chrono::milliseconds z) override { return port_.setTimeout(z); }
    int write(std::span<const std::uint8_t> b) override {
        bytes_->append(b.begin(), b.end());
        return port_.write(b);
    }
    int readByte() override { return port_.readByte(); }
    int bytesToWrite() override { return port_.bytesToWrite(); }
    int drain() override { return port_.drain(); }
    int flushInput() override { return port_.flushInput(); }
    int flushOutput() override { return port_.flushOutput(); }

  private:
    mux6sim::SimulatedPort port_;
    std::shared_ptr<std::string> bytes_;
};

class Befehlszeile : public ::testing::Test {
  protected:
    void SetUp() override {
        config::StandardwerteSetzen();
        ASSERT_EQ(curves::KurvenInit(), 0);
        curves::gKurven[0].geraden = {{0, 3, 4}, {300, 1, 8}};
        curves::gKurven[0].anzahl = 2;
        ASSERT_EQ(curves::KurvenSpeichernNach(dir / "a.skr"), 0);
        ASSERT_EQ(curves::KurvenSpeichernNach(dir / "-a.skr"), 0);
    }
    void TearDown() override {
        config::StandardwerteSetzen();
        curves::KurvenInit();
    }
    int Lauf(const std::vector<std::string>& argumente) {
        aus.str("");
        fehler.str("");
        gesendet->clear();
        ctl::Umgebung u{[l = leitung, g = gesendet](int) {
                            return std::make_unique<MitschreibenderPort>(l, g);
                        },
                        aus,
                        fehler,
                        false,
                        {},
                        nullptr};
        return ctl::Ausfuehren(argumente, u);
    }

    testsupport::TempDir dir{true};
    std::shared_ptr<Leitung> leitung = std::make_shared<Leitung>();
    std::shared_ptr<std::string> gesendet = std::make_shared<std::string>();
    std::ostringstream aus;
    std::ostringstream fehler;
};

TEST_F(Befehlszeile, AlteSchreibweiseSendetDasselbe) {
    struct Paar {
        std::vector<std::string> alt;
        std::vector<std::string> neu;
    };
    const Paar paare[] = {
        {{"scan"}, {"suchen"}},
        {{"stop"}, {"stopp"}},
        {{"--address", "1", "start"}, {"--adresse", "1", "start"}},
        {{"--address=&", "stop"}, {"--adresse=&", "stopp"}},
        {{"curve", "send", "a.skr"}, {"kurve", "senden", "a.skr"}},
        {{"curve", "read", "-"}, {"kurve", "lesen", "-"}},
        {{"kennlinie", "select", "--slot", "3"}, {"kennlinie", "waehlen", "--platz", "3"}},
        {{"--device", "com1", "id"}, {"--geraet", "com1", "id"}},
        {{"messen", "--intervall", "1", "--anzahl", "1", "--log", "m.txt"},
         {"messen", "--intervall", "1", "--anzahl", "1", "--protokoll", "n.txt"}},
    };
    for (const Paar& p : paare) {
        const int status = Lauf(p.alt);
        const std::string alt = *gesendet;
        const std::string altAus = aus.str();
        EXPECT_EQ(Lauf(p.neu), status) << p.neu[0] << fehler.str();
        EXPECT_EQ(status, ctl::kErfolg) << p.alt[0] << fehler.str();
        EXPECT_FALSE(alt.empty()) << p.alt[0];
        EXPECT_EQ(*gesendet, alt) << p.neu[0];
        EXPECT_EQ(aus.str(), altAus) << p.neu[0];
    }
}

TEST_F(Befehlszeile, NegativeZahlenUndDoppelstrich) {
    struct Fall {
        std::vector<std::string> argumente;
        int status;
        std::string aus;
    };
    const Fall faelle[] = {
        // A negative value reaches the output's range check, not the parser.
        {{"ausgang", "2", "-100"}, ctl::kFehlschlag, ""},
        {{"ausgang", "--", "2", "-0.5"}, ctl::kFehlschlag, ""},
        {{"kurve", "exportieren", "--", "-a.skr", "-"}, ctl::kErfolg, "\t"},
        {{"ausgang", "2", "-x"}, ctl::kAufruffehler, ""},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(Lauf(f.argumente), f.status) << f.argumente[2] << fehler.str();
        EXPECT_NE(aus.str().find(f.aus), std::string::npos) << f.argumente[2];
    }
    Lauf({"ausgang", "2", "-100"});
    EXPECT_EQ(fehler.str(),
              std::string("Fehler #500057: ") + errors::ORV_Fehlermeldung(-500057) + "\n");
}

// The completion script as mux6ctl writes it, asked by bash as a shell would.
std::string Vorschlaege(const std::string& skript, const std::string& woerter, int wort) {
    const std::string befehl = "source " + skript + "; COMP_WORDS=(" + woerter +
                               "); COMP_CWORD=" + std::to_string(wort) +
                               "; _mux6ctl; echo \"${COMPREPLY[*]}\"";
    return testsupport::Ausfuehren("/bin/bash", {"-c", befehl}, std::chrono::seconds(10)).aus;
}

TEST_F(Befehlszeile, VervollstaendigungAusDerBefehlstabelle) {
    ASSERT_EQ(Lauf({"--bash-vervollstaendigung"}), 0);
    const std::string skript = (dir / "mux6ctl.bash").string();
    testsupport::Schreiben(skript, aus.str());
    const auto r =
        testsupport::Ausfuehren("/bin/bash", {"-c", "source " + skript + "; complete -p mux6ctl"},
                                std::chrono::seconds(10));
    EXPECT_EQ(r.aus, "complete -o default -F _mux6ctl mux6ctl\n");
    std::istringstream oben(Vorschlaege(skript, "mux6ctl ''", 1));
    const std::set<std::string> woerter{std::istream_iterator<std::string>(oben), {}};
    for (const char* w : {"id", "suchen", "scan", "kurve", "curve", "kennlinie", "messen"})
        EXPECT_TRUE(woerter.contains(w)) << w;
    EXPECT_EQ(Vorschlaege(skript, "mux6ctl --port 2 curve ''", 4),
              "abbild export exportieren image import importieren lesen plot read send senden "
              "zeichnen\n");
    EXPECT_EQ(Vorschlaege(skript, "mux6ctl kennlinie senden --pl", 3), "--platz\n");
    EXPECT_EQ(Vorschlaege(skript, "mux6ctl messen --protokoll ''", 3), "\n");  // a file
}

}  // namespace
