#include "curves/files.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#endif
#include <filesystem>
#include <fstream>
#include <functional>

#include "curve_fixture.h"
#include "curves/editing.h"
#include "storage/byte_order.h"
#include "support/platform.h"
#include "support/temp_dir.h"

namespace curves {
namespace {

using test::KurvenTest;
using testsupport::Lesen;
using testsupport::Schreiben;
using testsupport::TempDir;

std::vector<std::uint8_t> Bytes(const std::string& s) {
    return std::vector<std::uint8_t>(s.begin(), s.end());
}

std::int32_t LE32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::int32_t>(storage::GetLE32(b, at));
}

void SetzeLE32(std::vector<std::uint8_t>& b, std::size_t at, std::int32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
}

// Field offsets of the file header.
constexpr std::size_t kKommentare = 40;
constexpr std::size_t kZyklen = 4040;
constexpr std::size_t kRuhe = 4056;
constexpr std::size_t kKonfig = 4072;
constexpr std::size_t kAnzahlen = 4424;

class DateiTest : public KurvenTest {
  protected:
    TempDir dir_;
};

// ---- "Neu" and the question -----------------------------------------------------

using NeuTest = DateiTest;

TEST_F(NeuTest, SetztKurvenZurueckUndLaesstAnsichtswerte) {
    Setze({{5, 3, 1}, {6, 1, 1}}, 0);
    Setze({{7, 3, 1}, {8, 1, 1}}, 3);
    gKurven[1].kommentar = "weg";
    gZyklen = {1, 2, 3, 4};
    gRuhezustand = {5, 6, 7, 8};
    gYRaster[0] = 0.5;
    gYZoomMin[0] = 100;
    PunktZeichnen(1e6, 5, 4, 0);  // one undo step
    gZwischenspeicher.geraden = {{1, 1, 1}};
    gZwischenspeicher.anzahl = 1;
    gKurvendatei = "/x/a.skr";
    gAnsichtStart = 500;
    gAnsichtEnde = 900;

    ASSERT_EQ(KurvenNeu(), 0);
    for (int i = 0; i < kKurven; ++i) {
        EXPECT_EQ(Geraden(i), (std::vector<Gerade>{{0, 1, 4}}));
        EXPECT_TRUE(gKurven[static_cast<std::size_t>(i)].kommentar.empty());
        EXPECT_EQ(gZyklen[static_cast<std::size_t>(i)], 0);
        EXPECT_EQ(gRuhezustand[static_cast<std::size_t>(i)], 0);
    }
    PruefeAnzahl();
    EXPECT_EQ(gYRaster[0], 0.5);
    EXPECT_EQ(gYZoomMin[0], 100);
    EXPECT_EQ(gUndoAnzahl[0], 1);
    EXPECT_EQ(gZwischenspeicher.anzahl, 1);
    EXPECT_TRUE(gKurvendatei.empty());
    EXPECT_EQ(gAnsichtStart, 0);
    EXPECT_EQ(gAnsichtEnde, 10000);
    // What was drawn before is saved nowhere: the flag stays for the question at the end.
    EXPECT_TRUE(gKurvenGeaendert);
}

TEST_F(NeuTest, FrageNenntDieDatei) {
    EXPECT_EQ(UngespeichertFrage(), "Möchten Sie die Änderungen in Kurvengenerator speichern?");
    gKurvendatei = (dir_ / "Probe.skr").string();
    EXPECT_EQ(UngespeichertFrage(), "Möchten Sie die Änderungen in Probe.skr speichern?");
}

// ---- save -----------------------------------------------------------------------------

using SpeichernTest = DateiTest;

TEST_F(SpeichernTest, FrischerZustandGibt4520Bytes) {
    const auto pfad = dir_ / "neu.skr";
    gKurvenGeaendert = true;
    ASSERT_EQ(KurvenSpeichernNach(pfad), 0);
    const auto b = Bytes(Lesen(pfad));
    ASSERT_EQ(b.size(), 4472u + 4 * 12);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.data())), "vek7mKurven Kurvendatei");
    for (std::size_t i = 23; i < 32; ++i)
        EXPECT_EQ(b[i], 0) << i;
    EXPECT_EQ(LE32(b, 32), 1);
    EXPECT_EQ(LE32(b, 36), 4);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(LE32(b, kAnzahlen + 12 * k), 1);
        EXPECT_EQ(LE32(b, 4472 + 12 * k), 0);      // y
        EXPECT_EQ(LE32(b, 4472 + 12 * k + 4), 1);  // laenge
        EXPECT_EQ(b[4472 + 12 * k + 8], 4);        // "10ms"
    }
    std::vector<std::uint8_t> konfig;
    config::KonfigBildSchreiben(config::gKonfig, konfig);
    EXPECT_TRUE(std::equal(konfig.begin(), konfig.end(), b.begin() + kKonfig));
    EXPECT_FALSE(gKurvenGeaendert);
    EXPECT_EQ(gKurvendatei, pfad.string());
}

