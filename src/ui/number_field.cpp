#include "ui/number_field.h"

#include <QFontMetrics>
#include <QLocale>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

#include "ui/help.h"

namespace ui {
namespace {

constexpr int kNachkommastellen = 9;
constexpr int kMindestNachkomma = 3;

}  // namespace

Zahlfeld::Zahlfeld(const QString& name, double unten, double oben, QWidget* eltern)
    : QDoubleSpinBox(eltern), unten_(unten), oben_(oben) {
    setObjectName(name);
    // A decimal point whatever the operator's language, as in the files.
    setLocale(QLocale::c());
    setDecimals(kNachkommastellen);
    setRange(unten, oben);
    setSingleStep(oben - unten <= 10.0 ? 0.1 : 1.0);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAccelerated(true);
    Setzen(0.0);
}

void Zahlfeld::Setzen(double wert) {
    const QSignalBlocker still(this);
    exakt_ = wert;
    // A finite value beyond the field's range widens it rather than being
    // shown clamped; the record's values are finite, a stray NaN shows as 0.
    const double zeigen = std::isfinite(wert) ? wert : 0.0;
    setRange(std::min(unten_, zeigen), std::max(oben_, zeigen));
    setValue(zeigen);
}

void Zahlfeld::GrenzenSetzen(double unten, double oben) {
    unten_ = unten;
    oben_ = oben;
    Setzen(exakt_);
}

bool Zahlfeld::Bearbeitet() {
    if (gHilfeAktiv) {
        Zuruecksetzen();
        return false;
    }
    Uebernehmen();
    return true;
}

QString Zahlfeld::textFromValue(double wert) const {
    // As many decimals as the value needs, at least three ("4.095", "0.000")
    // when the field has decimals at all.
    QString t = QString::number(wert, 'f', decimals());
    const qsizetype punkt = t.indexOf('.');
    if (punkt >= 0) {
        qsizetype ende = t.size();
        while (ende > punkt + 1 + kMindestNachkomma && t[ende - 1] == '0')
            --ende;
        t.truncate(ende);
    }
    return t;
}

QSize Zahlfeld::sizeHint() const {
    // The base hint measures the range's extremes, which are far wider than
    // any value the operator works with.
    const QSize basis = QDoubleSpinBox::sizeHint();
    const int breite = fontMetrics().horizontalAdvance("-00000.000") + 34;
    return {breite, basis.height()};
}

QSize Zahlfeld::minimumSizeHint() const {
    return {fontMetrics().horizontalAdvance("-0.000") + 30,
            QDoubleSpinBox::minimumSizeHint().height()};
}

}  // namespace ui
