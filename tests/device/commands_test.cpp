// Every command against a scripted port: its frame byte for byte, every check
// on its arguments before anything is sent, and every site code that a reply
// or a failing port can reach.

#include "device/commands.h"
#include "device/link.h"
#include "scripted_port.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

using testsupport::ScriptedPortScope;
using testsupport::Skript;

constexpr int kPort = 1;
constexpr char ACK = 0x06;
constexpr char NAK = 0x15;
constexpr char CAN = 0x18;

class Befehle : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(device::ORVKAP1_Open(kPort, 9600), 0);
        s().aufrufe.clear();
    }
    Skript& s() { return *scope_.skript; }
    bool NichtsGesendet() {
        return s().geschrieben.empty() &&
               std::find(s().aufrufe.begin(), s().aufrufe.end(), "write") == s().aufrufe.end();
    }
    bool NichtsGelesen() {
        return std::find(s().aufrufe.begin(), s().aufrufe.end(), "read") == s().aufrufe.end();
    }
    ScriptedPortScope scope_;
};

// One command with valid arguments, and what the documented table says about it.
struct Fall {
    const char* name;
    std::function<int()> aufruf;
    std::string rahmen;
    int flushEin;  // input flush fails
    int flushAus;  // output flush fails
    int schreib;
    int kurz;
    int nak;
    int can;
    int stumm;
    int anders;
    int zeile;             // a read inside the line fails; 0 for writing commands
    int dekodier;          // a malformed line
    std::string gutZeile;  // a good line after the ACK
    int fremd = 0;         // the reply of another address, when not `dekodier`
};

std::string g_id;
double g_wert;
int g_int;
std::vector<std::uint8_t> g_daten;
const std::vector<std::uint8_t> kBlock = {0x01, 0x02, 0x03};

std::vector<Fall> Faelle() {
    constexpr int kIn = -124148, kOut = -123149;
    return {
        {"IDLesen", [] { return device::ORVKAP1_IDLesen(kPort, '1', g_id); }, "#1IDR\r", kIn, kOut,
         -101008, -114009, -402010, -405011, -403012, -404013, -404014, -404015, "#1ORV-VEK7M\r"},
        {"DeviceFunction", [] { return device::ORVKAP1_DeviceFunction(kPort, '2', "start"); },
         "#2DF1\r", kIn, kOut, -101037, -101038, -402039, -405040, -403041, -404042, 0, 0, ""},
        {"EingangLesen", [] { return device::ORVKAP1_EingangLesen(kPort, '1', "e2", g_wert); },
         "#1V2R\r", -112046, -112046, -101047, -114048, -402049, -405050, -403051, -404052, -404053,
         -404054, "#1V2R1.25\r"},
        {"AusgangSchreiben", [] { return device::ORVKAP1_AusgangSchreiben(kPort, '1', "a2", 7.5); },
         "#1V2W7.500\r", -112062, -112062, -101063, -101064, -402065, -405066, -403067, -404068, 0,
         0, ""},
        {"SpeicherLesen",
         [] { return device::ORVKAP1_SpeicherLesen(kPort, '1', 4, 0x40, 3, g_daten); },
         "#1BDR400400003\r", kIn, kOut, -101097, -114098, -402099, -405100, -403101, -404102,
         -404104, -404105,
         "#1BDR400400003010203"
         "0007\r",
         -404107},
        {"SpeicherSchreiben",
         [] { return device::ORVKAP1_SpeicherSchreiben(kPort, '1', 4, 0x1000, 3, kBlock); },
         "#1BDW410000003010203"
         "0007\r",
         kIn, kOut, -101125, -101126, -402127, -405128, -403129, -404130, 0, 0, ""},
        {"StatusLesen", [] { return device::ORVKAP1_StatusLesen(kPort, '1', 2, g_int); }, "#1S2R\r",
         kIn, kOut, -101138, -114139, -402140, -405141, -403142, -404143, -404144, -404145,
         "#1S2R$1F\r"},
        {"ModusLesen", [] { return device::ORVKAP1_ModusLesen(kPort, '1', g_int); }, "#1M1R\r", kIn,
         kOut, -101152, -114153, -402154, -405155, -403156, -404157, -404158, -404159,
         "#1M1R$04\r"},
        {"ModusSchreiben", [] { return device::ORVKAP1_ModusSchreiben(kPort, '1', 1, 0x01); },
         "#1M1S01\r", -112162, -112162, -101163, -101164, -402165, -405166, -403167, -404168, 0, 0,
         ""},
        {"BaudrateSchreiben", [] { return device::ORVVEK1_BaudrateSchreiben(kPort, 1, 19200); },
         "#1BRW19200\r", kIn, kOut, -101019, -101020, -402021, -405022, -403023, -404024, 0, 0, ""},
        {"AdresseSchreiben", [] { return device::ORVVEK1_AdresseSchreiben(kPort, 1, 5); },
         "#1DAW5\r", kIn, kOut, -101028, -101029, -402030, -405031, -403032, -404033, 0, 0, ""},
    };
}

