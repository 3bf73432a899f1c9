// mux6ctl's commands in-process against the simulated board: what each
// command prints, writes and sends, its exit status, and how every failure
// is reported.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "board_model.h"
#include "config/files.h"
#include "config/model.h"
#include "ctl.h"
#include "curves/files.h"
#include "curves/model.h"
#include "curves/transfer.h"
#include "errors/errors.h"
#include "simulated_port.h"
#include "support/temp_dir.h"

namespace {

using mux6sim::Leitung;
using mux6sim::Platine;
using mux6sim::Stoerplan;
using mux6sim::Stoerung;
using testsupport::Lesen;
using testsupport::Schreiben;

// The simulated board, and the device name each open was given.
class BenannterPort final : public device::SerialPort {
  public:
    BenannterPort(std::shared_ptr<Leitung> l, std::shared_ptr<std::vector<std::string>> namen)
        : port_(std::move(l)), namen_(std::move(namen)) {}
    int open(const std::string& g, const device::Leitungseinstellung& e) override {
        namen_->push_back(g);
        baud = e.baud;
        return port_.open(g, e);
    }
    int close() override { return port_.close(); }
    int setTimeout(std::chrono::milliseconds z) override { return port_.setTimeout(z); }
    int write(std::span<const std::uint8_t> b) override { return port_.write(b); }
    int readByte() override { return port_.readByte(); }
    int bytesToWrite() override { return port_.bytesToWrite(); }
    int drain() override { return port_.drain(); }
    int flushInput() override { return port_.flushInput(); }
    int flushOutput() override { return port_.flushOutput(); }
    int baud = 0;

  private:
    mux6sim::SimulatedPort port_;
    std::shared_ptr<std::vector<std::string>> namen_;
};

Stoerplan Plan(Stoerung art, std::vector<long> bei = {}) {
    Stoerplan p;
    p.art = art;
    p.beiRahmen = std::move(bei);
    return p;
}

std::string FehlerZeile(int code) {
    return "Fehler #" + std::to_string(-code) + ": " + errors::ORV_Fehlermeldung(code) + "\n";
}

class Ctl : public ::testing::Test {
  protected:
    void SetUp() override {
        config::StandardwerteSetzen();
        ASSERT_EQ(curves::KurvenInit(), 0);
    }
    void TearDown() override {
        config::StandardwerteSetzen();
        curves::KurvenInit();
    }
    int Lauf(const std::vector<std::string>& argumente, bool fortschritt = false) {
        aus.str("");
        fehler.str("");
        ctl::Umgebung u{
            [l = leitung, n = namen](int) { return std::make_unique<BenannterPort>(l, n); },
            aus,
            fehler,
            fortschritt,
            {},
            &ein};
        return ctl::Ausfuehren(argumente, u);
    }
    Platine& Board(std::size_t i = 0) { return leitung->Platinen()[i]; }
    // A curve file with the given curve 1 (and curve 2 when given).
    std::string Datei(const std::string& name, std::vector<curves::Gerade> g1,
                      std::vector<curves::Gerade> g2 = {}) {
        EXPECT_EQ(curves::KurvenInit(), 0);
        curves::gKurven[0].geraden = std::move(g1);
        curves::gKurven[0].anzahl = static_cast<std::int32_t>(curves::gKurven[0].geraden.size());
        if (!g2.empty()) {
            curves::gKurven[1].geraden = std::move(g2);
            curves::gKurven[1].anzahl =
                static_cast<std::int32_t>(curves::gKurven[1].geraden.size());
        }
        const std::string pfad = (dir / name).string();
        EXPECT_EQ(curves::KurvenSpeichernNach(pfad), 0);
        EXPECT_EQ(curves::KurvenInit(), 0);
        return pfad;
    }
    // What the board holds from 0x1000, `n` bytes.
    std::vector<std::uint8_t> Speicher(std::size_t n, std::size_t i = 0) {
        const auto& s = Board(i).speicher;
        return {s.begin() + 0x1000, s.begin() + 0x1000 + static_cast<long>(n)};
    }