TEST_F(SpeichernTest, FelderAmRichtigenOrt) {
    Setze({{100, 3, 1}, {4095, 65535, 8}, {7, 1, 2}}, 1);
    gKurven[2].kommentar = "Größe µ";
    gZyklen = {1, -2, 3, 70000};
    gRuhezustand = {0, 4095, 2, 3};
    ASSERT_EQ(KurvenSpeichernNach(dir_ / "f.skr"), 0);
    const auto b = Bytes(Lesen(dir_ / "f.skr"));
    ASSERT_EQ(b.size(), 4472u + 6 * 12);
    // The comment in Windows-1252: "Gr\xF6\xDFe \xB5".
    const std::uint8_t erwartet[] = {'G', 'r', 0xF6, 0xDF, 'e', ' ', 0xB5, 0};
    EXPECT_EQ(std::memcmp(b.data() + kKommentare + 2000, erwartet, sizeof erwartet), 0);
    EXPECT_EQ(LE32(b, kZyklen + 4), -2);
    EXPECT_EQ(LE32(b, kZyklen + 12), 70000);
    EXPECT_EQ(LE32(b, kRuhe + 4), 4095);
    EXPECT_EQ(LE32(b, kAnzahlen + 12), 3);
    // Curve 2's records after curve 1's one record.
    EXPECT_EQ(LE32(b, 4472 + 12 * 2), 4095);
    EXPECT_EQ(LE32(b, 4472 + 12 * 2 + 4), 65535);
    EXPECT_EQ(b[4472 + 12 * 2 + 8], 8);
    EXPECT_EQ(b[4472 + 12 * 2 + 9], 0);
}

TEST_F(SpeichernTest, LangerKommentarWird999Zeichen) {
    gKurven[0].kommentar = std::string(1500, 'x');
    ASSERT_EQ(KurvenSpeichernNach(dir_ / "k.skr"), 0);
    const auto b = Bytes(Lesen(dir_ / "k.skr"));
    EXPECT_EQ(b[kKommentare + 998], 'x');
    EXPECT_EQ(b[kKommentare + 999], 0);
    EXPECT_EQ(b[kKommentare + 1000], 0);  // curve 2's empty comment
}

TEST_F(SpeichernTest, FehlgeschlagenesSpeichernLaesstZustand) {
    gKurvenGeaendert = true;
    gKurvendatei = "alt.skr";
    EXPECT_EQ(KurvenSpeichernNach(dir_ / "fehlt" / "x.skr"), -308432);
    EXPECT_TRUE(gKurvenGeaendert);
    EXPECT_EQ(gKurvendatei, "alt.skr");
    std::filesystem::create_directory(dir_ / "ordner.skr");
    EXPECT_EQ(KurvenSpeichernNach(dir_ / "ordner.skr"), -308432);
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "ordner.skr"));
}

MUX6_NUR_POSIX(SpeichernDateigroessengrenze, "resource limits (setrlimit)")
#ifndef _WIN32
TEST_F(SpeichernTest, FehlgeschlagenesSpeichernLaesstAlteDatei) {
    const auto pfad = dir_ / "a.skr";
    ASSERT_EQ(KurvenSpeichernNach(pfad), 0);
    const std::string alt = Lesen(pfad);
    Schreiben(dir_ / "b.txt", "alter Export");
    Setze({{1, 2, 3}, {4, 5, 6}});
    gKurvenGeaendert = true;
    // A file size limit makes writing the new contents fail part way.
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit vorher{};
    ::getrlimit(RLIMIT_FSIZE, &vorher);
    rlimit eng = vorher;
    eng.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &eng), 0);
    const int speichern = KurvenSpeichernNach(pfad);
    const int exportieren = KurvenExportierenNach(dir_ / "b.txt");
    ::setrlimit(RLIMIT_FSIZE, &vorher);
    EXPECT_EQ(speichern, -301433);
    EXPECT_EQ(Lesen(pfad), alt);
    EXPECT_TRUE(gKurvenGeaendert);
    EXPECT_EQ(exportieren, -301442);
    EXPECT_EQ(Lesen(dir_ / "b.txt"), "alter Export");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()),
                            std::filesystem::directory_iterator{}),
              2)
        << "no temporary is left";
}
#endif

TEST_F(SpeichernTest, UeberschreibenOhneReste) {
    const auto pfad = dir_ / "a.skr";
    Schreiben(pfad, std::string(10000, 'z'));
    ASSERT_EQ(KurvenSpeichernNach(pfad), 0);
    EXPECT_EQ(Lesen(pfad).size(), 4520u);
    int dateien = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir_.path())) {
        (void)e;
        ++dateien;
    }
    EXPECT_EQ(dateien, 1);  // no temporary file left behind
}

TEST_F(SpeichernTest, DeutscheUndCLocaleGebenGleicheBytes) {
    config::gKonfig.voutmax = 4.095;
    config::gKonfig.outskalamax[0] = 0.5;
    Setze({{0, 7, 3}, {2047, 1, 1}});
    std::string skrC, txtC, skrDe, txtDe;
    {
        testsupport::LocaleScope c("C");
        ASSERT_EQ(KurvenSpeichernNach(dir_ / "c.skr"), 0);
        ASSERT_EQ(KurvenExportierenNach(dir_ / "c.txt"), 0);
    }
    {
        testsupport::LocaleScope de("de_DE.UTF-8");
        ASSERT_TRUE(de.ok());
        ASSERT_EQ(KurvenSpeichernNach(dir_ / "de.skr"), 0);
        ASSERT_EQ(KurvenExportierenNach(dir_ / "de.txt"), 0);
    }
    EXPECT_EQ(Lesen(dir_ / "c.skr"), Lesen(dir_ / "de.skr"));
    EXPECT_EQ(Lesen(dir_ / "c.txt"), Lesen(dir_ / "de.txt"));
    EXPECT_NE(Lesen(dir_ / "de.txt").find("0.00000\t0.00\t5ms\t1"), std::string::npos);
    EXPECT_NE(Lesen(dir_ / "de.txt").find("0.03500\t49.99\t1ms\t1"), std::string::npos);
}