class JederBefehl : public Befehle, public ::testing::WithParamInterface<Fall> {
  protected:
    const Fall& f() { return GetParam(); }
};

TEST_P(JederBefehl, ErfolgMitGenauDiesemRahmen) {
    s().altlast = {'x', 0x06, '#'};  // a late board's leftovers
    s().Antwort(std::string(1, ACK) + f().gutZeile + "nachher");
    EXPECT_EQ(f().aufruf(), 0);
    EXPECT_EQ(s().Text(), f().rahmen);
    // Flush, one write, drain, then the reads.
    ASSERT_GE(s().aufrufe.size(), 5u);
    EXPECT_EQ(s().aufrufe[0], "flushInput");
    EXPECT_EQ(s().aufrufe[1], "flushOutput");
    EXPECT_EQ(s().aufrufe[2], "write");
    EXPECT_EQ(s().aufrufe[3], "drain");
    EXPECT_EQ(std::count(s().aufrufe.begin(), s().aufrufe.end(), "write"), 1);
    // The ACK and the line, byte by byte, no further.
    const auto lesen = std::count(s().aufrufe.begin(), s().aufrufe.end(), "read");
    EXPECT_EQ(lesen, static_cast<long>(1 + f().gutZeile.size()));
}

TEST_P(JederBefehl, EingangLeerenScheitert) {
    s().eingangLeerenScheitert = true;
    s().Antwort(std::string(1, ACK) + f().gutZeile);
    EXPECT_EQ(f().aufruf(), f().flushEin);
    EXPECT_TRUE(NichtsGesendet());
}

TEST_P(JederBefehl, AusgangLeerenScheitert) {
    s().ausgangLeerenScheitert = true;
    s().Antwort(std::string(1, ACK) + f().gutZeile);
    EXPECT_EQ(f().aufruf(), f().flushAus);
    EXPECT_TRUE(NichtsGesendet());
}

TEST_P(JederBefehl, SchreibfehlerDesPorts) {
    s().schreibErgebnis = -1;
    s().Antwort(std::string(1, ACK) + f().gutZeile);
    EXPECT_EQ(f().aufruf(), f().schreib);
    EXPECT_TRUE(NichtsGelesen());
}

TEST_P(JederBefehl, ZuKurzGeschrieben) {
    s().schreibErgebnis = static_cast<int>(f().rahmen.size()) - 1;
    s().Antwort(std::string(1, ACK) + f().gutZeile);
    EXPECT_EQ(f().aufruf(), f().kurz);
    EXPECT_TRUE(NichtsGelesen());
    s().schreibErgebnis = 0;
    EXPECT_EQ(f().aufruf(), f().kurz);
}

TEST_P(JederBefehl, PortKannNichtAusgeben) {
    s().drainScheitert = true;
    s().Antwort(std::string(1, ACK) + f().gutZeile);
    EXPECT_EQ(f().aufruf(), f().schreib);
    EXPECT_TRUE(NichtsGelesen());
}

TEST_P(JederBefehl, Nak) {
    s().Antwort(std::string(1, NAK) + f().gutZeile);
    EXPECT_EQ(f().aufruf(), f().nak);
}

TEST_P(JederBefehl, Can) {
    s().Antwort(std::string(1, CAN) + f().gutZeile);
    EXPECT_EQ(f().aufruf(), f().can);
}

TEST_P(JederBefehl, Stille) {
    EXPECT_EQ(f().aufruf(), f().stumm);
    EXPECT_EQ(std::count(s().aufrufe.begin(), s().aufrufe.end(), "read"), 1);
}

