#pragma once
// The numbers at an axis's ticks: plain numbers at every zoom, never with a
// power of ten, with no more decimals than the tick step needs and a thin space
// between groups of three digits in large numbers (a dot or comma would read
// as a decimal sign to someone).

#include <QString>

namespace ui {

// The label of the tick at `wert` on an axis whose ticks are `schritt` apart.
QString Zahlbeschriftung(double wert, double schritt);

}  // namespace ui