// ---- load --------------------------------------------------------------------------

class LadenTest : public DateiTest {
  protected:
    // A saved file of the given curves, read back as bytes.
    std::vector<std::uint8_t> Datei() {
        EXPECT_EQ(KurvenSpeichernNach(dir_ / "quelle.skr"), 0);
        return Bytes(Lesen(dir_ / "quelle.skr"));
    }
    std::filesystem::path Ablegen(const std::vector<std::uint8_t>& b,
                                  const std::string& name = "t.skr") {
        Schreiben(dir_ / name, std::string(b.begin(), b.end()));
        return dir_ / name;
    }
};

TEST_F(LadenTest, RundreiseAllerFelder) {
    Setze({{100, 3, 1}, {4095, 65535, 8}, {7, 1, 2}}, 1);
    Setze({{1, 2, 3}, {4, 5, 6}}, 3);
    gKurven[2].kommentar = "Größe µA\nzweite Zeile";
    gZyklen = {1, 0, 3, 65535};
    gRuhezustand = {0, 4095, 2, 3};
    const auto b = Datei();
    const auto gespeichert = gKurven;
    const auto zyklen = gZyklen;
    const auto ruhe = gRuhezustand;
    ASSERT_EQ(KurvenInit(), 0);
    gKurvenGeaendert = true;
    const auto pfad = Ablegen(b);
    const Ladeergebnis e = KurvenLadenNach(pfad);
    ASSERT_EQ(e.code, 0);
    EXPECT_FALSE(e.schaden.beschaedigt());
    EXPECT_FALSE(e.konfigAbweichend);
    for (int i = 0; i < kKurven; ++i) {
        EXPECT_EQ(Geraden(i), gespeichert[static_cast<std::size_t>(i)].geraden);
        EXPECT_EQ(gKurven[static_cast<std::size_t>(i)].kommentar,
                  gespeichert[static_cast<std::size_t>(i)].kommentar);
    }
    PruefeAnzahl();
    EXPECT_EQ(gZyklen, zyklen);
    EXPECT_EQ(gRuhezustand, ruhe);
    EXPECT_FALSE(gKurvenGeaendert);
    EXPECT_EQ(gKurvendatei, pfad.string());
    EXPECT_EQ(gAnsichtStart, 0);
    EXPECT_EQ(gAnsichtEnde, Kurve_Dauer(0) - 1);
}

TEST_F(LadenTest, AbweichendeKonfigurationWirdAngeboten) {
    config::gKonfig.outeinheit[2] = "bar";
    config::gKonfig.outskalamax[2] = 250;
    const auto b = Datei();
    config::StandardwerteSetzen();
    const Ladeergebnis e = KurvenLadenNach(Ablegen(b));
    ASSERT_EQ(e.code, 0);
    EXPECT_TRUE(e.konfigAbweichend);
    EXPECT_EQ(e.konfig.outeinheit[2], "bar");
    EXPECT_EQ(e.konfig.outskalamax[2], 250);
    EXPECT_EQ(config::gKonfig.outeinheit[2], "V");  // taking over is the window's step
}

TEST_F(LadenTest, KonfigurationsdateiAbgelehnt) {
    auto b = Datei();
    const char typ[] = "vek7mKurven Konfigdatei";
    std::memcpy(b.data(), typ, sizeof typ);
    Setze({{9, 9, 1}, {9, 1, 1}});
    const Ladeergebnis e = KurvenLadenNach(Ablegen(b));
    EXPECT_EQ(e.code, -1020437);
    EXPECT_EQ(Geraden(), (std::vector<Gerade>{{9, 9, 1}, {9, 1, 1}}));
    // A real configuration file is shorter than a curve header.
    std::vector<std::uint8_t> sko(392, 0);
    std::memcpy(sko.data(), typ, sizeof typ);
    sko[32] = 1;
    EXPECT_EQ(KurvenLadenNach(Ablegen(sko, "k.sko")).code, -304436);
}

TEST_F(LadenTest, TypOhneNulUndNachNulIgnoriert) {
    auto b = Datei();
    b[24] = 'X';  // after the NUL: ignored
    EXPECT_EQ(KurvenLadenNach(Ablegen(b)).code, 0);
    std::fill(b.begin(), b.begin() + 32, 'v');
    EXPECT_EQ(KurvenLadenNach(Ablegen(b)).code, -1020437);
}

