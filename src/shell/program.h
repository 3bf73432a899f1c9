#pragma once
// The frame of the program: loads the windows, reads the settings, sets up the
// child windows, shows one child window at a time inside the main window,
// keeps the main window's proportions, and ends only when nothing unsaved
// would be lost.

#include <QPointer>
#include <QSize>
#include <functional>

#include "ui/registry.h"

class QWidget;

namespace shell {

class Mainpanel;
class Infopanel;

// The window handles.
extern QPointer<Mainpanel> gMainpanel;
extern QPointer<QWidget> gCompanel;
extern QPointer<QWidget> gKonfigpanel;
extern QPointer<QWidget> gDirektpanel;
extern QPointer<QWidget> gKurvenpanel;
extern QPointer<QWidget> gKennlinienpanel;
extern QPointer<Infopanel> gInfopanel;

// The size rule: the window keeps the proportions of its start size w0 x h0
// and is never smaller. Returns the size the window is to take at w x h.
QSize GroesseNachRegel(QSize start, QSize aktuell);

// Loads all windows (main window first, the others as its children) and
// writes version and date into the Info window. -1 when one cannot be made.
int FensterLaden();
// Discards the windows and forgets their registry entries.
void FensterEntladen();

int InitialisierePanels();
int DeinitialisierePanels();

// What the application needs before its windows are made: its name, Qt's own
// texts in German, the direct-help filter. main() calls it once.
void AnwendungEinrichten();

// The settings file through the windows' readers and writers, in their order.
int ReadIni();
int WriteIni();

void ZeigeChildpanel(ui::Fenster panel);
ui::Fenster AktuellesChildpanel();
void ZeigeInfopanel();
int ProgrammendeFallsAllesGespeichert();
// The end asked for from outside (a signal): the loop ends without the
// questions; Programmablauf then saves what is unsaved as recovery copies
// before it writes the settings and cleans the windows.
void ProgrammendeOhneFragen();
void PanelgroesseAendern(char erstmals);

// How the event loop is ended; tests replace it.
void SchleifenendeSetzen(std::function<void()> beenden);

// The whole life of the program after the application object exists:
// load, read settings, initialise, show, loop, write settings, clean up.
// 0 after an end; -1 when the windows cannot be set up; 1 after an end
// without questions in which something could not be saved (told on stderr,
// as nobody is there to read a box).
int Programmablauf(const std::function<int()>& ereignisschleife);

}  // namespace shell
