// mux6ctl eingang, ausgang and messen in-process against the simulated board,
// whose inputs read back its outputs: scaling from --konfig, the limits of the
// settings file, the measurement log, and how a run ends.

#include <algorithm>
#include <csignal>
#include <functional>
#include <iterator>
#include <sstream>

#include "config/files.h"
#include "ctl.h"
#include "direct_io/direct_io_fixture.h"
#include "direct_io/outputs.h"
#include "errors/errors.h"
#include "storage/cp1252.h"
#include "support/platform.h"

namespace {

namespace dio = direct_io;
using dio::test::Plan;
using mux6sim::Stoerung;

class Direkt : public dio::test::DirektTest {
  protected:
    // `ziel`: standard output other than `aus`.
    int Lauf(const std::vector<std::string>& argumente, std::ostream* ziel = nullptr) {
        aus.str("");
        fehler.str("");
        ctl::Umgebung u{mux6sim::SimulierteFabrik(leitung), ziel ? *ziel : aus, fehler, false,
                        [this](std::chrono::milliseconds d) {
                            gewartet.push_back(d);
                            if (nachWarten) {
                                nachWarten();
                            }
                            if (gewartet.size() == abbrechenNach) {
                                std::raise(SIGINT);
                            }
                        }};
        return ctl::Ausfuehren(argumente, u);
    }
    // Output 1: 0..5 V shown as 0..60 on a 10 V board (range 0..120); output 2:
    // 1..6 V as 0..1000; output 3 shown as 20..80; output 4 falling, 10..-10.
    std::string Konfigdatei() {
        config::Konfig k;
        k.outmin = {0, 1, 0, 0};
        k.outmax = {5, 6, 10, 10};
        k.outskalamin = {0, 0, 20, 10};
        k.outskalamax = {60, 1000, 80, -10};
        EXPECT_EQ(config::KonfigurationSpeichernNach(dir / "k.sko", k), 0);
        return "k.sko";
    }

    std::ostringstream aus;
    std::ostringstream fehler;
    std::vector<std::chrono::milliseconds> gewartet;
    std::size_t abbrechenNach = 0;
    std::function<void()> nachWarten;
};

// Standard output on a full disk: nothing it is given arrives.
class Voll final : public std::streambuf {
    int overflow(int) override { return traits_type::eof(); }
};

long Zeilen(const std::string& s) {
    return std::count(s.begin(), s.end(), '\n');
}

std::string FehlerZeile(int code) {
    return "Fehler #" + std::to_string(-code) + ": " + errors::ORV_Fehlermeldung(code) + "\n";
}

TEST_F(Direkt, FalscheAufrufe) {
    for (const char* falsch :
         {"eingang 5", "eingang 1 2", "ausgang 1", "ausgang 0 1", "ausgang 1 inf", "ausgang 1 1,5",
          "eingang --konfig", "messen --log m.txt", "messen --intervall 1",
          "messen --intervall x --log m.txt", "messen --intervall 1e9 --log m.txt",
          "messen --intervall 1 --anzahl 0 --log m.txt",
          "messen --intervall 1 --setze 5=1 --log m.txt",
          "messen --intervall 1 --setze 1 --log m.txt"}) {
        std::istringstream woerter(falsch);
        const std::vector<std::string> a{std::istream_iterator<std::string>(woerter), {}};
        EXPECT_EQ(Lauf(a), ctl::kAufruffehler) << falsch;
        EXPECT_TRUE(aus.str().empty());
    }
    EXPECT_EQ(leitung->Rahmenzahl(), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "m.txt"));
}