TEST_F(LadenTest, KopfFehler) {
    auto b = Datei();
    EXPECT_EQ(KurvenLadenNach(dir_ / "gibtsnicht.skr").code, -308435);
    EXPECT_EQ(KurvenLadenNach(dir_.path()).code, -308435);
    std::vector<std::uint8_t> kurz(b.begin(), b.begin() + 4471);
    EXPECT_EQ(KurvenLadenNach(Ablegen(kurz)).code, -304436);
    SetzeLE32(b, 32, 2);
    EXPECT_EQ(KurvenLadenNach(Ablegen(b)).code, -303438);
}

TEST_F(LadenTest, DateinameWirdVorDemOeffnenGeleert) {
    gKurvendatei = "vorher.skr";
    EXPECT_EQ(KurvenLadenNach(dir_ / "fehlt.skr").code, -308435);
    EXPECT_TRUE(gKurvendatei.empty());
}

TEST_F(LadenTest, AnzahlUnterEinsWirdStartkurve) {
    Setze({{1, 2, 1}, {3, 1, 1}}, 0);
    Setze({{5, 6, 2}, {7, 1, 2}}, 1);
    auto b = Datei();
    // Curve 1 claims 0 records, curve 2 -5: no record is read for them, so
    // curve 3 reads curve 1's former records.
    SetzeLE32(b, kAnzahlen, 0);
    SetzeLE32(b, kAnzahlen + 12, -5);
    SetzeLE32(b, kAnzahlen + 24, 2);
    SetzeLE32(b, kAnzahlen + 36, 2);
    ASSERT_EQ(KurvenLadenNach(Ablegen(b)).code, 0);
    EXPECT_EQ(Geraden(0), Startkurve().geraden);
    EXPECT_EQ(Geraden(1), Startkurve().geraden);
    EXPECT_EQ(Geraden(2), (std::vector<Gerade>{{1, 2, 1}, {3, 1, 1}}));
    EXPECT_EQ(Geraden(3), (std::vector<Gerade>{{5, 6, 2}, {7, 1, 2}}));
    PruefeAnzahl();
}

TEST_F(LadenTest, ZuGrosseAnzahlIstKurzesLesen) {
    Setze({{1, 2, 1}, {3, 1, 1}}, 0);
    Setze({{5, 6, 2}, {7, 1, 2}}, 1);
    auto b = Datei();
    SetzeLE32(b, kAnzahlen + 12, 0x7FFFFFFF);  // curve 2
    ASSERT_EQ(KurvenLadenNach(Ablegen(b)).code, 0);
    EXPECT_EQ(Geraden(0), (std::vector<Gerade>{{1, 2, 1}, {3, 1, 1}}));
    for (int i = 1; i < kKurven; ++i)
        EXPECT_EQ(Geraden(i), Startkurve().geraden) << i;
    PruefeAnzahl();
}

TEST_F(LadenTest, AbgeschnitteneDatei) {
    Setze({{1, 2, 1}, {3, 1, 1}}, 0);
    Setze({{5, 6, 2}, {7, 1, 2}}, 1);
    Setze({{8, 6, 2}, {9, 1, 2}}, 2);
    auto b = Datei();
    b.resize(b.size() - 12 - 5);  // curve 3 loses its tail, curve 4 all
    ASSERT_EQ(KurvenLadenNach(Ablegen(b)).code, 0);
    EXPECT_EQ(Geraden(1), (std::vector<Gerade>{{5, 6, 2}, {7, 1, 2}}));
    EXPECT_EQ(Geraden(2), Startkurve().geraden);
    EXPECT_EQ(Geraden(3), Startkurve().geraden);
}

TEST_F(LadenTest, UngueltigeSegmenteWerdenStartkurve) {
    Setze({{1, 2, 1}, {3, 1, 1}}, 0);
    Setze({{5, 6, 2}, {7, 1, 2}}, 1);
    auto b = Datei();
    b[4472 + 8] = 9;                 // curve 1: timebase 9
    SetzeLE32(b, 4472 + 24 + 4, 0);  // curve 2: length 0
    ASSERT_EQ(KurvenLadenNach(Ablegen(b)).code, 0);
    EXPECT_EQ(Geraden(0), Startkurve().geraden);
    EXPECT_EQ(Geraden(1), Startkurve().geraden);
    for (auto [feld, wert] : {std::pair{0, 4096}, std::pair{0, -1}, std::pair{4, 65536}}) {
        Setze({{1, 2, 1}, {3, 1, 1}}, 0);
        auto c = Datei();
        SetzeLE32(c, 4472 + static_cast<std::size_t>(feld), wert);
        ASSERT_EQ(KurvenLadenNach(Ablegen(c)).code, 0);
        EXPECT_EQ(Geraden(0), Startkurve().geraden) << feld << " " << wert;
    }
}

TEST_F(LadenTest, FremderKommentarUndRuhewertAusserhalbGibtStartwert) {
    auto b = Datei();
    std::fill(b.begin() + kKommentare, b.begin() + kKommentare + 1000, 0xE4);  // no NUL
    SetzeLE32(b, kRuhe, 99999);
    SetzeLE32(b, kRuhe + 4, -3);
    SetzeLE32(b, kRuhe + 8, 4095);
    const Ladeergebnis e = KurvenLadenNach(Ablegen(b));
    ASSERT_EQ(e.code, 0);
    std::string erwartet;
    for (int i = 0; i < 999; ++i)
        erwartet += "ä";
    EXPECT_EQ(gKurven[0].kommentar, erwartet);
    EXPECT_EQ(gRuhezustand, (std::array<std::int32_t, kKurven>{0, 0, 4095, 0}));
    EXPECT_TRUE(e.schaden.felder);
}

