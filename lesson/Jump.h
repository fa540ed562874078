#pragma once
// The teacher's jump: straight to a section of an item, without clicking through the
// steps before it. Ctrl+G in a lesson window offers the course's items and their
// sections; `orvanth --open Wave/5` goes there at start-up. The item starts as its menu
// button starts it, with its title card, and the card enters the chosen section instead
// of the first, whose step 0 (the section's heading) is then drawn by Next, as a closing
// step would draw it. What the learner's navigation does from there on is unchanged.

#include "lesson/Course.h"

#include <QList>
#include <QString>
#include <optional>

class LessonWindow;
class QKeyEvent;

namespace jump {

struct Target {
    course::Id course;
    int menuIndex; // the menu button that starts the item
    const lesson::Procedure* procedure;
    int section;
};

// The items of a course that play a procedure, in menu order, each with its menu button:
// a procedure that two buttons start ("はじめから" and its own item) is listed once,
// under its own item. Items that open a viewer have no sections and are not listed.
QList<Target> itemsOf(const course::Course& c);

// "Procedure/S", for example "Wave/5": the procedure by name (letter case aside) among
// the items of both courses, and its section S. Empty, with a message naming the problem
// and what there is instead, when there is no such item or section.
std::optional<Target> parse(const QString& spec, QString* error);

// Starts the target's item at its section in window w, which must be the lesson window
// of the target's course. A running item is left first, as its exit button leaves it.
void startAt(LessonWindow& w, const Target& t);

// Ctrl+G.
bool isJumpKey(const QKeyEvent* e);
// Offers the jump list in window w and starts what is chosen. Nothing happens while code
// of the window runs (a step drawing, a title card, a dialog of a step) or while it is
// not visible. Returns whether the list was shown.
bool offer(LessonWindow& w);

} // namespace jump
