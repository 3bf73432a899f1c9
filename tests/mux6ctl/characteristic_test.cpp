// mux6ctl kennlinie: in-process against the simulated board (what each command
// writes, sends and refuses), and the executable against mux6sim on a
// pseudo-terminal, with the board's memory read back through the Qt backend.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <sstream>

#include "board_model.h"
#include "characteristic/files.h"
#include "characteristic/model.h"
#include "characteristic/transfer.h"
#include "config/files.h"
#include "ctl.h"
#include "device/commands.h"
#include "device/link.h"
#include "device/memory_transfer.h"
#include "device/qt_serial_port.h"
#include "device/serial_port.h"
#include "errors/errors.h"
#include "simulated_port.h"
#include "support/process.h"
#include "support/temp_dir.h"

namespace {

namespace kl = characteristic;
using Bytes = std::vector<std::uint8_t>;
using testsupport::Lesen;

std::string FehlerZeile(int code) {
    return "Fehler #" + std::to_string(-code) + ": " + errors::ORV_Fehlermeldung(code) + "\n";
}

class Kennlinie : public ::testing::Test {
  protected:
    void SetUp() override {
        config::StandardwerteSetzen();
        ASSERT_EQ(kl::KennlinienInit(), 0);
    }
    void TearDown() override {
        config::StandardwerteSetzen();
        kl::KennlinienInit();
    }
    int Lauf(const std::vector<std::string>& argumente) {
        aus.str("");
        fehler.str("");
        ctl::Umgebung u{mux6sim::SimulierteFabrik(leitung), aus, fehler, false, {}};
        return ctl::Ausfuehren(argumente, u);
    }
    // A ramp from 0 over 100 counts to 4000 and on to 1000 at X 300; output
    // 2 at 5 V, 100 ms.
    std::string Datei(const std::string& name = "k.ske") {
        kl::gKennlinie.geraden = {{0, 100, 0}, {4000, 200, 0}, {1000, 1, 0}};
        kl::gKennlinie.anzahl = 3;
        EXPECT_EQ(kl::KennlinieSpeichernNach(dir / name, kl::Felder{5.0, 100.0}), 0);
        EXPECT_EQ(kl::KennlinienInit(), 0);
        return name;
    }
    Bytes Slot(int n) {
        const auto a = leitung->Platinen().front().speicher.begin() + kl::Speicherplatzadresse(n);
        return Bytes(a, a + static_cast<long>(kl::kBlockGroesse));
    }
    static Bytes Datei(const std::filesystem::path& p) {
        const std::string s = Lesen(p);
        return Bytes(s.begin(), s.end());
    }

