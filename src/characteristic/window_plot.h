#pragma once
// The characteristic drawn into a graph: markers, lines and the digitised
// steps of the visible range, and the whole picture mux6ctl saves of a file.
// The window and the command line draw with this one code, so a picture of a
// file shows what the window shows.

namespace ui {
class Graph;
}

namespace characteristic {

// gKennlinie's segments that reach into von..bis (input counts): a red marker
// at each point; lines for display mode 1 and 3, steps for 2 and 3; the last
// point's flat part up to the end of the input range lighter. False when the
// values of a segment could not be had: its steps are left out then and the
// caller tells the operator.
bool KennlinieZeichnen(ui::Graph& g, double von, double bis, int darstellung);

// The X axis in input 2's display unit, labels and name.
void XAchseSetzen(ui::Graph& g);

// gKennlinie whole, as the window shows it after "Zoom Gesammtkurve" over the
// full output range: X in input 2's display unit, Y in output 1's. False as
// KennlinieZeichnen.
bool KennlinienbildZeichnen(ui::Graph& g, int darstellung);

}  // namespace characteristic
