// The window "Konfiguration": controls and texts, showing and reading without
// changing a value, the start-up presets with the settings section, the
// defaults question, leaving the window, the "Datei" menu and direct help.
#include "config/window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <string>
#include <vector>

#include "config/files.h"
#include "settings/settings.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "ui/help.h"
#include "ui/qt_dialogs.h"
#include "ui/registry.h"

namespace {

using namespace config;

const QString kHilfeAusgang = QString::fromUtf8(
    "Die Spannungen der Ausgänge der MUX-6 können innerhalb von \nMUX6-Steuerung in andere "
    "physikalische Größen umgerechnet \nwerden. Das ist nützlich, wenn mit der MUX-6 ein anderes "
    "Gerät \ngesteuert wird.\nBeispiel:\nWenn an Ausgang 1 ein 0-60 Volt Netzgerät angeschlossen "
    "ist, das \neine Steuerspannung von 0-5 Volt erwartet, so muß für Ausgang 1 \nfolgendes "
    "eingestellt werden:\n'Ausgang 1 von 0.0 bis 5.0 V wird umgerechnet in 0.000 bis 60.000 V'");
const QString kHilfeEingang = QString::fromUtf8(
    "Die Spannungen der Eingänge der MUX-6 können innerhalb von \nMUX6-Steuerung in andere "
    "physikalische Größen umgerechnet \nwerden. Das ist nützlich, wenn mit der MUX-6 z.B. ein "
    "Sensor \nabgefragt wird.\nBeispiel:\nWenn an Eingang 1 ein 0-1000 mBar Drucksensor "
    "angeschlossen ist, \nder eine Ausgangsspannung von 1-6 Volt liefert, so muß für Eingang 1 "
    "\nfolgendes eingestellt werden:\n'Eingang 1 von 1.0 bis 6.0 V wird umgerechnet in 0.000 bis "
    "1000.000 mBar'");
const QString kHilfeStandardwerte =
    QString::fromUtf8("Setzt alle Eingabefelder auf die Standardwerte\n( 0 bis 10V ) zurück.");

class Konfigfenster : public ::testing::Test {
  protected:
    testsupport::DialogScope dialoge;
    std::unique_ptr<QWidget> haupt = std::make_unique<QWidget>();
    Konfigpanel* panel = nullptr;
    std::vector<std::string> ablauf;  // what the shell and the other windows saw

    void SetUp() override {
        ui::gHilfeAktiv = 0;
        StandardwerteSetzen();
        ui::registry().Eintrag(ui::Fenster::Haupt).panel = haupt.get();
        haupt->resize(1000, 720);
        panel = new Konfigpanel(haupt.get());
        ui::registry().Shell().zeigeChildpanel = [this](ui::Fenster f) {
            ablauf.push_back("zeigen " + std::to_string(static_cast<int>(f)) + " voutmax " +
                             std::to_string(gKonfig.voutmax));
        };
        ui::registry().Eintrag(ui::Fenster::Kurven).neuSkalieren = [this] {
            ablauf.push_back("kurven " + std::to_string(gKonfig.voutmax));
        };
        ui::registry().Eintrag(ui::Fenster::Kennlinie).neuSkalieren = [this] {
            ablauf.push_back("kennlinie " + std::to_string(gKonfig.voutmax));
        };
        ui::registry().Eintrag(ui::Fenster::Direkt).neuSkalieren = [this] {
            ablauf.push_back("direkt " + std::to_string(gKonfig.voutmax));
        };
    }

    void TearDown() override {
        if (ui::gHilfeAktiv)
            ui::DirekthilfeSetzen(false);
        haupt.reset();
        ui::registry().Leeren();
        StandardwerteSetzen();
    }

    template <typename T>
    T* Feld(const QString& name) {
        T* f = panel->findChild<T*>(name);
        EXPECT_NE(f, nullptr) << name.toStdString();
        return f;
    }
    ui::Zahlfeld* Zahl(const QString& name) { return Feld<ui::Zahlfeld>(name); }
    Einheitfeld* Einheit(const QString& name) { return Feld<Einheitfeld>(name); }

    QAction* Aktion(const QString& name) {
        QAction* a = panel->findChild<QAction*>(name);
        EXPECT_NE(a, nullptr) << name.toStdString();
        return a;
    }

