#include "shell/program.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <cmath>
#include <iostream>
#include <vector>

#include "characteristic/window.h"
#include "config/window.h"
#include "connection/window.h"
#include "curves/window.h"
#include "direct_io/window.h"
#include "settings/settings_file.h"
#include "shell/info_window.h"
#include "shell/main_window.h"
#include "shell/recovery.h"
#include "ui/connection_indicator.h"
#include "ui/dialogs.h"
#include "ui/error_popup.h"
#include "ui/help.h"
#include "ui/language.h"

namespace shell {

QPointer<Mainpanel> gMainpanel;
QPointer<QWidget> gCompanel;
QPointer<QWidget> gKonfigpanel;
QPointer<QWidget> gDirektpanel;
QPointer<QWidget> gKurvenpanel;
QPointer<QWidget> gKennlinienpanel;
QPointer<Infopanel> gInfopanel;

namespace {

constexpr QSize kStartgroesse{1000, 720};

ui::Fenster sgAktuellesChild = ui::Fenster::Haupt;
QSize sgReferenzgroesse;
bool sgGroesseWirdGesetzt = false;
bool sgOhneFragen = false;
std::function<void()> sgSchleifenende = [] { QCoreApplication::exit(0); };

QWidget* Panel(ui::Fenster f) {
    return ui::registry().Eintrag(f).panel;
}

template <typename T>
T* Als(const QPointer<QWidget>& p) {
    return static_cast<T*>(p.data());
}

void HauptknoepfeDimmen(bool gedimmt) {
    if (!gMainpanel)
        return;
    for (QPushButton* k : gMainpanel->knoepfe())
        k->setEnabled(!gedimmt);
}

void Direkthilfetext(const char* name) {
    struct Text {
        const char* knopf;
        const char* text;
    };
    static constexpr Text kTexte[] = {
        {"COM",
         "Öffnen, Schließen und Einstellen der\nSeriellen Schnittstelle, an der das\nMUX-6 Gerät "
         "angeschlossen ist."},
        {"KONFIG",
         "Konfiguration der MUX-6 Ausgänge:\nDie MUX-6 besitzt vier 0 bis 10 Volt\nAusgänge. Jeder "
         "dieser Ausgänge kann\nauf eine beliebige andere Einheit\nskaliert werden."},
        {"DIREKT",
         "Direktes Schreiben der Ausgänge:\nHier können die Ausgänge der MUX-6 direkt\ngesetzt, "
         "werden."},
        {"KURVEN",
         "Die MUX-6 kann bis zu vier unabhängige Kurven\nausgeben. Hier können die Kurvenformen "
         "erstellt\nund in die MUX-6 übertragen werden."},
        {"KENNLINIE",
         "Hier können Kennlinien erstellt und in die MUX-6 über-\ntragen werden.\nBei der "
         "Kennlinienregelung wird abhängig von einem\nEingangssignal aufgrund einer beliebigen "
         "Kennlinie\nein Ausgangssignal erzeugt.\nDie MUX-6 kann bis zu 7 Kennlinien speichern. "
         "Die\nAuswahl der Kennlinie erfolgt über eine Analogspannung."},
    };
    for (const Text& t : kTexte) {
        if (QString(name) == t.knopf) {
            ui::HilfetextSetzen(gMainpanel->knopf(name), QString::fromUtf8(t.text));
        }
    }
}

// Mainbuttons_Callback: a commit on a main button, while direct help is off.
void Mainbuttons_Callback(const char* name) {
    if (ui::gHilfeAktiv)
        return;
    const QString n(name);
    if (n == "COM")
        shell::ZeigeChildpanel(ui::Fenster::Com);
    if (n == "KONFIG")
        shell::ZeigeChildpanel(ui::Fenster::Konfig);
    if (n == "DIREKT")
        shell::ZeigeChildpanel(ui::Fenster::Direkt);
    if (n == "KURVEN")
        shell::ZeigeChildpanel(ui::Fenster::Kurven);
    if (n == "KENNLINIE")
        shell::ZeigeChildpanel(ui::Fenster::Kennlinie);
    if (n == "INFO")
        ZeigeInfopanel();
    if (n == "ENDE")
        ProgrammendeFallsAllesGespeichert();
}

// At start-up: the copies a session ended by a signal left, named once. A
// signal while the box is open keeps them listed for the next start.
void WiederherstellungMelden() {
    const std::vector<std::string> kopien = WiederherstellungskopienLesen(".");
    if (!kopien.empty())
        ui::dialogs().Meldung(gMainpanel, "Warnung", WiederherstellungsHinweis(kopien, "."));
    if (!sgOhneFragen)
        WiederherstellungslisteLoeschen(".");
}

// The end without questions: nobody is there to answer a box, so what
// could not be saved goes to stderr and into the exit status.
int OhneFragenSichern() {
    std::vector<std::string> fehler = WiederherstellungskopienSpeichern(".");
    if (int r = WriteIni(); r != 0)
        fehler.push_back(Fehlerzeile(settings::kIniDatei, r));
    for (const std::string& f : fehler)
        std::cerr << "mux6: " << f << '\n';
    return fehler.empty() ? 0 : 1;
}

void MainpanelVerbinden() {
    static constexpr const char* kNamen[] = {"COM",       "KONFIG", "DIREKT", "KURVEN",
                                             "KENNLINIE", "INFO",   "ENDE"};
    for (const char* name : kNamen) {
        QObject::connect(gMainpanel->knopf(name), &QPushButton::clicked, gMainpanel,
                         [name] { Mainbuttons_Callback(name); });
        Direkthilfetext(name);
    }
    QObject::connect(gMainpanel->hilfeschalter(), &QToolButton::clicked, gMainpanel,
                     [](bool an) { ui::DirekthilfeSetzen(an); });  // MainDirekthilfe_Callback
    ui::DirekthilfeBeobachten(gMainpanel->hilfeschalter(),
                              [s = gMainpanel->hilfeschalter()](bool an) { s->setChecked(an); });
    // Mainpanel_Callback: the close box ends like ENDE, a size change applies the rule.
    gMainpanel->beiSchliessen = [] { ProgrammendeFallsAllesGespeichert(); };
    gMainpanel->beiGroessenaenderung = [] { PanelgroesseAendern(0); };

    ui::Fenstereintrag& e = ui::registry().Eintrag(ui::Fenster::Haupt);
    e.panel = gMainpanel;
    e.verbindungSetzen =
        [a = QPointer<ui::Verbindungsanzeige>(gMainpanel->verbindungsanzeige())](int port) {
            if (a)
                a->Setzen(port);
        };
    ui::registry().Shell().zeigeChildpanel = [](ui::Fenster f) { shell::ZeigeChildpanel(f); };
    ui::registry().Shell().programmende = [] { return ProgrammendeFallsAllesGespeichert(); };
}

}  // namespace

QSize GroesseNachRegel(QSize start, QSize aktuell) {
    if (start.width() <= 0 || start.height() <= 0)
        return aktuell;
    const double rw = static_cast<double>(aktuell.width()) / start.width();
    const double rh = static_cast<double>(aktuell.height()) / start.height();
    // The side dragged further sets the scale; the other follows in proportion.
    QSize neu = aktuell;
    double skala = 0;
    if (rh < rw) {
        skala = rw;
        neu.setHeight(static_cast<int>(std::trunc(start.height() * rw + 0.5)));
    } else {
        skala = rh;
        neu.setWidth(static_cast<int>(std::trunc(start.width() * rh + 0.5)));
    }
    if (skala < 1.0)
        neu = start;
    return neu;
}

void AnwendungEinrichten() {
    QApplication::setApplicationName("VEK-7M Kurvengenerator");
    ui::QtDeutschLaden();
    ui::DirekthilfeFilterInstallieren();
}

int FensterLaden() {
    gMainpanel = new Mainpanel;
    gMainpanel->resize(kStartgroesse);
    MainpanelVerbinden();
    gCompanel = new connection::Companel(gMainpanel);
    gKonfigpanel = new config::Konfigpanel(gMainpanel);
    gDirektpanel = new direct_io::Direktpanel(gMainpanel);
    gKurvenpanel = new curves::Kurvenpanel(gMainpanel);
    gKennlinienpanel = new characteristic::Kennlinienpanel(gMainpanel);
    gInfopanel = new Infopanel(gMainpanel);
    ui::registry().Eintrag(ui::Fenster::Info).panel = gInfopanel;
    gInfopanel->version()->setText(kVersion);
    gInfopanel->datum()->setText(kDatum);
    sgAktuellesChild = ui::Fenster::Haupt;
    return 0;
}

void FensterEntladen() {
    delete gMainpanel.data();
    ui::registry().Leeren();
    if (ui::gHilfeAktiv)
        ui::DirekthilfeSetzen(false);
    sgAktuellesChild = ui::Fenster::Haupt;
    sgReferenzgroesse = {};
}

int InitialisierePanels() {
    Als<config::Konfigpanel>(gKonfigpanel)->InitialisiereKonfigPanel();  // result not looked at
    if (int r = Als<curves::Kurvenpanel>(gKurvenpanel)->KurvenpanelInit(); r != 0)
        return r;
    if (int r = Als<characteristic::Kennlinienpanel>(gKennlinienpanel)->KennlinienpanelInit(0);
        r != 0)
        return r;
    if (int r = Als<direct_io::Direktpanel>(gDirektpanel)->DirektpanelInit(); r != 0)
        return r;
    Als<connection::Companel>(gCompanel)->CompanelInit();

    for (const char* name : {"KONFIG", "DIREKT", "KENNLINIE"})
        gMainpanel->knopf(name)->hide();
    gMainpanel->hilfeschalter()->hide();
    return 0;
}

int DeinitialisierePanels() {
    Als<characteristic::Kennlinienpanel>(gKennlinienpanel)->KennlinienpanelClear();
    Als<curves::Kurvenpanel>(gKurvenpanel)->KurvenpanelClear();
    Als<direct_io::Direktpanel>(gDirektpanel)->DirektpanelClear();
    Als<config::Konfigpanel>(gKonfigpanel)->KonfigpanelClear();
    Als<connection::Companel>(gCompanel)->CompanelClear();
    return 0;
}

int ReadIni() {
    std::vector<settings::IniLeser> leser;
    for (ui::Fenster f : ui::kIniReihenfolge)
        leser.push_back(ui::registry().Eintrag(f).iniLesen);
    return settings::ReadIni(leser);
}

int WriteIni() {
    std::vector<settings::IniSchreiber> schreiber;
    for (ui::Fenster f : ui::kIniReihenfolge)
        schreiber.push_back(ui::registry().Eintrag(f).iniSchreiben);
    return settings::WriteIni(schreiber);
}

void ZeigeChildpanel(ui::Fenster panel) {
    if (sgAktuellesChild != ui::Fenster::Haupt) {
        if (QWidget* alt = Panel(sgAktuellesChild))
            alt->hide();
        sgAktuellesChild = ui::Fenster::Haupt;
        HauptknoepfeDimmen(false);
    }
    if (panel == ui::Fenster::Haupt || panel == ui::Fenster::Info)
        return;
    QWidget* neu = Panel(panel);
    if (neu == nullptr || !gMainpanel)
        return;
    HauptknoepfeDimmen(true);
    neu->setGeometry(gMainpanel->ChildBereich());
    neu->show();
    neu->raise();
    sgAktuellesChild = panel;
}

ui::Fenster AktuellesChildpanel() {
    return sgAktuellesChild;
}

void ZeigeInfopanel() {
    if (!gInfopanel || !gMainpanel)
        return;
    gInfopanel->adjustSize();
    const QRect haupt(gMainpanel->mapToGlobal(QPoint(0, 0)), gMainpanel->size());
    gInfopanel->move(haupt.center() - QPoint(gInfopanel->width() / 2, gInfopanel->height() / 2));
    gInfopanel->exec();
}

int ProgrammendeFallsAllesGespeichert() {
    if (ui::gHilfeAktiv)
        return 0;
    for (ui::Fenster f : ui::kAbbruchReihenfolge) {
        if (const auto& veto = ui::registry().Eintrag(f).abbruchWeilNichtGespeichert) {
            if (int r = veto(); r != 0)
                return r;
        }
    }
    if (sgSchleifenende)
        sgSchleifenende();
    return 0;
}

void ProgrammendeOhneFragen() {
    if (sgOhneFragen)
        return;
    sgOhneFragen = true;
    // Also ends a modal loop that is open (a question, a file dialog).
    if (sgSchleifenende)
        sgSchleifenende();
}

void PanelgroesseAendern(char erstmals) {
    if (!gMainpanel)
        return;
    if (erstmals) {
        sgReferenzgroesse = gMainpanel->size();
        return;
    }
    if (sgGroesseWirdGesetzt || !sgReferenzgroesse.isValid())
        return;
    const QSize neu = GroesseNachRegel(sgReferenzgroesse, gMainpanel->size());
    if (neu != gMainpanel->size()) {
        sgGroesseWirdGesetzt = true;
        gMainpanel->resize(neu);
        sgGroesseWirdGesetzt = false;
    }
    if (QWidget* child = Panel(sgAktuellesChild); child && sgAktuellesChild != ui::Fenster::Haupt)
        child->setGeometry(gMainpanel->ChildBereich());
}

void SchleifenendeSetzen(std::function<void()> beenden) {
    sgSchleifenende = std::move(beenden);
}

int Programmablauf(const std::function<int()>& ereignisschleife) {
    if (FensterLaden() != 0)
        return -1;
    if (int r = ReadIni(); r != 0)
        ui::ORV_Fehlerpopup(r);
    if (int r = InitialisierePanels(); r != 0) {
        ui::ORV_Fehlerpopup(r);
        FensterEntladen();
        return -1;
    }
    PanelgroesseAendern(1);
    gMainpanel->show();
    if (!sgOhneFragen)
        WiederherstellungMelden();
    // A signal taken during start-up (in the box of a missing settings file)
    // has already ended the loop that was open then.
    if (!sgOhneFragen)
        ereignisschleife();
    int ende = 0;
    if (sgOhneFragen) {
        ende = OhneFragenSichern();
    } else if (int r = WriteIni(); r != 0) {
        ui::ORV_Fehlerpopup(r);
    }
    DeinitialisierePanels();
    FensterEntladen();
    sgOhneFragen = false;
    return ende;
}

}  // namespace shell
