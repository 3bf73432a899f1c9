// The window "Direkte Ein-/Ausgabe" against the simulated board in-process:
// sampling switched on and off by its controls and its timer, the strip
// chart's fields, input 4 under the mode byte, the outputs, the log's file
// dialog, leaving the window, rescaling, direct help and the settings section.
#include "direct_io/window.h"

#include <QAction>
#include <QCheckBox>
#include <QDial>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "connection/connection.h"
#include "direct_io/window_instruments.h"
#include "direct_io/window_strip_chart.h"
#include "direct_io_fixture.h"
#include "support/scripted_dialogs.h"
#include "ui/error_display.h"
#include "ui/help.h"
#include "ui/number_field.h"
#include "ui/registry.h"

namespace direct_io::test {
namespace {

using mux6sim::Stoerung;

class DirektFenster : public DirektTest {
  protected:
    // The window's own port, beside the model fixture's; both reach the board.
    static constexpr int kFensterPort = 2;

    void SetUp() override {
        DirektTest::SetUp();
        haupt = std::make_unique<QWidget>();
        haupt->resize(1000, 720);
        ui::registry().Eintrag(ui::Fenster::Haupt).panel = haupt.get();
        ui::registry().Shell().zeigeChildpanel = [this](ui::Fenster f) { gezeigt.push_back(f); };
        panel = new Direktpanel(haupt.get());
        panel->setGeometry(1, 17, 998, 702);
        ASSERT_EQ(panel->DirektpanelInit(), 0);
        panel->show();
        haupt->show();
    }
    void TearDown() override {
        panel->DirektpanelClear();
        if (ui::gHilfeAktiv)
            ui::DirekthilfeSetzen(false);
        haupt.reset();
        connection::ZustandZuruecksetzen();
        ui::registry().Leeren();
        DirektTest::TearDown();
    }

