// The configuration file: layout, every code, nothing changed on failure,
// safe saving, and random bytes of any length.
#include "config/files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "storage/byte_order.h"
#include "support/temp_dir.h"

namespace {

using namespace config;
using testsupport::Lesen;
using testsupport::Schreiben;

Konfig Beispiel() {
    Konfig k;
    k.voutmax = 5.0;
    k.vinmax = 4.095;
    for (std::size_t i = 0; i < kKanaele; ++i) {
        k.outmin[i] = 0.1 * static_cast<double>(i + 1);
        k.outmax[i] = 9.9 - static_cast<double>(i);
        k.outskalamin[i] = -1.0 / 3.0 * static_cast<double>(i + 1);
        k.outskalamax[i] = 1e6 + static_cast<double>(i);
        k.inmin[i] = 1.0 + 1e-15 * static_cast<double>(i);
        k.inmax[i] = 6.0;
        k.inskalamin[i] = 0.0;
        k.inskalamax[i] = 1000.0 / 7.0;
    }
    k.outeinheit = {"12345678", "µA", "mBar", ""};
    k.ineinheit = {"°C", "ÄÖÜäöüß€", "V", "%"};
    return k;
}

std::string AlsText(const std::vector<std::uint8_t>& b) {
    return std::string(b.begin(), b.end());
}

TEST(KonfigDateiBild, KopfTypVersionUndRecord) {
    const Konfig k = Beispiel();
    const std::vector<std::uint8_t> bild = KonfigDateiBild(k);
    ASSERT_EQ(bild.size(), 392u);
    const std::string typ = "vek7mKurven Konfigdatei";
    EXPECT_EQ(std::string(bild.begin(), bild.begin() + typ.size()), typ);
    for (std::size_t n = typ.size(); n < 32; ++n)
        EXPECT_EQ(bild[n], 0) << n;
    EXPECT_EQ(storage::GetLE32(bild, 32), 1u);
    EXPECT_EQ(storage::GetLE32(bild, 36), 0u);
    std::vector<std::uint8_t> record;
    KonfigBildSchreiben(k, record);
    EXPECT_TRUE(std::equal(record.begin(), record.end(), bild.begin() + 40));
}

class KonfigDatei : public ::testing::Test {
  protected:
    testsupport::TempDir dir;
    std::filesystem::path datei = dir / "test.sko";

    // Loads into a record holding something else, and checks that a failure
    // leaves it exactly as it was.
    int LadenUndPruefen(const std::vector<std::uint8_t>& bytes) {
        Schreiben(datei, AlsText(bytes));
        Konfig k = Beispiel();
        k.outeinheit[0] = "vorher";
        const Konfig vorher = k;
        const int r = KonfigurationLadenVon(datei, k);
        if (r != 0) {
            EXPECT_EQ(KonfigurationenVergleichen(k, vorher), 1) << "changed by a failed load";
        }
        return r;
    }
};

TEST_F(KonfigDatei, SpeichernUndLadenStelltJedesFeldHer) {
    const Konfig k = Beispiel();
    ASSERT_EQ(KonfigurationSpeichernNach(datei, k), 0);
    EXPECT_EQ(std::filesystem::file_size(datei), 392u);
    Konfig geladen;
    ASSERT_EQ(KonfigurationLadenVon(datei, geladen), 0);
    EXPECT_EQ(KonfigurationenVergleichen(geladen, k), 1);
    EXPECT_EQ(geladen.outeinheit[0], "12345678");
    EXPECT_EQ(geladen.outeinheit[1], "µA");
    EXPECT_EQ(geladen.ineinheit[1], "ÄÖÜäöüß€");
    EXPECT_EQ(geladen.inmin[3], 1.0 + 3e-15);
    // "µ" is one Windows-1252 byte in the file.
    const std::string roh = Lesen(datei);
    EXPECT_EQ(static_cast<unsigned char>(roh[40 + 136 + 9]), 0xB5);
}

TEST_F(KonfigDatei, Zu391BytesKurz) {
    std::vector<std::uint8_t> b = KonfigDateiBild(Beispiel());
    b.pop_back();
    EXPECT_EQ(LadenUndPruefen(b), -304264);
}

TEST_F(KonfigDatei, LeereDateiIstZuKurz) {
    EXPECT_EQ(LadenUndPruefen({}), -304264);
}

TEST_F(KonfigDatei, Genau392BytesLaden) {
    const Konfig k = Beispiel();
    Schreiben(datei, AlsText(KonfigDateiBild(k)));
    Konfig geladen;
    ASSERT_EQ(KonfigurationLadenVon(datei, geladen), 0);
    EXPECT_EQ(KonfigurationenVergleichen(geladen, k), 1);
}

TEST_F(KonfigDatei, Mit393BytesZaehlenDieErsten392) {
    const Konfig k = Beispiel();
    std::vector<std::uint8_t> b = KonfigDateiBild(k);
    b.push_back(0x7F);
    Schreiben(datei, AlsText(b));
    Konfig geladen;
    ASSERT_EQ(KonfigurationLadenVon(datei, geladen), 0);
    EXPECT_EQ(KonfigurationenVergleichen(geladen, k), 1);
}

TEST_F(KonfigDatei, KurvendateiTypWirdAbgelehnt) {
    std::vector<std::uint8_t> b = KonfigDateiBild(Beispiel());
    const std::string kurve = "vek7mKurven Kurvendatei";
    std::fill(b.begin(), b.begin() + 32, 0);
    std::copy(kurve.begin(), kurve.end(), b.begin());
    ASSERT_EQ(b.size(), 392u);
    EXPECT_EQ(LadenUndPruefen(b), -1021265);
}

TEST_F(KonfigDatei, TypTextGenauUndBisZurNul) {
    const std::string typ = "vek7mKurven Konfigdatei";
    auto mitTyp = [&](const std::string& t) {
        std::vector<std::uint8_t> b = KonfigDateiBild(Beispiel());
        std::fill(b.begin(), b.begin() + 32, 0);
        std::copy(t.begin(),
                  t.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(t.size(), 32)),
                  b.begin());
        return b;
    };
    EXPECT_EQ(LadenUndPruefen(mitTyp("VEK7MKURVEN KONFIGDATEI")), -1021265);
    EXPECT_EQ(LadenUndPruefen(mitTyp(typ + " ")), -1021265);
    EXPECT_EQ(LadenUndPruefen(mitTyp(typ.substr(0, typ.size() - 1))), -1021265);
    EXPECT_EQ(LadenUndPruefen(mitTyp(std::string(32, 'v'))), -1021265);
    EXPECT_EQ(LadenUndPruefen(mitTyp("")), -1021265);
    // Bytes after the NUL carry no meaning.
    std::vector<std::uint8_t> b = mitTyp(typ);
    for (std::size_t n = typ.size() + 1; n < 32; ++n)
        b[n] = 0xEE;
    EXPECT_EQ(LadenUndPruefen(b), 0);
}

