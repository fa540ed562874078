#pragma once
// The introduction to light (Intro) has one section of nature scenes.

#include "lesson/Lesson.h"

namespace light::intro {

extern const lesson::Section scenes; // 1: from the night sky to the rainbow

} // namespace light::intro
