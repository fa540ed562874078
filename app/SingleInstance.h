#pragma once
// One running copy per user. The mark is a local socket in a folder only this user can
// enter: the runtime folder (XDG_RUNTIME_DIR) when it is this user's and private, else a
// private folder of this user's under the temporary folder, made with mode 0700. Another
// user can neither take the name nor answer on it, and a folder or a socket of another
// user never counts as a running copy. A socket left by a copy that crashed is taken
// over. Besides the folder under the temporary folder and the socket nothing is written.
//
// A second start asks the running copy to bring its window forward and ends once it has
// answered; a copy that does not answer (stopped, hung) is reported, never silently.

#include <functional>

// True for the copy that may run: it holds the mark, or no private place for one could
// be had (better two copies than none). False when another copy of this user runs: the
// caller then ends with bringRunningCopyForward.
bool acquireSingleInstance();

// For a start that found another copy: asks it to bring its window forward. Returns the
// exit status: 0 once the running copy has answered; otherwise a line on standard error
// and, where there is a screen to show it on, a message box, and 1. -1 when the running
// copy ended as it was asked and this start holds the mark now: it runs after all.
int bringRunningCopyForward(int& argc, char** argv);

// In the copy that holds the mark, once the application object exists: every later
// start is answered by calling bringForward on the event thread. Nothing without a mark.
void serveSingleInstance(std::function<void()> bringForward);

// Closes the mark at the end of the run, before the teardown, so that a start during it
// takes over instead of waiting for an answer that will not come.
void releaseSingleInstance();

// Raises the application's front window, un-minimised and active, with the modal dialog
// it shows on top.
void bringWindowsForward();

// How long a second start waits for the running copy's answer, in milliseconds.
constexpr int kInstanceAnswerMs = 1500;