    // Reads the window into gKonfig and gives what it read.
    Konfig Gelesen() {
        panel->KonfigurationLesen();
        return gKonfig;
    }
};

// Typed character by character, as a keyboard would (QTest knows only ASCII keys).
void Tippen(QWidget* w, const QString& text) {
    for (QChar c : text) {
        QKeyEvent druck(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &druck);
        QKeyEvent los(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &los);
    }
}

Konfig Beispiel() {
    Konfig k;
    k.voutmax = 5.0;
    k.vinmax = 4.095;
    for (std::size_t i = 0; i < kKanaele; ++i) {
        k.outmin[i] = 1.0 / 3.0 + static_cast<double>(i);
        k.outmax[i] = 9.876543210123;
        k.outskalamin[i] = -123456.7890123;
        k.outskalamax[i] = 1e-7 * static_cast<double>(i + 1);
        k.inmin[i] = -2.5 - static_cast<double>(i);
        k.inmax[i] = 20.0 + 0.1;
        k.inskalamin[i] = 0.1 + 0.2;  // 0.30000000000000004
        k.inskalamax[i] = 1000.0 / 7.0;
    }
    k.outeinheit = {"12345678", "µA", "mBar", ""};
    k.ineinheit = {"°C", "ÄÖÜäöüß€", "V", "%"};
    return k;
}

// ---- Controls --------------------------------------------------------------------

TEST_F(Konfigfenster, JederKanalHatSeineSteuerelementeUndHilfetexte) {
    for (const char* art : {"OUT", "IN"}) {
        const bool aus = QString(art) == "OUT";
        for (int i = 1; i <= 4; ++i) {
            const QString n = QString::number(i);
            for (const QString& name : {"KONFIGPNL_SPANNUNG_" + QString(art) + "MIN" + n,
                                        "KONFIGPNL_SPANNUNG_" + QString(art) + "MAX" + n,
                                        "KONFIGPNL_SKALA" + QString(art) + "MIN" + n,
                                        "KONFIGPNL_SKALA" + QString(art) + "MAX" + n}) {
                ui::Zahlfeld* f = Zahl(name);
                ASSERT_NE(f, nullptr);
                EXPECT_EQ(f->whatsThis(), aus ? kHilfeAusgang : kHilfeEingang)
                    << name.toStdString();
            }
            Einheitfeld* e = Einheit("KONFIGPNL_EINHEIT" + QString(art) + n);
            ASSERT_NE(e, nullptr);
            EXPECT_EQ(e->maxLength(), 8);
            EXPECT_EQ(
                e->whatsThis(),
                QString::fromUtf8(aus ? "Die Bezeichnung der Einheit für die Ausgangsgröße."
                                      : "Die Bezeichnung der Einheit für die Eingangsgröße."));
        }
    }
    auto* ring = Feld<Bereichsring>("KONFIGPNL_AUSGANGSBEREICH");
    ASSERT_NE(ring, nullptr);
    EXPECT_EQ(ring->whatsThis(),
              QString::fromUtf8("Die MUX-6 Box ist mit 0-10V, 0-5V oder 0-4V Ausgängen\nerhältlich "
                                "(unterschiedliche Hardware). Welche Box benutzt\nwird, muss hier "
                                "eingestellt werden."));
    auto* ering = Feld<Bereichsring>("KONFIGPNL_EINGANGSBEREICH");
    ASSERT_NE(ering, nullptr);
    EXPECT_EQ(ering->whatsThis(),
              QString::fromUtf8("Die MUX-6 Box ist mit 0-10V, 0-5V oder 0-4V Eingängen\nerhältlich "
                                "(unterschiedliche Hardware). Welche Box benutzt\nwird, muss hier "
                                "eingestellt werden."));
    for (Bereichsring* r : {ring, ering}) {
        ASSERT_EQ(r->count(), 3);
        EXPECT_EQ(r->itemText(0), "0 - 4.095 V");
        EXPECT_EQ(r->itemText(1), "0 - 5 V");
        EXPECT_EQ(r->itemText(2), "0 - 10 V");
    }
    auto* standard = Feld<QPushButton>("KONFIGPNL_STANDARDWERTE");
    ASSERT_NE(standard, nullptr);
    EXPECT_EQ(standard->whatsThis(), kHilfeStandardwerte);
    auto* zurueck = Feld<QPushButton>("KONFIGPNL_HAUPTFENSTER");
    ASSERT_NE(zurueck, nullptr);
    EXPECT_TRUE(zurueck->whatsThis().isEmpty());
    EXPECT_NE(panel->findChild<QWidget*>("KONFIGPNL_PICTURERING"), nullptr);
    EXPECT_NE(panel->findChild<QToolButton*>("KONFIGPNL_DIREKTHILFE"), nullptr);
    EXPECT_EQ(panel->windowTitle(), "Konfiguration");
}

TEST_F(Konfigfenster, ZeilenLesenSichAlsSatz) {
    std::vector<QString> texte;
    for (QLabel* l : panel->findChildren<QLabel*>())
        texte.push_back(l->text());
    auto hat = [&texte](const QString& t) {
        return std::find(texte.begin(), texte.end(), t) != texte.end();
    };
    for (int i = 1; i <= 4; ++i) {
        EXPECT_TRUE(hat(QString("MUX-6 Ausgang %1 von").arg(i)));
        EXPECT_TRUE(hat(QString("MUX-6 Eingang %1 von").arg(i)));
    }
    EXPECT_TRUE(hat("V wird umgerechnet in"));
    EXPECT_TRUE(hat("bis"));
    std::vector<QString> gruppen;
    for (QWidget* w : panel->findChildren<QWidget*>()) {
        if (w->inherits("QGroupBox"))
            gruppen.push_back(w->property("title").toString());
    }
    EXPECT_NE(
        std::find(gruppen.begin(), gruppen.end(), QString::fromUtf8("Skalierung der Ausgänge")),
        gruppen.end());
    EXPECT_NE(
        std::find(gruppen.begin(), gruppen.end(), QString::fromUtf8("Skalierung der Eingänge")),
        gruppen.end());
}

TEST_F(Konfigfenster, DateimenueVorBeenden) {
    const QList<QAction*> a = panel->dateiMenue()->actions();
    ASSERT_GE(a.size(), 3);
    EXPECT_EQ(a[0]->objectName(), "KONFIG_DATEI_LADEN");
    EXPECT_EQ(a[0]->text(), "Konfigurationsdatei laden");
    EXPECT_EQ(a[1]->objectName(), "KONFIG_DATEI_SPEICHERN");
    EXPECT_EQ(a[1]->text(), "Konfigurationsdatei speichern");
    EXPECT_EQ(a.last()->objectName(), "KONFIG_DATEI_BEENDEN");
    for (QAction* x : a)
        EXPECT_TRUE(x->whatsThis().isEmpty()) << x->objectName().toStdString();
    for (QAction* x : panel->fensterMenue()->actions())
        EXPECT_TRUE(x->whatsThis().isEmpty()) << x->objectName().toStdString();
    EXPECT_EQ(panel->fensterMenue()->actions().size(), 6);
}

// ---- Showing and reading -------------------------------------------------------------

TEST_F(Konfigfenster, ZeigenUndLesenAendertKeinenWert) {
    const Konfig k = Beispiel();
    gKonfig = k;
    panel->KonfigurationAnzeigen();
    EXPECT_EQ(KonfigurationenVergleichen(Gelesen(), k), 1);
    // Shown again and read again: still the same.
    panel->KonfigurationAnzeigen();
    EXPECT_EQ(KonfigurationenVergleichen(Gelesen(), k), 1);
    EXPECT_EQ(gKonfig.inskalamin[0], 0.1 + 0.2);
    EXPECT_EQ(Einheit("KONFIGPNL_EINHEITOUT2")->text(), QString::fromUtf8("µA"));
    EXPECT_EQ(Einheit("KONFIGPNL_EINHEITIN2")->text(), QString::fromUtf8("ÄÖÜäöüß€"));
}

TEST_F(Konfigfenster, WertAusserhalbDesFeldbereichsBleibtUndWirdGezeigt) {
    Konfig k;
    k.outmin[0] = -3.0;  // the output fields keep to 0..10 for the operator
    k.outmax[0] = 12.5;
    k.inskalamax[2] = 1e300;
    gKonfig = k;
    panel->KonfigurationAnzeigen();
    EXPECT_EQ(Zahl("KONFIGPNL_SPANNUNG_OUTMIN1")->value(), -3.0);
    EXPECT_EQ(Zahl("KONFIGPNL_SPANNUNG_OUTMAX1")->value(), 12.5);
    EXPECT_EQ(KonfigurationenVergleichen(Gelesen(), k), 1);
}

TEST_F(Konfigfenster, VollspannungOhneRingeintragBleibtErhalten) {
    Konfig k;
    k.voutmax = 7.0;
    k.vinmax = 4.096;
    gKonfig = k;
    panel->KonfigurationAnzeigen();
    EXPECT_EQ(panel->ausgangsbereich()->currentText(), "0 - 7 V");
    EXPECT_EQ(panel->eingangsbereich()->currentText(), "0 - 4.096 V");
    EXPECT_EQ(Gelesen().voutmax, 7.0);
    EXPECT_EQ(gKonfig.vinmax, 4.096);
    // A standard value removes the extra item again.
    gKonfig.voutmax = 5.0;
    panel->KonfigurationAnzeigen();
    EXPECT_EQ(panel->ausgangsbereich()->count(), 3);
    EXPECT_EQ(panel->ausgangsbereich()->currentText(), "0 - 5 V");
}

TEST_F(Konfigfenster, EingabenDesBedienersWerdenGelesen) {
    gKonfig = Beispiel();
    panel->KonfigurationAnzeigen();
    ui::Zahlfeld* f = Zahl("KONFIGPNL_SKALAOUTMAX3");
    f->setFocus();
    f->selectAll();
    QTest::keyClicks(f, "60");
    Einheitfeld* e = Einheit("KONFIGPNL_EINHEITIN4");
    e->selectAll();
    QTest::keyClicks(e, "mBar");
    panel->ausgangsbereich()->setFocus();
    QTest::keyClick(panel->ausgangsbereich(), Qt::Key_Down);  // 5 V -> 10 V
    const Konfig k = Gelesen();
    EXPECT_EQ(k.outskalamax[2], 60.0);
    EXPECT_EQ(k.ineinheit[3], "mBar");
    EXPECT_EQ(k.voutmax, 10.0);
    // Everything else as it was shown.
    Konfig erwartet = Beispiel();
    erwartet.outskalamax[2] = 60.0;
    erwartet.ineinheit[3] = "mBar";
    erwartet.voutmax = 10.0;
    EXPECT_EQ(KonfigurationenVergleichen(k, erwartet), 1);
}

TEST_F(Konfigfenster, EinheitNimmtNurWindows1252UndAchtZeichen) {
    Einheitfeld* e = Einheit("KONFIGPNL_EINHEITOUT1");
    e->clear();
    Tippen(e, QString::fromUtf8("µΩ€"));  // Ω is not in Windows-1252
    EXPECT_EQ(e->text(), QString::fromUtf8("µ€"));
    QTest::keyClicks(e, "123456789");
    EXPECT_EQ(e->text().size(), 8);
    EXPECT_EQ(Gelesen().outeinheit[0], "µ€123456");
}

TEST_F(Konfigfenster, KonfigurationSetzenZeigtImFenster) {
    const Konfig k = Beispiel();
    KonfigurationSetzen(k);
    EXPECT_EQ(panel->ausgangsbereich()->currentText(), "0 - 5 V");
    EXPECT_EQ(Einheit("KONFIGPNL_EINHEITOUT1")->text(), "12345678");
    StandardwerteSetzen();
    EXPECT_EQ(KonfigurationenVergleichen(Gelesen(), k), 1);
}

// ---- Start-up with the settings file -----------------------------------------------

TEST_F(Konfigfenster, StartMitVoutmaxZehnZeigtDieVorbelegung) {
    settings::IniText datei;
    settings::Ini_ReadFromText(datei,
                               "[konfig]\r\nvoutmax = 10\r\noutmax0 = 10\r\noutskalamax0 = 10\r\n"
                               "outeinheit0 = \"V\"\r\nineinheit1 = \"mBar\"\r\ninmin1 = 1\r\n");
    const auto& eintrag = ui::registry().Eintrag(ui::Fenster::Konfig);
    ASSERT_TRUE(eintrag.iniLesen);
    ASSERT_TRUE(eintrag.iniSchreiben);
    eintrag.iniLesen(datei);
    EXPECT_EQ(Einheit("KONFIGPNL_EINHEITIN2")->text(), "mBar") << "the reader shows the record";
    panel->InitialisiereKonfigPanel();

    EXPECT_EQ(panel->ausgangsbereich()->currentText(), "0 - 4.095 V");
    EXPECT_EQ(Zahl("KONFIGPNL_SPANNUNG_OUTMIN1")->value(), 0.0);
    EXPECT_EQ(Zahl("KONFIGPNL_SPANNUNG_OUTMAX1")->value(), 4.095);
    EXPECT_EQ(Zahl("KONFIGPNL_SKALAOUTMIN1")->value(), 0.0);
    EXPECT_EQ(Zahl("KONFIGPNL_SKALAOUTMAX1")->value(), 4.095);
    EXPECT_EQ(Einheit("KONFIGPNL_EINHEITOUT1")->text(), "A");
    // gKonfig keeps the file's values until the window is read.
    EXPECT_EQ(gKonfig.voutmax, 10.0);
    EXPECT_EQ(gKonfig.outmax[0], 10.0);
    EXPECT_EQ(gKonfig.outeinheit[0], "V");

    settings::IniText ende;
    eintrag.iniSchreiben(ende);
    double d = 0;
    ASSERT_EQ(settings::Ini_GetDouble(ende, "konfig", "voutmax", d), 1);
    EXPECT_EQ(d, 4.095);
    ASSERT_EQ(settings::Ini_GetDouble(ende, "konfig", "outmax0", d), 1);
    EXPECT_EQ(d, 4.095);
    ASSERT_EQ(settings::Ini_GetDouble(ende, "konfig", "outskalamax0", d), 1);
    EXPECT_EQ(d, 4.095);
    std::string einheit;
    ASSERT_EQ(settings::Ini_GetRawStringIntoBuffer(ende, "konfig", "outeinheit0", einheit, 9), 1);
    EXPECT_EQ(einheit, "A");
    // The rest of the file's record survives the run.
    ASSERT_EQ(settings::Ini_GetDouble(ende, "konfig", "inmin1", d), 1);
    EXPECT_EQ(d, 1.0);
    ASSERT_EQ(settings::Ini_GetRawStringIntoBuffer(ende, "konfig", "ineinheit1", einheit, 9), 1);
    EXPECT_EQ(einheit, "mBar");
    EXPECT_EQ(gKonfig.voutmax, 4.095) << "writing read the window first";
    EXPECT_NE(settings::Ini_ToText(ende).find("voutmax = 4.095\r\n"), std::string::npos);
}

TEST_F(Konfigfenster, EinstellungenLesenSetztErstStandardwerte) {
    gKonfig = Beispiel();
    settings::IniText datei;
    settings::Ini_ReadFromText(datei, "[konfig]\nvinmax = 5\nouteinheit2 = \"\xB5V\"\n");
    ui::registry().Eintrag(ui::Fenster::Konfig).iniLesen(datei);
    EXPECT_EQ(gKonfig.vinmax, 5.0);
    EXPECT_EQ(gKonfig.voutmax, 10.0);
    EXPECT_EQ(gKonfig.outmin[0], 0.0);
    EXPECT_EQ(gKonfig.outeinheit[2], "µV");
    EXPECT_EQ(gKonfig.outeinheit[0], "") << "a missing unit key gives an empty unit";
    EXPECT_EQ(Einheit("KONFIGPNL_EINHEITOUT3")->text(), QString::fromUtf8("µV"));
    EXPECT_EQ(panel->eingangsbereich()->currentText(), "0 - 5 V");
}

TEST_F(Konfigfenster, EinstellungenSchreibenInWindows1252) {
    gKonfig = Beispiel();
    panel->KonfigurationAnzeigen();
    settings::IniText ende;
    ui::registry().Eintrag(ui::Fenster::Konfig).iniSchreiben(ende);
    const std::string text = settings::Ini_ToText(ende);
    EXPECT_NE(text.find("outeinheit1 = \"\xB5"
                        "A\"\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("outeinheit0 = \"12345678\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("ineinheit1 = \"\xC4\xD6\xDC\xE4\xF6\xFC\xDF\x80\"\r\n"),
              std::string::npos);
    // Read back by a fresh start: the same record.
    settings::IniText wieder;
    settings::Ini_ReadFromText(wieder, text);
    StandardwerteSetzen();
    ui::registry().Eintrag(ui::Fenster::Konfig).iniLesen(wieder);
    for (std::size_t i = 0; i < kKanaele; ++i) {
        EXPECT_EQ(gKonfig.outeinheit[i], Beispiel().outeinheit[i]);
        EXPECT_EQ(gKonfig.ineinheit[i], Beispiel().ineinheit[i]);
    }
}

// ---- Defaults ----------------------------------------------------------------------

TEST_F(Konfigfenster, StandardwerteNeinAendertNichts) {
    gKonfig = Beispiel();
    panel->KonfigurationAnzeigen();
    Zahl("KONFIGPNL_SKALAINMAX1")->setValue(77.0);  // an edit not yet read
    dialoge->antworten = {2};
    panel->Konfigbuttons_Callback(Konfigpanel::Knopf::Standardwerte);
    const auto fragen = dialoge->Alle("Frage");
    ASSERT_EQ(fragen.size(), 1u);
    EXPECT_EQ(fragen[0].titel, QString::fromUtf8("Werte zurücksetzen"));
    EXPECT_EQ(
        fragen[0].text,
        QString::fromUtf8("Wollen Sie alle Werte löschen und\nauf Standardwerte zurücksetzen?"));
    EXPECT_EQ(fragen[0].knoepfe, (QStringList{"Ja", "Nein"}));
    EXPECT_EQ(KonfigurationenVergleichen(gKonfig, Beispiel()), 1);
    Konfig erwartet = Beispiel();
    erwartet.inskalamax[0] = 77.0;
    EXPECT_EQ(KonfigurationenVergleichen(Gelesen(), erwartet), 1);
}

TEST_F(Konfigfenster, StandardwerteGeschlossenAendertNichts) {
    gKonfig = Beispiel();
    panel->KonfigurationAnzeigen();
    dialoge->antworten = {0};
    panel->Konfigbuttons_Callback(Konfigpanel::Knopf::Standardwerte);
    EXPECT_EQ(KonfigurationenVergleichen(Gelesen(), Beispiel()), 1);
}

TEST_F(Konfigfenster, StandardwerteJaSetztUndZeigt) {
    gKonfig = Beispiel();
    panel->KonfigurationAnzeigen();
    dialoge->antworten = {1};
    QTest::mouseClick(panel->standardwerteKnopf(), Qt::LeftButton);
    EXPECT_EQ(KonfigurationenVergleichen(gKonfig, Konfig{}), 1);
    EXPECT_EQ(panel->ausgangsbereich()->currentText(), "0 - 10 V");
    EXPECT_EQ(KonfigurationenVergleichen(Gelesen(), Konfig{}), 1);
    EXPECT_TRUE(ablauf.empty()) << "the other windows are rescaled only when leaving";
}

struct Taste {
    Qt::Key taste;
    bool zurueckgesetzt;
};

class StandardwerteTaste : public Konfigfenster, public ::testing::WithParamInterface<Taste> {};

// The real question box: Enter takes "Ja", Escape "Nein".
TEST_P(StandardwerteTaste, WaehltDenKnopfDerTaste) {
    ui::DialogeSetzen(std::make_unique<ui::QtDialogs>());
    gKonfig = Beispiel();
    panel->KonfigurationAnzeigen();
    const auto [taste, zurueck] = GetParam();
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, taste, zurueck] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer->stop();
        timer->deleteLater();
        QTest::keyClick(box, taste);
        // A key the box ignores must not hang the test: the other answer ends it.
        if (box->isVisible())
            box->buttons().value(zurueck ? 1 : 0)->click();
    });
    timer->start();
    panel->Konfigbuttons_Callback(Konfigpanel::Knopf::Standardwerte);
    EXPECT_EQ(KonfigurationenVergleichen(Gelesen(), zurueck ? Konfig{} : Beispiel()), 1);
}

