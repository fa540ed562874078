#include "matter_pictures_kit.h"

#include <QPainter>
#include <cmath>

namespace mediagen {

void lines(QPainter& p, QPointF topLeft, qreal lineHeight, const QStringList& items, const QFont& font,
           const QColor& colour) {
    for (int i = 0; i < items.size(); ++i)
        text(p, QRectF(topLeft.x(), topLeft.y() + i * lineHeight, 2000, lineHeight), items[i], font, colour);
}

void nucleusCluster(QPainter& p, QPointF centre, qreal r, int protons, int neutrons) {
    const int total = protons + neutrons;
    int drawnP = 0;
    int drawnN = 0;
    for (int i = 0; i < total; ++i) {
        // A sunflower spiral packs the balls evenly in a disc.
        const double a = i * 2.39996;
        const double d = r * 0.42 * std::sqrt(double(i) + 0.3);
        const bool proton = (i % 2 == 0 && drawnP < protons) || drawnN >= neutrons;
        (proton ? drawnP : drawnN)++;
        ball(p, centre + QPointF(d * std::cos(a), d * std::sin(a)), r, proton ? ink::proton : ink::neutron);
    }
}

} // namespace mediagen
