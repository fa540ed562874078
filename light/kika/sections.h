#pragma once
// The sections of the geometric-optics lesson (Kika), one file each.

#include "lesson/Lesson.h"

namespace light::kika {

extern const lesson::Section properties; // 1: straight propagation, reflection, refraction
extern const lesson::Section fermat;     // 2: Fermat's principle
extern const lesson::Section newton;     // 3: Newton's prism and scattering

} // namespace light::kika