INSTANTIATE_TEST_SUITE_P(Tasten, StandardwerteTaste,
                         ::testing::Values(Taste{Qt::Key_Escape, false},
                                           Taste{Qt::Key_Return, true}));

// ---- Leaving -------------------------------------------------------------------------

TEST_F(Konfigfenster, HauptfensterKnopfLiestDannSkaliertDannZeigt) {
    panel->InitialisiereKonfigPanel();
    ASSERT_EQ(gKonfig.voutmax, 10.0);
    QTest::mouseClick(panel->zurueckKnopf(), Qt::LeftButton);
    const std::vector<std::string> erwartet = {"kurven 4.095000", "kennlinie 4.095000",
                                               "direkt 4.095000", "zeigen 0 voutmax 4.095000"};
    EXPECT_EQ(ablauf, erwartet);
}

TEST_F(Konfigfenster, FenstermenueZeigtDannLiestUndSkaliert) {
    panel->InitialisiereKonfigPanel();
    panel->fensterEintrag(ui::Fenster::Kurven)->trigger();
    const std::vector<std::string> erwartet = {"zeigen 4 voutmax 10.000000", "kurven 4.095000",
                                               "kennlinie 4.095000", "direkt 4.095000"};
    EXPECT_EQ(ablauf, erwartet);
    ablauf.clear();
    panel->fensterEintrag(ui::Fenster::Konfig)->trigger();
    EXPECT_EQ(ablauf.size(), 4u) << "choosing this window itself reads it likewise";
}

