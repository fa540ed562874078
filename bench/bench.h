#pragma once
// Sections of the bench program, one file each.

namespace bench {
// Accuracy of the real clock's waits and the CPU a long wait uses.
void clockAccuracy();
// Real time against nominal waits for the animated steps of the pacing rows; options
// --csv (rows as name,nominal_ms,real_ms), --runs N (5), --no-busy, --no-tour, --only TEXT.
int pacing(int argc, char* argv[]);
} // namespace bench

// The electron-cloud viewer's clouds, and the course tour on the virtual clock.
void benchCloud();
int benchPacingTour();