TEST_P(JederBefehl, LesefehlerAmErstenByte) {
    s().antwort = {device::SerialPort::kFehler};
    EXPECT_EQ(f().aufruf(), f().stumm);
}

TEST_P(JederBefehl, AnderesErstesByte) {
    for (int erstes : {int{'X'}, int{'#'}, 0x00, 0x7F, 0x0D}) {
        s().antwort = {erstes};
        for (char c : f().gutZeile) {
            s().antwort.push_back(static_cast<unsigned char>(c));
        }
        EXPECT_EQ(f().aufruf(), f().anders) << erstes;
    }
}

// Commands with a reply line after the ACK, and those without.
class JederLesebefehl : public JederBefehl {};
class JederSchreibbefehl : public JederBefehl {};

std::vector<Fall> Faelle(bool mitZeile) {
    std::vector<Fall> auswahl;
    for (Fall& f : Faelle())
        if ((f.dekodier != 0) == mitZeile)
            auswahl.push_back(std::move(f));
    return auswahl;
}

TEST_P(JederSchreibbefehl, LiestNachDemAckNichts) {
    s().Antwort(std::string(1, ACK) + "#1IRGENDWAS\r");
    EXPECT_EQ(f().aufruf(), 0);
    EXPECT_EQ(std::count(s().aufrufe.begin(), s().aufrufe.end(), "read"), 1);
}

TEST_P(JederLesebefehl, ZeileBrichtAb) {
    // Silence in the middle of the line, and a failing read there.
    s().Antwort(std::string(1, ACK) + f().gutZeile.substr(0, 4));
    EXPECT_EQ(f().aufruf(), f().zeile);
    s().Antwort(std::string(1, ACK) + f().gutZeile.substr(0, 3));
    s().antwort.push_back(device::SerialPort::kFehler);
    EXPECT_EQ(f().aufruf(), f().zeile);
    s().Antwort(std::string(1, ACK));
    EXPECT_EQ(f().aufruf(), f().zeile);
}

TEST_P(JederLesebefehl, UeberlangeZeileWirdAbgeschnittenUndVerworfen) {
    // The board keeps talking: the read stops at the maximum, before the CR.
    std::string lang = f().gutZeile;
    lang.insert(lang.size() - 1, std::string(200, '0'));
    s().Antwort(std::string(1, ACK) + lang);
    EXPECT_EQ(f().aufruf(), f().dekodier);
    const auto lesen = std::count(s().aufrufe.begin(), s().aufrufe.end(), "read");
    EXPECT_LT(lesen, static_cast<long>(lang.size()));
}

TEST_P(JederLesebefehl, AntwortEinesAnderenGeraets) {
    std::string fremd = f().gutZeile;
    fremd[1] = '7';
    s().Antwort(std::string(1, ACK) + fremd);
    EXPECT_EQ(f().aufruf(), f().fremd != 0 ? f().fremd : f().dekodier);
}

TEST_P(JederBefehl, PortNichtOffen) {
    ASSERT_EQ(device::ORVKAP1_Close(kPort), 0);
    EXPECT_EQ(f().aufruf(), f().flushEin);
}

const auto kFallname = [](const auto& info) { return std::string(info.param.name); };
INSTANTIATE_TEST_SUITE_P(Tabelle, JederBefehl, ::testing::ValuesIn(Faelle()), kFallname);
INSTANTIATE_TEST_SUITE_P(Tabelle, JederLesebefehl, ::testing::ValuesIn(Faelle(true)), kFallname);
INSTANTIATE_TEST_SUITE_P(Tabelle, JederSchreibbefehl, ::testing::ValuesIn(Faelle(false)),
                         kFallname);

// IDLesen.

TEST_F(Befehle, IdNurEinGeraet) {
    std::string id = "vorher";
    for (char a : {'&', '0', 'g', 'A', ' '}) {
        EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, a, id), -400006) << a;
    }
    EXPECT_TRUE(NichtsGesendet());
    EXPECT_EQ(id, "vorher");
}

TEST_F(Befehle, IdTextUndAdressen) {
    for (char a : std::string("19af")) {
        std::string id;
        s().geschrieben.clear();
        s().Antwort(std::string(1, ACK) + "#" + a + "ORV-VEK7M_1.0\r");
        EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, a, id), 0) << a;
        EXPECT_EQ(id, "ORV-VEK7M_1.0");
        EXPECT_EQ(s().Text(), std::string("#") + a + "IDR\r");
        EXPECT_EQ(s().geschrieben.size(), 6u);
    }
}

