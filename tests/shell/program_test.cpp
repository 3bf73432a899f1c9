// The frame of the program: child switching, the "Fenster" menus, direct help
// across the windows, the size rule, the error displays, program end.
#include "shell/program.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "settings/settings_file.h"
#include "shell/info_window.h"
#include "shell/main_window.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "ui/childpanel.h"
#include "ui/error_display.h"
#include "ui/help.h"

namespace {

using shell::gMainpanel;
using ui::Fenster;

class Programm : public ::testing::Test {
  protected:
    void SetUp() override {
        shell::SchleifenendeSetzen([this] { ++beendet; });
        ASSERT_EQ(shell::FensterLaden(), 0);
        ASSERT_EQ(shell::InitialisierePanels(), 0);
        shell::PanelgroesseAendern(1);
        gMainpanel->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(gMainpanel));
    }
    void TearDown() override {
        shell::DeinitialisierePanels();
        shell::FensterEntladen();
        shell::SchleifenendeSetzen([] { QCoreApplication::exit(0); });
    }

    static ui::Childpanel* Panel(Fenster f) {
        return static_cast<ui::Childpanel*>(ui::registry().Eintrag(f).panel.data());
    }
    static QAction* Aktion(const char* name) { return gMainpanel->findChild<QAction*>(name); }
    static bool HauptknoepfeFrei() {
        for (QPushButton* k : gMainpanel->knoepfe()) {
            if (!k->isEnabled())
                return false;
        }
        return true;
    }

    testsupport::TempDir dir{true};
    testsupport::DialogScope dialoge;
    int beendet = 0;
};

TEST_F(Programm, NurComKurvenInfoEndeUndAnzeigeSichtbar) {
    for (const char* n : {"COM", "KURVEN", "INFO", "ENDE"})
        EXPECT_TRUE(gMainpanel->knopf(n)->isVisible()) << n;
    for (const char* n : {"KONFIG", "DIREKT", "KENNLINIE"})
        EXPECT_FALSE(gMainpanel->knopf(n)->isVisible()) << n;
    EXPECT_FALSE(gMainpanel->hilfeschalter()->isVisible());
    EXPECT_TRUE(gMainpanel->findChild<QWidget*>("MAINPANEL_PICTURERING")->isVisible());
    EXPECT_EQ(gMainpanel->windowTitle(), "VEK-7M Kurvengenerator");
}

TEST_F(Programm, KnopfZeigtChildUndDimmtDieHauptknoepfe) {
    QTest::mouseClick(gMainpanel->knopf("COM"), Qt::LeftButton);
    EXPECT_EQ(shell::AktuellesChildpanel(), Fenster::Com);
    EXPECT_TRUE(Panel(Fenster::Com)->isVisible());
    EXPECT_EQ(Panel(Fenster::Com)->geometry().topLeft(), QPoint(1, 17));
    for (QPushButton* k : gMainpanel->knoepfe())
        EXPECT_FALSE(k->isEnabled());

    // "Hauptfenster" hides it and frees the buttons.
    Aktion("COM_FENSTER_HAUPT")->trigger();
    EXPECT_EQ(shell::AktuellesChildpanel(), Fenster::Haupt);
    EXPECT_FALSE(Panel(Fenster::Com)->isVisible());
    EXPECT_TRUE(HauptknoepfeFrei());
}