TEST_F(Konfigfenster, VerlassenTutBeiDirekthilfeNichts) {
    panel->InitialisiereKonfigPanel();
    ui::gHilfeAktiv = 1;
    panel->Konfigbuttons_Callback(Konfigpanel::Knopf::Hauptfenster);
    panel->fensterEintrag(ui::Fenster::Haupt)->trigger();
    EXPECT_TRUE(ablauf.empty());
    EXPECT_EQ(gKonfig.voutmax, 10.0);
    EXPECT_TRUE(dialoge->protokoll.empty()) << "the back button has no help text";
}

// ---- Direct help -------------------------------------------------------------------

TEST_F(Konfigfenster, DirekthilfeStandardwerteZeigtNurDenText) {
    gKonfig = Beispiel();
    panel->KonfigurationAnzeigen();
    ui::gHilfeAktiv = 1;
    panel->Konfigbuttons_Callback(Konfigpanel::Knopf::Standardwerte);
    const auto hilfe = dialoge->Alle("Hilfe");
    ASSERT_EQ(hilfe.size(), 1u);
    EXPECT_EQ(hilfe[0].text, kHilfeStandardwerte);
    EXPECT_TRUE(dialoge->Alle("Frage").empty());
    EXPECT_EQ(KonfigurationenVergleichen(gKonfig, Beispiel()), 1);
}

