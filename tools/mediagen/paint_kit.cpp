#include "paint_kit.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace mediagen {

QFont gothic(qreal pixelSize, bool bold) {
    QFont f(QStringLiteral("IPAPGothic"));
    f.setPixelSize(qRound(pixelSize));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QFont serif(qreal pixelSize, bool italic) {
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setPixelSize(qRound(pixelSize));
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

void text(QPainter& p, const QRectF& box, const QString& s, const QFont& font, const QColor& colour,
          int flags) {
    p.save();
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, flags, s);
    p.restore();
}

void textAt(QPainter& p, QPointF at, const QString& s, const QFont& font, const QColor& colour) {
    p.save();
    p.setFont(font);
    p.setPen(colour);
    p.drawText(at, s);
    p.restore();
}

qreal textWidth(const QString& s, const QFont& font) {
    return QFontMetricsF(font).horizontalAdvance(s);
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, qreal width, qreal head) {
    const QLineF line(from, to);
    if (line.length() < 1e-6) return;
    const QPointF dir = (to - from) / line.length();
    const QPointF normal(-dir.y(), dir.x());
    const QPointF base = to - dir * head;
    p.save();
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(from, base + dir * 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const QPointF tip[3] = {to, base + normal * head * 0.45, base - normal * head * 0.45};
    p.drawPolygon(tip, 3);
    p.restore();
}

void dimension(QPainter& p, QPointF a, QPointF b, const QColor& colour, qreal width) {
    const QPointF mid = (a + b) / 2;
    arrow(p, mid, a, colour, width, 7);
    arrow(p, mid, b, colour, width, 7);
}

void ball(QPainter& p, QPointF centre, qreal radius, const QColor& colour) {
    QRadialGradient g(centre + QPointF(-radius * 0.35, -radius * 0.4), radius * 1.3);
    g.setColorAt(0.0, colour.lighter(175));
    g.setColorAt(0.45, colour);
    g.setColorAt(1.0, colour.darker(170));
    p.save();
    p.setPen(QPen(colour.darker(200), std::max(0.6, radius / 14)));
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

void glow(QPainter& p, QPointF centre, qreal radius, const QColor& colour) {
    QRadialGradient g(centre, radius);
    QColor edge = colour;
    edge.setAlpha(0);
    QColor mid = colour;
    mid.setAlpha(110);
    g.setColorAt(0.0, Qt::white);
    g.setColorAt(0.18, colour.lighter(130));
    g.setColorAt(0.45, mid);
    g.setColorAt(1.0, edge);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

QRectF card(QPainter& p, const QRectF& box, const QString& title, const QColor& band, qreal titlePx) {
    const qreal bandHeight = titlePx * 1.7;
    const QRectF inner = box.adjusted(1, 1, -1, -1);
    p.save();
    QPainterPath outline;
    outline.addRoundedRect(inner, 10, 10);
    p.setPen(QPen(band.darker(130), 2));
    p.setBrush(QColor(0xFB, 0xFB, 0xF8));
    p.drawPath(outline);
    p.setClipPath(outline);
    p.fillRect(QRectF(inner.left(), inner.top(), inner.width(), bandHeight), band);
    p.setClipping(false);
    p.restore();
    text(p, QRectF(inner.left() + 16, inner.top(), inner.width() - 32, bandHeight), title,
         gothic(titlePx, true), Qt::white);
    return QRectF(inner.left(), inner.top() + bandHeight, inner.width(), inner.height() - bandHeight);
}

void verticalGradient(QPainter& p, const QRectF& box, const QColor& top, const QColor& bottom) {
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(box, g);
}

QColor spectrumColour(double nm) {
    // Piecewise-linear approximation of the colour of spectral light, the
    // usual one for drawing spectra on a monitor.
    nm = std::clamp(nm, 380.0, 780.0);
    double r = 0, g = 0, b = 0;
    if (nm < 440) {
        r = (440 - nm) / (440 - 380);
        b = 1;
    } else if (nm < 490) {
        g = (nm - 440) / (490 - 440);
        b = 1;
    } else if (nm < 510) {
        g = 1;
        b = (510 - nm) / (510 - 490);
    } else if (nm < 580) {
        r = (nm - 510) / (580 - 510);
        g = 1;
    } else if (nm < 645) {
        r = 1;
        g = (645 - nm) / (645 - 580);
    } else {
        r = 1;
    }
    double fade = 1;
    if (nm < 420)
        fade = 0.3 + 0.7 * (nm - 380) / (420 - 380);
    else if (nm > 700)
        fade = 0.3 + 0.7 * (780 - nm) / (780 - 700);
    auto channel = [fade](double c) {
        return qBound(0, int(std::lround(255 * std::pow(c * fade, 0.8))), 255);
    };
    return QColor(channel(r), channel(g), channel(b));
}

} // namespace mediagen
