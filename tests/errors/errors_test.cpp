#include "errors/errors.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

class Fehlertexte : public ::testing::Test {
  protected:
    void TearDown() override { errors::ORV_Fehlersprache(1); }
};

TEST_F(Fehlertexte, TextHaengtNurVonDerGruppeAb) {
    EXPECT_STREQ(errors::ORV_Fehlermeldung(-400006), "Unzulässige Geräteadresse");
    EXPECT_STREQ(errors::ORV_Fehlermeldung(-400999), "Unzulässige Geräteadresse");
    EXPECT_STREQ(errors::ORV_Fehlermeldung(-122231), "Serielle Schnittstelle ist nicht geöffnet");
    EXPECT_STREQ(errors::ORV_Fehlermeldung(-406114), "Checksummenfehler bei der Übertragung");
    EXPECT_STREQ(errors::ORV_Fehlermeldung(-802201), "INI-Datei nicht gefunden");
    EXPECT_STREQ(errors::ORV_Fehlermeldung(-1019472), "Speicherinhalt fehlerhaft.");
    EXPECT_STREQ(errors::ORV_Fehlermeldung(-350001),
                 "Timeout:\nDruck konnte nicht aufgebaut werden.");
}

TEST_F(Fehlertexte, GruppeWirdZurNullHinAbgeschnitten) {
    EXPECT_EQ(errors::FehlerGruppe(-999), 0);
    EXPECT_EQ(errors::FehlerGruppe(-1000), -1);
    EXPECT_EQ(errors::FehlerGruppe(-1999), -1);
    EXPECT_EQ(errors::FehlerGruppe(-895094), -895);
    EXPECT_STREQ(errors::ORV_Fehlermeldung(-999), "Es ist kein Fehler aufgetreten");
    EXPECT_STREQ(errors::ORV_Fehlermeldung(-1), "Es ist kein Fehler aufgetreten");
}

TEST_F(Fehlertexte, UnbekannteUndPositiveCodes) {
    EXPECT_STREQ(errors::ORV_Fehlermeldung(-1500), "Ein unbekannter Fehler ist aufgetreten");
    EXPECT_STREQ(errors::ORV_Fehlermeldung(-99999000), "Ein unbekannter Fehler ist aufgetreten");
    EXPECT_STREQ(errors::ORV_Fehlermeldung(999), "Es ist kein Fehler aufgetreten");
    EXPECT_STREQ(errors::ORV_Fehlermeldung(1000), "Ein unbekannter Fehler ist aufgetreten");
    EXPECT_STREQ(errors::ORV_Fehlermeldung(INT_MIN), "Ein unbekannter Fehler ist aufgetreten");
}

TEST_F(Fehlertexte, GruppeMinusSechsIstLeerUndHatKeinenTitel) {
    EXPECT_STREQ(errors::ORV_Fehlermeldung(-6001), "");
    EXPECT_FALSE(errors::FehlerpopupTitel(-6001).has_value());
    EXPECT_FALSE(errors::FehlerpopupTitel(-6001, "Eigen").has_value());
    EXPECT_TRUE(errors::FehlerpopupTitel(-7001).has_value());
}

TEST_F(Fehlertexte, TitelTraegtDieNummerOhneVorzeichen) {
    EXPECT_EQ(errors::FehlerpopupTitel(-400006), "Fehler #400006");
    EXPECT_EQ(errors::FehlerpopupTitel(-802201), "Fehler #802201");
    EXPECT_EQ(errors::FehlerpopupTitel(-12, "Übertragung"), "Übertragung #12");
    EXPECT_EQ(errors::FehlerpopupTitel(INT_MIN), "Fehler #2147483648");
}

TEST_F(Fehlertexte, EnglischNurMitSpracheZwei) {
    errors::ORV_Fehlersprache(2);
    EXPECT_STREQ(errors::ORV_Fehlermeldung(-403012), "No answer from device");
    EXPECT_EQ(errors::FehlerpopupTitel(-403012), "Error #403012");
    EXPECT_STREQ(errors::ORV_Fehlermeldung(-1500), "A unknown error occured");
    EXPECT_STREQ(errors::ORV_Fehlermeldung(-6001), "");
    for (int sprache : {0, 3, 1}) {
        errors::ORV_Fehlersprache(sprache);
        EXPECT_STREQ(errors::ORV_Fehlermeldung(-403012), "Keine Antwort vom Gerät") << sprache;
        EXPECT_EQ(errors::FehlerpopupTitel(-403012), "Fehler #403012");
    }
}

TEST_F(Fehlertexte, JedeGruppeHatInBeidenSprachenEinenEigenenText) {
    // Every group of the table answers with a text of its own in both
    // languages; only -6 is empty.
    const std::string unbekanntDe = "Ein unbekannter Fehler ist aufgetreten";
    const std::string unbekanntEn = "A unknown error occured";
    int gruppen = 0;
    for (int g = 0; g >= -1100; --g) {
        const int code = g * 1000 - 1;
        errors::ORV_Fehlersprache(1);
        const std::string de = errors::ORV_Fehlermeldung(code);
        errors::ORV_Fehlersprache(2);
        const std::string en = errors::ORV_Fehlermeldung(code);
        if (de == unbekanntDe) {
            EXPECT_EQ(en, unbekanntEn) << g;
            continue;
        }
        ++gruppen;
        if (g == -6)
            continue;
        EXPECT_FALSE(de.empty()) << g;
        EXPECT_FALSE(en.empty()) << g;
        EXPECT_NE(en, unbekanntEn) << g;
    }
    EXPECT_EQ(gruppen, 133);
}

}  // namespace