// Every kind of damage is reported with what it cost, and the damaged file's
// name is not taken, so a later save cannot overwrite it unasked.
struct Schadensfall {
    const char* name;
    std::function<void(std::vector<std::uint8_t>&)> beschaedigen;
    int kurve;  // the curve not taken, or -1 for a field
};

class SchadenTest : public LadenTest, public testing::WithParamInterface<Schadensfall> {};

TEST_P(SchadenTest, WirdGemeldetUndDerNameNichtUebernommen) {
    Setze({{1, 2, 1}, {3, 1, 1}}, 0);
    Setze({{5, 6, 2}, {7, 1, 2}}, 1);
    auto b = Datei();
    GetParam().beschaedigen(b);
    gKurvendatei = "vorher.skr";
    const Ladeergebnis e = KurvenLadenNach(Ablegen(b));
    ASSERT_EQ(e.code, 0);
    ASSERT_TRUE(e.schaden.beschaedigt());
    EXPECT_TRUE(gKurvendatei.empty());
    EXPECT_FALSE(Schadensbeschreibung(e.schaden).empty());
    if (GetParam().kurve >= 0) {
        EXPECT_TRUE(e.schaden.kurven[static_cast<std::size_t>(GetParam().kurve)]);
        EXPECT_EQ(Geraden(GetParam().kurve), Startkurve().geraden);
    } else {
        EXPECT_TRUE(e.schaden.felder);
    }
}

std::function<void(std::vector<std::uint8_t>&)> Feld(std::size_t at, std::int32_t wert) {
    return [=](std::vector<std::uint8_t>& b) { SetzeLE32(b, at, wert); };
}

constexpr std::size_t kGerade1 = 4472;

INSTANTIATE_TEST_SUITE_P(
    JedeArt, SchadenTest,
    testing::Values(Schadensfall{"Abgeschnitten", [](auto& b) { b.resize(b.size() - 5); }, 3},
                    Schadensfall{"AnzahlNull", Feld(kAnzahlen, 0), 0},
                    Schadensfall{"AnzahlMinusEins", Feld(kAnzahlen + 12, -1), 1},
                    Schadensfall{"AnzahlHinterDemEnde", Feld(kAnzahlen + 12, 1000), 1},
                    Schadensfall{"LaengeNull", Feld(kGerade1 + 4, 0), 0},
                    Schadensfall{"LaengeNegativ", Feld(kGerade1 + 4, -7), 0},
                    Schadensfall{"LaengeZuGross", Feld(kGerade1 + 4, 65536), 0},
                    Schadensfall{"WertNegativ", Feld(kGerade1, -1), 0},
                    Schadensfall{"WertZuGross", Feld(kGerade1, 4096), 0},
                    Schadensfall{"ZeitbasisNull", [](auto& b) { b[kGerade1 + 8] = 0; }, 0},
                    Schadensfall{"ZeitbasisNeun", [](auto& b) { b[kGerade1 + 8] = 9; }, 0},
                    Schadensfall{"ZyklenMinusEins", Feld(kZyklen, -1), -1},
                    Schadensfall{"Zyklen70000", Feld(kZyklen + 4, 70000), -1},
                    Schadensfall{"RuhewertZuGross", Feld(kRuhe, 4096), -1}),
    [](const testing::TestParamInfo<Schadensfall>& i) { return std::string(i.param.name); });

TEST_F(LadenTest, ZyklenAusserhalbWerdenNull) {
    auto b = Datei();
    SetzeLE32(b, kZyklen, -1);
    SetzeLE32(b, kZyklen + 4, 70000);
    SetzeLE32(b, kZyklen + 8, 65535);
    ASSERT_EQ(KurvenLadenNach(Ablegen(b)).code, 0);
    EXPECT_EQ(gZyklen, (std::array<std::int32_t, kKurven>{0, 0, 65535, 0}));
}

TEST_F(LadenTest, KonfigurationOhneZahlenIstSchaden) {
    auto b = Datei();
    std::fill(b.begin() + kKonfig, b.begin() + kKonfig + 8, 0xFF);  // voutmax NaN
    const Ladeergebnis e = KurvenLadenNach(Ablegen(b));
    ASSERT_EQ(e.code, 0);
    EXPECT_TRUE(e.schaden.konfig);
    EXPECT_EQ(e.konfig.voutmax, config::Konfig{}.voutmax);
}

