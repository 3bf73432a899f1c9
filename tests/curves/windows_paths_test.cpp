// Saving where Windows differs from POSIX: names outside ASCII go through
// UTF-16, a read-only file refuses the save, and a file another program holds
// open cannot be replaced there. The same tests run on Linux, where the last
// two behave as POSIX does.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "config/files.h"
#include "config/model.h"
#include "curve_fixture.h"
#include "curves/files.h"
#include "curves/view.h"
#include "storage/paths.h"
#include "support/platform.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::Lesen;
using testsupport::Schreiben;

std::size_t Eintraege(const fs::path& ordner) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(ordner), fs::directory_iterator{}));
}

// The two formats saved through the safe save, with the codes they report.
struct Format {
    const char* name;
    std::function<int(const fs::path&)> speichern;
    int oeffnenFehler;   // the target can be neither opened nor created
    int ersetzenFehler;  // the new file could not take the old one's place
};

const Format kFormate[] = {
    {"Kurven", curves::KurvenSpeichernNach, -308432, -308432},
    {"Konfiguration",
     [](const fs::path& p) { return config::KonfigurationSpeichernNach(p, config::gKonfig); },
     config::kFehlerKonfigOeffnenSchreiben, config::kFehlerKonfigOeffnenSchreiben},
};

class SpeichernUnterWindows : public curves::test::KurvenTest,
                              public ::testing::WithParamInterface<Format> {
  protected:
    testsupport::TempDir dir_;
};

INSTANTIATE_TEST_SUITE_P(Formate, SpeichernUnterWindows, ::testing::ValuesIn(kFormate),
                         [](const auto& fall) { return std::string(fall.param.name); });

TEST_P(SpeichernUnterWindows, SchreibgeschuetzteDateiBleibt) {
    if (!testsupport::SchreibschutzGilt())
        GTEST_SKIP() << "root writes read-only files";
    const fs::path pfad = dir_ / "alt.bin";
    Schreiben(pfad, "alt");
    fs::permissions(pfad, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(GetParam().speichern(pfad), GetParam().oeffnenFehler);
    EXPECT_EQ(Lesen(pfad), "alt");
    EXPECT_EQ(Eintraege(dir_.path()), 1u) << "no temporary is left";
}

TEST_P(SpeichernUnterWindows, OffenGehalteneDatei) {
    const fs::path pfad = dir_ / "offen.bin";
    Schreiben(pfad, "alt");
    std::ifstream anderer(pfad, std::ios::binary);
    ASSERT_TRUE(anderer.is_open());
    const int r = GetParam().speichern(pfad);
#ifdef _WIN32
    // Replacing a file needs every other handle to allow its deletion; a
    // reader's does not. The save fails as a whole.
    EXPECT_EQ(r, GetParam().ersetzenFehler);
    EXPECT_EQ(Lesen(pfad), "alt");
#else
    EXPECT_EQ(r, 0);
    EXPECT_NE(Lesen(pfad), "alt");
#endif
    EXPECT_EQ(Eintraege(dir_.path()), 1u) << "no temporary is left";
    std::string gelesen;
    std::getline(anderer, gelesen);
    EXPECT_EQ(gelesen, "alt") << "the other handle still reads what it opened";
}

using UmlautPfadTest = curves::test::KurvenTest;

TEST_F(UmlautPfadTest, KurvendateiMitUmlautenUndEuroZurueck) {
    testsupport::TempDir dir;
    const fs::path ordner = dir.path() / fs::path(u8"Messung Ä ö ü ß €");
    const fs::path pfad = ordner / fs::path(u8"Kurve Grün 5 €.skr");
    fs::create_directory(ordner);
    curves::gKurven[2].kommentar = "vom Prüfstand";
    ASSERT_EQ(curves::KurvenSpeichernNach(pfad), 0);

    // On the disk under its own name, not under the bytes of its UTF-8 form.
    ASSERT_EQ(Eintraege(ordner), 1u);
    // Compared as bytes: the test library prints no UTF-8 strings of their own type.
    const std::u8string name = fs::directory_iterator(ordner)->path().filename().u8string();
    EXPECT_EQ(std::string(name.begin(), name.end()), "Kurve Grün 5 €.skr");
    // The name the window shows, and the file a later "Speichern" writes.
    EXPECT_EQ(curves::DateinameOderStandard(), "Kurve Grün 5 €.skr");
    const fs::path wieder = storage::PfadAusText(curves::gKurvendatei);
    EXPECT_TRUE(fs::equivalent(wieder, pfad));

    curves::KurvenInit();
    ASSERT_EQ(curves::KurvenLadenNach(wieder).code, 0);
    EXPECT_EQ(curves::gKurven[2].kommentar, "vom Prüfstand");
    EXPECT_EQ(curves::DateinameOderStandard(), "Kurve Grün 5 €.skr");
}

TEST(UmlautPfad, KonfigurationMitUmlautenUndEuroZurueck) {
    testsupport::TempDir dir;
    const fs::path ordner = dir.path() / fs::path(u8"Prüfplatz €");
    fs::create_directory(ordner);
    const fs::path pfad = ordner / fs::path(u8"Einheiten ä €.sko");
    config::Konfig k;
    k.outeinheit[1] = "°C";
    k.voutmax = 5.0;
    ASSERT_EQ(config::KonfigurationSpeichernNach(pfad, k), 0);
    config::Konfig geladen;
    ASSERT_EQ(config::KonfigurationLadenVon(pfad, geladen, nullptr), 0);
    EXPECT_EQ(geladen.outeinheit[1], "°C");
    EXPECT_EQ(geladen.voutmax, 5.0);
}

}  // namespace