TEST_F(Konfigfenster, DirekthilfeLaesstKeineAenderungZu) {
    gKonfig = Beispiel();
    panel->KonfigurationAnzeigen();
    ui::gHilfeAktiv = 1;
    ui::Zahlfeld* f = Zahl("KONFIGPNL_SPANNUNG_INMAX2");
    f->setValue(3.0);  // e.g. the mouse wheel, which the help filter lets through
    EXPECT_EQ(f->value(), Beispiel().inmax[1]) << "the control shows its value again";
    Einheitfeld* e = Einheit("KONFIGPNL_EINHEITOUT3");
    emit e->textEdited("xyz");
    EXPECT_EQ(e->text(), "mBar");
    emit panel->ausgangsbereich()->activated(2);
    ui::gHilfeAktiv = 0;
    EXPECT_EQ(KonfigurationenVergleichen(Gelesen(), Beispiel()), 1);
}

TEST_F(Konfigfenster, DateimenueTutBeiDirekthilfeNichts) {
    ui::gHilfeAktiv = 1;
    panel->ladenEintrag()->trigger();
    panel->speichernEintrag()->trigger();
    EXPECT_TRUE(dialoge->protokoll.empty());
}

TEST_F(Konfigfenster, HilfeschalterSchaltetDenModus) {
    auto* schalter = panel->findChild<QToolButton*>("KONFIGPNL_DIREKTHILFE");
    ASSERT_NE(schalter, nullptr);
    QTest::mouseClick(schalter, Qt::LeftButton);
    EXPECT_TRUE(ui::gHilfeAktiv);
    const auto hilfe = dialoge->Alle("Hilfe");
    ASSERT_EQ(hilfe.size(), 1u);
    EXPECT_EQ(hilfe[0].text, QString::fromUtf8(ui::kHilfeEingeschaltet));
    QTest::mouseClick(schalter, Qt::LeftButton);
    EXPECT_FALSE(ui::gHilfeAktiv);
}

