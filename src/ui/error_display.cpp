#include "ui/error_display.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include "errors/errors.h"
#include "ui/texts.h"

namespace ui {

Led::Led(QWidget* eltern, QColor farbe) : QWidget(eltern), farbe_(farbe) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Led::setOn(bool an) {
    an_ = an;
    update();
}

void Led::setFarbe(QColor farbe) {
    farbe_ = farbe;
    update();
}

void Led::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(2, 2, -2, -2);
    // Off is grey whatever the colour, so "nothing found" reads alike everywhere.
    const QColor kern = an_ ? farbe_ : QColor(105, 105, 105);
    QRadialGradient glanz(r.center() - QPointF(r.width() / 5, r.height() / 5), r.width() / 1.5);
    glanz.setColorAt(0, an_ ? kern.lighter(160) : kern.lighter(130));
    glanz.setColorAt(1, kern);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(glanz);
    p.drawEllipse(r);
}

Fehleranzeige::Fehleranzeige(const QString& praefix, QWidget* eltern) : QWidget(eltern) {
    auto* lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    led_ = new Led(this);
    led_->setObjectName(praefix + "_FEHLERLED");
    text_ = new QLineEdit(this);
    text_->setObjectName(praefix + "_FEHLERSTRING");
    text_->setReadOnly(true);
    text_->setMinimumWidth(260);
    nummer_ = new QLineEdit(this);
    nummer_->setObjectName(praefix + "_FEHLERNR");
    nummer_->setReadOnly(true);
    nummer_->setAlignment(Qt::AlignRight);
    nummer_->setMaximumWidth(80);
    auto* titel = new QLabel("Fehler:", this);
    lay->addWidget(titel);
    lay->addWidget(led_);
    lay->addWidget(text_, 1);
    lay->addWidget(new QLabel("Nr.", this));
    lay->addWidget(nummer_);
    Setzen(0);
}

void Fehleranzeige::Setzen(int code) {
    led_->setOn(code != 0);
    text_->setText(code != 0 ? Q(errors::ORV_Fehlermeldung(code)) : QString());
    text_->setCursorPosition(0);
    nummer_->setText(QString::number(-static_cast<long long>(code)));
}

}  // namespace ui
