#pragma once
// The lesson procedures of the matter window, as the course registry lists them.

#include "lesson/Lesson.h"

namespace matter {

extern const lesson::Procedure Class;
extern const lesson::Procedure Gensi;
extern const lesson::Procedure Cloud;

} // namespace matter
