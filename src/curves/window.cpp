#include "curves/window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

#include "connection/connection.h"
#include "curves/files.h"
#include "curves/model.h"
#include "curves/transfer.h"
#include "curves/view.h"
#include "ui/dialogs.h"
#include "ui/error_popup.h"
#include "ui/graph.h"
#include "ui/help.h"
#include "ui/progress.h"
#include "ui/registry.h"
#include "ui/scrollbar.h"
#include "ui/texts.h"
#include "ui/toolbar.h"
#include "ui/veto.h"

namespace curves {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Colours of the graph.
const QColor kRot(0xFF, 0x00, 0x00);
const QColor kHellrot(255, 150, 150);
const QColor kBlau(0x00, 0x00, 0xFF);
const QColor kHellblau(150, 150, 255);
const QColor kDunkelcyan(0x00, 0x80, 0x80);
const QColor kGelb(0xFF, 0xFF, 0x00);
const QColor kGruen(0x00, 0x80, 0x00);
const QColor kSpeicherRot(0xFF, 0x00, 0x00);
const QColor kSpeicherGrau(0xC0, 0xC0, 0xC0);

constexpr int kZeitbasisMenueLinks = 40;  // pixels left of the mouse

const char* const kWerkzeuge[] = {"MARKIEREN",      "ZEICHNEN",      "VERSCHIEBEN",
                                  "PUNKTKOORDINAT", "ZEITBASISZEIG", "PUNKTLOESCHEN",
                                  "GERADETEILEN",   "ZEITBASIS",     "LAENGEAENDERN"};

const char* kPinText =
    "Pinbelegung für den Kurvengeneratorbetrieb\n\nPin 1:    UB +15V DC\nPin 2:    UB GND\nPin 3:"
    "    Ausgang Kurve 1\nPin 4:    GND\nPin 5:    Ausgang Kurve 2\nPin 6:    GND\nPin 7:    "
    "Ausgang Kurve 3\nPin 8:    GND\nPin 9:    Ausgang Kurve 4\nPin 10:  frei\nPin 11:  "
    "GND\nPin 12:  frei\nPin 13:  GND\nPin 14:  Verlangsamen/Unterbrechen\nPin 15:  GND\nPin "
    "16:  Start/Stopp-Signal";

const char* kHilfeGraph =
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
const char* kHilfeGraphKlein =
    "Ansicht der Kurven in volle Länge.\nRoter Rahmen = Ausschnitt der in der großen\n          "
    "                 Grafik dargestellt wird.";
const char* kHilfeKoordinaten =
    "Anzeige der Punktkoordinaten und der Zeitbasis für\n'Punkt setzen', 'Punkt verschieben', "
    "und 'Koordinaten\nund Zeitbasis anzeigen'.";
const char* kHilfeZeitbasisRing =
    "Die Zeitbasis, mit der ein neuer Punkt erstellt wird.\nKleine Zeitbasen erlauben schnellere "
    "Signalwechsel.\nMit großen Zeitbasen können Signalverläufe über größere\nZeiträume "
    "realisiert werden.";
const char* kHilfeKurveWahl = "Wählt eine Kurve zum bearbeiten aus.";
const char* kHilfeHintergrund =
    "Wählt aus, welche Kurven (außer der aktuellen Kurve)\nim Hintergrund der Grafik angezeigt "
    "werden sollen.";
const char* kHilfeDarstellung =
    "Darstellungsarten für die Kurven:\n- Linien: Nur die intern gespeicherten Geraden "
    "(schnellerer\n              Grafikaufbau)\n- Stufen: Die digitalisierten Geraden, wie sie "
    "tatächlich\n               von der MUX-6 ausgegeben werden.\n- Lin+St: Linien und Geraden "
    "gleichzeitig.";

QString Zahl(double v, int stellen = 3) {
    QString s = QString::number(v, 'f', stellen);
    if (s.contains('.')) {
        while (s.endsWith('0'))
            s.chop(1);
        if (s.endsWith('.'))
            s.chop(1);
    }
    return s == "-0" ? "0" : s;
}

// A little room above and below the range, so a curve on its lowest or
// highest value is not hidden by the frame of the plot area.
void GrafikbereichY(ui::Graph* g, double min, double max) {
    const double rand = (max - min) * 0.015;
    g->YBereichSetzen(min - rand, max + rand);
}

QLabel* Beschriftung(const QString& text, QWidget* eltern) {
    auto* l = new QLabel(text, eltern);
    l->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    return l;
}

}  // namespace

// ---------------------------------------------------------------------------
class Zahlfeld : public QDoubleSpinBox {
  public:
    Zahlfeld(const QString& name, QWidget* eltern) : QDoubleSpinBox(eltern) {
        setObjectName(name);
        setRange(-1e9, 1e9);
        setDecimals(4);
        setKeyboardTracking(false);
        setLocale(QLocale::c());
        setButtonSymbols(QAbstractSpinBox::NoButtons);
        setAlignment(Qt::AlignRight);
    }
    void WertSetzen(double exakt) {
        const QSignalBlocker sperre(this);
        exakt_ = exakt;
        setValue(exakt);
        gezeigt_ = value();
    }
    // The value: the exact one as long as the field shows what was set.
    double Wert() const { return value() == gezeigt_ ? exakt_ : value(); }

  private:
    double exakt_ = 0;
    double gezeigt_ = 0;
};

