#pragma once
// Start-up of the application.

class QApplication;

// Settings every program of the project shares: the widget style and font, so the
// windows look the same in the application, the tour and the tests.
void initApplication(QApplication& app);

// True for the first running copy; a second copy gets false and should end at once.
// The lock is held until the process ends.
bool acquireSingleInstance();

// Fixes the scale factor and the application folder, and shows the start window.
void Main();
