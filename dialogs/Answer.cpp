#include "dialogs/Answer.h"

// Placeholder until the answer dialogs exist: every question counts as answered right.
bool Ask(LessonWindow&, int, const AskOptions&) { return true; }
