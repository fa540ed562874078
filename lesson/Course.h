#pragma once
// The registry of the two courses: what each lesson window's menu offers, which lesson
// procedure or viewer each item and tag leads to, and every procedure with its sections,
// steps and questions. The windows dispatch through it and take their captions and labels
// from it; the learner driver, the tour and the tests read it to know where they are and
// what to answer. Procedures and viewers are named by pointer, so a route or chain to
// something that does not exist does not compile.

#include "lesson/Lesson.h"
#include "lesson/Viewer.h"

#include <QString>
#include <span>

namespace course {

enum class Id { Light, Matter };

enum class MenuAction {
    Procedure, // call the item's lesson procedure
    TitleCard, // show the title card of the item's procedure, which goes on into it
    Viewer,    // hide the lesson window and open a viewer window
};

struct MenuItem {
    const char* label; // the menu label ("幾何光学")
    const char* tag;   // the window's Tag for the item
    MenuAction action;
    const lesson::Procedure* procedure; // played, or whose title card shows; null for a viewer
    bool setsExitCaption;               // the exit caption becomes "メニューに戻る"
    viewer::Open viewer = nullptr;      // the viewer a Viewer item opens
    const char* viewerName = nullptr;   // its window's name ("cloudfrm"), as the tour files it
};

// The dispatcher of "はじめから": the tag the whole-course run has reached names the
// procedure.
struct TagRoute {
    const char* tag;
    const lesson::Procedure* procedure;
};

struct Course {
    Id id;
    const char* caption; // the lesson window's caption without tag: "光とは", "物質"
    const char* button;  // the start window's course button: "光とは", "物質とは"
    MenuItem items[5];
    // GetMenu for menu items 2..5 (index 0 for item 2): the procedure, or nullptr.
    const lesson::Procedure* dispatch[4];
    std::span<const TagRoute> routes;
    std::span<const lesson::Procedure* const> procedures;

    const MenuItem& item(int index) const { return items[index - 1]; }
    const lesson::Procedure* procedure(const QString& name) const;
    // The procedure GetMenu calls for this menu item and tag; nullptr for none.
    const lesson::Procedure* dispatchFor(int menuItem, const QString& tag) const;
};

const Course& light();
const Course& matter();
const Course& of(Id id);

// The procedure of this name in either course; nullptr when there is none.
const lesson::Procedure* findProcedure(const QString& name);

// The quiz row of question q asked at (procedure, section, step); nullptr when none.
const lesson::QuizRow* findQuiz(const QString& procedure, int section, int step, int question);

} // namespace course
