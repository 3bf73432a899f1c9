#include "shell/picture.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace shell {

void Geraetebild::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(8, 8, -8, -8);

    // The housing.
    QLinearGradient blech(r.topLeft(), r.bottomLeft());
    blech.setColorAt(0, QColor(70, 90, 120));
    blech.setColorAt(1, QColor(35, 45, 65));
    p.setPen(QPen(QColor(20, 25, 35), 2));
    p.setBrush(blech);
    p.drawRoundedRect(r, 12, 12);

    // Name plate.
    QFont f = font();
    f.setBold(true);
    f.setPointSizeF(std::max(12.0, std::min(r.height() / 9, r.width() / 7)));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(r.left(), r.top() + r.height() * 0.05, r.width(), r.height() * 0.2),
               Qt::AlignCenter, "MUX-6");
    f.setBold(false);
    f.setPointSizeF(std::max(7.0, std::min(r.height() / 30, r.width() / 48)));
    p.setFont(f);
    p.setPen(QColor(200, 210, 230));
    p.drawText(QRectF(r.left(), r.top() + r.height() * 0.22, r.width(), r.height() * 0.08),
               Qt::AlignCenter, "4 analoge Ausgänge  ·  4 analoge Eingänge  ·  RS-232");

    // The display with four curves.
    const QRectF schirm(r.left() + r.width() * 0.08, r.top() + r.height() * 0.34, r.width() * 0.84,
                        r.height() * 0.5);
    p.setPen(QPen(QColor(15, 20, 25), 2));
    p.setBrush(QColor(12, 30, 20));
    p.drawRoundedRect(schirm, 6, 6);
    p.setPen(QPen(QColor(40, 80, 55), 1));
    for (int i = 1; i < 8; ++i) {
        const qreal x = schirm.left() + schirm.width() * i / 8;
        p.drawLine(QPointF(x, schirm.top() + 4), QPointF(x, schirm.bottom() - 4));
    }
    for (int i = 1; i < 4; ++i) {
        const qreal y = schirm.top() + schirm.height() * i / 4;
        p.drawLine(QPointF(schirm.left() + 4, y), QPointF(schirm.right() - 4, y));
    }
    const QColor farben[4] = {QColor(90, 255, 120), QColor(255, 210, 80), QColor(110, 190, 255),
                              QColor(255, 120, 120)};
    for (int k = 0; k < 4; ++k) {
        QPainterPath kurve;
        const int n = 60;
        for (int i = 0; i <= n; ++i) {
            const qreal t = static_cast<qreal>(i) / n;
            qreal y = 0;
            switch (k) {
                case 0:
                    y = 0.5 + 0.35 * std::sin(2 * M_PI * t * 1.5);
                    break;
                case 1:
                    y = t < 0.3 ? t / 0.3 * 0.8 : (t < 0.6 ? 0.8 : 0.8 - (t - 0.6) * 1.5);
                    break;
                case 2:
                    y = std::fmod(t * 3, 1.0) * 0.6 + 0.1;
                    break;
                default:
                    y = (static_cast<int>(t * 6) % 2) ? 0.25 : 0.45;
                    break;
            }
            const QPointF pt(schirm.left() + 6 + t * (schirm.width() - 12),
                             schirm.bottom() - 6 - y * (schirm.height() - 12));
            if (i == 0)
                kurve.moveTo(pt);
            else
                kurve.lineTo(pt);
        }
        p.setPen(QPen(farben[k], 2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(kurve);
    }

    // The D-sub connector below the display.
    const QRectF dsub(r.center().x() - r.width() * 0.12, r.top() + r.height() * 0.88,
                      r.width() * 0.24, r.height() * 0.07);
    p.setPen(QPen(QColor(20, 20, 20), 1.5));
    p.setBrush(QColor(180, 180, 185));
    p.drawRoundedRect(dsub, 3, 3);
    p.setBrush(QColor(60, 60, 60));
    for (int i = 0; i < 8; ++i) {
        p.drawEllipse(QPointF(dsub.left() + dsub.width() * (i + 1) / 9, dsub.center().y()), 1.8,
                      1.8);
    }
}

}  // namespace shell
