#include "direct_io/window_instruments.h"

#include <QDial>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>
#include <cmath>

#include "ui/help.h"
#include "ui/number_field.h"

namespace direct_io {
namespace {

// The fields hold whatever a scaling gives; the model limits what is sent.
constexpr double kFeldgrenze = 1e12;
// One dial step is one count of the output.
constexpr int kDialschritte = 4095;
// The gauge's scale: 240 degrees from lower left to lower right.
constexpr double kStartwinkel = 210.0;
constexpr double kBogen = 240.0;
constexpr int kTeilstriche = 10;

ui::Zahlfeld* Zahl(QWidget* eltern, bool eingabe) {
    auto* f = new ui::Zahlfeld(QString(), -kFeldgrenze, kFeldgrenze, eltern);
    f->setButtonSymbols(QAbstractSpinBox::NoButtons);
    // A number counts when it is entered, not at every key.
    f->setKeyboardTracking(false);
    if (!eingabe) {
        f->setReadOnly(true);
        f->setFocusPolicy(Qt::NoFocus);
    }
    return f;
}

// Where a value stands between the scale's ends, 0..1 (either direction).
double Anteil(const Skala& s, double wert) {
    const double spanne = s.hi - s.lo;
    if (spanne == 0.0 || !std::isfinite(spanne) || !std::isfinite(wert))
        return 0.0;
    return std::clamp((wert - s.lo) / spanne, 0.0, 1.0);
}

// Scale labels as short as the number allows ("0", "5", "10", "0.25").
QString Kurz(double wert) {
    return QString::number(wert, 'g', 6);
}

}  // namespace

void StellenSetzen(ui::Zahlfeld* feld, int stellen) {
    // Rounding to fewer decimals must not count as the operator's edit.
    const QSignalBlocker still(feld);
    feld->setDecimals(stellen);
    feld->setSingleStep(std::pow(10.0, -stellen));
    feld->Zuruecksetzen();
}

// ---- Gauge ------------------------------------------------------------------------

Zeigerinstrument::Zeigerinstrument(const QString& name, QWidget* eltern) : QWidget(eltern) {
    setObjectName(name);
    anzeige_ = Zahl(this, false);
    einheit_ = new QLabel(this);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addStretch(1);
    auto* zeile = new QHBoxLayout;
    zeile->addStretch(1);
    zeile->addWidget(anzeige_);
    zeile->addWidget(einheit_);
    zeile->addStretch(1);
    lay->addLayout(zeile);
    SkalaSetzen(skala_);
}

void Zeigerinstrument::SkalaSetzen(const Skala& s) {
    skala_ = s;
    StellenSetzen(anzeige_, s.stellen);
    einheit_->setText(s.einheit);
    update();
}

void Zeigerinstrument::Setzen(double wert) {
    anzeige_->Setzen(wert);
    update();
}

double Zeigerinstrument::Wert() const {
    return anzeige_->Wert();
}

QSize Zeigerinstrument::minimumSizeHint() const {
    return {170, 140};
}

void Zeigerinstrument::changeEvent(QEvent* e) {
    // Dimmed, the dial is drawn grey.
    if (e->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(e);
}

QRectF Zeigerinstrument::Zifferblatt() const {
    // Above the numeric display; the arc's lower ends reach below the centre.
    const double hoehe = anzeige_->geometry().top() - 4.0;
    const double r = std::max(10.0, std::min(width() / 2.0 - 8.0, hoehe / 1.55));
    const QPointF mitte(width() / 2.0, r + 6.0);
    return {mitte.x() - r, mitte.y() - r, 2 * r, 2 * r};
}

void Zeigerinstrument::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF kreis = Zifferblatt();
    const QPointF mitte = kreis.center();
    const double r = kreis.width() / 2.0;
    const QPalette::ColorGroup gruppe = isEnabled() ? QPalette::Active : QPalette::Disabled;
    const QColor tinte = palette().color(gruppe, QPalette::WindowText);
    const QColor zeiger = isEnabled() ? QColor(200, 0, 0) : tinte;

    p.setPen(QPen(tinte, 1.5));
    p.drawArc(kreis, static_cast<int>((kStartwinkel - kBogen) * 16), static_cast<int>(kBogen * 16));
    const auto punkt = [&](double anteil, double radius) {
        const double w = qDegreesToRadians(kStartwinkel - anteil * kBogen);
        return QPointF(mitte.x() + radius * std::cos(w), mitte.y() - radius * std::sin(w));
    };
    QFont klein = font();
    klein.setPointSizeF(font().pointSizeF() * 0.85);
    p.setFont(klein);
    const QFontMetricsF fm(klein);
    for (int t = 0; t <= kTeilstriche; ++t) {
        const double a = static_cast<double>(t) / kTeilstriche;
        const bool gross = t % (kTeilstriche / 2) == 0;
        p.drawLine(punkt(a, r), punkt(a, r * (gross ? 0.84 : 0.91)));
        if (!gross)
            continue;
        const QString text = Kurz(skala_.lo + a * (skala_.hi - skala_.lo));
        const QSizeF g(fm.horizontalAdvance(text) + 2, fm.height());
        const QPointF ort = punkt(a, r * 0.62);
        p.drawText(QRectF(ort - QPointF(g.width() / 2, g.height() / 2), g), Qt::AlignCenter, text);
    }
    p.setPen(QPen(zeiger, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(mitte, punkt(Anteil(skala_, Wert()), r * 0.88));
    p.setBrush(tinte);
    p.setPen(Qt::NoPen);
    p.drawEllipse(mitte, 3.5, 3.5);
}

// ---- Knob ---------------------------------------------------------------------------

Drehknopf::Drehknopf(const QString& name, QWidget* eltern) : QWidget(eltern) {
    setObjectName(name);
    dial_ = new QDial(this);
    dial_->setRange(0, kDialschritte);
    dial_->setNotchesVisible(true);
    dial_->setNotchTarget(8.0);
    dial_->setWrapping(false);
    dial_->setMinimumSize(78, 78);
    feld_ = Zahl(this, true);
    einheit_ = new QLabel(this);
    lo_ = new QLabel(this);
    hi_ = new QLabel(this);
    hi_->setAlignment(Qt::AlignRight);
    setFocusProxy(feld_);

    auto* lay = new QGridLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setVerticalSpacing(0);
    lay->addWidget(dial_, 0, 0, 1, 2);
    lay->addWidget(lo_, 1, 0);
    lay->addWidget(hi_, 1, 1);
    auto* zeile = new QHBoxLayout;
    zeile->setSpacing(4);
    zeile->addStretch(1);
    zeile->addWidget(feld_);
    zeile->addWidget(einheit_);
    zeile->addStretch(1);
    lay->addLayout(zeile, 2, 0, 1, 2);

    // A wheel turns the dial past the direct-help filter: help puts it back.
    ui::CallbackVerbinden(
        dial_, &QDial::valueChanged, this, [this](int s) { Gedreht(s); },
        [this] { Zuruecksetzen(); });
    connect(feld_, &QDoubleSpinBox::valueChanged, this, [this] { Eingegeben(); });
    SkalaSetzen(skala_);
}

void Drehknopf::SkalaSetzen(const Skala& s) {
    skala_ = s;
    StellenSetzen(feld_, s.stellen);
    einheit_->setText(s.einheit);
    lo_->setText(Kurz(s.lo));
    hi_->setText(Kurz(s.hi));
    StellungZeigen(Wert());
}

void Drehknopf::Setzen(double wert) {
    feld_->Setzen(wert);
    StellungZeigen(wert);
}

double Drehknopf::Wert() const {
    return feld_->Wert();
}

void Drehknopf::Zuruecksetzen() {
    Setzen(Wert());
}

void Drehknopf::StellungZeigen(double wert) {
    const QSignalBlocker still(dial_);
    dial_->setValue(static_cast<int>(std::lround(Anteil(skala_, wert) * kDialschritte)));
}

void Drehknopf::Gedreht(int stellung) {
    feld_->Setzen(skala_.lo + (skala_.hi - skala_.lo) * stellung / kDialschritte);
    if (geaendert)
        geaendert();
}

void Drehknopf::Eingegeben() {
    if (!feld_->Bearbeitet()) {
        StellungZeigen(Wert());
        return;
    }
    StellungZeigen(Wert());
    if (geaendert)
        geaendert();
}

}  // namespace direct_io