    testsupport::TempDir dir{true};
    std::shared_ptr<mux6sim::Leitung> leitung = std::make_shared<mux6sim::Leitung>();
    std::ostringstream aus;
    std::ostringstream fehler;
};

TEST_F(Kennlinie, SendenBlockUndLesenStimmenUeberein) {
    Datei();
    ASSERT_EQ(Lauf({"kennlinie", "send", "k.ske", "--slot", "2"}), 0) << fehler.str();
    EXPECT_TRUE(aus.str().empty() && fehler.str().empty());
    ASSERT_EQ(Lauf({"kennlinie", "block", "k.ske", "b.bin"}), 0) << fehler.str();
    EXPECT_EQ(Datei(dir / "b.bin"), Slot(2));

    ASSERT_EQ(Lauf({"kennlinie", "read", "--slot", "2", "r.ske"}), 0) << fehler.str();
    ASSERT_EQ(Lauf({"kennlinie", "read", "--slot", "2", "r.txt"}), 0) << fehler.str();
    const kl::Ladeergebnis e = kl::KennlinieLadenNach(dir / "r.ske");
    ASSERT_EQ(e.code, 0);
    EXPECT_EQ(kl::gKennlinie.anzahl, 4096);
    EXPECT_EQ(kl::gKennlinie.geraden[50].y, 2000);
    EXPECT_EQ(kl::gKennlinie.geraden[4095].y, 1000);
    EXPECT_NEAR(e.felder.begrenzung, 5.0, 0.002);
    EXPECT_EQ(e.felder.anstiegszeit, 102.375);
    EXPECT_EQ(Lesen(dir / "r.txt"), kl::KennlinieExportText());
    ASSERT_EQ(Lauf({"--help"}), 0);
    for (const char* s :
         {"kennlinie senden, send", "kennlinie lesen, read", "kennlinie exportieren, export",
          "kennlinie importieren, import", "kennlinie block", "kennlinie waehlen, select",
          "--platz,--slot", "--ausgang2,--output2", "--anstieg,--rise"})
        EXPECT_NE(aus.str().find(s), std::string::npos) << s;
}

TEST_F(Kennlinie, AusgangZweiUndAnstiegszeitUeberschreibenUndKonfig) {
    Datei();
    ASSERT_EQ(Lauf({"kennlinie", "block", "k.ske", "b.bin", "--output2", "12", "--rise", "1000"}),
              0);
    Bytes b = Datei(dir / "b.bin");
    EXPECT_EQ(Bytes(b.begin() + 4, b.begin() + 10), (Bytes{0x0F, 0xFF, 0x00, 0x00, 0xFE, 0}));
    // Output 2 shown as 0..100 %: 50 % is half scale, and files written carry it.
    config::Konfig k;
    k.outskalamax[1] = 100;
    k.outeinheit[1] = "%";
    ASSERT_EQ(config::KonfigurationSpeichernNach(dir / "p.sko", k), 0);
    ASSERT_EQ(
        Lauf({"--konfig", "p.sko", "kennlinie", "block", "k.ske", "b.bin", "--output2", "50"}), 0);
    b = Datei(dir / "b.bin");
    EXPECT_EQ(Bytes(b.begin() + 4, b.begin() + 6), (Bytes{0x08, 0x00}));
    testsupport::Schreiben(dir / "i.txt", "0\t0\n100\t100\n");
    ASSERT_EQ(Lauf({"--konfig", "p.sko", "kennlinie", "import", "i.txt", "i.ske"}), 0);
    EXPECT_EQ(kl::KennlinieLadenNach(dir / "i.ske").konfig.outeinheit[1], "%");
    ASSERT_EQ(Lauf({"kennlinie", "export", "i.ske", "i2.txt"}), 0);
    EXPECT_TRUE(Lesen(dir / "i2.txt").ends_with("\r\n0.00\t0.00\r\n100.00\t100.00\r\n\r\n"));
}

TEST_F(Kennlinie, FehlerUndFalscheAufrufe) {
    Datei();
    testsupport::Schreiben(dir / "x.txt", "0\t0\n0\t10\n");
    Bytes kurz = Datei(dir / "k.ske");
    kurz.pop_back();
    testsupport::Schreiben(dir / "kurz.ske", std::string(kurz.begin(), kurz.end()));
    struct Fall {
        std::vector<std::string> argumente;
        int status;
        std::string fehler;  // the end of standard error; empty for usage errors
    };
    const Fall faelle[] = {
        {{"kennlinie", "send", "k.ske"}, 2, ""},
        {{"kennlinie", "send", "k.ske", "--slot", "x"}, 2, ""},
        {{"kennlinie", "block", "k.ske", "b.bin", "--rise", "0"}, 2, ""},
        {{"kennlinie", "block", "k.ske", "b.bin", "--output2", "viel"}, 2, ""},
        {{"kennlinie", "read", "--slot", "1", "o.bin"}, 2, ""},
        {{"kennlinie", "send", "k.ske", "--slot", "9"}, 1, FehlerZeile(kl::kSendenPlatzUngueltig)},
        {{"kennlinie", "read", "--slot", "0", "o.ske"}, 1, FehlerZeile(kl::kLesenPlatzUngueltig)},
        {{"kennlinie", "select", "--slot", "8"}, 1, FehlerZeile(kl::kAusgang4PlatzUngueltig)},
        {{"kennlinie", "read", "--slot", "1", "o.ske"}, 1, FehlerZeile(kl::kKeineKennlinien)},
        {{"kennlinie", "send", "fehlt.ske", "--slot", "1"}, 1, FehlerZeile(-308518)},
        {{"kennlinie", "import", "x.txt", "o.ske"}, 1, FehlerZeile(-312540)},
        {{"kennlinie", "send", "kurz.ske", "--slot", "1"}, 1, "--force nimmt sie trotzdem.\n"},
        {{"--address", "&", "kennlinie", "read", "--slot", "1", "o.ske"},
         1,
         ": " + std::string(errors::ORV_Fehlermeldung(-400000)) + "\n"},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(Lauf(f.argumente), f.status) << f.argumente[1] << f.argumente.back();
        EXPECT_TRUE(fehler.str().ends_with(f.status == 2 ? "Try 'mux6ctl --help'.\n" : f.fehler))
            << fehler.str();
        EXPECT_FALSE(std::filesystem::exists(dir / "o.ske"));
    }
    // Nothing reached the board but the mode queries.
    EXPECT_EQ(Slot(1), Bytes(kl::kBlockGroesse, 0));
    EXPECT_EQ(Lauf({"kennlinie", "send", "kurz.ske", "--slot", "1", "--force"}), 0);
    // A slot whose checksum no longer fits.
    leitung->Platinen().front().speicher[40] ^= 1;
    EXPECT_EQ(Lauf({"kennlinie", "read", "--slot", "1", "o.ske"}), 1);
    EXPECT_EQ(fehler.str(), FehlerZeile(kl::kPruefsummeFalsch));
    EXPECT_FALSE(std::filesystem::exists(dir / "o.ske"));
}

// Points the board cannot take as they stand: too many values is refused
// before anything goes out, --force or not; a value beyond 4095 is sampled
// limited with a note, the other points as they are.
TEST_F(Kennlinie, PunkteWieSieInDerDateiStehen) {
    kl::gKennlinie.geraden.assign(4200, {1000, 1, 0});
    kl::gKennlinie.anzahl = 4200;
    ASSERT_EQ(kl::KennlinieSpeichernNach(dir / "lang.ske", kl::Felder{}), 0);
    kl::gKennlinie.geraden = {{0, 2, 0}, {5000, 2, 0}, {100, 1, 0}};
    kl::gKennlinie.anzahl = 3;
    ASSERT_EQ(kl::KennlinieSpeichernNach(dir / "hoch.ske", kl::Felder{}), 0);
    const std::vector<std::string> lang[] = {
        {"kennlinie", "send", "lang.ske", "--slot", "1"},
        {"--force", "kennlinie", "send", "lang.ske", "--slot", "1"},
        {"kennlinie", "block", "lang.ske", "b.bin"},
        {"kennlinie", "block", "lang.ske", "-"}};
    for (const auto& argumente : lang) {
        EXPECT_EQ(Lauf(argumente), 1);
        EXPECT_EQ(fehler.str(), FehlerZeile(kl::kZuVieleWerte));
        EXPECT_TRUE(aus.str().empty());
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "b.bin"));
    EXPECT_EQ(leitung->Platinen().front().modus, 0x04) << "no frame changed the board";
    EXPECT_EQ(Slot(1), Bytes(kl::kBlockGroesse, 0));

