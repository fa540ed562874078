#pragma once
// The sections of the wave-optics lesson (Wave), one file each, and what they share.

#include "lesson/Lesson.h"
#include "lesson/Page.h"

#include <QtGlobal>

class Page;

namespace light::wave {

extern const lesson::Section properties;      // 1: the sine wave, its phase, a travelling wave
extern const lesson::Section superposition;   // 2: two typed-in waves and their sum
extern const lesson::Section huygens;         // 3: Huygens' principle
extern const lesson::Section reflection;      // 4: reflection and refraction by Huygens' construction
extern const lesson::Section singleSlit;      // 5: diffraction at one slit
extern const lesson::Section doubleSlit;      // 6: two slits, gratings, Maxwell
extern const lesson::Section electromagnetic; // 7: light as an electromagnetic wave, the spectrum

// Degrees to radians as the lesson has always converted them (3.141592 / 180): the
// curves keep the places their pictures were drawn with.
constexpr double kDegree = 0.01745328888888889;

// Draws one typed-in wave of the superposition exercise: wave 1 on the axis at y 80,
// wave 2 on the axis at y 180, point by point at the pace a learner can follow, with
// its amplitude and frequency beside it. Any other wave number draws nothing.
void Wave_sub1(Page& p, const qint16& which, qint16 amplitude, qint16 frequency);

} // namespace light::wave