TEST_F(Konfigfenster, KlickImHilfemodusZeigtDenTextDesFelds) {
    ui::DirekthilfeFilterInstallieren();
    haupt->show();
    ui::registry().Shell().zeigeChildpanel = {};
    panel->show();
    ui::DirekthilfeSetzen(true);
    dialoge->protokoll.clear();
    ui::Zahlfeld* f = Zahl("KONFIGPNL_SKALAINMIN3");
    const double vorher = f->value();
    QTest::mouseClick(f, Qt::LeftButton);
    QApplication::processEvents();
    const auto hilfe = dialoge->Alle("Hilfe");
    ASSERT_EQ(hilfe.size(), 1u);
    EXPECT_EQ(hilfe[0].text, kHilfeEingang);
    EXPECT_EQ(f->value(), vorher);
}

// ---- The "Datei" menu ----------------------------------------------------------------

TEST_F(Konfigfenster, SpeichernUndLadenUeberDasMenue) {
    testsupport::TempDir dir;
    gKonfig = Beispiel();
    panel->KonfigurationAnzeigen();
    Zahl("KONFIGPNL_SKALAOUTMIN4")->setValue(-5.5);  // read when saving
    const QString ohneEndung = QString::fromStdString((dir / "probe").string());
    dialoge->dateien = {ohneEndung};
    panel->speichernEintrag()->trigger();
    const auto gefragt = dialoge->Alle("Datei");
    ASSERT_EQ(gefragt.size(), 1u);
    EXPECT_EQ(gefragt[0].titel, "Konfiguration speichern");
    EXPECT_EQ(gefragt[0].knoepfe, QStringList{"*.sko"});
    EXPECT_TRUE(dialoge->Alle("Meldung").empty());
    const auto datei = dir / "probe.sko";
    ASSERT_TRUE(std::filesystem::exists(datei)) << "the extension is enforced";
    EXPECT_EQ(std::filesystem::file_size(datei), 392u);
    Konfig erwartet = Beispiel();
    erwartet.outskalamin[3] = -5.5;
    EXPECT_EQ(KonfigurationenVergleichen(gKonfig, erwartet), 1);

    StandardwerteSetzen();
    panel->KonfigurationAnzeigen();
    dialoge->dateien = {QString::fromStdString(datei.string())};
    panel->ladenEintrag()->trigger();
    EXPECT_EQ(dialoge->Alle("Datei").back().titel, "Konfiguration laden");
    EXPECT_TRUE(dialoge->Alle("Meldung").empty());
    EXPECT_EQ(KonfigurationenVergleichen(gKonfig, erwartet), 1);
    EXPECT_EQ(KonfigurationenVergleichen(Gelesen(), erwartet), 1) << "and the window shows it";
    EXPECT_TRUE(ablauf.empty()) << "the other windows are rescaled only when leaving";
}