    testsupport::TempDir dir{true};
    std::shared_ptr<Leitung> leitung = std::make_shared<Leitung>();
    std::shared_ptr<std::vector<std::string>> namen = std::make_shared<std::vector<std::string>>();
    std::ostringstream aus;
    std::ostringstream fehler;
    std::istringstream ein;  // what a file named "-" reads
};

// ---- the command line -----------------------------------------------------------------

TEST_F(Ctl, HilfeNenntJedeOptionUndJedenBefehl) {
    EXPECT_EQ(Lauf({"--help"}), 0);
    for (const char* s : {"--port",
                          "--geraet,--device",
                          "--adresse,--address",
                          "--baud",
                          "--erzwingen,--force",
                          "id",
                          "suchen, scan",
                          "start",
                          "stopp, stop",
                          "kurve, curve",
                          "kurve senden, send",
                          "kurve lesen, read",
                          "kurve exportieren, export",
                          "kurve importieren, import",
                          "kurve abbild, image",
                          "Fehler #",
                          "Exit status",
                          "--konfig",
                          "eingang",
                          "[N]:",
                          "N WERT | null:",
                          "messen",
                          "--intervall",
                          "--anzahl",
                          "--setze",
                          "--protokoll,--log"}) {
        EXPECT_NE(aus.str().find(s), std::string::npos) << s;
    }
    EXPECT_EQ(Lauf({"-h"}), 0);
    EXPECT_TRUE(namen->empty());
}

TEST_F(Ctl, FalscheAufrufeSindStatusZweiOhneVerbindung) {
    const std::vector<std::vector<std::string>> falsch = {
        {},
        {"nonsense"},
        {"id", "extra"},
        {"--bogus", "id"},
        {"--address", "9", "id"},
        {"--address", "12", "id"},
        {"--address"},
        {"--port", "x", "id"},
        {"--baud", "fast", "id"},
        {"--port", "1", "--device", "/dev/null", "id"},
        {"curve"},
        {"curve", "send"},
        {"curve", "read", "out.bin"},
        {"curve", "export", "a.skr"},
    };
    for (const auto& a : falsch) {
        EXPECT_EQ(Lauf(a), ctl::kAufruffehler) << (a.empty() ? "" : a[0]);
        EXPECT_NE(fehler.str().find("mux6ctl --help"), std::string::npos);
        EXPECT_TRUE(aus.str().empty());
    }
    EXPECT_TRUE(namen->empty());
}

TEST_F(Ctl, OptionenAuchMitGleichheitszeichenUndHinterDemBefehl) {
    Platine b;
    b.adresse = '4';
    b.identitaet = "ORV-VEK7M_VIER";
    leitung->Platinen().push_back(b);
    EXPECT_EQ(Lauf({"id", "--address=4"}), 0);
    EXPECT_EQ(aus.str(), "ORV-VEK7M_VIER\n");
    EXPECT_EQ(Lauf({"--address", "4", "id", "--baud=19200"}), 0);
    EXPECT_EQ(aus.str(), "ORV-VEK7M_VIER\n");
}

TEST_F(Ctl, PortUndBaudrateGehenAnDieVerbindung) {
    EXPECT_EQ(Lauf({"--port", "9", "id"}), 1);
    EXPECT_EQ(fehler.str(), FehlerZeile(-100002));
    EXPECT_EQ(Lauf({"--baud", "1234", "id"}), 1);
    EXPECT_EQ(fehler.str(), FehlerZeile(-125001));
    EXPECT_TRUE(namen->empty());
    // Port 3 without a com3 here is the program's system port.
    EXPECT_EQ(Lauf({"--port", "3", "id"}), 0);
    ASSERT_EQ(namen->size(), 1u);
#ifdef _WIN32
    EXPECT_EQ(namen->back(), "COM3");
#else
    EXPECT_EQ(namen->back(), "/dev/ttyS2");
#endif
}

TEST_F(Ctl, GeraetStattPortnummer) {
    Schreiben(dir / "ziel", "");
#ifdef _WIN32
    const char* name = "ziel";
#else
    const char* name = "mein-port";
    std::filesystem::create_symlink(dir / "ziel", dir / name);
#endif
    EXPECT_EQ(Lauf({"--device", name, "id"}), 0);
    ASSERT_EQ(namen->size(), 1u);
    // Absolute and with a link followed, so the lock file names the device.
    EXPECT_EQ(std::filesystem::path(namen->back()), std::filesystem::canonical(dir / "ziel"));
}

// ---- board commands ---------------------------------------------------------------------

TEST_F(Ctl, IdGibtDieKennung) {
    EXPECT_EQ(Lauf({"id"}), 0);
    EXPECT_EQ(aus.str(), std::string(mux6sim::kStandardIdentitaet) + "\n");
    EXPECT_TRUE(fehler.str().empty());
}

TEST_F(Ctl, IdOhneBoardUndAnAlle) {
    EXPECT_EQ(Lauf({"--address", "2", "id"}), 1);
    EXPECT_EQ(fehler.str(), FehlerZeile(-403012));
    EXPECT_TRUE(aus.str().empty());
    EXPECT_EQ(Lauf({"--address", "&", "id"}), 1);
    EXPECT_EQ(fehler.str(), FehlerZeile(-400006));
}

TEST_F(Ctl, SucheEineZeileJeAdresse) {
    Platine b;
    b.adresse = '5';
    b.identitaet = "ANDERES";
    leitung->Platinen().push_back(b);
    EXPECT_EQ(Lauf({"scan", "--address", "3"}), 0);
    EXPECT_EQ(aus.str(),
              std::string(mux6sim::kStandardIdentitaet) + "\n-\n-\n-\nANDERES\n-\n-\n-\n");
}

TEST_F(Ctl, SucheOhneBoardIstKeinFehler) {
    leitung->Platinen().clear();
    EXPECT_EQ(Lauf({"scan"}), 0);
    EXPECT_EQ(aus.str(), "-\n-\n-\n-\n-\n-\n-\n-\n");
}

TEST_F(Ctl, StartUndStopp) {
    EXPECT_EQ(Lauf({"start"}), 0);
    EXPECT_TRUE(Board().gestartet);
    EXPECT_EQ(Lauf({"stop"}), 0);
    EXPECT_FALSE(Board().gestartet);
    Platine b;
    b.adresse = '2';
    leitung->Platinen().push_back(b);
    EXPECT_EQ(Lauf({"--address", "&", "start"}), 0);
    EXPECT_TRUE(Board(0).gestartet);
    EXPECT_TRUE(Board(1).gestartet);
}

TEST_F(Ctl, StoerungWirdMitCodeGemeldet) {
    leitung->StoerungSetzen(Plan(Stoerung::Nak));
    EXPECT_EQ(Lauf({"start"}), 1);
    EXPECT_EQ(fehler.str(), FehlerZeile(-402039));
    EXPECT_FALSE(Board().gestartet);
    leitung->StoerungSetzen(Plan(Stoerung::Can));
    EXPECT_EQ(Lauf({"stop"}), 1);
    EXPECT_EQ(fehler.str(), FehlerZeile(-405040));
}

// ---- curve send and read ------------------------------------------------------------------

TEST_F(Ctl, SendenSchreibtDasAbbildVonKurveEins) {
    const std::string d = Datei("a.skr", {{0, 2, 4}, {100, 1, 1}});
    EXPECT_EQ(Lauf({"curve", "send", d}), 0);
    EXPECT_TRUE(fehler.str().empty());
    ASSERT_EQ(curves::KurvenLadenNach(d).code, 0);
    curves::Speicherabbild a;
    ASSERT_TRUE(curves::SpeicherabbildBauen(a));
    const auto s = a.Sendebereich();
    EXPECT_EQ(Speicher(s.size()), std::vector<std::uint8_t>(s.begin(), s.end()));
    // Samples 0, 50 ("10ms") and 100 ("1ms") behind the header.
    EXPECT_EQ(Speicher(38), (std::vector<std::uint8_t>(s.begin(), s.end())));
    EXPECT_EQ(Board().speicher[0x1020], 0x30);
    EXPECT_EQ(Board().speicher[0x1023], 50);
    EXPECT_EQ(Board().speicher[0x1024], 0x00);
    EXPECT_EQ(Board().speicher[0x1025], 100);
}

TEST_F(Ctl, UngleicheLaengenNurMitForce) {
    const std::string d = Datei("u.skr", {{0, 1, 4}, {1, 1, 4}}, {{0, 1, 1}, {1, 2, 3}});
    EXPECT_EQ(Lauf({"curve", "send", d}), 1);
    EXPECT_NE(fehler.str().find("Kurven sind nicht gleich lang, und laufen daher nicht "
                                "synchron.\n\nKurve 1: 0.02000 sek\nKurve 2: 0.01100 sek\n"),
              std::string::npos)
        << fehler.str();
    EXPECT_NE(fehler.str().find("--force"), std::string::npos);
    EXPECT_TRUE(namen->empty());  // the port was not even opened
    EXPECT_EQ(Speicher(2), (std::vector<std::uint8_t>{0, 0}));
    EXPECT_EQ(Lauf({"--force", "curve", "send", d}), 0);
    EXPECT_EQ(Board().speicher[0x1003], 0x23);  // 32 + 4 bytes: ends at 0x1023
}

TEST_F(Ctl, ZuLangeKurveWirdNichtGesendet) {
    const std::string d = Datei("l.skr", {{0, 30000, 1}, {1, 705, 1}});
    EXPECT_EQ(Lauf({"curve", "send", d}), 1);
    EXPECT_EQ(fehler.str(), std::string(curves::kSpeicherVollText) + "\n");
    EXPECT_TRUE(namen->empty());
    EXPECT_EQ(Lauf({"curve", "image", d, (dir / "l.bin").string()}), 1);
    EXPECT_EQ(fehler.str(), std::string(curves::kSpeicherVollText) + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "l.bin"));
}

