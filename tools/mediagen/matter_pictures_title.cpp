// The matter course's title card: the night sky behind the item titles.

#include "matter_pictures.h"
#include "matter_pictures_kit.h"

#include "paint_kit.h"
#include "rng.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace mediagen {

void drawStarTitle(QPainter& p, int w, int h) {
    verticalGradient(p, QRectF(0, 0, w, h), QColor(0x03, 0x05, 0x12), QColor(0x1A, 0x24, 0x55));
    Rng rng(0x57A45);

    // The Milky Way: a diagonal band of faint haze and countless dim stars.
    const QPointF a(-0.1 * w, 0.95 * h);
    const QPointF b(1.1 * w, 0.05 * h);
    const QPointF along = (b - a) / std::hypot(b.x() - a.x(), b.y() - a.y());
    const QPointF across(-along.y(), along.x());
    const qreal length = std::hypot(b.x() - a.x(), b.y() - a.y());
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        const QPointF c = a + along * rng.range(0, length) + across * rng.signedUnit() * h * 0.08;
        QRadialGradient haze(c, rng.range(40, 110));
        const QColor tint = i % 3 == 0 ? QColor(150, 120, 200, 26) : QColor(140, 160, 230, 22);
        haze.setColorAt(0, tint);
        haze.setColorAt(1, QColor(tint.red(), tint.green(), tint.blue(), 0));
        p.setBrush(haze);
        p.drawEllipse(c, 120, 120);
    }
    for (int i = 0; i < 6000; ++i) {
        // Sum of uniforms: denser along the middle of the band.
        const double spread = (rng.signedUnit() + rng.signedUnit() + rng.signedUnit()) / 3;
        const QPointF c = a + along * rng.range(0, length) + across * spread * h * 0.22;
        p.setBrush(QColor(220, 225, 255, 40 + rng.below(70)));
        p.drawEllipse(c, 0.6, 0.6);
    }

    // Stars of every brightness and a few colours.
    const QColor tints[] = {QColor(0xCF, 0xDD, 0xFF), Qt::white, QColor(0xFF, 0xF4, 0xD6),
                            QColor(0xFF, 0xD2, 0xA1)};
    for (int i = 0; i < 1400; ++i) {
        const QPointF c(rng.range(0, w), rng.range(0, h * 0.92));
        const double bright = std::pow(rng.uniform(), 3);
        QColor colour = tints[rng.below(4)];
        colour.setAlpha(70 + int(185 * bright));
        p.setBrush(colour);
        p.drawEllipse(c, 0.5 + 1.1 * bright, 0.5 + 1.1 * bright);
    }
    for (int i = 0; i < 28; ++i) {
        const QPointF c(rng.range(0, w), rng.range(0, h * 0.85));
        const qreal r = rng.range(5, 13);
        const QColor colour = tints[rng.below(4)];
        glow(p, c, r, colour);
        p.setPen(QPen(QColor(255, 255, 255, 120), 0.8));
        p.drawLine(c - QPointF(r * 1.4, 0), c + QPointF(r * 1.4, 0));
        p.drawLine(c - QPointF(0, r * 1.4), c + QPointF(0, r * 1.4));
        p.setPen(Qt::NoPen);
    }

    // Dark hills along the bottom edge.
    QPainterPath hills;
    hills.moveTo(0, h);
    for (int x = 0; x <= w; x += 8) {
        const double y =
            h * 0.9 - 22 * std::sin(x * 0.006 + 1.3) - 12 * std::sin(x * 0.017) - 5 * std::sin(x * 0.05);
        hills.lineTo(x, y);
    }
    hills.lineTo(w, h);
    hills.closeSubpath();
    p.setBrush(QColor(0x02, 0x03, 0x08));
    p.drawPath(hills);
}

} // namespace mediagen
