// Small drawing helpers shared by the pictures of both courses, so that every
// picture uses the same fonts, arrows, shaded balls and caption boxes.
#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QtCore/qnamespace.h>

class QPainter;

namespace mediagen {

// Text fonts. Sizes are pixel sizes, so a picture looks the same whatever the
// screen's dots per inch.
QFont gothic(qreal pixelSize, bool bold = false);
QFont serif(qreal pixelSize, bool italic = false);

// A few colours used across the pictures.
namespace ink {
inline const QColor text{0x22, 0x22, 0x22};
inline const QColor muted{0x66, 0x66, 0x66};
inline const QColor proton{0xE0, 0x3C, 0x31};
inline const QColor neutron{0x9A, 0xA5, 0xB1};
inline const QColor electron{0x1E, 0x6F, 0xD9};
inline const QColor oxygen{0x2B, 0x59, 0xC3};
inline const QColor hydrogen{0xE8, 0xE8, 0xEE};
} // namespace ink

// Text drawn inside a rectangle; `flags` are Qt alignment and text flags
// (Qt::AlignLeft, Qt::TextWordWrap...), as QPainter::drawText takes them.
void text(QPainter& p, const QRectF& box, const QString& s, const QFont& font, const QColor& colour,
          int flags = Qt::AlignLeft | Qt::AlignVCenter);
// Text whose baseline starts at `at`.
void textAt(QPainter& p, QPointF at, const QString& s, const QFont& font, const QColor& colour);
// Width of a string in a font, for laying out lines by hand.
qreal textWidth(const QString& s, const QFont& font);

// A straight arrow with a filled head at `to`.
void arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, qreal width = 2.0, qreal head = 9.0);
// A double-headed dimension line.
void dimension(QPainter& p, QPointF a, QPointF b, const QColor& colour, qreal width = 1.5);

// A ball lit from the upper left.
void ball(QPainter& p, QPointF centre, qreal radius, const QColor& colour);
// A soft glow (for stars, photons, the Sun): bright core fading to transparent.
void glow(QPainter& p, QPointF centre, qreal radius, const QColor& colour);

// A rounded card with a coloured title band, as used by the matter pictures.
// Returns the area below the band.
QRectF card(QPainter& p, const QRectF& box, const QString& title, const QColor& band, qreal titlePx = 22);

// Vertical gradient filling `box`.
void verticalGradient(QPainter& p, const QRectF& box, const QColor& top, const QColor& bottom);

// Colour of monochromatic light of the given wavelength in nanometres
// (380 to 780), dimmed towards both ends of the visible band.
QColor spectrumColour(double nanometres);

} // namespace mediagen