TEST_F(Ctl, FehlerhafterBlockBeimSenden) {
    const std::string d = Datei("b.skr", {{0, 100, 4}, {4000, 100, 4}});
    leitung->StoerungSetzen(Plan(Stoerung::Stille, {3}));
    EXPECT_EQ(Lauf({"curve", "send", d}), 1);
    EXPECT_EQ(fehler.str(), FehlerZeile(-403129));
}

TEST_F(Ctl, FehlendeOderFalscheDatei) {
    EXPECT_EQ(Lauf({"curve", "send", "fehlt.skr"}), 1);
    EXPECT_EQ(fehler.str(), FehlerZeile(-308435));
    Schreiben(dir / "kein.skr", "kein Kurvenfile");
    EXPECT_EQ(Lauf({"curve", "send", "kein.skr"}), 1);
    EXPECT_EQ(fehler.str(), FehlerZeile(-304436));
    EXPECT_TRUE(namen->empty());
}

TEST_F(Ctl, LesenSpeichertDieAbgetasteteKurve) {
    const std::string d = Datei("a.skr", {{0, 2, 4}, {100, 1, 1}});
    ASSERT_EQ(Lauf({"curve", "send", d}), 0);
    EXPECT_EQ(Lauf({"curve", "read", "zurueck.skr"}), 0);
    EXPECT_TRUE(fehler.str().empty());
    ASSERT_EQ(curves::KurvenLadenNach(dir / "zurueck.skr").code, 0);
    EXPECT_EQ(curves::gKurven[0].geraden,
              (std::vector<curves::Gerade>{{0, 1, 4}, {50, 1, 4}, {100, 1, 1}}));
    EXPECT_EQ(Lauf({"curve", "read", "zurueck.TXT"}), 0);
    EXPECT_EQ(Lesen(dir / "zurueck.TXT"), curves::KurvenExportText());
}

