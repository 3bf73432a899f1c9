#pragma once
// What an editing operation did. Operations never show anything: the window
// shows `meldung` in a box titled "Fehler", passes `code` to the shared error
// pop-up, and redraws when `geaendert()`.

#include <string>

namespace editor {

enum class Ausgang {
    Erledigt,     // the points changed
    NichtsZuTun,  // nothing to do; points and undo ring as they were
    Abgelehnt,    // refused with `meldung`; points and undo ring as they were
    Fehler        // failed with `code` (and perhaps `meldung`)
};

struct Ergebnis {
    Ausgang ausgang = Ausgang::NichtsZuTun;
    // Text for the "Fehler" box. With Erledigt it reports a part that could
    // not be done (a lost undo step, a value refused after another change).
    std::string meldung;
    // For the shared error pop-up; 0 = none. With Erledigt it reports a part
    // that failed after the points had changed.
    int code = 0;

    bool geaendert() const { return ausgang == Ausgang::Erledigt; }
};

// What both editors show when an undo step or an undo could not get memory.
inline constexpr const char* kSpeicherFehlerText = "Speicherreservierung fehlgeschlagen";

// Refusals both editors word alike (shown in the "Fehler" box).
inline constexpr const char* kResultierendZuLang = "Resultierende Gerade ist zu lang!";
inline constexpr const char* kUnvorhergesehen = "Unvorhergesehene Operation.";
inline constexpr const char* kErsterPunktFest =
    "Der erste Punkt kann nicht auf der Zeitachse verschoben werden.";
inline constexpr const char* kYZuKlein = "Y-Wert zu klein.";
inline constexpr const char* kYZuGross = "Y-Wert zu groß.";
inline constexpr const char* kLetzterPunkt = "Letzter Punkt kann nicht gelöscht werden";

inline Ergebnis Erledigt(std::string meldung = {}) {
    return Ergebnis{Ausgang::Erledigt, std::move(meldung), 0};
}

inline Ergebnis Abgelehnt(std::string meldung) {
    return Ergebnis{Ausgang::Abgelehnt, std::move(meldung), 0};
}

inline Ergebnis Fehlgeschlagen(int code, std::string meldung = {}) {
    return Ergebnis{Ausgang::Fehler, std::move(meldung), code};
}

}  // namespace editor
