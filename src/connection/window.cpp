#include "connection/window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "connection/connection.h"
#include "device/serial_port.h"
#include "ui/connection_indicator.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/help.h"
#include "ui/registry.h"
#include "ui/texts.h"

namespace connection {
namespace {

constexpr const char* kSection = "com";
constexpr QColor kGruen{0x00, 0xCC, 0x00};
constexpr QColor kRot{0xFF, 0x00, 0x00};

const char* const kHilfePort = "Die Serielle Schnittstelle, an die die MUX-6\nangeschlossen ist.";
const char* const kHilfeAdresse =
    "Die Geräteadresse des angeschlossenen\nMUX-6 Geräts (ist normalerweise 1).";
const char* const kHilfeScann =
    "Durchsucht die geöffnete serielle Schnittstelle\nnach MUX-6 Geräten. Das Ergebnis wird mit "
    "den LED's\n1 bis 8 dargestellt.";
const char* const kHilfeLed =
    "Das Ergebnis des letzten 'Scann' Befehls für\ndie Geräteadresse 1 bis 8:\ngrau: Kein Gerät "
    "gefunden.\ngrün: MUX-6 gefunden.\nrot: Gerät hat geantwortet, ist aber keine MUX-6.";
const char* const kHilfeIdLesen = "Ließt die Gerätekennung von der MUX-6.";
const char* const kHilfeIdString =
    "Die Gerätekennung, mit der die MUX-6 auf\nden 'ID-lesen' Befehl geantwortet hat\n(enthält "
    "Gerätekennung und Versionsnummer).";
int GueltigeAdresse(int code) {
    return (code >= '1' && code <= '8') || code == '&' ? code : '1';
}
int GueltigerPort(int port) {
    return device::PortnummerGueltig(port) ? port : -1;
}

QPushButton* Knopf(const QString& name, const QString& text, QWidget* eltern) {
    auto* k = new QPushButton(text, eltern);
    k->setObjectName(name);
    return k;
}

}  // namespace

Companel::Companel(QWidget* eltern)
    : ui::Childpanel({.fenster = ui::Fenster::Com,
                      .praefix = "COMPNL",
                      .titel = "COM-Schnittstellen Einstellung",
                      .menuleiste = "COM",
                      .zurueck = "ZURUECK",
                      .hilfeschalter = true,
                      .fehleranzeige = true},
                     eltern) {
    auto* lay = new QVBoxLayout(inhalt());
    lay->setContentsMargins(16, 16, 16, 8);

    auto* schnittstelle = new QGroupBox("Schnittstelle", inhalt());
    auto* gs = new QGridLayout(schnittstelle);
    port_ = new QComboBox(schnittstelle);
    port_->setObjectName("COMPNL_PORT");
    for (int p = 1; p <= 8; ++p)
        port_->addItem(QString("COM%1").arg(p), p);
    port_->addItem("not open", -1);
    port_->setCurrentIndex(8);
    adresse_ = new QComboBox(schnittstelle);
    adresse_->setObjectName("COMPNL_ADRESSE");
    for (char a = '1'; a <= '8'; ++a)
        adresse_->addItem(QString(QChar(a)), int{a});
    adresse_->addItem("alle", int{kAlleGeraete});
    gs->addWidget(new QLabel("COM-Port", schnittstelle), 0, 0);
    gs->addWidget(port_, 0, 1);
    gs->addWidget(new QLabel("Geräteadresse", schnittstelle), 1, 0);
    gs->addWidget(adresse_, 1, 1);
    gs->setColumnStretch(2, 1);
    lay->addWidget(schnittstelle);

    auto* geraete = new QGroupBox("Geräte", inhalt());
    auto* gg = new QGridLayout(geraete);
    scann_ = Knopf("COMPNL_SCANN", "Scann", geraete);
    gg->addWidget(scann_, 0, 0);
    auto* ledReihe = new QHBoxLayout;
    for (int i = 0; i < 8; ++i) {
        auto* spalte = new QVBoxLayout;
        auto* led = new ui::Led(geraete, kGruen);
        led->setObjectName(QString("COMPNL_LED%1").arg(i + 1));
        ui::HilfetextSetzen(led, kHilfeLed);
        leds_[static_cast<std::size_t>(i)] = led;
        auto* nummer = new QLabel(QString::number(i + 1), geraete);
        nummer->setAlignment(Qt::AlignCenter);
        spalte->addWidget(led, 0, Qt::AlignHCenter);
        spalte->addWidget(nummer);
        ledReihe->addLayout(spalte);
    }
    ledReihe->addStretch(1);
    gg->addLayout(ledReihe, 0, 1);
    idLesen_ = Knopf("COMPNL_IDLESEN", "ID lesen", geraete);
    gg->addWidget(idLesen_, 1, 0);
    idString_ = new QLineEdit(geraete);
    idString_->setObjectName("COMPNL_IDSTRING");
    idString_->setReadOnly(true);
    gg->addWidget(idString_, 1, 1);
    text_ = new QLabel(geraete);
    text_->setObjectName("COMPNL_TEXT");
    gg->addWidget(text_, 2, 1);
    gg->setColumnStretch(1, 1);
    lay->addWidget(geraete);

    // Controls this build hides; they keep their behaviour.
    auto* weitere = new QGroupBox("Gerätefunktionen", inhalt());
    weitere->setObjectName("COMPNL_WEITERE");
    auto* gw = new QGridLayout(weitere);
    eingangAus_ = Knopf("COMPNL_STARTSTOPPEINGANGAUS", "Eingang 4 -> Analogeingang", weitere);
    eingangEin_ = Knopf("COMPNL_STARTSTOPPEINGANGEIN", "Eingang 4 -> Start/Stopp-Signal", weitere);
    start_ = Knopf("COMPNL_START", "Start", weitere);
    stopp_ = Knopf("COMPNL_STOPP", "Stopp", weitere);
    fehlerabfrage_ = Knopf("COMPNL_FEHLERABFRAGE", "Fehlerbits abfragen", weitere);
    fehlerhilfe_ = Knopf("COMPNL_FEHLERHILFE", "?", weitere);
    gw->addWidget(eingangAus_, 0, 0);
    gw->addWidget(eingangEin_, 0, 1);
    gw->addWidget(start_, 1, 0);
    gw->addWidget(stopp_, 1, 1);
    gw->addWidget(fehlerabfrage_, 2, 0);
    auto* fehlerReihe = new QHBoxLayout;
    for (int i = 0; i < 5; ++i) {
        auto* led = new ui::Led(weitere, kRot);
        led->setObjectName(QString("COMPNL_LED_FEHLER%1").arg(i));
        led->setToolTip(kFehlerbits[static_cast<std::size_t>(i)]);
        fehlerLeds_[static_cast<std::size_t>(i)] = led;
        fehlerReihe->addWidget(led);
    }
    fehlerReihe->addWidget(fehlerhilfe_);
    fehlerReihe->addStretch(1);
    gw->addLayout(fehlerReihe, 2, 1);
    lay->addWidget(weitere);
    lay->addStretch(1);

    ui::HilfetextSetzen(port_, kHilfePort);
    ui::HilfetextSetzen(adresse_, kHilfeAdresse);
    ui::HilfetextSetzen(scann_, kHilfeScann);
    ui::HilfetextSetzen(idLesen_, kHilfeIdLesen);
    ui::HilfetextSetzen(idString_, kHilfeIdString);
    ui::HilfetextSetzen(start_, ui::kHilfeStart);
    ui::HilfetextSetzen(stopp_, ui::kHilfeStopp);

    ui::CallbackVerbinden(port_, &QComboBox::activated, this, [this] { PortSelect_Callback(); });
    connect(adresse_, &QComboBox::currentIndexChanged, this, [this] { AdresseUebernehmen(); });
    ui::CallbackVerbinden(scann_, &QPushButton::clicked, this, [this] { Scann_Callback(); });
    ui::CallbackVerbinden(idLesen_, &QPushButton::clicked, this, [this] { IDLesen_Callback(); });
    ui::CallbackVerbinden(start_, &QPushButton::clicked, this, [this] { Start_Callback(); });
    ui::CallbackVerbinden(stopp_, &QPushButton::clicked, this, [this] { Stopp_Callback(); });
    ui::CallbackVerbinden(eingangAus_, &QPushButton::clicked, this,
                          [this] { StartStoppEingang_Callback(false); });
    ui::CallbackVerbinden(eingangEin_, &QPushButton::clicked, this,
                          [this] { StartStoppEingang_Callback(true); });
    ui::CallbackVerbinden(fehlerabfrage_, &QPushButton::clicked, this,
                          [this] { Fehlerabfrage_Callback(); });
    ui::CallbackVerbinden(fehlerhilfe_, &QPushButton::clicked, this,
                          [this] { Fehlerhilfe_Callback(); });

    Registrieren();
    ui::Fenstereintrag& e = ui::registry().Eintrag(ui::Fenster::Com);
    e.iniLesen = [this](const settings::IniText& ini) { ReadIniCompanel(ini); };
    e.iniSchreiben = [this](settings::IniText& ini) { WriteIniCompanel(ini); };
    ui::Shelldienste& d = ui::registry().Shell();
    d.verbindungsanzeigeGeklickt = [this] { ComPicture_Callback(); };
    d.start = [this] { Start_Callback(); };
    d.stopp = [this] { Stopp_Callback(); };
}

int Companel::CompanelInit() {
    text_->clear();
    hilfeschalter()->hide();
    findChild<QWidget*>("COMPNL_WEITERE")->hide();
    for (ui::Fenster f : {ui::Fenster::Konfig, ui::Fenster::Direkt, ui::Fenster::Kennlinie})
        FensterEintragEntfernen(f);
    return 0;
}

int Companel::CompanelClear() {
    return ComPortSchliessen();
}

int Companel::PortFeld() const {
    return port_->currentData().toInt();
}

void Companel::PortFeldSetzen(int port) {
    const int i = port_->findData(GueltigerPort(port));
    port_->setCurrentIndex(i);
}

char Companel::AdressFeld() const {
    return static_cast<char>(adresse_->currentData().toInt());
}

void Companel::AdressFeldSetzen(char adresse) {
    adresse_->setCurrentIndex(adresse_->findData(GueltigeAdresse(adresse)));
    AdresseUebernehmen();
}

void Companel::AdresseUebernehmen() {
    GeraeteadresseSetzen(AdressFeld());
}

void Companel::ZeigeText(const QString& text) {
    // Painted now: the exchange that follows blocks the event loop.
    text_->setText(text);
    text_->repaint();
}

void Companel::ReadIniCompanel(const settings::IniText& ini) {
    int adresse = '1';
    if (settings::Ini_GetInt(ini, kSection, "adresse", adresse) != 1)
        adresse = '1';
    AdressFeldSetzen(static_cast<char>(GueltigeAdresse(adresse)));
    int letzter = -1;
    if (settings::Ini_GetInt(ini, kSection, "lport", letzter) != 1)
        letzter = -1;
    LetzterComPortSetzen(GueltigerPort(letzter));
    int port = -1;
    if (settings::Ini_GetInt(ini, kSection, "port", port) != 1)
        port = -1;
    PortFeldSetzen(GueltigerPort(port));
    PortSelect_Callback();
}

void Companel::WriteIniCompanel(settings::IniText& ini) const {
    settings::Ini_PutInt(ini, kSection, "adresse", AdressFeld());
    settings::Ini_PutInt(ini, kSection, "lport", LetzterComPort());
    settings::Ini_PutInt(ini, kSection, "port", OffenerComPort());
}

void Companel::PortSelect_Callback() {
    // Choosing the port that is open already changes nothing, not even the
    // error display.
    if (PortFeld() == OffenerComPort())
        return;
    const int r = ComPortOeffnen(PortFeld());
    if (r != 0)
        PortFeldSetzen(-1);
    ui::ComFehlerSetzen(r);
    ui::VerbindungsanzeigenSetzen(OffenerComPort());
}

void Companel::ComPicture_Callback() {
    if (OffenerComPort() == kKeinPort) {
        PortFeldSetzen(LetzterComPort());
        ui::ComFehlerSetzen(ComPortOeffnen(PortFeld()));
    } else {
        ComPortSchliessen();
    }
    PortFeldSetzen(OffenerComPort());
    ui::VerbindungsanzeigenSetzen(OffenerComPort());
}

void Companel::IDLesen_Callback() {
    ZeigeText("lese ID...");
    std::string kennung;
    if (OffenerComPort() != kKeinPort)
        idString_->clear();
    const int r = IDLesenAusfuehren(kennung);
    if (r == 0)
        idString_->setText(ui::Q(kennung));
    ui::ComFehlerSetzen(r);
    ZeigeText({});
}

void Companel::Scann_Callback() {
    Suchergebnis ergebnis;
    if (OffenerComPort() != kKeinPort)
        idString_->clear();
    const auto vorher = [this](char a) { ZeigeText(QString("Suche nach Gerät %1").arg(QChar(a))); };
    const auto nachher = [this](char a, Suchled s) {
        ui::Led* led = leds_[static_cast<std::size_t>(a - '1')];
        led->setFarbe(s == Suchled::Rot ? kRot : kGruen);
        led->setOn(s != Suchled::Aus);
        led->repaint();
    };
    const int r = GeraeteSuchen(ergebnis, vorher, nachher);
    if (r == 0) {
        if (!ergebnis.kennung.empty()) {
            adresse_->setCurrentIndex(adresse_->findData(int{Geraeteadresse()}));
            idString_->setText(ui::Q(ergebnis.kennung));
        }
    }
    ZeigeText({});
    ui::ComFehlerSetzen(r);
}

void Companel::Start_Callback() {
    ui::ComFehlerSetzen(StartSenden());
}

void Companel::Stopp_Callback() {
    ui::ComFehlerSetzen(StoppSenden());
}

void Companel::StartStoppEingang_Callback(bool startStopp) {
    ui::ComFehlerSetzen(0);
    if (int r = EingangVierSetzen(startStopp); r != 0)
        ui::ComFehlerSetzen(r);
}

void Companel::Fehlerabfrage_Callback() {
    ui::ComFehlerSetzen(0);
    int bits = 0;
    const int r = FehlerbitsLesen(bits);
    if (r != 0) {
        ui::ComFehlerSetzen(r);
        return;
    }
    for (std::size_t i = 0; i < fehlerLeds_.size(); ++i)
        fehlerLeds_[i]->setOn((bits >> i) & 1);
}

void Companel::Fehlerhilfe_Callback() {
    QString text;
    for (std::size_t i = 0; i < fehlerLeds_.size(); ++i) {
        if (fehlerLeds_[i]->isOn())
            text += QString::fromUtf8(kFehlerbits[i]) + "\n";
    }
    ui::dialogs().Meldung(this, "Fehlerbits", text);
}

}  // namespace connection