// The address sanitizer's shadow takes terabytes of address space.
#if defined(__SANITIZE_ADDRESS__)
#define MUX6_ADRESSRAUM_RESERVIERT 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MUX6_ADRESSRAUM_RESERVIERT 1
#endif
#endif
#if defined(__linux__) && !defined(MUX6_ADRESSRAUM_RESERVIERT)
// Memory runs out at curve 2, after curve 1 has been read: every curve, the
// cycles and the rest values stay as they were.
TEST_F(LadenTest, SpeicherEndeMittenImLesenLaesstAlleKurven) {
    Setze({{1, 2, 1}, {3, 1, 1}}, 0);
    auto b = Datei();
    SetzeLE32(b, kAnzahlen + 12, 1000000);
    b.resize(b.size() + 12 * 1000000);
    Setze({{9, 9, 1}, {9, 1, 1}}, 0);
    gZyklen = {5, 6, 7, 8};
    const auto vorher = gKurven;
    const auto zyklen = gZyklen;

    long seiten = 0;
    std::ifstream("/proc/self/statm") >> seiten;
    rlimit alt{};
    ::getrlimit(RLIMIT_AS, &alt);
    rlimit eng = alt;
    eng.rlim_cur = static_cast<rlim_t>(seiten) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) +
                   (4u << 20);  // room for curve 1, not for a million records
    ASSERT_EQ(::setrlimit(RLIMIT_AS, &eng), 0);
    const Ladeergebnis e = KurvendateiEinlesen(b, false, "x.skr");
    ::setrlimit(RLIMIT_AS, &alt);
    EXPECT_EQ(e.code, -600439);
    for (int i = 0; i < kKurven; ++i)
        EXPECT_EQ(Geraden(i), vorher[static_cast<std::size_t>(i)].geraden) << i;
    EXPECT_EQ(gZyklen, zyklen);
}
#endif

TEST_F(LadenTest, UndoRingBleibt) {
    Setze({{7, 2, 1}, {8, 1, 1}});
    const auto b = Datei();
    Setze({{0, 1, 4}});
    PunktZeichnen(20000, 10, 4, 0);
    ASSERT_EQ(KurvenLadenNach(Ablegen(b)).code, 0);
    EXPECT_EQ(Geraden(), (std::vector<Gerade>{{7, 2, 1}, {8, 1, 1}}));
    EXPECT_EQ(gUndoAnzahl[0], 1);
    Kurve_Rueckgaengig();
    EXPECT_EQ(Geraden(), (std::vector<Gerade>{{0, 1, 4}}));  // a state of the old curve
}

// ---- append ----------------------------------------------------------------------------

using AnhaengenTest = LadenTest;

TEST_F(AnhaengenTest, EinsegmentKurvenWerdenZweisegment) {
    Setze({{300, 1, 2}});
    gKurven[0].kommentar = "Datei";
    gZyklen[0] = 9;
    const auto b = Datei();
    Setze({{100, 1, 4}});
    gKurven[0].kommentar = "bleibt";
    gZyklen[0] = 1;
    const auto pfad = Ablegen(b, "dazu.skr");
    ASSERT_EQ(KurvenAnhaengenNach(pfad).code, 0);
    EXPECT_EQ(Geraden(0), (std::vector<Gerade>{{100, 1, 4}, {300, 1, 2}}));
    EXPECT_EQ(Geraden(1), (std::vector<Gerade>{{0, 1, 4}, {0, 1, 4}}));
    EXPECT_EQ(gKurven[0].kommentar, "bleibt");
    EXPECT_EQ(gZyklen[0], 1);
    PruefeAnzahl();
    EXPECT_EQ(gKurvendatei, pfad.string());
    EXPECT_EQ(gAnsichtEnde, Kurve_Dauer(0) - 1);
}

TEST_F(AnhaengenTest, SetztGeaendert) {
    const auto b = Datei();
    gKurvenGeaendert = false;
    ASSERT_EQ(KurvenAnhaengenNach(Ablegen(b)).code, 0);
    EXPECT_TRUE(gKurvenGeaendert);
}

TEST_F(AnhaengenTest, BeschaedigterTeilKostetKeineKurve) {
    Setze({{1, 2, 1}, {3, 1, 1}}, 0);
    auto b = Datei();
    SetzeLE32(b, kAnzahlen, 0x40000000);
    Setze({{50, 5, 3}, {60, 1, 3}}, 0);
    Setze({{70, 5, 3}, {80, 1, 3}}, 2);
    ASSERT_EQ(KurvenAnhaengenNach(Ablegen(b)).code, 0);
    EXPECT_EQ(Geraden(0), (std::vector<Gerade>{{50, 5, 3}, {60, 1, 3}}));
    EXPECT_EQ(Geraden(2), (std::vector<Gerade>{{70, 5, 3}, {80, 1, 3}}));
    PruefeAnzahl();
}

TEST_F(AnhaengenTest, KopfFehlerAendernNichts) {
    Setze({{50, 5, 3}, {60, 1, 3}}, 0);
    auto b = Datei();
    SetzeLE32(b, 32, 7);
    EXPECT_EQ(KurvenAnhaengenNach(Ablegen(b)).code, -303438);
    EXPECT_EQ(Geraden(0), (std::vector<Gerade>{{50, 5, 3}, {60, 1, 3}}));
}

// ---- export ----------------------------------------------------------------------------

using ExportTest = DateiTest;

const std::string kKopf =
    "# Kurven exportiert aus VEK-7M_Kurvengenerator\r\n"
    "# Spalte 1 = Zeit in Sekunden\r\n"
    "# Spalte 2 = Y-Wert in Prozent\r\n"
    "# Spalte 3 = Zeitbasis\r\n"
    "# Spalte 4 = Kuvennummer\r\n"
    "\r\n";

