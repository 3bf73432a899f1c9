#pragma once
// The question a window with unsaved work asks at program end (and before its
// work is replaced): "Möchten Sie die Änderungen in <name> speichern?" with
// "Ja", "Nein", "Abbrechen".

#include <QString>
#include <functional>

namespace ui {

// 0: go on (nothing changed, "Nein", or "Ja" and saved); 1: stop (saving
// failed, shown as the error box, or "Abbrechen", or the box closed).
// `name` is the file-name part of the current file, or the window's name.
int AbbruchWeilNichtGespeichert(bool geaendert, const QString& name,
                                const std::function<int()>& speichern);

}  // namespace ui