    ASSERT_EQ(Lauf({"kennlinie", "block", "hoch.ske", "b.bin"}), 0);
    EXPECT_EQ(fehler.str(), "hoch.ske: " + kl::Punktehinweis({.werteBegrenzt = true}) + "\n");
    const Bytes b = Datei(dir / "b.bin");
    const Bytes werte(b.begin() + 32, b.begin() + 44);
    EXPECT_EQ(werte, (Bytes{0, 0, 0x09, 0xC4, 0x0F, 0xFF, 0x09, 0xF6, 0, 100, 0, 100}));
}

// The executable against mux6sim: slots 1 and 7 sent and read back, the
// board's memory byte for byte the block, and output 4 at the slot's voltage.
TEST_F(Kennlinie, DurchDenSimulator) {
    Datei();
    testsupport::SimProzess sim(dir / "com1", {});
    ASSERT_TRUE(sim.ok());
    using testsupport::CtlAusfuehren;
    for (const char* slot : {"1", "7"}) {
        auto r = CtlAusfuehren({"kennlinie", "send", "k.ske", "--slot", slot});
        ASSERT_EQ(r.status, 0) << r.fehler;
        r = CtlAusfuehren({"kennlinie", "read", "--slot", slot, std::string("r") + slot + ".ske"});
        ASSERT_EQ(r.status, 0) << r.fehler;
    }
    ASSERT_EQ(CtlAusfuehren({"kennlinie", "block", "k.ske", "b.bin"}).status, 0);
    const Bytes block = Datei(dir / "b.bin");

    std::array<int, kl::kWerte> werte{};
    ASSERT_EQ(kl::KennlinieLadenNach(dir / "k.ske").code, 0);
    ASSERT_EQ(kl::Kennlinie_Abtasten(werte), 0);
    for (const char* name : {"r1.ske", "r7.ske"}) {
        ASSERT_EQ(kl::KennlinieLadenNach(dir / name).code, 0);
        ASSERT_EQ(kl::gKennlinie.anzahl, 4096);
        for (std::size_t k = 0; k < kl::kWerte; ++k)
            ASSERT_EQ(kl::gKennlinie.geraden[k].y, werte[k]) << name << k;
    }

    auto r = CtlAusfuehren({"kennlinie", "select", "--slot", "5"});
    EXPECT_EQ(r.status, 0) << r.fehler;
    r = CtlAusfuehren({"eingang", "4"});
    EXPECT_EQ(r.aus, "5.000 V\n");

    int argc = 1;
    char name[] = "kennlinie_test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    device::PortTabelleLeeren();
    device::PortFabrikSetzen(device::QtSerialPortFabrik());
    ASSERT_EQ(device::ORVKAP1_Open(1, 9600), 0);
    for (int slot : {1, 7}) {
        Bytes platine(kl::kBlockGroesse);
        EXPECT_EQ(
            device::SpeicherBlockweiseLesen(1, '1', 4, kl::Speicherplatzadresse(slot), platine), 0);
        EXPECT_EQ(platine, block) << slot;
    }
    device::PortTabelleLeeren();
    device::PortFabrikSetzen(nullptr);
}

}  // namespace