TEST_F(Programm, AnderesChildErsetztDasErste) {
    shell::ZeigeChildpanel(Fenster::Com);
    Aktion("COM_FENSTER_KURVEN")->trigger();
    EXPECT_EQ(shell::AktuellesChildpanel(), Fenster::Kurven);
    EXPECT_FALSE(Panel(Fenster::Com)->isVisible());
    EXPECT_TRUE(Panel(Fenster::Kurven)->isVisible());
    EXPECT_FALSE(HauptknoepfeFrei());

    // The window already shown: hidden and shown again, nothing else.
    Aktion("KURVEN_FENSTER_KURVEN")->trigger();
    EXPECT_EQ(shell::AktuellesChildpanel(), Fenster::Kurven);
    EXPECT_TRUE(Panel(Fenster::Kurven)->isVisible());
    EXPECT_FALSE(HauptknoepfeFrei());

    QTest::mouseClick(gMainpanel->findChild<QPushButton*>("KURVENPNL_HAUPTFENSTER"),
                      Qt::LeftButton);
    EXPECT_EQ(shell::AktuellesChildpanel(), Fenster::Haupt);
    EXPECT_TRUE(HauptknoepfeFrei());
}

TEST_F(Programm, FenstermenuesDiesesBuilds) {
    for (const char* bar : {"COM", "KURVEN"}) {
        for (const char* weg : {"KONFIG", "DIREKT", "KENNLINIE"})
            EXPECT_EQ(Aktion((QString(bar) + "_FENSTER_" + weg).toUtf8()), nullptr) << bar << weg;
        for (const char* da : {"HAUPT", "COM", "KURVEN"})
            EXPECT_NE(Aktion((QString(bar) + "_FENSTER_" + da).toUtf8()), nullptr) << bar << da;
    }
    // The windows the operator cannot reach keep their full menu.
    EXPECT_NE(Aktion("KONFIG_FENSTER_DIREKT"), nullptr);
    EXPECT_EQ(Aktion("KURVEN_FENSTER_HAUPT")->text(), "Hauptfenster");
    EXPECT_EQ(Aktion("COM_FENSTER_COM")->text(), "COM-Einstellung");
    EXPECT_EQ(Aktion("KONFIG_FENSTER_DIREKT")->text(), "Direkte Ein-/Ausgabe");
}

TEST_F(Programm, TitelDerFenster) {
    EXPECT_EQ(Panel(Fenster::Com)->windowTitle(), "COM-Schnittstellen Einstellung");
    EXPECT_EQ(Panel(Fenster::Konfig)->windowTitle(), "Konfiguration");
    EXPECT_EQ(Panel(Fenster::Direkt)->windowTitle(), "Direkte Ein-/Ausgabe");
    EXPECT_EQ(Panel(Fenster::Kurven)->windowTitle(), "Kurvengenerator");
    EXPECT_EQ(Panel(Fenster::Kennlinie)->windowTitle(), "Kennlinienregler");
    EXPECT_EQ(ui::registry().Eintrag(Fenster::Info).panel->windowTitle(), "Info");
}

