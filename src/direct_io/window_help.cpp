// The window's direct help (HilfetexteDirekt_Callback: each control's text,
// shown by the help filter on a click while direct help is on) and its pin
// assignment.
#include "direct_io/window.h"
#include "ui/dialogs.h"
#include "ui/help.h"

namespace direct_io {
namespace {

struct Hilfe {
    const char* name;  // constant without the window's prefix and channel number
    bool jeKanal;      // <name>1 .. <name>4
    const char* text;
};

constexpr Hilfe kHilfetexte[] = {
    {"EINGANG", true,
     "Analogeingang der MUX-6, dargestellt mit einem\nnachgebildeten Zeigerinstrument sowie "
     "einem\nZahlenwert. Die Eingänge werden gelesen, wenn\nder Knopf 'Eingänge lesen' aktiviert "
     "wurde.\nDie Einheit der Zahlenwerte entspricht der Einheit,\ndie im Fenster 'Konfiguration' "
     "eingestellt wurde."},
    {"MIN", true,
     "Kleinster aufgetretener Wert für diesen Eingang.\nDer Wert kann mit dem Knopf 'min/max "
     "Reset' zurück-\ngesetzt werden."},
    {"MAX", true,
     "Größter aufgetretener Wert für diesen Eingang.\nDer Wert kann mit dem Knopf 'min/max "
     "Reset'\nzurückgesetzt werden."},
    {"BEGRENZUNG", true,
     "Die Ausgänge werden auf den hier eingestellten Wert begrenzt.\nSo kann vermieden werden, "
     "dass versehentlich ein gefährlich hoher\nWert eingestellt wird."},
    {"DATEISPEICHERN", false, "Protokollieren der Ein- und Ausgänge in eine Textdatei."},
    {"DATEISPEICHERNLED", false, "LED grün -> speichern in eine Datei ist aktiv."},
    {"STRIPCHART", false, "Graphische Darstellung der Eingänge.\nSkala: 0 bis 100%"},
    {"PLOT", true, "Bestimmt, ob dieser Eingang als Kurvendiagramm\ndargestellt werden soll."},
    {"AUSGANG", true,
     "Die vier Ausgänge der MUX-6 können mit\nden Drehreglern oder durch Eingabe "
     "eines\nZahlenwertes eingestellt werden.\nDie Einheit der Zahlenwerte entspricht "
     "der\nEinheit, die im Fenster 'Konfiguration'\neingestellt wurde."},
    {"AUSGAENGEAUFNULL", false,
     "Setzt alle vier Ausgänge auf Null. Null bezieht sich hier auf die\nphysikalische Einheit "
     "nach der Umrechnung und entspricht nicht\nunbedingt Null Volt am Ausgang der MUX-6."},
    {"MINMAXRESET", false, "Setzt alle Min- und Max-Werte zurück."},
    {"ABFRAGEN", false, "Schaltet die laufende Abfrage der\nEingänge ein und aus."},
    {"ABTASTZEIT", false,
     "Das Zeitintervall mit dem die Eingänge\nder MUX-6 abgefragt werden, wenn "
     "'Eingänge\nabfragen' aktiv ist."},
    {"ZOOMX", false,
     "Wieviel Abtastpunkte sollen im Diagramm pro\nDiagrammbreite dargestellt werden?\nDurch "
     "größere Werte kann ein größerer Zeitraum\ndargestellt werden, kleinere Werte "
     "bewirken,\ndaß das Diagramm in X-Richtung vergrößert wird."},
    {"ZOOMY", false,
     "Der Maximalwert des Diagramms in Prozent.\nDer Wert 100 zeigt den gesammten "
     "Eingangs-\nspannungsbereich. Durch kleinere Werte können\nkleine Spannungen vergrößert "
     "dargestellt werden."},
};

const char* const kPinText =
    "Pinbelegung für den Direktbetrieb\n\nPin 1:    UB +15V DC\nPin 2:    UB GND\nPin 3:    "
    "Ausgang 1\nPin 4:    GND\nPin 5:    Ausgang 2\nPin 6:    GND\nPin 7:    Ausgang 3\nPin 8:    "
    "GND\nPin 9:    Ausgang 4\nPin 10:  Eingang 1\nPin 11:  GND\nPin 12:  Eingang 2\nPin 13:  "
    "GND\nPin 14:  Eingang 3\nPin 15:  GND\nPin 16:  Eingang 4";

}  // namespace

void Direktpanel::HilfetexteDirekt() {
    for (const Hilfe& h : kHilfetexte) {
        for (int i = 0; i < (h.jeKanal ? kKanaele : 1); ++i) {
            QString name = praefix() + "_" + h.name;
            if (h.jeKanal)
                name += QString::number(i + 1);
            if (auto* w = findChild<QWidget*>(name))
                ui::HilfetextSetzen(w, h.text);
        }
    }
}

void Direktpanel::Menu_Direkt_Hilfe_Pins() {
    ui::dialogs().Meldung(this, "MUX-6 Pinbelegung", kPinText);
}

}  // namespace direct_io
