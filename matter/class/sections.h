#pragma once
// The sections of the hierarchy-of-matter lesson (Class), one file each.

#include "lesson/Lesson.h"

namespace matter::klass {

extern const lesson::Section measuring; // 1: what measuring means
extern const lesson::Section micro;     // 2: a drop of water magnified down to the quarks
extern const lesson::Section macro;     // 3: from the solar system to the galaxies, the forces

} // namespace matter::klass
