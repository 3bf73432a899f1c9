// The menu bar "KENNLINIE" and its toolbar: every item once, in menu order;
// the toolbar takes the items with a tooltip in the same order.
#include "characteristic/window.h"

namespace characteristic {
namespace {

using ui::Art;
using ui::Befehl;
using ui::Ort;
using ui::Werkzeug;

constexpr int kWerkzeuge = 1;
constexpr int kDarstellungen = 2;

const char* const kHilfeDarstellung =
    "Darstellungsarten für die Kurven:\n- Linien: Nur die intern gespeicherten Geraden "
    "(schnellerer\n              Grafikaufbau)\n- Stufen: Die digitalisierten Geraden, wie sie "
    "tatächlich\n               von der MUX-6 ausgegeben werden.\n- Lin+St: Linien und Geraden "
    "gleichzeitig.";

// The display-mode buttons are mirrors that stay dimmed: the mode is chosen
// in the "Ansicht" menu, the buttons only show it.
ui::Aktion Darstellung(int wert, const char* name, const char* text, const char* tooltip) {
    return {.art = Art::Radio,
            .menue = "ANSICHT_DARSTELLUNG",
            .name = name,
            .text = text,
            .befehl = Befehl::Darstellung,
            .wert = wert,
            .gruppe = kDarstellungen,
            .tooltip = tooltip,
            .bild = "leer",
            .hilfe = kHilfeDarstellung,
            .spiegel = true,
            .gedimmt = true};
}

ui::Aktion Werkzeugeintrag(Werkzeug w, const char* name, const char* text, const char* tooltip,
                           const char* bild, const char* hilfe) {
    return {.art = Art::Radio,
            .menue = "BEARBEITEN",
            .name = name,
            .text = text,
            .werkzeug = w,
            .gruppe = kWerkzeuge,
            .tooltip = tooltip,
            .bild = bild,
            .hilfe = hilfe};
}

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

ui::Aktion Zoomeintrag(const char* name, const char* text, Befehl b, const char* bild,
                       const char* hilfe, ui::Taste taste = {}) {
    return {.menue = "BEARBEITEN",
            .name = name,
            .text = text,
            .befehl = b,
            .taste = taste,
            .tooltip = text,
            .bild = bild,
            .hilfe = hilfe};
}

ui::Aktion Trenner(const char* menue, Ort ort = Ort::Beide, bool gedimmt = false) {
    return {.art = Art::Trenner, .menue = menue, .gedimmt = gedimmt, .trenner = ort};
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
    Trenner("DATEI"),

    {.menue = "BEARBEITEN",
     .name = "ALLESMARK",
     .text = "Alles Markieren",
     .befehl = Befehl::AllesMarkieren,
     .taste = {QKeySequence::SelectAll}},
    {.menue = "BEARBEITEN",
     .name = "RUECKGAENGIG",
     .text = "Rückgängig",
     .befehl = Befehl::Rueckgaengig,
     .taste = {QKeySequence::Undo},
     .tooltip = "Rückgängig",
     .bild = "undo",
     .hilfe = "Macht den letzten Bearbeitungsschritt rückgängig.",
     .gedimmt = true},
    {.menue = "BEARBEITEN",
     .name = "WIEDERHERST",
     .text = "Wiederherstellen",
     .befehl = Befehl::Wiederherstellen,
     .taste = {.kombination = QKeyCombination(Qt::CTRL, Qt::Key_Y).toCombined()},
     .tooltip = "Wiederherstellen",
     .bild = "redo",
     .hilfe = "Stellt den letzten rückgängig gemachten\nBearbeitungsschritt wieder her.",
     .gedimmt = true},
    Trenner("BEARBEITEN"),

    Werkzeugeintrag(Werkzeug::Markieren, "MARKIEREN", "Markieren", "Markieren", "mark",
                    "Markieren eines Kurventeils."),
    Werkzeugeintrag(Werkzeug::Zeichnen, "ZEICHNEN", "Punkt zeichnen", "Punkt zeichnen", "stift",
                    "Zeichnet einen neuen Kurvenpunkt am Ende der bisherigen Kurve."),
    Werkzeugeintrag(Werkzeug::Verschieben, "VERSCHIEBEN", "Punkt verschieben", "Punkt verschieben",
                    "verschieben",
                    "Verschiebt einen bestehenden Kurvenpunkt.\nEin Punkt kann nur innerhalb der "
                    "vorigen und nächsten\nGerade verschoben werden."),
    Werkzeugeintrag(Werkzeug::Punktkoordinaten, "PUNKTKOORDINAT", "Punktkoordinaten ändern",
                    "Punktkoordinaten zeigen/ändern", "punktinfo",
                    "Durch anklicken eines Kurvenpunktes erscheint ein Fenster mit\nden "
                    "Punktkoordinaten. Die Koordinaten können geändert werden,\naber nur innerhalb "
                    "der gleichen Grenzen wie bei 'Punkt verschieben'."),
    Werkzeugeintrag(Werkzeug::Anzeigen, "KOORDINATZEIG", "Koordinaten anzeigen",
                    "Koordinaten anzeigen", "xyzeigen2",
                    "Wird der Mauszeiger bei gedrückter linker Maustaste über die\nKurvengrafik "
                    "bewegt, so werden die Koordinaten an der Maus-\nposition angezeigt."),
    Werkzeugeintrag(Werkzeug::PunktLoeschen, "PUNKTLOESCHEN", "Punkt auflösen", "Punkt auflösen",
                    "punktdel", "Löscht einen Kurvenpunkt."),
    Werkzeugeintrag(Werkzeug::GeradeTeilen, "GERADETEILEN", "Gerade teilen", "Gerade teilen",
                    "geradeteilen",
                    "Teilt eine Gerade indem ein zusätzlicher\nPunkt eingefügt wird."),
    Trenner("BEARBEITEN"),

    Zoomeintrag("ZOOMPLUS", "Zoom +", Befehl::ZoomPlus, "zoomplus", "Vergrößert die Grafik.",
                {.kombination = Qt::Key_Plus}),
    Zoomeintrag("ZOOMMINUS", "Zoom -", Befehl::ZoomMinus, "zoomminus", "Verkleinert die Grafik.",
                {.kombination = Qt::Key_Minus}),
    Zoomeintrag("ZOOMMARK", "Zoom Markierung", Befehl::ZoomMarkierung, "zoommark",
                "Vergrößert die Grafik auf den markierten Bereich."),
    Zoomeintrag("ZOOMVOLL", "Zoom Gesammtkurve", Befehl::ZoomGesamt, "zoomvoll",
                "Vergrößert oder verkleinert die Grafik so, daß die\nKennlinie "
                "vollständig ins Grafikfenster paßt."),
    Trenner("", Ort::Toolbar, true),

    Darstellung(3, "LINST", "Linien + Stufen", "Kurven als Linien + Stufen darstellen"),
    Darstellung(1, "LIN", "Linien", "Kurven als Linien darstellen"),
    Darstellung(2, "ST", "Stufen", "Kurven als Stufen darstellen"),
    Trenner("", Ort::Toolbar),

    {.art = Art::Direkthilfe,
     .menue = "HILFE",
     .name = "DIREKTHILFE",
     .text = "Direkthilfe",
     .tooltip = "Direkthilfe",
     .bild = "help",
     .hilfe = "Schaltet die Direkthilfe ein oder aus."},
    {.menue = "HILFE", .name = "PINS", .text = "MUX-6 Pinbelegung", .befehl = Befehl::Pinbelegung},
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
            .xName = ""};
}

}  // namespace characteristic
