#include "ui/connection_indicator.h"

#include <QPainter>
#include <QPainterPath>

#include "ui/help.h"
#include "ui/registry.h"

namespace ui {

Verbindungsanzeige::Verbindungsanzeige(const QString& praefix, QWidget* eltern)
    : QAbstractButton(eltern) {
    setObjectName(praefix + "_PICTURERING");
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    CallbackVerbinden(this, &QAbstractButton::clicked, this, [] {
        if (const auto& klick = registry().Shell().verbindungsanzeigeGeklickt)
            klick();
    });
    Setzen(-1);
}

void Verbindungsanzeige::Setzen(int port) {
    port_ = (port >= 1 && port <= 8) ? port : -1;
    const bool verbunden = port_ != -1;
    setToolTip(verbunden ? QString("Verbunden über COM%1").arg(port_) : QString("Nicht verbunden"));
    update();
}

void Verbindungsanzeige::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool verbunden = port_ != -1;
    const QColor farbe = verbunden ? QColor(30, 140, 50) : QColor(190, 40, 40);

    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(isDown() ? QColor(220, 220, 220) : QColor(245, 245, 245));
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);

    // A D-sub plug: trapezoid shell with pins; the cable leaves to the left.
    const qreal h = height();
    const QRectF stecker(10, h * 0.25, 22, h * 0.5);
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.drawLine(QPointF(2, h / 2), QPointF(stecker.left(), h / 2));
    QPainterPath schale;
    schale.moveTo(stecker.topLeft());
    schale.lineTo(stecker.topRight());
    schale.lineTo(stecker.right() - 3, stecker.bottom());
    schale.lineTo(stecker.left() + 3, stecker.bottom());
    schale.closeSubpath();
    p.setBrush(farbe);
    p.drawPath(schale);
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(stecker.left() + 5 + i * 4, stecker.center().y() - 2), 1.2, 1.2);
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(stecker.left() + 7 + i * 4, stecker.center().y() + 3), 1.2, 1.2);
    if (!verbunden) {
        p.setPen(QPen(QColor(190, 40, 40), 2.5));
        p.drawLine(QPointF(36, h * 0.3), QPointF(44, h * 0.7));
        p.drawLine(QPointF(44, h * 0.3), QPointF(36, h * 0.7));
    } else {
        p.setPen(QPen(QColor(40, 40, 40), 1.5));
        p.drawLine(QPointF(stecker.right(), h / 2), QPointF(44, h / 2));
    }

    p.setPen(palette().color(QPalette::WindowText));
    const QRectF textfeld(50, 0, width() - 54, h);
    p.drawText(textfeld, Qt::AlignVCenter | Qt::AlignLeft,
               verbunden ? QString("COM%1").arg(port_) : QString("nicht verbunden"));
}

}  // namespace ui
