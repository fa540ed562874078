#pragma once
// The sections of the atomic-structure lesson (Gensi), one file each.

#include "lesson/Lesson.h"

namespace matter::gensi {

extern const lesson::Section makeUp;           // 1: what an atom is made of
extern const lesson::Section solarSystemModel; // 2: the atom against a solar-system model
extern const lesson::Section uncertainty;      // 3: the uncertainty principle

} // namespace matter::gensi
