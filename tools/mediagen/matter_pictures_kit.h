// What the matter pictures share across their sections: the colours of the
// course's parts and the drawings that recur in more than one section.
#pragma once

#include "paint_kit.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QStringList>
#include <numbers>

class QPainter;

namespace mediagen {

inline constexpr double kPi = std::numbers::pi;

// Title-band colours, one per part of the course.
inline const QColor kMeasuring(0x1B, 0x8A, 0x8C);
inline const QColor kMicro(0x2F, 0x6F, 0xB5);
inline const QColor kMacro(0x3C, 0x3C, 0x8C);
inline const QColor kAtom(0xC0, 0x60, 0x2A);

inline const QColor kWater(0x4A, 0x9B, 0xE0);

// A bullet list, one line each, starting at `topLeft`.
void lines(QPainter& p, QPointF topLeft, qreal lineHeight, const QStringList& items, const QFont& font,
           const QColor& colour = ink::text);

// A nucleus drawn as a tight cluster of protons and neutrons.
void nucleusCluster(QPainter& p, QPointF centre, qreal r, int protons, int neutrons);

} // namespace mediagen