TEST_F(Befehle, IdMitLeerzeichenScheitert) {
    std::string id = "vorher";
    s().Antwort(std::string(1, ACK) + "#1ORV VEK7M\r");
    EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, '1', id), -404015);
    EXPECT_EQ(id, "vorher");
}

TEST_F(Befehle, IdHoechstens29Bytes) {
    std::string id;
    const std::string text26(26, 'T');
    s().Antwort(std::string(1, ACK) + "#1" + text26 + "\r");
    EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, '1', id), 0);
    EXPECT_EQ(id, text26);
    // One more character: the CR would be byte 30.
    s().Antwort(std::string(1, ACK) + "#1" + text26 + "U\r");
    EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, '1', id), -404015);
    EXPECT_EQ(std::count(s().aufrufe.begin(), s().aufrufe.end(), "read"), (1 + 29) + (1 + 29));
}

// DeviceFunction.

TEST_F(Befehle, StartUndStopp) {
    s().Antwort(std::string(1, ACK));
    EXPECT_EQ(device::ORVKAP1_DeviceFunction(kPort, '3', "stopp"), 0);
    EXPECT_EQ(s().Text(), "#3DF2\r");
}

TEST_F(Befehle, FunktionGenauGeschrieben) {
    for (const char* f : {"Start", "STOPP", "start ", "stop", ""}) {
        EXPECT_EQ(device::ORVKAP1_DeviceFunction(kPort, '1', f), -401035) << f;
    }
    // The address is checked first.
    EXPECT_EQ(device::ORVKAP1_DeviceFunction(kPort, 'x', "Start"), -400034);
    EXPECT_EQ(device::ORVKAP1_DeviceFunction(kPort, '0', "start"), -400034);
    EXPECT_TRUE(NichtsGesendet());
}

TEST_F(Befehle, AnAlleOhneAntwort) {
    // Whatever is on the line, '&' is never answered and never read.
    s().Antwort(std::string(1, NAK));
    EXPECT_EQ(device::ORVKAP1_DeviceFunction(kPort, '&', "start"), 0);
    EXPECT_EQ(s().Text(), "#&DF1\r");
    EXPECT_TRUE(NichtsGelesen());
    // But it has left the driver before the call returns.
    EXPECT_EQ(s().aufrufe.back(), "drain");
}

// EingangLesen.

TEST_F(Befehle, EingangWertUndKanaele) {
    for (int k = 1; k <= 4; ++k) {
        s().geschrieben.clear();
        const std::string n = std::to_string(k);
        s().Antwort(std::string(1, ACK) + "#1V" + n + "R" + n + ".5\r");
        double w = -1;
        EXPECT_EQ(device::ORVKAP1_EingangLesen(kPort, '1', "e" + n, w), 0);
        EXPECT_DOUBLE_EQ(w, k + 0.5);
        EXPECT_EQ(s().Text(), "#1V" + n + "R\r");
    }
}

TEST_F(Befehle, EingangPruefungen) {
    double w = 3.0;
    EXPECT_EQ(device::ORVKAP1_EingangLesen(kPort, '&', "e1", w), -400043);
    EXPECT_EQ(device::ORVKAP1_EingangLesen(kPort, '&', "x9", w), -400043);
    for (const char* k : {"e0", "e5", "E1", "a1", "e", "e11", ""}) {
        EXPECT_EQ(device::ORVKAP1_EingangLesen(kPort, '1', k, w), -401044) << k;
    }
    EXPECT_TRUE(NichtsGesendet());
    EXPECT_EQ(w, 3.0);
}

TEST_F(Befehle, EingangEchoAndererKanal) {
    double w = 3.0;
    s().Antwort(std::string(1, ACK) + "#1V3R1.0\r");
    EXPECT_EQ(device::ORVKAP1_EingangLesen(kPort, '1', "e2", w), -404054);
    EXPECT_EQ(w, 3.0);
}

TEST_F(Befehle, EingangInDeutscherUmgebung) {
    testsupport::LocaleScope de("de_DE.UTF-8");
    ASSERT_TRUE(de.ok());
    double w = 0;
    s().Antwort(std::string(1, ACK) + "#1V1R2.75\r");
    EXPECT_EQ(device::ORVKAP1_EingangLesen(kPort, '1', "e1", w), 0);
    EXPECT_DOUBLE_EQ(w, 2.75);
}

