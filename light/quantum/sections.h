#pragma once
// The sections of the quantum interpretation (Quantum), one file each.

#include "lesson/Lesson.h"
#include "lesson/Page.h"

namespace light::quantum {

extern const lesson::Section blackBody;     // 1: black-body radiation and Planck's quantum
extern const lesson::Section compton;       // 2: the Compton effect
extern const lesson::Section photoelectric; // 3: the photoelectric effect
extern const lesson::Section duality;       // 4: wave-particle duality of light
extern const lesson::Section matterWaves;   // 5: the wave nature of matter

} // namespace light::quantum