TEST_F(ExportTest, NeueKurve) {
    ASSERT_EQ(KurvenExportierenNach(dir_ / "neu.txt"), 0);
    EXPECT_EQ(Lesen(dir_ / "neu.txt"), kKopf + "0.00000\t0.00\t10ms\t1\r\n\r\n");
}

TEST_F(ExportTest, NurKurveEinsMitStartzeitenInSekunden) {
    Setze({{0, 3, 4}, {4095, 2, 8}, {1024, 1, 8}}, 0);
    Setze({{5, 5, 5}, {5, 1, 5}}, 1);
    gAktuelleKurve = 1;
    EXPECT_EQ(KurvenExportText(), kKopf +
                                      "0.00000\t0.00\t10ms\t1\r\n"
                                      "0.03000\t100.00\t1s\t1\r\n"
                                      "2.03000\t25.01\t1s\t1\r\n"
                                      "\r\n");
}

TEST_F(ExportTest, FehlerBeimOeffnen) {
    EXPECT_EQ(KurvenExportierenNach(dir_ / "fehlt" / "a.txt"), -308441);
}

// ---- import ------------------------------------------------------------------------------

using ImportTest = DateiTest;

TEST_F(ImportTest, ExportUndWiederImportDerNeuenKurve) {
    ASSERT_EQ(KurvenExportierenNach(dir_ / "neu.txt"), 0);
    Setze({{9, 9, 1}, {9, 1, 1}});
    const Importergebnis e = KurvenImportierenNach(dir_ / "neu.txt");
    ASSERT_EQ(e.code, 0) << e.meldung;
    EXPECT_EQ(Geraden(), (std::vector<Gerade>{{0, 1, 4}}));
    PruefeAnzahl();
}

TEST_F(ImportTest, BomUndNurCrGebenDieselbeKurve) {
    Setze({{0, 3, 4}, {4095, 2, 8}, {1024, 1, 1}});
    const std::string text = KurvenExportText();
    std::string nurCr;
    for (char c : text) {
        if (c != '\n')
            nurCr.push_back(c);
    }
    for (const std::string& variante : {"\xEF\xBB\xBF" + text, nurCr}) {
        Setze({{9, 9, 1}, {9, 1, 1}});
        const Importergebnis e = KurvenImportText(variante);
        ASSERT_EQ(e.code, 0) << e.meldung;
        EXPECT_EQ(Geraden(), (std::vector<Gerade>{{0, 3, 4}, {4095, 2, 8}, {1024, 1, 1}}));
    }
}

TEST_F(ImportTest, RundreiseEinerGezeichnetenKurve) {
    Setze({{0, 3, 4}, {4095, 2, 8}, {1024, 7, 1}, {2047, 1, 1}});
    const auto vorher = Geraden();
    const std::string text = KurvenExportText();
    Setze({{9, 9, 1}, {9, 1, 1}});
    ASSERT_EQ(KurvenImportText(text).code, 0);
    // Values go through percent with two decimals: 25.01 % -> 1024.
    EXPECT_EQ(Geraden(), vorher);
}

TEST_F(ImportTest, FuenfundzwanzigMsMitZehnMsAbgelehnt) {
    const auto vorher = Geraden();
    const Importergebnis e = KurvenImportText("0\t0\t10ms\t1\n0.025\t50\t10ms\t1\n");
    EXPECT_EQ(e.code, -312456);
    EXPECT_EQ(e.meldung,
              "Fehler in Zeile 2:\nZeitunterschied von 0.025 Sekunden läßt sich nicht\ndurch "
              "die Zeitbasis 10ms ausdrücken.");
    EXPECT_EQ(Geraden(), vorher);
    EXPECT_EQ(gUndoAnzahl[0], 0);
}

TEST_F(ImportTest, DreissigMsGibtLaengeDrei) {
    const Importergebnis e = KurvenImportText("0\t0\t10ms\t1\r\n0.03\t50\t1ms\t1\r\n");
    ASSERT_EQ(e.code, 0) << e.meldung;
    EXPECT_EQ(Geraden(), (std::vector<Gerade>{{0, 3, 4}, {2047, 1, 1}}));
}

TEST_F(ImportTest, UebersprungeneZeilenWerdenGezaehlt) {
    const Importergebnis e = KurvenImportText(
        "   # Kommentar\n"
        "   \n"
        "\n"
        "\t\n"
        "0\t0\t10ms\t2\n");
    EXPECT_EQ(e.code, -312448);
    EXPECT_EQ(e.meldung, "Fehler in Zeile 5:\nKurvennummer 2 ist nicht erlaubt.");
}

TEST_F(ImportTest, LangeZeileWirdGekuerztUndEinmalGezaehlt) {
    // A data line followed by 300 characters of noise: only its first 95
    // characters count, so the noise never reaches the scan.
    std::string lang = "0\t0\t10ms\t1" + std::string(300, ' ') + "Rauschen";
    const Importergebnis ok = KurvenImportText(lang + "\n0.02\t10\t10ms\t1\n");
    ASSERT_EQ(ok.code, 0) << ok.meldung;
    EXPECT_EQ(Geraden().size(), 2u);
    // A 500-character comment is one line: the error is on line 2.
    const Importergebnis e = KurvenImportText("#" + std::string(500, 'c') + "\nx\n");
    EXPECT_EQ(e.code, -312447);
    EXPECT_EQ(e.meldung, "Fehler in Zeile 2:\nFalsche oder zu wenig Werte.");
    // What is cut away is gone: the curve number stood after character 95.
    const Importergebnis abgeschnitten =
        KurvenImportText("0" + std::string(94, ' ') + "\t0\t10ms\t1\n");
    EXPECT_EQ(abgeschnitten.code, -312447);
}

