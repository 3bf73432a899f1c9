// The curve window's own controls, placed in the editor frame's right column
// and bottom row, and their help texts.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "curves/model.h"
#include "curves/window.h"
#include "ui/graph.h"
#include "ui/help.h"
#include "ui/number_field.h"
#include "ui/scrollbar.h"

namespace curves {
namespace {

constexpr double kZahlgrenze = 1e9;
constexpr int kZahlstellen = 4;

const char* const kHilfeGraph =
    "Graphische Darstellung der Kurven, die das VEK-7M ausgeben soll.\nRote Linien      = intern "
    "gespeicherte Geraden. \nBlaue Linien    = digitalisierte Geraden wie sie tatsächlich "
    "ausgegeben werden.\nHellrote Linie   = letztes Geradenstück (siehe unten)\nHellblaue Linie "
    "= digitalisiertes letztes Geradenstück (siehe unten)\n\nDas 'letzte Geradenstück':\nAm Ende "
    "der Gesammtkurve ist immer ein Geradenstück mit der\nLänge Eins und der Zeitbasis des "
    "letzten gezeichneten Punktes\n(Zeitbasis kann mit 'Zeitbasis ändern' geändert werden). "
    "Es\ndient dazu, den letzten Punkt  mit dem ersten Punkt zu verbinden\nwegen der zyklischen "
    "Abarbeitung der Kurven muß das Kurvenende\nimmer in den Kurvenanfang übergehen).\nDieses "
    "Geradenstück wird wie der Rest der der Kurve vom VEK-7M\nausgegeben, es wird jedoch beim "
    "Zeichnen eines neuen Kurvenabschnitts\nautomatisch gelöscht und in evtl. veränderter Form "
    "neu erstellt.";
const char* const kHilfeGraphKlein =
    "Ansicht der Kurven in volle Länge.\nRoter Rahmen = Ausschnitt der in der großen\n          "
    "                 Grafik dargestellt wird.";
const char* const kHilfeKoordinaten =
    "Anzeige der Punktkoordinaten und der Zeitbasis für\n'Punkt setzen', 'Punkt verschieben', "
    "und 'Koordinaten\nund Zeitbasis anzeigen'.";

QLabel* Beschriftung(const QString& text, QWidget* eltern) {
    auto* l = new QLabel(text, eltern);
    l->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    return l;
}

ui::Zahlfeld* Feld(const QString& name, double unten, QWidget* eltern) {
    auto* f = new ui::Zahlfeld(name, unten, kZahlgrenze, eltern);
    f->setDecimals(kZahlstellen);
    f->setButtonSymbols(QAbstractSpinBox::NoButtons);
    // A value counts when it is entered, not at every key.
    f->setKeyboardTracking(false);
    return f;
}

// A label above a control, the two as one block that can be hidden.
QWidget* Block(QLabel* beschriftung, QWidget* feld, QWidget* eltern) {
    auto* block = new QWidget(eltern);
    auto* l = new QVBoxLayout(block);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(1);
    beschriftung->setParent(block);
    feld->setParent(block);
    l->addWidget(beschriftung);
    l->addWidget(feld);
    return block;
}

}  // namespace

void Kurvenpanel::InhaltAnlegen() {
    zeitbasisRing_ = aktionen().Liste("ZEITBASISAUSWAHL");
    for (int z = 1; z <= kZeitbasen; ++z)
        zeitbasisRing_->addItem(Zeitbasis_Name(z), z);
    zeitbasisRing_->setFixedWidth(70);

    QWidget* w = inhalt();
    QVBoxLayout* rechts = rechteSpalte();
    rechts->addSpacing(6);
    yRaster_ = Feld("KURVENPNL_YRASTER", 0, w);
    rechts->addWidget(Beschriftung("Y-Raster", w));
    rechts->addWidget(yRaster_);
    rechts->addSpacing(6);

    zyklen_ = new QSpinBox(w);
    zyklen_->setObjectName("KURVENPNL_ZYKLEN");
    // The memory image keeps 16 bits of the count.
    zyklen_->setRange(0, 65535);
    zyklen_->setKeyboardTracking(false);
    zyklenBlock_ = Block(Beschriftung("Anzahl Zyklen\n(0 = fortlaufend)", w), zyklen_, w);
    rechts->addWidget(zyklenBlock_);
    ruhezustandLabel_ = Beschriftung("Ruhezustand [V]", w);
    ruhezustandLabel_->setObjectName("KURVENPNL_RUHEZUSTAND_LABEL");
    ruhezustand_ = Feld("KURVENPNL_RUHEZUSTAND", -kZahlgrenze, w);
    ruhezustandBlock_ = Block(ruhezustandLabel_, ruhezustand_, w);
    rechts->addWidget(ruhezustandBlock_);

    speicherbedarf_ = new QLineEdit(w);
    speicherbedarf_->setObjectName("KURVENPNL_SPEICHERBEDARF");
    speicherbedarf_->setReadOnly(true);
    speicherbedarf_->setAlignment(Qt::AlignRight);
    speicherbedarf_->setFocusPolicy(Qt::NoFocus);
    rechts->addWidget(Beschriftung("Speicherbedarf [%]", w));
    rechts->addWidget(speicherbedarf_);
    rechts->addStretch(1);
    schreiben_ = new QPushButton("zum VEK-7M schreiben", w);
    schreiben_->setObjectName("KURVENPNL_SCHREIBEN");
    lesen_ = new QPushButton("vom VEK-7M lesen", w);
    lesen_->setObjectName("KURVENPNL_LESEN");
    rechts->addWidget(schreiben_);
    rechts->addWidget(lesen_);

    auto* koord = new QGroupBox(w);
    koord->setObjectName("KURVENPNL_KOORDINATEN");
    auto* kl = new QGridLayout(koord);
    kl->setContentsMargins(6, 4, 6, 4);
    kl->setVerticalSpacing(1);
    const std::pair<const char*, const char*> felder[] = {{"XSTUNDEN", "std"},
                                                          {"XMINUTEN", "min"},
                                                          {"XSEKUNDEN", "sek"},
                                                          {"XMILISEKUNDEN", "msek"},
                                                          {"Y", "Y"}};
    int spalte = 0;
    for (const auto& [name, text] : felder) {
        auto* f = new QLineEdit(koord);
        f->setObjectName(QString("KURVENPNL_") + name);
        f->setReadOnly(true);
        f->setFocusPolicy(Qt::NoFocus);
        f->setAlignment(Qt::AlignRight);
        f->setFixedWidth(QString(name) == "XMILISEKUNDEN" || QString(name) == "Y" ? 78 : 44);
        kl->addWidget(Beschriftung(text, koord), 0, spalte);
        kl->addWidget(f, 1, spalte++);
        koordinaten_[name] = f;
    }
    // A display like the coordinates: it follows the mouse, the operator
    // chooses nothing here.
    zeitbasisAnzeige_ = new QLineEdit(koord);
    zeitbasisAnzeige_->setObjectName("KURVENPNL_ZEITBASISINDICATOR");
    zeitbasisAnzeige_->setReadOnly(true);
    zeitbasisAnzeige_->setFocusPolicy(Qt::NoFocus);
    zeitbasisAnzeige_->setAlignment(Qt::AlignRight);
    zeitbasisAnzeige_->setFixedWidth(60);
    kl->addWidget(Beschriftung("Zeitbasis", koord), 2, 0, 1, 2);
    kl->addWidget(zeitbasisAnzeige_, 3, 0, 1, 2);
    untereZeile()->addWidget(koord);

    connect(yRaster_, &QDoubleSpinBox::valueChanged, yRaster_, &ui::Zahlfeld::Bearbeitet);
    ui::CallbackVerbinden(zyklen_, &QSpinBox::valueChanged, this,
                          [this] { ZyklenUndRuhezustand_Callback(); });
    connect(ruhezustand_, &QDoubleSpinBox::valueChanged, this, [this] {
        if (ruhezustand_->Bearbeitet())
            ZyklenUndRuhezustand_Callback();
    });
    ui::CallbackVerbinden(schreiben_, &QPushButton::clicked, this,
                          [this] { KurveSenden_Callback(true); });
    ui::CallbackVerbinden(lesen_, &QPushButton::clicked, this,
                          [this] { KurveSenden_Callback(false); });
}

void Kurvenpanel::HilfetexteSetzen() {
    ui::HilfetextSetzen(graph(), kHilfeGraph);
    ui::HilfetextSetzen(rollbalken(), kHilfeGraph);
    ui::HilfetextSetzen(graphKlein(), kHilfeGraphKlein);
    ui::HilfetextSetzen(kommentarKnopf(), "Öffnet das Kommentarfeld zu der aktuellen Kurve.");
    ui::HilfetextSetzen(
        zyklen_,
        "Gibt an, wie oft die MUX-6 die Kurve hintereinander ausgeben soll.\nWird hier Null "
        "eingegeben, wird die Kurve endlos wiederholt (bis\ndie Stopp-Taste gedrückt wird).\nDie "
        "Zyklenzahl kann für jede Kurve unabhängig eingestellt werden.");
    ui::HilfetextSetzen(ruhezustand_,
                        "Der Wert, auf dem der Ausgang der MUX-6\nstehenbleibt, wenn die Kurve "
                        "beendet ist,\nin der Einheit, die im Fenster 'Konfiguration'\neingestellt "
                        "wurde.");
    for (auto& [name, feld] : koordinaten_)
        ui::HilfetextSetzen(feld, kHilfeKoordinaten);
    ui::HilfetextSetzen(zeitbasisAnzeige_, kHilfeKoordinaten);
    ui::HilfetextSetzen(yRaster_, "Raster zum Zeichnen der Punkte\nin Y-Richtung.");
    ui::HilfetextSetzen(speicherbedarf_,
                        "Zeigt an, wieviel Speicher die aktuellen Kurven im\nVEK-7M belegen, wenn "
                        "man sie dorthin überträgt.");
    ui::HilfetextSetzen(schreiben_,
                        "Überträgt die Kurven zum VEK-7M.\nDie bis dahin im VEK-7M "
                        "gespeicherten\nKurven werden damit überschrieben.");
    ui::HilfetextSetzen(lesen_,
                        "Ließt die im VEK-7M gespeicherten Kurven aus.\nDie aktuellen Kurven in "
                        "VEK-7M_Kurvengenerator werden\ndamit überschrieben.");
}

}  // namespace curves