// AusgangSchreiben.

TEST_F(Befehle, AusgangDreiNachkommastellen) {
    s().Antwort(std::string(1, ACK));
    EXPECT_EQ(device::ORVKAP1_AusgangSchreiben(kPort, '1', "a1", 10.0), 0);
    EXPECT_EQ(s().Text(), "#1V1W10.000\r");
    s().geschrieben.clear();
    s().Antwort(std::string(1, ACK));
    EXPECT_EQ(device::ORVKAP1_AusgangSchreiben(kPort, '1', "a4", 0.0), 0);
    EXPECT_EQ(s().Text(), "#1V4W0.000\r");
    s().geschrieben.clear();
    s().Antwort(std::string(1, ACK));
    EXPECT_EQ(device::ORVKAP1_AusgangSchreiben(kPort, '1', "a3", 1.0 / 3.0), 0);
    EXPECT_EQ(s().Text(), "#1V3W0.333\r");
}

// Zero has no sign on the line, however it was reached; other values keep theirs.
TEST_F(Befehle, AusgangNullOhneVorzeichen) {
    const struct {
        double wert;
        const char* rahmen;
    } faelle[] = {
        {-0.0, "#1V2W0.000\r"},   {0.0 * -1.0, "#1V2W0.000\r"}, {1e-300, "#1V2W0.000\r"},
        {0.0004, "#1V2W0.000\r"}, {0.0005, "#1V2W0.001\r"},     {10.0, "#1V2W10.000\r"},
    };
    for (const auto& f : faelle) {
        s().geschrieben.clear();
        s().Antwort(std::string(1, ACK));
        EXPECT_EQ(device::ORVKAP1_AusgangSchreiben(kPort, '1', "a2", f.wert), 0) << f.wert;
        EXPECT_EQ(s().Text(), f.rahmen) << f.wert;
    }
}

TEST_F(Befehle, AusgangInDeutscherUmgebungMitPunkt) {
    testsupport::LocaleScope de("de_DE.UTF-8");
    ASSERT_TRUE(de.ok());
    s().Antwort(std::string(1, ACK));
    EXPECT_EQ(device::ORVKAP1_AusgangSchreiben(kPort, '1', "a2", 7.5), 0);
    EXPECT_EQ(s().Text(), "#1V2W7.500\r");
}

TEST_F(Befehle, AusgangGrenzenJeKanal) {
    const int codes[4] = {-500056, -500057, -500058, -500059};
    for (int k = 1; k <= 4; ++k) {
        const std::string kanal = std::string("a").append(std::to_string(k));
        for (double v : {10.0001, -0.001, std::nan(""), 1e300, -double(INFINITY)}) {
            EXPECT_EQ(device::ORVKAP1_AusgangSchreiben(kPort, '1', kanal, v), codes[k - 1])
                << kanal << " " << v;
        }
    }
    EXPECT_TRUE(NichtsGesendet());
}

TEST_F(Befehle, AusgangPruefreihenfolge) {
    EXPECT_EQ(device::ORVKAP1_AusgangSchreiben(kPort, 'z', "a9", 99.0), -400055);
    EXPECT_EQ(device::ORVKAP1_AusgangSchreiben(kPort, '1', "a5", 99.0), -401060);
    EXPECT_EQ(device::ORVKAP1_AusgangSchreiben(kPort, '1', "e1", 1.0), -401060);
    EXPECT_EQ(device::ORVKAP1_AusgangSchreiben(kPort, '1', "A1", 1.0), -401060);
    EXPECT_TRUE(NichtsGesendet());
}

TEST_F(Befehle, AusgangAnAlle) {
    EXPECT_EQ(device::ORVKAP1_AusgangSchreiben(kPort, '&', "a2", 5.0), 0);
    EXPECT_EQ(s().Text(), "#&V2W5.000\r");
    EXPECT_TRUE(NichtsGelesen());
}

// SpeicherLesen.