TEST_F(ImportTest, JedePruefungMitIhremText) {
    struct Fall {
        const char* text;
        int code;
        const char* meldung;
    };
    const Fall faelle[] = {
        {"0\t0\t10ms\n", -312447, "Fehler in Zeile 1:\nFalsche oder zu wenig Werte."},
        {"0,5\t0\t10ms\t1\n", -312447, "Fehler in Zeile 1:\nFalsche oder zu wenig Werte."},
        {"nan\t0\t10ms\t1\n", -312447, "Fehler in Zeile 1:\nFalsche oder zu wenig Werte."},
        {"0\tinf\t10ms\t1\n", -312447, "Fehler in Zeile 1:\nFalsche oder zu wenig Werte."},
        {"0\t0\t10ms\t0\n", -312448, "Fehler in Zeile 1:\nKurvennummer 0 ist nicht erlaubt."},
        {"0\t0\t20ms\t1\n", -312451, "Fehler in Zeile 1:\nUnbekannte Zeitbasis '20ms'."},
        {"0\t0\t10 ms\t1\n", -312447, "Fehler in Zeile 1:\nFalsche oder zu wenig Werte."},
        {"0\t100.5\t10ms\t1\n", -312452, "Fehler in Zeile 1:\nY-Wert 100.500% ist nicht erlaubt."},
        {"0\t-0.001\t10ms\t1\n", -312452, "Fehler in Zeile 1:\nY-Wert -0.001% ist nicht erlaubt."},
        {"0.1\t0\t10ms\t1\n", -312453, "Fehler in Zeile 1:\nKurve muß bei Zeit=0 beginnen."},
        {"0\t0\t10ms\t1\n0\t0\t10ms\t1\n", -312454,
         "Fehler in Zeile 2:\nZeitangaben nicht fortlaufend."},
        {"0\t0\t1ms\t1\n65.536\t0\t10ms\t1\n", -312455,
         "Fehler in Zeile 2:\nKuvenabschnitt zu lang\n(muß kleiner sein als 65536 "
         "Zeiteinheiten)."},
        {"# nur Kommentar\n\n", -312458, "Keine Kurvendaten gefunden."},
        {"", -312458, "Keine Kurvendaten gefunden."},
    };
    for (const Fall& f : faelle) {
        Setze({{9, 9, 1}, {9, 1, 1}});
        const Importergebnis e = KurvenImportText(f.text);
        EXPECT_EQ(e.code, f.code) << f.text;
        EXPECT_EQ(e.meldung, f.meldung) << f.text;
        EXPECT_EQ(Geraden(), (std::vector<Gerade>{{9, 9, 1}, {9, 1, 1}})) << f.text;
    }
    EXPECT_EQ(gUndoAnzahl[0], 0);
    // 65535 ticks are still allowed.
    EXPECT_EQ(KurvenImportText("0\t0\t1ms\t1\n65.535\t0\t10ms\t1\n").code, 0);
    EXPECT_EQ(Geraden()[0].laenge, 65535);
}

TEST_F(ImportTest, UnbekannteZeitbasisInUtf8) {
    const Importergebnis e = KurvenImportText("0\t0\t5\xB5s\t1\n");  // "5µs" in Windows-1252
    EXPECT_EQ(e.meldung, "Fehler in Zeile 1:\nUnbekannte Zeitbasis '5µs'.");
}

TEST_F(ImportTest, EinUndoSchrittUndKurveEinsAuchWennAndereBearbeitet) {
    gKurven[0].kommentar = "bleibt";
    gZyklen[0] = 4;
    gAktuelleKurve = 2;
    gAnsichtStart = 123;
    gAnsichtEnde = 456;
    ASSERT_EQ(KurvenImportText("0\t50\t2ms\t1\n0.01\t0\t2ms\t1\n").code, 0);
    EXPECT_EQ(gAktuelleKurve, 2);
    EXPECT_EQ(Geraden(0), (std::vector<Gerade>{{2047, 5, 2}, {0, 1, 2}}));
    EXPECT_EQ(Geraden(2), Startkurve().geraden);
    EXPECT_EQ(gUndoAnzahl[0], 1);
    EXPECT_EQ(gUndoAnzahl[2], 0);
    EXPECT_TRUE(gKurvenGeaendert);
    EXPECT_EQ(gKurven[0].kommentar, "bleibt");
    EXPECT_EQ(gZyklen[0], 4);
    EXPECT_EQ(gAnsichtStart, 123);
    EXPECT_EQ(gAnsichtEnde, 456);
    gAktuelleKurve = 0;
    Kurve_Rueckgaengig();
    EXPECT_EQ(Geraden(0), Startkurve().geraden);
}

TEST_F(ImportTest, DateiFehlt) {
    EXPECT_EQ(KurvenImportierenNach(dir_ / "fehlt.txt").code, -308445);
}

}  // namespace
}  // namespace curves
