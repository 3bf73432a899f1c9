// The menu bar "KURVEN" and its toolbar: every item once, in menu order; the
// toolbar takes the items with a tooltip in the same order.
#include "curves/editing.h"
#include "curves/model.h"
#include "curves/view.h"
#include "curves/window.h"
#include "ui/editor_actions.h"

namespace curves {
namespace {

using ui::Art;
using ui::Befehl;
using ui::Ort;
using ui::Werkzeug;

constexpr int kWerkzeuge = 1;
constexpr int kKurvenwahl = 2;
constexpr int kDarstellungen = 3;

const char* const kHilfeKurveWahl = "Wählt eine Kurve zum bearbeiten aus.";
const char* const kHilfeHintergrund =
    "Wählt aus, welche Kurven (außer der aktuellen Kurve)\nim Hintergrund der Grafik angezeigt "
    "werden sollen.";
const char* const kHilfeZeitbasisRing =
    "Die Zeitbasis, mit der ein neuer Punkt erstellt wird.\nKleine Zeitbasen erlauben schnellere "
    "Signalwechsel.\nMit großen Zeitbasen können Signalverläufe über größere\nZeiträume "
    "realisiert werden.";

// The curve choice and the background items lose their menus at set-up; their
// buttons are the items themselves and stay dimmed until a curve has been read
// back from the board.
ui::Aktion Kurvenwahl(int k, const char* name, const char* text, const char* tooltip,
                      const char* bild) {
    return {.art = Art::Radio,
            .menue = "BEARBEITEN_KURVE",
            .name = name,
            .text = text,
            .befehl = Befehl::Auswahl,
            .wert = k,
            .gruppe = kKurvenwahl,
            .tooltip = tooltip,
            .bild = bild,
            .hilfe = kHilfeKurveWahl,
            .gedimmt = true,
            .an = k == 1};
}

ui::Aktion Hintergrund(int k, const char* name, const char* text, const char* tooltip) {
    return {.art = Art::Schalter,
            .menue = "BEARBEITEN_HINTERGRUND",
            .name = name,
            .text = text,
            .befehl = Befehl::Schalter,
            .wert = k,
            .tooltip = tooltip,
            .bild = "leer",
            .hilfe = kHilfeHintergrund,
            .gedimmt = true};
}

const ui::Menue kMenues[] = {
    {"BEARBEITEN", "Bearbeiten"},
    {"BEARBEITEN_KURVE", "Kurve bearbeiten", "BEARBEITEN"},
    {"BEARBEITEN_HINTERGRUND", "Im Hintergrund zeigen", "BEARBEITEN"},
    {"ANSICHT", "Ansicht"},
    {"ANSICHT_DARSTELLUNG", "Kurvendarstellung", "ANSICHT"},
};

const ui::Dateidialog kDateidialoge[] = {
    {Befehl::Laden, "Kurve laden", "*.skr"},
    {Befehl::Anhaengen, "Kurven anhängen", "*.skr"},
    {Befehl::Speichern, "Kurve speichern", "*.skr"},
    {Befehl::Importieren, "Kurven importieren", "*.txt"},
    {Befehl::Exportieren, "Kurven exportieren", "*.txt"},
};

// The sub-menus' items are named by menu path and number: KURVE_1 ..,
// HINTERGRUND_1 ...
const ui::Aktion kAktionen[] = {
    {.menue = "DATEI",
     .name = "NEU",
     .text = "Neu",
     .befehl = Befehl::Neu,
     .taste = {QKeySequence::New},
     .tooltip = "Neu",
     .bild = "new",
     .hilfe = "Löscht alle Kurven."},
    {.menue = "DATEI",
     .name = "LADEN",
     .text = "Kurven laden",
     .befehl = Befehl::Laden,
     .taste = {QKeySequence::Open},
     .tooltip = "Kurven Laden",
     .bild = "open",
     .hilfe = "Lädt Kurven aus einer Datei."},
    {.menue = "DATEI",
     .name = "ANHAENGEN",
     .text = "Kurven anhängen",
     .befehl = Befehl::Anhaengen,
     .hilfe = "Lädt Kurven aus einer Datei und hängt sie an die bereits\nbestehenden Kurven an."},
    {.menue = "DATEI",
     .name = "SPEICHERN",
     .text = "Kurven speichern",
     .befehl = Befehl::Speichern,
     .taste = {QKeySequence::Save},
     .tooltip = "Kurven Speichern",
     .bild = "save",
     .hilfe = "Speichert die Kurven in eine Datei."},
    {.menue = "DATEI",
     .name = "SPEICHERNUNTER",
     .text = "Kurven speichern unter",
     .befehl = Befehl::SpeichernUnter,
     .hilfe = "Speichert die Kurven unter einem\nneuen Dateinamen."},
    {.menue = "DATEI",
     .name = "IMPORT",
     .text = "Kurven importieren",
     .befehl = Befehl::Importieren,
     .hilfe = "Importiert Kurven aus dem Textformat."},
    {.menue = "DATEI",
     .name = "EXPORT",
     .text = "Kurven exportieren",
     .befehl = Befehl::Exportieren,
     .hilfe = "Exportiert die Kurven ins Textformat."},
    ui::Trennlinie("DATEI"),

    {.menue = "BEARBEITEN",
     .name = "AUSSCHNEIDEN",
     .text = "Ausschneiden",
     .befehl = Befehl::Ausschneiden,
     .taste = {QKeySequence::Cut},
     .tooltip = "Ausschneiden",
     .bild = "cut",
     .hilfe = "Löscht das markierte Kurvenstück und speichert\nes im Zwischenspeicher."},
    {.menue = "BEARBEITEN",
     .name = "KOPIEREN",
     .text = "Kopieren",
     .befehl = Befehl::Kopieren,
     .taste = {QKeySequence::Copy},
     .tooltip = "Kopieren",
     .bild = "copy",
     .hilfe = "Kopiert das markierte Kurvenstück\nin den Zwischenspeicher."},
    {.menue = "BEARBEITEN",
     .name = "EINFUEGEN",
     .text = "Einfügen",
     .befehl = Befehl::Einfuegen,
     .taste = {QKeySequence::Paste},
     .tooltip = "Einfügen",
     .bild = "paste",
     .hilfe = "Fügt das Kurvenstück im Zwischenspeicher an der\nPosition, an der die Markierung "
              "steht, in die Kurve\nein. Geht die Markierung vollständig über eine "
              "oder\nmehrere Geradenabschnitte, so werden diese gelöscht\n"},
    {.menue = "BEARBEITEN",
     .name = "LOESCHEN",
     .text = "Löschen",
     .befehl = Befehl::Loeschen,
     .taste = {QKeySequence::Delete},
     .tooltip = "Löschen",
     .bild = "del",
     .hilfe = "Löscht den markierten Kurvenabschnitt.\nDie Länge der Gesammtkurve ändert sich "
              "damit"},
    {.menue = "BEARBEITEN",
     .name = "ALLESMARKIEREN",
     .text = "Alles Markieren",
     .befehl = Befehl::AllesMarkieren,
     .taste = {QKeySequence::SelectAll},
     .hilfe = "Markiert die gesammte Kurve."},
    ui::RueckgaengigEintrag(),
    ui::WiederherstellenEintrag(),
    ui::Trennlinie("BEARBEITEN"),

    ui::Werkzeugeintrag(Werkzeug::Markieren, "MARKIEREN", "Markieren", "Markieren", "mark",
                        "Markieren eines Kurventeils.", kWerkzeuge),
    ui::Werkzeugeintrag(
        Werkzeug::Zeichnen, "ZEICHNEN", "Punkt zeichnen", "Punkt zeichnen", "stift",
        "Zeichnet einen neuen Kurvenpunkt am Ende der bisherigen Kurve.\nDie Zeitbasis "
        "des neuen Kurventeils entspricht der in der\nZeitbasis-Liste ausgewählten "
        "Zeitbasis.",
        kWerkzeuge),
    ui::Werkzeugeintrag(
        Werkzeug::Verschieben, "VERSCHIEBEN", "Punkt verschieben", "Punkt verschieben",
        "verschieben",
        "Verschiebt einen bestehenden Kurvenpunkt.\nEin Punkt kann nur innerhalb der "
        "vorigen und nächsten\nGerade verschoben werden, und nur in Schritten, die "
        "dem\ngrößeren Zeitraster der angrenzenden Geraden entsprechen.",
        kWerkzeuge),
    ui::Werkzeugeintrag(
        Werkzeug::Punktkoordinaten, "PUNKTKOORDINAT", "Punktkoordinaten ändern",
        "Punktkoordinaten zeigen/ändern", "punktinfo",
        "Durch anklicken eines Kurvenpunktes erscheint ein Fenster mit\nden "
        "Punktkoordinaten. Die Koordinaten können geändert werden,\naber nur innerhalb "
        "der gleichen Grenzen wie bei 'Punkt verschieben'.",
        kWerkzeuge),
    ui::Werkzeugeintrag(
        Werkzeug::Anzeigen, "ZEITBASISZEIG", "Zeitbasis anzeigen",
        "Koordinaten und Zeitbasis anzeigen", "xyzeigen",
        "Wird der Mauszeiger bei gedrückter linker Maustaste über die\nKurvengrafik "
        "bewegt, so werden die Koordinaten und die Zeitbasis\nan der Mausposition "
        "angezeigt.\nGleichzeitig werden in der Kurvengrafik Linien gezeichnet, die "
        "die\nÜbergänge von einer Zeitbasis in eine andere kennzeichnen.",
        kWerkzeuge),
    ui::Werkzeugeintrag(
        Werkzeug::PunktLoeschen, "PUNKTLOESCHEN", "Punkt auflösen", "Punkt auflösen", "punktdel",
        "Löscht einen Kurvenpunkt.\nDie Gesammtlänge der Kuve bleibt unverändert.", kWerkzeuge),
    ui::Werkzeugeintrag(
        Werkzeug::GeradeTeilen, "GERADETEILEN", "Gerade teilen", "Gerade teilen", "geradeteilen",
        "Teilt eine Gerade indem ein zusätzlicher\nPunkt eingefügt wird.", kWerkzeuge),
    ui::Werkzeugeintrag(
        Werkzeug::ZeitbasisAendern, "ZEITBASIS", "Zeitbasis ändern", "Zeitbasis ändern",
        "zeitbasis",
        "Für den Kurventeil, der mit der Maus angeklickt wird, kann\neine neue "
        "Zeitbasis gewählt werden.\nDie Länge der Geraden wird nicht verändert "
        "(Ausnahme: letztes\nGeradenstück).\nDie neue Zeitbasis muß ein ganzzahliges "
        "Vielfaches der\nGeradenlänge sein (Ausnahme: letztes Geradenstück).",
        kWerkzeuge),
    ui::Werkzeugeintrag(
        Werkzeug::LaengeAendern, "LAENGEAENDERN", "Geradenlänge ändern", "Geradenlänge ändern",
        "geradenlaenge",
        "Ändert die Länge einer Geraden, ohne deren Zeitbasis zu verändern.\nDie Länge "
        "der Gesammtkurve ändert sich dabei.",
        kWerkzeuge),
    {.art = Art::Liste,
     .name = "ZEITBASISAUSWAHL",
     .tooltip = "Zeitbasis",
     .hilfe = kHilfeZeitbasisRing},
    ui::Trennlinie("BEARBEITEN"),

    ui::ZoomPlusEintrag(),
    ui::ZoomMinusEintrag(),
    ui::ZoomMarkierungEintrag(),
    ui::ZoomGesamtEintrag(
        "Vergrößert oder verkleinert die Grafik so, daß die aktuell\naktive Kurve "
        "vollständig ins Grafikfenster paßt."),
    ui::Trennlinie("BEARBEITEN", Ort::Beide, true),

    Kurvenwahl(1, "1", "Kurve 1", "Kurve 1 bearbeiten", "k1"),
    Kurvenwahl(2, "2", "Kurve 2", "Kurve 2 bearbeiten", "k2"),
    Kurvenwahl(3, "3", "Kurve 3", "Kurve 3 bearbeiten", "k3"),
    Kurvenwahl(4, "4", "Kurve 4", "Kurve 4 bearbeiten", "k4"),
    ui::Trennlinie("", Ort::Toolbar, true),
    Hintergrund(1, "1", "Kurve 1", "Kurve 1 im Hintergrund"),
    Hintergrund(2, "2", "Kurve 2", "Kurve 2 im Hintergrund"),
    Hintergrund(3, "3", "Kurve 3", "Kurve 3 im Hintergrund"),
    Hintergrund(4, "4", "Kurve 4", "Kurve 4 im Hintergrund"),
    ui::Trennlinie("", Ort::Toolbar, true),

    ui::Darstellungseintrag(3, kDarstellungen),
    ui::Darstellungseintrag(1, kDarstellungen),
    ui::Darstellungseintrag(2, kDarstellungen),
    ui::Trennlinie("", Ort::Toolbar),

    ui::DirekthilfeEintrag("WASISTDAS"),
    ui::PinbelegungEintrag(),
};

}  // namespace

ui::Editoraufbau Kurvenaufbau() {
    return {.fenster = {.fenster = ui::Fenster::Kurven,
                        .praefix = "KURVENPNL",
                        .titel = "Kurvengenerator",
                        .menuleiste = "KURVEN",
                        .zurueck = "HAUPTFENSTER",
                        .hilfeschalter = false,
                        .fehleranzeige = true},
            .menues = kMenues,
            .aktionen = kAktionen,
            .dateidialoge = kDateidialoge,
            .modell = {.yZoomSetzen = curves::YZoomSetzen,
                       .rollbalken = curves::RollbalkenBerechnen,
                       .gerollt = curves::RollbalkenGesetzt,
                       .zoomPlus = curves::ZoomPlus,
                       .zoomMinus = curves::ZoomMinus,
                       .zoomPlusAn = curves::ZoomPlusAn,
                       .zoomMinusAn = curves::ZoomMinusAn,
                       .zoomMarkierung = curves::ZoomMarkierung,
                       .zoomGesamt = curves::ZoomGesamtkurve,
                       .rueckgaengigMoeglich = curves::RueckgaengigMoeglich,
                       .wiederherstellenMoeglich = curves::WiederherstellenMoeglich,
                       .geaendert = &curves::gKurvenGeaendert,
                       .datei = &curves::gKurvendatei,
                       .dateiname = curves::DateinameOderStandard,
                       .titel = curves::Kurvenpanel_Titel},
            .xName = kZeitachse};
}

}  // namespace curves