    void Verbinden() {
        ASSERT_EQ(connection::ComPortOeffnen(kFensterPort), 0);
        connection::GeraeteadresseSetzen(kAdresse);
    }
    template <class T>
    T* Control(const char* name) {
        T* c = panel->findChild<T*>(QString("DIREKTPNL_") + name);
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    void Klick(const char* name) { QTest::mouseClick(Control<QWidget>(name), Qt::LeftButton); }
    // The operator enters a value in a number field.
    void Eingeben(ui::Zahlfeld* f, double wert) {
        f->setValue(wert);
        f->Uebernehmen();
    }
    int Fehlernummer() { return Control<QLineEdit>("FEHLERNR")->text().toInt(); }
    bool Sampelt() {
        const bool an = Control<QPushButton>("ABFRAGEN")->isChecked();
        EXPECT_EQ(panel->Abfrage(), an);
        return an;
    }

    testsupport::DialogScope dialoge;
    std::unique_ptr<QWidget> haupt;
    Direktpanel* panel = nullptr;
    std::vector<ui::Fenster> gezeigt;
};

TEST_F(DirektFenster, ZoomfelderSkalierenDenStreifenschreiber) {
    Streifenschreiber* s = panel->stripchart();
    EXPECT_EQ(Control<ui::Zahlfeld>("ZOOMX")->Wert(), s->Plotbreite() / 2);
    // The Y axis stays within 10..100 percent whatever the field holds.
    for (const auto& [eingabe, oben] : {std::pair{5.0, 10.0}, {150.0, 100.0}, {40.0, 40.0}}) {
        Control<ui::Zahlfeld>("ZOOMY")->Setzen(eingabe);
        panel->DirektZoom_Callback(Direktpanel::Zoom::Y);
        EXPECT_EQ(s->YMin(), 0.0) << eingabe;
        EXPECT_EQ(s->YMax(), oben) << eingabe;
    }
    Eingeben(Control<ui::Zahlfeld>("ZOOMX"), 300);
    EXPECT_EQ(s->PunkteProBreite(), 300);
    EXPECT_EQ(s->XMax() - s->XMin(), 300);
}

TEST_F(DirektFenster, AbtastzeitGiltSofortMitUntergrenze) {
    Verbinden();
    Klick("ABFRAGEN");
    ASSERT_TRUE(Sampelt());
    EXPECT_EQ(panel->timer()->interval(), 1000);
    auto* feld = Control<ui::Zahlfeld>("ABTASTZEIT");
    feld->Setzen(0.1);
    panel->Abtastzeit_Callback();
    EXPECT_EQ(panel->timer()->interval(), 200);
    EXPECT_EQ(feld->Wert(), 0.1);  // the field keeps what was entered
    EXPECT_TRUE(panel->timer()->isActive());
    Eingeben(feld, 2.4);
    EXPECT_EQ(panel->timer()->interval(), 2400);
}

TEST_F(DirektFenster, Eingang4AlsStartStoppEingang) {
    Verbinden();
    Board().modus |= 0x01;
    Klick("ABFRAGEN");
    ASSERT_TRUE(Sampelt());
    Board().ausgaenge = {1, 2, 3, 7};
    panel->DirektTimer_Callback();
    panel->DirektTimer_Callback();
    Streifenschreiber* s = panel->stripchart();
    EXPECT_EQ(s->Spur(3), (std::vector<double>{0, 0}));
    EXPECT_EQ(s->Spur(2), (std::vector<double>{30, 30}));
    EXPECT_TRUE(s->SpurSichtbar(3));  // the trace still draws its 0
    EXPECT_FALSE(Control<QCheckBox>("PLOT4")->isChecked());
    for (const char* name : {"PLOT4", "MIN4", "MAX4", "EINGANG4"})
        EXPECT_FALSE(Control<QWidget>(name)->isEnabled()) << name;
    EXPECT_DOUBLE_EQ(panel->eingang(2)->Wert(), 3.0);

    // Decided anew at the next start.
    Klick("ABFRAGEN");
    Board().modus &= ~0x01;
    Klick("ABFRAGEN");
    Board().ausgaenge[3] = 7;
    panel->DirektTimer_Callback();
    EXPECT_EQ(s->Spur(3).back(), 70);
    EXPECT_DOUBLE_EQ(panel->eingang(3)->Wert(), 7.0);
    EXPECT_TRUE(Control<QWidget>("EINGANG4")->isEnabled());
}

TEST_F(DirektFenster, OhnePortBleibtDieAbfrageAus) {
    Klick("ABFRAGEN");
    EXPECT_FALSE(Sampelt());
    EXPECT_EQ(Control<QPushButton>("ABFRAGEN")->text(), "Eingänge abfragen");
    EXPECT_EQ(Fehlernummer(), 122303);
    EXPECT_TRUE(Control<ui::Led>("FEHLERLED")->isOn());
    EXPECT_TRUE(dialoge->protokoll.empty());
}

TEST_F(DirektFenster, ProtokollMitGewaehlterOderAbgebrochenerDatei) {
    Verbinden();
    Klick("DATEISPEICHERN");
    dialoge->dateien.push_back(std::nullopt);
    Klick("ABFRAGEN");
    ASSERT_TRUE(Sampelt());
    ASSERT_EQ(dialoge->Alle("Datei").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Datei")[0].titel, "Datei zum Speichern/Erweitern");
    EXPECT_FALSE(Control<ui::Led>("DATEISPEICHERNLED")->isOn());
    EXPECT_FALSE(Control<QWidget>("DATEISPEICHERN")->isEnabled());
    panel->DirektTimer_Callback();
    EXPECT_EQ(dialoge->protokoll.size(), 1u);  // no message about the cancel
    Klick("ABFRAGEN");

    // A name without its extension gets ".txt"; stopping ends the block.
    dialoge->dateien.push_back(QString::fromStdString((dir / "messung").string()));
    Klick("ABFRAGEN");
    EXPECT_TRUE(Control<ui::Led>("DATEISPEICHERNLED")->isOn());
    panel->DirektTimer_Callback();
    Klick("ABFRAGEN");
    EXPECT_FALSE(Control<ui::Led>("DATEISPEICHERNLED")->isOn());
    EXPECT_TRUE(Control<QWidget>("DATEISPEICHERN")->isEnabled());
    const std::string log = Log("messung.txt");
    EXPECT_NE(log.find("Datenerfassung gestartet\r\n"), std::string::npos);
    EXPECT_NE(log.find("24.01.2012\t14:05:09\t"), std::string::npos);
    EXPECT_TRUE(log.ends_with("\r\nDatenerfassung beendet\r\n")) << log;
}

TEST_F(DirektFenster, VerlassenBeendetDieAbfrage) {
    Verbinden();
    struct Weg {
        const char* name;
        std::function<void()> gehen;
        ui::Fenster ziel;
    };
    for (const Weg& w : {Weg{"Zurück", [&] { Klick("ZURUECK"); }, ui::Fenster::Haupt},
                         Weg{"Fenster", [&] { panel->fensterEintrag(ui::Fenster::Com)->trigger(); },
                             ui::Fenster::Com}}) {
        Klick("ABFRAGEN");
        ASSERT_TRUE(Sampelt()) << w.name;
        w.gehen();
        EXPECT_FALSE(Sampelt()) << w.name;
        ASSERT_FALSE(gezeigt.empty());
        EXPECT_EQ(gezeigt.back(), w.ziel) << w.name;
    }
}

TEST_F(DirektFenster, EscapeSetztDieAusgaengeAufPhysikalischNull) {
    Verbinden();
    config::gKonfig.outmin[1] = 1.0;
    config::gKonfig.outmax[1] = 6.0;
    config::gKonfig.outskalamax[1] = 1000.0;
    ui::NeuSkalieren();
    Board().ausgaenge = {4, 4, 4, 4};
    haupt->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(haupt.get()));
    QTest::keyClick(Control<QWidget>("AUSGAENGEAUFNULL"), Qt::Key_Escape);
    // A shortcut clicks the button the way a mouse would, a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return Board().ausgaenge[0] == 0; }, 2000));
    EXPECT_EQ(Board().ausgaenge, (std::array<double, 4>{0, 1, 0, 0}));
    EXPECT_EQ(panel->ausgang(1)->Wert(), 0.0);
    EXPECT_EQ(Fehlernummer(), 0);
}

TEST_F(DirektFenster, KnopfUnterDerBegrenzungNachNeuerSkalierung) {
    Verbinden();
    config::gKonfig.outmax[0] = 5.0;
    config::gKonfig.outskalamax[0] = 60.0;
    config::gKonfig.inskalamax[0] = 120.0;
    config::gKonfig.ineinheit[0] = "bar";
    ui::NeuSkalieren();
    const Skala& ein = panel->eingang(0)->skala();
    EXPECT_EQ(ein.hi, 120.0);
    EXPECT_EQ(ein.stellen, 2);
    EXPECT_EQ(ein.einheit, "bar");
    EXPECT_EQ(panel->ausgang(0)->skala().hi, 120.0);  // 10 V on the 0..5 V -> 0..60 scale

    Eingeben(panel->begrenzung(0), 40);
    Eingeben(panel->ausgang(0)->feld(), 50);
    EXPECT_EQ(panel->ausgang(0)->Wert(), 40.0);
    EXPECT_NEAR(Board().ausgaenge[0], 40.0 / 12.0, 5e-4);  // the line carries millivolts
    // Turning the knob to its end sends the end of its range, held below the limit.
    panel->ausgang(0)->dial()->setValue(panel->ausgang(0)->dial()->maximum());
    EXPECT_EQ(panel->ausgang(0)->Wert(), 40.0);
}

TEST_F(DirektFenster, FehlgeschlagenesLesenHaeltDenTimerAn) {
    Verbinden();
    Klick("ABFRAGEN");
    ASSERT_TRUE(Sampelt());
    leitung->StoerungSetzen(Plan(Stoerung::Nak));
    panel->DirektTimer_Callback();
    EXPECT_FALSE(Sampelt());
    EXPECT_NE(Fehlernummer(), 0);
    EXPECT_TRUE(dialoge->protokoll.empty());

    // The window keeps working: the next start samples again.
    leitung->StoerungSetzen(Plan(Stoerung::Keine));
    Klick("ABFRAGEN");
    ASSERT_TRUE(Sampelt());
    EXPECT_EQ(Fehlernummer(), 0);
    Board().ausgaenge[0] = 2.5;
    panel->DirektTimer_Callback();
    EXPECT_TRUE(Sampelt());
    EXPECT_DOUBLE_EQ(panel->eingang(0)->Wert(), 2.5);
}

TEST_F(DirektFenster, UnlesbarerModusBeendetDenStartMitSeinemGrund) {
    Verbinden();
    Klick("DATEISPEICHERN");
    dialoge->dateien.push_back(QString::fromStdString((dir / "log.txt").string()));
    // The four outputs go first, then the mode byte is asked for.
    leitung->StoerungSetzen(Plan(Stoerung::Nak, {leitung->Rahmenzahl() + 5}));
    Klick("ABFRAGEN");
    EXPECT_FALSE(Sampelt());
    EXPECT_NE(Fehlernummer(), 0);
    EXPECT_FALSE(Control<ui::Led>("DATEISPEICHERNLED")->isOn());
    EXPECT_TRUE(Control<QWidget>("DATEISPEICHERN")->isEnabled());
    const std::string log = Log();
    EXPECT_NE(log.find(" abgebrochen\r\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("24.01.2012"), std::string::npos);
}

TEST_F(DirektFenster, MinMaxNachReset) {
    Verbinden();
    Klick("ABFRAGEN");
    Board().ausgaenge = {2, 2, 2, 2};
    panel->DirektTimer_Callback();
    Board().ausgaenge[0] = 5;
    panel->DirektTimer_Callback();
    EXPECT_DOUBLE_EQ(panel->minimum(0)->Wert(), 2.0);
    EXPECT_DOUBLE_EQ(panel->maximum(0)->Wert(), 5.0);
    Klick("MINMAXRESET");
    Board().ausgaenge[0] = 3;
    panel->DirektTimer_Callback();
    EXPECT_DOUBLE_EQ(panel->minimum(0)->Wert(), 3.0);
    EXPECT_DOUBLE_EQ(panel->maximum(0)->Wert(), 3.0);
}

TEST_F(DirektFenster, DirekthilfeZeigtTexteUndSchaltetNichts) {
    Verbinden();
    ui::DirekthilfeSetzen(true);
    ui::DirekthilfeFilterInstallieren();
    dialoge->protokoll.clear();
    Klick("ABFRAGEN");
    QTest::qWait(0);
    EXPECT_FALSE(Sampelt());
    ASSERT_EQ(dialoge->Alle("Hilfe").size(), 1u);
    EXPECT_TRUE(dialoge->Alle("Hilfe")[0].text.startsWith("Schaltet die laufende Abfrage"));
    panel->pinsEintrag()->trigger();
    // As the Escape shortcut does, past the filter.
    Control<QPushButton>("AUSGAENGEAUFNULL")->click();
    EXPECT_EQ(dialoge->Alle("Meldung").size(), 0u);
    EXPECT_EQ(leitung->Rahmenzahl(), 0);

    ui::DirekthilfeSetzen(false);
    panel->pinsEintrag()->trigger();
    ASSERT_EQ(dialoge->Alle("Meldung").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Meldung")[0].titel, "MUX-6 Pinbelegung");
}

TEST_F(DirektFenster, EinstellungenHinUndZurueck) {
    Eingeben(panel->begrenzung(2), 7.25);
    QTest::mouseClick(Control<QCheckBox>("PLOT2"), Qt::LeftButton);
    EXPECT_FALSE(panel->stripchart()->SpurSichtbar(1));
    auto ini = settings::Ini_New(true);
    ui::registry().Eintrag(ui::Fenster::Direkt).iniSchreiben(*ini);

    auto* zweites = new Direktpanel(haupt.get());
    ASSERT_EQ(zweites->DirektpanelInit(), 0);
    EXPECT_TRUE(zweites->stripchart()->SpurSichtbar(1));
    ui::registry().Eintrag(ui::Fenster::Direkt).iniLesen(*ini);
    EXPECT_EQ(zweites->begrenzung(2)->Wert(), 7.25);
    EXPECT_EQ(zweites->begrenzung(0)->Wert(), kStandardgrenze);
    EXPECT_FALSE(zweites->plot(1)->isChecked());
    EXPECT_TRUE(zweites->plot(0)->isChecked());
    EXPECT_FALSE(zweites->stripchart()->SpurSichtbar(1));
}

}  // namespace
}  // namespace direct_io::test
