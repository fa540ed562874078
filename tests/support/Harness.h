#pragma once
// Common set-up of the test programs: the virtual clock, the recording sound backend,
// the media folder of the build, and a chosen display scale.

#include "player/Clock.h"
#include "player/Sound.h"

#include <QString>

namespace harness {

// Installs a fresh virtual clock (seconds-since-midnight reading at time 0 given) and a
// fresh recording sound backend, sets gScale and points gAppPath at the build's bin/.
void setUp(float scale = 1.0f, double secondsAtZero = 9 * 3600.0);
VirtualClock& clock();
RecordingSoundBackend& sounds();
// Unloads every window and lets the deferred deletions run.
void closeAllWindows();
// Processes posted events and deferred deletions.
void flush();

} // namespace harness
