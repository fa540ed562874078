#pragma once
// Sections of the bench program, one file each.

namespace bench {
// Accuracy of the real clock's waits and the CPU a long wait uses.
void clockAccuracy();
// Real time against nominal waits for animated lesson steps.
int pacing(int argc, char* argv[]);
} // namespace bench

// Animated steps of the lessons and the viewer, played on the real clock.
void benchPacingLight();
void benchPacingMatter();
void benchCloud();
int benchPacingTour();