TEST_F(Befehle, SpeicherLesenPruefreihenfolge) {
    std::vector<std::uint8_t> d = {9};
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '&', 4, 0, 64, d), -400092);
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '&', 3, -1, 0, d), -400092);
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 3, -1, 0, d), -894093);
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 4, 0x10000, 64, d), -894093);
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 3, 0, 0, d), -895094);
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 4, 0, -1, d), -895094);
    // Lengths that four hex digits cannot carry are refused, not sent.
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 4, 0, 0x10000, d), -895094);
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 4, 0, 0x10001, d), -895094);
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 3, 0, 64, d), -896095);
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 5, 0, 64, d), -896095);
    EXPECT_TRUE(NichtsGesendet());
    EXPECT_EQ(d, std::vector<std::uint8_t>{9});
}

TEST_F(Befehle, SpeicherLesenBeispielrahmen) {
    std::string zeile = "#1BDR400400040";
    unsigned summe = 1;
    std::vector<std::uint8_t> erwartet;
    for (int i = 0; i < 64; ++i) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", i * 3);
        zeile += hex;
        summe += static_cast<unsigned>(i * 3);
        erwartet.push_back(static_cast<std::uint8_t>(i * 3));
    }
    char pruef[5];
    std::snprintf(pruef, sizeof pruef, "%04x", summe & 0xFFFF);
    zeile += std::string(pruef) + "\r";
    ASSERT_EQ(zeile.size(), 2u * 64 + 19);
    s().Antwort(std::string(1, ACK) + zeile);
    std::vector<std::uint8_t> d;
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 4, 0x40, 64, d), 0);
    EXPECT_EQ(s().Text(), "#1BDR400400040\r");
    EXPECT_EQ(d, erwartet);
}

TEST_F(Befehle, SpeicherLesenLaengeUndPruefsumme) {
    std::vector<std::uint8_t> d = {9};
    // Checksum wrong.
    s().Antwort(std::string(1, ACK) +
                "#1BDR400400003010203"
                "0008\r");
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 4, 0x40, 3, d), -406114);
    // Lower-case checksum digits, value right.
    s().Antwort(std::string(1, ACK) +
                "#1BDR4004000030a0b0c"
                "0022\r");
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 4, 0x40, 3, d), 0);
    EXPECT_EQ(d, (std::vector<std::uint8_t>{0x0A, 0x0B, 0x0C}));
    d = {9};
    // A byte short: CR arrives early.
    s().Antwort(std::string(1, ACK) +
                "#1BDR4004000030102"
                "0004\r");
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 4, 0x40, 3, d), -404106);
    // A byte too many: the read stops at 2n + 19 before the CR.
    s().Antwort(std::string(1, ACK) +
                "#1BDR40040000301020304"
                "000B\r");
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 4, 0x40, 3, d), -404105);
    // Another start address echoed.
    s().Antwort(std::string(1, ACK) +
                "#1BDR400410003010203"
                "0007\r");
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 4, 0x40, 3, d), -404107);
    // Bad hex digits in data and checksum.
    s().Antwort(std::string(1, ACK) +
                "#1BDR40040000301020Q"
                "0007\r");
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 4, 0x40, 3, d), -404109);
    s().Antwort(std::string(1, ACK) +
                "#1BDR400400003010203"
                "00Z7\r");
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 4, 0x40, 3, d), -404112);
    EXPECT_EQ(d, std::vector<std::uint8_t>{9});
}

// SpeicherSchreiben.

TEST_F(Befehle, SpeicherSchreiben64Gesendet65Nicht) {
    std::vector<std::uint8_t> d(65, 0xA5);
    s().Antwort(std::string(1, ACK));
    EXPECT_EQ(device::ORVKAP1_SpeicherSchreiben(kPort, '1', 4, 0x1000, 64, d), 0);
    EXPECT_EQ(s().geschrieben.size(), 2u * 64 + 19);
    s().geschrieben.clear();
    s().aufrufe.clear();
    EXPECT_EQ(device::ORVKAP1_SpeicherSchreiben(kPort, '1', 4, 0x1000, 65, d), -895120);
    EXPECT_TRUE(NichtsGesendet());
}

TEST_F(Befehle, SpeicherSchreibenLeererBlock) {
    s().Antwort(std::string(1, ACK));
    EXPECT_EQ(device::ORVKAP1_SpeicherSchreiben(kPort, '1', 4, 0x2000, 0, {}), 0);
    EXPECT_EQ(s().Text(),
              "#1BDW420000000"
              "0001\r");
}