TEST_F(Programm, DirekthilfeSchluecktKlicksUndBefehle) {
    shell::ZeigeChildpanel(Fenster::Kurven);
    Aktion("KURVEN_HILFE_WASISTDAS")->trigger();
    ASSERT_EQ(ui::gHilfeAktiv, 1);
    EXPECT_TRUE(Aktion("KURVEN_HILFE_WASISTDAS")->isChecked());
    dialoge->protokoll.clear();

    // Menu commands do nothing.
    Aktion("KURVEN_FENSTER_HAUPT")->trigger();
    Aktion("KURVEN_DATEI_BEENDEN")->trigger();
    EXPECT_EQ(shell::AktuellesChildpanel(), Fenster::Kurven);
    QTest::mouseClick(gMainpanel->findChild<QPushButton*>("KURVENPNL_HAUPTFENSTER"),
                      Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(shell::AktuellesChildpanel(), Fenster::Kurven);
    ASSERT_EQ(dialoge->Alle("Hilfe").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Hilfe")[0].text, "Zurück zum Hauptfenster.");

    // The main buttons show their texts and do nothing else.
    Aktion("KURVEN_HILFE_WASISTDAS")->trigger();
    shell::ZeigeChildpanel(Fenster::Haupt);
    ui::DirekthilfeSetzen(true);
    dialoge->protokoll.clear();
    QTest::mouseClick(gMainpanel->knopf("COM"), Qt::LeftButton);
    QTest::mouseClick(gMainpanel->knopf("ENDE"), Qt::LeftButton);
    QTest::mouseClick(gMainpanel->knopf("INFO"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(shell::AktuellesChildpanel(), Fenster::Haupt);
    EXPECT_EQ(beendet, 0);
    ASSERT_EQ(dialoge->Alle("Hilfe").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Hilfe")[0].text,
              "Öffnen, Schließen und Einstellen der\nSeriellen Schnittstelle, an der das\n"
              "MUX-6 Gerät angeschlossen ist.");
    gMainpanel->close();
    EXPECT_EQ(beendet, 0);
}

TEST_F(Programm, HilfetexteDerHauptknoepfe) {
    EXPECT_EQ(gMainpanel->knopf("KURVEN")->whatsThis(),
              "Die MUX-6 kann bis zu vier unabhängige Kurven\nausgeben. Hier können die "
              "Kurvenformen erstellt\nund in die MUX-6 übertragen werden.");
    EXPECT_TRUE(gMainpanel->knopf("INFO")->whatsThis().isEmpty());
    EXPECT_TRUE(gMainpanel->knopf("ENDE")->whatsThis().isEmpty());
    EXPECT_TRUE(gMainpanel->knopf("KENNLINIE")->whatsThis().contains("bis zu 7 Kennlinien"));
}

TEST_F(Programm, ComFehlerSetzenUeberVierFenster) {
    ui::ComFehlerSetzen(-403012);
    for (const char* p : {"KURVENPNL", "COMPNL", "KENNLPNL", "DIREKTPNL"}) {
        auto* text = gMainpanel->findChild<QLineEdit*>(QString(p) + "_FEHLERSTRING");
        auto* nr = gMainpanel->findChild<QLineEdit*>(QString(p) + "_FEHLERNR");
        auto* led = gMainpanel->findChild<ui::Led*>(QString(p) + "_FEHLERLED");
        ASSERT_TRUE(text && nr && led) << p;
        EXPECT_EQ(text->text(), "Keine Antwort vom Gerät") << p;
        EXPECT_EQ(nr->text(), "403012") << p;
        EXPECT_TRUE(led->isOn()) << p;
    }
    EXPECT_EQ(gMainpanel->findChild<QWidget*>("KONFIGPNL_FEHLERLED"), nullptr);
    ui::ComFehlerSetzen(-999);
    EXPECT_EQ(gMainpanel->findChild<QLineEdit*>("COMPNL_FEHLERSTRING")->text(),
              "Es ist kein Fehler aufgetreten");
    EXPECT_EQ(gMainpanel->findChild<QLineEdit*>("COMPNL_FEHLERNR")->text(), "999");
    ui::ComFehlerSetzen(0);
    for (const char* p : {"KURVENPNL", "COMPNL", "KENNLPNL", "DIREKTPNL"}) {
        EXPECT_EQ(gMainpanel->findChild<QLineEdit*>(QString(p) + "_FEHLERSTRING")->text(), "");
        EXPECT_FALSE(gMainpanel->findChild<ui::Led*>(QString(p) + "_FEHLERLED")->isOn());
    }
}

TEST_F(Programm, EndeOhneVetoBeendetDieSchleife) {
    QTest::mouseClick(gMainpanel->knopf("ENDE"), Qt::LeftButton);
    EXPECT_EQ(beendet, 1);
    gMainpanel->close();
    EXPECT_EQ(beendet, 2);
    EXPECT_TRUE(gMainpanel->isVisible());  // the close box alone never closes it
}

TEST_F(Programm, VetosInIhrerReihenfolge) {
    std::vector<Fenster> gefragt;
    for (Fenster f : {Fenster::Direkt, Fenster::Kennlinie, Fenster::Kurven}) {
        ui::registry().Eintrag(f).abbruchWeilNichtGespeichert = [&gefragt, f] {
            gefragt.push_back(f);
            return f == Fenster::Kennlinie ? 1 : 0;
        };
    }
    EXPECT_EQ(shell::ProgrammendeFallsAllesGespeichert(), 1);
    EXPECT_EQ(gefragt, (std::vector<Fenster>{Fenster::Kurven, Fenster::Kennlinie}));
    EXPECT_EQ(beendet, 0);
    ui::registry().Eintrag(Fenster::Kennlinie).abbruchWeilNichtGespeichert = [] { return 0; };
    gefragt.clear();
    EXPECT_EQ(shell::ProgrammendeFallsAllesGespeichert(), 0);
    EXPECT_EQ(gefragt, (std::vector<Fenster>{Fenster::Kurven, Fenster::Direkt}));
    EXPECT_EQ(beendet, 1);
}

TEST_F(Programm, InfofensterBisOk) {
    auto* info = shell::gInfopanel.data();
    EXPECT_EQ(info->version()->text(), "V 1.0.1");
    EXPECT_EQ(info->datum()->text(), "01/2012");
    QTimer::singleShot(0, info, [info] {
        EXPECT_TRUE(info->isVisible());
        QTest::mouseClick(info->ok(), Qt::LeftButton);
    });
    QTest::mouseClick(gMainpanel->knopf("INFO"), Qt::LeftButton);
    EXPECT_FALSE(info->isVisible());
}

TEST(Groessenregel, BreiterZiehenVergroessertDieHoeheMit) {
    const QSize start(1000, 720);
    EXPECT_EQ(shell::GroesseNachRegel(start, {1500, 720}), QSize(1500, 1080));
    EXPECT_EQ(shell::GroesseNachRegel(start, {1000, 1080}), QSize(1500, 1080));
    EXPECT_EQ(shell::GroesseNachRegel(start, {1200, 900}), QSize(1250, 900));
    EXPECT_EQ(shell::GroesseNachRegel(start, {1001, 721}), QSize(1001, 721));
}

TEST(Groessenregel, KleinerAlsDerStartSpringtZurueck) {
    const QSize start(1000, 720);
    EXPECT_EQ(shell::GroesseNachRegel(start, {900, 720}), start);
    EXPECT_EQ(shell::GroesseNachRegel(start, {800, 500}), start);
    EXPECT_EQ(shell::GroesseNachRegel(start, start), start);
}

TEST_F(Programm, GroessenregelAmFenster) {
    const QSize start = gMainpanel->size();
    gMainpanel->resize(start.width() * 3 / 2, start.height());
    QCoreApplication::processEvents();
    EXPECT_EQ(gMainpanel->size(),
              shell::GroesseNachRegel(start, {start.width() * 3 / 2, start.height()}));
    EXPECT_GT(gMainpanel->height(), start.height());
    gMainpanel->resize(start.width() - 100, start.height() - 100);
    QCoreApplication::processEvents();
    EXPECT_EQ(gMainpanel->size(), start);
}

TEST(Programmablauf, StartOhneEinstellungsdatei) {
    testsupport::TempDir dir(true);
    testsupport::DialogScope dialoge;
    bool geprueft = false;
    const int r = shell::Programmablauf([&] {
        EXPECT_TRUE(gMainpanel->isVisible());
        EXPECT_TRUE(gMainpanel->knopf("COM")->isVisible());
        EXPECT_FALSE(gMainpanel->knopf("KONFIG")->isVisible());
        geprueft = true;
        return 0;
    });
    EXPECT_EQ(r, 0);
    EXPECT_TRUE(geprueft);
    ASSERT_GE(dialoge->Alle("Meldung").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Meldung")[0].titel, "Fehler #802201");
    EXPECT_EQ(dialoge->Alle("Meldung")[0].text, "INI-Datei nicht gefunden");
    EXPECT_TRUE(std::filesystem::exists(dir / settings::kIniDatei));
    EXPECT_TRUE(gMainpanel.isNull());
}

TEST(Programmablauf, SectionsDerFensterSortiertGeschrieben) {
    testsupport::TempDir dir(true);
    testsupport::DialogScope dialoge;
    testsupport::Schreiben(dir / settings::kIniDatei, "[kurven]\r\ndarstellung = 2\r\n");
    shell::Programmablauf([&] {
        // A section as the curve window brings it, registered after set-up.
        ui::registry().Eintrag(Fenster::Kurven).iniSchreiben = [](settings::IniText& ini) {
            settings::Ini_PutInt(ini, "kurven", "testwert", 7);
        };
        return 0;
    });
    EXPECT_TRUE(dialoge->Alle("Meldung").empty());
    const std::string text = testsupport::Lesen(dir / settings::kIniDatei);
    EXPECT_NE(text.find("[kurven]\r\ntestwert = 7\r\n\r\n"), std::string::npos);
    EXPECT_NE(text.find("[com]\r\n"), std::string::npos);
    // Sections sorted, every line ended by CR LF.
    std::vector<std::string> sections;
    for (std::size_t i = 0; (i = text.find("\r\n[", i)) != std::string::npos; ++i)
        sections.push_back(text.substr(i + 3, text.find(']', i) - i - 3));
    if (text.starts_with("["))
        sections.insert(sections.begin(), text.substr(1, text.find(']') - 1));
    EXPECT_TRUE(std::is_sorted(sections.begin(), sections.end())) << text;
    EXPECT_GE(sections.size(), 2u);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(text[i - 1], '\r') << i;
        }
    }
}

TEST_F(Programm, HilfeboxImUnterenRechtenViertel) {
    // The box opens above and to the left of a mouse in the lower right quarter.
    const QPoint maus(gMainpanel->width() - 40, gMainpanel->height() - 30);
    QCursor::setPos(gMainpanel->mapToGlobal(maus));
    QCoreApplication::processEvents();
    const QPoint gelesen = gMainpanel->mapFromGlobal(QCursor::pos());
    ASSERT_EQ(gelesen, maus) << "the platform did not move the pointer";
    ui::Hilfetext("Ein Hilfetext\nmit zwei Zeilen");
    ASSERT_EQ(dialoge->Alle("Hilfe").size(), 1u);
    const QSize box = ui::HilfeboxGroesse("Ein Hilfetext\nmit zwei Zeilen");
    EXPECT_EQ(dialoge->Alle("Hilfe")[0].ort, maus - QPoint(box.width(), box.height()));

    QCursor::setPos(gMainpanel->mapToGlobal(QPoint(30, 40)));
    ui::Hilfetext("oben links");
    EXPECT_EQ(dialoge->Alle("Hilfe")[1].ort, QPoint(30, 40));
}

TEST(Programmablauf, DeutscheLocaleSchreibtDieselbeEinstellungsdatei) {
    auto lauf = [](const char* locale) {
        testsupport::TempDir dir(true);
        testsupport::DialogScope dialoge;
        testsupport::LocaleScope scope(locale);
        EXPECT_TRUE(scope.ok()) << locale << " is not generated (scripts/bootstrap does it)";
        testsupport::Schreiben(dir / settings::kIniDatei,
                               "[konfig]\r\nvoutmax = 7.25\r\noutmin1 = -0.5\r\n"
                               "outeinheit2 = \"\xB5\x41\"\r\n[com]\r\nadresse = 38\r\n");
        shell::Programmablauf([] { return 0; });
        return testsupport::Lesen(dir / settings::kIniDatei);
    };
    const std::string c = lauf("C");
    const std::string de = lauf("de_DE.UTF-8");
    EXPECT_EQ(de, c);
    EXPECT_NE(c.find("adresse = 38\r\n"), std::string::npos);
    EXPECT_EQ(c.find(','), std::string::npos) << c;
}

}  // namespace
