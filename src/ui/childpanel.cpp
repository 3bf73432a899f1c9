#include "ui/childpanel.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/connection_indicator.h"
#include "ui/error_display.h"
#include "ui/help.h"

namespace ui {

namespace {
constexpr int kFussAbstand = 8;  // pixels between the controls of the foot row
}  // namespace

Childpanel::Childpanel(const Childpanelaufbau& aufbau, QWidget* eltern)
    : QWidget(eltern), aufbau_(aufbau) {
    setObjectName(aufbau.praefix);
    setWindowTitle(aufbau.titel);
    setAutoFillBackground(true);

    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);

    auto* titel = new QLabel(aufbau.titel, this);
    titel->setObjectName(aufbau.praefix + "_TITEL");
    titel->setStyleSheet(
        "QLabel { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #1f4e8c, "
        "stop:1 #6d9bd1); color: white; font-weight: bold; padding: 3px 6px; }");
    lay->addWidget(titel);

    menuleiste_ = new QMenuBar(this);
    menuleiste_->setObjectName(aufbau.menuleiste);
    menuleiste_->setNativeMenuBar(false);
    lay->addWidget(menuleiste_);

    dateiMenue_ = menuleiste_->addMenu("Datei");
    dateiMenue_->setObjectName(Menuname("DATEI", {}));
    QAction* beenden = dateiMenue_->addAction("Beenden");
    beenden->setObjectName(Menuname("DATEI", "BEENDEN"));
    HilfetextSetzen(beenden, "Beendet das Programm.");
    connect(beenden, &QAction::triggered, this, [this] { Menu_Datei_Beenden(); });

    fensterMenue_ = menuleiste_->addMenu("Fenster");
    fensterMenue_->setObjectName(Menuname("FENSTER", {}));
    for (const auto& e : kFenstermenue) {
        QAction* a = fensterMenue_->addAction(e.text);
        a->setObjectName(Menuname("FENSTER", e.name));
        HilfetextSetzen(a, QString("Wechselt in das Fenster \"%1\".").arg(e.text));
        const Fenster ziel = e.ziel;
        connect(a, &QAction::triggered, this, [this, ziel] { Menu_Fenster(ziel); });
        fensterEintraege_[ziel] = a;
    }

    inhalt_ = new QWidget(this);
    inhalt_->setObjectName(aufbau.praefix + "_INHALT");
    lay->addWidget(inhalt_, 1);

    auto* fuss = new QHBoxLayout;
    fuss->setContentsMargins(8, 6, 8, 8);
    fuss->setSpacing(kFussAbstand);
    if (aufbau.fehleranzeige) {
        fehleranzeige_ = new Fehleranzeige(aufbau.praefix, this);
        for (QWidget* w : fehleranzeige_->findChildren<QWidget*>())
            HilfetextSetzen(w, kHilfeFehleranzeige);
        fuss->addWidget(fehleranzeige_, 1);
    } else {
        fuss->addStretch(1);
    }
    // The indicator is a button of its own: room on both sides keeps it
    // apart from the error number and the back button.
    fuss->addSpacing(kFussAbstand);
    verbindungsanzeige_ = new Verbindungsanzeige(aufbau.praefix, this);
    HilfetextSetzen(verbindungsanzeige_, kHilfeVerbindungsanzeige);
    fuss->addWidget(verbindungsanzeige_);
    fuss->addSpacing(kFussAbstand);
    if (aufbau.hilfeschalter) {
        hilfeschalter_ = new QToolButton(this);
        hilfeschalter_->setObjectName(aufbau.praefix + "_DIREKTHILFE");
        hilfeschalter_->setText("?");
        hilfeschalter_->setCheckable(true);
        hilfeschalter_->setToolTip("Direkthilfe");
        hilfeschalter_->setMinimumSize(30, 30);
        AlsHilfeschalterMarkieren(hilfeschalter_);
        connect(hilfeschalter_, &QToolButton::clicked, this,
                [this](bool an) { Direkthilfe_Callback(an); });
        DirekthilfeBeobachten(hilfeschalter_, [s = hilfeschalter_](bool an) { s->setChecked(an); });
        fuss->addWidget(hilfeschalter_);
    }
    zurueck_ = new QPushButton(aufbau.zurueck == "HAUPTFENSTER" ? "Hauptfenster" : "Zurück", this);
    zurueck_->setObjectName(aufbau.praefix + "_" + aufbau.zurueck);
    HilfetextSetzen(zurueck_, "Zurück zum Hauptfenster.");
    connect(zurueck_, &QPushButton::clicked, this, [this] { Zurueck_Callback(); });
    fuss->addWidget(zurueck_);
    lay->addLayout(fuss);

    hide();
}

QString Childpanel::Menuname(const QString& menue, const QString& eintrag) const {
    return eintrag.isEmpty() ? aufbau_.menuleiste + "_" + menue
                             : aufbau_.menuleiste + "_" + menue + "_" + eintrag;
}

QAction* Childpanel::fensterEintrag(Fenster f) const {
    const auto it = fensterEintraege_.find(f);
    return it == fensterEintraege_.end() ? nullptr : it->second;
}

void Childpanel::FensterEintragEntfernen(Fenster f) {
    const auto it = fensterEintraege_.find(f);
    if (it == fensterEintraege_.end())
        return;
    fensterMenue_->removeAction(it->second);
    delete it->second;
    fensterEintraege_.erase(it);
}

QAction* Childpanel::HilfeMenueAnlegen(const QString& direkthilfeName) {
    hilfeMenue_ = menuleiste_->addMenu("Hilfe");
    hilfeMenue_->setObjectName(Menuname("HILFE", {}));
    QAction* a = hilfeMenue_->addAction("Direkthilfe");
    a->setObjectName(Menuname("HILFE", direkthilfeName));
    a->setCheckable(true);
    AlsHilfeschalterMarkieren(a);
    // Flips the mode rather than copying the check mark, which Qt has already toggled.
    connect(a, &QAction::triggered, this, [] { DirekthilfeSetzen(!gHilfeAktiv); });
    DirekthilfeBeobachten(a, [a](bool an) { a->setChecked(an); });
    return a;
}

void Childpanel::Registrieren() {
    Fenstereintrag& e = registry().Eintrag(aufbau_.fenster);
    e.panel = this;
    if (fehleranzeige_) {
        e.fehlerSetzen = [a = QPointer<Fehleranzeige>(fehleranzeige_)](int code) {
            if (a)
                a->Setzen(code);
        };
    }
    e.verbindungSetzen = [v = QPointer<Verbindungsanzeige>(verbindungsanzeige_)](int port) {
        if (v)
            v->Setzen(port);
    };
}

void Childpanel::Menu_Fenster(Fenster ziel) {
    if (gHilfeAktiv)
        return;
    FensterVerlassen(ziel);
}

void Childpanel::FensterVerlassen(Fenster ziel) {
    ZeigeChildpanel(ziel);
}

void Childpanel::Menu_Datei_Beenden() {
    if (gHilfeAktiv)
        return;
    ProgrammendeFallsAllesGespeichert();
}

void Childpanel::Zurueck_Callback() {
    if (gHilfeAktiv)
        return;
    ZurueckVerlassen();
}

void Childpanel::ZurueckVerlassen() {
    FensterVerlassen(Fenster::Haupt);
}

void Childpanel::Direkthilfe_Callback(bool an) {
    DirekthilfeSetzen(an);
}

}  // namespace ui