TEST_F(Direkt, AusgangUnterSeinerGrenze) {
    testsupport::Schreiben(dir / "vek7MKurvengenerator.ini", "[direkt]\r\ngrenze1 = 40\r\n");
    EXPECT_EQ(Lauf({"--konfig", Konfigdatei(), "ausgang", "1", "50"}), 0);
    EXPECT_EQ(Board().ausgaenge[0], 3.333);
    EXPECT_EQ(aus.str(), "40.00 V\n");
    EXPECT_EQ(Lauf({"--konfig", "k.sko", "ausgang", "1", "130"}), 1);
    EXPECT_EQ(fehler.str(), FehlerZeile(-500056));
    EXPECT_EQ(Board().ausgaenge[0], 3.333);
    // Without the settings file every limit is 10.
    std::filesystem::remove(dir / "vek7MKurvengenerator.ini");
    EXPECT_EQ(Lauf({"--konfig", "k.sko", "ausgang", "1", "50"}), 0);
    EXPECT_EQ(aus.str(), "10.00 V\n");
    EXPECT_EQ(Lauf({"--konfig", "fehlt.sko", "ausgang", "1", "5"}), 1);
    EXPECT_EQ(fehler.str(), FehlerZeile(-308263));
}

TEST_F(Direkt, AusgaengeAufNullUndEingaenge) {
    Board().ausgaenge = {9, 9, 9, 9};
    leitung->StoerungSetzen(Plan(Stoerung::Nak, {1}));
    EXPECT_EQ(Lauf({"--konfig", Konfigdatei(), "ausgang", "null"}), 1);
    EXPECT_EQ(fehler.str(), FehlerZeile(-402065));
    // Output 2 shows -200..1800 with one decimal; a falling range gets none.
    EXPECT_EQ(aus.str(), "0.0 V\n20.00 V\n0 V\n");
    EXPECT_EQ(Board().ausgaenge, (std::array<double, 4>{9, 1, 0, 5}));

    Board().ausgaenge = {1.234, 5, 0, 7};
    EXPECT_EQ(Lauf({"eingang"}), 0);
    EXPECT_EQ(aus.str(), "1.234 V\n5.000 V\n0.000 V\n7.000 V\n");
    Board().modus |= 0x01;
    EXPECT_EQ(Lauf({"eingang"}), 0);
    EXPECT_TRUE(aus.str().ends_with("0.000 V\n-----\n"));
    EXPECT_EQ(Lauf({"eingang", "2"}), 0);
    EXPECT_EQ(aus.str(), "5.000 V\n");
}

TEST_F(Direkt, MessenSchreibtDenBlockDesFensters) {
    EXPECT_EQ(Lauf({"messen", "--intervall", "0.05", "--anzahl", "3", "--setze", "2=7.5", "--log",
                    "m.txt"}),
              0);
    const std::string z =
        "24.01.2012\t14:05:09\t0.000\t7.500\t0.000\t0.000\t-----\t7.500\t-----\t-----\n";
    EXPECT_EQ(aus.str(), z + z + z + "Datenerfassung beendet\n");
    ASSERT_EQ(gewartet.size(), 2u);
    for (const auto d : gewartet) {
        EXPECT_GT(d.count(), 150);  // the 0.2 s floor, less the cycle's own time
        EXPECT_LE(d.count(), 200);
    }
    // The window's way through the model writes the same bytes.
    dio::DirektModellInit();
    device::PortFabrikSetzen(mux6sim::SimulierteFabrik(leitung));
    ASSERT_EQ(device::ORVKAP1_Open(kPort, 9600), 0);
    ASSERT_EQ(dio::AusgangSetzen(kPort, kAdresse, 1, 7.5, 10).code, 0);
    ASSERT_EQ(dio::AbfrageStarten(kPort, kAdresse, true, Datei("w.txt")).code, 0);
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(dio::AbtastZyklus(kPort, kAdresse).code, 0);
    }
    dio::ProtokollText(dio::kTextBeendet);
    dio::AbfrageStoppen();
    EXPECT_EQ(Log("m.txt"), Log("w.txt"));
}

