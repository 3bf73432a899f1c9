// The menu bar "KENNLINIE" and its toolbar: every item once, in menu order;
// the toolbar takes the items with a tooltip in the same order.
#include "characteristic/editing.h"
#include "characteristic/model.h"
#include "characteristic/view.h"
#include "characteristic/window.h"
#include "ui/editor_actions.h"

namespace characteristic {
namespace {

using ui::Art;
using ui::Befehl;
using ui::Ort;
using ui::Werkzeug;

constexpr int kWerkzeuge = 1;
constexpr int kDarstellungen = 2;

ui::Aktion Dateieintrag(const char* name, const char* text, Befehl b, const char* hilfe,
                        const char* tooltip = nullptr, const char* bild = nullptr,
                        ui::Taste taste = {}) {
    return {.menue = "DATEI",
            .name = name,
            .text = text,
            .befehl = b,
            .taste = taste,
            .tooltip = tooltip,
            .bild = bild,
            .hilfe = hilfe};
}

const ui::Menue kMenues[] = {
    {"BEARBEITEN", "Bearbeiten"},
    {"ANSICHT", "Ansicht"},
    {"ANSICHT_DARSTELLUNG", "Kurvendarstellung", "ANSICHT"},
};

const ui::Dateidialog kDateidialoge[] = {
    {Befehl::Laden, "Kennlinie laden", "*.ske"},
    {Befehl::Speichern, "Kennlinie speichern", "*.ske"},
    {Befehl::Importieren, "Kennlinie importieren", "*.txt"},
    {Befehl::Exportieren, "Kennlinie exportieren", "*.txt"},
};

const ui::Aktion kAktionen[] = {
    Dateieintrag("NEU", "Neu", Befehl::Neu, "Löscht die Kennlinie.", "Neu", "new",
                 {QKeySequence::New}),
    Dateieintrag("LADEN", "Kennlinie laden", Befehl::Laden, "Lädt eine Kennlinie aus einer Datei.",
                 "Kennlinie Laden", "open", {QKeySequence::Open}),
    Dateieintrag("SPEICHERN", "Kennlinie speichern", Befehl::Speichern,
                 "Speichert die Kennlinie in eine Datei.", "Kennlinie Speichern", "save",
                 {QKeySequence::Save}),
    Dateieintrag("SPEICHERNUNTER", "Kennlinie speichern unter", Befehl::SpeichernUnter,
                 "Speichert die Kennlinie unter einem\nneuen Dateinamen."),
    Dateieintrag("IMPORT", "Kennlinie importieren", Befehl::Importieren,
                 "Importiert eine Kennlinie aus dem Textformat."),
    Dateieintrag("EXPORT", "Kennlinie exportieren", Befehl::Exportieren,
                 "Exportiert die Kennlinie ins Textformat."),
    ui::Trennlinie("DATEI"),

    {.menue = "BEARBEITEN",
     .name = "ALLESMARK",
     .text = "Alles Markieren",
     .befehl = Befehl::AllesMarkieren,
     .taste = {QKeySequence::SelectAll}},
    ui::RueckgaengigEintrag(),
    ui::WiederherstellenEintrag(),
    ui::Trennlinie("BEARBEITEN"),

    ui::Werkzeugeintrag(Werkzeug::Markieren, "MARKIEREN", "Markieren", "Markieren", "mark",
                        "Markieren eines Kurventeils.", kWerkzeuge),
    ui::Werkzeugeintrag(Werkzeug::Zeichnen, "ZEICHNEN", "Punkt zeichnen", "Punkt zeichnen", "stift",
                        "Zeichnet einen neuen Kurvenpunkt am Ende der bisherigen Kurve.",
                        kWerkzeuge),
    ui::Werkzeugeintrag(
        Werkzeug::Verschieben, "VERSCHIEBEN", "Punkt verschieben", "Punkt verschieben",
        "verschieben",
        "Verschiebt einen bestehenden Kurvenpunkt.\nEin Punkt kann nur innerhalb der "
        "vorigen und nächsten\nGerade verschoben werden.",
        kWerkzeuge),
    ui::Werkzeugeintrag(
        Werkzeug::Punktkoordinaten, "PUNKTKOORDINAT", "Punktkoordinaten ändern",
        "Punktkoordinaten zeigen/ändern", "punktinfo",
        "Durch anklicken eines Kurvenpunktes erscheint ein Fenster mit\nden "
        "Punktkoordinaten. Die Koordinaten können geändert werden,\naber nur innerhalb "
        "der gleichen Grenzen wie bei 'Punkt verschieben'.",
        kWerkzeuge),
    ui::Werkzeugeintrag(
        Werkzeug::Anzeigen, "KOORDINATZEIG", "Koordinaten anzeigen", "Koordinaten anzeigen",
        "xyzeigen2",
        "Wird der Mauszeiger bei gedrückter linker Maustaste über die\nKurvengrafik "
        "bewegt, so werden die Koordinaten an der Maus-\nposition angezeigt.",
        kWerkzeuge),
    ui::Werkzeugeintrag(Werkzeug::PunktLoeschen, "PUNKTLOESCHEN", "Punkt auflösen",
                        "Punkt auflösen", "punktdel", "Löscht einen Kurvenpunkt.", kWerkzeuge),
    ui::Werkzeugeintrag(
        Werkzeug::GeradeTeilen, "GERADETEILEN", "Gerade teilen", "Gerade teilen", "geradeteilen",
        "Teilt eine Gerade indem ein zusätzlicher\nPunkt eingefügt wird.", kWerkzeuge),
    ui::Trennlinie("BEARBEITEN"),

    ui::ZoomPlusEintrag(),
    ui::ZoomMinusEintrag(),
    ui::ZoomMarkierungEintrag(),
    ui::ZoomGesamtEintrag("Vergrößert oder verkleinert die Grafik so, daß die\nKennlinie "
                          "vollständig ins Grafikfenster paßt."),
    ui::Trennlinie("", Ort::Toolbar, true),

    ui::Darstellungseintrag(3, kDarstellungen),
    ui::Darstellungseintrag(1, kDarstellungen),
    ui::Darstellungseintrag(2, kDarstellungen),
    ui::Trennlinie("", Ort::Toolbar),

    ui::DirekthilfeEintrag("DIREKTHILFE"),
    ui::PinbelegungEintrag(),
};

}  // namespace

ui::Editoraufbau Kennlinienaufbau() {
    return {.fenster = {.fenster = ui::Fenster::Kennlinie,
                        .praefix = "KENNLPNL",
                        .titel = "Kennlinienregler",
                        .menuleiste = "KENNLINIE",
                        .zurueck = "ZURUECK",
                        .hilfeschalter = false,
                        .fehleranzeige = true},
            .menues = kMenues,
            .aktionen = kAktionen,
            .dateidialoge = kDateidialoge,
            .modell = {.yZoomSetzen = characteristic::YZoomSetzen,
                       .rollbalken = characteristic::RollbalkenBerechnen,
                       .gerollt = characteristic::RollbalkenGesetzt,
                       .zoomPlus = characteristic::ZoomPlus,
                       .zoomMinus = characteristic::ZoomMinus,
                       .zoomMarkierung = characteristic::ZoomMarkierung,
                       .zoomGesamt = characteristic::ZoomGesamtkurve,
                       .rueckgaengigMoeglich = characteristic::RueckgaengigMoeglich,
                       .wiederherstellenMoeglich = characteristic::WiederherstellenMoeglich,
                       .geaendert = &characteristic::gKennlinieGeaendert,
                       .datei = &characteristic::gKennliniendatei,
                       .dateiname = characteristic::DateinameOderStandard,
                       .titel = characteristic::Kennlinienpanel_Titel},
            .xName = ""};
}

}  // namespace characteristic