TEST_F(Konfigfenster, AbbrechenTutNichts) {
    gKonfig = Beispiel();
    panel->KonfigurationAnzeigen();
    EXPECT_EQ(panel->KonfigurationLaden(), 0);
    EXPECT_EQ(panel->KonfigurationSpeichern(), 0);
    EXPECT_EQ(dialoge->Alle("Datei").size(), 2u);
    EXPECT_TRUE(dialoge->Alle("Meldung").empty());
    EXPECT_EQ(KonfigurationenVergleichen(gKonfig, Beispiel()), 1);
}

TEST_F(Konfigfenster, BeschaedigteDateiWirdMitWarnungGeladen) {
    testsupport::TempDir dir;
    std::vector<std::uint8_t> bild = KonfigDateiBild(Beispiel());
    std::fill_n(bild.begin() + 48, 8, 0xFF);  // output 1's lower voltage: no number
    testsupport::Schreiben(dir / "d.sko", std::string(bild.begin(), bild.end()));
    const QString pfad = QString::fromStdString((dir / "d.sko").string());
    dialoge->dateien = {pfad};
    EXPECT_EQ(panel->KonfigurationLaden(), 0);
    const auto meldungen = dialoge->Alle("Meldung");
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_EQ(meldungen[0].titel, "Warnung");
    EXPECT_TRUE(meldungen[0].text.contains(pfad));
    Konfig erwartet = Beispiel();
    erwartet.outmin[0] = Konfig{}.outmin[0];
    EXPECT_EQ(KonfigurationenVergleichen(gKonfig, erwartet), 1) << "the rest is the file's";
}

