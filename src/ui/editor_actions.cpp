#include "ui/editor_actions.h"

#include <algorithm>

namespace ui {
namespace {

const char* const kHilfeDarstellung =
    "Darstellungsarten für die Kurven:\n- Linien: Nur die intern gespeicherten Geraden "
    "(schnellerer\n              Grafikaufbau)\n- Stufen: Die digitalisierten Geraden, wie sie "
    "tatächlich\n               von der MUX-6 ausgegeben werden.\n- Lin+St: Linien und Geraden "
    "gleichzeitig.";

Aktion Bearbeiten(const char* name, const char* text, Befehl b, Taste taste, const char* bild,
                  const char* hilfe) {
    return {.menue = "BEARBEITEN",
            .name = name,
            .text = text,
            .befehl = b,
            .taste = taste,
            .tooltip = text,
            .bild = bild,
            .hilfe = hilfe};
}

}  // namespace

Aktion Werkzeugeintrag(Werkzeug w, const char* name, const char* text, const char* tooltip,
                       const char* bild, const char* hilfe, int gruppe) {
    return {.art = Art::Radio,
            .menue = "BEARBEITEN",
            .name = name,
            .text = text,
            .werkzeug = w,
            .gruppe = gruppe,
            .tooltip = tooltip,
            .bild = bild,
            .hilfe = hilfe};
}

Aktion Darstellungseintrag(int wert, int gruppe) {
    struct Modus {
        const char* name;
        const char* text;
        const char* tooltip;
    };
    static constexpr Modus kModi[] = {
        {"LIN", "Linien", "Kurven als Linien darstellen"},
        {"ST", "Stufen", "Kurven als Stufen darstellen"},
        {"LINST", "Linien + Stufen", "Kurven als Linien + Stufen darstellen"},
    };
    const Modus& m = kModi[std::clamp(wert, 1, 3) - 1];
    return {.art = Art::Radio,
            .menue = "ANSICHT_DARSTELLUNG",
            .name = m.name,
            .text = m.text,
            .befehl = Befehl::Darstellung,
            .wert = wert,
            .gruppe = gruppe,
            .tooltip = m.tooltip,
            .bild = "leer",
            .hilfe = kHilfeDarstellung,
            .spiegel = true,
            .gedimmt = true};
}

Aktion Trennlinie(const char* menue, Ort ort, bool gedimmt) {
    return {.art = Art::Trenner, .menue = menue, .gedimmt = gedimmt, .trenner = ort};
}

Aktion RueckgaengigEintrag() {
    return Bearbeiten("RUECKGAENGIG", "Rückgängig", Befehl::Rueckgaengig, {QKeySequence::Undo},
                      "undo", "Macht den letzten Bearbeitungsschritt rückgängig.");
}

Aktion WiederherstellenEintrag() {
    return Bearbeiten("WIEDERHERST", "Wiederherstellen", Befehl::Wiederherstellen,
                      {.kombination = QKeyCombination(Qt::CTRL, Qt::Key_Y).toCombined()}, "redo",
                      "Stellt den letzten rückgängig gemachten\nBearbeitungsschritt wieder her.");
}

Aktion ZoomPlusEintrag() {
    return Bearbeiten("ZOOMPLUS", "Zoom +", Befehl::ZoomPlus, {.kombination = Qt::Key_Plus},
                      "zoomplus", "Vergrößert die Grafik.");
}

Aktion ZoomMinusEintrag() {
    return Bearbeiten("ZOOMMINUS", "Zoom -", Befehl::ZoomMinus, {.kombination = Qt::Key_Minus},
                      "zoomminus", "Verkleinert die Grafik.");
}

Aktion ZoomMarkierungEintrag() {
    return Bearbeiten("ZOOMMARK", "Zoom Markierung", Befehl::ZoomMarkierung, {}, "zoommark",
                      "Vergrößert die Grafik auf den markierten Bereich.");
}

Aktion ZoomGesamtEintrag(const char* hilfe) {
    return Bearbeiten("ZOOMVOLL", "Zoom Gesammtkurve", Befehl::ZoomGesamt, {}, "zoomvoll", hilfe);
}

Aktion DirekthilfeEintrag(const char* name) {
    return {.art = Art::Direkthilfe,
            .menue = "HILFE",
            .name = name,
            .text = "Direkthilfe",
            .tooltip = "Direkthilfe",
            .bild = "help",
            .hilfe = "Schaltet die Direkthilfe ein oder aus."};
}

Aktion PinbelegungEintrag() {
    return {.menue = "HILFE",
            .name = "PINS",
            .text = "MUX-6 Pinbelegung",
            .befehl = Befehl::Pinbelegung};
}

}  // namespace ui