TEST_F(Ctl, LesenOhneKurveAufDemBoard) {
    EXPECT_EQ(Lauf({"curve", "read", "x.skr"}), 1);
    EXPECT_EQ(fehler.str(), FehlerZeile(-1019472));
    EXPECT_FALSE(std::filesystem::exists(dir / "x.skr"));
    leitung->StoerungSetzen(Plan(Stoerung::FalschePruefsumme));
    EXPECT_EQ(Lauf({"curve", "read", "x.skr"}), 1);
    EXPECT_EQ(fehler.str(), FehlerZeile(-406114));
}

TEST_F(Ctl, FortschrittNurWennGewuenscht) {
    const std::string d = Datei("f.skr", {{0, 100, 4}, {4000, 100, 4}});
    EXPECT_EQ(Lauf({"curve", "send", d}, false), 0);
    EXPECT_TRUE(fehler.str().empty());
    EXPECT_EQ(Lauf({"curve", "send", d}, true), 0);
    EXPECT_NE(fehler.str().find("\rDaten senden: 0 %"), std::string::npos);
    EXPECT_NE(fehler.str().find("\rDaten senden: 100 %\n"), std::string::npos);
    EXPECT_TRUE(aus.str().empty());
    EXPECT_EQ(Lauf({"curve", "read", "f.txt"}, true), 0);
    EXPECT_NE(fehler.str().find("\rDaten lesen: 100 %\n"), std::string::npos);
    // With the trace on standard error, its lines alone.
    EXPECT_EQ(Lauf({"curve", "send", d, "--spur", "-"}, true), 0);
    EXPECT_NE(fehler.str().find(" -> "), std::string::npos);
    EXPECT_EQ(fehler.str().find("Daten senden"), std::string::npos);
}

