#pragma once
// The file types the program's dialogs offer. Each list keeps the pattern
// the windows give ("*.skr") and says what the files are, and a save of the
// program's own files gets their extension whatever the operator typed.

#include <QString>

namespace ui {

// The dialog's type list for a pattern: "Kurvendateien (*.skr)"; a pattern
// the program does not know stands alone.
QString Dateitypliste(const QString& muster);

// The extension of a pattern without its dot: "skr" for "*.skr"; empty when
// the pattern names no single extension ("*").
QString Endung(const QString& muster);

// True for the program's own binary files (curves, characteristics,
// configurations): a save is made under their extension. Text files keep
// the name the operator gave.
bool EndungErzwungen(const QString& muster);

// `pfad` ending in the pattern's extension: unchanged when it already does
// (in any case), else with it appended.
QString MitEndung(const QString& pfad, const QString& muster);

}  // namespace ui
