#pragma once
// The error box: "Fehler #<number>" over the code's text. Group -6 is never shown.

#include <QString>

class QWidget;

namespace ui {

// Returns -6000 for group -6 (nothing shown), else 0.
int ORV_Fehlerpopup(int code);
// With the caller's title before " #<number>".
void ORV_Fehlerpopup2(int code, const QString& titel);

}  // namespace ui
