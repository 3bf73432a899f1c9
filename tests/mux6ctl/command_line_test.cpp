// mux6ctl's command line against the simulated board in-process: the older
// spellings send exactly what the German ones send, negative numbers and --
// reach the commands, and the bash completion made from the command table.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <iterator>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "board_model.h"
#include "config/model.h"
#include "ctl.h"
#include "curves/curve_fixture.h"
#include "curves/files.h"
#include "curves/model.h"
#include "device/forwarding_port.h"
#include "errors/errors.h"
#include "simulated_port.h"
#include "support/process.h"
#include "support/temp_dir.h"

namespace {

using mux6sim::Leitung;

// The simulated board, and every byte sent to it.
class MitschreibenderPort final : public device::WeiterleitenderPort {
  public:
    MitschreibenderPort(std::shared_ptr<Leitung> l, std::shared_ptr<std::string> bytes)
        : WeiterleitenderPort(std::make_unique<mux6sim::SimulatedPort>(std::move(l))),
          bytes_(std::move(bytes)) {}
    int write(std::span<const std::uint8_t> b) override {
        bytes_->append(b.begin(), b.end());
        return innen().write(b);
    }

  private:
    std::shared_ptr<std::string> bytes_;
};

class Befehlszeile : public curves::test::KurvenTest {
  protected:
    void SetUp() override {
        KurvenTest::SetUp();
        Setze({{0, 3, 4}, {300, 1, 8}});
        ASSERT_EQ(curves::KurvenSpeichernNach(dir / "a.skr"), 0);
        ASSERT_EQ(curves::KurvenSpeichernNach(dir / "-a.skr"), 0);
    }
    int Lauf(const std::vector<std::string>& argumente) {
        aus.str("");
        fehler.str("");
        gesendet->clear();
        const auto port = [l = leitung, g = gesendet](int) {
            return std::make_unique<MitschreibenderPort>(l, g);
        };
        ctl::Umgebung u{port, aus, fehler, false, {}};
        return ctl::Ausfuehren(argumente, u);
    }

    testsupport::TempDir dir{true};
    std::shared_ptr<Leitung> leitung = std::make_shared<Leitung>();
    std::shared_ptr<std::string> gesendet = std::make_shared<std::string>();
    std::ostringstream aus, fehler;
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
        SCOPED_TRACE(p.alt[0]);
        EXPECT_EQ(Lauf(p.alt), ctl::kErfolg) << fehler.str();
        const std::string alt = *gesendet, altAus = aus.str();
        EXPECT_FALSE(alt.empty());
        EXPECT_EQ(Lauf(p.neu), ctl::kErfolg) << fehler.str();
        EXPECT_EQ(*gesendet, alt);
        EXPECT_EQ(aus.str(), altAus);
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

std::vector<std::string> Zeilen(const std::string& text) {
    std::vector<std::string> zeilen;
    std::istringstream s(text);
    for (std::string z; std::getline(s, z);)
        zeilen.push_back(z);
    return zeilen;
}

TEST_F(Befehlszeile, JsonGibtDieWerteDerTextausgabe) {
    leitung->Platinen().front().ausgaenge = {1.234, 5, 0, 7};
    leitung->Platinen().front().modus |= 0x01;  // input 4 is the start/stop input
    struct Fall {
        std::vector<std::string> befehl;
        // The text output's line i as the JSON object gives it.
        std::function<std::string(const nlohmann::json&, std::size_t)> zeile;
        std::size_t zeilen;
    };
    const auto wert = [](const nlohmann::json& e) {
        if (e.is_null())
            return std::string("-----");
        char zahl[64];
        std::snprintf(zahl, sizeof zahl, "%.*f", e["stellen"].get<int>(), e["wert"].get<double>());
        return zahl + (" " + e["einheit"].get<std::string>());
    };
    const Fall faelle[] = {
        {{"suchen"},
         [](const nlohmann::json& j, std::size_t i) {
             const auto& k = j["adressen"][i]["kennung"];
             return k.is_null() ? std::string("-") : k.get<std::string>();
         },
         8},
        {{"eingang"},
         [&](const nlohmann::json& j, std::size_t i) {
             return wert(j["eingaenge"][std::to_string(i + 1)]);
         },
         4},
        {{"id"},
         [](const nlohmann::json& j, std::size_t) { return j["kennung"].get<std::string>(); },
         1},
    };
    for (const Fall& f : faelle) {
        ASSERT_EQ(Lauf(f.befehl), ctl::kErfolg) << fehler.str();
        const std::vector<std::string> text = Zeilen(aus.str());
        auto mitJson = f.befehl;
        mitJson.push_back("--json");
        ASSERT_EQ(Lauf(mitJson), ctl::kErfolg) << fehler.str();
        const auto j = nlohmann::json::parse(aus.str());
        ASSERT_EQ(text.size(), f.zeilen) << f.befehl[0];
        for (std::size_t i = 0; i < f.zeilen; ++i)
            EXPECT_EQ(f.zeile(j, i), text[i]) << f.befehl[0] << " " << i;
    }
    // A failure: the same code on both sides, the object alone on standard output.
    EXPECT_EQ(Lauf({"--adresse", "5", "id"}), ctl::kFehlschlag);
    const std::string zeile = fehler.str();
    EXPECT_EQ(Lauf({"--adresse", "5", "id", "--json"}), ctl::kFehlschlag);
    EXPECT_EQ(fehler.str(), zeile);
    const auto j = nlohmann::json::parse(aus.str());
    EXPECT_EQ("Fehler #" + std::to_string(j["fehler"].get<int>()) + ": " +
                  j["text"].get<std::string>() + "\n",
              zeile);
    EXPECT_EQ(Lauf({"start", "--json"}), ctl::kAufruffehler);
}

// What bash prints for `befehl` once the completion script mux6ctl wrote is sourced.
std::string Bash(const std::string& befehl) {
    const std::vector<std::string> a{"-c", "source ./mux6ctl.bash; " + befehl};
    return testsupport::Ausfuehren("/bin/bash", a, std::chrono::seconds(10)).aus;
}

// The completion asked as a shell would, with the cursor on word `wort`.
std::string Vorschlaege(const std::string& woerter, int wort) {
    return Bash("COMP_WORDS=(" + woerter + "); COMP_CWORD=" + std::to_string(wort) +
                "; _mux6ctl; echo \"${COMPREPLY[*]}\"");
}

TEST_F(Befehlszeile, VervollstaendigungAusDerBefehlstabelle) {
    ASSERT_EQ(Lauf({"--bash-vervollstaendigung"}), 0);
    testsupport::Schreiben(dir / "mux6ctl.bash", aus.str());
    EXPECT_EQ(Bash("complete -p mux6ctl"), "complete -o default -F _mux6ctl mux6ctl\n");
    std::istringstream oben(Vorschlaege("mux6ctl ''", 1));
    const std::set<std::string> woerter{std::istream_iterator<std::string>(oben), {}};
    for (const char* w : {"id", "suchen", "scan", "kurve", "curve", "kennlinie", "messen"})
        EXPECT_TRUE(woerter.contains(w)) << w;
    EXPECT_EQ(Vorschlaege("mux6ctl --port 2 curve ''", 4),
              "abbild export exportieren image import importieren lesen plot read send senden "
              "zeichnen\n");
    EXPECT_EQ(Vorschlaege("mux6ctl kennlinie senden --pl", 3), "--platz\n");
    EXPECT_EQ(Vorschlaege("mux6ctl messen --protokoll ''", 3), "\n");  // a file
}

}  // namespace
