#pragma once
// Where the program finds the files it ships beside its code: the toolbar
// pictures and Qt's German translations. An installation that keeps
// everything in one folder (the build tree, Windows) works as well as one
// under any prefix with the program in bin/ and its data in share/mux6/.

#include <QString>

namespace ui {

// The program's data folder `name` (e.g. "buttons") for an executable in
// `programmordner`: beside the executable when it is there, else the
// installed one, ../share/mux6/<name> from the executable's folder. When
// neither exists, the one beside the executable, so a missing folder leaves
// the pictures missing and never takes files from elsewhere.
QString Datenordner(const QString& programmordner, const QString& name);

// The running program's toolbar pictures: Datenordner of its own folder, "buttons".
QString Bilderordner();

// The folder of Qt's German translations (the file qtbase_de.qm): Qt's own
// translations folder `qtOrdner` first (where the system keeps them), then the
// program's data folder "translations"; empty when neither holds them.
QString UebersetzungsordnerIn(const QString& qtOrdner, const QString& programmordner);

// The same for the running program, with Qt's folder as Qt reports it.
QString Uebersetzungsordner();

}  // namespace ui
