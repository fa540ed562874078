// Pictures of the macro world.

#include "matter_pictures.h"
#include "matter_pictures_kit.h"

#include "paint_kit.h"
#include "rng.h"

#include <QPainter>

namespace mediagen {

void drawInnerPlanets(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, Qt::black);
    // The Sun's edge at the left, then the planets (sizes not to scale).
    glow(p, QPointF(-40, h / 2.0), 90, QColor(0xFF, 0xB3, 0x00));
    ball(p, QPointF(-40, h / 2.0), 62, QColor(0xFF, 0xC1, 0x07));
    struct Planet {
        qreal x, r;
        const char* name;
        QColor colour;
    };
    const Planet planets[] = {
        {56, 3.5, "水星", QColor(0xA0, 0xA0, 0xA0)},    {100, 6, "金星", QColor(0xF3, 0xE5, 0xAB)},
        {148, 6.5, "地球", QColor(0x2E, 0x86, 0xDE)},   {196, 4.5, "火星", QColor(0xD9, 0x53, 0x2B)},
        {330, 14, "木星", QColor(0xD8, 0xB0, 0x84)},    {410, 12, "土星", QColor(0xE8, 0xD0, 0x8A)},
        {482, 8.5, "天王星", QColor(0x9F, 0xE2, 0xE8)}, {548, 8.5, "海王星", QColor(0x41, 0x69, 0xE1)},
    };
    // The asteroid belt between the inner and the outer planets.
    Rng rng(0xA57E);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 90; ++i) {
        p.setBrush(QColor(0xFF, 0x80, 0xFF));
        p.drawEllipse(QPointF(rng.range(232, 284), rng.range(6, 30)), 0.8, 0.8);
    }
    for (const Planet& planet : planets) {
        const QPointF c(planet.x, 18);
        if (QString::fromUtf8(planet.name) == QStringLiteral("土星")) {
            p.setPen(QPen(QColor(0xC8, 0xB0, 0x70), 2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c, planet.r * 1.9, planet.r * 0.5);
        }
        ball(p, c, planet.r, planet.colour);
        text(p, QRectF(planet.x - 30, 34, 60, 16), QString::fromUtf8(planet.name), gothic(12), Qt::white,
             Qt::AlignCenter);
    }
    text(p, QRectF(214, 34, 90, 16), QStringLiteral("小惑星帯"), gothic(11), QColor(0xFF, 0x80, 0xFF),
         Qt::AlignCenter);
}

} // namespace mediagen
