#include "ui/editor_panel.h"

#include <QAction>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "ui/dialogs.h"
#include "ui/error_popup.h"
#include "ui/graph.h"
#include "ui/help.h"
#include "ui/number_field.h"
#include "ui/registry.h"
#include "ui/scrollbar.h"
#include "ui/texts.h"
#include "ui/toolbar.h"

namespace ui {
namespace {

const QColor kRot(0xFF, 0x00, 0x00);
const QColor kGruen(0x00, 0x80, 0x00);

constexpr double kVollausschlag = 4095;  // counts: the frames span the whole value range
constexpr double kZahlgrenze = 1e9;
constexpr int kZahlstellen = 4;
constexpr int kHervorhebung = 6;  // pixels round a point whose dialog is open

const char* const kHilfeYZoom = "Skaliert die Y-Achse des Graphen.";
const char* const kHilfeVorschau = "Die erste Zeile des Kurvenkommentars.";

QLabel* Beschriftung(const QString& text, QWidget* eltern) {
    auto* l = new QLabel(text, eltern);
    l->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    return l;
}

// A little room above and below the range, so a curve on its lowest or
// highest value is not hidden by the frame of the plot area.
void GrafikbereichY(Graph* g, double min, double max) {
    const double rand = (max - min) * 0.015;
    g->YBereichSetzen(min - rand, max + rand);
}

}  // namespace

Editorpanel::Editorpanel(const Editoraufbau& aufbau, QWidget* eltern)
    : Childpanel(aufbau.fenster, eltern),
      dateidialoge_(aufbau.dateidialoge),
      modell_(aufbau.modell) {
    toolbar_ = new Toolbar(inhalt());
    toolbar_->setObjectName(praefix() + "_TOOLBAR");
    aktionen_ = std::make_unique<Aktionen>(*this, *toolbar_, aufbau.menues, aufbau.aktionen,
                                           [this](const Aktion& a, QAction* q) { Gewaehlt(a, q); });
    Anordnen(aufbau);
    Verbinden();
    registry().Eintrag(fenster()).wiederherstellungSpeichern =
        [ich = QPointer<Editorpanel>(this)](const std::filesystem::path& pfad) {
            return ich ? ich->Wiederherstellungskopie(pfad) : std::nullopt;
        };
}

Editorpanel::~Editorpanel() = default;

void Editorpanel::Anordnen(const Editoraufbau& aufbau) {
    auto* lay = new QVBoxLayout(inhalt());
    lay->setContentsMargins(6, 0, 6, 0);
    lay->setSpacing(4);
    lay->addWidget(toolbar_);

    // Row 1: the graph and, right of it, the fields and buttons.
    auto* oben = new QHBoxLayout;
    auto* links = new QVBoxLayout;
    links->setSpacing(0);
    graph_ = new Graph(inhalt());
    graph_->setObjectName(praefix() + "_GRAPH");
    graph_->setMinimumSize(400, 250);
    graph_->XNameSetzen(aufbau.xName);
    links->addWidget(graph_, 1);
    rollbalken_ = new Rollbalken(inhalt());
    rollbalken_->setObjectName(praefix() + "_SCROLLBAR");
    links->addWidget(rollbalken_);
    oben->addLayout(links, 1);

    auto* rechts = new QVBoxLayout;
    rechts->setSpacing(2);
    yZoomMax_ = new Zahlfeld(praefix() + "_YZOOMMAX", -kZahlgrenze, kZahlgrenze, inhalt());
    yZoomMin_ = new Zahlfeld(praefix() + "_YZOOMMIN", -kZahlgrenze, kZahlgrenze, inhalt());
    for (auto [text, feld] : {std::pair{"Y-Zoom max", yZoomMax_}, std::pair{"min", yZoomMin_}}) {
        feld->setDecimals(kZahlstellen);
        feld->setButtonSymbols(QAbstractSpinBox::NoButtons);
        // A zoom value counts when it is entered, not at every key.
        feld->setKeyboardTracking(false);
        HilfetextSetzen(feld, kHilfeYZoom);
        rechts->addWidget(Beschriftung(text, inhalt()));
        rechts->addWidget(feld);
    }
    rechteSpalte_ = new QVBoxLayout;
    rechteSpalte_->setSpacing(2);
    rechts->addLayout(rechteSpalte_, 1);
    rechts->addSpacing(6);
    auto knopf = [&](const QString& name, const QString& text, const char* hilfe) {
        auto* k = new QPushButton(text, inhalt());
        k->setObjectName(praefix() + "_" + name);
        HilfetextSetzen(k, hilfe);
        rechts->addWidget(k);
        return k;
    };
    start_ = knopf("START", "Start", kHilfeStart);
    stopp_ = knopf("STOPP", "Stopp", kHilfeStopp);
    auto* rechtsRahmen = new QWidget(inhalt());
    rechtsRahmen->setLayout(rechts);
    rechtsRahmen->setFixedWidth(aufbau.spaltenbreite);
    oben->addWidget(rechtsRahmen);
    lay->addLayout(oben, 1);

    // Row 2: overview, the window's controls, comment.
    auto* unten = new QHBoxLayout;
    graphKlein_ = new Graph(inhalt());
    graphKlein_->setObjectName(praefix() + "_GRAPHKLEIN");
    graphKlein_->setFixedHeight(110);
    graphKlein_->setMinimumWidth(250);
    graphKlein_->AchsenSichtbar(false);
    unten->addWidget(graphKlein_, 1);
    untereZeile_ = new QHBoxLayout;
    unten->addLayout(untereZeile_);

    auto* komm = new QVBoxLayout;
    komm->setSpacing(2);
    komm->addWidget(Beschriftung("Kommentar", inhalt()));
    kommentarVorschau_ = new QLabel(inhalt());
    kommentarVorschau_->setObjectName(praefix() + "_KOMMENTARVORSCHAU");
    kommentarVorschau_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    kommentarVorschau_->setAutoFillBackground(true);
    kommentarVorschau_->setBackgroundRole(QPalette::Base);
    kommentarVorschau_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    kommentarVorschau_->setFixedWidth(210);
    kommentarVorschau_->setMinimumHeight(44);
    kommentarVorschau_->setTextFormat(Qt::PlainText);
    HilfetextSetzen(kommentarVorschau_, kHilfeVorschau);
    komm->addWidget(kommentarVorschau_, 1);
    kommentarKnopf_ = new QPushButton("Kommentar", inhalt());
    kommentarKnopf_->setObjectName(praefix() + "_KOMMENTAR");
    komm->addWidget(kommentarKnopf_);
    unten->addLayout(komm);
    lay->addLayout(unten);
}

void Editorpanel::Verbinden() {
    CallbackVerbinden(graph_, &Graph::gezogen, this,
                      [this](double x, double y) { Graph_Gezogen(x, y); });
    // The release also ends a gesture begun before direct help came on: it
    // tests the mode itself.
    connect(graph_, &Graph::losgelassen, this, &Editorpanel::Graph_Losgelassen);
    CallbackVerbinden(graph_, &Graph::rad, this,
                      [this](int schritte, double x) { Rad(schritte, x); });
    CallbackVerbinden(rollbalken_, &Rollbalken::bewegt, this, [this] { Scrollbar_Callback(); });
    for (Zahlfeld* f : {yZoomMax_, yZoomMin_})
        connect(f, &QDoubleSpinBox::valueChanged, this, [this, f] { YZoom_Callback(f); });
    CallbackVerbinden(kommentarKnopf_, &QPushButton::clicked, this,
                      [this] { Kommentar_Callback(); });
    CallbackVerbinden(start_, &QPushButton::clicked, this, [this] { Start_Callback(); });
    CallbackVerbinden(stopp_, &QPushButton::clicked, this, [this] { Stopp_Callback(); });
}

QAction* Editorpanel::Eintrag(const QString& name) const {
    if (QAction* a = aktionen_->Eintrag(name))
        return a;
    return findChild<QAction*>(name);
}

Werkzeug Editorpanel::AktivesWerkzeug() const {
    return aktionen_->AktivesWerkzeug();
}

// ---- menus -------------------------------------------------------------------------
void Editorpanel::Gewaehlt(const Aktion& a, QAction* q) {
    // The table's dispatch has kept this from running while direct help is on.
    if (a.werkzeug != Werkzeug::Keins) {
        Menu_Werkzeug(q);
        return;
    }
    switch (a.befehl) {
        case Befehl::Neu:
        case Befehl::Laden:
        case Befehl::Anhaengen:
        case Befehl::Speichern:
        case Befehl::SpeichernUnter:
        case Befehl::Importieren:
        case Befehl::Exportieren:
            Menu_Datei(a.befehl);
            return;
        case Befehl::ZoomPlus:
        case Befehl::ZoomMinus:
        case Befehl::ZoomMarkierung:
        case Befehl::ZoomGesamt:
            if (Zoomen(a.befehl))
                Aktualisieren();
            return;
        default:
            Befehlen(a);
    }
}

void Editorpanel::Menu_Werkzeug(QAction* werkzeug) {
    werkzeug->setChecked(true);
    if (AktivesWerkzeug() != Werkzeug::Markieren)
        MarkierungSetzen(Markierschritt::Entfernen, 0);
    gesteBegonnen_ = false;
    Neuzeichnen();
}

bool Editorpanel::Zoomen(Befehl b) {
    switch (b) {
        case Befehl::ZoomPlus:
            modell_.zoomPlus();
            return true;
        case Befehl::ZoomMinus:
            modell_.zoomMinus();
            return true;
        case Befehl::ZoomMarkierung:
            return modell_.zoomMarkierung();
        case Befehl::ZoomGesamt:
            modell_.zoomGesamt();
            return true;
        default:
            return false;
    }
}

// The wheel zooms around the X value under the mouse where the model can keep
// it in place; otherwise as the menu command does.
bool Editorpanel::ZoomenAn(Befehl b, double x) {
    if (b == Befehl::ZoomPlus && modell_.zoomPlusAn)
        modell_.zoomPlusAn(x);
    else if (b == Befehl::ZoomMinus && modell_.zoomMinusAn)
        modell_.zoomMinusAn(x);
    else
        return Zoomen(b);
    return true;
}

void Editorpanel::Rad(int schritte, double x) {
    for (int i = 0; i < std::abs(schritte); ++i) {
        if (ZoomenAn(schritte > 0 ? Befehl::ZoomPlus : Befehl::ZoomMinus, x))
            Aktualisieren();
    }
}

// ---- the view ----------------------------------------------------------------------------
void Editorpanel::Neuzeichnen() {
    graph_->AllePlotsLoeschen();
    graphKlein_->AllePlotsLoeschen();
    const XBereich sicht = Ansicht();
    graph_->XBereichSetzen(sicht.start, sicht.ende + 1);
    GrafikbereichY(graphKlein_, 0, kVollausschlag);
    Zeichnen();
    graphKlein_->RechteckZeichnen({sicht.start, 0}, {sicht.ende + 1, kVollausschlag}, kRot);
    VorschauAnlegen();
    MarkierungZeichnen();
    graph_->Neuzeichnen();
    graphKlein_->Neuzeichnen();
}

void Editorpanel::YAchseAnzeigen() {
    const YAchsenanzeige a = YAchse();
    graph_->YAnzeigeSetzen(a.faktor, a.versatz);
    graph_->YNameSetzen(a.einheit);
    GrafikbereichY(graph_, a.min, a.max);
    yZoomMin_->Setzen(a.minAnzeige);
    yZoomMax_->Setzen(a.maxAnzeige);
}

void Editorpanel::RollbalkenAktualisieren() {
    const editor::Rollbalken r = modell_.rollbalken();
    rollbalken_->Setzen(r.groesse, r.position);
}

void Editorpanel::UndoZustand() {
    if (QAction* a = aktionen_->ZuBefehl(Befehl::Rueckgaengig))
        a->setEnabled(modell_.rueckgaengigMoeglich());
    if (QAction* a = aktionen_->ZuBefehl(Befehl::Wiederherstellen))
        a->setEnabled(modell_.wiederherstellenMoeglich());
}

void Editorpanel::Aktualisieren() {
    UndoZustand();
    RollbalkenAktualisieren();
    Neuzeichnen();
}

void Editorpanel::Zeigen(const std::string& meldung, int code) {
    if (!meldung.empty())
        dialogs().Meldung(this, "Fehler", Q(meldung));
    if (code != 0)
        ORV_Fehlerpopup(code);
}

void Editorpanel::TitelSetzen(const QString& pfad) {
    const QString titel = Q(modell_.titel(S(pfad)));
    setWindowTitle(titel);
    if (auto* l = findChild<QLabel*>(praefix() + "_TITEL"))
        l->setText(titel);
}

void Editorpanel::KommentarvorschauAktualisieren() {
    // One line: a line break would leave a lone fragment of the second line
    // under the first, so it shows as the space it stands for.
    QString text = Kommentarvorschau();
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace('\n', ' ');
    text.replace('\r', ' ');
    kommentarVorschau_->setText(text);
}

void Editorpanel::VorschauAnlegen() {
    using E = Graph::Ebene;
    vorschauLinie_ =
        graph_->PolylinieZeichnen({}, {}, kRot, Graph::Linienart::Linie, false, E::Vorschau);
    vorschauPunkt_ =
        graph_->PolylinieZeichnen({}, {}, kRot, Graph::Linienart::Keine, true, E::Vorschau);
    markierung_ = graph_->RechteckZeichnen({0, 0}, {0, 0}, kGruen, Qt::transparent, E::Vorschau);
    markierungKlein_ =
        graphKlein_->RechteckZeichnen({0, 0}, {0, 0}, kGruen, Qt::transparent, E::Vorschau);
    VorschauVerbergen();
}

void Editorpanel::VorschauZeigen(const QVector<double>& x, const QVector<double>& y,
                                 QPointF punkt) {
    graph_->PolylinieSetzen(vorschauLinie_, x, y);
    graph_->PolylinieSetzen(vorschauPunkt_, {punkt.x()}, {punkt.y()});
    graph_->PlotZeigen(vorschauLinie_, true);
    graph_->PlotZeigen(vorschauPunkt_, true);
    graph_->VorschauNeuzeichnen();
}

void Editorpanel::VorschauVerbergen() {
    graph_->PlotZeigen(vorschauLinie_, false);
    graph_->PlotZeigen(vorschauPunkt_, false);
}

void Editorpanel::PunktHervorheben(QPointF punkt, QColor farbe) {
    using E = Graph::Ebene;
    graph_->EbeneLoeschen(E::Vorschau);
    graph_->PolylinieZeichnen({punkt.x()}, {punkt.y()}, farbe, Graph::Linienart::Keine, true,
                              E::Vorschau);
    const QPointF p = graph_->GraphZuPixel(punkt);
    const QPointF rand(kHervorhebung, kHervorhebung);
    graph_->RechteckZeichnen(graph_->PixelZuGraph(p - rand), graph_->PixelZuGraph(p + rand), farbe,
                             Qt::transparent, E::Vorschau);
    graph_->VorschauNeuzeichnen();
}

QPoint Editorpanel::DialogortAnDerMaus() {
    return QCursor::pos() + QPoint(10, 10);
}

void Editorpanel::MarkierungZeichnen() {
    // On the preview layer: a mark drawn with the mouse is redrawn alone.
    const XBereich m = Markierung();
    graph_->PlotZeigen(markierung_, m.aktiv);
    graphKlein_->PlotZeigen(markierungKlein_, m.aktiv);
    if (!m.aktiv)
        return;
    const QPointF a(m.start, 0), b(m.ende, kVollausschlag);
    graph_->RechteckSetzen(markierung_, a, b);
    graphKlein_->RechteckSetzen(markierungKlein_, a, b);
}

// ---- graph events ----------------------------------------------------------------------------
void Editorpanel::Graph_Gezogen(double x, double y) {
    const bool erstes = !gesteBegonnen_;
    gesteBegonnen_ = true;
    const Werkzeug w = AktivesWerkzeug();
    if (w != Werkzeug::Markieren) {
        Gezogen(w, x, y, erstes);
        return;
    }
    MarkierungSetzen(erstes ? Markierschritt::Beginnen : Markierschritt::Ziehen, x);
    MarkierungZeichnen();
    graph_->VorschauNeuzeichnen();
    graphKlein_->VorschauNeuzeichnen();
}

void Editorpanel::Graph_Losgelassen(double x, double y) {
    const bool begonnen = gesteBegonnen_;
    gesteBegonnen_ = false;
    if (gHilfeAktiv || !begonnen)
        return;
    const Werkzeug w = AktivesWerkzeug();
    if (w != Werkzeug::Markieren) {
        Losgelassen(w, x, y);
        return;
    }
    MarkierungSetzen(Markierschritt::Beenden, x);
    Aktualisieren();
}

// ---- controls ----------------------------------------------------------------------------------
void Editorpanel::Scrollbar_Callback() {
    modell_.gerollt(rollbalken_->Position());
    Neuzeichnen();
}

void Editorpanel::YZoom_Callback(Zahlfeld* feld) {
    if (!feld->Bearbeitet())
        return;
    if (modell_.yZoomSetzen(yZoomMin_->Wert(), yZoomMax_->Wert()))
        Neuzeichnen();
    else
        YAchseAnzeigen();
}

void Editorpanel::Kommentar_Callback() {
    KommentarSetzen(dialogs().Kommentieren(this, KommentarTitel(), Kommentar()));
    KommentarvorschauAktualisieren();
}

void Editorpanel::Start_Callback() {
    if (auto& f = registry().Shell().start)
        f();
}

void Editorpanel::Stopp_Callback() {
    if (auto& f = registry().Shell().stopp)
        f();
}

}  // namespace ui