TEST_F(Direkt, MessenEndetMitSignalOderFehler) {
    const auto fehlerzeilen = [](int code) {
        return storage::Utf8ZuCp1252Ersetzt("Fehler - Datenübertragung abgebrochen\r\n" +
                                            std::string(errors::ORV_Fehlermeldung(code)) + "\r\n");
    };
    abbrechenNach = 2;
    EXPECT_EQ(Lauf({"messen", "--intervall", "1", "--log", "m.txt"}), 0);
    EXPECT_EQ(Zeilen(aus.str()), 3);
    EXPECT_TRUE(aus.str().ends_with("-----\nDatenerfassung beendet\n"));
    EXPECT_TRUE(Log("m.txt").ends_with("\t-----\r\nDatenerfassung beendet\r\n"));

    // Frame 1 reads the mode, 2..5 are the first cycle: input 2 of the second fails.
    leitung->StoerungSetzen(Plan(Stoerung::Nak, {leitung->Rahmenzahl() + 7}));
    EXPECT_EQ(Lauf({"messen", "--intervall", "1", "--log", "m.txt"}), 1);
    EXPECT_EQ(fehler.str(), FehlerZeile(-402049));
    EXPECT_EQ(Zeilen(aus.str()), 1);
    EXPECT_TRUE(Log("m.txt").ends_with("\t-----\r\n" + fehlerzeilen(-402049)));

    // The mode byte unread: the block holds its head and the error lines.
    leitung->StoerungSetzen(Plan(Stoerung::Nak, {leitung->Rahmenzahl() + 1}));
    EXPECT_EQ(Lauf({"messen", "--intervall", "1", "--log", "m.txt"}), 1);
    EXPECT_EQ(fehler.str(), FehlerZeile(-402154));
    EXPECT_TRUE(Log("m.txt").ends_with("Ausg4[V]\r\n" + fehlerzeilen(-402154)));

    EXPECT_EQ(Lauf({"messen", "--intervall", "1", "--log", "fehlt/m.txt"}), 1);
    EXPECT_EQ(fehler.str(), FehlerZeile(-308306));
}

TEST_F(Direkt, AusgangDenDieserLaufNichtSetzteIstUnbekannt) {
    ASSERT_EQ(Lauf({"ausgang", "3", "5"}), 0);
    EXPECT_EQ(Lauf({"messen", "--intervall", "1", "--anzahl", "1", "--log", "m.txt"}), 0);
    // Input 3 reads output 3 back: the board holds 5, the log does not claim it.
    EXPECT_EQ(aus.str(),
              "24.01.2012\t14:05:09\t0.000\t0.000\t5.000\t0.000\t-----\t-----\t-----\t-----\n"
              "Datenerfassung beendet\n");
}

TEST_F(Direkt, MessenLogAufDieStandardausgabe) {
    const std::vector<std::string> messen{"messen", "--intervall", "1",   "--anzahl",
                                          "2",      "--setze",     "1=2", "--log"};
    auto mitLog = [&](const char* log) {
        auto a = messen;
        a.push_back(log);
        return Lauf(a);
    };
    ASSERT_EQ(mitLog("m.txt"), 0);
    ASSERT_EQ(mitLog("-"), 0);
    EXPECT_EQ(aus.str(), Log("m.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir / "-"));
}

#ifndef _WIN32
// Windows keeps a folder that holds an open file.
TEST_F(Direkt, LogDessenOrdnerVerschwindetIstEinFehler) {
    std::filesystem::create_directory(dir / "ordner");
    nachWarten = [&] { std::filesystem::remove_all(dir / "ordner"); };
    EXPECT_EQ(Lauf({"messen", "--intervall", "1", "--anzahl", "3", "--log", "ordner/m.txt"}), 1);
    EXPECT_EQ(fehler.str(), FehlerZeile(dio::kFehlerZeileZeit));
    EXPECT_EQ(Zeilen(aus.str()), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "ordner"));
}
#endif
MUX6_NUR_POSIX(DirektProtokoll, "a log whose folder is removed while it is open")

TEST_F(Direkt, ErgebnisDasNichtAnkommtIstEinFehler) {
    Voll voll;
    std::ostream ziel(&voll);
    for (const std::vector<std::string>& befehl : std::vector<std::vector<std::string>>{
             {"id"}, {"scan"}, {"eingang"}, {"eingang", "2"}, {"ausgang", "1", "5"}, {"--help"}}) {
        ziel.clear();
        EXPECT_EQ(Lauf(befehl, &ziel), ctl::kFehlschlag) << befehl[0];
        EXPECT_EQ(fehler.str(), FehlerZeile(-301480)) << befehl[0];
    }
}

}  // namespace