TEST_F(Befehle, SpeicherSchreibenKleineAdresseBleibt) {
    const std::vector<std::uint8_t> d = {0xab, 0xcd};
    s().Antwort(std::string(1, ACK));
    EXPECT_EQ(device::ORVKAP1_SpeicherSchreiben(kPort, 'a', 4, 0xbeef, 2, d), 0);
    const std::string t = s().Text();
    EXPECT_EQ(t.substr(0, 6), "#aBDW4");
    for (std::size_t i = 6; i < t.size(); ++i) {
        EXPECT_FALSE(t[i] >= 'a' && t[i] <= 'z') << t;
    }
    EXPECT_EQ(t,
              "#aBDW4BEEF0002ABCD"
              "0179\r");
}

TEST_F(Befehle, SpeicherSchreibenNurDieErstenLaengeBytes) {
    const std::vector<std::uint8_t> d = {1, 2, 3, 4, 5};
    s().Antwort(std::string(1, ACK));
    EXPECT_EQ(device::ORVKAP1_SpeicherSchreiben(kPort, '1', 4, 0, 3, d), 0);
    EXPECT_EQ(s().Text(),
              "#1BDW400000003010203"
              "0007\r");
}

TEST_F(Befehle, SpeicherSchreibenPruefreihenfolge) {
    const std::vector<std::uint8_t> d(64, 0);
    EXPECT_EQ(device::ORVKAP1_SpeicherSchreiben(kPort, '0', 3, -1, 65, d), -400118);
    EXPECT_EQ(device::ORVKAP1_SpeicherSchreiben(kPort, '1', 3, -1, 65, d), -894119);
    EXPECT_EQ(device::ORVKAP1_SpeicherSchreiben(kPort, '1', 3, 0x10000, 65, d), -894119);
    EXPECT_EQ(device::ORVKAP1_SpeicherSchreiben(kPort, '1', 3, 0, 65, d), -895120);
    EXPECT_EQ(device::ORVKAP1_SpeicherSchreiben(kPort, '1', 3, 0, -1, d), -895120);
    // More than the buffer holds would be read past its end.
    EXPECT_EQ(device::ORVKAP1_SpeicherSchreiben(kPort, '1', 4, 0, 10, std::span(d).first(0)),
              -895120);
    EXPECT_EQ(device::ORVKAP1_SpeicherSchreiben(kPort, '1', 3, 0, 64, d), -896121);
    EXPECT_TRUE(NichtsGesendet());
}

TEST_F(Befehle, SpeicherSchreibenAnAlle) {
    s().Antwort(std::string(1, CAN));
    const std::vector<std::uint8_t> d = {1, 2, 3};
    EXPECT_EQ(device::ORVKAP1_SpeicherSchreiben(kPort, '&', 4, 0x1000, 3, d), 0);
    EXPECT_EQ(s().Text(),
              "#&BDW410000003010203"
              "0007\r");
    EXPECT_TRUE(NichtsGelesen());
}

// StatusLesen and ModusLesen.

TEST_F(Befehle, StatusArten) {
    int w = -1;
    EXPECT_EQ(device::ORVKAP1_StatusLesen(kPort, '1', 3, w), -401136);
    EXPECT_EQ(device::ORVKAP1_StatusLesen(kPort, '1', 0, w), -401136);
    EXPECT_EQ(device::ORVKAP1_StatusLesen(kPort, '&', 3, w), -400135);
    EXPECT_TRUE(NichtsGesendet());
    s().Antwort(std::string(1, ACK) + "#1S1R$03\r");
    EXPECT_EQ(device::ORVKAP1_StatusLesen(kPort, '1', 1, w), 0);
    EXPECT_EQ(s().Text(), "#1S1R\r");
    EXPECT_EQ(w, device::kStatusKurvengeneratorAktiv | device::kStatusKennlinieAktiv);
}

TEST_F(Befehle, StatusZifferDerAntwort) {
    int w = -1;
    s().Antwort(std::string(1, ACK) + "#1S2R$03\r");
    EXPECT_EQ(device::ORVKAP1_StatusLesen(kPort, '1', 1, w), -404146);
    s().Antwort(std::string(1, ACK) + "#1S1R$03\r");
    EXPECT_EQ(device::ORVKAP1_StatusLesen(kPort, '1', 2, w), -404147);
    EXPECT_EQ(w, -1);
}

