// The "Datei" menu of the characteristic window: its dialogs and questions,
// the boxes for every failure, the follow-up steps, and the unsaved-changes
// question at program end through the window registry.
#include <QLabel>
#include <QSpinBox>
#include <filesystem>

#include "characteristic/files.h"
#include "support/temp_dir.h"
#include "window_fixture.h"

namespace kennlinientest {
namespace {

using characteristic::Gerade;

class KennlinienDateien : public KennlinienFenster {
  protected:
    QString Pfad(const std::string& name) { return QString::fromStdString((dir / name).string()); }
    void Ausloesen(const char* eintrag, const QString& pfad) {
        dialoge->dateien = {pfad};
        A(QString("KENNLINIE_DATEI_") + eintrag)->trigger();
    }
    testsupport::TempDir dir;
};

TEST_F(KennlinienDateien, SpeichernNeuLadenMitFeldernUndKommentar) {
    Punkte({{.y = 0, .laenge = 1000}, {.y = 4095, .laenge = 1}});
    characteristic::gKennlinieGeaendert = true;
    characteristic::gKennlinie.kommentar = std::string(45, 'c');
    panel->FelderSetzen({.begrenzung = 3.25, .anstiegszeit = 819});
    Ausloesen("SPEICHERN", Pfad("k.ske"));
    ASSERT_EQ(dialoge->Alle("Datei").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Datei")[0].titel, "Kennlinie speichern");
    EXPECT_EQ(std::filesystem::file_size(dir / "k.ske"), 1424u + 2 * 12);
    EXPECT_EQ(panel->windowTitle(), "Kennlinienregler - k.ske");
    EXPECT_FALSE(characteristic::gKennlinieGeaendert);

    characteristic::gKennlAnsichtEnde = 99;
    A("KENNLINIE_DATEI_NEU")->trigger();
    EXPECT_TRUE(dialoge->Alle("Frage").empty());
    EXPECT_EQ(K().anzahl, 1);
    EXPECT_EQ(panel->windowTitle(), "Kennlinienregler");
    EXPECT_EQ(Control<QLabel>("KENNLPNL_KOMMENTARVORSCHAU")->text(), "");
    EXPECT_DOUBLE_EQ(panel->FelderLesen().anstiegszeit, 0.1);
    EXPECT_DOUBLE_EQ(characteristic::gKennlAnsichtEnde, 4094);

    Ausloesen("LADEN", Pfad("k.ske"));
    EXPECT_EQ(dialoge->Alle("Datei").back().titel, "Kennlinie laden");
    EXPECT_EQ(K().anzahl, 2);
    EXPECT_EQ(K().kommentar.size(), 45u);  // saved in full
    EXPECT_EQ(Control<QLabel>("KENNLPNL_KOMMENTARVORSCHAU")->text(), QString(30, 'c'));
    EXPECT_DOUBLE_EQ(panel->FelderLesen().begrenzung, 3.25);
    EXPECT_DOUBLE_EQ(panel->FelderLesen().anstiegszeit, 819);
    EXPECT_EQ(panel->windowTitle(), "Kennlinienregler - k.ske");
    EXPECT_TRUE(dialoge->Alle("Meldung").empty());
}

TEST_F(KennlinienDateien, FehlerboxFuerJedenLadefehler) {
    // Each file's failure, shown once with its code; no file name afterwards.
    const std::pair<std::string, const char*> faelle[] = {
        {"", "308518"},                       // missing
        {std::string(100, 'x'), "304519"},    // header short
        {std::string(2000, 'x'), "1025520"},  // not a characteristic file
    };
    int n = 0;
    for (const auto& [inhalt, code] : faelle) {
        SCOPED_TRACE(code);
        const std::string name = "f" + std::to_string(n++) + ".ske";
        if (!inhalt.empty())
            testsupport::Schreiben(dir / name, inhalt);
        dialoge->protokoll.clear();
        characteristic::gKennlAnsichtStart = 100;
        Ausloesen("LADEN", Pfad(name));
        ASSERT_EQ(dialoge->Alle("Meldung").size(), 1u);
        EXPECT_TRUE(dialoge->Alle("Meldung")[0].titel.contains(code));
        EXPECT_EQ(panel->windowTitle(), "Kennlinienregler");
        EXPECT_DOUBLE_EQ(characteristic::gKennlAnsichtStart, 0);  // also after a failure
    }
}

TEST_F(KennlinienDateien, BeschaedigteDateiWarntUndNimmtDenNamenNicht) {
    std::vector<std::uint8_t> bild = characteristic::KennliniendateiBild({.begrenzung = 1});
    bild[1392] = 0;  // no point
    testsupport::Schreiben(dir / "kaputt.ske", std::string(bild.begin(), bild.end()));
    Ausloesen("LADEN", Pfad("kaputt.ske"));
    ASSERT_EQ(dialoge->Alle("Meldung").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Meldung")[0].titel, "Warnung");
    EXPECT_TRUE(dialoge->Alle("Meldung")[0].text.contains("kaputt.ske")) << "names the file";
    EXPECT_EQ(K().geraden, characteristic::Startkennlinie().geraden);
    EXPECT_EQ(panel->windowTitle(), "Kennlinienregler");
    EXPECT_TRUE(characteristic::gKennliniendatei.empty());
}

// A value the board cannot take is kept, said once, and the file name stays.
TEST_F(KennlinienDateien, WertJenseitsDesBereichsBleibtMitHinweis) {
    Punkte({{.y = 0, .laenge = 10}, {.y = 5000, .laenge = 1}});
    const std::vector<std::uint8_t> bild = characteristic::KennliniendateiBild({.begrenzung = 1});
    testsupport::Schreiben(dir / "hoch.ske", std::string(bild.begin(), bild.end()));
    Ausloesen("NEU", {});
    Ausloesen("LADEN", Pfad("hoch.ske"));
    ASSERT_EQ(dialoge->Alle("Meldung").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Meldung")[0].titel, "Hinweis");
    EXPECT_TRUE(dialoge->Alle("Meldung")[0].text.contains("hoch.ske"));
    EXPECT_EQ(K().geraden[1].y, 5000);
    EXPECT_EQ(panel->windowTitle(), "Kennlinienregler - hoch.ske");
}

TEST_F(KennlinienDateien, AndereKonfigurationWirdErfragtUndUebernommen) {
    config::gKonfig.outeinheit[1] = "mA";
    Ausloesen("SPEICHERN", Pfad("k.ske"));
    config::StandardwerteSetzen();
    ui::NeuSkalieren();
    dialoge->antworten = {1};  // "laden"
    Ausloesen("LADEN", Pfad("k.ske"));
    ASSERT_EQ(dialoge->Alle("Frage").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Frage")[0].titel, "Konfiguration laden?");
    EXPECT_EQ(dialoge->Alle("Frage")[0].knoepfe.mid(0, 2), QStringList({"laden", "nicht laden"}));
    EXPECT_EQ(dialoge->Alle("Frage")[0].tasten.enter, 1);
    EXPECT_EQ(dialoge->Alle("Frage")[0].tasten.escape, 2);
    EXPECT_EQ(config::gKonfig.outeinheit[1], "mA");
    EXPECT_EQ(Control<QLabel>("KENNLPNL_BEGRENZUNG_LABEL")->text(), "Analogausgang2 [mA]");
}

TEST_F(KennlinienDateien, ExportUndImportMitImportfehler) {
    Punkte({{.y = 0, .laenge = 2048}, {.y = 4095, .laenge = 1}});
    Ausloesen("EXPORT", Pfad("k.txt"));
    EXPECT_EQ(dialoge->Alle("Datei")[0].titel, "Kennlinie exportieren");
    Ausloesen("NEU", {});
    Ausloesen("IMPORT", Pfad("k.txt"));
    EXPECT_EQ(dialoge->Alle("Datei").back().titel, "Kennlinie importieren");
    ASSERT_EQ(K().anzahl, 2);
    EXPECT_NEAR(K().geraden[0].laenge, 2048, 1);
    EXPECT_TRUE(A("KENNLINIE_BEARBEITEN_RUECKGAENGIG")->isEnabled());

    testsupport::Schreiben(dir / "f.txt", "5\t10\r\n");
    dialoge->protokoll.clear();
    Ausloesen("IMPORT", Pfad("f.txt"));
    ASSERT_EQ(dialoge->Alle("Meldung").size(), 2u);
    EXPECT_EQ(dialoge->Alle("Meldung")[0].titel, "Importfehler");
    EXPECT_TRUE(dialoge->Alle("Meldung")[1].titel.contains("312539"));
    EXPECT_EQ(K().anzahl, 2);
}

TEST_F(KennlinienDateien, ProgrammendeFragtUeberDieRegistry) {
    auto& e = ui::registry().Eintrag(ui::Fenster::Kennlinie);
    ASSERT_TRUE(e.abbruchWeilNichtGespeichert);
    EXPECT_EQ(e.abbruchWeilNichtGespeichert(), 0);
    EXPECT_TRUE(dialoge->protokoll.empty());
    characteristic::gKennlinieGeaendert = true;
    dialoge->antworten = {3};
    EXPECT_NE(e.abbruchWeilNichtGespeichert(), 0);
    dialoge->antworten = {1};  // "Ja": no file yet, the save dialog
    dialoge->dateien = {Pfad("ende.ske")};
    EXPECT_EQ(e.abbruchWeilNichtGespeichert(), 0);
    EXPECT_TRUE(std::filesystem::exists(dir / "ende.ske"));
    EXPECT_EQ(panel->windowTitle(), "Kennlinienregler - ende.ske");
}

}  // namespace
}  // namespace kennlinientest