// ---------------------------------------------------------------------------
Zeitdialog::Zeitdialog(QWidget* eltern, const QString& name, bool mitWert)
    : QDialog(eltern, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), name_(name) {
    setObjectName(name);
    setModal(true);
    auto* lay = new QGridLayout(this);
    int spalte = 0;
    const std::pair<const char*, const char*> felder[] = {{"XSTUNDEN", "std"},
                                                          {"XMINUTEN", "min"},
                                                          {"XSEKUNDEN", "sek"},
                                                          {"XMILISEKUNDEN", "msek"},
                                                          {"Y", "Y"}};
    for (const auto& [feld, text] : felder) {
        if (!mitWert && QString(feld) == "Y")
            break;
        auto* f = new QDoubleSpinBox(this);
        f->setObjectName(name + "_" + feld);
        f->setLocale(QLocale::c());
        f->setButtonSymbols(QAbstractSpinBox::NoButtons);
        f->setRange(QString(feld) == "Y" ? -1e9 : 0, 1e9);
        f->setDecimals(QString(feld) == "XMILISEKUNDEN" || QString(feld) == "Y" ? 4 : 0);
        f->setMinimumWidth(70);
        lay->addWidget(new QLabel(text, this), 0, spalte);
        lay->addWidget(f, 1, spalte++);
        felder_[feld] = f;
    }
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName(name + "_OK");
    ok_->setDefault(true);
    lay->addWidget(ok_, 2, spalte - 1);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

void Zeitdialog::Setzen(const QString& titel, const Zeitteile& zeit, double wert) {
    setWindowTitle(titel);
    felder_["XSTUNDEN"]->setValue(zeit.stunden);
    felder_["XMINUTEN"]->setValue(zeit.minuten);
    felder_["XSEKUNDEN"]->setValue(zeit.sekunden);
    felder_["XMILISEKUNDEN"]->setValue(zeit.millisekunden);
    if (auto it = felder_.find("Y"); it != felder_.end())
        it->second->setValue(wert);
}

Zeitteile Zeitdialog::Zeit() const {
    return {.stunden = felder_.at("XSTUNDEN")->value(),
            .minuten = felder_.at("XMINUTEN")->value(),
            .sekunden = felder_.at("XSEKUNDEN")->value(),
            .millisekunden = felder_.at("XMILISEKUNDEN")->value()};
}

double Zeitdialog::Wert() const {
    const auto it = felder_.find("Y");
    return it == felder_.end() ? 0 : it->second->value();
}

QDoubleSpinBox* Zeitdialog::feld(const QString& name) const {
    const auto it = felder_.find(name);
    return it == felder_.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------------------
Kommentardialog::Kommentardialog(QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("KOMM1PNL");
    setModal(true);
    resize(420, 260);
    auto* lay = new QVBoxLayout(this);
    text_ = new QPlainTextEdit(this);
    text_->setObjectName("KOMM1PNL_TEXTBOX");
    lay->addWidget(text_);
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("KOMM1PNL_OK");
    lay->addWidget(ok_, 0, Qt::AlignRight);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    // At most 999 characters, as the curve file holds them.
    connect(text_, &QPlainTextEdit::textChanged, this, [this] {
        const QString t = text_->toPlainText();
        if (t.size() > kKommentarMax) {
            const QSignalBlocker sperre(text_);
            text_->setPlainText(t.left(kKommentarMax));
            text_->moveCursor(QTextCursor::End);
        }
    });
}

// ---------------------------------------------------------------------------
Kurvenpanel::Kurvenpanel(QWidget* eltern)
    : ui::Childpanel({.fenster = ui::Fenster::Kurven,
                      .praefix = "KURVENPNL",
                      .titel = "Kurvengenerator",
                      .menuleiste = "KURVEN",
                      .zurueck = "HAUPTFENSTER",
                      .hilfeschalter = false,
                      .fehleranzeige = true},
                     eltern) {
    dialogAusfuehren = [](QDialog& d) { d.exec(); };
    zeitbasisMenue = [this](QPoint wo, int aktuell) {
        QMenu m(this);
        m.setObjectName("KURVENPNL_ZEITBASISMENUE");
        m.setTitle("Zeitbasis");
        for (int z = 1; z <= kZeitbasen; ++z) {
            QAction* a = m.addAction(Zeitbasis_Name(z));
            a->setCheckable(true);
            a->setChecked(z == aktuell);
            a->setData(z);
        }
        QAction* gewaehlt = m.exec(wo);
        return gewaehlt ? gewaehlt->data().toInt() : 0;
    };
    MenuesAnlegen();
    ToolbarAnlegen();
    InhaltAnlegen();
    HilfetexteSetzen();
    Registrieren();
}

Kurvenpanel::~Kurvenpanel() = default;

QAction* Kurvenpanel::Aktion(QMenu* menue, const QString& menuName, const QString& name,
                             const QString& text, const QString& hilfe) {
    auto* a = new QAction(text, this);
    a->setObjectName(Menuname(menuName, name));
    ui::HilfetextSetzen(a, hilfe);
    if (menue)
        menue->addAction(a);
    eintraege_[a->objectName()] = a;
    return a;
}

QAction* Kurvenpanel::Eintrag(const QString& name) const {
    const auto it = eintraege_.find(name);
    if (it != eintraege_.end())
        return it->second;
    return findChild<QAction*>(name);
}

bool Kurvenpanel::Hilfe(QAction* a) {
    // The direct-help filter already swallows clicks; a shortcut reaches here.
    if (!ui::gHilfeAktiv)
        return false;
    if (a && !a->whatsThis().isEmpty())
        ui::Hilfetext(a->whatsThis());
    return true;
}

void Kurvenpanel::MenuesAnlegen() {
    QMenuBar* leiste = menuleiste();
    QMenu* datei = dateiMenue();
    QAction* beenden = findChild<QAction*>("KURVEN_DATEI_BEENDEN");
    struct Posten {
        const char* name;
        const char* text;
        const char* hilfe;
        QKeySequence taste;
    };
    const Posten dateiPosten[] = {
        {"NEU", "Neu", "Löscht alle Kurven.", QKeySequence::New},
        {"LADEN", "Kurven laden", "Lädt Kurven aus einer Datei.", QKeySequence::Open},
        {"ANHAENGEN",
         "Kurven anhängen",
         "Lädt Kurven aus einer Datei und hängt sie an die bereits\nbestehenden Kurven an.",
         {}},
        {"SPEICHERN", "Kurven speichern", "Speichert die Kurven in eine Datei.",
         QKeySequence::Save},
        {"SPEICHERNUNTER",
         "Kurven speichern unter",
         "Speichert die Kurven unter einem\nneuen Dateinamen.",
         {}},
        {"IMPORT", "Kurven importieren", "Importiert Kurven aus dem Textformat.", {}},
        {"EXPORT", "Kurven exportieren", "Exportiert die Kurven ins Textformat.", {}},
    };
    for (const Posten& p : dateiPosten) {
        QAction* a = Aktion(nullptr, "DATEI", p.name, p.text, p.hilfe);
        a->setShortcut(p.taste);
        datei->insertAction(beenden, a);
        const QString name = p.name;
        connect(a, &QAction::triggered, this, [this, name] { Menu_Kurven_Datei(name); });
    }
    datei->insertSeparator(beenden);
    if (beenden)
        eintraege_[beenden->objectName()] = beenden;

    bearbeitenMenue_ = new QMenu("Bearbeiten", leiste);
    bearbeitenMenue_->setObjectName("KURVEN_BEARBEITEN");
    QMenu* b = bearbeitenMenue_;
    const Posten befehle[] = {
        {"AUSSCHNEIDEN", "Ausschneiden",
         "Löscht das markierte Kurvenstück und speichert\nes im Zwischenspeicher.",
         QKeySequence::Cut},
        {"KOPIEREN", "Kopieren", "Kopiert das markierte Kurvenstück\nin den Zwischenspeicher.",
         QKeySequence::Copy},
        {"EINFUEGEN", "Einfügen",
         "Fügt das Kurvenstück im Zwischenspeicher an der\nPosition, an der die Markierung steht, "
         "in die Kurve\nein. Geht die Markierung vollständig über eine oder\nmehrere "
         "Geradenabschnitte, so werden diese gelöscht\n",
         QKeySequence::Paste},
        {"LOESCHEN", "Löschen",
         "Löscht den markierten Kurvenabschnitt.\nDie Länge der Gesammtkurve ändert sich damit",
         QKeySequence::Delete},
        {"ALLESMARKIEREN", "Alles Markieren", "Markiert die gesammte Kurve.",
         QKeySequence::SelectAll},
        {"RUECKGAENGIG", "Rückgängig", "Macht den letzten Bearbeitungsschritt rückgängig.",
         QKeySequence::Undo},
        {"WIEDERHERST", "Wiederherstellen",
         "Stellt den letzten rückgängig gemachten\nBearbeitungsschritt wieder her.",
         QKeySequence(Qt::CTRL | Qt::Key_Y)},
    };
    for (const Posten& p : befehle) {
        QAction* a = Aktion(b, "BEARBEITEN", p.name, p.text, p.hilfe);
        a->setShortcut(p.taste);
        const QString name = p.name;
        connect(a, &QAction::triggered, this,
                [this, name] { Menu_Kurven_Bearbeiten_Command(name); });
    }
    b->addSeparator();
    const Posten werkzeuge[] = {
        {"MARKIEREN", "Markieren", "Markieren eines Kurventeils.", {}},
        {"ZEICHNEN",
         "Punkt zeichnen",
         "Zeichnet einen neuen Kurvenpunkt am Ende der bisherigen Kurve.\nDie Zeitbasis des neuen "
         "Kurventeils entspricht der in der\nZeitbasis-Liste ausgewählten Zeitbasis.",
         {}},
        {"VERSCHIEBEN",
         "Punkt verschieben",
         "Verschiebt einen bestehenden Kurvenpunkt.\nEin Punkt kann nur innerhalb der vorigen und "
         "nächsten\nGerade verschoben werden, und nur in Schritten, die dem\ngrößeren Zeitraster "
         "der angrenzenden Geraden entsprechen.",
         {}},
        {"PUNKTKOORDINAT",
         "Punktkoordinaten ändern",
         "Durch anklicken eines Kurvenpunktes erscheint ein Fenster mit\nden Punktkoordinaten. Die "
         "Koordinaten können geändert werden,\naber nur innerhalb der gleichen Grenzen wie bei "
         "'Punkt verschieben'.",
         {}},
        {"ZEITBASISZEIG",
         "Zeitbasis anzeigen",
         "Wird der Mauszeiger bei gedrückter linker Maustaste über die\nKurvengrafik bewegt, so "
         "werden die Koordinaten und die Zeitbasis\nan der Mausposition angezeigt.\nGleichzeitig "
         "werden in der Kurvengrafik Linien gezeichnet, die die\nÜbergänge von einer Zeitbasis in "
         "eine andere kennzeichnen.",
         {}},
        {"PUNKTLOESCHEN",
         "Punkt auflösen",
         "Löscht einen Kurvenpunkt.\nDie Gesammtlänge der Kuve bleibt unverändert.",
         {}},
        {"GERADETEILEN",
         "Gerade teilen",
         "Teilt eine Gerade indem ein zusätzlicher\nPunkt eingefügt wird.",
         {}},
        {"ZEITBASIS",
         "Zeitbasis ändern",
         "Für den Kurventeil, der mit der Maus angeklickt wird, kann\neine neue Zeitbasis gewählt "
         "werden.\nDie Länge der Geraden wird nicht verändert (Ausnahme: letztes\nGeradenstück).\n"
         "Die neue Zeitbasis muß ein ganzzahliges Vielfaches der\nGeradenlänge sein (Ausnahme: "
         "letztes Geradenstück).",
         {}},
        {"LAENGEAENDERN",
         "Geradenlänge ändern",
         "Ändert die Länge einer Geraden, ohne deren Zeitbasis zu verändern.\nDie Länge der "
         "Gesammtkurve ändert sich dabei.",
         {}},
    };
    werkzeuge_ = new QActionGroup(this);
    werkzeuge_->setExclusive(true);
    for (const Posten& p : werkzeuge) {
        QAction* a = Aktion(b, "BEARBEITEN", p.name, p.text, p.hilfe);
        a->setCheckable(true);
        werkzeuge_->addAction(a);
        connect(a, &QAction::triggered, this, [this, a] { Menu_Kurven_Bearbeiten_Toggle(a); });
    }
    b->addSeparator();
    const Posten zoom[] = {
        {"ZOOMPLUS", "Zoom +", "Vergrößert die Grafik.", QKeySequence(Qt::Key_Plus)},
        {"ZOOMMINUS", "Zoom -", "Verkleinert die Grafik.", QKeySequence(Qt::Key_Minus)},
        {"ZOOMMARK", "Zoom Markierung", "Vergrößert die Grafik auf den markierten Bereich.", {}},
        {"ZOOMVOLL",
         "Zoom Gesammtkurve",
         "Vergrößert oder verkleinert die Grafik so, daß die aktuell\naktive Kurve vollständig ins "
         "Grafikfenster paßt.",
         {}},
    };
    for (const Posten& p : zoom) {
        QAction* a = Aktion(b, "BEARBEITEN", p.name, p.text, p.hilfe);
        a->setShortcut(p.taste);
        const QString name = p.name;
        connect(a, &QAction::triggered, this,
                [this, name] { Menu_Kurven_Bearbeiten_Command(name); });
    }
    b->addSeparator();
    kurveMenue_ = b->addMenu("Kurve bearbeiten");
    kurveMenue_->setObjectName("KURVEN_BEARBEITEN_KURVE");
    hintergrundMenue_ = b->addMenu("Im Hintergrund zeigen");
    hintergrundMenue_->setObjectName("KURVEN_BEARBEITEN_HINTERGRUND");
    kurvenwahl_ = new QActionGroup(this);
    for (int k = 1; k <= kKurven; ++k) {
        QAction* a = Aktion(kurveMenue_, "BEARBEITEN", QString("KURVE_%1").arg(k),
                            QString("Kurve %1").arg(k), kHilfeKurveWahl);
        a->setCheckable(true);
        a->setChecked(k == 1);
        kurvenwahl_->addAction(a);
        connect(a, &QAction::triggered, this, [this, k] { Menu_Kurven_Bearbeiten_Toggle2(k - 1); });
        QAction* h = Aktion(hintergrundMenue_, "BEARBEITEN", QString("HINTERGRUND_%1").arg(k),
                            QString("Kurve %1").arg(k), kHilfeHintergrund);
        h->setCheckable(true);
        connect(h, &QAction::triggered, this, [this, k] { Menu_Kurven_Bearbeiten_Toggle3(k - 1); });
    }
    leiste->insertMenu(fensterMenue()->menuAction(), b);

    QMenu* ansicht = new QMenu("Ansicht", leiste);
    ansicht->setObjectName("KURVEN_ANSICHT");
    QMenu* darstellung = ansicht->addMenu("Kurvendarstellung");
    darstellung->setObjectName("KURVEN_ANSICHT_DARSTELLUNG");
    darstellungen_ = new QActionGroup(this);
    const std::pair<const char*, const char*> arten[] = {
        {"LINST", "Linien + Stufen"}, {"LIN", "Linien"}, {"ST", "Stufen"}};
    const int werte[] = {3, 1, 2};
    for (int i = 0; i < 3; ++i) {
        QAction* a = Aktion(darstellung, "ANSICHT", QString("DARSTELLUNG_") + arten[i].first,
                            arten[i].second, kHilfeDarstellung);
        a->setCheckable(true);
        darstellungen_->addAction(a);
        const int wert = werte[i];
        connect(a, &QAction::triggered, this,
                [this, wert] { Menu_Kurven_Ansicht_ToggleDarstellung(wert); });
    }
    leiste->insertMenu(fensterMenue()->menuAction(), ansicht);

    QAction* direkthilfe = HilfeMenueAnlegen("WASISTDAS");
    eintraege_[direkthilfe->objectName()] = direkthilfe;
    ui::HilfetextSetzen(direkthilfe, "Schaltet die Direkthilfe ein oder aus.");
    pinsEintrag_ = Aktion(hilfeMenue(), "HILFE", "PINS", "MUX-6 Pinbelegung", {});
    connect(pinsEintrag_, &QAction::triggered, this, [this] { Menu_Kurven_Hilfe_Pins(); });

    for (const auto& e : ui::kFenstermenue) {
        if (QAction* a = fensterEintrag(e.ziel))
            eintraege_[a->objectName()] = a;
    }
}

void Kurvenpanel::ToolbarAnlegen() {
    toolbar_ = new ui::Toolbar(inhalt());
    toolbar_->setObjectName("KURVENPNL_TOOLBAR");
    auto B = [](const char* name) { return QString(name) + ".png"; };
    ui::Toolbar& t = *toolbar_;
    t.Knopf(Eintrag("KURVEN_DATEI_NEU"), "Neu", B("new"));
    t.Knopf(Eintrag("KURVEN_DATEI_LADEN"), "Kurven Laden", B("open"));
    t.Knopf(Eintrag("KURVEN_DATEI_SPEICHERN"), "Kurven Speichern", B("save"));
    t.Trenner();
    t.Knopf(Eintrag("KURVEN_BEARBEITEN_AUSSCHNEIDEN"), "Ausschneiden", B("cut"));
    t.Knopf(Eintrag("KURVEN_BEARBEITEN_KOPIEREN"), "Kopieren", B("copy"));
    t.Knopf(Eintrag("KURVEN_BEARBEITEN_EINFUEGEN"), "Einfügen", B("paste"));
    t.Knopf(Eintrag("KURVEN_BEARBEITEN_LOESCHEN"), "Löschen", B("del"));
    t.Knopf(Eintrag("KURVEN_BEARBEITEN_RUECKGAENGIG"), "Rückgängig", B("undo"));
    t.Knopf(Eintrag("KURVEN_BEARBEITEN_WIEDERHERST"), "Wiederherstellen", B("redo"));
    t.Trenner();
    const char* tips[] = {"Markieren",
                          "Punkt zeichnen",
                          "Punkt verschieben",
                          "Punktkoordinaten zeigen/ändern",
                          "Koordinaten und Zeitbasis anzeigen",
                          "Punkt auflösen",
                          "Gerade teilen",
                          "Zeitbasis ändern",
                          "Geradenlänge ändern"};
    const char* bilder[] = {"mark",     "stift",        "verschieben", "punktinfo",    "xyzeigen",
                            "punktdel", "geradeteilen", "zeitbasis",   "geradenlaenge"};
    for (int i = 0; i < 9; ++i)
        t.Knopf(Eintrag(QString("KURVEN_BEARBEITEN_") + kWerkzeuge[i]), tips[i], B(bilder[i]));
    std::vector<std::pair<QString, int>> zeitbasen;
    for (int z = 1; z <= kZeitbasen; ++z)
        zeitbasen.emplace_back(Zeitbasis_Name(z), z);
    zeitbasisRing_ = t.Ring("KURVENPNL_ZEITBASISAUSWAHL", "Zeitbasis", zeitbasen);
    zeitbasisRing_->setCurrentIndex(0);
    zeitbasisRing_->setFixedWidth(70);
    connect(zeitbasisRing_, &QComboBox::activated, this, [this] { Zeitbasisauswahl_Callback(); });
    t.Trenner();
    t.Knopf(Eintrag("KURVEN_BEARBEITEN_ZOOMPLUS"), "Zoom +", B("zoomplus"));
    t.Knopf(Eintrag("KURVEN_BEARBEITEN_ZOOMMINUS"), "Zoom -", B("zoomminus"));
    t.Knopf(Eintrag("KURVEN_BEARBEITEN_ZOOMMARK"), "Zoom Markierung", B("zoommark"));
    t.Knopf(Eintrag("KURVEN_BEARBEITEN_ZOOMVOLL"), "Zoom Gesammtkurve", B("zoomvoll"));
    t.Trenner(true);
    // The curve choice and the background items lose their menus at set-up;
    // their buttons are the items themselves and stay dimmed until a curve
    // has been read back from the board.
    for (int k = 1; k <= kKurven; ++k) {
        QAction* a = Eintrag(QString("KURVEN_BEARBEITEN_KURVE_%1").arg(k));
        t.Knopf(a, QString("Kurve %1 bearbeiten").arg(k), B(qPrintable(QString("k%1").arg(k))));
        a->setEnabled(false);
    }
    t.Trenner(true);
    for (int k = 1; k <= kKurven; ++k) {
        QAction* a = Eintrag(QString("KURVEN_BEARBEITEN_HINTERGRUND_%1").arg(k));
        t.Knopf(a, QString("Kurve %1 im Hintergrund").arg(k), B("leer"));
        a->setEnabled(false);
    }
    t.Trenner(true);
    // The display-mode buttons stay dimmed while the "Ansicht" items work.
    const std::pair<const char*, const char*> arten[] = {
        {"LINST", "Kurven als Linien + Stufen darstellen"},
        {"LIN", "Kurven als Linien darstellen"},
        {"ST", "Kurven als Stufen darstellen"}};
    for (const auto& [name, tip] : arten) {
        QAction* k =
            t.Spiegel(Eintrag(QString("KURVEN_ANSICHT_DARSTELLUNG_") + name), tip, B("leer"));
        k->setEnabled(false);
    }
    t.Trenner();
    t.Knopf(Eintrag("KURVEN_HILFE_WASISTDAS"), "Direkthilfe", B("help"));
}

void Kurvenpanel::InhaltAnlegen() {
    auto* lay = new QVBoxLayout(inhalt());
    lay->setContentsMargins(6, 0, 6, 0);
    lay->setSpacing(4);
    lay->addWidget(toolbar_);
    lay->setContentsMargins(6, 0, 6, 0);

    // Row 1: the graph and, right of it, the view fields and the board buttons.
    auto* oben = new QHBoxLayout;
    auto* links = new QVBoxLayout;
    links->setSpacing(0);
    graph_ = new ui::Graph(inhalt());
    graph_->setObjectName("KURVENPNL_GRAPH");
    graph_->setMinimumSize(400, 250);
    graph_->XNameSetzen("Zeit [µs]");
    links->addWidget(graph_, 1);
    rollbalken_ = new ui::Rollbalken(inhalt());
    rollbalken_->setObjectName("KURVENPNL_SCROLLBAR");
    links->addWidget(rollbalken_);
    oben->addLayout(links, 1);

    auto* rechts = new QVBoxLayout;
    rechts->setSpacing(2);
    auto feldZeile = [&](const QString& text, QWidget* feld) {
        rechts->addWidget(Beschriftung(text, inhalt()));
        rechts->addWidget(feld);
    };
    yZoomMax_ = new Zahlfeld("KURVENPNL_YZOOMMAX", inhalt());
    yZoomMin_ = new Zahlfeld("KURVENPNL_YZOOMMIN", inhalt());
    yRaster_ = new Zahlfeld("KURVENPNL_YRASTER", inhalt());
    yRaster_->setRange(0, 1e9);
    feldZeile("Y-Zoom max", yZoomMax_);
    feldZeile("min", yZoomMin_);
    rechts->addSpacing(6);
    feldZeile("Y-Raster", yRaster_);
    rechts->addSpacing(6);

    zyklenBlock_ = new QWidget(inhalt());
    {
        auto* l = new QVBoxLayout(zyklenBlock_);
        l->setContentsMargins(0, 0, 0, 0);
        l->setSpacing(1);
        l->addWidget(Beschriftung("Anzahl Zyklen\n(0 = fortlaufend)", zyklenBlock_));
        zyklen_ = new QSpinBox(zyklenBlock_);
        zyklen_->setObjectName("KURVENPNL_ZYKLEN");
        // The memory image keeps 16 bits of the count.
        zyklen_->setRange(0, 65535);
        zyklen_->setKeyboardTracking(false);
        l->addWidget(zyklen_);
    }
    rechts->addWidget(zyklenBlock_);
    ruhezustandBlock_ = new QWidget(inhalt());
    {
        auto* l = new QVBoxLayout(ruhezustandBlock_);
        l->setContentsMargins(0, 0, 0, 0);
        l->setSpacing(1);
        ruhezustandLabel_ = Beschriftung("Ruhezustand [V]", ruhezustandBlock_);
        ruhezustandLabel_->setObjectName("KURVENPNL_RUHEZUSTAND_LABEL");
        l->addWidget(ruhezustandLabel_);
        ruhezustand_ = new Zahlfeld("KURVENPNL_RUHEZUSTAND", ruhezustandBlock_);
        l->addWidget(ruhezustand_);
    }
    rechts->addWidget(ruhezustandBlock_);

    speicherbedarf_ = new QLineEdit(inhalt());
    speicherbedarf_->setObjectName("KURVENPNL_SPEICHERBEDARF");
    speicherbedarf_->setReadOnly(true);
    speicherbedarf_->setAlignment(Qt::AlignRight);
    speicherbedarf_->setFocusPolicy(Qt::NoFocus);
    feldZeile("Speicherbedarf [%]", speicherbedarf_);
    rechts->addStretch(1);

    auto knopf = [&](const QString& name, const QString& text) {
        auto* k = new QPushButton(text, inhalt());
        k->setObjectName("KURVENPNL_" + name);
        rechts->addWidget(k);
        return k;
    };
    schreiben_ = knopf("SCHREIBEN", "zum VEK-7M schreiben");
    lesen_ = knopf("LESEN", "vom VEK-7M lesen");
    rechts->addSpacing(6);
    start_ = knopf("START", "Start");
    stopp_ = knopf("STOPP", "Stopp");
    auto* rechtsRahmen = new QWidget(inhalt());
    rechtsRahmen->setLayout(rechts);
    rechtsRahmen->setFixedWidth(170);
    oben->addWidget(rechtsRahmen);
    lay->addLayout(oben, 1);

    // Row 2: overview, coordinates, comment.
    auto* unten = new QHBoxLayout;
    graphKlein_ = new ui::Graph(inhalt());
    graphKlein_->setObjectName("KURVENPNL_GRAPHKLEIN");
    graphKlein_->setFixedHeight(110);
    graphKlein_->setMinimumWidth(250);
    graphKlein_->AchsenSichtbar(false);
    unten->addWidget(graphKlein_, 1);

    auto* koord = new QGroupBox(inhalt());
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
    zeitbasisAnzeige_ = new QComboBox(koord);
    zeitbasisAnzeige_->setObjectName("KURVENPNL_ZEITBASISINDICATOR");
    for (int z = 1; z <= kZeitbasen; ++z)
        zeitbasisAnzeige_->addItem(Zeitbasis_Name(z), z);
    // A display: it follows the mouse, the operator does not choose here.
    zeitbasisAnzeige_->setFocusPolicy(Qt::NoFocus);
    zeitbasisAnzeige_->setAttribute(Qt::WA_TransparentForMouseEvents);
    kl->addWidget(Beschriftung("Zeitbasis", koord), 2, 0, 1, 2);
    kl->addWidget(zeitbasisAnzeige_, 3, 0, 1, 2);
    unten->addWidget(koord);

    auto* komm = new QVBoxLayout;
    komm->setSpacing(2);
    komm->addWidget(Beschriftung("Kommentar", inhalt()));
    kommentarVorschau_ = new QLabel(inhalt());
    kommentarVorschau_->setObjectName("KURVENPNL_KOMMENTARVORSCHAU");
    kommentarVorschau_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    kommentarVorschau_->setAutoFillBackground(true);
    kommentarVorschau_->setBackgroundRole(QPalette::Base);
    kommentarVorschau_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    kommentarVorschau_->setFixedWidth(210);
    kommentarVorschau_->setMinimumHeight(44);
    kommentarVorschau_->setTextFormat(Qt::PlainText);
    komm->addWidget(kommentarVorschau_, 1);
    kommentarKnopf_ = new QPushButton("Kommentar", inhalt());
    kommentarKnopf_->setObjectName("KURVENPNL_KOMMENTAR");
    komm->addWidget(kommentarKnopf_);
    unten->addLayout(komm);
    lay->addLayout(unten);

    // Dialogs.
    punktDialog_ = new Zeitdialog(this, "KPUNKTPNL", true);
    geradeDialog_ = new Zeitdialog(this, "KGERADEPNL", false);
    kommentarDialog_ = new Kommentardialog(this);

    connect(graph_, &ui::Graph::gezogen, this, &Kurvenpanel::Graph_Gezogen);
    connect(graph_, &ui::Graph::losgelassen, this, &Kurvenpanel::Graph_Losgelassen);
    connect(graph_, &ui::Graph::rad, this, [this](int schritte) {
        if (ui::gHilfeAktiv)
            return;
        for (int i = 0; i < std::abs(schritte); ++i)
            Menu_Kurven_Bearbeiten_Command(schritte > 0 ? "ZOOMPLUS" : "ZOOMMINUS");
    });
    connect(rollbalken_, &ui::Rollbalken::bewegt, this, &Kurvenpanel::Scrollbar_Callback);
    connect(yZoomMax_, &QDoubleSpinBox::valueChanged, this, &Kurvenpanel::YZoomKurven_Callback);
    connect(yZoomMin_, &QDoubleSpinBox::valueChanged, this, &Kurvenpanel::YZoomKurven_Callback);
    connect(yRaster_, &QDoubleSpinBox::valueChanged, this, [] {});
    connect(zyklen_, &QSpinBox::valueChanged, this, &Kurvenpanel::ZyklenUndRuhezustand_Callback);
    connect(ruhezustand_, &QDoubleSpinBox::valueChanged, this,
            &Kurvenpanel::ZyklenUndRuhezustand_Callback);
    connect(kommentarKnopf_, &QPushButton::clicked, this, &Kurvenpanel::Kommentar_Callback);
    connect(schreiben_, &QPushButton::clicked, this, [this] { KurveSenden_Callback(true); });
    connect(lesen_, &QPushButton::clicked, this, [this] { KurveSenden_Callback(false); });
    connect(start_, &QPushButton::clicked, this, &Kurvenpanel::Start_Callback);
    connect(stopp_, &QPushButton::clicked, this, &Kurvenpanel::Stopp_Callback);
}

void Kurvenpanel::HilfetexteSetzen() {
    ui::HilfetextSetzen(graph_, kHilfeGraph);
    ui::HilfetextSetzen(graphKlein_, kHilfeGraphKlein);
    ui::HilfetextSetzen(kommentarVorschau_, "Die erste Zeile des Kurvenkommentars.");
    ui::HilfetextSetzen(kommentarKnopf_, "Öffnet das Kommentarfeld zu der aktuellen Kurve.");
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
    ui::HilfetextSetzen(yZoomMin_, "Skaliert die Y-Achse des Graphen.");
    ui::HilfetextSetzen(yZoomMax_, "Skaliert die Y-Achse des Graphen.");
    ui::HilfetextSetzen(speicherbedarf_,
                        "Zeigt an, wieviel Speicher die aktuellen Kurven im\nVEK-7M belegen, wenn "
                        "man sie dorthin überträgt.");
    ui::HilfetextSetzen(schreiben_,
                        "Überträgt die Kurven zum VEK-7M.\nDie bis dahin im VEK-7M "
                        "gespeicherten\nKurven werden damit überschrieben.");
    ui::HilfetextSetzen(lesen_,
                        "Ließt die im VEK-7M gespeicherten Kurven aus.\nDie aktuellen Kurven in "
                        "VEK-7M_Kurvengenerator werden\ndamit überschrieben.");
    ui::HilfetextSetzen(start_, ui::kHilfeStart);
    ui::HilfetextSetzen(stopp_, ui::kHilfeStopp);
    ui::HilfetextSetzen(zeitbasisRing_, kHilfeZeitbasisRing);
    ui::HilfetextSetzen(rollbalken_, kHilfeGraph);
}

void Kurvenpanel::Registrieren() {
    Childpanel::Registrieren();
    ui::Fenstereintrag& e = ui::registry().Eintrag(ui::Fenster::Kurven);
    QPointer<Kurvenpanel> ich(this);
    e.iniLesen = [ich](const settings::IniText& ini) {
        if (ich)
            ich->ReadIniKurvenpanel(ini);
    };
    e.iniSchreiben = [ich](settings::IniText& ini) {
        if (ich)
            ich->WriteIniKurvenpanel(ini);
    };
    e.abbruchWeilNichtGespeichert = [ich] {
        return ich ? ich->AbbruchWeilKurvenNichtGespeichert() : 0;
    };
    e.neuSkalieren = [ich] {
        // The axis and the fields follow at once, not at the next edit.
        if (ich && ich->initialisiert_)
            ich->Kurvenpanel_Neuzeichnen();
    };
}

// ---------------------------------------------------------------------------
int Kurvenpanel::KurvenpanelInit() {
    kommentarDialog_->textbox()->setPlainText({});
    // The settings are read before the windows are set up; the start state of
    // the curves must not undo their display mode.
    const int darstellung = darstellungAusIni_;
    if (const int r = KurvenInit(); r != 0)
        return r;
    DarstellungSetzen(darstellung);

    yZoomMin_->setEnabled(true);
    for (QAction* a : darstellungen_->actions())
        a->setChecked(false);
    const char* name = gDarstellung == 1 ? "LIN" : gDarstellung == 2 ? "ST" : "LINST";
    Eintrag(QString("KURVEN_ANSICHT_DARSTELLUNG_") + name)->setChecked(true);
    zyklenBlock_->hide();
    ruhezustandBlock_->hide();

    // This build edits curve 1 only and reaches fewer windows.
    bearbeitenMenue_->removeAction(kurveMenue_->menuAction());
    bearbeitenMenue_->removeAction(hintergrundMenue_->menuAction());
    for (ui::Fenster f : {ui::Fenster::Konfig, ui::Fenster::Direkt, ui::Fenster::Kennlinie})
        FensterEintragEntfernen(f);
    hilfeMenue()->removeAction(pinsEintrag_);

    Eintrag("KURVEN_BEARBEITEN_ZEICHNEN")->setChecked(true);
    zeitbasisRing_->setCurrentIndex(0);
    kommentarVorschau_->setText(ui::Q(Kommentarvorschau()));
    yRaster_->WertSetzen(gYRaster[0]);
    setWindowTitle(ui::Q(curves::Kurvenpanel_Titel({})));
    initialisiert_ = true;
    UndoZustand();
    RollbalkenAktualisieren();
    Kurvenpanel_Neuzeichnen();
    return 0;
}

int Kurvenpanel::KurvenpanelClear() {
    graph_->AllePlotsLoeschen();
    graphKlein_->AllePlotsLoeschen();
    for (Kurve& k : gKurven)
        k = Startkurve();
    gZwischenspeicher = Zwischenspeicher{};
    initialisiert_ = false;
    return 0;
}

// ---------------------------------------------------------------------------
QString Kurvenpanel::Werkzeug() const {
    QAction* a = werkzeuge_->checkedAction();
    if (!a)
        return {};
    return a->objectName().mid(QString("KURVEN_BEARBEITEN_").size());
}

int Kurvenpanel::Zeitbasis() const {
    return zeitbasisRing_->currentData().toInt();
}

double Kurvenpanel::Raster() const {
    return yRaster_->Wert();
}

QPoint Kurvenpanel::Mausposition() const {
    return QCursor::pos();
}

void Kurvenpanel::Zeigen(const Ergebnis& e) {
    if (!e.meldung.empty())
        ui::dialogs().Meldung(this, "Fehler", ui::Q(e.meldung));
    if (e.code != 0)
        ui::ORV_Fehlerpopup(e.code);
}

void Kurvenpanel::UndoZustand() {
    Eintrag("KURVEN_BEARBEITEN_RUECKGAENGIG")->setEnabled(RueckgaengigMoeglich());
    Eintrag("KURVEN_BEARBEITEN_WIEDERHERST")->setEnabled(WiederherstellenMoeglich());
}

void Kurvenpanel::Koordinaten(double t, double y) {
    const Zeitteile z = ZeitTeilen(t);
    koordinaten_["XSTUNDEN"]->setText(Zahl(z.stunden, 0));
    koordinaten_["XMINUTEN"]->setText(Zahl(z.minuten, 0));
    koordinaten_["XSEKUNDEN"]->setText(Zahl(z.sekunden, 0));
    koordinaten_["XMILISEKUNDEN"]->setText(Zahl(z.millisekunden, 3));
    koordinaten_["Y"]->setText(Zahl(RohZuAnzeige(gAktuelleKurve, y), 3));
}

// ---- view -------------------------------------------------------------------
void Kurvenpanel::KurveZeichnen(int k, QColor linie, QColor linieSchluss, QColor stufe,
                                QColor stufeSchluss, bool punkte, int darstellung) {
    const Kurve& kurve = gKurven[static_cast<std::size_t>(k)];
    const int n = static_cast<int>(kurve.geraden.size());
    const double von = gAnsichtStart;
    const double bis = gAnsichtEnde + 1;
    // Start times once, rather than summing from the front for every segment.
    std::vector<double> start(static_cast<std::size_t>(n) + 1, 0.0);
    for (int i = 0; i < n; ++i)
        start[static_cast<std::size_t>(i) + 1] =
            start[static_cast<std::size_t>(i)] +
            Gerade_Dauer(kurve.geraden[static_cast<std::size_t>(i)]);
    auto sichtbar = [&](int i) {
        return start[static_cast<std::size_t>(i) + 1] >= von &&
               start[static_cast<std::size_t>(i)] <= bis;
    };
    auto wert = [&](int i) { return double(kurve.geraden[static_cast<std::size_t>(i % n)].y); };

    QVector<double> px, py;  // point markers
    QVector<double> lx, ly;  // ordinary segments as lines
    QVector<double> sx, sy;  // ordinary segments as steps
    bool stufenZeichnen = darstellung == 2 || darstellung == 3;
    for (int i = 0; i < n; ++i) {
        if (!sichtbar(i))
            continue;
        const double t0 = start[static_cast<std::size_t>(i)];
        const double t1 = start[static_cast<std::size_t>(i) + 1];
        if (punkte) {
            px << t0;
            py << wert(i);
        }
        const bool schluss = i == n - 1;
        if (darstellung == 1 || darstellung == 3) {
            if (schluss) {
                graph_->PolylinieZeichnen({t0, t1}, {wert(i), wert(0)}, linieSchluss);
            } else {
                if (!lx.isEmpty() && lx.back() != t0) {
                    lx << kNaN;
                    ly << kNaN;
                }
                if (lx.isEmpty() || lx.back() != t0) {
                    lx << t0;
                    ly << wert(i);
                }
                lx << t1;
                ly << wert(i + 1);
            }
        }
        if (stufenZeichnen) {
            const Gerade& g = kurve.geraden[static_cast<std::size_t>(i)];
            const double h = Zeitbasis_Mikrosekunden(g.zeitbasis);
            // Only the ticks in view (and one either side): a long segment
            // zoomed in must not be sampled whole.
            const std::int64_t laenge = g.laenge;
            const std::int64_t k0 = std::clamp<std::int64_t>(
                static_cast<std::int64_t>(std::floor((von - t0) / h)) - 1, 0, laenge);
            const std::int64_t k1 = std::clamp<std::int64_t>(
                static_cast<std::int64_t>(std::ceil((bis - t0) / h)) + 1, 0, laenge);
            QVector<double> x, y;
            QVector<double>& zx = schluss ? x : sx;
            QVector<double>& zy = schluss ? y : sy;
            const double erstesX = t0 + h * static_cast<double>(k0);
            try {
                if (!zx.isEmpty() && zx.back() != erstesX) {
                    zx << kNaN;
                    zy << kNaN;
                }
                for (std::int64_t k = k0; k < k1; ++k) {
                    zx << t0 + h * static_cast<double>(k);
                    zy << Abtastwert(wert(i), wert(i + 1), k, laenge);
                }
                // The vertical line at the end, to the next point's value.
                if (k1 == laenge) {
                    zx << t1;
                    zy << wert(i + 1);
                }
            } catch (const std::bad_alloc&) {
                sx.clear();
                sy.clear();
                stufenZeichnen = false;
                ui::dialogs().Meldung(this, "Fehler", kSpeicherFehlerText);
                continue;
            }
            if (schluss)
                graph_->PolylinieZeichnen(x, y, stufeSchluss, ui::Graph::Linienart::Stufen);
        }
    }
    if (!lx.isEmpty())
        graph_->PolylinieZeichnen(lx, ly, linie);
    if (!sx.isEmpty())
        graph_->PolylinieZeichnen(sx, sy, stufe, ui::Graph::Linienart::Stufen);
    if (!px.isEmpty())
        graph_->PolylinieZeichnen(px, py, kRot, ui::Graph::Linienart::Keine, true);
}

void Kurvenpanel::Kurvenpanel_Neuzeichnen() {
    graph_->AllePlotsLoeschen();
    graphKlein_->AllePlotsLoeschen();
    graph_->XBereichSetzen(gAnsichtStart, gAnsichtEnde + 1);

    // Only curve 1 ever stands behind another edited curve.
    if (gAktuelleKurve != 0 && Eintrag("KURVEN_BEARBEITEN_HINTERGRUND_1")->isChecked()) {
        KurveZeichnen(0, kDunkelcyan, kDunkelcyan, kDunkelcyan, kDunkelcyan, false,
                      gDarstellung == 1 ? 1 : 2);
    }
    Kurvenpanel_SkaliereYAchse();
    KurveZeichnen(gAktuelleKurve, kRot, kHellrot, kBlau, kHellblau, true, gDarstellung);

    // Overview: the whole curve as blue lines, a red frame round the visible range.
    const Kurve& kurve = gKurven[static_cast<std::size_t>(gAktuelleKurve)];
    const double dauer = Kurve_Dauer(kurve);
    graphKlein_->XBereichSetzen(0, dauer);
    GrafikbereichY(graphKlein_, 0, kMaxRoh);
    QVector<double> x, y;
    double t = 0;
    for (const Gerade& g : kurve.geraden) {
        x << t;
        y << g.y;
        t += Gerade_Dauer(g);
    }
    x << t;
    y << kurve.geraden.front().y;
    graphKlein_->PolylinieZeichnen(x, y, kBlau);
    graphKlein_->RechteckZeichnen({gAnsichtStart, 0}, {gAnsichtEnde + 1, double(kMaxRoh)}, kRot);

    if (Werkzeug() == "ZEITBASISZEIG")
        ZeitbasislabelsZeichnen();
    VorschauAnlegen();
    MarkierungZeichnen();
    SpeicherbedarfAnzeigen();
    {
        const QSignalBlocker s1(zyklen_);
        zyklen_->setValue(gZyklen[static_cast<std::size_t>(gAktuelleKurve)]);
    }
    ruhezustand_->WertSetzen(
        RohZuAnzeige(gAktuelleKurve, gRuhezustand[static_cast<std::size_t>(gAktuelleKurve)]));
    graph_->Neuzeichnen();
    graphKlein_->Neuzeichnen();
}

void Kurvenpanel::Kurvenpanel_SkaliereYAchse() {
    const int k = gAktuelleKurve;
    const YAchse a = YAchseBerechnen(k);
    graph_->YAnzeigeSetzen(a.faktor, a.versatz);
    graph_->YNameSetzen(ui::Q(a.einheit));
    ruhezustandLabel_->setText(QString("Ruhezustand [%1]").arg(ui::Q(a.einheit)));
    ruhezustand_->WertSetzen(RohZuAnzeige(k, gRuhezustand[static_cast<std::size_t>(k)]));
    GrafikbereichY(graph_, a.min, a.max);
    yZoomMin_->WertSetzen(RohZuAnzeige(k, a.min));
    yZoomMax_->WertSetzen(RohZuAnzeige(k, a.max));
}

void Kurvenpanel::ZeitbasislabelsZeichnen() {
    const Kurve& kurve = gKurven[static_cast<std::size_t>(gAktuelleKurve)];
    graph_->TextZeichnen({0, 0}, Zeitbasis_Name(kurve.geraden.front().zeitbasis), kGelb);
    QVector<double> x, y;
    double t = 0;
    for (std::size_t i = 0; i < kurve.geraden.size(); ++i) {
        if (i > 0 && kurve.geraden[i].zeitbasis != kurve.geraden[i - 1].zeitbasis) {
            x << t << t << kNaN;
            y << 0 << kMaxRoh << kNaN;
            if (t >= gAnsichtStart && t <= gAnsichtEnde + 1)
                graph_->TextZeichnen({t, 0}, Zeitbasis_Name(kurve.geraden[i].zeitbasis), kGelb);
        }
        t += Gerade_Dauer(kurve.geraden[i]);
    }
    if (!x.isEmpty())
        graph_->PolylinieZeichnen(x, y, kGelb);
}

void Kurvenpanel::VorschauAnlegen() {
    using E = ui::Graph::Ebene;
    vorschauLinie_ =
        graph_->PolylinieZeichnen({}, {}, kRot, ui::Graph::Linienart::Linie, false, E::Vorschau);
    vorschauPunkt_ =
        graph_->PolylinieZeichnen({}, {}, kRot, ui::Graph::Linienart::Keine, true, E::Vorschau);
    markierung_ = graph_->RechteckZeichnen({0, 0}, {0, 0}, kGruen, Qt::transparent, E::Vorschau);
    markierungKlein_ =
        graphKlein_->RechteckZeichnen({0, 0}, {0, 0}, kGruen, Qt::transparent, E::Vorschau);
    VorschauVerbergen();
}

void Kurvenpanel::VorschauVerbergen() {
    graph_->PlotZeigen(vorschauLinie_, false);
    graph_->PlotZeigen(vorschauPunkt_, false);
}

void Kurvenpanel::MarkierungZeichnen() {
    // On the preview layer: a mark drawn with the mouse is redrawn alone.
    graph_->PlotZeigen(markierung_, gMarkierungAktiv);
    graphKlein_->PlotZeigen(markierungKlein_, gMarkierungAktiv);
    if (!gMarkierungAktiv)
        return;
    const QPointF a(gMarkierungStart, 0), b(gMarkierungEnde, double(kMaxRoh));
    graph_->RechteckSetzen(markierung_, a, b);
    graphKlein_->RechteckSetzen(markierungKlein_, a, b);
}

void Kurvenpanel::SpeicherbedarfAnzeigen() {
    const double p = SpeicherbedarfProzent();
    speicherbedarf_->setProperty("wert", p);
    // The added 0.05 rounds; one decimal is shown.
    speicherbedarf_->setText(QString::number(std::trunc(p * 10) / 10, 'f', 1));
    QPalette pal = speicherbedarf_->palette();
    pal.setColor(QPalette::Base, SpeicherUeberschritten() ? kSpeicherRot : kSpeicherGrau);
    speicherbedarf_->setPalette(pal);
}

void Kurvenpanel::RollbalkenAktualisieren() {
    const Rollbalken r = RollbalkenBerechnen();
    rollbalken_->Setzen(r.groesse, r.position);
}

void Kurvenpanel::Kurvenpanel_Titel(const QString& pfad) {
    const QString titel = ui::Q(curves::Kurvenpanel_Titel(ui::S(pfad)));
    setWindowTitle(titel);
    if (auto* l = findChild<QLabel*>("KURVENPNL_TITEL"))
        l->setText(titel);
}

// ---- graph events -----------------------------------------------------------
void Kurvenpanel::Graph_Gezogen(double t, double y) {
    if (ui::gHilfeAktiv)
        return;
    const bool erstes = !gesteBegonnen_;
    gesteBegonnen_ = true;
    const QString w = Werkzeug();
    if (w == "ZEITBASISZEIG") {
        const int b = Kurve_GeradeBeiZeit(t);
        zeitbasisAnzeige_->setCurrentIndex(gKurven[static_cast<std::size_t>(gAktuelleKurve)]
                                               .geraden[static_cast<std::size_t>(b)]
                                               .zeitbasis -
                                           1);
        Koordinaten(t, y);
    } else if (w == "ZEICHNEN") {
        const Vorschau v = PunktZeichnenVorschau(t, y, Zeitbasis(), Raster());
        graph_->PolylinieSetzen(vorschauLinie_, {v.von.t, v.nach.t}, {v.von.y, v.nach.y});
        graph_->PolylinieSetzen(vorschauPunkt_, {v.nach.t}, {v.nach.y});
        graph_->PlotZeigen(vorschauLinie_, true);
        graph_->PlotZeigen(vorschauPunkt_, true);
        Koordinaten(v.nach.t, v.nach.y);
        graph_->VorschauNeuzeichnen();
    } else if (w == "MARKIEREN") {
        if (erstes)
            MarkierungBeginnen(t);
        else
            MarkierungZiehen(t);
        MarkierungZeichnen();
        graph_->VorschauNeuzeichnen();
        graphKlein_->VorschauNeuzeichnen();
    } else if (w == "VERSCHIEBEN") {
        if (erstes) {
            const QSize f = graph_->Plotflaeche();
            verschobenerPunkt_ = Kurve_NaechsterPunkt(t, y, f.width(), f.height());
        }
        if (verschobenerPunkt_ < 0)
            return;
        const Verschiebeziel z = PunktVerschiebenZiel(verschobenerPunkt_, t, y, Raster());
        QVector<double> x{z.vorherPunkt.t, z.ziel.t}, yy{z.vorherPunkt.y, z.ziel.y};
        if (z.mitNachher) {
            x << z.nachherPunkt.t;
            yy << z.nachherPunkt.y;
        }
        graph_->PolylinieSetzen(vorschauLinie_, x, yy);
        graph_->PolylinieSetzen(vorschauPunkt_, {z.ziel.t}, {z.ziel.y});
        graph_->PlotZeigen(vorschauLinie_, true);
        graph_->PlotZeigen(vorschauPunkt_, true);
        Koordinaten(z.ziel.t, z.ziel.y);
        graph_->VorschauNeuzeichnen();
    } else if (w == "ZEITBASIS") {
        if (!erstes)
            return;
        const int b = Kurve_GeradeBeiZeit(t);
        const int aktuell = gKurven[static_cast<std::size_t>(gAktuelleKurve)]
                                .geraden[static_cast<std::size_t>(b)]
                                .zeitbasis;
        const int z = zeitbasisMenue(Mausposition() - QPoint(kZeitbasisMenueLinks, 0), aktuell);
        // The pop-up takes the mouse, and with it the release of this press:
        // the gesture ends here, so the next press opens the pop-up again.
        gesteBegonnen_ = false;
        if (z == 0)
            return;
        const Ergebnis e = ZeitbasisAendern(t, z);
        Zeigen(e);
        UndoZustand();
        RollbalkenAktualisieren();
        Kurvenpanel_Neuzeichnen();
    }
}

void Kurvenpanel::Graph_Losgelassen(double t, double y) {
    const bool begonnen = gesteBegonnen_;
    gesteBegonnen_ = false;
    if (ui::gHilfeAktiv || !begonnen)
        return;
    const QString w = Werkzeug();
    const QSize f = graph_->Plotflaeche();
    Ergebnis e;
    if (w == "LAENGEAENDERN") {
        const Geradenlaenge g = GeradenlaengeHolen(t);
        if (g.gerade < 0)
            return;
        // The segment stands out in yellow while its dialog is open.
        const Kurve& k = gKurven[static_cast<std::size_t>(gAktuelleKurve)];
        const double t0 = Kurve_Startzeit(g.gerade);
        const double t1 = Kurve_Startzeit(g.gerade + 1);
        const double y0 = k.geraden[static_cast<std::size_t>(g.gerade)].y;
        const double y1 = k.geraden[static_cast<std::size_t>(g.gerade + 1) % k.geraden.size()].y;
        graph_->EbeneLoeschen(ui::Graph::Ebene::Vorschau);
        graph_->LinieZeichnen({t0, y0}, {t1, y1}, kGelb, ui::Graph::Ebene::Vorschau);
        graph_->VorschauNeuzeichnen();
        geradeDialog_->Setzen(ui::Q(g.titel), g.dauer);
        geradeDialog_->move(Mausposition() + QPoint(10, 10));
        dialogAusfuehren(*geradeDialog_);
        e = GeradenlaengeAendern(g.gerade, ZeitZusammensetzen(geradeDialog_->Zeit()));
    } else if (w == "GERADETEILEN") {
        e = GeradeTeilen(t);
    } else if (w == "PUNKTLOESCHEN") {
        e = PunktLoeschen(Kurve_NaechsterPunkt(t, y, f.width(), f.height()));
    } else if (w == "ZEICHNEN") {
        VorschauVerbergen();
        e = PunktZeichnen(t, y, Zeitbasis(), Raster());
    } else if (w == "MARKIEREN") {
        MarkierungBeenden(t);
    } else if (w == "VERSCHIEBEN") {
        if (verschobenerPunkt_ >= 0)
            e = PunktVerschieben(verschobenerPunkt_, t, y, Raster());
        verschobenerPunkt_ = -1;
    } else if (w == "PUNKTKOORDINAT") {
        const int i = Kurve_NaechsterPunkt(t, y, f.width(), f.height());
        const Punktkoordinaten p = PunktkoordinatenHolen(i);
        const Kurve& k = gKurven[static_cast<std::size_t>(gAktuelleKurve)];
        graph_->EbeneLoeschen(ui::Graph::Ebene::Vorschau);
        graph_->PolylinieZeichnen({Kurve_Startzeit(i)},
                                  {double(k.geraden[static_cast<std::size_t>(i)].y)}, kRot,
                                  ui::Graph::Linienart::Keine, true, ui::Graph::Ebene::Vorschau);
        graph_->RechteckZeichnen(
            graph_->PixelZuGraph(
                graph_->GraphZuPixel(
                    {Kurve_Startzeit(i), double(k.geraden[static_cast<std::size_t>(i)].y)}) -
                QPointF(6, 6)),
            graph_->PixelZuGraph(
                graph_->GraphZuPixel(
                    {Kurve_Startzeit(i), double(k.geraden[static_cast<std::size_t>(i)].y)}) +
                QPointF(6, 6)),
            kRot, Qt::transparent, ui::Graph::Ebene::Vorschau);
        graph_->VorschauNeuzeichnen();
        punktDialog_->Setzen(ui::Q(p.titel), p.zeit, p.wert);
        punktDialog_->move(Mausposition() + QPoint(10, 10));
        dialogAusfuehren(*punktDialog_);
        e = PunktkoordinatenAendern(i, ZeitZusammensetzen(punktDialog_->Zeit()),
                                    punktDialog_->Wert());
    } else {
        return;
    }
    Zeigen(e);
    UndoZustand();
    RollbalkenAktualisieren();
    Kurvenpanel_Neuzeichnen();
}

// ---- controls -----------------------------------------------------------------
void Kurvenpanel::Scrollbar_Callback() {
    if (ui::gHilfeAktiv)
        return;
    RollbalkenGesetzt(rollbalken_->Position());
    Kurvenpanel_Neuzeichnen();
}

void Kurvenpanel::YZoomKurven_Callback() {
    if (ui::gHilfeAktiv)
        return;
    if (YZoomSetzen(yZoomMin_->Wert(), yZoomMax_->Wert()))
        Kurvenpanel_Neuzeichnen();
    else
        Kurvenpanel_SkaliereYAchse();
}

void Kurvenpanel::ZyklenUndRuhezustand_Callback() {
    if (ui::gHilfeAktiv)
        return;
    ruhezustand_->WertSetzen(ZyklenUndRuhezustandSetzen(zyklen_->value(), ruhezustand_->Wert()));
}

void Kurvenpanel::Kommentar_Callback() {
    if (ui::gHilfeAktiv)
        return;
    kommentarDialog_->setWindowTitle(ui::Q(KommentarTitel()));
    kommentarDialog_->textbox()->setPlainText(
        ui::Q(gKurven[static_cast<std::size_t>(gAktuelleKurve)].kommentar));
    dialogAusfuehren(*kommentarDialog_);
    // QPlainTextEdit joins its lines with "\n", none after the last.
    KommentarSetzen(ui::S(kommentarDialog_->textbox()->toPlainText()));
    kommentarVorschau_->setText(ui::Q(Kommentarvorschau()));
}

void Kurvenpanel::KurveSenden_Callback(bool schreiben) {
    if (ui::gHilfeAktiv)
        return;
    const int port = connection::OffenerComPort();
    const char adresse = connection::Geraeteadresse();
    // The dialog goes up with the transfer's first report, which comes only
    // once the transfer really begins; the error display is cleared then.
    std::unique_ptr<ui::Fortschritt> fortschritt;
    const char* text = schreiben ? kSendenText : kLesenText;
    auto melden = [&](int prozent) {
        if (!fortschritt) {
            ui::ComFehlerSetzen(0);
            fortschritt = std::make_unique<ui::Fortschritt>(this, text, text);
        }
        fortschritt->Setzen(prozent);
    };
    if (schreiben) {
        const Laengenpruefung pruefung = KurvenlaengenPruefen();
        int antwort = kAntwortSenden;
        if (pruefung.frage) {
            antwort = ui::dialogs().Frage(this, kLaengenFrageTitel, ui::Q(pruefung.text),
                                          {kLaengenKnopfSenden, kLaengenKnopfZurueck, {}});
        }
        if (!AntwortSendet(antwort))
            return;
        const Sendeergebnis r = KurvenSendenNachFrage(antwort, port, adresse, melden);
        fortschritt.reset();
        if (r.speicherVoll) {
            ui::dialogs().Meldung(this, "Fehler", kSpeicherVollText);
            return;
        }
        if (r.code != 0) {
            ui::ComFehlerSetzen(r.code);
            ui::ORV_Fehlerpopup(r.code);
        }
        return;
    }
    // Reading back replaces the curve with no way back: ask first, as "Neu"
    // and "Kurven laden" do.
    if (AbbruchWeilKurvenNichtGespeichert())
        return;
    ui::ComFehlerSetzen(0);
    const int r = KurvenLesen(port, adresse, melden);
    fortschritt.reset();
    if (r != 0) {
        ui::ComFehlerSetzen(r);
        ui::ORV_Fehlerpopup(r);
    } else {
        // Read back, the four curve buttons become usable.
        for (int k = 1; k <= kKurven; ++k)
            Eintrag(QString("KURVEN_BEARBEITEN_KURVE_%1").arg(k))->setEnabled(true);
    }
    Kurvenpanel_Titel({});
    ZoomGesamtkurve();
    kommentarVorschau_->setText(ui::Q(Kommentarvorschau()));
    UndoZustand();
    RollbalkenAktualisieren();
    Kurvenpanel_Neuzeichnen();
}

void Kurvenpanel::Start_Callback() {
    if (ui::gHilfeAktiv)
        return;
    if (auto& f = ui::registry().Shell().start)
        f();
}

void Kurvenpanel::Stopp_Callback() {
    if (ui::gHilfeAktiv)
        return;
    if (auto& f = ui::registry().Shell().stopp)
        f();
}

void Kurvenpanel::Zeitbasisauswahl_Callback() {
    // The list's value is read when a point is drawn.
}

// ---- menus -------------------------------------------------------------------
void Kurvenpanel::Menu_Kurven_Bearbeiten_Command(const QString& eintrag) {
    if (Hilfe(Eintrag("KURVEN_BEARBEITEN_" + eintrag)))
        return;
    Ergebnis e;
    if (eintrag == "AUSSCHNEIDEN") {
        e = Ausschneiden();
    } else if (eintrag == "KOPIEREN") {
        e = Kopieren();
    } else if (eintrag == "EINFUEGEN") {
        e = Einfuegen();
    } else if (eintrag == "LOESCHEN") {
        e = Loeschen();
    } else if (eintrag == "ALLESMARKIEREN") {
        AllesMarkieren();
    } else if (eintrag == "RUECKGAENGIG") {
        e = Kurve_Rueckgaengig();
    } else if (eintrag == "WIEDERHERST") {
        e = Kurve_Wiederherstellen();
    } else if (eintrag == "ZOOMPLUS") {
        ZoomPlus();
    } else if (eintrag == "ZOOMMINUS") {
        ZoomMinus();
    } else if (eintrag == "ZOOMMARK") {
        if (!ZoomMarkierung())
            return;
    } else if (eintrag == "ZOOMVOLL") {
        ZoomGesamtkurve();
    }
    Zeigen(e);
    UndoZustand();
    RollbalkenAktualisieren();
    Kurvenpanel_Neuzeichnen();
}

void Kurvenpanel::Menu_Kurven_Bearbeiten_Toggle(QAction* werkzeug) {
    if (Hilfe(werkzeug))
        return;
    werkzeug->setChecked(true);
    if (Werkzeug() != "MARKIEREN")
        MarkierungEntfernen();
    verschobenerPunkt_ = -1;
    gesteBegonnen_ = false;
    Kurvenpanel_Neuzeichnen();
}

void Kurvenpanel::Menu_Kurven_Bearbeiten_Toggle2(int kurve) {
    if (Hilfe(Eintrag(QString("KURVEN_BEARBEITEN_KURVE_%1").arg(kurve + 1))))
        return;
    KurveWaehlen(kurve, yRaster_->Wert());
    yRaster_->WertSetzen(gYRaster[static_cast<std::size_t>(kurve)]);
    kommentarVorschau_->setText(ui::Q(Kommentarvorschau()));
    Kurvenpanel_Neuzeichnen();
    UndoZustand();
}

void Kurvenpanel::Menu_Kurven_Bearbeiten_Toggle3(int kurve) {
    if (Hilfe(Eintrag(QString("KURVEN_BEARBEITEN_HINTERGRUND_%1").arg(kurve + 1))))
        return;
    Kurvenpanel_Neuzeichnen();
}

void Kurvenpanel::Menu_Kurven_Ansicht_ToggleDarstellung(int darstellung) {
    const char* name = darstellung == 1 ? "LIN" : darstellung == 2 ? "ST" : "LINST";
    QAction* a = Eintrag(QString("KURVEN_ANSICHT_DARSTELLUNG_") + name);
    if (Hilfe(a))
        return;
    a->setChecked(true);
    gDarstellung = darstellung;
    Kurvenpanel_Neuzeichnen();
}

void Kurvenpanel::Menu_Kurven_Hilfe_Pins() {
    if (ui::gHilfeAktiv)
        return;
    ui::dialogs().Meldung(this, "MUX-6 Pinbelegung", kPinText);
}

// ---- settings and program end -------------------------------------------------
void Kurvenpanel::ReadIniKurvenpanel(const settings::IniText& ini) {
    int d = 3;
    if (settings::Ini_GetInt(ini, "kurven", "darstellung", d) != 1 || d < 1 || d > 3)
        d = 3;
    darstellungAusIni_ = d;
    if (initialisiert_) {
        DarstellungSetzen(d);
        Menu_Kurven_Ansicht_ToggleDarstellung(gDarstellung);
    }
    for (int k = 1; k <= kKurven; ++k) {
        int h = 0;
        if (settings::Ini_GetInt(ini, "kurven", "hintergrund" + std::to_string(k), h) == 1)
            Eintrag(QString("KURVEN_BEARBEITEN_HINTERGRUND_%1").arg(k))->setChecked(h != 0);
    }
}

void Kurvenpanel::WriteIniKurvenpanel(settings::IniText& ini) const {
    settings::Ini_PutInt(ini, "kurven", "darstellung",
                      initialisiert_ ? gDarstellung : darstellungAusIni_);
}

int Kurvenpanel::AbbruchWeilKurvenNichtGespeichert() {
    return ui::AbbruchWeilNichtGespeichert(gKurvenGeaendert, ui::Q(DateinameOderStandard()),
                                           [this] { return KurvenSpeichern(false); });
}

int Kurvenpanel::KurvenSpeichern(bool als) {
    QString pfad = ui::Q(gKurvendatei);
    if (als || pfad.isEmpty()) {
        const auto gewaehlt =
            ui::dialogs().DateiWaehlen(this, {.art = ui::Dateiauswahl::Art::Speichern,
                                              .titel = "Kurve speichern",
                                              .vorgabe = pfad.isEmpty() ? QString("*.skr") : pfad,
                                              .filter = "*.skr"});
        if (!gewaehlt)
            return 0;
        pfad = *gewaehlt;
    }
    const int r = KurvenSpeichernNach(std::filesystem::path(ui::S(pfad)));
    if (r == 0)
        Kurvenpanel_Titel(pfad);
    return r;
}

void Kurvenpanel::NachDemLaden(int code, bool konfigAbweichend, const config::Konfig& konfig,
                               const QString& pfad) {
    if (code != 0)
        ui::ORV_Fehlerpopup(code);
    if (konfigAbweichend && ui::dialogs().Frage(this, kKonfigFrageTitel, kKonfigFrage,
                                                {"laden", "nicht laden", {}}) == 1) {
        config::KonfigurationSetzen(konfig);
        // Taking over the record rescales nothing by itself.
        ui::NeuSkalieren();
    }
    if (code == 0) {
        Kurvenpanel_Titel(pfad);
        ZoomGesamtkurve();
    }
    kommentarVorschau_->setText(ui::Q(Kommentarvorschau()));
    UndoZustand();
    RollbalkenAktualisieren();
    Kurvenpanel_Neuzeichnen();
}

void Kurvenpanel::Menu_Kurven_Datei(const QString& eintrag) {
    if (Hilfe(Eintrag("KURVEN_DATEI_" + eintrag)))
        return;
    auto waehlen = [this](ui::Dateiauswahl::Art art, const char* titel,
                          const char* filter) -> std::optional<QString> {
        return ui::dialogs().DateiWaehlen(
            this, {.art = art, .titel = titel, .vorgabe = filter, .filter = filter});
    };
    using Art = ui::Dateiauswahl::Art;
    if (eintrag == "NEU") {
        if (AbbruchWeilKurvenNichtGespeichert())
            return;
        if (const int r = KurvenNeu(); r != 0)
            ui::ORV_Fehlerpopup(r);
        Kurvenpanel_Titel({});
        kommentarVorschau_->setText(ui::Q(Kommentarvorschau()));
    } else if (eintrag == "LADEN") {
        if (AbbruchWeilKurvenNichtGespeichert())
            return;
        const auto pfad = waehlen(Art::Laden, "Kurve laden", "*.skr");
        if (!pfad)
            return;
        Kurvenpanel_Titel({});
        const Ladeergebnis r = KurvenLadenNach(std::filesystem::path(ui::S(*pfad)));
        NachDemLaden(r.code, r.konfigAbweichend, r.konfig, *pfad);
        return;
    } else if (eintrag == "ANHAENGEN") {
        const auto pfad = waehlen(Art::Laden, "Kurven anhängen", "*.skr");
        if (!pfad)
            return;
        const Ladeergebnis r = KurvenAnhaengenNach(std::filesystem::path(ui::S(*pfad)));
        NachDemLaden(r.code, r.konfigAbweichend, r.konfig, *pfad);
        return;
    } else if (eintrag == "SPEICHERN" || eintrag == "SPEICHERNUNTER") {
        if (const int r = KurvenSpeichern(eintrag == "SPEICHERNUNTER"); r != 0)
            ui::ORV_Fehlerpopup(r);
    } else if (eintrag == "EXPORT") {
        const auto pfad = waehlen(Art::Speichern, "Kurven exportieren", "*.txt");
        if (!pfad)
            return;
        if (const int r = KurvenExportierenNach(std::filesystem::path(ui::S(*pfad))); r != 0)
            ui::ORV_Fehlerpopup(r);
    } else if (eintrag == "IMPORT") {
        const auto pfad = waehlen(Art::Laden, "Kurven importieren", "*.txt");
        if (!pfad)
            return;
        const Importergebnis r = KurvenImportierenNach(std::filesystem::path(ui::S(*pfad)));
        if (!r.meldung.empty())
            ui::dialogs().Meldung(this, kImportfehlerTitel, ui::Q(r.meldung));
        if (!r.fehlerText.empty())
            ui::dialogs().Meldung(this, "Fehler", ui::Q(r.fehlerText));
        if (r.code != 0)
            ui::ORV_Fehlerpopup(r.code);
    }
    UndoZustand();
    RollbalkenAktualisieren();
    Kurvenpanel_Neuzeichnen();
}

}  // namespace curves