TEST_F(Konfigfenster, FehlgeschlagenesLadenAendertNichtsUndMeldet) {
    testsupport::TempDir dir;
    gKonfig = Beispiel();
    panel->KonfigurationAnzeigen();
    Zahl("KONFIGPNL_SPANNUNG_OUTMAX1")->setValue(2.0);  // an edit not yet read

    std::vector<std::uint8_t> kurz = KonfigDateiBild(Konfig{});
    kurz.pop_back();
    std::vector<std::uint8_t> version = KonfigDateiBild(Konfig{});
    version[32] = 2;
    std::vector<std::uint8_t> typ = KonfigDateiBild(Konfig{});
    typ[12] = 'K';
    typ[13] = 'u';
    typ[14] = 'r';
    typ[15] = 'v';
    typ[16] = 'e';
    typ[17] = 'n';
    const struct {
        std::vector<std::uint8_t> bytes;
        int code;
    } faelle[] = {{kurz, -304264}, {version, -303266}, {typ, -1021265}};
    for (const auto& fall : faelle) {
        testsupport::Schreiben(dir / "f.sko", std::string(fall.bytes.begin(), fall.bytes.end()));
        dialoge->dateien = {QString::fromStdString((dir / "f.sko").string())};
        EXPECT_EQ(panel->KonfigurationLaden(), fall.code);
        EXPECT_EQ(KonfigurationenVergleichen(gKonfig, Beispiel()), 1);
    }
    // Through the menu the code is shown in the error box.
    dialoge->dateien = {QString::fromStdString((dir / "fehlt.sko").string())};
    panel->ladenEintrag()->trigger();
    const auto meldungen = dialoge->Alle("Meldung");
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_TRUE(meldungen[0].titel.contains("308263")) << meldungen[0].titel.toStdString();
    EXPECT_EQ(meldungen[0].text, QString::fromUtf8("Fehler beim Öffnen der Datei"));
    Konfig erwartet = Beispiel();
    erwartet.outmax[0] = 2.0;
    EXPECT_EQ(KonfigurationenVergleichen(Gelesen(), erwartet), 1) << "the window is unchanged";
}

TEST_F(Konfigfenster, FehlgeschlagenesSpeichernMeldet) {
    testsupport::TempDir dir;
    dialoge->dateien = {QString::fromStdString((dir / "fehlt" / "x.sko").string())};
    panel->speichernEintrag()->trigger();
    const auto meldungen = dialoge->Alle("Meldung");
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_TRUE(meldungen[0].titel.contains("308261")) << meldungen[0].titel.toStdString();
}

}  // namespace
