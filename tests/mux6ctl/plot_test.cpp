// mux6ctl kennlinie plot and messen plot through the executable: the pictures
// other programs' readers take, the axes in the configured units, and the
// measurement log read back block by block; a file that is no log refused.

#include <gtest/gtest.h>

#include <QImage>
#include <QStandardPaths>
#include <filesystem>
#include <string>
#include <vector>

#include "characteristic/files.h"
#include "characteristic/model.h"
#include "config/files.h"
#include "config/model.h"
#include "curves/curve_fixture.h"
#include "curves/files.h"
#include "curves/model.h"
#include "picture_checks.h"
#include "plot_log_file.h"
#include "support/process.h"
#include "support/temp_dir.h"

namespace {

using testsupport::CtlAusfuehren;

// A block head as the window writes it: inputs 1 and 4 as given, the rest 0..10 V.
std::string Kopf(const std::string& bereich1, const std::string& e1, const std::string& bereich4,
                 const std::string& e4) {
    const std::string v = ": 0.000..10.000 V\r\n";
    std::string k = "\r\n\r\nDatenerfassung gestartet\r\nEingang1: " + bereich1 + " " + e1 +
                    "\r\nEingang2" + v + "Eingang3" + v + "Eingang4: " + bereich4 + " " + e4 +
                    "\r\n";
    for (const char* n : {"1", "2", "3", "4"})
        k += std::string("Ausgang") + n + v;
    return k + "Datum\tUhrzeit\tEing1[" + e1 + "]\tEing2[V]\tEing3[V]\tEing4[" + e4 +
           "]\tAusg1[V]\tAusg2[V]\tAusg3[V]\tAusg4[V]\r\n";
}

// Two blocks as the window appends them: CR LF, Windows-1252 ("\xB0" is °),
// input 4 not sampled in the second, the closing texts after each.
const std::string kZeilen2 = "\t1.000\t2.000\t-----\t-----\t-----\t-----\t-----\r\n";
const std::string kLog =
    Kopf("0.000..10.000", "V", "0.000..10.000", "V") +
    "24.01.2012\t23:59:59\t1.000\t2.000\t3.000\t4.000\t0.000\t0.000\t0.000\t0.000\r\n"
    "25.01.2012\t00:00:01\t1.500\t2.500\t3.500\t4.500\t0.000\t-----\t0.000\t0.000\r\n"
    "Datenerfassung beendet\r\n" +
    Kopf("-50.0..150.0",
         "\xB0"
         "C",
         "0..10000", "mbar") +
    "01.02.2012\t10:00:00\t20.0" + kZeilen2 + "01.02.2012\t10:00:00\t22.0" + kZeilen2 +
    "01.02.2012\t10:00:00\t24.0" + kZeilen2 + "01.02.2012\t10:00:01\t26.0" + kZeilen2 +
    "Fehler - Daten\xFC"
    "bertragung abgebrochen\r\nKeine Antwort\r\n\r\n";

TEST(Messprotokoll, BloeckeEinheitenUndLuecken) {
    const ctl::Messprotokoll p = ctl::MessprotokollLesen(kLog);
    ASSERT_TRUE(p.fehler.empty()) << p.fehler;
    ASSERT_EQ(p.bloecke.size(), 2u);
    const ctl::Messblock& a = p.bloecke[0];
    ASSERT_EQ(a.zeilen.size(), 2u);
    EXPECT_EQ(a.beginn, "24.01.2012 23:59:59");
    EXPECT_EQ(a.zeilen[1].eingaenge[3], 4.5);
    // Across midnight the seconds go on.
    EXPECT_EQ(ctl::Zeitpunkte(a), (std::vector<double>{0.0, 2.0}));

    const ctl::Messblock& b = p.bloecke[1];
    EXPECT_EQ(b.eingaenge[0].einheit, "°C");
    EXPECT_EQ(b.eingaenge[0].lo, -50.0);
    EXPECT_EQ(b.eingaenge[0].hi, 150.0);
    EXPECT_EQ(b.eingaenge[3].einheit, "mbar");
    ASSERT_EQ(b.zeilen.size(), 4u);
    EXPECT_FALSE(b.zeilen[0].eingaenge[3].has_value());
    EXPECT_EQ(b.zeilen[2].eingaenge[0], 24.0);
    // Three lines in one second share it.
    const std::vector<double> t = ctl::Zeitpunkte(b);
    const double erwartet[] = {0.0, 1.0 / 3.0, 2.0 / 3.0, 1.0};
    ASSERT_EQ(t.size(), 4u);
    for (std::size_t i = 0; i < t.size(); ++i)
        EXPECT_DOUBLE_EQ(t[i], erwartet[i]) << i;
}

TEST(Messprotokoll, WasKeinesIstSagtWarum) {
    const std::string kopf = kLog.substr(0, kLog.find("Eingang2"));
    const struct {
        std::string text;
        std::string fehler;
    } faelle[] = {
        {"Zeit[s]\tY[%]\r\n0.00000\t50.00\r\n", "keine Zeile \"Datenerfassung gestartet\""},
        {"", "keine Zeile \"Datenerfassung gestartet\""},
        {kopf, "Zeile 5: \"Eingang2: lo..hi Einheit\" erwartet"},
        {kopf + "Eingang2: 0.000-10.000 V\r\n", "Zeile 5: \"Eingang2: lo..hi Einheit\" erwartet"},
        {kLog.substr(0, kLog.find("Datum")) + "Datum\tZeit\r\n",
         "Zeile 12: der Spaltenkopf \"Datum, Uhrzeit, Eing1..4, Ausg1..4\" erwartet"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(ctl::MessprotokollLesen(f.text).fehler, f.fehler) << f.text;
}

class Plot : public curves::test::KurvenTest {
  protected:
    void SetUp() override {
        KurvenTest::SetUp();
        ASSERT_EQ(characteristic::KennlinienInit(), 0);
        // A ramp up and a fall: red lines and markers, blue steps.
        characteristic::gKennlinie.geraden = {{0, 1000, 0}, {3000, 2000, 0}, {1500, 0, 0}};
        characteristic::gKennlinie.anzahl = 3;
        ASSERT_EQ(
            characteristic::KennlinieSpeichernNach(dir / "k.ske", characteristic::StartFelder()),
            0);
        config::Konfig k;
        k.ineinheit[1] = "bar";
        k.inskalamax[1] = 400.0;
        k.outeinheit[0] = "mA";
        k.outskalamin[0] = 4.0;
        k.outskalamax[0] = 20.0;
        ASSERT_EQ(config::KonfigurationSpeichernNach(dir / "k.sko", k), 0);
        testsupport::Schreiben(dir / "m.txt", kLog);
        ASSERT_EQ(curves::KurvenExportierenNach(dir / "kurve.txt"), 0);
    }
    void TearDown() override {
        KurvenTest::TearDown();
        characteristic::KennlinienInit();
    }
    // The picture drawn by `befehl`, its fourth word.
    std::string Svg(const std::vector<std::string>& befehl) {
        const auto r = CtlAusfuehren(befehl);
        EXPECT_EQ(r.status, 0) << r.fehler;
        return testsupport::Lesen(dir / befehl[3]);
    }

    testsupport::TempDir dir{true};
};

struct Bildfall {
    const char* name;
    std::vector<std::string> befehl;  // without the picture and its size
    std::vector<QColor> farben;       // each drawn in more than 50 pixels
};

class JedesBild : public Plot, public ::testing::WithParamInterface<Bildfall> {};

TEST_P(JedesBild, PngDerGroesseUndPdfDasPdfinfoLiest) {
    const Bildfall& f = GetParam();
    std::vector<std::string> a = f.befehl;
    a.insert(a.end(), {"x.png", "--breite", "640", "--hoehe", "480"});
    auto r = CtlAusfuehren(a);
    ASSERT_EQ(r.status, 0) << r.fehler;
    const QImage bild((dir / "x.png").c_str());
    ASSERT_FALSE(bild.isNull());
    EXPECT_EQ(bild.size(), QSize(640, 480));
    for (const QColor& c : f.farben)
        EXPECT_GT(testsupport::PixelAnzahl(bild, c), 50) << c.name().toStdString();

    a = f.befehl;
    a.insert(a.end(), {"x.pdf", "--breite=800", "--hoehe=500"});
    r = CtlAusfuehren(a);
    ASSERT_EQ(r.status, 0) << r.fehler;
    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    ASSERT_FALSE(pdfinfo.isEmpty()) << "pdfinfo missing: scripts/bootstrap installs poppler-utils";
    const auto info = testsupport::Ausfuehren(pdfinfo.toStdString(), {(dir / "x.pdf").string()},
                                              std::chrono::seconds(30));
    ASSERT_EQ(info.status, 0) << info.fehler;
    EXPECT_EQ(testsupport::PdfinfoFeld(info.aus, "Pages:"), "1") << info.aus;
    EXPECT_EQ(testsupport::PdfinfoFeld(info.aus, "Page size:"), "800 x 500 pts") << info.aus;
}

const Bildfall kBildfaelle[] = {
    {"Kennlinie", {"kennlinie", "zeichnen", "k.ske"}, {Qt::red, Qt::blue}},
    {"MessenLetzterBlock", {"messen", "zeichnen", "m.txt"}, {{220, 0, 0}, {0, 150, 0}}},
    {"MessenErsterBlock",
     {"messen", "zeichnen", "m.txt", "--block", "1"},
     {{220, 0, 0}, {200, 140, 0}}},
};
INSTANTIATE_TEST_SUITE_P(Faelle, JedesBild, ::testing::ValuesIn(kBildfaelle),
                         [](const auto& fall) { return std::string(fall.param.name); });

// The axes carry the configured units: input 2's on X, output 1's on Y.
TEST_F(Plot, KennlinieInDenEinheitenDerKonfiguration) {
    const std::string svg = Svg({"kennlinie", "zeichnen", "k.ske", "k.svg", "--konfig", "k.sko"});
    for (const char* text : {">bar<", ">mA<", ">400<", ">20<"})
        EXPECT_NE(svg.find(text), std::string::npos) << text;
}

// The legend names each input drawn with its unit; input 4, never sampled
// in the last block, is left out.
TEST_F(Plot, MessenLegendeMitEinheiten) {
    const std::string svg = Svg({"messen", "zeichnen", "m.txt", "m.svg"});
    for (const char* text : {">Eing1 [°C]<", ">Eing2 [V]<", ">Eing3 [V]<", "°C, V"})
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    EXPECT_EQ(svg.find("Eing4"), std::string::npos);
}

// What is refused draws nothing.
TEST_F(Plot, AblehnungMeldetUndMaltNichts) {
    const struct {
        std::vector<std::string> befehl;
        int status;
        const char* meldung;
    } faelle[] = {
        {{"messen", "zeichnen", "kurve.txt", "x.png"},
         1,
         "kurve.txt ist kein Messprotokoll: keine Zeile \"Datenerfassung gestartet\""},
        {{"messen", "zeichnen", "m.txt", "x.png", "--block", "3"},
         1,
         "m.txt: das Messprotokoll hat 2 Blöcke"},
        {{"messen", "zeichnen", "m.txt", "x.png", "--block", "0"}, 2, "--block"},
        {{"messen", "zeichnen", "fehlt.txt", "x.png"}, 1, "Fehler #308480"},
        {{"kennlinie", "zeichnen", "fehlt.ske", "x.png"}, 1, "Fehler #"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.befehl[2] + " " + f.befehl.back());
        const auto r = CtlAusfuehren(f.befehl);
        EXPECT_EQ(r.status, f.status);
        EXPECT_NE(r.fehler.find(f.meldung), std::string::npos) << r.fehler;
        EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));
    }
}

}  // namespace