TEST_F(Befehle, ModusLesenWert) {
    int m = -1;
    EXPECT_EQ(device::ORVKAP1_ModusLesen(kPort, '&', m), -400150);
    s().Antwort(std::string(1, ACK) + "#4M1R$05\r");
    EXPECT_EQ(device::ORVKAP1_ModusLesen(kPort, '4', m), 0);
    EXPECT_EQ(m, 5);
    EXPECT_EQ(s().Text(), "#4M1R\r");
}

// ModusSchreiben.

TEST_F(Befehle, ModusSetzenUndLoeschen) {
    s().Antwort(std::string(1, ACK));
    EXPECT_EQ(device::ORVKAP1_ModusSchreiben(kPort, '1', 1, 0x01), 0);
    EXPECT_EQ(s().Text(), "#1M1S01\r");
    s().geschrieben.clear();
    s().Antwort(std::string(1, ACK));
    EXPECT_EQ(device::ORVKAP1_ModusSchreiben(kPort, 'e', 0, 0x04), 0);
    EXPECT_EQ(s().Text(), "#eM1C04\r");
    // Only the low byte of the mask, in upper-case hex; any non-zero sets.
    s().geschrieben.clear();
    s().Antwort(std::string(1, ACK));
    EXPECT_EQ(device::ORVKAP1_ModusSchreiben(kPort, '1', -7, 0x1ab), 0);
    EXPECT_EQ(s().Text(), "#1M1SAB\r");
    s().geschrieben.clear();
    EXPECT_EQ(device::ORVKAP1_ModusSchreiben(kPort, '&', 0, 0x02), 0);
    EXPECT_EQ(s().Text(), "#&M1C02\r");
    EXPECT_EQ(device::ORVKAP1_ModusSchreiben(kPort, 'G', 0, 0x02), -400160);
}

// Baud rate and address of the board.

TEST_F(Befehle, BaudrateRahmenUndPruefungen) {
    for (int baud : {4800, 9600, 19200, 38400}) {
        s().geschrieben.clear();
        s().Antwort(std::string(1, ACK));
        EXPECT_EQ(device::ORVVEK1_BaudrateSchreiben(kPort, 0, baud), 0);
        EXPECT_EQ(s().Text(), "#0BRW" + std::to_string(baud) + "\r");
    }
    s().geschrieben.clear();
    s().aufrufe.clear();
    EXPECT_EQ(device::ORVVEK1_BaudrateSchreiben(kPort, 10, 57600), -400016);
    EXPECT_EQ(device::ORVVEK1_BaudrateSchreiben(kPort, -1, 9600), -400016);
    EXPECT_EQ(device::ORVVEK1_BaudrateSchreiben(kPort, 1, 57600), -125017);
    EXPECT_EQ(device::ORVVEK1_BaudrateSchreiben(kPort, 1, 0), -125017);
    EXPECT_TRUE(NichtsGesendet());
}

TEST_F(Befehle, BaudrateAdresseNeunOhneAntwort) {
    EXPECT_EQ(device::ORVVEK1_BaudrateSchreiben(kPort, 9, 4800), 0);
    EXPECT_EQ(s().Text(), "#9BRW4800\r");
    EXPECT_TRUE(NichtsGelesen());
}

TEST_F(Befehle, AdresseSchreiben) {
    s().Antwort(std::string(1, ACK));
    EXPECT_EQ(device::ORVVEK1_AdresseSchreiben(kPort, 0, 8), 0);
    EXPECT_EQ(s().Text(), "#0DAW8\r");
    s().aufrufe.clear();
    s().geschrieben.clear();
    EXPECT_EQ(device::ORVVEK1_AdresseSchreiben(kPort, 9, 9), -400025);
    EXPECT_EQ(device::ORVVEK1_AdresseSchreiben(kPort, -1, 1), -400025);
    EXPECT_EQ(device::ORVVEK1_AdresseSchreiben(kPort, 1, 9), -401026);
    EXPECT_EQ(device::ORVVEK1_AdresseSchreiben(kPort, 1, -1), -401026);
    EXPECT_TRUE(NichtsGesendet());
}

TEST_F(Befehle, ParameterOhneAustausch) {
    EXPECT_EQ(device::ORVMUX6_ParameterLesen(), 0);
    EXPECT_EQ(device::ORVMUX6_ParameterSchreiben(), 0);
    EXPECT_TRUE(s().aufrufe.empty());
}

}  // namespace
