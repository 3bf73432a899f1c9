// The characteristic file field by field, the damaged-file rule, the safe
// save, "Neu", and the text export and import with every check.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>

#include "characteristic/editing.h"
#include "characteristic/files.h"
#include "characteristic_fixture.h"
#include "support/temp_dir.h"

namespace characteristic::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

void LE32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

void LEDouble(Bytes& b, std::size_t at, double v) {
    const auto u = std::bit_cast<std::uint64_t>(v);
    LE32(b, at, static_cast<std::uint32_t>(u));
    LE32(b, at + 4, static_cast<std::uint32_t>(u >> 32));
}

class Dateien : public KennlinieTest {
  protected:
    // Three points, a comment with umlauts, output 2 at 5 V, 100 ms.
    Bytes Datei() {
        Setze({{10, 100, 0}, {20, 50, 7}, {30, 1, 0}});
        gKennlinie.kommentar = "Ventil für µ-Regelung";
        Bytes b = KennliniendateiBild(Felder{5.0, 100.0});
        EXPECT_EQ(KennlinienInit(), 0);
        return b;
    }
    testsupport::TempDir dir;
};

TEST_F(Dateien, StartkennlinieSindVierzehnhundertSechsunddreissigBytes) {
    const Bytes b = KennliniendateiBild(Felder{5.0, 100.0});
    ASSERT_EQ(b.size(), 1436u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 22), std::string("mux6 Kennlinien Datei\0", 22));
    EXPECT_EQ(b[32], 2);
    EXPECT_EQ(b[1392], 1);
    EXPECT_EQ(std::bit_cast<double>(*reinterpret_cast<const std::uint64_t*>(&b[1400])), 2047.5);
    EXPECT_EQ(std::bit_cast<double>(*reinterpret_cast<const std::uint64_t*>(&b[1408])), 100.0);
    EXPECT_EQ(Bytes(b.begin() + 1424, b.end()), (Bytes{0xFF, 0x0F, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(Dateien, SpeichernUndLadenGebenAllesZurueck) {
    const Bytes bild = Datei();
    Setze({{10, 100, 0}, {20, 50, 7}, {30, 1, 0}});
    gKennlinie.kommentar = "Ventil für µ-Regelung";
    gKennlinieGeaendert = true;
    ASSERT_EQ(KennlinieSpeichernNach(dir / "k.ske", Felder{5.0, 100.0}), 0);
    EXPECT_EQ(gKennliniendatei, (dir / "k.ske").string());
    EXPECT_FALSE(gKennlinieGeaendert);
    EXPECT_EQ(testsupport::Lesen(dir / "k.ske"), std::string(bild.begin(), bild.end()));

    ASSERT_EQ(KennlinienInit(), 0);
    config::gKonfig.inskalamax[1] = 20;  // the file was saved with 0..10
    const Ladeergebnis e = KennlinieLadenNach(dir / "k.ske");
    ASSERT_EQ(e.code, 0);
    EXPECT_FALSE(e.schaden.beschaedigt());
    EXPECT_TRUE(e.konfigAbweichend);
    EXPECT_EQ(e.konfig.inskalamax[1], 10);
    EXPECT_EQ(Punkte(), (std::vector<Gerade>{{10, 100, 0}, {20, 50, 7}, {30, 1, 0}}));
    EXPECT_EQ(gKennlinie.kommentar, "Ventil für µ-Regelung");
    // Read back with input 2's scaling in use.
    EXPECT_DOUBLE_EQ(e.felder.begrenzung, 10.0);
    EXPECT_EQ(e.felder.anstiegszeit, 100.0);
    EXPECT_EQ(gKennliniendatei, (dir / "k.ske").string());
}

TEST_F(Dateien, KeineKennliniendateiWirdAbgewiesen) {
    Bytes leerzeichen = Datei();
    leerzeichen[21] = ' ';
    Bytes version1 = Datei();
    LE32(version1, 32, 1);
    Bytes kurz = Datei();
    kurz.resize(1423);
    const std::pair<Bytes, int> faelle[] = {
        {leerzeichen, -1025520}, {version1, -303521}, {kurz, -304519}};
    for (const auto& [bytes, code] : faelle) {
        Setze({{1, 5, 0}, {2, 1, 0}});
        gKennliniendatei = "vorher.ske";
        EXPECT_EQ(KennliniendateiEinlesen(bytes, "x.ske").code, code);
        EXPECT_EQ(gKennlinie.anzahl, 2);
        EXPECT_TRUE(gKennliniendatei.empty());
    }
    EXPECT_EQ(KennlinieLadenNach(dir / "fehlt.ske").code, -308518);
}

TEST_F(Dateien, BeschaedigtePunkteGebenDieStartkennlinieMitDenFeldernDerDatei) {
    const std::function<void(Bytes&)> schaeden[] = {
        [](Bytes& b) { b.pop_back(); },                // cut short
        [](Bytes& b) { LE32(b, 1392, 0); },            // no point
        [](Bytes& b) { LE32(b, 1392, 0x80000000u); },  // negative count
        [](Bytes& b) { LE32(b, 1392, 0x7FFFFFFFu); },  // beyond the file
    };
    for (const auto& schaden : schaeden) {
        Bytes b = Datei();
        schaden(b);
        Setze({{1, 5, 0}, {2, 1, 0}});
        const Ladeergebnis e = KennliniendateiEinlesen(b, "k.ske");
        EXPECT_EQ(e.code, 0);
        EXPECT_TRUE(e.schaden.punkte);
        EXPECT_FALSE(e.schaden.felder);
        EXPECT_EQ(Punkte(), Startkennlinie().geraden);
        EXPECT_EQ(gKennlinie.kommentar, "Ventil für µ-Regelung");
        EXPECT_DOUBLE_EQ(e.felder.begrenzung, 5.0);
        EXPECT_EQ(e.felder.anstiegszeit, 100.0);
        EXPECT_TRUE(gKennliniendatei.empty());
        EXPECT_FALSE(Schadensbeschreibung(e.schaden).empty());
    }
}

// Points of a sound file are the file's, whatever the board can take; what
// it cannot is named, and the file name stays.
TEST_F(Dateien, PunkteEinerHeilenDateiBleibenWieSieSind) {
    struct Fall {
        std::size_t at;
        std::uint32_t wert;
        bool begrenzt;
        bool zuLang;
    };
    const Fall faelle[] = {
        {1424, 0xFFFFFFFFu, true, false},   // y -1
        {1436, 5000, true, false},          // y 5000
        {1428, 0, false, false},            // a segment of 0
        {1440, 0xFFFFFFFFu, false, false},  // length -1
        {1452, 70000, false, true},         // the last length is sampled too
        {1428, 4050, false, true},          // beyond X 4095
    };
    for (const Fall& f : faelle) {
        Bytes b = Datei();
        LE32(b, f.at, f.wert);
        const Ladeergebnis e = KennliniendateiEinlesen(b, "k.ske");
        ASSERT_EQ(e.code, 0);
        EXPECT_FALSE(e.schaden.beschaedigt()) << f.at;
        ASSERT_EQ(gKennlinie.anzahl, 3);
        const std::size_t punkt = (f.at - 1424) / 12;
        const std::int32_t feld =
            (f.at - 1424) % 12 == 0 ? Punkte()[punkt].y : Punkte()[punkt].laenge;
        EXPECT_EQ(feld, static_cast<std::int32_t>(f.wert)) << f.at;
        EXPECT_EQ(e.grenzen.werteBegrenzt, f.begrenzt) << f.at;
        EXPECT_EQ(e.grenzen.zuLang, f.zuLang) << f.at;
        EXPECT_EQ(Punktehinweis(e.grenzen).empty(), !e.grenzen.betroffen());
        EXPECT_EQ(gKennliniendatei, "k.ske");
    }
}

// A value of 5000 goes to the board limited to 4095, the other points as
// they are.
TEST_F(Dateien, WertUeberDemBereichWirdBegrenztAbgetastet) {
    Setze({{0, 2, 0}, {5000, 2, 0}, {100, 1, 0}});
    std::array<int, kWerte> werte{};
    ASSERT_EQ(Kennlinie_Abtasten(werte), 0);
    EXPECT_EQ(std::vector<int>(werte.begin(), werte.begin() + 6),
              (std::vector<int>{0, 2500, 4095, 2550, 100, 100}));
    EXPECT_EQ(werte.back(), 100);
}

TEST_F(Dateien, UnbrauchbareFelderBekommenIhrenStartwert) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, double> faelle[] = {{nan, 100}, {inf, 100}, {1, 0}, {1, -3}, {1, nan}};
    for (auto [ausgang2, anstieg] : faelle) {
        Bytes b = Datei();
        LEDouble(b, 1400, ausgang2);
        LEDouble(b, 1408, anstieg);
        const Ladeergebnis e = KennliniendateiEinlesen(b, "k.ske");
        EXPECT_TRUE(e.schaden.felder);
        EXPECT_FALSE(e.schaden.punkte);
        EXPECT_TRUE(std::isfinite(e.felder.begrenzung));
        EXPECT_GT(e.felder.anstiegszeit, 0.0);
        EXPECT_EQ(gKennlinie.anzahl, 3);
    }
}

TEST_F(Dateien, SpeichernOhneOrdnerLaesstAllesStehen) {
    gKennliniendatei = "alt.ske";
    gKennlinieGeaendert = true;
    EXPECT_EQ(KennlinieSpeichernNach(dir / "fehlt" / "k.ske", Felder{}), -308515);
    EXPECT_EQ(KennlinieSpeichernNach(dir.path(), Felder{}), -308515);
    EXPECT_EQ(KennlinieExportierenNach(dir / "fehlt" / "k.txt"), -308529);
    EXPECT_EQ(gKennliniendatei, "alt.ske");
    EXPECT_TRUE(gKennlinieGeaendert);
}

TEST_F(Dateien, NeuBehaeltUndoUndGeaendert) {
    ASSERT_TRUE(PunktZeichnen(100, 5, 0, 0).geaendert());
    gKennlinie.kommentar = "weg";
    gKennliniendatei = "k.ske";
    gKennlAnsichtStart = 50;
    Felder f{7, 7};
    EXPECT_EQ(KennlinieNeu(f), 0);
    EXPECT_EQ(Punkte(), Startkennlinie().geraden);
    EXPECT_TRUE(gKennlinie.kommentar.empty() && gKennliniendatei.empty());
    EXPECT_EQ(f.begrenzung, 0.0);
    EXPECT_EQ(f.anstiegszeit, 0.1);
    EXPECT_EQ(gKennlAnsichtStart, 0);
    EXPECT_TRUE(gKennlinieGeaendert);
    EXPECT_TRUE(Kennlinie_Rueckgaengig().geaendert());
    EXPECT_EQ(gKennlinie.anzahl, 1);
}

TEST_F(Dateien, ExportDerStartkennlinie) {
    ASSERT_EQ(KennlinieExportierenNach(dir / "k.txt"), 0);
    EXPECT_EQ(testsupport::Lesen(dir / "k.txt"),
              "# Kennlinie exportiert aus VEK7M-Kurvengenerator\r\n"
              "# Spalte 1 = X-Wert in Prozent\r\n"
              "# Spalte 2 = Y-Wert in Prozent\r\n\r\n"
              "0.00\t100.00\r\n\r\n");
}

TEST_F(Dateien, KonfigurationOhneZahlenIstSchadenOhneDateiname) {
    Bytes b = Datei();
    LEDouble(b, 1040, std::numeric_limits<double>::quiet_NaN());  // full-scale voltage
    gKennliniendatei = "vorher.ske";
    const Ladeergebnis e = KennliniendateiEinlesen(b, "k.ske");
    ASSERT_EQ(e.code, 0);
    EXPECT_TRUE(e.schaden.konfig);
    EXPECT_TRUE(gKennliniendatei.empty());
    EXPECT_NE(Schadensbeschreibung(e.schaden).find("Konfiguration"), std::string::npos);
}

TEST_F(Dateien, ImportMitBomUndNurCrWieOhne) {
    ASSERT_EQ(KennlinieImportText("# a\n0\t0\n50\t100\n100\t50\n").code, 0);
    const std::vector<Gerade> erwartet = Punkte();
    ASSERT_EQ(erwartet.size(), 3u);
    for (const char* text :
         {"\xEF\xBB\xBF# a\n0\t0\n50\t100\n100\t50\n", "# a\r0\t0\r50\t100\r100\t50\r"}) {
        Setze({{10, 100, 0}});
        ASSERT_EQ(KennlinieImportText(text).code, 0) << text;
        EXPECT_EQ(Punkte(), erwartet);
    }
}

TEST_F(Dateien, ImportDreierZeilenMitKommentarenUeberall) {
    gKennlinie.kommentar = "bleibt";
    testsupport::Schreiben(dir / "k.txt", "# a\r\n\r\n0\t0\r\n   \r\n  # b\n50\t100\n100 \t 50\n");
    const Importergebnis e = KennlinieImportierenNach(dir / "k.txt");
    EXPECT_EQ(e.code, 0);
    EXPECT_EQ(Punkte(), (std::vector<Gerade>{{0, 2047, 0}, {4095, 2047, 0}, {2047, 0, 0}}));
    EXPECT_EQ(gKennlinie.kommentar, "bleibt");
    EXPECT_TRUE(gKennlinieGeaendert);
    EXPECT_TRUE(RueckgaengigMoeglich());
    // And back: the export writes what the import reads.
    EXPECT_EQ(KennlinieImportText(KennlinieExportText()).code, 0);
    EXPECT_EQ(gKennlinie.anzahl, 3);
}

TEST_F(Dateien, ImportfehlerMitZeileUndCode) {
    struct Fall {
        const char* text;
        int code;
        const char* meldung;
    };
    const Fall faelle[] = {
        {"0\t0\n0\t10\n", -312540, "Fehler in Zeile 2:\nX-Achse nicht fortlaufend."},
        {"5\t5\n", -312539, "Fehler in Zeile 1:\nKurve muß bei X=0 beginnen."},
        {"# k\n0\n", -312535, "Fehler in Zeile 2:\nFalsche oder zu wenig Werte."},
        {"0\tabc\n", -312535, "Fehler in Zeile 1:\nFalsche oder zu wenig Werte."},
        {"0\t101\n", -312537, "Fehler in Zeile 1:\nY-Wert von 101.000"},
        {"0\tnan\n", -312537, "Fehler in Zeile 1:\nY-Wert von "},
        {"0\t0\n101\t0\n", -312538, "Fehler in Zeile 2:\nX-Wert von 101.000"},
        {"0\t0\n0.01\t5\n", -312541, "Fehler in Zeile 2:\nX-Unterschied zwischen zwei Punkten"},
        {"# nur\n\n   \n", -312542, "Keine Kurvendaten gefunden."},
    };
    for (const Fall& f : faelle) {
        const Importergebnis e = KennlinieImportText(f.text);
        EXPECT_EQ(e.code, f.code) << f.text;
        EXPECT_EQ(e.meldung.rfind(f.meldung, 0), 0u) << e.meldung;
    }
    // Only 95 characters of a line are read: the second number is cut off.
    EXPECT_EQ(KennlinieImportText("0\t" + std::string(93, ' ') + "5\n").code, -312535);
    EXPECT_EQ(Punkte(), Startkennlinie().geraden);
    EXPECT_FALSE(RueckgaengigMoeglich());
    EXPECT_EQ(KennlinieImportierenNach(dir / "fehlt.txt").code, -308533);
}

}  // namespace
}  // namespace characteristic::test
