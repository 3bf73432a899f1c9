// mux6ctl curve plot through the executable: the pictures it writes, read back
// by other programs' readers, and how it refuses.

#include <gtest/gtest.h>

#include <QImage>
#include <QStandardPaths>
#include <filesystem>
#include <string>
#include <vector>

#include "config/model.h"
#include "ctl.h"
#include "curves/files.h"
#include "curves/model.h"
#include "errors/errors.h"
#include "picture_checks.h"
#include "support/process.h"
#include "support/temp_dir.h"

namespace {

using testsupport::CtlAusfuehren;

std::string FehlerZeile(int code) {
    return "Fehler #" + std::to_string(-code) + ": " + errors::ORV_Fehlermeldung(code) + "\n";
}

class Bild : public ::testing::Test {
  protected:
    void SetUp() override {
        config::StandardwerteSetzen();
        ASSERT_EQ(curves::KurvenInit(), 0);
        // A ramp up and a step down: red lines, blue steps, red markers.
        curves::gKurven[0].geraden = {{0, 40, 4}, {4000, 20, 4}, {1000, 1, 4}};
        curves::gKurven[0].anzahl = 3;
        ASSERT_EQ(curves::KurvenSpeichernNach(dir / "a.skr"), 0);
        ASSERT_EQ(curves::KurvenInit(), 0);
    }
    void TearDown() override { curves::KurvenInit(); }

    testsupport::TempDir dir{true};
};

TEST_F(Bild, PngInDerGenanntenGroesseZeigtDieKurve) {
    const auto r =
        CtlAusfuehren({"curve", "plot", "a.skr", "a.png", "--breite", "640", "--hoehe", "480"});
    ASSERT_EQ(r.status, 0) << r.fehler;
    EXPECT_TRUE(r.aus.empty());
    const QImage bild((dir / "a.png").c_str());
    ASSERT_FALSE(bild.isNull());
    EXPECT_EQ(bild.size(), QSize(640, 480));
    EXPECT_GT(testsupport::PixelAnzahl(bild, Qt::red), 50);   // lines and markers
    EXPECT_GT(testsupport::PixelAnzahl(bild, Qt::blue), 50);  // steps
}

TEST_F(Bild, PdfLiestPdfinfoAlsEineSeiteDerGroesse) {
    ASSERT_EQ(
        CtlAusfuehren({"curve", "plot", "a.skr", "a.pdf", "--breite=800", "--hoehe=500"}).status,
        0);
    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    ASSERT_FALSE(pdfinfo.isEmpty()) << "pdfinfo missing: scripts/bootstrap installs poppler-utils";
    const auto info = testsupport::Ausfuehren(pdfinfo.toStdString(), {(dir / "a.pdf").string()},
                                              std::chrono::seconds(30));
    ASSERT_EQ(info.status, 0) << info.fehler;
    EXPECT_EQ(testsupport::PdfinfoFeld(info.aus, "Pages:"), "1") << info.aus;
    EXPECT_EQ(testsupport::PdfinfoFeld(info.aus, "Page size:"), "800 x 500 pts") << info.aus;
}

TEST_F(Bild, SvgMitDerFlaecheDerGroesse) {
    ASSERT_EQ(
        CtlAusfuehren({"curve", "plot", "a.skr", "a.svg", "--breite=300", "--hoehe=200"}).status,
        0);
    const std::string svg = testsupport::Lesen(dir / "a.svg");
    EXPECT_NE(svg.find("viewBox=\"0 0 300 200\""), std::string::npos);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);
}

struct Fehlerfall {
    const char* name;
    std::vector<std::string> argumente;
    int status;
    int code;  // for status 1: the code on standard error
};

class BildFehler : public Bild, public ::testing::WithParamInterface<Fehlerfall> {};

TEST_P(BildFehler, MeldetUndSchreibtNichts) {
    const Fehlerfall& f = GetParam();
    const auto r = CtlAusfuehren(f.argumente);
    EXPECT_EQ(r.status, f.status) << r.fehler;
    if (f.status == 1)
        EXPECT_NE(r.fehler.find(FehlerZeile(f.code)), std::string::npos) << r.fehler;
    else
        EXPECT_NE(r.fehler.find("mux6ctl: "), std::string::npos) << r.fehler;
    EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));
    EXPECT_FALSE(std::filesystem::exists(dir / "x.jpg"));
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, BildFehler,
    ::testing::Values(
        Fehlerfall{"DateiFehlt", {"curve", "plot", "fehlt.skr", "x.png"}, 1, -308435},
        Fehlerfall{"OrdnerFehlt", {"curve", "plot", "a.skr", "nix/x.png"}, 1, -308460},
        Fehlerfall{"UnbekanntesFormat", {"curve", "plot", "a.skr", "x.jpg"}, 2, 0},
        Fehlerfall{"ZuSchmal", {"curve", "plot", "a.skr", "x.png", "--breite", "10"}, 2, 0},
        Fehlerfall{"HoeheKeineZahl", {"curve", "plot", "a.skr", "x.png", "--hoehe", "4x"}, 2, 0},
        Fehlerfall{"ZuHoch", {"curve", "plot", "a.skr", "x.png", "--hoehe", "8001"}, 2, 0},
        Fehlerfall{"ZielFehlt", {"curve", "plot", "a.skr"}, 2, 0}),
    [](const auto& fall) { return std::string(fall.param.name); });

// Only a picture makes mux6ctl start a GUI application.
TEST(GrafikNoetig, NurFuerCurvePlot) {
    EXPECT_TRUE(ctl::GrafikBenoetigt({"--port", "2", "curve", "plot", "a.skr", "a.pdf"}));
    EXPECT_FALSE(ctl::GrafikBenoetigt({"curve", "export", "a.skr", "plot"}));
    EXPECT_FALSE(ctl::GrafikBenoetigt({"--log", "curve", "plot", "a.skr"}));  // a file named curve
    EXPECT_FALSE(ctl::GrafikBenoetigt({"--nix", "curve", "plot", "a.skr", "a.png"}));
}

}  // namespace
