#pragma once
// How a lesson is written down. A lesson procedure (Kika, Class, ...) is a declaration:
// its title card, the sections with their step tables, what every call does around the
// step, and how the item ends. The lesson window plays it (LessonWindow::play): one call
// draws one step chosen by gSection and gStep, the title card and the closing steps call
// Next themselves, a step's request to go to another step is carried out when the step
// returns, and the end of the item either chains into the next item of the course
// ("はじめから") or returns to the menu. No lesson writes that frame by hand.
//
// A section lives in a file of its own, named after what it teaches, with its figures
// first and its step table last; a step is a named function of a Page, so a row that
// reads "step 8: step 7, then the normal" is a plain call of the step-7 function.

#include <cstddef>
#include <span>

class Page;

namespace lesson {

using StepFn = void (*)(Page&);

// What a step's picture depends on besides its own drawing.
enum StepFlags : unsigned {
    Plain = 0,
    // The step draws over the picture the previous step left (the row says "without
    // clearing" or "drawn over"): entered by Back one it shows only its own part.
    DrawnOver = 1u << 0,
};

struct Procedure;

// The section heading row: the section's heading text printed large on a cleared canvas
// in the colours its procedure gives its headings (Page::heading).
void heading(Page& p);

struct StepRow {
    int step;
    StepFn draw;
    unsigned flags = Plain;
};

// How the learner's answer to a question is judged.
enum class Judged {
    UntilRight, // asked again until the answer is right
    Once,       // judged once, with praise or correction, then the step goes on
    NotJudged,  // every answer is taken (a drawing's parameters, a free choice)
};

// One question a step asks through the window's answer dialog. `right` is the accepted
// answer; a question with two fields joins them with ',' and a question asked again
// within the step (with other values each time) lists the asks separated by '|'.
// `wrong` is an answer a learner might plausibly give first (empty when NotJudged).
struct QuizRow {
    int step;
    int question;
    const char* right;
    const char* wrong;
    Judged judged = Judged::UntilRight;
};

// A section's heading as its heading row prints it: the topic spaced out, at (x, 150).
struct Heading {
    const char* text = nullptr;
    double x = 0;
};

struct Section {
    int number;
    const char* topic;
    // The step table, rows 0, 1, 2, ... in order. The closing step is the step after the
    // last row: it draws nothing, clears the canvas and moves on to the next section, or
    // ends the item after the last section.
    std::span<const StepRow> steps;
    // What the closing step does first, before the canvas is cleared.
    StepFn beforeClosing = nullptr;
    std::span<const QuizRow> quizzes = {};
    Heading heading = {};

    int closingStep() const { return int(steps.size()); }
};

// The buttons at the end of every call of the procedure.
enum class EndOfCall {
    // Only the exit button at the item's final closing step; otherwise all four, with the
    // focus on Next when the window is visible.
    FinalStepRule,
    // As FinalStepRule, but the four buttons are enabled without moving the focus.
    FinalStepRuleKeepFocus,
    // All four buttons enabled, whatever the step.
    EnableAll,
};

// What the last section's closing step does.
struct ItemEnd {
    bool clears = true;      // the canvas is cleared first
    StepFn before = nullptr; // then this (hiding pictures)
    // In "はじめから" mode: the tag of the next item, the separator the caption puts
    // between course name and tag, the procedure that follows and the section it starts
    // at (0: with its title card; 1: straight to its first step).
    const char* chainTag = nullptr;
    const char* separator = " - ";
    const Procedure* next = nullptr;
    int nextSection = 0;
    StepFn beforeChain = nullptr; // runs after the counters are set, before the next procedure
    // Outside "はじめから" mode: ItemTerminate, or only the menu panel shown.
    bool menuPanelOnly = false;
};

// The shape every heading row of a procedure shares: a cleared canvas, these colours
// (palette indices), the 32-point font.
struct HeadingStyle {
    int fore = 14;
    int back = 0;
};

struct Procedure {
    const char* name;  // "Kika": the member of the window that plays it
    const char* title; // the title card's text
    HeadingStyle heading = {};
    // Every call, after the buttons are disabled and before the step is chosen (hiding
    // Picture1, reseeding the random generator, the colours every step starts from).
    StepFn onEntry = nullptr;
    // Section 0, before the title card (the colours of the card), and after it returns.
    StepFn beforeTitle = nullptr;
    StepFn afterTitle = nullptr;
    std::span<const Section* const> sections = {};
    ItemEnd end = {};
    // What every closing step does before the section's own beforeClosing and the clear.
    StepFn beforeClosing = nullptr;
    // Closing steps give Next the keyboard focus once the next section's first step is
    // drawn.
    bool focusAfterClosing = false;
    EndOfCall endOfCall = EndOfCall::FinalStepRule;
    // Every call, after the end-of-call rule.
    StepFn onExit = nullptr;

    const Section* section(int number) const {
        for (const Section* s : sections)
            if (s->number == number) return s;
        return nullptr;
    }
    const Section* lastSection() const { return sections.empty() ? nullptr : sections.back(); }
    // The item's final closing step.
    int finalSection() const { return lastSection() ? lastSection()->number : 0; }
    int finalStep() const { return lastSection() ? lastSection()->closingStep() : 0; }
};

} // namespace lesson
