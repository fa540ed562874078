#pragma once
// The lesson procedures of the light window, as the course registry lists them.

#include "lesson/Lesson.h"

namespace light {

extern const lesson::Procedure Intro;
extern const lesson::Procedure Kika;
extern const lesson::Procedure Wave;
extern const lesson::Procedure Quantum;
extern const lesson::Procedure Iro;

} // namespace light