TEST_F(KonfigDatei, Version2WirdAbgelehnt) {
    for (std::uint32_t v : {2u, 0u, 0x01000000u, 0xFFFFFFFFu}) {
        std::vector<std::uint8_t> b = KonfigDateiBild(Beispiel());
        std::vector<std::uint8_t> version;
        storage::PutLE32(version, v);
        std::copy(version.begin(), version.end(), b.begin() + 32);
        EXPECT_EQ(LadenUndPruefen(b), -303266) << v;
    }
}

TEST_F(KonfigDatei, PolsterNachDerVersionZaehltNicht) {
    std::vector<std::uint8_t> b = KonfigDateiBild(Beispiel());
    for (std::size_t n = 36; n < 40; ++n)
        b[n] = 0xAB;
    EXPECT_EQ(LadenUndPruefen(b), 0);
}

TEST_F(KonfigDatei, FehlendeDateiLaesstSichNichtOeffnen) {
    Konfig k = Beispiel();
    EXPECT_EQ(KonfigurationLadenVon(dir / "gibtsnicht.sko", k), -308263);
    EXPECT_EQ(KonfigurationenVergleichen(k, Beispiel()), 1);
    EXPECT_EQ(KonfigurationLadenVon(dir.path(), k), -308263) << "a folder is no file";
}

TEST_F(KonfigDatei, SpeichernInFehlendenOrdnerMeldet308261) {
    EXPECT_EQ(KonfigurationSpeichernNach(dir / "fehlt" / "x.sko", Beispiel()), -308261);
    EXPECT_FALSE(std::filesystem::exists(dir / "fehlt"));
}

TEST_F(KonfigDatei, SpeichernAufOrdnerMeldetFehlerUndLaesstIhn) {
    std::filesystem::create_directory(datei);
    EXPECT_LT(KonfigurationSpeichernNach(datei, Beispiel()), 0);
    EXPECT_TRUE(std::filesystem::is_directory(datei));
}

TEST_F(KonfigDatei, SpeichernErsetztDieAlteDateiOhneReste) {
    Schreiben(datei, std::string(5000, 'x'));
    ASSERT_EQ(KonfigurationSpeichernNach(datei, Beispiel()), 0);
    EXPECT_EQ(std::filesystem::file_size(datei), 392u);
    std::size_t dateien = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++dateien;
    }
    EXPECT_EQ(dateien, 1u) << "no temporary file left behind";
}

TEST_F(KonfigDatei, NaNInDerDateiKommtNichtInsRecord) {
    Konfig k = Beispiel();
    k.outmax[2] = std::numeric_limits<double>::quiet_NaN();
    k.vinmax = std::numeric_limits<double>::infinity();
    Schreiben(datei, AlsText(KonfigDateiBild(k)));
    Konfig geladen;
    ASSERT_EQ(KonfigurationLadenVon(datei, geladen), 0);
    EXPECT_EQ(geladen.outmax[2], 10.0);
    EXPECT_EQ(geladen.vinmax, 10.0);
    EXPECT_EQ(geladen.outmax[1], k.outmax[1]);
}

