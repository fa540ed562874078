#pragma once
// The sections of the quantum interpretation (Quantum), one file each, and what their
// pages share: the section title pages and the sprites placed in the 640 x 400 system.

#include "lesson/Lesson.h"
#include "lesson/Page.h"
#include "player/Form.h"
#include "player/globals.h"

#include <QPointF>
#include <QString>

namespace light::quantum {

extern const lesson::Section blackBody;     // 1: black-body radiation and Planck's quantum
extern const lesson::Section compton;       // 2: the Compton effect
extern const lesson::Section photoelectric; // 3: the photoelectric effect
extern const lesson::Section duality;       // 4: wave-particle duality of light
extern const lesson::Section matterWaves;   // 5: the wave nature of matter

// A section's title page: yellow on black, large, nothing else.
inline void titlePage(Page& p, double x, double y, const QString& title) {
    p.cls();
    p.fore(QBColor(14));
    p.back(QBColor(0));
    p.fontSize(32);
    p.print(x, y, title);
}

// Sprites keep their place in fractions of a pixel; these speak the 640 x 400 system.
inline void place(PictureControl& sprite, double x, double y) {
    sprite.moveTo(QPointF(x * gScale, y * gScale));
}
inline QPointF logicalPos(const PictureControl& sprite) {
    return sprite.position() / gScale;
}

} // namespace light::quantum
