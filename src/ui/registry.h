#pragma once
// What the windows offer each other. Each window registers its entry when it
// is set up; the shell and the connection window call through here in the
// orders the program prescribes, so no window library includes another.

#include <QPointer>
#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <optional>

#include "settings/settings.h"

namespace ui {

enum class Fenster { Haupt, Com, Konfig, Direkt, Kurven, Kennlinie, Info };
inline constexpr std::size_t kAnzahlFenster = 7;

struct Fenstereintrag {
    QPointer<QWidget> panel;
    // The window's section of the settings file.
    std::function<void(const settings::IniText&)> iniLesen;
    std::function<void(settings::IniText&)> iniSchreiben;
    // Program end: 0 = go on, non-zero = do not end.
    std::function<int()> abbruchWeilNichtGespeichert;
    // Program end without the questions (ended by a signal): the unsaved work
    // saved to `pfad` as "Speichern" saves it, 0 or its error code; nothing
    // unsaved: nullopt, nothing written.
    std::function<std::optional<int>(const std::filesystem::path& pfad)> wiederherstellungSpeichern;
    // The error display trio (LED, text, number); empty for windows without one.
    std::function<void(int code)> fehlerSetzen;
    // The connection indicator: the open port 1..8, or -1.
    std::function<void(int port)> verbindungSetzen;
    // After the configuration changed: rescale axes and value displays.
    std::function<void()> neuSkalieren;
};

// The shell's services for the windows.
struct Shelldienste {
    std::function<void(Fenster)> zeigeChildpanel;  // Fenster::Haupt: the bare main window
    std::function<int()> programmende;
    // A click on any window's connection indicator (the connection window's
    // ComPicture_Callback: reconnect or disconnect).
    std::function<void()> verbindungsanzeigeGeklickt;
    // The start and stop buttons of the curve and characteristic windows
    // send through the connection window (Start_Callback, Stopp_Callback).
    std::function<void()> start;
    std::function<void()> stopp;
};

class Registry {
  public:
    Fenstereintrag& Eintrag(Fenster f) { return eintraege_[static_cast<std::size_t>(f)]; }
    const Fenstereintrag& Eintrag(Fenster f) const {
        return eintraege_[static_cast<std::size_t>(f)];
    }
    Shelldienste& Shell() { return shell_; }

    // Forgets every entry (tests, and the program's end).
    void Leeren();

  private:
    std::array<Fenstereintrag, kAnzahlFenster> eintraege_{};
    Shelldienste shell_{};
};

Registry& registry();

// The orders in which the shell calls the windows.
inline constexpr std::array<Fenster, 5> kIniReihenfolge = {
    Fenster::Konfig, Fenster::Com, Fenster::Direkt, Fenster::Kurven, Fenster::Kennlinie};
inline constexpr std::array<Fenster, 4> kFehleranzeigeReihenfolge = {
    Fenster::Kurven, Fenster::Com, Fenster::Kennlinie, Fenster::Direkt};
inline constexpr std::array<Fenster, 3> kAbbruchReihenfolge = {Fenster::Kurven, Fenster::Kennlinie,
                                                               Fenster::Direkt};
inline constexpr std::array<Fenster, 6> kVerbindungsanzeigen = {
    Fenster::Haupt,  Fenster::Com,    Fenster::Konfig,
    Fenster::Direkt, Fenster::Kurven, Fenster::Kennlinie};

// Sets (non-zero code) or clears (0) the error display of the curve,
// connection, characteristic and direct input/output windows. Returns 0.
int ComFehlerSetzen(int code);

// Sets every window's connection indicator to the port (1..8) or -1.
void VerbindungsanzeigenSetzen(int port);

// Rescales the windows that show values in physical units.
void NeuSkalieren();

// Switches the child window through the shell (Fenster::Haupt: none).
void ZeigeChildpanel(Fenster f);

// Ends the program unless a window vetoes.
int ProgrammendeFallsAllesGespeichert();

}  // namespace ui