// Whatever the bytes, the loader gives one of its codes, leaves the record
// alone on failure and yields a sound record on success.
bool Gesund(const Konfig& k) {
    auto ok = [](double d) { return std::isfinite(d); };
    if (!(k.voutmax > 0 && k.voutmax <= 10) || !(k.vinmax > 0 && k.vinmax <= 10))
        return false;
    for (std::size_t i = 0; i < kKanaele; ++i) {
        if (!ok(k.outmin[i]) || !ok(k.outmax[i]) || !ok(k.outskalamin[i]) ||
            !ok(k.outskalamax[i]) || !ok(k.inmin[i]) || !ok(k.inmax[i]) || !ok(k.inskalamin[i]) ||
            !ok(k.inskalamax[i]))
            return false;
        if (k.outeinheit[i] != EinheitBereinigen(k.outeinheit[i]) ||
            k.ineinheit[i] != EinheitBereinigen(k.ineinheit[i]))
            return false;
    }
    return true;
}

TEST(KonfigDateiZufall, BeliebigeBytesBeliebigerLaenge) {
    std::mt19937 zufall(4711);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::vector<std::uint8_t> gut = KonfigDateiBild(Konfig{});
    int geladen = 0;
    for (int runde = 0; runde < 4000; ++runde) {
        const std::size_t laenge = static_cast<std::size_t>(runde % 800);
        std::vector<std::uint8_t> b(laenge);
        // Half the rounds start from a good header, so the record itself
        // gets random bytes too.
        const bool kopf = runde % 2 == 1;
        for (std::size_t n = 0; n < laenge; ++n)
            b[n] = (kopf && n < 40) ? gut[n] : static_cast<std::uint8_t>(byte(zufall));
        Konfig k;
        k.outeinheit[1] = "vorher";
        const Konfig vorher = k;
        const int r = KonfigDateiBildLesen(b, k);
        if (laenge < 392) {
            EXPECT_EQ(r, -304264);
        } else if (!kopf) {
            EXPECT_EQ(r, -1021265) << "random bytes never spell the type text";
        } else {
            ASSERT_EQ(r, 0);
        }
        if (r == 0) {
            ++geladen;
            EXPECT_TRUE(Gesund(k)) << "round " << runde;
        } else {
            EXPECT_EQ(KonfigurationenVergleichen(k, vorher), 1);
        }
    }
    EXPECT_GT(geladen, 0);
}

TEST(KonfigDateiZufall, UeberDieDateiMitVielenLaengen) {
    testsupport::TempDir dir;
    std::mt19937 zufall(815);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::vector<std::uint8_t> gut = KonfigDateiBild(Konfig{});
    for (std::size_t laenge : {0u, 1u, 31u, 32u, 39u, 40u, 391u, 392u, 393u, 1000u, 70000u}) {
        std::vector<std::uint8_t> b(laenge);
        for (std::size_t n = 0; n < laenge; ++n)
            b[n] = n < 40 && n < gut.size() ? gut[n] : static_cast<std::uint8_t>(byte(zufall));
        Schreiben(dir / "z.sko", AlsText(b));
        Konfig k;
        const int r = KonfigurationLadenVon(dir / "z.sko", k);
        if (laenge < 392)
            EXPECT_EQ(r, -304264) << laenge;
        else
            EXPECT_EQ(r, 0) << laenge;
        EXPECT_TRUE(Gesund(k)) << laenge;
    }
}

}  // namespace

namespace schaden {

using namespace config;

struct Fall {
    const char* name;
    std::size_t at;  // a byte of the record set to 0xFF eight times: a NaN
    bool beschaedigt;
};

class KonfigSchaden : public testing::TestWithParam<Fall> {};

TEST_P(KonfigSchaden, FelderOhneZahlWerdenGemeldet) {
    std::vector<std::uint8_t> b = KonfigDateiBild(Konfig{});
    if (GetParam().at > 0)
        std::fill_n(b.begin() + static_cast<std::ptrdiff_t>(GetParam().at), 8, 0xFF);
    Konfig k;
    bool beschaedigt = !GetParam().beschaedigt;
    ASSERT_EQ(KonfigDateiBildLesen(b, k, &beschaedigt), 0);
    EXPECT_EQ(beschaedigt, GetParam().beschaedigt);
    EXPECT_EQ(KonfigurationenVergleichen(k, Konfig{}), 1) << "the defaults stand in";
}

INSTANTIATE_TEST_SUITE_P(Felder, KonfigSchaden,
                         testing::Values(Fall{"Gesund", 0, false}, Fall{"Vollspannung", 40, true},
                                         Fall{"ErsterKanal", 48, true},
                                         Fall{"LetztesFeld", 40 + 280 + 24, true}),
                         [](const testing::TestParamInfo<Fall>& i) {
                             return std::string(i.param.name);
                         });

}  // namespace schaden