// ---- files only ---------------------------------------------------------------------------------

TEST_F(Ctl, ExportUndImport) {
    // The text carries no length for the closing segment: an import gives it 1.
    const std::string d = Datei("e.skr", {{0, 2, 4}, {4095, 1, 8}});
    EXPECT_EQ(Lauf({"curve", "export", d, "e.txt"}), 0);
    ASSERT_EQ(curves::KurvenLadenNach(d).code, 0);
    EXPECT_EQ(Lesen(dir / "e.txt"), curves::KurvenExportText());
    EXPECT_TRUE(namen->empty());

    EXPECT_EQ(Lauf({"curve", "import", "e.txt", "i.skr"}), 0);
    ASSERT_EQ(curves::KurvenLadenNach(dir / "i.skr").code, 0);
    EXPECT_EQ(curves::gKurven[0].geraden, (std::vector<curves::Gerade>{{0, 2, 4}, {4095, 1, 8}}));
}

TEST_F(Ctl, ImportfehlerZeigtErstSeineMeldung) {
    Schreiben(dir / "bad.txt", "0.0\t50\t3ms\t1\r\n");
    EXPECT_EQ(Lauf({"curve", "import", "bad.txt", "bad.skr"}), 1);
    const curves::Importergebnis e = curves::KurvenImportText(Lesen(dir / "bad.txt"));
    ASSERT_NE(e.code, 0);
    ASSERT_FALSE(e.meldung.empty());
    EXPECT_EQ(fehler.str(), e.meldung + "\n" + FehlerZeile(e.code));
    EXPECT_FALSE(std::filesystem::exists(dir / "bad.skr"));
}

TEST_F(Ctl, AbbildSindDieGesendetenBytes) {
    const std::string d = Datei("b.skr", {{0, 40, 2}, {4095, 1, 7}});
    EXPECT_EQ(Lauf({"curve", "image", d, "b.bin"}), 0);
    EXPECT_TRUE(namen->empty());
    ASSERT_EQ(Lauf({"curve", "send", d}), 0);
    const std::string bin = Lesen(dir / "b.bin");
    ASSERT_EQ(bin.size(), 32u + 2 * 41);
    const auto s = Speicher(bin.size());
    EXPECT_EQ(std::string(s.begin(), s.end()), bin);
}

