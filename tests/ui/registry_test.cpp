// The registry calls the windows in the program's orders.
#include "ui/registry.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/scripted_dialogs.h"
#include "ui/veto.h"

namespace {

using ui::Fenster;

class Registry : public ::testing::Test {
  protected:
    void TearDown() override { ui::registry().Leeren(); }
};

TEST_F(Registry, FehleranzeigenInDerReihenfolgeKurvenComKennlinieDirekt) {
    std::vector<std::pair<Fenster, int>> folge;
    for (Fenster f : {Fenster::Direkt, Fenster::Com, Fenster::Kennlinie, Fenster::Kurven}) {
        ui::registry().Eintrag(f).fehlerSetzen = [&folge, f](int c) { folge.push_back({f, c}); };
    }
    EXPECT_EQ(ui::ComFehlerSetzen(-400006), 0);
    const std::vector<std::pair<Fenster, int>> erwartet{{Fenster::Kurven, -400006},
                                                        {Fenster::Com, -400006},
                                                        {Fenster::Kennlinie, -400006},
                                                        {Fenster::Direkt, -400006}};
    EXPECT_EQ(folge, erwartet);
}

TEST_F(Registry, VerbindungsanzeigenAllerSechsFenster) {
    int gesetzt = 0;
    for (Fenster f : ui::kVerbindungsanzeigen) {
        ui::registry().Eintrag(f).verbindungSetzen = [&gesetzt](int port) {
            EXPECT_EQ(port, 3);
            ++gesetzt;
        };
    }
    ui::VerbindungsanzeigenSetzen(3);
    EXPECT_EQ(gesetzt, 6);
}

class Veto : public ::testing::Test {
  protected:
    testsupport::DialogScope dialoge;
    int gespeichert = 0;
    std::function<int()> speichern = [this] {
        ++gespeichert;
        return ergebnis;
    };
    int ergebnis = 0;
};

TEST_F(Veto, UnveraendertFragtNicht) {
    EXPECT_EQ(ui::AbbruchWeilNichtGespeichert(false, "a.skr", speichern), 0);
    EXPECT_TRUE(dialoge->protokoll.empty());
}

TEST_F(Veto, JaSpeichertUndGehtWeiter) {
    dialoge->antworten = {1};
    EXPECT_EQ(ui::AbbruchWeilNichtGespeichert(true, "a.skr", speichern), 0);
    EXPECT_EQ(gespeichert, 1);
    ASSERT_EQ(dialoge->Alle("Frage").size(), 1u);
    const auto frage = dialoge->Alle("Frage")[0];
    EXPECT_EQ(frage.titel, "Warnung");
    EXPECT_EQ(frage.text, "Möchten Sie die Änderungen in a.skr speichern?");
    EXPECT_EQ(frage.knoepfe, (QStringList{"Ja", "Nein", "Abbrechen"}));
    EXPECT_EQ(frage.tasten.enter, 3);
    EXPECT_EQ(frage.tasten.escape, 3);
}

TEST_F(Veto, NeinGehtOhneSpeichernWeiter) {
    dialoge->antworten = {2};
    EXPECT_EQ(ui::AbbruchWeilNichtGespeichert(true, "Kurvengenerator", speichern), 0);
    EXPECT_EQ(gespeichert, 0);
}

TEST_F(Veto, AbbrechenOderSchliessenHaelt) {
    for (int antwort : {3, 0}) {
        dialoge->antworten = {antwort};
        EXPECT_EQ(ui::AbbruchWeilNichtGespeichert(true, "x", speichern), 1) << antwort;
    }
    EXPECT_EQ(gespeichert, 0);
}

TEST_F(Veto, FehlgeschlagenesSpeichernZeigtDenFehlerUndHaelt) {
    dialoge->antworten = {1};
    ergebnis = -301005;
    EXPECT_EQ(ui::AbbruchWeilNichtGespeichert(true, "x", speichern), 1);
    ASSERT_EQ(dialoge->Alle("Meldung").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Meldung")[0].titel, "Fehler #301005");
    EXPECT_EQ(dialoge->Alle("Meldung")[0].text, "Fehler beim Schreiben auf Datei");
}

}  // namespace