TEST_F(Ctl, AbbildInEinenOrdnerDenEsNichtGibt) {
    const std::string d = Datei("b.skr", {{0, 4, 2}});
    EXPECT_EQ(Lauf({"curve", "image", d, (dir / "gibt/es/nicht.bin").string()}), 1);
    EXPECT_EQ(fehler.str(), FehlerZeile(-308432));
}

// ---- damaged files and standard input and output --------------------------------------------

TEST_F(Ctl, BeschaedigteKurvendateiNurMitForce) {
    const std::string d = Datei("k.skr", {{0, 2, 4}, {100, 1, 1}});
    const std::string ganz = Lesen(d);
    Schreiben(d, ganz.substr(0, ganz.size() - 5));  // cut short
    for (const char* befehl : {"send", "export", "image"}) {
        std::vector<std::string> a = {"curve", befehl, d};
        if (std::string(befehl) != "send")
            a.push_back("aus.bin");
        EXPECT_EQ(Lauf(a), 1) << befehl;
        EXPECT_NE(fehler.str().find("beschädigt; --force"), std::string::npos) << befehl;
    }
    EXPECT_TRUE(namen->empty()) << "nothing reached the board";
    EXPECT_FALSE(std::filesystem::exists(dir / "aus.bin"));
    EXPECT_EQ(Lauf({"--force", "curve", "export", d, "aus.txt"}), 0);
    EXPECT_NE(fehler.str().find("Kurve 4 "), std::string::npos) << "what was not taken";
    EXPECT_TRUE(std::filesystem::exists(dir / "aus.txt"));
}

TEST_F(Ctl, ZyklenAusserhalbSindEinSchaden) {
    const std::string d = Datei("z.skr", {{0, 2, 4}, {100, 1, 1}});
    std::string b = Lesen(d);
    for (const std::int32_t zyklen : {-1, 70000}) {
        for (std::size_t i = 0; i < 4; ++i)
            b[4040 + i] = static_cast<char>(static_cast<std::uint32_t>(zyklen) >> (8 * i));
        Schreiben(d, b);
        EXPECT_EQ(Lauf({"curve", "send", d}), 1) << zyklen;
        EXPECT_NE(fehler.str().find("Zyklenzahl"), std::string::npos);
    }
    EXPECT_TRUE(namen->empty());
}

TEST_F(Ctl, StrichIstStandardEinUndAusgabe) {
    const std::string d = Datei("s.skr", {{0, 2, 4}, {4095, 1, 8}});
    ASSERT_EQ(Lauf({"curve", "export", d, "-"}), 0);
    const std::string text = aus.str();
    ASSERT_EQ(curves::KurvenLadenNach(d).code, 0);
    EXPECT_EQ(text, curves::KurvenExportText());

    ein.str(text);
    ASSERT_EQ(Lauf({"curve", "import", "-", "-"}), 0);
    const std::string skr = aus.str();
    EXPECT_EQ(skr.size(), Lesen(d).size());

    ein.clear();
    ein.str(skr);
    ASSERT_EQ(Lauf({"curve", "export", "-", "-"}), 0);
    EXPECT_EQ(aus.str(), text);
}

TEST_F(Ctl, BeschaedigteKonfigurationNurMitForce) {
    std::vector<std::uint8_t> sko = config::KonfigDateiBild(config::Konfig{});
    std::fill_n(sko.begin() + 40, 8, 0xFF);  // full-scale voltage: no number
    Schreiben(dir / "k.sko", std::string(sko.begin(), sko.end()));
    Schreiben(dir / "k.txt", "0\t0\n100\t100\n");
    EXPECT_EQ(Lauf({"--konfig", "k.sko", "kennlinie", "import", "k.txt", "k.ske"}), 1);
    EXPECT_NE(fehler.str().find("beschädigt"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "k.ske"));
    EXPECT_EQ(Lauf({"--force", "--konfig", "k.sko", "kennlinie", "import", "k.txt", "k.ske"}), 0);
}

}  // namespace
